#pragma once
// The faunistic analysis report: fixed-width lines of Windows-1252 text.

#include "analysis/analysis.h"
#include "data/date_time.h"
#include "data/report_language.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zav {

// Where the species table lies among faunisticReport's lines: its heading
// (a rule, the column names, a rule) from line kSpeciesHeadingLine, then one
// line per species; kReportLinesBesideSpecies lines in all besides those.
inline constexpr std::size_t kSpeciesHeadingLine = 5;
inline constexpr std::size_t kSpeciesHeadingLines = 3;
inline constexpr std::size_t kReportLinesBesideSpecies = 24;

// The report's 24 + S lines. `pathBytes` is the data file's path as
// Windows-1252 bytes, `when` the time the file was chosen; the labels in
// `language`, the numbers and class codes the same in every language.
std::vector<std::string> faunisticReport(const AnalysisResult& result, std::string_view pathBytes, const DateTime& when,
                                         ReportLanguage language = ReportLanguage::Portuguese);

// One species line: mark, number, individuals, collections and the four
// class texts in their columns.
std::string speciesLine(const SpeciesRecord& species);

// A species is predominant (marked " *") when it is dominant or super
// dominant, (super or very) abundant, (super or very) frequent, and
// constant.
bool isPredominant(const SpeciesRecord& species);

} // namespace zav
