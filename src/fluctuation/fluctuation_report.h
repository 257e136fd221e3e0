#pragma once
// The fluctuation report (Windows-1252 lines, "ZAVIRO - FLUTUAÇÃO
// POPULACIONAL") and its JSON and CSV exports.

#include "data/date_time.h"
#include "data/report_language.h"
#include "fluctuation/fluctuation.h"

#include <string>
#include <string_view>
#include <vector>

namespace zav {

// The report's lines, to be joined by joinReportLines. `fileNameBytes` is
// the data file's name in Windows-1252, `when` the time of the run; the
// labels in `language`, the numbers and columns the same in every language.
std::vector<std::string> fluctuationReport(const FluctuationResult& result, std::string_view fileNameBytes,
                                           const DateTime& when, ReportLanguage language = ReportLanguage::Portuguese);

// Everything as JSON (UTF-8): "arquivo", "data", "predominantes",
// "variaveis", "coletas", "correlacoes", "sazonalidade"; null where the
// report prints "-".
std::string fluctuationJson(const FluctuationResult& result, std::string_view pathUtf8, const DateTime& when);

// The per-collection table as CSV: coleta, data, individuos, especies,
// shannon, one column per predominant species ("especie N") and per
// weather variable (as given, not lagged); empty cells where a value is
// missing.
std::string fluctuationCsv(const FluctuationResult& result, const CollectionBlocks& blocks);

} // namespace zav
