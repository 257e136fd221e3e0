#pragma once
// Workbooks of spreadsheet programs: Excel (.xlsx) and OpenDocument (.ods)
// sheets read into rows of cells for the spreadsheet import, and the
// species table written as an .xlsx workbook. Through libzip, pugixml and
// libxlsxwriter; not part of the browser build, which takes CSV and TSV.

#include "analysis/analysis.h"
#include "data/spreadsheet_import.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zav {

// Whether the file is a workbook (a ZIP container), by its first bytes
// (openRegularFile's refusals).
bool isWorkbookFile(const std::filesystem::path& path);

// The names of a workbook's sheets, in the workbook's order (UTF-8).
// Throws SpreadsheetError when the file is no .xlsx or .ods workbook.
std::vector<std::string> workbookSheetNames(const std::filesystem::path& path);

// The rows of one sheet, the first or the one named `sheet` (the exact
// name), that hold something: cells as texts (UTF-8), numbers written with
// "." and no exponent when whole, a formula's cached value, "0"/"1" for a
// truth value. Rows and cells without anything are left out. The reading
// keeps the import's bounds: a row of more than 64 KiB (its texts and one
// byte per column) is refused with its number, and it stops at the
// kMaxSpecies + 3rd row with something in it. Throws SpreadsheetError for a
// file that is no workbook, too large (kMaxWorkbookBytes, or a part that
// unpacks to more than kMaxWorkbookPartBytes), malformed, or without that
// sheet (the message lists the sheets it has).
std::vector<SheetRow> readWorkbookSheet(const std::filesystem::path& path, std::string_view sheet = {});

inline constexpr std::size_t kMaxWorkbookBytes = 64u << 20;
inline constexpr std::size_t kMaxWorkbookPartBytes = 256u << 20;

// A spreadsheet file of any kind the import takes: a workbook (its first
// sheet, or `sheet`) or else a CSV or TSV text. A sheet named for a text
// file is refused.
ImportedSpreadsheet importAnySpreadsheetFile(const std::filesystem::path& path, const ImportOptions& options = {},
                                             std::string_view sheet = {});

// The species table as the bytes of an .xlsx workbook: one sheet,
// "especies", the header row of kSpeciesTableColumns, then one row per
// species with the CSV's values, numbers as numbers, "predominante" as a
// truth value, empty cells where the CSV has them. Throws Error when the
// workbook cannot be made.
std::string speciesTableXlsx(const AnalysisResult& result);

} // namespace zav
