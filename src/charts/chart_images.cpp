#include "charts/chart_images.h"

#include "charts/chart_board.h"
#include "report/report_pages.h"
#include "data/errors.h"
#include "qtsupport/atomic_save.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSvgGenerator>

namespace zav {
namespace {

// The size, in pixels, the charts are laid out at in an image file.
constexpr QSize kImageSize(1500, 850);

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

} // namespace

std::string chartImageBytes(ChartBoard& board, const QString& suffix, const QString& title) {
    const QRectF area(QPointF(0, 0), kImageSize);
    if (suffix == QLatin1String("png")) {
        // Twice the pixels, for print.
        QImage image(kImageSize * 2, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter;
        beginPainting(painter, image);
        board.render(painter, QRectF(QPointF(0, 0), image.size()), kImageSize.width());
        painter.end();
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        if (!image.save(&buffer, "PNG")) throw Error("Erro: não foi possível gerar a imagem PNG");
        return bytesOf(buffer);
    }
    if (suffix == QLatin1String("svg")) {
        QBuffer buffer;
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(kImageSize);
        svg.setViewBox(area);
        // The generator writes the title as it is: "&" or "<" in a file's
        // name would leave the file not well formed.
        svg.setTitle(title.toHtmlEscaped());
        QPainter painter;
        beginPainting(painter, svg);
        board.render(painter, area, kImageSize.width());
        painter.end();
        return withoutEmptyGroups(buffer.data());
    }
    if (suffix == QLatin1String("pdf"))
        return pdfBytes(title, QPageLayout::Landscape, [&](QPdfWriter& writer) {
            QPainter painter;
            beginPainting(painter, writer);
            board.render(painter, QRectF(0, 0, writer.width(), writer.height()), kImageSize.width());
        });
    throw Error("Erro: o gráfico é gravado em PNG, SVG ou PDF: termine o nome do arquivo em .png, .svg ou .pdf");
}

void saveChartImage(ChartBoard& board, const QString& path, const QString& title) {
    saveFileAtomically(path, chartImageBytes(board, QFileInfo(path).suffix().toLower(), title));
}

} // namespace zav
