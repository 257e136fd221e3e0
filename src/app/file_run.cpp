#include "app/file_run.h"

#include "qtsupport/qt_text.h"
#include "qtsupport/ui_text.h"
#include "runs/run_kinds.h"

#include <QCoreApplication>

namespace zav {

ReportDocument runOnFile(RunKind kind, const QString& path, const DateTime& when, const RunParameters& parameters) {
    // The name as the user chose it, in the report and as its source.
    return reportDocument(runFiles(kind, {toFileSystemPath(path)}, parameters, when), {path});
}

std::optional<ReportDocument> chooseAndRun(RunKind kind, Interaction& interaction, Clock& clock, QString& lastOpenName,
                                           const std::function<void(const QString&)>& status) {
    const auto chosen = interaction.openFile(dataFileRequest(Zav::tr("Selecione o arquivo"), lastOpenName));
    const DateTime when = clock.now(); // the time the dialog closed, also when cancelled
    if (!chosen || chosen->isEmpty()) return std::nullopt;
    lastOpenName = *chosen;
    RunParameters parameters;
    const auto& info = runKind(kind);
    if (info.takesLag) {
        // Collection k against the weather of collection k - lag.
        const auto lag =
            interaction.askNumber(Zav::tr(std::string(info.title).c_str()), Zav::tr("Defasagem (coletas):"), 0, 0, 999);
        if (!lag) return std::nullopt;
        parameters.lag = *lag;
    }
    status(runningStatus(kind, *chosen));
    return runOnFile(kind, *chosen, when, parameters);
}

QString runningStatus(RunKind kind, const QString& path) {
    return Zav::tr(std::string(runKind(kind).runningStatus).c_str()) + path;
}

QString doneStatus(RunKind kind, const QString& path) {
    const auto& info = runKind(kind);
    return Zav::tr(std::string(info.doneStatus).c_str()) + path + Zav::tr(std::string(info.doneStatusEnd).c_str());
}

} // namespace zav
