// libFuzzer target: arbitrary bytes as a workbook (.xlsx or .ods) to import;
// see workbook_invariants.h for how an input names its parts.

#include "report_invariants.h"
#include "workbook_invariants.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return zav::fuzz::stopOnProblem(zav::fuzz::checkWorkbookImport({reinterpret_cast<const char*>(data), size}));
}
