#include "report/report_document.h"

#include "analysis/report.h"
#include "qtsupport/qt_text.h"
#include "similarity/similarity_report.h"

#include <QFileInfo>

namespace zav {

ReportDocument surveyDocument(AnalysisResult result, const QString& path, const DateTime& when) {
    auto lines = faunisticReport(result, toCp1252(path), when);
    return {std::move(lines), QFileInfo(path).fileName(), std::move(result), {path}};
}

ReportDocument similarityDocument(SimilarityResult result, const QStringList& paths, const DateTime& when) {
    QStringList names;
    for (const QString& path : paths)
        names << QFileInfo(path).fileName();
    auto lines = similarityReport(result, when);
    return {std::move(lines), names.join(QStringLiteral(", ")), std::move(result), paths};
}

} // namespace zav
