#pragma once
// The results of a faunistic analysis for other programs (R, Python,
// spreadsheets, word processors): the numbers the report prints, at full
// precision, taken from the analysis itself and never from the report's
// text. UTF-8, LF.

#include "analysis/analysis.h"
#include "data/date_time.h"
#include "data/report_language.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zav {

// Everything the report says, as a JSON object:
// {"arquivo", "data" (ISO 8601 local time), "avisos": [the data file's
// warnings, only when it has any], "especies": [{"especie", "nome",
// "individuos", "coletas", "percentual", "limite_dominancia", "dominancia",
// "abundancia", "frequencia", "constancia", "predominante"}],
// "total_individuos", "numero_especies", "total_coletas", "shannon": {"H",
// "intervalo": [lo, hi]}, "margalef", "equitabilidade"}. "nome" is null for
// a species without a name; "percentual" (of N') and "limite_dominancia"
// (Kato's lower limit, percent) are null for a species set apart as
// super abundant, which N' leaves out. Class codes without the report's
// padding ("D", not " D"); numbers that read back as the same doubles.
// Throws ComputationError when a result is not a finite number.
std::string analysisJson(const AnalysisResult& result, std::string_view pathUtf8, const DateTime& when);

// One row of the species table, the same for every export of it.
struct SpeciesTableRow {
    std::int32_t number = 0;
    std::string_view name; // UTF-8, empty for none
    std::int32_t individuals = 0;
    std::int32_t collections = 0;
    // Share of N' and Kato's dominance limit, percent; none for a species
    // set apart as super abundant.
    std::optional<double> percentage;
    std::optional<double> dominanceLimit;
    std::string_view dominance, abundance, frequency, constancy; // unpadded codes
    bool predominant = false;
};

// The rows of every species, in the report's order; they point into
// `result`, which must outlive them.
std::vector<SpeciesTableRow> speciesTableRows(const AnalysisResult& result);

// The columns of the species table for programs (CSV, XLSX), in order.
inline constexpr std::array<std::string_view, 11> kSpeciesTableColumns = {
    "especie",    "nome",       "individuos", "coletas",    "percentual",  "limite_dominancia",
    "dominancia", "abundancia", "frequencia", "constancia", "predominante"};

// Those columns as a workbook's header row in `language`: kSpeciesTableColumns
// in Portuguese, the same words in English or Spanish. The CSV keeps
// kSpeciesTableColumns in every language (it is an interface).
std::array<std::string_view, 11> speciesTableColumns(ReportLanguage language);

// The species table: a header row of kSpeciesTableColumns, then one row per
// species, comma-separated, "." as the decimal separator, numbers at full
// precision, an empty cell where the JSON has null, "true" or "false" for
// "predominante"; a name holding a comma or a quote is quoted, one that a
// spreadsheet would take as a formula ("=...", "+", "-", "@") is written
// after a single quote (data/spreadsheet_import.h's spreadsheetText).
std::string speciesTableCsv(const AnalysisResult& result);

// The species table for people: the same columns under headings in
// `language` (Portuguese unless told), the percentage and the dominance limit with 4 decimals as the
// report rounds its figures (halves away from zero) and "-" for a species
// set apart, the predominant mark "*"; a name as spreadsheetText writes it,
// so that no spreadsheet pasting the table evaluates a name as a formula.
// The cells, the first row being the headings (UTF-8).
std::vector<std::vector<std::string>> speciesTableCells(const AnalysisResult& result, char decimalSeparator = '.',
                                                        ReportLanguage language = ReportLanguage::Portuguese);

// Those cells as tab-separated text (a spreadsheet pastes it as a table),
// one row per line, LF; a tab or line break in a cell becomes a space.
std::string speciesTableTsv(const AnalysisResult& result, char decimalSeparator = '.',
                            ReportLanguage language = ReportLanguage::Portuguese);

// Those cells as an HTML document holding one table (a word processor or a
// spreadsheet pastes it as a table), UTF-8, the texts escaped.
std::string speciesTableHtml(const AnalysisResult& result, char decimalSeparator = '.',
                             ReportLanguage language = ReportLanguage::Portuguese);

} // namespace zav
