#include "app/similarity_panel.h"

#include "app/treatment_choice.h"

#include "qtsupport/guarded.h"
#include "qtsupport/panels.h"
#include "qtsupport/qt_text.h"
#include "qtsupport/ui_text.h"
#include "runs/run_kinds.h"

#include <QBoxLayout>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace zav {

SimilarityPanel::SimilarityPanel(QWidget* client, Interaction& interaction, Clock& clock)
    : QObject(client), interaction_(interaction), clock_(clock) {
    entraCol_ = makePanel(client, "EntraCol", false, "Panel3", Zav::tr("Número de Repetições"));
    // On two lines, as wide as the panel's caption and buttons: a line
    // break of its own rather than a wrapped text, so the panel's height
    // never depends on its width.
    auto* prompt = new QLabel(Zav::tr("Entre com o número de\ntratamentos:"), entraCol_);
    prompt->setObjectName("StaticText2");
    prompt->setAlignment(Qt::AlignCenter);
    nRepet_ = new QLineEdit(entraCol_);
    nRepet_->setObjectName("nRepet");
    setWidthInDigits(nRepet_, 10);
    const auto [ok, cancel] = okCancelButtons(entraCol_, "btnOkRep", "BtnCancelRep");
    connectGuardedClick(ok, this, interaction_, &SimilarityPanel::btnOkRepClick);
    connectGuardedClick(cancel, this, interaction_, &SimilarityPanel::BtnCancelRepClick);
    QBoxLayout* column = panelLayout(entraCol_);
    column->addWidget(prompt);
    column->addWidget(nRepet_, 0, Qt::AlignHCenter);
    column->addSpacing(8);
    column->addLayout(buttonRow(ok, cancel));
    // Enter in the field confirms, as the default button would in a dialog.
    connect(nRepet_, &QLineEdit::returnPressed, ok, &QPushButton::click);
}

void SimilarityPanel::MnuSimilarClick() {
    showEntryPanel(entraCol_, nRepet_, QStringLiteral("3"));
    emit statusChanged(Zav::tr("Análise de Similaridade ..."));
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
