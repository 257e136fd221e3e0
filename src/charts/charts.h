#pragma once
// The charts and the report's PDF, for the window and the batch mode. They
// live in a module (zav_charts_module) loaded on the first call, so that Qt
// Charts is not loaded while the program starts. Each function throws Error
// when the module cannot be loaded, and the errors of the work itself.

#include "qtsupport/interaction.h"
#include "report/report_document.h"

#include <QString>

#include <string>

class QWidget;

namespace zav {

// "&Gráfico": a new window "Gráfico - <name>" with the charts of the
// document's result, shown, not blocking `parent`, deleted when closed (and
// closed with `parent`). Its "Salvar imagem..." asks through `interaction`.
QWidget* openChartWindow(Interaction& interaction, const ReportDocument& document, QWidget* parent);

// The document's charts, with the key of its treatments, titled
// "Gráfico - <name>": the bytes of a "png", "svg" or "pdf" image.
std::string chartImageBytes(const ReportDocument& document, const QString& suffix);

// The report's pages, then its charts on a page of their own, as the bytes
// of a PDF whose text can be selected and searched.
std::string reportPdfBytes(const ReportDocument& document);

// The report's pages, then its charts on a page of their own, as a PDF whose
// text can be selected and searched, saved atomically.
void saveReportPdf(const ReportDocument& document, const QString& path);

// "Arquivo > Exportar P&DF...": a save dialog proposing the document's
// outputBaseName in the survey's folder ("dados.pdf",
// "mata-similaridade.pdf"), then saveReportPdf. Returns the file written,
// empty when cancelled.
QString exportReportPdf(Interaction& interaction, const ReportDocument& document);

} // namespace zav
