#pragma once
// The report on paper: its lines laid out in pages for a printer or a PDF.

#include "qtsupport/interaction.h"
#include "report/report_document.h"

#include <QPageLayout>
#include <QString>

#include <cstddef>
#include <functional>
#include <optional>
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

// A table of a report: lines [first, first + count) are its column heading,
// lines [first + count, rowsEnd) its rows.
struct ReportTable {
    std::size_t first = 0, count = 0, rowsEnd = 0;
};

// The species or pair table of the document's report, while its lines are
// as many as the report made (the user may have edited them).
std::optional<ReportTable> reportTable(const ReportDocument& document);

// The key of a similarity document's treatments as rows at most `columns`
// wide, "Tratamentos: T1 = mata.txt, T2 = pasto.txt, ...", then a blank row;
// nothing for other documents.
std::vector<QString> keyBlock(const ReportDocument& document, qsizetype columns);

// The rows each page shows, by their index, when `lineOfRow` gives each
// row's line (a line wider than the page takes several rows). A page that
// begins among the table's rows shows the table's heading first, and the
// heading never ends a page without a row below it. The last page never
// holds only one or two rows of text of its own (rows marked in `blank`
// hold none): the page before ends earlier, when both then keep three.
std::vector<std::vector<std::size_t>> pageRows(const std::vector<std::size_t>& lineOfRow, std::size_t perPage,
                                               const std::optional<ReportTable>& table,
                                               const std::vector<bool>& blank = {});

// The table of the species' names of a faunistic report, as lines: a title,
// a blank line, a heading of two lines, then "  número  nome" for each
// species of the report that has a name. Empty when none has one.
std::vector<QString> speciesNameLines(const ReportDocument& document);
// The heading's place among those lines.
inline constexpr std::size_t kNamesHeadingLine = 2, kNamesHeadingLines = 2;

// Lays the report's lines out in a monospaced font, as many to a page as fit,
// each page headed by the document's name and "Página N de M"; a line wider
// than the page goes on below. The table of the species' names follows on
// pages of its own, its heading repeated on each. With `lastPage`, one more
// page follows (the charts). Throws Error when the device cannot be painted
// on.
void paintReportPages(QPagedPaintDevice& device, const ReportDocument& document, const PagePainter& lastPage = {});

// The name each page is headed by: the document's, and "(editado)" after it
// when the user changed the text.
QString pageHeading(const ReportDocument& document);

// "<name>.pdf" in the folder of the document's (first) data file: where a
// PDF of it is proposed.
QString proposedPdfFile(const ReportDocument& document);

// "Arquivo > &Imprimir...": the print dialog, then the report's pages on the
// printer chosen. Nothing is printed when the dialog is cancelled.
void printReport(Interaction& interaction, const ReportDocument& document);

// The bytes of a PDF of what `paint` draws, with selectable text, on pages
// of `page` (a4Page for the report and the charts, a journal's size for an
// image).
std::string pdfBytes(const QString& title, const QPageLayout& page, const std::function<void(QPdfWriter&)>& paint);
// An A4 page with the report's margins.
QPageLayout a4Page(QPageLayout::Orientation orientation);

// painter.begin(&device), or Error.
void beginPainting(QPainter& painter, QPaintDevice& device);

std::string bytesOf(const QBuffer& buffer);

} // namespace zav
