#pragma once
// The species table of the faunistic report shown, out of the window:
// "Arquivo > Copiar tabela" and "Arquivo > Exportar tabela...".

#include "analysis/analysis.h"
#include "qtsupport/interaction.h"
#include "report/report_document.h"

#include <QString>

#include <functional>

namespace zav {

// The document's species table, or nothing for a report of another kind.
const AnalysisResult* speciesTableOf(const ReportDocument& document);

// The table on the clipboard as tab-separated text and as an HTML table (a
// spreadsheet or a word processor pastes either as a table), the figures
// rounded as the report rounds them, with the system's decimal separator.
void copySpeciesTable(const AnalysisResult& result);

// The save dialog, then the table written atomically as CSV or XLSX, by the
// extension of the name chosen. `refusal` gives the reason a path will not
// do (the survey's own file), or empty. The path written, or empty when the
// user cancelled.
QString exportSpeciesTable(Interaction& interaction, const ReportDocument& document,
                           const std::function<QString(const QString&)>& refusal);

} // namespace zav
