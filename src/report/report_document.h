#pragma once
// A report as the window shows it, with the result it was made from: what
// the charts, printing and the PDF are made of. Nothing is parsed back from
// the text.

#include "analysis/analysis.h"
#include "data/date_time.h"
#include "similarity/similarity.h"

#include <QString>
#include <QStringList>

#include <string>
#include <variant>
#include <vector>

namespace zav {

using ReportResult = std::variant<AnalysisResult, SimilarityResult>;

struct ReportDocument {
    std::vector<std::string> lines; // Windows-1252, as shown
    QString name;                   // the data files' names: page headings, the chart window's title
    ReportResult result;
    QStringList sources; // the data files it was computed from, in order
    bool edited = false; // the user changed the text: pages say "(editado)"
};

// The faunistic report of the data file at `path` (as the report names it).
ReportDocument surveyDocument(AnalysisResult result, const QString& path, const DateTime& when);

// The similarity report of the treatments' files, in the order chosen.
ReportDocument similarityDocument(SimilarityResult result, const QStringList& paths, const DateTime& when);

} // namespace zav
