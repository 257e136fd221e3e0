#include "charts/chart_board.h"

#include "charts/chart_fit.h"
#include "charts/chart_style.h"
#include "charts/label_layout.h"
#include "charts/run_charts.h"
#include "data/overloaded.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QCursor>
#include <QGraphicsLineItem>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsTextItem>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPainter>
#include <QScatterSeries>
#include <QTextDocument>
#include <QToolTip>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

namespace zav {
namespace {

// A species' name as rich text: a scientific name in italics.
QString speciesLabelHtml(const std::vector<NameRun>& runs) {
    QString html;
    for (const auto& run : runs) {
        const QString part = QString::fromStdString(run.text).toHtmlEscaped();
        html += run.italic ? QStringLiteral("<i>") + part + QStringLiteral("</i>") : part;
    }
    return html;
}

// The names (or numbers) of the predominant species beside their stars,
// laid out again whenever the plot moves. Where there is no room for them
// all, the most abundant species keep theirs, as many as have room one after
// the other, and a note in the plot's corner says which are labelled; every
// predominant species keeps its star.
class SpeciesLabels {
  public:
    // `notes`: what the note says when only the first k labels have room.
    SpeciesLabels(QChart* chart, QXYSeries* series, std::vector<std::string> notes)
        : chart_(chart), series_(series), notes_(std::move(notes)) {
        // On white, over the grid.
        noteBox_ = new QGraphicsRectItem(chart);
        noteBox_->setBrush(Qt::white);
        noteBox_->setPen(Qt::NoPen);
        noteBox_->setZValue(10);
        noteBox_->hide();
        note_ = new QGraphicsTextItem(noteBox_);
        note_->document()->setDocumentMargin(0);
        note_->setDefaultTextColor(style::kNoteColour);
        QFont font = note_->font();
        font.setPointSizeF(font.pointSizeF() * 0.9);
        note_->setFont(font);
    }

    void addPoint(const QPointF& value, qreal markerSize) { points_.push_back({value, markerSize / 2}); }

    // `markerSize`: of the largest marker on the point.
    // `html`: the species' name, or its number when it has none.
    void addLabel(const QPointF& value, const QString& html, qreal markerSize) {
        auto* text = new QGraphicsTextItem(chart_);
        text->document()->setDocumentMargin(0);
        text->setHtml(html);
        text->setZValue(10);
        text->setData(0, QStringLiteral("espécie"));
        auto* leader = new QGraphicsLineItem(chart_);
        leader->setPen(QPen(QColor(90, 90, 90), 0.8));
        leader->setZValue(9);
        labels_.push_back({value, markerSize / 2, text, leader});
    }

    void addCurvePoint(const QPointF& value) { curve_.push_back(value); }

    void layOut() {
        LabelSurroundings around{chart_->plotArea(), {}, {}, 2};
        around.curve.reserve(static_cast<qsizetype>(curve_.size()));
        for (const auto& value : curve_)
            around.curve.append(chart_->mapToPosition(value, series_));
        for (const auto& [value, radius] : points_) {
            const QPointF at = chart_->mapToPosition(value, series_);
            around.keep.emplace_back(at - QPointF(radius, radius), QSizeF(2 * radius, 2 * radius));
        }
        std::vector<PointLabel> wanted;
        wanted.reserve(labels_.size());
        for (const auto& label : labels_)
            wanted.push_back(
                {chart_->mapToPosition(label.value, series_), label.text->boundingRect().size(), label.radius});

        auto placed = placeLeading(wanted, around);
        noteBox_->setVisible(placed.size() < labels_.size());
        if (noteBox_->isVisible()) {
            // Room for the note first, then the labels again; the note
            // wraps within the plot.
            // Room for the longest of what it may say.
            QRectF corner;
            for (const std::size_t labelled : {std::size_t(0), std::size_t(1), labels_.size() - 1}) {
                note_->setTextWidth(-1);
                note_->setPlainText(note(labelled));
                // In the top right corner, over the fewest points of a
                // falling curve.
                const qreal widest = std::max<qreal>(60, around.area.width() * 0.6);
                if (note_->boundingRect().width() > widest) note_->setTextWidth(widest);
                corner = corner.united(note_->boundingRect());
            }
            corner.moveTopRight(around.area.topRight() + QPointF(-6, 4));
            around.keep.push_back(corner);
            placed = placeLeading(wanted, around);
            note_->setPlainText(note(placed.size()));
            note_->setTextWidth(-1);
            if (note_->boundingRect().width() > corner.width()) note_->setTextWidth(corner.width());
            const QRectF shown = note_->boundingRect();
            noteBox_->setRect(shown.adjusted(-2, 0, 2, 0));
            noteBox_->setPos(corner.right() - shown.width(), corner.top());
        }
        for (std::size_t i = 0; i < labels_.size(); ++i) {
            const auto& label = labels_[i];
            const bool shown = i < placed.size();
            label.text->setVisible(shown);
            label.leader->setVisible(shown && placed[i].leader);
            if (!shown) continue;
            label.text->setPos(placed[i].box.topLeft());
            if (placed[i].leader) label.leader->setLine(*placed[i].leader);
        }
    }

