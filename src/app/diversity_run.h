#pragma once
// "Di&versidade": a data file chosen as "Calcular" chooses it, and the
// diversity of its whole community as a report document.

#include "qtsupport/interaction.h"
#include "report/report_document.h"

#include <QString>

#include <functional>
#include <optional>

namespace zav {

// The diversity report of the data file at `path` (named as the user chose
// it), read afresh; the run's errors are thrown before anything is shown.
ReportDocument diversityOfFile(const QString& path, const DateTime& when);

// The open dialog (starting at `lastOpenName`, which then names the file
// chosen), the clock read when it closes, then the run. Nothing when the
// dialog is cancelled. `status` hears "Calculando a diversidade do arquivo: <path>".
std::optional<ReportDocument> chooseAndRunDiversity(Interaction& interaction, Clock& clock, QString& lastOpenName,
                                                    const std::function<void(const QString&)>& status);

} // namespace zav
