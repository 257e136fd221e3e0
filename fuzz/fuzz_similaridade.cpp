// libFuzzer target: arbitrary bytes as 3 to 10 treatment files, through the
// similarity computation and its report.

#include "report_invariants.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return zav::fuzz::stopOnProblem(zav::fuzz::checkSimilarityReport({reinterpret_cast<const char*>(data), size}));
}
