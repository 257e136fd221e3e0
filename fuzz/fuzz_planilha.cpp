// libFuzzer target: arbitrary bytes as a spreadsheet to import.

#include "report_invariants.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return zav::fuzz::stopOnProblem(zav::fuzz::checkSpreadsheetImport({reinterpret_cast<const char*>(data), size}));
}
