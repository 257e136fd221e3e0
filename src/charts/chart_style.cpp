#include "charts/chart_style.h"

#include <QBarCategoryAxis>
#include <QCategoryAxis>
#include <QChart>
#include <QLegend>
#include <QLegendMarker>
#include <QValueAxis>

namespace zav::style {

QColor colour(SeriesColour colour) {
    switch (colour) {
    case SeriesColour::Species:
        return {31, 90, 160};
    case SeriesColour::Predominant:
        return {230, 140, 0};
    case SeriesColour::Excluded:
        return {200, 30, 30};
    case SeriesColour::First:
        return {31, 90, 160};
    case SeriesColour::Second:
        return {200, 90, 20};
    case SeriesColour::Third:
        return {40, 140, 60};
    case SeriesColour::Grey:
        return {90, 90, 90};
    }
    return {31, 90, 160};
}

QString text(const std::string& utf8) { return QString::fromStdString(utf8); }

QChart* newChart(const QString& title, qreal points) {
    auto* chart = new QChart;
    chart->setTitle(title);
    QFont font = chart->titleFont();
    font.setPointSizeF(points);
    font.setBold(true);
    chart->setTitleFont(font);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->setBackgroundRoundness(0);
    return chart;
}

QString titleOf(const Figure& figure) {
    // Plain texts in rich text: "p < 0,05" stays as written.
    QString title = text(figure.title).toHtmlEscaped();
    for (const auto& note : figure.notes)
        title += QStringLiteral("<br><small>") + text(note).toHtmlEscaped() + QStringLiteral("</small>");
    return title;
}

void attach(QChart* chart, QAbstractSeries* series, QAbstractAxis* x, QAbstractAxis* y) {
    chart->addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
}

void hideFromLegend(QChart* chart, QAbstractSeries* series) {
    for (auto* marker : chart->legend()->markers(series))
        marker->setVisible(false);
}

QValueAxis* valueAxis(const FigureAxis& figure) {
    auto* axis = new QValueAxis;
    axis->setTitleText(text(figure.title));
    axis->setRange(figure.min, figure.max);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    axis->setTickInterval(figure.step);
    // As many decimals as the figure's labels have.
    qsizetype decimals = 0;
    if (!figure.ticks.empty()) {
        const auto& label = figure.ticks.front().label;
        const auto point = label.find('.');
        if (point != std::string::npos) decimals = static_cast<qsizetype>(label.size() - point - 1);
    }
    axis->setLabelFormat(QStringLiteral("%.%1f").arg(decimals));
    return axis;
}

std::pair<QBarCategoryAxis*, QValueAxis*> barAxes(QChart* chart, const QStringList& places, const Figure& figure) {
    auto* x = new QBarCategoryAxis;
    x->append(places);
    x->setTitleText(text(figure.x.title));
    x->setTruncateLabels(false);
    auto* y = valueAxis(figure.y);
    y->setTickType(QValueAxis::TicksFixed);
    y->setTickCount(static_cast<int>(figure.y.ticks.size()));
    y->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    return {x, y};
}

QCategoryAxis* categoryAxis(const FigureAxis& figure) {
    auto* axis = new QCategoryAxis;
    axis->setTitleText(text(figure.title));
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setRange(figure.min, figure.max);
    axis->setStartValue(figure.min);
    for (const auto& tick : figure.ticks)
        axis->append(text(tick.label), tick.at);
    return axis;
}

void smallFonts(QChart* chart) {
    for (auto* axis : chart->axes()) {
        QFont font = axis->titleFont();
        font.setPointSizeF(kAxisTitlePoints);
        axis->setTitleFont(font);
    }
    QFont legend = chart->legend()->font();
    legend.setPointSizeF(kLegendPoints);
    chart->legend()->setFont(legend);
    chart->legend()->setAlignment(Qt::AlignBottom);
}

} // namespace zav::style
