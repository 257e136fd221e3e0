#include "app/treatment_choice.h"

#include "qtsupport/qt_text.h"
#include "qtsupport/ui_language.h"
#include "qtsupport/ui_text.h"

#include <QFileInfo>
#include <QLineEdit>

namespace zav {

std::optional<int> typedTreatmentCount(Interaction& interaction, QLineEdit& field,
                                       std::string (*problem)(std::int64_t)) {
    const QString typed = field.text();
    auto refuse = [&](const QString& message) {
        interaction.error(message);
        field.setFocus();
        return std::nullopt;
    };
    if (isBlank(typed)) return refuse(Zav::tr("Erro: Não deixe campo em branco"));
    const auto count = wholeNumber(typed);
    if (!count) return refuse(Zav::tr("Erro: valor inválido: ") + typed);
    if (const auto message = problem(*count); !message.empty()) return refuse(interfaceMessage(message));
    return static_cast<int>(*count);
}

std::optional<ChosenTreatments> chooseTreatments(Interaction& interaction, Clock& clock, int treatments,
                                                 QString& lastOpenName, const std::function<bool()>& mayReplaceReport,
                                                 const std::function<void(const QString&)>& status) {
    // Fresh files every run: nothing of an earlier run enters the result.
    ChosenTreatments chosenFiles;
    if (!mayReplaceReport()) return std::nullopt;
    for (int t = 1; t <= treatments; ++t) {
        const auto chosen = interaction.openFile(
            dataFileRequest(Zav::tr("Selecione o arquivo: Tratamento %1 de %2").arg(t).arg(treatments), lastOpenName));
        if (!chosen || chosen->isEmpty()) return std::nullopt;
        lastOpenName = *chosen;
        chosenFiles.sources << *chosen;
        status(Zav::tr("Selecionando o arquivo: ") + *chosen);
        chosenFiles.files.add(toFileSystemPath(*chosen));
    }
    QStringList proposed;
    for (const QString& source : chosenFiles.sources)
        proposed << proposedTreatmentName(source);
    const auto names = interaction.nameTreatments(chosenFiles.sources, proposed);
    if (!names || names->size() != proposed.size()) return std::nullopt;
    chosenFiles.names = *names;
    chosenFiles.files.finish(clock);
    return chosenFiles;
}

QString proposedTreatmentName(const QString& path) {
    const QFileInfo info(path);
    return info.suffix().compare(QStringLiteral("txt"), Qt::CaseInsensitive) == 0 ? info.completeBaseName()
                                                                                  : info.fileName();
}

QString treatmentsStatus(const TreatmentFiles& files, const QStringList& names) {
    QStringList key;
    for (int t = 0; t < names.size(); ++t)
        key << QStringLiteral("T%1 = %2").arg(t + 1).arg(names[t]);
    QString notes;
    for (const auto& note : files.notes)
        notes += interfaceMessage(note) + QStringLiteral(" - ");
    return notes + key.join(QStringLiteral(", "));
}

} // namespace zav
