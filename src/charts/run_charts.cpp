#include "charts/run_charts.h"

#include "charts/chart_style.h"

#include <QAreaSeries>
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QGraphicsRectItem>
#include <QGraphicsSimpleTextItem>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPen>
#include <QScatterSeries>
#include <QStackedBarSeries>
#include <QValueAxis>

#include <algorithm>
#include <array>
#include <cmath>

namespace zav {
namespace {

// A series of round dots, or a solid or dashed line through its points.
QAbstractSeries* dotsOrLine(const FigureSeries& s, const QColor& colour) {
    if (s.style == SeriesStyle::Points) {
        auto* dot = new QScatterSeries;
        dot->setMarkerShape(QScatterSeries::MarkerShapeCircle);
        dot->setMarkerSize(style::kDotSize);
        dot->setColor(colour);
        dot->setBorderColor(colour);
        for (const auto& p : s.points)
            dot->append(p.x, p.y);
        return dot;
    }
    auto* line = new QLineSeries;
    line->setPen(QPen(colour, style::kCurvePen, s.style == SeriesStyle::Dashed ? Qt::DashLine : Qt::SolidLine));
    for (const auto& p : s.points)
        line->append(p.x, p.y);
    return line;
}

} // namespace

QChart* curveChart(const Figure& figure) {
    // A chart of several curves names each by its solid line; the title
    // says what the line styles and the dot are.
    const auto lines = std::count_if(figure.series.begin(), figure.series.end(),
                                     [](const FigureSeries& s) { return s.style == SeriesStyle::Line; });
    auto* chart =
        style::newChart(style::titleOf(figure), lines > 1 ? style::kTitlePoints : style::kOneCurveTitlePoints);
    auto* x = style::valueAxis(figure.x);
    auto* y = style::valueAxis(figure.y);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (const auto& s : figure.series) {
        const QColor colour = style::colour(s.colour);
        QAbstractSeries* added = nullptr;
        if (s.style == SeriesStyle::Band) {
            auto *lower = new QLineSeries, *upper = new QLineSeries;
            for (const auto& p : s.points) {
                lower->append(p.x, *p.low);
                upper->append(p.x, *p.high);
            }
            auto* band = new QAreaSeries(upper, lower);
            QColor fill = colour;
            fill.setAlpha(style::kBandAlpha);
            band->setBrush(fill);
            band->setPen(Qt::NoPen);
            added = band;
        } else {
            added = dotsOrLine(s, colour);
        }
        added->setName(style::text(s.name));
        style::attach(chart, added, x, y);
        if (s.name.empty()) style::hideFromLegend(chart, added);
    }
    style::smallFonts(chart);
    return chart;
}

QChart* timeChart(const Figure& figure) {
    auto* chart = style::newChart(style::titleOf(figure), style::kTitlePoints);
    // Labels at the figure's ticks: the first of a month is no whole step
    // of days.
    auto* x = style::categoryAxis(figure.x);
    auto* y = style::valueAxis(figure.y);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    QValueAxis* y2 = nullptr;
    if (figure.y2) {
        y2 = style::valueAxis(*figure.y2);
        y2->setGridLineVisible(false);
        chart->addAxis(y2, Qt::AlignRight);
    }
    for (const auto& s : figure.series) {
        const QColor colour = style::colour(s.colour);
        QAbstractSeries* added = nullptr;
        if (s.style == SeriesStyle::Bars) {
            // The bars as one outline from the axis up and down again.
            auto* outline = new QLineSeries;
            const qreal half = s.barWidth / 2;
            for (const auto& p : s.points)
                outline->append({{p.x - half, 0}, {p.x - half, p.y}, {p.x + half, p.y}, {p.x + half, 0}});
            auto* bars = new QAreaSeries(outline);
            QColor fill = colour;
            if (s.secondAxis) fill.setAlpha(160);
            bars->setBrush(fill);
            bars->setPen(Qt::NoPen);
            added = bars;
        } else {
            added = dotsOrLine(s, colour);
        }
        added->setName(style::text(s.name));
        style::attach(chart, added, x, s.secondAxis && y2 ? y2 : y);
        if (s.name.empty()) style::hideFromLegend(chart, added);
    }
    style::smallFonts(chart);
    if (std::none_of(figure.series.begin(), figure.series.end(), [](const FigureSeries& s) { return !s.name.empty(); }))
        chart->legend()->hide();
    return chart;
}

QChart* dendrogramChart(const Figure& figure) {
    auto* chart = style::newChart(style::titleOf(figure), style::kTitlePoints);
    // The treatments' names in the key: a leaf's label is as short as its
    // place under the tree.
    auto* x = style::categoryAxis(figure.x);
    auto* y = style::valueAxis(figure.y);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (const auto& s : figure.series)
        for (std::size_t i = 0; i + 1 < s.points.size(); i += 2) {
            auto* line = new QLineSeries;
            line->setPen(QPen(style::colour(s.colour), style::kTreePen));
            line->append(s.points[i].x, s.points[i].y);
            line->append(s.points[i + 1].x, s.points[i + 1].y);
            style::attach(chart, line, x, y);
        }
    style::smallFonts(chart);
    chart->legend()->hide();
    addTreatmentKey(chart, figure);
    return chart;
}

QChart* ordinationChart(const Figure& figure) {
    auto* chart = style::newChart(style::titleOf(figure), style::kTitlePoints);
    // The figure's labels at their values: an axis from a negative end
    // labels its 0 as "0.0", never "-0.0".
    auto* x = style::categoryAxis(figure.x);
    auto* y = style::categoryAxis(figure.y);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (const auto& s : figure.series) {
        const QColor colour = style::colour(s.colour);
        QAbstractSeries* added = nullptr;
        if (s.style == SeriesStyle::Line) {
            auto* hull = new QLineSeries;
            hull->setPen(QPen(colour, 1.4));
            for (const auto& p : s.points)
                hull->append(p.x, p.y);
            added = hull;
        } else {
            auto* samples = new QScatterSeries;
            const auto shape = s.style == SeriesStyle::Triangles ? QScatterSeries::MarkerShapeTriangle
                               : s.style == SeriesStyle::Squares ? QScatterSeries::MarkerShapeRectangle
                               : s.style == SeriesStyle::Stars   ? QScatterSeries::MarkerShapeStar
                                                                 : QScatterSeries::MarkerShapeCircle;
            samples->setMarkerShape(shape);
            samples->setMarkerSize(s.style == SeriesStyle::Stars ? style::kStarSize : style::kDotSize + 2);
            samples->setColor(colour);
            samples->setBorderColor(colour.darker(130));
            for (const auto& p : s.points)
                samples->append(p.x, p.y);
            added = samples;
        }
        added->setName(style::text(s.name));
        style::attach(chart, added, x, y);
        if (s.name.empty()) style::hideFromLegend(chart, added);
    }
    style::smallFonts(chart);
    addTreatmentKey(chart, figure);
    return chart;
}

QChart* indicatorChart(const Figure& figure) {
    auto* chart = style::newChart(style::titleOf(figure), style::kSmallTitlePoints);
    QStringList places;
    for (const auto& tick : figure.x.ticks)
        places << style::text(tick.label);
    // One set a treatment, 0 at the other treatments' species: stacked, each
    // place shows the one bar of its species.
    auto* series = new QStackedBarSeries;
    for (const auto& s : figure.series) {
        auto* set = new QBarSet(style::text(s.name));
        set->setColor(style::colour(s.colour));
        set->setBorderColor(style::colour(s.colour).darker(130));
        QList<qreal> values(places.size(), 0.0);
        for (const auto& p : s.points) {
            const auto at = static_cast<qsizetype>(std::lround(p.x)) - 1;
            if (at >= 0 && at < values.size()) values[at] = p.y;
        }
        set->append(values);
        series->append(set);
    }
    series->setBarWidth(0.6);
    const auto [x, y] = style::barAxes(chart, places, figure);
    style::attach(chart, series, x, y);
    style::smallFonts(chart);
    addTreatmentKey(chart, figure);
    return chart;
}

namespace {

// The key's box, kept right of the plot area or under it whenever the chart
// moves.
class KeyBox : public QGraphicsRectItem {
  public:
    // The first line in bold, the ones from `notes` on in italics.
    KeyBox(QChart* chart, const QStringList& lines, qsizetype notes)
        : QGraphicsRectItem(chart), margins_(chart->margins()) {
        setBrush(Qt::white);
        setPen(QPen(style::kKeyBorder, 1));
        setZValue(11);
        setData(0, QStringLiteral("chave"));
        QFont font = chart->legend()->font();
        font.setPointSizeF(style::kKeyPoints);
        qreal y = 6, width = 0;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QString& line = lines[i];
            auto* item = new QGraphicsSimpleTextItem(line, this);
            QFont f = font;
            if (i == 0) f.setBold(true);
            if (i >= notes) f.setItalic(true);
            item->setFont(f);
            item->setPos(8, y);
            y += item->boundingRect().height() + 1;
            width = std::max(width, item->boundingRect().width());
        }
        setRect(0, 0, width + 16, y + 5);
    }

