#include "app/similarity_panel.h"

#include "qtsupport/guarded.h"
#include "qtsupport/panels.h"
#include "qtsupport/qt_text.h"
#include "runs/runs.h"

#include <QFileInfo>

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace zav {

SimilarityPanel::SimilarityPanel(QWidget* client, Interaction& interaction, Clock& clock)
    : QObject(client), interaction_(interaction), clock_(clock) {
    entraCol_ = makePanel(client, "EntraCol", {224, 176, 201, 161}, false);
    makeTitleBar(entraCol_, "Panel3", QStringLiteral("Número de Repetições"), {8, 8, 185, 25});
    auto* prompt = new QLabel(QStringLiteral("Entre com o número de tratamentos:"), entraCol_);
    prompt->setObjectName("StaticText2");
    // Wrapped: the prompt is wider than the panel in today's desktop fonts.
    prompt->setWordWrap(true);
    prompt->setAlignment(Qt::AlignCenter);
    prompt->setGeometry(8, 38, 185, 36);
    nRepet_ = new QLineEdit(entraCol_);
    nRepet_->setObjectName("nRepet");
    nRepet_->setGeometry(48, 80, 89, 21);
    auto* ok = new QPushButton(QStringLiteral("Ok"), entraCol_);
    ok->setObjectName("btnOkRep");
    ok->setGeometry(24, 120, 75, 25);
    ok->setDefault(true);
    connectGuardedClick(ok, this, interaction_, &SimilarityPanel::btnOkRepClick);
    auto* cancel = new QPushButton(QStringLiteral("Cancelar"), entraCol_);
    cancel->setObjectName("BtnCancelRep");
    cancel->setGeometry(112, 120, 75, 25);
    connectGuardedClick(cancel, this, interaction_, &SimilarityPanel::BtnCancelRepClick);
    cancelOnEscape(entraCol_, cancel);
    // Enter in the field confirms, as the default button would in a dialog.
    connect(nRepet_, &QLineEdit::returnPressed, ok, &QPushButton::click);
}

void SimilarityPanel::MnuSimilarClick() {
    nRepet_->setText(QStringLiteral("3"));
    entraCol_->show();
    entraCol_->raise();
    nRepet_->setFocus();
    nRepet_->selectAll();
    emit statusChanged(QStringLiteral("Análise de Similaridade ..."));
}

void SimilarityPanel::btnOkRepClick() {
    const QString typed = nRepet_->text();
    auto refuse = [this](const QString& message) {
        interaction_.error(message);
        nRepet_->setFocus();
    };
    if (isBlank(typed)) return refuse(QStringLiteral("Erro: Não deixe campo em branco"));
    const auto count = wholeNumber(typed);
    if (!count) return refuse(QStringLiteral("Erro: valor inválido: ") + typed);
    if (const auto problem = treatmentCountProblem(*count); !problem.empty())
        return refuse(QString::fromStdString(problem));
    entraCol_->hide();
    runSimilarity(*count);
}

void SimilarityPanel::runSimilarity(int treatments) {
    // Fresh files every run: nothing of an earlier run enters the result.
    TreatmentFiles files;
    QStringList sources;
    for (int t = 1; t <= treatments; ++t) {
        if (reportOpen_) {
            interaction_.information(QStringLiteral("Feche o arquivo aberto"));
            return;
        }
        const auto chosen = interaction_.openFile(dataFileRequest(
            QStringLiteral("Selecione o arquivo: Tratamento %1 de %2").arg(t).arg(treatments), lastOpenName_));
        // A cancelled dialog ends the run: a treatment without its file would
        // be reported as one without species.
        if (!chosen || chosen->isEmpty()) return;
        lastOpenName_ = *chosen;
        sources << *chosen;
        emit statusChanged(QStringLiteral("Selecionando o arquivo: ") + *chosen);
        files.add(toFileSystemPath(*chosen));
    }
    files.finish(clock_);
    const auto run = zav::runSimilarity(std::move(files));
    emit compared(run.result, sources, run.treatments.when);
    // The key says which file is which treatment; a warning comes first.
    QStringList key;
    for (int t = 0; t < sources.size(); ++t)
        key << QStringLiteral("T%1 = %2").arg(t + 1).arg(QFileInfo(sources[t]).fileName());
    const QString warning = QString::fromStdString(run.treatments.warning);
    emit statusChanged((warning.isEmpty() ? QString() : warning + QStringLiteral(" - ")) + key.join(QStringLiteral(", ")));
}

void SimilarityPanel::BtnCancelRepClick() {
    entraCol_->hide();
    emit allMenusEnabled(true);
    emit statusChanged(QString());
}

} // namespace zav
