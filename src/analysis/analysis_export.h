#pragma once
// The results of a faunistic analysis for other programs (R, Python,
// spreadsheets): the numbers the report prints, at full precision, taken
// from the analysis itself and never from the report's text. UTF-8, LF.

#include "analysis/analysis.h"
#include "data/date_time.h"

#include <string>
#include <string_view>

namespace zav {

// Everything the report says, as a JSON object:
// {"arquivo", "data" (ISO 8601 local time), "especies": [{"especie",
// "individuos", "coletas", "dominancia", "abundancia", "frequencia",
// "constancia", "predominante"}], "total_individuos", "numero_especies",
// "total_coletas", "shannon": {"H", "intervalo": [lo, hi]}, "margalef",
// "equitabilidade"}. Class codes without the report's padding ("D", not
// " D"); numbers that read back as the same doubles. Throws
// ComputationError when a result is not a finite number.
std::string analysisJson(const AnalysisResult& result, std::string_view pathUtf8, const DateTime& when);

// The species table: a header row, then one row per species with the
// columns of the JSON's "especies", comma-separated, "." as the decimal
// separator, "true" or "false" for "predominante".
std::string speciesTableCsv(const AnalysisResult& result);

} // namespace zav
