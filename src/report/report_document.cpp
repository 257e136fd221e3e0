#include "report/report_document.h"

#include "analysis/report.h"
#include "communities/communities_report.h"
#include "comparison/comparison_report.h"
#include "diversity/diversity_report.h"
#include "fluctuation/fluctuation_report.h"
#include "qtsupport/qt_text.h"
#include "qtsupport/ui_language.h"
#include "qtsupport/ui_text.h"
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

QStringList absoluteNames(const std::vector<std::filesystem::path>& paths) {
    QStringList shown;
    for (const auto& path : paths)
        shown << QString::fromStdString(path.string());
    return shown;
}

} // namespace

ReportDocument surveyDocument(AnalysisResult result, const QString& path, const DateTime& when) {
    auto lines = faunisticReport(result, toCp1252(path), when, interfaceLanguage());
    auto warnings = result.table.warnings;
    return {std::move(lines), QFileInfo(path).fileName(), std::move(result), {path}, false, {}, std::move(warnings)};
}

// The heading names how many treatments, not their files: a list of ten
// names does not fit a page's heading. The key of the treatments goes on
// the first page and in the chart's legend.
ReportDocument similarityDocument(SimilarityResult result, const QStringList& paths, const DateTime& when,
                                  std::vector<std::string> notes, const QStringList& names) {
    auto lines = similarityReport(result, when, notes, interfaceLanguage());
    const QString name = Zav::tr("Similaridade de %1 tratamentos (T1 = %2)")
                             .arg(paths.size())
                             .arg(names.isEmpty() ? fileNames(paths).value(0) : names.value(0));
    return {std::move(lines), name, std::move(result), paths, false, std::move(notes), {}, names};
}

ReportDocument diversityDocument(DiversityRun run) {
    const QString path = QString::fromStdString(run.path.string());
    auto lines = diversityReport(run.result, toCp1252(path), run.when, interfaceLanguage());
    return {std::move(lines),
            Zav::tr("Diversidade - ") + QFileInfo(path).fileName(),
            std::move(run.result),
            {path},
            false,
            {},
            std::move(run.warnings)};
}

ReportDocument fluctuationDocument(FluctuationRun run) {
    const QString path = QString::fromStdString(run.path.string());
    auto lines = fluctuationReport(run.result, toCp1252(path), run.when, interfaceLanguage());
    return {std::move(lines),
            Zav::tr("Flutuação - ") + QFileInfo(path).fileName(),
            std::move(run.result),
            {path},
            false,
            {},
            std::move(run.warnings)};
}

ReportDocument comparisonDocument(ComparisonRun run, const QStringList& names) {
    const QStringList paths = absoluteNames(run.treatments.paths);
    const QStringList shown = names.isEmpty() ? fileNames(paths) : names;
    std::vector<std::string> namesCp1252;
    for (const QString& name : shown)
        namesCp1252.push_back(toCp1252(name));
    auto lines =
        comparisonReport(run.result, namesCp1252, run.treatments.when, run.treatments.notes, interfaceLanguage());
    const QString name = Zav::tr("Comparação de %1 tratamentos (T1 = %2)").arg(paths.size()).arg(shown.value(0));
    return {std::move(lines), name, std::move(run.result), paths, false, std::move(run.treatments.notes), {}, names};
}

ReportDocument communitiesDocument(CommunitiesRun run, const QStringList& names) {
    const QStringList paths = absoluteNames(run.treatments.paths);
    const QStringList shown = names.isEmpty() ? fileNames(paths) : names;
    communities::CommunityLabels labels{
        {}, run.treatments.pathsUtf8(), run.treatments.speciesNames, run.treatments.notes};
    for (const QString& name : shown)
        labels.treatmentNames.push_back(name.toStdString());
    auto lines = communitiesReport(run.result, labels, run.treatments.when, interfaceLanguage());
    const QString name = Zav::tr("Comunidades de %1 tratamentos (T1 = %2)").arg(paths.size()).arg(shown.value(0));
    return {std::move(lines), name, std::move(run.result), paths, false, std::move(run.notices), {}, names};
}

QStringList treatmentNames(const ReportDocument& document) {
    if (!runKind(kindOf(document.result)).oneFile())
        return document.treatmentLabels.isEmpty() ? fileNames(document.sources) : document.treatmentLabels;
    return {};
}

ReportDocument reportDocument(AnyRun run, const QStringList& shownPaths, const QStringList& names) {
    const auto shownOr = [&](const std::vector<std::filesystem::path>& paths) {
        return shownPaths.isEmpty() ? absoluteNames(paths) : shownPaths;
    };
    return std::visit(
        [&](auto&& held) -> ReportDocument {
            using Run = std::decay_t<decltype(held)>;
            if constexpr (std::is_same_v<Run, SurveyRun>) {
                return surveyDocument(std::move(held.result), shownOr({held.path}).value(0), held.when);
            } else if constexpr (std::is_same_v<Run, DiversityRun>) {
                const QStringList paths = shownOr({held.path});
                auto document = diversityDocument(std::move(held));
                document.sources = paths;
                return document;
            } else if constexpr (std::is_same_v<Run, FluctuationRun>) {
                const QStringList paths = shownOr({held.path});
                auto document = fluctuationDocument(std::move(held));
                document.sources = paths;
                return document;
            } else if constexpr (std::is_same_v<Run, SimilarityRun>) {
                return similarityDocument(std::move(held.result), shownOr(held.treatments.paths), held.treatments.when,
                                          std::move(held.treatments.notes), names);
            } else if constexpr (std::is_same_v<Run, CommunitiesRun>) {
                const QStringList paths = shownOr(held.treatments.paths);
                auto document = communitiesDocument(std::move(held), names);
                document.sources = paths;
                return document;
            } else {
                static_assert(std::is_same_v<Run, ComparisonRun>, "every kind of run has its document");
                const QStringList paths = shownOr(held.treatments.paths);
                auto document = comparisonDocument(std::move(held), names);
                document.sources = paths;
                return document;
            }
        },
        std::move(run));
}

RunKind kindOf(const ReportResult& result) {
    return std::visit([](const auto& held) { return kindOf(held); }, result);
}

QString reportSuffix(const ReportResult& result) { return QString::fromUtf8(runKind(kindOf(result)).reportSuffix); }

QString outputBaseName(const ReportDocument& document) {
    const QString first = QFileInfo(document.sources.value(0)).completeBaseName();
    // The kind whose outputs add nothing to the file's name (the faunistic
    // analysis) names them as its file.
    if (runKind(kindOf(document.result)).dataSuffix.empty())
        return first.isEmpty() ? QFileInfo(document.name).completeBaseName() : first;
    return first + reportSuffix(document.result);
}

} // namespace zav
