// The charts module: everything that needs Qt Charts or Qt SVG, loaded by
// charts.cpp on the first chart or PDF.

#include "charts/charts_module.h"

#include "charts/chart_board.h"
#include "charts/chart_images.h"
#include "charts/chart_window.h"
#include "qtsupport/ui_text.h"
#include "report/report_pages.h"

#include <QPdfWriter>

namespace zav {
namespace {

QWidget* openWindow(Interaction& interaction, const ReportDocument& document, QWidget* parent) {
    auto* window = new ChartWindow(interaction, document, parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return window;
}

std::string documentImageBytes(const ReportDocument& document, const QString& suffix) {
    ChartBoard board(documentFigures(document, chartLanguageOf(document.language)));
    return chartImageBytes(board, suffix, Zav::tr("Gráfico - ") + document.name);
}

std::string reportBytes(const ReportDocument& document) {
    ChartBoard charts(documentFigures(document, chartLanguageOf(document.language)));
    return pdfBytes(document.name, a4Page(QPageLayout::Portrait), [&](QPdfWriter& writer) {
        paintReportPages(writer, document, [&](QPainter& painter, const QRectF& area) {
            // Laid out narrower than an image: the page is smaller than a screen.
            charts.render(painter, area, 820);
        });
    });
}

constexpr ChartsModule kModule{openWindow, reportBytes, documentImageBytes};

} // namespace
} // namespace zav

extern "C" __attribute__((visibility("default"))) const zav::ChartsModule* zav_charts_module() { return &zav::kModule; }