  private:
    QString note(std::size_t labelled) const {
        return labelled < notes_.size() ? style::text(notes_[labelled]) : QString();
    }

    // The most labels, from the most abundant species on, that all have room.
    static std::vector<PlacedLabel> placeLeading(const std::vector<PointLabel>& wanted,
                                                 const LabelSurroundings& around) {
        std::vector<PlacedLabel> best;
        std::size_t low = 0, high = wanted.size();
        // The first `count` labels, when every one is placed.
        const auto tryFirst = [&](std::size_t count) {
            const auto placed =
                placeLabels({wanted.begin(), wanted.begin() + static_cast<std::ptrdiff_t>(count)}, around);
            if (!std::all_of(placed.begin(), placed.end(), [](const auto& p) { return p.has_value(); })) return false;
            best.clear();
            for (const auto& p : placed)
                best.push_back(*p);
            return true;
        };
        if (tryFirst(high)) return best;
        // Fewer labels leave the ones kept as much room or more (as a
        // rule: the search's answer has every label placed whatever).
        while (low + 1 < high) {
            const std::size_t middle = (low + high) / 2;
            (tryFirst(middle) ? low : high) = middle;
        }
        if (best.size() != low) tryFirst(low);
        return best;
    }

    struct Label {
        QPointF value;
        qreal radius;
        QGraphicsTextItem* text;   // owned by the chart
        QGraphicsLineItem* leader; // owned by the chart
    };
    struct Marker {
        QPointF value;
        qreal radius;
    };

