#pragma once
// The comparison of treatments as a report and as JSON.

#include "comparison/comparison.h"
#include "data/date_time.h"
#include "data/report_language.h"

#include <string>
#include <vector>

namespace zav {

// The comparison report in Windows-1252 lines (join them with
// joinReportLines): title, date, the key of the treatments (one "T1 = name"
// a line, names in Windows-1252) with the notes on the species' pairing
// (UTF-8, one line each) under it, each method in a line with its reference,
// then Hutcheson's test (per treatment and per pair), the four similarity
// matrices in percent and the dendrogram. An undefined value prints "-" and
// a line below its table says why. The labels and the notes in `language`.
std::vector<std::string> comparisonReport(const ComparisonResult& result, const std::vector<std::string>& namesCp1252,
                                          const DateTime& when, const std::vector<std::string>& notesUtf8 = {},
                                          ReportLanguage language = ReportLanguage::Portuguese);

// The comparison as JSON (UTF-8, LF), the numbers at full precision, null
// where the report prints "-"; "avisos": [notes] after "tratamentos" only
// when there are notes on the species' pairing:
// {"tratamentos": [names], "hutcheson": [{"par", "H": [a, b],
// "variancia": [a, b], "t", "gl", "p", "p_holm"}], "matrizes": {"sorensen",
// "jaccard", "morisita_horn", "bray_curtis"} (each a list of rows, percent
// similarities), "dendrograma": {"indice": "sorensen" | "bray_curtis",
// "fusoes": [{"grupos": [[1, 3], [2]], "altura"}], "correlacao_cofenetica"}}.
// Without a dendrogram "fusoes" is empty. Throws ComputationError when a
// result is not a finite number.
std::string comparisonJson(const ComparisonResult& result, const std::vector<std::string>& namesUtf8,
                           const std::vector<std::string>& notesUtf8 = {});

} // namespace zav
