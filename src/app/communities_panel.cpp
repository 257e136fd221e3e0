#include "app/communities_panel.h"

#include "app/treatment_choice.h"

#include "communities/communities_report.h"
#include "qtsupport/guarded.h"
#include "qtsupport/panels.h"
#include "qtsupport/ui_language.h"
#include "qtsupport/ui_text.h"
#include "runs/run_kinds.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>

namespace zav {

CommunitiesPanel::CommunitiesPanel(QWidget* client, Interaction& interaction, Clock& clock)
    : QObject(client), interaction_(interaction), clock_(clock) {
    entraComun_ = makePanel(client, "EntraComun", false, "PanelComun", Zav::tr("Comunidades dos tratamentos"));
    auto* prompt = new QLabel(Zav::tr("Número de tratamentos (2 a 10):"), entraComun_);
    prompt->setObjectName("LblNumComun");
    count_ = new QLineEdit(entraComun_);
    count_->setObjectName("nTratamentosComun");
    setWidthInDigits(count_, 10);
    auto* indexLabel = new QLabel(Zav::tr("&Dissimilaridade entre coletas:"), entraComun_);
    indexLabel->setObjectName("LblIndiceComun");
    index_ = new QComboBox(entraComun_);
    index_->setObjectName("cbIndiceComun");
    index_->addItems({Zav::tr("Bray-Curtis (abundâncias)"), Zav::tr("Jaccard (presença)")});
    indexLabel->setBuddy(index_);
    auto* permutationsLabel = new QLabel(Zav::tr("&Permutações dos testes:"), entraComun_);
    permutationsLabel->setObjectName("LblPermutacoes");
    permutations_ = new QSpinBox(entraComun_);
    permutations_->setObjectName("sbPermutacoes");
    permutations_->setRange(1, communities::kMaxPermutations);
    permutations_->setValue(communities::kDefaultPermutations);
    permutationsLabel->setBuddy(permutations_);
    const auto [ok, cancel] = okCancelButtons(entraComun_, "btnOkComun", "BtnCancelComun");
    connectGuardedClick(ok, this, interaction_, &CommunitiesPanel::btnOkComunClick);
    connectGuardedClick(cancel, this, interaction_, &CommunitiesPanel::btnCancelComunClick);
    layOutFields(entraComun_, {{prompt, count_}, {indexLabel, index_, true}, {permutationsLabel, permutations_}}, ok,
                 cancel);
    // Enter confirms from every field.
    confirmOnEnter(entraComun_, ok);
}

void CommunitiesPanel::MnuComunidadesClick() {
    showEntryPanel(entraComun_, count_, QStringLiteral("2"));
    emit statusChanged(Zav::tr("Comunidades dos tratamentos ..."));
}

void CommunitiesPanel::btnOkComunClick() {
    const auto count = typedTreatmentCount(interaction_, *count_, comparisonCountProblem);
    if (!count) return;
    entraComun_->hide();
    runCommunities(*count);
}

void CommunitiesPanel::runCommunities(int treatments) {
    CommunityOptions options;
    options.index =
        index_->currentIndex() == 1 ? communities::Dissimilarity::Jaccard : communities::Dissimilarity::BrayCurtis;
    options.permutations = permutations_->value();
    auto chosen = chooseTreatments(interaction_, clock_, treatments, lastOpenName_, mayReplaceReport_,
                                   [this](const QString& text) { emit statusChanged(text); });
    if (!chosen) return;
    // The files again with their collections, at the time the last was chosen.
    auto run = zav::runCommunities(chosen->files.paths, options, chosen->files.when);
    // The key, then the collections left out.
    QString status = treatmentsStatus(run.treatments, chosen->names);
    for (const auto& excluded : run.result.samples.excluded)
        status += QStringLiteral(" - ") + interfaceMessage(communities::exclusionNote(excluded));
    emit compared(reportDocument(std::move(run), chosen->sources, chosen->names));
    emit statusChanged(status);
}

void CommunitiesPanel::btnCancelComunClick() {
    entraComun_->hide();
    emit allMenusEnabled(true);
    emit statusChanged(QString());
}

} // namespace zav
