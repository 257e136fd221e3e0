#include "app/comparison_panel.h"

#include "app/treatment_choice.h"

#include "qtsupport/guarded.h"
#include "qtsupport/panels.h"
#include "qtsupport/qt_text.h"
#include "runs/runs.h"
#include "similarity/similarity_report.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

namespace zav {

ComparisonPanel::ComparisonPanel(QWidget* client, Interaction& interaction, Clock& clock)
    : QObject(client), interaction_(interaction), clock_(clock) {
    entraComp_ = makePanel(client, "EntraComp", {200, 150, 249, 201}, false);
    makeTitleBar(entraComp_, "PanelComp", QStringLiteral("Comparação de tratamentos"), {8, 8, 233, 25});
    auto* prompt = new QLabel(QStringLiteral("Número de tratamentos (2 a 10):"), entraComp_);
    prompt->setObjectName("LblNumComp");
    prompt->setGeometry(8, 40, 233, 20);
    count_ = new QLineEdit(entraComp_);
    count_->setObjectName("nTratamentos");
    count_->setGeometry(8, 62, 89, 23);
    auto* indexLabel = new QLabel(QStringLiteral("&Dendrograma sobre:"), entraComp_);
    indexLabel->setObjectName("LblIndice");
    indexLabel->setGeometry(8, 92, 233, 20);
    index_ = new QComboBox(entraComp_);
    index_->setObjectName("cbIndice");
    index_->addItems({QStringLiteral("1 - Sørensen (presença)"), QStringLiteral("Bray-Curtis (abundâncias)")});
    index_->setGeometry(8, 114, 233, 25);
    indexLabel->setBuddy(index_);
    auto* ok = new QPushButton(QStringLiteral("Ok"), entraComp_);
    ok->setObjectName("btnOkComp");
    ok->setGeometry(40, 160, 75, 25);
    ok->setDefault(true);
    connectGuardedClick(ok, this, interaction_, &ComparisonPanel::btnOkCompClick);
    auto* cancel = new QPushButton(QStringLiteral("Cancelar"), entraComp_);
    cancel->setObjectName("BtnCancelComp");
    cancel->setGeometry(134, 160, 75, 25);
    connectGuardedClick(cancel, this, interaction_, &ComparisonPanel::btnCancelCompClick);
    cancelOnEscape(entraComp_, cancel);
    // Enter confirms from the field and from the index's list alike.
    for (const auto key : {Qt::Key_Return, Qt::Key_Enter})
        connect(new QShortcut(QKeySequence(key), entraComp_, nullptr, nullptr, Qt::WidgetWithChildrenShortcut),
                &QShortcut::activated, ok, &QPushButton::click);
}

void ComparisonPanel::MnuComparacaoClick() {
    count_->setText(QStringLiteral("2"));
    entraComp_->show();
    entraComp_->raise();
    count_->setFocus();
    count_->selectAll();
    emit statusChanged(QStringLiteral("Comparação de tratamentos ..."));
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
