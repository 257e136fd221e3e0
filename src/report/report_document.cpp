#include "report/report_document.h"

#include "analysis/report.h"
#include "comparison/comparison_report.h"
#include "diversity/diversity_report.h"
#include "qtsupport/qt_text.h"
#include "runs/runs.h"
#include "similarity/similarity_report.h"

#include <QFileInfo>

namespace zav {
namespace {

QStringList fileNames(const QStringList& paths) {
    QStringList names;
    for (const QString& path : paths)
        names << QFileInfo(path).fileName();
    return names;
}

QStringList shownPaths(const std::vector<std::filesystem::path>& paths) {
    QStringList shown;
    for (const auto& path : paths)
        shown << QString::fromStdString(path.string());
    return shown;
}

} // namespace

ReportDocument surveyDocument(AnalysisResult result, const QString& path, const DateTime& when) {
    auto lines = faunisticReport(result, toCp1252(path), when);
    auto warnings = result.table.warnings;
    return {std::move(lines), QFileInfo(path).fileName(), std::move(result), {path}, false, {}, std::move(warnings)};
}

// The heading names how many treatments, not their files: a list of ten
// names does not fit a page's heading. The key of the treatments goes on
// the first page and in the chart's legend.
ReportDocument similarityDocument(SimilarityResult result, const QStringList& paths, const DateTime& when,
                                  std::vector<std::string> notes, const QStringList& names) {
    auto lines = similarityReport(result, when, notes);
    const QString name = QStringLiteral("Similaridade de %1 tratamentos (T1 = %2)")
                             .arg(paths.size())
                             .arg(names.isEmpty() ? fileNames(paths).value(0) : names.value(0));
    return {std::move(lines), name, std::move(result), paths, false, std::move(notes), {}, names};
}

ReportDocument diversityDocument(DiversityRun run) {
    const QString path = QString::fromStdString(run.path.string());
    auto lines = diversityReport(run.result, toCp1252(path), run.when);
    return {std::move(lines),
            QStringLiteral("Diversidade - ") + QFileInfo(path).fileName(),
            std::move(run.result),
            {path},
            false,
            {},
            std::move(run.warnings)};
}

ReportDocument comparisonDocument(ComparisonRun run, const QStringList& names) {
    const QStringList paths = shownPaths(run.treatments.paths);
    const QStringList shown = names.isEmpty() ? fileNames(paths) : names;
    std::vector<std::string> namesCp1252;
    for (const QString& name : shown)
        namesCp1252.push_back(toCp1252(name));
    auto lines = comparisonReport(run.result, namesCp1252, run.treatments.when, run.treatments.notes);
    const QString name = QStringLiteral("Comparação de %1 tratamentos (T1 = %2)").arg(paths.size()).arg(shown.value(0));
    return {std::move(lines), name, std::move(run.result), paths, false, std::move(run.treatments.notes), {}, names};
}

QStringList treatmentNames(const ReportDocument& document) {
    if (std::holds_alternative<SimilarityResult>(document.result) ||
        std::holds_alternative<ComparisonResult>(document.result))
        return document.treatmentLabels.isEmpty() ? fileNames(document.sources) : document.treatmentLabels;
    return {};
}

QString reportSuffix(const ReportResult& result) {
    switch (result.index()) {
    case 0:
        return QStringLiteral("-relatorio");
    case 1:
        return QStringLiteral("-similaridade");
    case 2:
        return QStringLiteral("-diversidade");
    default:
        return QStringLiteral("-comparacao");
    }
}

QString outputBaseName(const ReportDocument& document) {
    const QString first = QFileInfo(document.sources.value(0)).completeBaseName();
    if (std::holds_alternative<AnalysisResult>(document.result))
        return first.isEmpty() ? QFileInfo(document.name).completeBaseName() : first;
    return first + reportSuffix(document.result);
}

} // namespace zav
