#include "app/diversity_run.h"

#include "qtsupport/qt_text.h"
#include "runs/runs.h"

namespace zav {

ReportDocument diversityOfFile(const QString& path, const DateTime& when) {
    auto document = diversityDocument(runDiversity(toFileSystemPath(path), when));
    // The name as the user chose it, as "Calcular" shows it.
    document.sources = QStringList{path};
    return document;
}

std::optional<ReportDocument> chooseAndRunDiversity(Interaction& interaction, Clock& clock, QString& lastOpenName,
                                                    const std::function<void(const QString&)>& status) {
    const auto chosen = interaction.openFile({QStringLiteral("Selecione o arquivo"), QStringLiteral("*.txt"),
                                              QStringLiteral("txt"), QString(), lastOpenName});
    const DateTime when = clock.now(); // the time the dialog closed, also when cancelled
    if (!chosen || chosen->isEmpty()) return std::nullopt;
    lastOpenName = *chosen;
    status(QStringLiteral("Calculando a diversidade do arquivo: ") + *chosen);
    return diversityOfFile(*chosen, when);
}

} // namespace zav