    QChart* chart_;
    QXYSeries* series_;
    std::vector<std::string> notes_;
    QGraphicsRectItem* noteBox_; // owned by the chart
    QGraphicsTextItem* note_;    // in noteBox_
    std::vector<Label> labels_;  // the most abundant species first
    std::vector<Marker> points_;
    std::vector<QPointF> curve_;
};

QScatterSeries* markers(const QString& name, QScatterSeries::MarkerShape shape, const QColor& color, qreal size) {
    auto* series = new QScatterSeries;
    series->setName(name);
    series->setMarkerShape(shape);
    series->setMarkerSize(size);
    series->setColor(color);
    series->setBorderColor(color.darker(130));
    return series;
}

// A point under the pointer says which species it is (the figure's hover
// text of its rank).
void showSpeciesOnHover(QChart* chart, const std::vector<QXYSeries*>& series, const FigureSeries& curve) {
    auto hovers = std::make_shared<std::map<long, QString>>();
    for (const auto& p : curve.points)
        (*hovers)[std::lround(p.x)] = style::text(p.hover);
    for (QXYSeries* s : series)
        QObject::connect(s, &QXYSeries::hovered, chart, [hovers](const QPointF& point, bool entered) {
            const auto found = hovers->find(std::lround(point.x()));
            if (!entered || found == hovers->end()) return QToolTip::hideText();
            QToolTip::showText(QCursor::pos(), found->second);
        });
}

// The figure's series of a style, or an empty one.
const FigureSeries& seriesOf(const Figure& figure, SeriesStyle style) {
    static const FigureSeries none;
    for (const auto& s : figure.series)
        if (s.style == style) return s;
    return none;
}

// The rank-abundance plot: individuals (log) by rank, predominant species
// starred and labelled with their names or numbers, excluded species in
// their own colour. `species`: how many the table has, counts below 1
// included, whose last rank the axis reaches.
QChart* rankAbundanceChart(const Figure& figure, std::size_t species) {
    auto* chart = style::newChart(style::titleOf(figure), style::kTitlePoints);
    const auto& curveData = seriesOf(figure, SeriesStyle::Line);
    const auto& excludedData = seriesOf(figure, SeriesStyle::Squares);
    const auto& predominantData = seriesOf(figure, SeriesStyle::Stars);

    auto* curve = new QLineSeries;
    curve->setName(style::text(curveData.name));
    curve->setColor(style::colour(curveData.colour));
    curve->setPointsVisible(species <= 100);
    auto* predominant = markers(style::text(predominantData.name), QScatterSeries::MarkerShapeStar,
                                style::colour(SeriesColour::Predominant), style::kStarSize);
    // A hollow square around the point: an excluded species may be
    // predominant too, and its star shows inside.
    const QColor excludedColour = style::colour(SeriesColour::Excluded);
    auto* excluded = markers(style::text(excludedData.name), QScatterSeries::MarkerShapeRectangle, excludedColour,
                             style::kSquareSize);
    excluded->setBrush(Qt::NoBrush);
    excluded->setPen(QPen(excludedColour, style::kSquarePen));
    auto labels = std::make_shared<SpeciesLabels>(chart, curve, figure.labelNotes);
    QList<QPointF> curvePoints;
    curvePoints.reserve(static_cast<qsizetype>(curveData.points.size()));
    std::int32_t lowest = 0, highest = 1;
    for (const auto& p : curveData.points) {
        const QPointF point(p.x, p.y);
        curvePoints.append(point);
        labels->addCurvePoint(point);
        const auto count = static_cast<std::int32_t>(p.y);
        lowest = lowest == 0 ? count : std::min(lowest, count);
        highest = std::max(highest, count);
    }
    curve->replace(curvePoints);
    for (const auto& p : excludedData.points) {
        excluded->append(p.x, p.y);
        labels->addPoint({p.x, p.y}, style::kSquareSize);
    }
    for (const auto& p : predominantData.points) {
        const QPointF point(p.x, p.y);
        predominant->append(point);
        labels->addPoint(point, style::kStarSize);
        const bool alsoExcluded = std::any_of(excludedData.points.begin(), excludedData.points.end(),
                                              [&](const FigurePoint& e) { return e.x == p.x; });
        labels->addLabel(point, speciesLabelHtml(p.label), alsoExcluded ? style::kSquareSize : style::kStarSize);
    }

    auto* x = style::categoryAxis(figure.x);
    auto* y = new QLogValueAxis;
    y->setBase(10);
    y->setTitleText(style::text(figure.y.title));
    y->setLabelFormat(QStringLiteral("%.0f"));
    y->setRange(figure.y.min, figure.y.max);
    // On a short plot (a journal's column) the margin is the marker's, in pixels.
    const auto fitMarkers = [chart, x, y, lowest, highest, species] {
        const qreal radius = style::kSquareSize / 2 + 2;
        const auto fitted = individualsAxis(lowest, highest, chart->plotArea().height(), radius);
        if (std::abs(std::log10(fitted.max / y->max())) > 1e-9) y->setRange(fitted.min, fitted.max);
        const auto ranks = rankAxis(species, chart->plotArea().width(), radius);
        if (std::abs(ranks.max - x->max()) > 1e-9) {
            x->setStartValue(ranks.min);
            x->setRange(ranks.min, ranks.max);
        }
    };
    y->setMinorTickCount(8);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    style::attach(chart, curve, x, y);
    style::attach(chart, excluded, x, y);
    style::attach(chart, predominant, x, y);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->legend()->markers(excluded).first()->setBrush(excludedColour);
    // The legend names only what the plot shows.
    for (QScatterSeries* series : {excluded, predominant})
        chart->legend()->markers(series).first()->setVisible(series->count() > 0);
    showSpeciesOnHover(chart, {curve, predominant, excluded}, curveData);

    QObject::connect(chart, &QChart::plotAreaChanged, chart, [labels, fitMarkers] {
        fitMarkers();
        labels->layOut();
    });
    return chart;
}

// One small chart: species per class, the "super" class in the colour of the
// excluded species.
QChart* classChart(const Figure& figure) {
    auto* chart = style::newChart(style::titleOf(figure), style::kSmallTitlePoints);
    const auto& bars = seriesOf(figure, SeriesStyle::Bars);
    auto* set = new QBarSet(style::text(bars.name));
    set->setColor(style::colour(bars.colour));
    set->setSelectedColor(style::colour(SeriesColour::Excluded));
    set->setLabelColor(Qt::black);
    QStringList codes;
    for (const auto& tick : figure.x.ticks)
        codes << style::text(tick.label);
    for (std::size_t i = 0; i < bars.points.size(); ++i) {
        set->append(bars.points[i].y);
        if (bars.points[i].marked) set->selectBar(static_cast<int>(i));
    }
    auto* series = new QBarSeries;
    series->append(set);
    series->setLabelsVisible(true);
    series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    // Every code and every label of the figure, however short the chart.
    const auto [x, y] = style::barAxes(chart, codes, figure);
    style::attach(chart, series, x, y);
    chart->legend()->hide();
    for (auto* axis : {static_cast<QAbstractAxis*>(x), static_cast<QAbstractAxis*>(y)}) {
        QFont font = axis->titleFont();
        font.setPointSizeF(style::kSmallAxisTitlePoints);
        axis->setTitleFont(font);
        // Six codes side by side in a small chart: small enough to be whole.
        QFont labels = axis->labelsFont();
        labels.setPointSizeF(style::kSmallAxisLabelPoints);
        axis->setLabelsFont(labels);
    }
    return chart;
}

// Each pair's quotient with its interval as a whisker (cut at 100 % and
// marked there); a pair without a quotient has no point and says so under
// the axis.
QChart* similarityChart(const Figure& figure) {
    auto* chart = style::newChart(style::titleOf(figure), style::kTitlePoints);
    auto* x = style::categoryAxis(figure.x);
    if (figure.x.ticks.size() > 6) x->setLabelsAngle(-90);
    auto* y = style::valueAxis(figure.y);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    const auto& whiskers = seriesOf(figure, SeriesStyle::Whiskers);
    const auto& quotientData = seriesOf(figure, SeriesStyle::Points);
    const auto& cutData = seriesOf(figure, SeriesStyle::Triangles);
    const qreal cap = 0.12;
    bool intervalInLegend = false;
    for (const auto& p : whiskers.points) {
        auto* whisker = new QLineSeries;
        whisker->setName(style::text(whiskers.name));
        whisker->setColor(style::kWhiskerColour);
        whisker->append({{p.x - cap, *p.low},
                         {p.x + cap, *p.low},
                         {p.x, *p.low},
                         {p.x, *p.high},
                         {p.x - cap, *p.high},
                         {p.x + cap, *p.high}});
        style::attach(chart, whisker, x, y);
        // One legend entry for all the whiskers.
        if (intervalInLegend) chart->legend()->markers(whisker).first()->setVisible(false);
        intervalInLegend = true;
    }
    auto* quotients = markers(style::text(quotientData.name), QScatterSeries::MarkerShapeCircle,
                              style::colour(quotientData.colour), style::kDotSize);
    for (const auto& p : quotientData.points)
        quotients->append(p.x, p.y);
    style::attach(chart, quotients, x, y);
    // Over the quotient's dot when the quotient is 100 too.
    if (!cutData.points.empty()) {
        auto* cutMarks = markers(style::text(cutData.name), QScatterSeries::MarkerShapeTriangle,
                                 style::colour(cutData.colour), style::kCutMarkSize);
        for (const auto& p : cutData.points)
            cutMarks->append(p.x, p.y);
        style::attach(chart, cutMarks, x, y);
    }
    addTreatmentKey(chart, figure);
    chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}

// The drawing of a figure's form.
QChart* chartOf(const Figure& figure) {
    switch (figure.form) {
    case FigureForm::RankAbundance:
        return rankAbundanceChart(figure, figure.ranks);
    case FigureForm::ClassBars:
        return classChart(figure);
    case FigureForm::TreatmentBars:
        return indicatorChart(figure);
    case FigureForm::Curves:
        return curveChart(figure);
    case FigureForm::Time:
        return timeChart(figure);
    case FigureForm::Similarity:
        return similarityChart(figure);
    case FigureForm::Dendrogram:
        return dendrogramChart(figure);
    case FigureForm::Ordination:
        return ordinationChart(figure);
    }
    return curveChart(figure);
}

} // namespace

ChartBoard::ChartBoard(const std::vector<Figure>& figures) {
    for (const auto& figure : figures)
        charts_.push_back(chartOf(figure));
    for (auto* chart : charts_) {
        scene_.addItem(chart);
        fits_.push_back(std::make_unique<ChartFit>(chart));
        fits_.back()->beforeLayOut = [chart](qreal width) { placeTreatmentKey(chart, width); };
    }
    scene_.setBackgroundBrush(Qt::white);
}

ChartBoard::~ChartBoard() = default;

void ChartBoard::layOut(const QSizeF& size) {
    for (auto* chart : charts_)
        chart->setVisible(true);
    scene_.setSceneRect(QRectF(QPointF(0, 0), size));
    if (charts_.empty()) return;
    if (charts_.size() == 1) {
        fits_[0]->layOut(scene_.sceneRect());
        return;
    }
    // The large chart beside the 2 x 2 small ones, or above them on a page
    // taller than wide.
    const bool sideBySide = size.width() >= size.height();
    const QSizeF large =
        sideBySide ? QSizeF(size.width() * 0.58, size.height()) : QSizeF(size.width(), size.height() * 0.5);
    fits_[0]->layOut(QRectF(QPointF(0, 0), large));
    const QPointF origin = sideBySide ? QPointF(large.width(), 0) : QPointF(0, large.height());
    // Four small charts 2 x 2; two one above the other beside the large one,
    // or side by side below it; one alone fills the rest.
    const std::size_t columns = charts_.size() == 2 ? 1 : charts_.size() == 3 ? (sideBySide ? 1 : 2) : 2;
    const std::size_t rows = (charts_.size() - 1 + columns - 1) / columns;
    const QSizeF cell((size.width() - (sideBySide ? large.width() : 0)) / static_cast<qreal>(columns),
                      (size.height() - (sideBySide ? 0 : large.height())) / static_cast<qreal>(rows));
    for (std::size_t i = 1; i < charts_.size(); ++i) {
        const auto column = static_cast<qreal>((i - 1) % columns), row = static_cast<qreal>((i - 1) / columns);
        fits_[i]->layOut(QRectF(origin + QPointF(column * cell.width(), row * cell.height()), cell));
    }
}

int ChartBoard::chartAt(const QPointF& scenePoint) const {
    for (std::size_t i = 0; i < charts_.size(); ++i)
        if (charts_[i]->isVisible() && charts_[i]->geometry().contains(scenePoint)) return static_cast<int>(i);
    return -1;
}

void ChartBoard::layOutAlone(int chart, const QSizeF& size) {
    const auto index = static_cast<std::size_t>(chart);
    for (std::size_t i = 0; i < charts_.size(); ++i)
        charts_[i]->setVisible(i == index);
    scene_.setSceneRect(QRectF(QPointF(0, 0), size));
    fits_.at(index)->layOut(scene_.sceneRect());
}

void ChartBoard::renderChart(QPainter& painter, int chart, const QRectF& target, qreal width) {
    const QSizeF size(width, width * target.height() / target.width());
    const QRectF before = scene_.sceneRect();
    layOutAlone(chart, size);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    scene_.render(&painter, target, QRectF(QPointF(0, 0), size));
    layOut(before.isEmpty() ? size : before.size());
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
