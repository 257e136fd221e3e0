// libFuzzer target: arbitrary bytes as a survey file, through the load, the
// whole analysis and the report.

#include "report_invariants.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return zav::fuzz::stopOnProblem(zav::fuzz::checkSpeciesReport({reinterpret_cast<const char*>(data), size}));
}
