#include "app/similarity_panel.h"

#include "app/treatment_choice.h"

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
    const auto count = typedTreatmentCount(interaction_, *nRepet_, treatmentCountProblem);
    if (!count) return;
    entraCol_->hide();
    runSimilarity(*count);
}

void SimilarityPanel::runSimilarity(int treatments) {
    auto chosen = chooseTreatments(interaction_, clock_, treatments, lastOpenName_, mayReplaceReport_,
                                   [this](const QString& text) { emit statusChanged(text); });
    if (!chosen) return;
    auto run = zav::runSimilarity(std::move(chosen->files));
    const QString status = treatmentsStatus(run.treatments, chosen->names);
    emit compared(reportDocument(std::move(run), chosen->sources, chosen->names));
    emit statusChanged(status);
}

void SimilarityPanel::BtnCancelRepClick() {
    entraCol_->hide();
    emit allMenusEnabled(true);
    emit statusChanged(QString());
}

} // namespace zav
