#pragma once
// The workbook module: the .xlsx and .ods reader and the .xlsx writer,
// with libzip, in a library of its own that the programs load the first
// time a workbook is read or written (workbook.cpp), so that starting them
// does not load libzip and what it needs.

#include "analysis/analysis.h"
#include "data/report_language.h"
#include "data/shown_table.h"
#include "data/spreadsheet_import.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zav {

// One sheet of a workbook as read: its rows, its name, and, when it is not
// the workbook's first sheet and none was asked for by name, a line that
// says which sheet was taken and why.
struct WorkbookSheet {
    std::vector<SheetRow> rows;
    std::string name;
    std::string notice;
};

namespace workbooks {

// What workbook.h describes for the path, here without loading anything.
std::vector<std::string> sheetNames(const std::filesystem::path& path);
WorkbookSheet readSheet(const std::filesystem::path& path, std::string_view sheet);
// The same, from the bytes of a workbook (the fuzz target's way in).
WorkbookSheet readSheetFromBytes(std::string_view bytes, std::string_view sheet);
std::string speciesTableXlsx(const AnalysisResult& result, ReportLanguage language);
std::string shownTablesXlsx(const std::vector<ShownTable>& tables);

} // namespace workbooks

struct SheetsModule {
    std::vector<std::string> (*sheetNames)(const std::filesystem::path& path);
    WorkbookSheet (*readSheet)(const std::filesystem::path& path, std::string_view sheet);
    std::string (*speciesTableXlsx)(const AnalysisResult& result, ReportLanguage language);
    std::string (*shownTablesXlsx)(const std::vector<ShownTable>& tables);
};

} // namespace zav

// The module's one exported symbol.
extern "C" const zav::SheetsModule* zav_sheets_module();
