#include "charts/chart_board.h"

#include "charts/chart_data.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QGraphicsSimpleTextItem>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPainter>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace zav {
namespace {

const QColor kSpeciesColor(31, 90, 160);
const QColor kPredominantColor(230, 140, 0);
const QColor kExcludedColor(200, 30, 30);

// Where a species-number label keeps the point it belongs to.
constexpr int kLabelledPoint = 0x5a41;

QString text(const std::string& utf8) { return QString::fromStdString(utf8); }

// Each species number beside its point, above and to the right; where it
// would cover a number already placed (predominant species crowd the top of
// the curve), further to the right.
void placeLabels(QChart* chart, QScatterSeries* points) {
    std::vector<QRectF> placed;
    for (auto* item : chart->childItems()) {
        const QVariant at = item->data(kLabelledPoint);
        if (!at.isValid()) continue;
        QRectF box = item->boundingRect();
        box.moveTopLeft(chart->mapToPosition(at.toPointF(), points) + QPointF(12, -box.height() - 2));
        for (bool moved = true; moved;) {
            moved = false;
            for (const auto& other : placed)
                if (box.intersects(other)) {
                    box.moveLeft(other.right() + 3);
                    moved = true;
                }
        }
        item->setPos(box.topLeft());
        placed.push_back(box);
    }
}

QChart* newChart(const QString& title, qreal titlePoints) {
    auto* chart = new QChart;
    chart->setTitle(title);
    QFont font = chart->titleFont();
    font.setPointSizeF(titlePoints);
    font.setBold(true);
    chart->setTitleFont(font);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->setBackgroundRoundness(0);
    return chart;
}

void attach(QChart* chart, QAbstractSeries* series, QAbstractAxis* x, QAbstractAxis* y) {
    chart->addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
}

QScatterSeries* markers(const QString& name, QScatterSeries::MarkerShape shape, const QColor& color, qreal size) {
    auto* series = new QScatterSeries;
    series->setName(name);
    series->setMarkerShape(shape);
    series->setMarkerSize(size);
    series->setColor(color);
    series->setBorderColor(color.darker(130));
    return series;
}

// The rank-abundance plot: individuals (log) by rank, predominant species
// labelled with their numbers, excluded species in their own colour.
QChart* rankAbundanceChart(const AnalysisResult& result) {
    const auto ranked = rankAbundance(result);
    auto* chart = newChart(QStringLiteral("Abundância das espécies por posição (Whittaker)"), 11);

    auto* curve = new QLineSeries;
    curve->setName(QStringLiteral("Espécies"));
    curve->setColor(kSpeciesColor);
    curve->setPointsVisible(ranked.size() <= 100);
    auto* predominant = markers(QStringLiteral("Predominantes (*), com o número da espécie"),
                                QScatterSeries::MarkerShapeStar, kPredominantColor, 16);
    // A hollow square around the point: an excluded species may be
    // predominant too, and its star shows inside.
    auto* excluded = markers(QStringLiteral("Super (excluídas do cálculo)"), QScatterSeries::MarkerShapeRectangle,
                             kExcludedColor, 22);
    excluded->setBrush(Qt::NoBrush);
    excluded->setPen(QPen(kExcludedColor, 2.5));
    QList<QPointF> curvePoints;
    curvePoints.reserve(static_cast<qsizetype>(ranked.size()));
    std::int32_t lowest = 0, highest = 1;
    int belowOne = 0;
    for (const auto& sp : ranked) {
        // A log axis has no place for a negative count.
        if (sp.individuals < 1) {
            ++belowOne;
            continue;
        }
        const QPointF point(sp.rank, sp.individuals);
        curvePoints.append(point);
        if (sp.excluded) excluded->append(point);
        if (sp.predominant) {
            predominant->append(point);
            auto* label = new QGraphicsSimpleTextItem(QString::number(sp.number), chart);
            label->setData(kLabelledPoint, point);
            label->setZValue(10);
        }
        lowest = lowest == 0 ? sp.individuals : std::min(lowest, sp.individuals);
        highest = std::max(highest, sp.individuals);
    }
    curve->replace(curvePoints);
    if (belowOne > 0)
        chart->setTitle(chart->title() + QStringLiteral("<br><small>%1 espécie(s) com contagem negativa fora do "
                                                        "eixo logarítmico</small>")
                                             .arg(belowOne));

    auto* x = new QValueAxis;
    x->setTitleText(QStringLiteral("Posição da espécie (da mais à menos abundante)"));
    x->setLabelFormat(QStringLiteral("%d"));
    x->setRange(0, std::max<qreal>(2, static_cast<qreal>(ranked.size()) + 1));
    x->applyNiceNumbers();
    auto* y = new QLogValueAxis;
    y->setBase(10);
    y->setTitleText(QStringLiteral("Número de indivíduos (escala logarítmica)"));
    y->setLabelFormat(QStringLiteral("%.0f"));
    const qreal floorDecade = std::pow(10.0, std::floor(std::log10(std::max(1, lowest))));
    const qreal ceilDecade = std::pow(10.0, std::ceil(std::log10(static_cast<double>(highest)) + 1e-9));
    y->setRange(floorDecade, std::max(ceilDecade, floorDecade * 10));
    y->setMinorTickCount(8);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    attach(chart, curve, x, y);
    attach(chart, excluded, x, y);
    attach(chart, predominant, x, y);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->legend()->markers(excluded).first()->setBrush(kExcludedColor);

    // The species numbers follow their points whenever the plot moves.
    QObject::connect(chart, &QChart::plotAreaChanged, chart, [chart, predominant] { placeLabels(chart, predominant); });
    return chart;
}

// One small chart: species per class, the "super" class in the colour of the
// excluded species.
QChart* classChart(const ClassChart& data) {
    auto* chart = newChart(text(data.title), 9);
    auto* set = new QBarSet(QStringLiteral("Espécies"));
    set->setColor(kSpeciesColor);
    set->setSelectedColor(kExcludedColor);
    set->setLabelColor(Qt::black);
    QStringList codes;
    int most = 1;
    for (const auto& bar : data.bars) {
        codes << text(bar.code);
        set->append(bar.species);
        if (bar.super) set->selectBar(static_cast<int>(codes.size() - 1));
        most = std::max(most, bar.species);
    }
    auto* series = new QBarSeries;
    series->append(set);
    series->setLabelsVisible(true);
    series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    auto* x = new QBarCategoryAxis;
    x->append(codes);
    x->setTitleText(QStringLiteral("Classe"));
    // The codes are short: never "...".
    x->setTruncateLabels(false);
    auto* y = new QValueAxis;
    y->setTitleText(QStringLiteral("Espécies"));
    y->setLabelFormat(QStringLiteral("%d"));
    // Room above the highest bar for its count.
    y->setRange(0, most * 1.2);
    y->applyNiceNumbers();
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    attach(chart, series, x, y);
    chart->legend()->hide();
    for (auto* axis : {static_cast<QAbstractAxis*>(x), static_cast<QAbstractAxis*>(y)}) {
        QFont font = axis->titleFont();
        font.setPointSizeF(8);
        axis->setTitleFont(font);
        // Six codes side by side in a small chart: small enough to be whole.
        QFont labels = axis->labelsFont();
        labels.setPointSizeF(7.5);
        axis->setLabelsFont(labels);
    }
    return chart;
}

// Each pair's quotient with its interval as a whisker; a pair without a
// quotient has no point and says so under the axis.
QChart* similarityChart(const SimilarityResult& result) {
    const auto points = similarityPoints(result);
    auto* chart = newChart(QStringLiteral("Quociente de similaridade de Sorensen (1948) por par de tratamentos"), 11);
    auto* x = new QCategoryAxis;
    x->setTitleText(QStringLiteral("Par de tratamentos"));
    x->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    x->setRange(0.5, static_cast<qreal>(points.size()) + 0.5);
    x->setStartValue(0.5);
    if (points.size() > 6) x->setLabelsAngle(-90);
    auto* y = new QValueAxis;
    y->setTitleText(QStringLiteral("Quociente de similaridade (%)"));
    y->setLabelFormat(QStringLiteral("%g"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);

    auto* quotients = markers(QStringLiteral("Quociente (%)"), QScatterSeries::MarkerShapeCircle, kSpeciesColor, 10);
    qreal low = 0, high = 100;
    const qreal cap = 0.12;
    bool intervalInLegend = false;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const auto& p = points[i];
        const qreal at = static_cast<qreal>(i + 1);
        QString label = text(p.label);
        if (!p.quotient)
            label += QStringLiteral(" (indefinido)");
        else if (!p.lower)
            label += QStringLiteral(" (sem intervalo)");
        x->append(label, at);
        if (p.quotient) quotients->append(at, *p.quotient);
        if (!p.lower) continue;
        auto* whisker = new QLineSeries;
        whisker->setName(QStringLiteral("Intervalo de confiança (P=0,05)"));
        whisker->setColor(Qt::darkGray);
        whisker->append({{at - cap, *p.lower},
                         {at + cap, *p.lower},
                         {at, *p.lower},
                         {at, *p.upper},
                         {at - cap, *p.upper},
                         {at + cap, *p.upper}});
        attach(chart, whisker, x, y);
        // One legend entry for all the whiskers.
        if (intervalInLegend) chart->legend()->markers(whisker).first()->setVisible(false);
        intervalInLegend = true;
        low = std::min(low, *p.lower);
        high = std::max(high, *p.upper);
    }
    attach(chart, quotients, x, y);
    y->setRange(low, high);
    y->applyNiceNumbers();
    chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}

} // namespace

