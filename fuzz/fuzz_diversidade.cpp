// libFuzzer target: arbitrary bytes as a survey file, through the load, the
// diversity analysis (estimators, indices, curves with their bands), its
// report and its JSON. Fast mode: 4 bootstrap replicates instead of 200
// (the bands' code runs whole, the replicates only repeat it), so that the
// fuzzer tries many times more inputs per second; the committed corpus runs
// with 200 in the test suite.

#include "report_invariants.h"

#include <cstdint>

namespace {
constexpr int kFuzzReplicates = 4;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return zav::fuzz::stopOnProblem(
        zav::fuzz::checkDiversityReportWith({reinterpret_cast<const char*>(data), size}, kFuzzReplicates));
}
