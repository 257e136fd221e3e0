#include "charts/chart_images.h"

#include "charts/chart_board.h"
#include "data/errors.h"
#include "qtsupport/atomic_save.h"
#include "report/report_pages.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSvgGenerator>

#include <cmath>
#include <functional>

namespace zav {
namespace {

// The size, in pixels, the charts are laid out at in an image file.
constexpr QSize kImageSize(1500, 850);
// One chart alone, at the screen's layout.
constexpr QSize kOneChartSize(1000, 700);
// Layout pixels per millimetre at a journal's width: 96 to the inch, at
// which a font prints at its point size.
constexpr double kLayoutPerMm = 96 / 25.4;

// QSvgGenerator opens a group at every change of pen, brush or font, and the
// charts change them often without drawing in between: without the empty
// groups the file is a quarter of the size.
std::string withoutEmptyGroups(const QByteArray& svg) {
    static const QRegularExpression emptyGroup(QStringLiteral(R"(<g\b[^>]*>\s*</g>\s*)"));
    QString text = QString::fromUtf8(svg);
    for (qsizetype before = -1; before != text.size();) {
        before = text.size();
        text.remove(emptyGroup);
    }
    return text.toStdString();
}

const char* const kWrongSuffix =
    "Erro: o gráfico é gravado em PNG, SVG ou PDF: termine o nome do arquivo em .png, .svg ou .pdf";

std::string pngBytes(const QImage& image) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) throw Error("Erro: não foi possível gerar a imagem PNG");
    return bytesOf(buffer);
}

// What an image of a journal's size is made of: the layout, in pixels, and
// the page, in millimetres.
struct Layout {
    QSizeF pixels;
    QSizeF millimetres;
};

// In one column the texts print at 80% of their screen size (the smallest,
// the class codes, at 6 points), so that titles and axes stay whole.
Layout journalLayout(const ImageSize& size, bool oneChart) {
    const QSizeF mm = imageMillimetres(size, oneChart);
    return {mm * kLayoutPerMm * (size.widthMm < 120 ? 1.25 : 1.0), mm};
}

std::string journalImageBytes(const QString& suffix, const QString& title, const ImageSize& size, bool oneChart,
                              const std::function<void(QPainter&, const QRectF&, qreal)>& render) {
    const Layout layout = journalLayout(size, oneChart);
    if (suffix == QLatin1String("png")) {
        const double dotsPerMm = size.dpi / 25.4;
        QImage image((layout.millimetres * dotsPerMm).toSize(), QImage::Format_RGB32);
        // The resolution in the file, so that a journal's check reads it.
        image.setDotsPerMeterX(static_cast<int>(std::lround(dotsPerMm * 1000)));
        image.setDotsPerMeterY(static_cast<int>(std::lround(dotsPerMm * 1000)));
        image.fill(Qt::white);
        QPainter painter;
        beginPainting(painter, image);
        render(painter, QRectF(QPointF(0, 0), image.size()), layout.pixels.width());
        painter.end();
        return pngBytes(image);
    }
    if (suffix == QLatin1String("svg")) {
        QBuffer buffer;
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        // Its width and height in millimetres follow from the resolution.
        svg.setResolution(96);
        svg.setSize(layout.pixels.toSize());
        svg.setViewBox(QRectF(QPointF(0, 0), layout.pixels));
        svg.setTitle(title.toHtmlEscaped());
        QPainter painter;
        beginPainting(painter, svg);
        render(painter, QRectF(QPointF(0, 0), layout.pixels), layout.pixels.width());
        painter.end();
        // The generator's size is in whole pixels: the page's own size instead.
        static const QRegularExpression pageSize(QStringLiteral(R"(width="[0-9.]+mm" height="[0-9.]+mm")"));
        QString text = QString::fromUtf8(buffer.data());
        text.replace(pageSize, QStringLiteral(R"(width="%1mm" height="%2mm")")
                                   .arg(layout.millimetres.width())
                                   .arg(layout.millimetres.height()));
        return withoutEmptyGroups(text.toUtf8());
    }
    if (suffix == QLatin1String("pdf")) {
        const QPageLayout page(QPageSize(layout.millimetres, QPageSize::Millimeter, QString(), QPageSize::ExactMatch),
                               QPageLayout::Portrait, QMarginsF(), QPageLayout::Millimeter);
        return pdfBytes(title, page, [&](QPdfWriter& writer) {
            QPainter painter;
            beginPainting(painter, writer);
            render(painter, QRectF(0, 0, writer.width(), writer.height()), layout.pixels.width());
        });
    }
    throw Error(kWrongSuffix);
}

} // namespace

QSizeF imageLayoutPixels(const ImageSize& size, bool oneChart) {
    if (size.widthMm > 0) return journalLayout(size, oneChart).pixels;
    return oneChart ? kOneChartSize : kImageSize;
}

QSizeF imageMillimetres(const ImageSize& size, bool oneChart) {
    const double w = size.widthMm;
    // The whole board stacks its class charts below the large one: taller
    // than wide, within a journal's page.
    if (!oneChart) return {w, w < 120 ? w * 1.75 : w * 1.06};
    // One chart in one column: taller than wide, with room under the plot
    // for a key.
    return {w, w < 120 ? w * 1.2 : w * 0.72};
}

std::string chartImageBytes(ChartBoard& board, const QString& suffix, const QString& title, const ImageSize& size,
                            int chart) {
    const auto render = [&](QPainter& painter, const QRectF& target, qreal width) {
        if (chart >= 0)
            board.renderChart(painter, chart, target, width);
        else
            board.render(painter, target, width);
    };
    if (size.widthMm > 0) return journalImageBytes(suffix, title, size, chart >= 0, render);
    const QSize layout = chart >= 0 ? kOneChartSize : kImageSize;
    const QRectF area(QPointF(0, 0), layout);
    if (suffix == QLatin1String("png")) {
        // Twice the pixels, for print.
        QImage image(layout * 2, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter;
        beginPainting(painter, image);
        render(painter, QRectF(QPointF(0, 0), image.size()), layout.width());
        painter.end();
        return pngBytes(image);
    }
    if (suffix == QLatin1String("svg")) {
        QBuffer buffer;
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(layout);
        svg.setViewBox(area);
        // The generator writes the title as it is: "&" or "<" in a file's
        // name would leave the file not well formed.
        svg.setTitle(title.toHtmlEscaped());
        QPainter painter;
        beginPainting(painter, svg);
        render(painter, area, layout.width());
        painter.end();
        return withoutEmptyGroups(buffer.data());
    }
    if (suffix == QLatin1String("pdf"))
        return pdfBytes(title, a4Page(QPageLayout::Landscape), [&](QPdfWriter& writer) {
            QPainter painter;
            beginPainting(painter, writer);
            render(painter, QRectF(0, 0, writer.width(), writer.height()), layout.width());
        });
    throw Error(kWrongSuffix);
}

void saveChartImage(ChartBoard& board, const QString& path, const QString& title, const ImageSize& size, int chart) {
    saveFileAtomically(path, chartImageBytes(board, QFileInfo(path).suffix().toLower(), title, size, chart));
}

} // namespace zav
