#pragma once
// A report as the window shows it, with the result it was made from: what
// the charts, printing and the PDF are made of. Nothing is parsed back from
// the text.

#include "analysis/analysis.h"
#include "similarity/similarity.h"

#include <QString>

#include <string>
#include <variant>
#include <vector>

namespace zav {

using ReportResult = std::variant<AnalysisResult, SimilarityResult>;

struct ReportDocument {
    std::vector<std::string> lines; // Windows-1252, as shown
    QString name;                   // the data file's name: page headings, the chart window's title
    ReportResult result;
};

} // namespace zav