    // Beside the plot, or under it on a chart `width` wide.
    void keepRoom(QChart* chart, qreal width) {
        below_ = rect().width() + 12 > width * 0.3;
        QMargins margins = margins_;
        if (below_)
            margins.setBottom(margins.bottom() + static_cast<int>(rect().height()) + 8);
        else
            margins.setRight(margins.right() + static_cast<int>(rect().width()) + 12);
        chart->setMargins(margins);
    }

    void follow(const QRectF& chartRect, const QRectF& plot) {
        if (below_)
            setPos(chartRect.center().x() - rect().width() / 2, chartRect.bottom() - rect().height() - 6);
        else
            setPos(chartRect.right() - rect().width() - 8, plot.top());
    }

  private:
    QMargins margins_; // the chart's own
    bool below_ = false;
};

KeyBox* keyOf(QChart* chart) {
    for (auto* item : chart->childItems())
        if (item->data(0).toString() == QStringLiteral("chave")) return static_cast<KeyBox*>(item);
    return nullptr;
}

} // namespace

void addTreatmentKey(QChart* chart, const Figure& figure) {
    if (figure.key.empty()) return;
    QStringList lines;
    for (const auto& line : figure.key)
        lines << style::text(line);
    auto* box = new KeyBox(chart, lines, static_cast<qsizetype>(figure.keyNotes));
    box->keepRoom(chart, chart->size().width() > 0 ? chart->size().width() : 1000);
    QObject::connect(chart, &QChart::plotAreaChanged, chart,
                     [chart, box](const QRectF& plot) { box->follow(chart->rect(), plot); });
}

void placeTreatmentKey(QChart* chart, qreal width) {
    if (auto* box = keyOf(chart)) box->keepRoom(chart, width);
}

} // namespace zav
