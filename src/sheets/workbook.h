#pragma once
// Workbooks of spreadsheet programs: Excel (.xlsx) and OpenDocument (.ods)
// sheets read into rows of cells for the spreadsheet import, and the
// species table and the reports' tables written as .xlsx workbooks. The reading and writing live
// in a module loaded the first time a workbook is read or written
// (sheets/sheets_module.h), with libzip; telling a workbook from a text and
// from an Excel 97-2003 file takes nothing. Not part of the browser build:
// the page reads workbooks itself (web/workbook.js) and hands their cells to
// the core's sheet import.

#include "analysis/analysis.h"
#include "data/shown_table.h"
#include "data/spreadsheet_import.h"
#include "sheets/sheets_module.h"

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

// The rows of one sheet, the one named `sheet` (the exact name), or else
// the workbook's active sheet, or its first visible one, that hold
// something: cells as texts (UTF-8), numbers written with "." and no
// exponent when whole, a formula's saved value, "0"/"1" for a truth value,
// a date as "2024-03-01". Rows and cells without anything are left out. The
// reading keeps the import's bounds, as it reads: a row of more than 64 KiB
// (its texts and one byte per column) is refused with its number, the rows
// kept may cost 16 MiB, and it stops at the kMaxSpecies + 3rd row with
// something in it. Throws SpreadsheetError for a file that is no workbook,
// too large (kMaxWorkbookBytes, or a part that unpacks to more than
// kMaxWorkbookPartBytes), malformed, protected by a password, without that
// sheet (the message lists the sheets it has), or with a cell the import
// would take for something else: a formula saved without its value, a
// number merged over several cells (each naming the cell).
WorkbookSheet readWorkbook(const std::filesystem::path& path, std::string_view sheet = {});
std::vector<SheetRow> readWorkbookSheet(const std::filesystem::path& path, std::string_view sheet = {});

inline constexpr std::size_t kMaxWorkbookBytes = 64u << 20;
inline constexpr std::size_t kMaxWorkbookPartBytes = 256u << 20;

// What the import of a file tells beside its rows: which sheet was taken,
// names that Windows-1252 cannot hold; one line each.
struct ImportedFile : ImportedSpreadsheet {
    std::vector<std::string> notices;
};

// A spreadsheet file of any kind the import takes: a workbook (`sheet`, or
// as readWorkbook chooses) or else a CSV or TSV text. A sheet named for a
// text file is refused, and so is an Excel 97-2003 file or a workbook
// protected by a password (both OLE2 containers), saying what to do.
ImportedFile importAnySpreadsheetFile(const std::filesystem::path& path, const ImportOptions& options = {},
                                      std::string_view sheet = {});

// A species by collection sheet of a workbook brings the weather of its
// sheet named "clima" (case ignored), when the workbook has one beside the
// sheet imported (parseWeatherRows; a notice says it was read):
// importAnySpreadsheetFile and importAnyRecordsFile do it, and this does
// it for a sheet imported from its rows (`taken`, its name).
void addWorkbookWeather(const std::filesystem::path& path, const std::string& taken, ImportedFile& imported);

// The records of a field database (importRecordsText) from a workbook's
// sheet or a CSV or TSV text. A workbook's sheet is read up to the
// import's rows (kMaxSpecies + 2): one with more is refused, saying to
// save it as CSV.
ImportedFile importAnyRecordsFile(const std::filesystem::path& path, std::string_view sheet = {});

// The weather of the collections (parseWeatherRows) from a workbook's
// sheet `sheet`, or else its sheet named "clima", or else as readWorkbook
// chooses, or from a CSV or TSV text.
WeatherTable readAnyWeatherFile(const std::filesystem::path& path, const std::vector<Collection>& collections,
                                std::string_view sheet = {});

// "Nomes com caracteres que o Windows-1252 não tem ..." naming the first
// such species, or empty: the data file writes those characters as "?".
std::string unmappableNamesNotice(const DataFileTexts& texts);

// The species table as the bytes of an .xlsx workbook: one sheet,
// "especies", the header row of speciesTableColumns(language), then one row per
// species with the CSV's values, numbers as numbers (the shortest decimal
// that reads back as the value, whatever the locale), "predominante" as a
// truth value, empty cells where the CSV has them. Throws Error when the
// workbook cannot be made.
std::string speciesTableXlsx(const AnalysisResult& result, ReportLanguage language = ReportLanguage::Portuguese);

// A report's tables for people (data/shown_table.h, made with "." as the
// decimal separator) as an .xlsx workbook of one sheet, the tables one
// under the other, each cell that is a number as a number.
std::string shownTablesXlsx(const std::vector<ShownTable>& tables);

} // namespace zav
