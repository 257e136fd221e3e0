#pragma once
// The diversity report (Windows-1252 lines, "ZAVIRO - DIVERSIDADE") and its
// JSON and CSV exports.

#include "data/date_time.h"
#include "data/report_language.h"
#include "diversity/diversity.h"

#include <string>
#include <string_view>
#include <vector>

namespace zav {

// The report's lines, to be joined by joinReportLines. `fileNameBytes` is
// the data file's name in Windows-1252, `when` the time of the run; the
// labels in `language`, the numbers the same in every language.
std::vector<std::string> diversityReport(const DiversityResult& result, std::string_view fileNameBytes,
                                         const DateTime& when, ReportLanguage language = ReportLanguage::Portuguese);

// Everything as JSON (UTF-8), null wherever the report prints "-".
std::string diversityJson(const DiversityResult& result, std::string_view pathUtf8, const DateTime& when);

// The individual-based curve as CSV: m, q0, q1, q2, cobertura and the band
// limits, empty cells where a limit is missing.
std::string diversityCsv(const DiversityResult& result);

} // namespace zav
