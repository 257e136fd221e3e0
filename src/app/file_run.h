#pragma once
// "Calcular", "Di&versidade" and every other analysis of one data file: the
// file chosen as "Calcular" chooses it, the clock read when the dialog
// closes, and the run of the kind asked for as a report document.

#include "qtsupport/interaction.h"
#include "report/report_document.h"
#include "runs/run_kinds.h"

#include <QString>

#include <functional>
#include <optional>

namespace zav {

// The report of `kind` on the data file at `path` (named as the user chose
// it), read afresh; the run's errors are thrown before anything is shown.
ReportDocument runOnFile(RunKind kind, const QString& path, const DateTime& when, const RunParameters& parameters = {});

// The open dialog (starting at `lastOpenName`, which then names the file
// chosen), the clock read when it closes, then the run. Nothing when the
// dialog is cancelled. The fluctuation asks its lag after the file
// (0 proposed); cancelling it runs nothing. `status` hears the kind's running status
// ("Calculando o arquivo: <path>").
std::optional<ReportDocument> chooseAndRun(RunKind kind, Interaction& interaction, Clock& clock, QString& lastOpenName,
                                           const std::function<void(const QString&)>& status);

// The status line while the file is run, and when it is done ("Cálculo do
// arquivo: <path> finalizado").
QString runningStatus(RunKind kind, const QString& path);
QString doneStatus(RunKind kind, const QString& path);

} // namespace zav
