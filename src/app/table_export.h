#pragma once
// The species table of the faunistic report shown, out of the window:
// "Arquivo > Copiar tabela" and "Arquivo > Exportar tabela...".

#include "analysis/analysis.h"
#include "data/report_language.h"
#include "data/shown_table.h"
#include "qtsupport/interaction.h"
#include "report/report_document.h"

#include <QString>

#include <functional>

namespace zav {

// The document's species table, or nothing for a report of another kind.
const AnalysisResult* speciesTableOf(const ReportDocument& document);

// The tables of the document's report for people, whatever its kind
// (runs/report_tables.h), their words in `language`.
std::vector<ShownTable> documentTables(const ReportDocument& document, char decimalSeparator = '.',
                                       ReportLanguage language = ReportLanguage::Portuguese);

// The report's tables on the clipboard as tab-separated text and as HTML
// tables (a spreadsheet or a word processor pastes either as tables), the
// figures rounded as the report rounds them, with the system's decimal
// separator, the abbreviations explained under each table, in the window's
// language.
void copyReportTables(const ReportDocument& document);

// The save dialog, then the tables written atomically as CSV or XLSX, by
// the extension of the name chosen: for a faunistic report its species
// table for programs (every figure at full precision), for the others the
// tables as copied. `refusal` gives the reason a path will not do (the
// survey's own file), or empty. The path written, or empty when the user
// cancelled.
QString exportReportTables(Interaction& interaction, const ReportDocument& document,
                           const std::function<QString(const QString&)>& refusal);

} // namespace zav
