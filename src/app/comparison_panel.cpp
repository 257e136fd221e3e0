#include "app/comparison_panel.h"

#include "app/treatment_choice.h"

#include "qtsupport/guarded.h"
#include "qtsupport/panels.h"
#include "qtsupport/qt_text.h"
#include "qtsupport/ui_text.h"
#include "runs/run_kinds.h"
#include "similarity/similarity_report.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

namespace zav {

ComparisonPanel::ComparisonPanel(QWidget* client, Interaction& interaction, Clock& clock)
    : QObject(client), interaction_(interaction), clock_(clock) {
    entraComp_ = makePanel(client, "EntraComp", false, "PanelComp", Zav::tr("Comparação de tratamentos"));
    auto* prompt = new QLabel(Zav::tr("Número de tratamentos (2 a 10):"), entraComp_);
    prompt->setObjectName("LblNumComp");
    count_ = new QLineEdit(entraComp_);
    count_->setObjectName("nTratamentos");
    setWidthInDigits(count_, 10);
    auto* indexLabel = new QLabel(Zav::tr("&Dendrograma sobre:"), entraComp_);
    indexLabel->setObjectName("LblIndice");
    index_ = new QComboBox(entraComp_);
    index_->setObjectName("cbIndice");
    index_->addItems({Zav::tr("1 - Sørensen (presença)"), QStringLiteral("Bray-Curtis (abundâncias)")});
    indexLabel->setBuddy(index_);
    const auto [ok, cancel] = okCancelButtons(entraComp_, "btnOkComp", "BtnCancelComp");
    connectGuardedClick(ok, this, interaction_, &ComparisonPanel::btnOkCompClick);
    connectGuardedClick(cancel, this, interaction_, &ComparisonPanel::btnCancelCompClick);
    layOutFields(entraComp_, {{prompt, count_}, {indexLabel, index_, true}}, ok, cancel);
    // Enter confirms from the field and from the index's list alike.
    confirmOnEnter(entraComp_, ok);
}

void ComparisonPanel::MnuComparacaoClick() {
    showEntryPanel(entraComp_, count_, QStringLiteral("2"));
    emit statusChanged(Zav::tr("Comparação de tratamentos ..."));
}

void ComparisonPanel::btnOkCompClick() {
    const auto count = typedTreatmentCount(interaction_, *count_, comparisonCountProblem);
    if (!count) return;
    entraComp_->hide();
    runComparison(*count);
}

void ComparisonPanel::runComparison(int treatments) {
    const auto index = index_->currentIndex() == 1 ? DendrogramIndex::BrayCurtis : DendrogramIndex::Sorensen;
    auto chosen = chooseTreatments(interaction_, clock_, treatments, lastOpenName_, mayReplaceReport_,
                                   [this](const QString& text) { emit statusChanged(text); });
    if (!chosen) return;
    const QString status = treatmentsStatus(chosen->files, chosen->names);
    // The files by the names as chosen.
    emit compared(reportDocument(zav::runComparison(std::move(chosen->files), index), chosen->sources, chosen->names));
    emit statusChanged(status);
}

void ComparisonPanel::btnCancelCompClick() {
    entraComp_->hide();
    emit allMenusEnabled(true);
    emit statusChanged(QString());
}

} // namespace zav
