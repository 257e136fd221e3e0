#include "charts/report_pages.h"

#include "data/errors.h"
#include "qtsupport/atomic_save.h"
#include "qtsupport/qt_text.h"

#include <QBuffer>
#include <QFontDatabase>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <algorithm>
#include <cmath>

namespace zav {
namespace {

const QMarginsF kPageMargins(15, 15, 15, 15); // millimetres

const char* const kCannotPaint = "Erro: não foi possível preparar a impressão";

QFont headingFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSizeF(9);
    return font;
}

qreal headingHeight(const QPaintDevice& device) { return QFontMetricsF(headingFont(), &device).height() * 2.2; }

// The page's heading: the name on the left, "Página N de M" on the right, a
// rule below. Returns its height.
qreal paintHeading(QPainter& painter, const QRectF& page, const QString& heading, int number, int count) {
    const QFont font = headingFont();
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    const QString pageText = QStringLiteral("Página %1 de %2").arg(number).arg(count);
    const qreal pageWidth = metrics.horizontalAdvance(pageText);
    const QString name =
        metrics.elidedText(heading, Qt::ElideMiddle, page.width() - pageWidth - metrics.averageCharWidth() * 4);
    const qreal baseline = page.top() + metrics.ascent();
    painter.drawText(QPointF(page.left(), baseline), name);
    painter.drawText(QPointF(page.right() - pageWidth, baseline), pageText);
    const qreal ruleAt = page.top() + metrics.height() * 1.3;
    painter.setPen(QPen(Qt::black, metrics.height() / 20));
    painter.drawLine(QPointF(page.left(), ruleAt), QPointF(page.right(), ruleAt));
    return headingHeight(*painter.device());
}

// The report's font, at the size that puts its widest line (80 columns at
// least) across the page, no smaller than 6 points.
QFont reportFont(const QPaintDevice& device, qreal pageWidth, std::size_t widest) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setHintingPreference(QFont::PreferNoHinting);
    const qreal preferred = 10;
    font.setPointSizeF(preferred);
    const qreal columns = static_cast<qreal>(std::max<std::size_t>(80, widest));
    const qreal advance = QFontMetricsF(font, &device).horizontalAdvance(QLatin1Char('M'));
    if (advance * columns > pageWidth) font.setPointSizeF(std::max(6.0, preferred * pageWidth / (advance * columns)));
    return font;
}

} // namespace

void beginPainting(QPainter& painter, QPaintDevice& device) {
    if (!painter.begin(&device)) throw Error(kCannotPaint);
}

std::string bytesOf(const QBuffer& buffer) { return std::string(buffer.data().constData(), buffer.data().size()); }

void savePdf(const QString& path, const QString& title, QPageLayout::Orientation orientation,
             const std::function<void(QPdfWriter&)>& paint) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("ZAVIRO - Análise Faunística"));
        writer.setResolution(1200);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), orientation, kPageMargins, QPageLayout::Millimeter));
        paint(writer);
    }
    saveFileAtomically(path, bytesOf(buffer));
}

void paintReportPages(QPagedPaintDevice& device, const std::vector<std::string>& lines, const QString& heading,
                      const PagePainter& lastPage) {
    QPainter painter;
    beginPainting(painter, device);
    const QRectF page(0, 0, device.width(), device.height());

    std::size_t widest = 0;
    for (const auto& line : lines)
        widest = std::max(widest, line.size());
    const QFont font = reportFont(device, page.width(), widest);
    const QFontMetricsF metrics(font, &device);
    const auto columns =
        std::max<qsizetype>(1, static_cast<qsizetype>(page.width() / metrics.horizontalAdvance(QLatin1Char('M'))));

    // What does not fit across the page goes on in the lines below.
    QStringList rows;
    rows.reserve(static_cast<qsizetype>(lines.size()));
    for (const auto& line : lines) {
        const QString text = fromCp1252(line);
        qsizetype from = 0;
        do {
            rows << text.mid(from, columns);
            from += columns;
        } while (from < text.size());
    }

    const auto perPage =
        std::max<qsizetype>(1, static_cast<qsizetype>((page.height() - headingHeight(device)) / metrics.lineSpacing()));
    const auto reportPages = static_cast<int>(std::max<qsizetype>(1, (rows.size() + perPage - 1) / perPage));
    const int pageCount = reportPages + (lastPage ? 1 : 0);

    for (int p = 0; p < reportPages; ++p) {
        if (p > 0 && !device.newPage()) throw Error(kCannotPaint);
        const qreal top = paintHeading(painter, page, heading, p + 1, pageCount);
        painter.setFont(font);
        painter.setPen(Qt::black);
        const auto first = p * perPage;
        const auto last = std::min(rows.size(), first + perPage);
        for (auto r = first; r < last; ++r)
            painter.drawText(
                QPointF(page.left(), top + metrics.ascent() + static_cast<qreal>(r - first) * metrics.lineSpacing()),
                rows[r]);
    }
    if (lastPage) {
        if (!device.newPage()) throw Error(kCannotPaint);
        const qreal top = paintHeading(painter, page, heading, pageCount, pageCount);
        lastPage(painter, page.adjusted(0, top, 0, 0));
    }
}

void printReport(Interaction& interaction, const ReportDocument& document) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(document.name);
    printer.setPageMargins(kPageMargins, QPageLayout::Millimeter);
    if (!interaction.choosePrinter(printer)) return;
    paintReportPages(printer, document.lines, document.name);
}

} // namespace zav
