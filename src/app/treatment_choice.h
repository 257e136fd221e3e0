#pragma once
// Choosing the treatment files of a similarity or a comparison, one dialog
// per treatment, each file read as soon as it is chosen; and the status line
// that names the treatments after the run.

#include "qtsupport/interaction.h"
#include "runs/run_kinds.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class QLineEdit;

namespace zav {

struct ChosenTreatments {
    TreatmentFiles files; // read, the clock read when the last was
    QStringList sources;  // the names as chosen
    QStringList names;    // the treatments' names, as the user left them
};

// The name a treatment's file proposes: "mata.txt" gives "mata".
QString proposedTreatmentName(const QString& path);

// The number of treatments typed in `field`, refused as the core's
// `problem` says (its message, or empty when the number is taken); a
// refusal is shown and the field keeps the focus.
std::optional<int> typedTreatmentCount(Interaction& interaction, QLineEdit& field,
                                       std::string (*problem)(std::int64_t));

// Asks for `treatments` files ("Selecione o arquivo: Tratamento k de N"),
// then for their names,
// starting at `lastOpenName` and leaving it at the last file chosen; a file
// that cannot be read ends the run with its error. Nothing when a dialog is
// cancelled (a treatment without its file would be reported as one without
// species) or when `mayReplaceReport()`, asked before the first dialog,
// says no.
std::optional<ChosenTreatments> chooseTreatments(Interaction& interaction, Clock& clock, int treatments,
                                                 QString& lastOpenName, const std::function<bool()>& mayReplaceReport,
                                                 const std::function<void(const QString&)>& status);

// "T1 = mata, T2 = pasto, ...", after the notes on how the species were
// paired when there are any.
QString treatmentsStatus(const TreatmentFiles& files, const QStringList& names);

} // namespace zav
