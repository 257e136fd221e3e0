// libFuzzer target: arbitrary bytes cut into 2 to 9 treatment files, through
// the comparison (Hutcheson's test, the matrices, the dendrogram), its report
// and its JSON.

#include "report_invariants.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return zav::fuzz::stopOnProblem(zav::fuzz::checkComparisonReport({reinterpret_cast<const char*>(data), size}));
}
