#pragma once

#include "data/date_time.h"
#include "similarity/similarity.h"

#include <cstddef>
#include <string>
#include <vector>

namespace zav {

// Where the pair table lies among similarityReport's lines: its heading (a
// rule, four lines of column names, a rule) from line kPairHeadingLine, then
// one line per pair; kReportLinesBesidePairs lines in all besides those.
inline constexpr std::size_t kPairHeadingLine = 4;
inline constexpr std::size_t kPairHeadingLines = 6;
inline constexpr std::size_t kReportLinesBesidePairs = 12;

// The similarity report: title, date (without milliseconds), the column
// heading, one line per pair, in Windows-1252.
std::vector<std::string> similarityReport(const SimilarityResult& result, const DateTime& when);

// A pair's name in the report and the charts: "T1 x T2".
std::string pairLabel(const PairSimilarity& pair);

// One pair line: label, j, a, b, quotient and interval in their fields.
std::string pairLine(const PairSimilarity& pair);

} // namespace zav
