// The workbook module's entry point: the table of what it does.

#include "sheets/sheets_module.h"

namespace zav {
namespace {

constexpr SheetsModule kModule{workbooks::sheetNames, workbooks::readSheet, workbooks::speciesTableXlsx,
                               workbooks::shownTablesXlsx};

} // namespace
} // namespace zav

extern "C" __attribute__((visibility("default"))) const zav::SheetsModule* zav_sheets_module() { return &zav::kModule; }
