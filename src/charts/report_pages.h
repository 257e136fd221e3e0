#pragma once
// The report on paper: its lines laid out in pages for a printer or a PDF.

#include "charts/report_document.h"
#include "qtsupport/interaction.h"

#include <QPageLayout>
#include <QString>

#include <functional>
#include <string>
#include <vector>

class QBuffer;
class QPagedPaintDevice;
class QPaintDevice;
class QPainter;
class QPdfWriter;
class QRectF;

namespace zav {

// What a page shows below its heading.
using PagePainter = std::function<void(QPainter& painter, const QRectF& area)>;

// Lays the report's lines out in a monospaced font, as many to a page as fit,
// each page headed by `heading` and "Página N de M"; a line wider than the
// page goes on below. With `lastPage`, one more page follows (the charts).
// Throws Error when the device cannot be painted on.
void paintReportPages(QPagedPaintDevice& device, const std::vector<std::string>& lines, const QString& heading,
                      const PagePainter& lastPage = {});

// "Arquivo > &Imprimir...": the print dialog, then the report's pages on the
// printer chosen. Nothing is printed when the dialog is cancelled.
void printReport(Interaction& interaction, const ReportDocument& document);

// An A4 PDF of what `paint` draws, with selectable text, saved atomically.
void savePdf(const QString& path, const QString& title, QPageLayout::Orientation orientation,
             const std::function<void(QPdfWriter&)>& paint);

// painter.begin(&device), or Error.
void beginPainting(QPainter& painter, QPaintDevice& device);

std::string bytesOf(const QBuffer& buffer);

} // namespace zav