ChartBoard::ChartBoard(const ReportResult& result) {
    if (const auto* analysis = std::get_if<AnalysisResult>(&result)) {
        charts_.push_back(rankAbundanceChart(*analysis));
        for (const auto& counts : classCounts(*analysis))
            charts_.push_back(classChart(counts));
    } else {
        charts_.push_back(similarityChart(std::get<SimilarityResult>(result)));
    }
    for (auto* chart : charts_)
        scene_.addItem(chart);
    scene_.setBackgroundBrush(Qt::white);
}

ChartBoard::~ChartBoard() = default;

void ChartBoard::layOut(const QSizeF& size) {
    scene_.setSceneRect(QRectF(QPointF(0, 0), size));
    if (charts_.size() == 1) {
        charts_[0]->setGeometry(scene_.sceneRect());
        return;
    }
    // The large chart beside the 2 x 2 small ones, or above them on a page
    // taller than wide.
    const bool sideBySide = size.width() >= size.height();
    const QSizeF large =
        sideBySide ? QSizeF(size.width() * 0.58, size.height()) : QSizeF(size.width(), size.height() * 0.5);
    charts_[0]->setGeometry(QRectF(QPointF(0, 0), large));
    const QPointF origin = sideBySide ? QPointF(large.width(), 0) : QPointF(0, large.height());
    const QSizeF cell((size.width() - (sideBySide ? large.width() : 0)) / 2,
                      (size.height() - (sideBySide ? 0 : large.height())) / 2);
    for (std::size_t i = 1; i < charts_.size(); ++i) {
        const auto column = static_cast<qreal>((i - 1) % 2), row = static_cast<qreal>((i - 1) / 2);
        charts_[i]->setGeometry(QRectF(origin + QPointF(column * cell.width(), row * cell.height()), cell));
    }
}

void ChartBoard::render(QPainter& painter, const QRectF& target, qreal width) {
    const QSizeF size(width, width * target.height() / target.width());
    const QRectF before = scene_.sceneRect();
    layOut(size);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    scene_.render(&painter, target, QRectF(QPointF(0, 0), size));
    if (!before.isEmpty()) layOut(before.size());
}

} // namespace zav
