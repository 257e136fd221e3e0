// libFuzzer target: arbitrary bytes as a survey file, through the load, the
// diversity analysis (estimators, indices, curves with their bands), its
// report and its JSON.

#include "report_invariants.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return zav::fuzz::stopOnProblem(zav::fuzz::checkDiversityReport({reinterpret_cast<const char*>(data), size}));
}
