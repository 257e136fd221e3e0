#pragma once
// The charts and the report on paper and in files: images of the charts, the
// report's pages for a printer or a PDF.

#include "charts/report_document.h"
#include "qtsupport/interaction.h"

#include <QString>

#include <string>
#include <vector>

class QPagedPaintDevice;

namespace zav {

class ChartBoard;

// The charts as an image, PNG, SVG or PDF by the path's suffix, saved
// atomically. Throws Error for any other suffix and FileWriteError when the
// file cannot be written.
void saveChartImage(ChartBoard& board, const QString& path, const QString& title);
void saveChartImage(const ReportResult& result, const QString& path, const QString& title);

// Lays the report's lines out in a monospaced font, as many to a page as fit,
// each page headed by `heading` and "Página N de M"; a line wider than the
// page goes on below. With `charts`, they follow on a page of their own.
// Throws Error when the device cannot be painted on.
void paintReportPages(QPagedPaintDevice& device, const std::vector<std::string>& lines, const QString& heading,
                      ChartBoard* charts);

// The report's pages, then its charts, as a PDF whose text can be selected
// and searched, saved atomically.
void saveReportPdf(const ReportDocument& document, const QString& path);

// "Arquivo > &Imprimir...": the print dialog, then the report's pages on the
// printer chosen. Nothing is printed when the dialog is cancelled.
void printReport(Interaction& interaction, const ReportDocument& document);

// "Arquivo > Exportar P&DF...": a save dialog starting in `directory` with
// the data file's name, then saveReportPdf.
void exportReportPdf(Interaction& interaction, const ReportDocument& document, const QString& directory);

} // namespace zav
