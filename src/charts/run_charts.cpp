#include "charts/run_charts.h"

#include "data/text.h"

#include "charts/chart_data.h"

#include <QAreaSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QGraphicsRectItem>
#include <QGraphicsSimpleTextItem>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPen>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>
#include <array>
#include <cmath>


namespace zav {
namespace {

const std::array<QColor, 3> kOrderColors{QColor(31, 90, 160), QColor(200, 90, 20), QColor(40, 140, 60)};

QString text(const std::string& utf8) { return QString::fromStdString(utf8); }

QChart* titledChart(const QString& title, qreal points) {
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

QValueAxis* valueAxis(const QString& title, const AxisRange& range, const QString& format) {
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setRange(range.min, range.max);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    axis->setTickInterval(range.step);
    axis->setLabelFormat(format);
    return axis;
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

// One curve: its band (where the bootstrap gives both limits), the solid
// and the dashed line, the dot. In a chart of several curves the legend
// names each curve by its solid line and the band once; the title says
// what the line styles and the dot are.
void addCurve(QChart* chart, const CurveData& curve, const QColor& color, QAbstractAxis* x, QAbstractAxis* y,
              bool several, bool first) {
    auto* lower = new QLineSeries, *upper = new QLineSeries;
    for (const auto* part : {&curve.rarefaction, &curve.extrapolation})
        for (std::size_t i = part == &curve.extrapolation ? 1 : 0; i < part->size(); ++i)
            if (const auto& p = (*part)[i]; p.lower && p.upper) {
                lower->append(p.x, *p.lower);
                upper->append(p.x, *p.upper);
            }
    if (upper->count() > 1) {
        auto* band = new QAreaSeries(upper, lower);
        band->setName(QStringLiteral("IC 95 % (bootstrap)"));
        QColor fill = color;
        fill.setAlpha(45);
        band->setBrush(fill);
        band->setPen(Qt::NoPen);
        attach(chart, band, x, y);
        if (!first) hideFromLegend(chart, band);
    } else {
        delete lower;
        delete upper;
    }
    auto line = [&](const std::vector<CurvePoint>& points, Qt::PenStyle style, const QString& name) {
        auto* series = new QLineSeries;
        series->setName(name);
        series->setPen(QPen(color, 2.2, style));
        for (const auto& p : points)
            series->append(p.x, p.y);
        attach(chart, series, x, y);
        return series;
    };
    line(curve.rarefaction, Qt::SolidLine, several ? text(curve.name) : QStringLiteral("Rarefação"));
    auto* dashed = line(curve.extrapolation, Qt::DashLine, QStringLiteral("Extrapolação"));
    if (several) hideFromLegend(chart, dashed);
    if (curve.sample) {
        auto* dot = new QScatterSeries;
        dot->setName(QStringLiteral("Amostra"));
        dot->setMarkerShape(QScatterSeries::MarkerShapeCircle);
        dot->setMarkerSize(10);
        dot->setColor(color);
        dot->setBorderColor(color);
        dot->append(curve.sample->x, curve.sample->y);
        attach(chart, dot, x, y);
        if (several) hideFromLegend(chart, dot);
    }
}

void smallFonts(QChart* chart) {
    for (auto* axis : chart->axes()) {
        QFont font = axis->titleFont();
        font.setPointSizeF(8.5);
        axis->setTitleFont(font);
    }
    QFont legend = chart->legend()->font();
    legend.setPointSizeF(8);
    chart->legend()->setFont(legend);
    chart->legend()->setAlignment(Qt::AlignBottom);
}

QChart* curveChart(const QString& title, const std::vector<CurveData>& curves, const QString& xTitle,
                   const QString& yTitle, const QString& yFormat, const std::vector<QColor>& colors,
                   const QString& missing) {
    auto* chart = titledChart(title, curves.size() > 1 ? 11 : 10);
    std::vector<const CurveData*> all;
    for (const auto& c : curves)
        all.push_back(&c);
    auto* x = valueAxis(xTitle, curveAxis(all, true), QStringLiteral("%.0f"));
    auto* y = valueAxis(yTitle, curveAxis(all, false), yFormat);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (std::size_t i = 0; i < curves.size(); ++i)
        addCurve(chart, curves[i], colors[i], x, y, curves.size() > 1, i == 0);
    if (!missing.isEmpty()) chart->setTitle(title + QStringLiteral("<br><small>") + missing + QStringLiteral("</small>"));
    smallFonts(chart);
    return chart;
}

} // namespace

std::vector<QChart*> diversityCharts(const DiversityResult& result) {
    const auto hill = hillCurves(result);
    std::vector<QChart*> charts;
    charts.push_back(curveChart(
        QStringLiteral("Números de Hill por indivíduos<br><small>rarefação (—), extrapolação (- -), amostra (●)</small>"),
        {hill[0], hill[1], hill[2]}, QStringLiteral("Número de indivíduos"),
        QStringLiteral("Diversidade (espécies efetivas)"), QStringLiteral("%.0f"),
        {kOrderColors[0], kOrderColors[1], kOrderColors[2]}, text(result.curveMissing)));
    charts.push_back(curveChart(QStringLiteral("Riqueza por coletas (q = 0)"), {collectionsCurve(result)},
                                QStringLiteral("Número de coletas"), QStringLiteral("Espécies"),
                                QStringLiteral("%.0f"), {kOrderColors[0]},
                                result.incidence ? text(result.incidence->curveMissing)
                                                 : text(result.incidenceMissing)));
    charts.push_back(curveChart(QStringLiteral("Cobertura da amostra por indivíduos"), {coverageCurve(result)},
                                QStringLiteral("Número de indivíduos"), QStringLiteral("Cobertura"),
                                QStringLiteral("%.1f"), {QColor(90, 90, 90)}, text(result.curveMissing)));
    return charts;
}

QChart* dendrogramChart(const ComparisonResult& result, const QStringList& names) {
    std::vector<std::string> utf8;
    for (const QString& name : names)
        utf8.push_back(name.toStdString());
    const auto drawing = dendrogramDrawing(result, utf8);
    QString title = QStringLiteral("Dendrograma dos tratamentos (UPGMA)");
    title += QStringLiteral("<br><small>") +
             (drawing.cophenetic
                  ? QStringLiteral("Correlação cofenética: %1").arg(QString::fromStdString(fixedPoint(*drawing.cophenetic, 4)))
                  : QStringLiteral("Correlação cofenética: - (menos de 3 tratamentos ou distâncias iguais)")) +
             QStringLiteral("</small>");
    if (drawing.leaves.empty())
        title += QStringLiteral("<br><small>Sem dendrograma: há pares de tratamentos sem distância</small>");
    auto* chart = titledChart(title, 11);
    auto* x = new QCategoryAxis;
    x->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    x->setRange(0.5, static_cast<qreal>(std::max<std::size_t>(1, drawing.leaves.size())) + 0.5);
    x->setStartValue(0.5);
    x->setTitleText(QStringLiteral("Tratamento"));
    for (std::size_t i = 0; i < drawing.leaves.size(); ++i)
        x->append(QStringLiteral("T%1 = %2").arg(drawing.leaves[i]).arg(text(drawing.labels[i])),
                  static_cast<qreal>(i + 1));
    x->setTruncateLabels(false);
    if (drawing.leaves.size() > 5) x->setLabelsAngle(-90);
    const double top = drawing.top > 0 ? drawing.top : 1;
    const double step = top <= 0.25 ? 0.05 : top <= 0.5 ? 0.1 : 0.2;
    auto* y = valueAxis(text(drawing.distance), {0, std::ceil(top / step - 1e-9) * step * 1.05, step},
                        QStringLiteral("%.2f"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (const auto& s : drawing.segments) {
        auto* line = new QLineSeries;
        line->setPen(QPen(QColor(31, 90, 160), 2.5));
        line->append(s.x1, s.y1);
        line->append(s.x2, s.y2);
        attach(chart, line, x, y);
    }
    smallFonts(chart);
    chart->legend()->hide();
    return chart;
}

namespace {

// The key's box, kept right of the plot area whenever the chart moves.
class KeyBox : public QGraphicsRectItem {
  public:
    KeyBox(QChart* chart, const QStringList& lines) : QGraphicsRectItem(chart) {
        setBrush(Qt::white);
        setPen(QPen(QColor(120, 120, 120), 1));
        setZValue(11);
        QFont font = chart->legend()->font();
        font.setPointSizeF(8.5);
        qreal y = 6, width = 0;
        for (const QString& line : lines) {
            auto* item = new QGraphicsSimpleTextItem(line, this);
            QFont f = font;
            if (line == lines.first()) f.setBold(true);
            if (line.startsWith(QStringLiteral("Intervalo")) || line.startsWith(QStringLiteral("▲"))) f.setItalic(true);
            item->setFont(f);
            item->setPos(8, y);
            y += item->boundingRect().height() + 1;
            width = std::max(width, item->boundingRect().width());
        }
        setRect(0, 0, width + 16, y + 5);
    }
};

} // namespace

void addTreatmentKey(QChart* chart, const QStringList& names, bool cut) {
    if (names.isEmpty()) return;
    QStringList lines{QStringLiteral("Tratamentos")};
    for (qsizetype i = 0; i < names.size(); ++i)
        lines << QStringLiteral("T%1 = %2").arg(i + 1).arg(names[i]);
    lines << QString() << QStringLiteral("Intervalo: a aproximação do relatório") << QStringLiteral("(P=0.05)");
    if (cut) lines << QStringLiteral("▲ intervalo cortado em 100 %");
    auto* box = new KeyBox(chart, lines);
    QMargins margins = chart->margins();
    margins.setRight(margins.right() + static_cast<int>(box->rect().width()) + 12);
    chart->setMargins(margins);
    QObject::connect(chart, &QChart::plotAreaChanged, chart, [chart, box](const QRectF& plot) {
        box->setPos(chart->rect().right() - box->rect().width() - 8, plot.top());
    });
}

} // namespace zav
