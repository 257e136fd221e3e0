#pragma once

#include "data/date_time.h"
#include "similarity/similarity.h"

#include <string>
#include <vector>

namespace zav {

// The similarity report: title, date (without milliseconds), the column
// heading, one line per pair, in Windows-1252.
std::vector<std::string> similarityReport(const SimilarityResult& result, const DateTime& when);

// A pair's name in the report and the charts: "T1 x T2".
std::string pairLabel(const PairSimilarity& pair);

// One pair line: label, j, a, b, quotient and interval in their fields.
std::string pairLine(const PairSimilarity& pair);

} // namespace zav
