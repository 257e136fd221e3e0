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

// A text of the charts in the language chosen.
QString say(ChartLanguage language, const char* portuguese, const char* english) {
    return QString::fromUtf8(language == ChartLanguage::English ? english : portuguese);
}

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
              bool several, bool first, ChartLanguage language) {
    auto *lower = new QLineSeries, *upper = new QLineSeries;
    for (const auto* part : {&curve.rarefaction, &curve.extrapolation})
        for (std::size_t i = part == &curve.extrapolation ? 1 : 0; i < part->size(); ++i)
            if (const auto& p = (*part)[i]; p.lower && p.upper) {
                lower->append(p.x, *p.lower);
                upper->append(p.x, *p.upper);
            }
    if (upper->count() > 1) {
        auto* band = new QAreaSeries(upper, lower);
        band->setName(say(language, "IC 95 % (bootstrap)", "95 % CI (bootstrap)"));
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
    line(curve.rarefaction, Qt::SolidLine, several ? text(curve.name) : say(language, "Rarefação", "Rarefaction"));
    auto* dashed = line(curve.extrapolation, Qt::DashLine, say(language, "Extrapolação", "Extrapolation"));
    if (several) hideFromLegend(chart, dashed);
    if (curve.sample) {
        auto* dot = new QScatterSeries;
        dot->setName(say(language, "Amostra", "Sample"));
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
                   const QString& missing, ChartLanguage language) {
    auto* chart = titledChart(title, curves.size() > 1 ? 11 : 10);
    std::vector<const CurveData*> all;
    for (const auto& c : curves)
        all.push_back(&c);
    auto* x = valueAxis(xTitle, curveAxis(all, true), QStringLiteral("%.0f"));
    auto* y = valueAxis(yTitle, curveAxis(all, false), yFormat);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (std::size_t i = 0; i < curves.size(); ++i)
        addCurve(chart, curves[i], colors[i], x, y, curves.size() > 1, i == 0, language);
    if (!missing.isEmpty())
        chart->setTitle(title + QStringLiteral("<br><small>") + missing + QStringLiteral("</small>"));
    smallFonts(chart);
    return chart;
}

} // namespace

std::vector<QChart*> diversityCharts(const DiversityResult& result, ChartLanguage language) {
    const auto hill = hillCurves(result, language);
    const auto missing = [&](const std::string& reason) { return text(missingCurveText(reason, language)); };
    const QString individuals = say(language, "Número de indivíduos", "Number of individuals");
    std::vector<QChart*> charts;
    charts.push_back(curveChart(say(language,
                                    "Números de Hill por indivíduos<br><small>rarefação (—), extrapolação (- -), "
                                    "amostra (●)</small>",
                                    "Hill numbers by individuals<br><small>rarefaction (—), extrapolation (- -), "
                                    "sample (●)</small>"),
                                {hill[0], hill[1], hill[2]}, individuals,
                                say(language, "Diversidade (espécies efetivas)", "Diversity (effective species)"),
                                QStringLiteral("%.0f"), {kOrderColors[0], kOrderColors[1], kOrderColors[2]},
                                missing(result.curveMissing), language));
    charts.push_back(
        curveChart(say(language, "Riqueza por coletas (q\u00a0=\u00a00)", "Richness by collections (q\u00a0=\u00a00)"),
                   {collectionsCurve(result, language)}, say(language, "Número de coletas", "Number of collections"),
                   say(language, "Espécies", "Species"), QStringLiteral("%.0f"), {kOrderColors[0]},
                   missing(result.incidence ? result.incidence->curveMissing : result.incidenceMissing), language));
    charts.push_back(curveChart(say(language, "Cobertura da amostra por indivíduos", "Sample coverage by individuals"),
                                {coverageCurve(result, language)}, individuals, say(language, "Cobertura", "Coverage"),
                                QStringLiteral("%.1f"), {QColor(90, 90, 90)}, missing(result.curveMissing), language));
    return charts;
}

QChart* dendrogramChart(const ComparisonResult& result, const QStringList& names, ChartLanguage language) {
    std::vector<std::string> utf8;
    for (const QString& name : names)
        utf8.push_back(name.toStdString());
    const auto drawing = dendrogramDrawing(result, utf8, language);
    QString title = say(language, "Dendrograma dos tratamentos (UPGMA)", "Dendrogram of the treatments (UPGMA)");
    title +=
        QStringLiteral("<br><small>") +
        (drawing.cophenetic ? say(language, "Correlação cofenética: %1", "Cophenetic correlation: %1")
                                  .arg(QString::fromStdString(fixedPoint(*drawing.cophenetic, 4)))
                            : say(language, "Correlação cofenética: - (menos de 3 tratamentos ou distâncias iguais)",
                                  "Cophenetic correlation: - (fewer than 3 treatments or equal distances)")) +
        QStringLiteral("</small>");
    if (drawing.leaves.empty())
        title += QStringLiteral("<br><small>") +
                 say(language, "Sem dendrograma: há pares de tratamentos sem distância",
                     "No dendrogram: some pairs of treatments have no distance") +
                 QStringLiteral("</small>");
    auto* chart = titledChart(title, 11);
    auto* x = new QCategoryAxis;
    x->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    x->setRange(0.5, static_cast<qreal>(std::max<std::size_t>(1, drawing.leaves.size())) + 0.5);
    x->setStartValue(0.5);
    x->setTitleText(say(language, "Tratamento", "Treatment"));
    // The treatments' names in the key: a leaf's label is as short as its
    // place under the tree.
    for (std::size_t i = 0; i < drawing.leaves.size(); ++i)
        x->append(QStringLiteral("T%1").arg(drawing.leaves[i]), static_cast<qreal>(i + 1));
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
    addTreatmentKey(chart, names, false, false, language);
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
        setPen(QPen(QColor(120, 120, 120), 1));
        setZValue(11);
        setData(0, QStringLiteral("chave"));
        QFont font = chart->legend()->font();
        font.setPointSizeF(8.5);
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

void addTreatmentKey(QChart* chart, const QStringList& names, bool intervalNote, bool cut, ChartLanguage language) {
    if (names.isEmpty()) return;
    QStringList lines{say(language, "Tratamentos", "Treatments")};
    for (qsizetype i = 0; i < names.size(); ++i)
        lines << QStringLiteral("T%1 = %2").arg(i + 1).arg(names[i]);
    const qsizetype notes = lines.size() + 1;
    if (intervalNote)
        lines << QString()
              << say(language, "Intervalo: a aproximação do relatório", "Interval: the report's approximation")
              << QStringLiteral("(P=0.05)");
    if (cut) lines << say(language, "▲ intervalo cortado em 100 %", "▲ interval cut at 100 %");
    auto* box = new KeyBox(chart, lines, notes);
    box->keepRoom(chart, chart->size().width() > 0 ? chart->size().width() : 1000);
    QObject::connect(chart, &QChart::plotAreaChanged, chart,
                     [chart, box](const QRectF& plot) { box->follow(chart->rect(), plot); });
}

void placeTreatmentKey(QChart* chart, qreal width) {
    if (auto* box = keyOf(chart)) box->keepRoom(chart, width);
}

QChart* ordinationChart(const communities::CommunityResult& result, const QStringList& names, bool pcoa,
                        ChartLanguage language) {
    const auto plot = ordinationPlot(result, pcoa, language);
    auto* chart = titledChart(plot.pcoa ? say(language, "PCoA das amostras", "PCoA of the samples")
                                        : say(language, "NMDS das amostras", "NMDS of the samples"),
                              11);
    chart->setTitle(chart->title() + QStringLiteral("<br><small>") + text(plot.corner) + QStringLiteral("</small>"));
    auto* x = valueAxis(plot.pcoa ? say(language, "Eixo 1", "Axis 1") : QStringLiteral("NMDS 1"), plot.x,
                        QStringLiteral("%.2f"));
    auto* y = valueAxis(plot.pcoa ? say(language, "Eixo 2", "Axis 2") : QStringLiteral("NMDS 2"), plot.y,
                        QStringLiteral("%.2f"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    // Ten treatments apart by colour and, in print, by marker.
    static const std::array<QColor, 10> colors{
        QColor(31, 90, 160), QColor(200, 90, 20),  QColor(40, 140, 60), QColor(170, 40, 40),  QColor(120, 80, 160),
        QColor(130, 90, 60), QColor(200, 90, 160), QColor(90, 90, 90),  QColor(160, 160, 30), QColor(30, 160, 170)};
    for (std::size_t t = 0; t < plot.treatments.size(); ++t) {
        auto* series = new QScatterSeries;
        series->setName(QStringLiteral("T%1").arg(t + 1));
        series->setMarkerShape(t % 2 == 0 ? QScatterSeries::MarkerShapeCircle : QScatterSeries::MarkerShapeRectangle);
        series->setMarkerSize(t % 2 == 0 ? 9 : 8);
        series->setColor(colors[t % colors.size()]);
        series->setBorderColor(colors[t % colors.size()].darker(130));
        for (const auto& [px, py] : plot.treatments[t])
            series->append(px, py);
        attach(chart, series, x, y);
    }
    addTreatmentKey(chart, names, false, false, language);
    smallFonts(chart);
    return chart;
}

} // namespace zav
