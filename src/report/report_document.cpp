#include "report/report_document.h"

#include "data/report_text.h"
#include "qtsupport/qt_text.h"
#include "qtsupport/ui_language.h"
#include "qtsupport/ui_text.h"

#include <QFileInfo>

namespace zav {
namespace {

QStringList fromUtf8(const std::vector<std::string>& texts) {
    QStringList out;
    for (const auto& text : texts)
        out << QString::fromStdString(text);
    return out;
}

// The heading names how many treatments, not their files: a list of ten
// names does not fit a page's heading. The key of the treatments goes on
// the first page and in the chart's legend.
QString documentName(const RunKindInfo& kind, const QStringList& sources, const QStringList& treatments) {
    const QString title = Zav::tr(std::string(kind.title).c_str());
    const QString file = QFileInfo(sources.value(0)).fileName();
    if (!kind.oneFile())
        return Zav::tr("%1 de %2 tratamentos (T1 = %3)").arg(title).arg(sources.size()).arg(treatments.value(0));
    // The kind whose outputs add nothing to the file's name is named as it.
    return kind.dataSuffix.empty() ? file : title + QStringLiteral(" - ") + file;
}

} // namespace

ReportDocument reportDocument(AnyRun run, const QStringList& shownPaths, const QStringList& names) {
    if (!shownPaths.isEmpty() || !names.isEmpty()) {
        std::vector<std::filesystem::path> paths;
        for (const QString& path : shownPaths)
            paths.push_back(toFileSystemPath(path));
        std::vector<std::string> treatments;
        for (const QString& name : names)
            treatments.push_back(name.toStdString());
        nameRunFiles(run, paths, treatments);
    }
    const auto& kind = runKind(kindOf(run));
    const auto language = interfaceLanguage();
    ReportDocument document{splitReportLines(runOutput(run, RunOutput::Report, language)), language, {}, run};
    for (const auto& path : runPaths(run))
        document.sources << QString::fromStdString(path.string());
    document.name = documentName(kind, document.sources, fromUtf8(runTreatmentNames(run)));
    (kind.oneFile() ? document.warnings : document.notes) = runNotices(run);
    return document;
}

QStringList treatmentNames(const ReportDocument& document) { return fromUtf8(runTreatmentNames(document.run)); }

RunKind kindOf(const ReportDocument& document) { return kindOf(document.run); }

std::vector<Figure> documentFigures(const ReportDocument& document, ChartLanguage language) {
    return runFigures(document.run, language);
}

QString reportSuffix(const ReportDocument& document) {
    return QString::fromUtf8(runKind(kindOf(document)).reportSuffix);
}

QString outputBaseName(const ReportDocument& document) {
    const QString first = QFileInfo(document.sources.value(0)).completeBaseName();
    // The kind whose outputs add nothing to the file's name (the faunistic
    // analysis) names them as its file.
    if (runKind(kindOf(document)).dataSuffix.empty())
        return first.isEmpty() ? QFileInfo(document.name).completeBaseName() : first;
    return first + reportSuffix(document);
}

} // namespace zav
