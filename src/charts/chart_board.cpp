#include "charts/chart_board.h"

#include "charts/chart_data.h"
#include "charts/chart_fit.h"
#include "charts/label_layout.h"
#include "charts/run_charts.h"

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
#include <memory>

namespace zav {
namespace {

const QColor kSpeciesColor(31, 90, 160);
const QColor kPredominantColor(230, 140, 0);
const QColor kExcludedColor(200, 30, 30);

QString text(const std::string& utf8) { return QString::fromStdString(utf8); }

// A text of the charts in the language chosen.
QString say(ChartLanguage language, const char* portuguese, const char* english) {
    return QString::fromUtf8(language == ChartLanguage::English ? english : portuguese);
}

// The marker sizes, in pixels.
constexpr qreal kStarSize = 16;
constexpr qreal kSquareSize = 22;

// A species' name as rich text: a scientific name in italics.
QString speciesLabelHtml(const std::string& name) {
    QString html;
    for (const auto& run : nameRuns(name)) {
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
    SpeciesLabels(QChart* chart, QXYSeries* series, ChartLanguage language)
        : chart_(chart), series_(series), language_(language) {
        // On white, over the grid.
        noteBox_ = new QGraphicsRectItem(chart);
        noteBox_->setBrush(Qt::white);
        noteBox_->setPen(Qt::NoPen);
        noteBox_->setZValue(10);
        noteBox_->hide();
        note_ = new QGraphicsTextItem(noteBox_);
        note_->document()->setDocumentMargin(0);
        note_->setDefaultTextColor(QColor(60, 60, 60));
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
                note_->setPlainText(text(labelledNote(labelled, labels_.size(), language_)));
                // In the top right corner, over the fewest points of a
                // falling curve.
                const qreal widest = std::max<qreal>(60, around.area.width() * 0.6);
                if (note_->boundingRect().width() > widest) note_->setTextWidth(widest);
                corner = corner.united(note_->boundingRect());
            }
            corner.moveTopRight(around.area.topRight() + QPointF(-6, 4));
            around.keep.push_back(corner);
            placed = placeLeading(wanted, around);
            note_->setPlainText(text(labelledNote(placed.size(), labels_.size(), language_)));
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
    ChartLanguage language_;
    QGraphicsRectItem* noteBox_; // owned by the chart
    QGraphicsTextItem* note_;    // in noteBox_
    std::vector<Label> labels_;  // the most abundant species first
    std::vector<Marker> points_;
    std::vector<QPointF> curve_;
};

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

// Labels every step from 0, whatever the ends.
void setRange(QValueAxis* axis, const AxisRange& range) {
    axis->setRange(range.min, range.max);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    axis->setTickInterval(range.step);
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

// A point under the pointer says which species it is.
void showSpeciesOnHover(QChart* chart, const std::vector<QXYSeries*>& series, std::vector<RankedSpecies> ranked,
                        ChartLanguage language) {
    auto species = std::make_shared<const std::vector<RankedSpecies>>(std::move(ranked));
    for (QXYSeries* s : series)
        QObject::connect(s, &QXYSeries::hovered, chart, [species, language](const QPointF& point, bool entered) {
            if (!entered || species->empty()) return QToolTip::hideText();
            const auto last = static_cast<long>(species->size()) - 1;
            const auto index = static_cast<std::size_t>(std::clamp(std::lround(point.x()) - 1, 0L, last));
            QToolTip::showText(QCursor::pos(), text(speciesHoverText((*species)[index], language)));
        });
}

// Ranks labelled from 1, with room beyond the first and last.
QCategoryAxis* rankAxisOf(std::size_t species) {
    auto* x = new QCategoryAxis;
    const auto range = rankAxis(species);
    x->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    x->setRange(range.min, range.max);
    x->setStartValue(range.min);
    for (const double at : rankLabels(range))
        x->append(QString::number(at), at);
    return x;
}

// The rank-abundance plot: individuals (log) by rank, predominant species
// starred and labelled with their numbers, excluded species in their own
// colour.
QChart* rankAbundanceChart(const AnalysisResult& result, ChartLanguage language) {
    const auto ranked = rankAbundance(result);
    auto* chart = newChart(
        say(language, "Abundância das espécies por posição (Whittaker)", "Species abundance by rank (Whittaker plot)"),
        11);

    auto* curve = new QLineSeries;
    curve->setName(say(language, "Espécies", "Species"));
    curve->setColor(kSpeciesColor);
    curve->setPointsVisible(ranked.size() <= 100);
    // The legend says whether the labels are names, numbers or both.
    auto* predominant = markers(text(predominantLegend(ranked, language)), QScatterSeries::MarkerShapeStar,
                                kPredominantColor, kStarSize);
    // A hollow square around the point: an excluded species may be
    // predominant too, and its star shows inside.
    auto* excluded = markers(say(language, "Super (postas à parte)", "Super-abundant (set apart)"),
                             QScatterSeries::MarkerShapeRectangle, kExcludedColor, kSquareSize);
    excluded->setBrush(Qt::NoBrush);
    excluded->setPen(QPen(kExcludedColor, 2.5));
    auto labels = std::make_shared<SpeciesLabels>(chart, curve, language);
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
        labels->addCurvePoint(point);
        if (sp.excluded) {
            excluded->append(point);
            labels->addPoint(point, kSquareSize);
        }
        if (sp.predominant) {
            predominant->append(point);
            labels->addPoint(point, kStarSize);
            labels->addLabel(point, speciesLabelHtml(sp.label), sp.excluded ? kSquareSize : kStarSize);
        }
        lowest = lowest == 0 ? sp.individuals : std::min(lowest, sp.individuals);
        highest = std::max(highest, sp.individuals);
    }
    curve->replace(curvePoints);
    if (belowOne > 0)
        chart->setTitle(chart->title() + QStringLiteral("<br><small>") +
                        say(language, "%1 espécie(s) com contagem negativa fora do eixo logarítmico",
                            "%1 species with a negative count, off the logarithmic axis")
                            .arg(belowOne) +
                        QStringLiteral("</small>"));

    auto* x = rankAxisOf(ranked.size());
    x->setTitleText(
        say(language, "Posição da espécie (da mais à menos abundante)", "Species rank (from most to least abundant)"));
    auto* y = new QLogValueAxis;
    y->setBase(10);
    y->setTitleText(say(language, "Número de indivíduos (escala logarítmica)", "Number of individuals (log scale)"));
    y->setLabelFormat(QStringLiteral("%.0f"));
    const auto individuals = individualsAxis(lowest, highest);
    y->setRange(individuals.min, individuals.max);
    // On a short plot (a journal's column) the margin is the marker's, in pixels.
    const auto fitMarkers = [chart, x, y, lowest, highest, species = ranked.size()] {
        const qreal radius = kSquareSize / 2 + 2;
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
    attach(chart, curve, x, y);
    attach(chart, excluded, x, y);
    attach(chart, predominant, x, y);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->legend()->markers(excluded).first()->setBrush(kExcludedColor);
    // The legend names only what the plot shows.
    for (QScatterSeries* series : {excluded, predominant})
        chart->legend()->markers(series).first()->setVisible(series->count() > 0);
    showSpeciesOnHover(chart, {curve, predominant, excluded}, ranked, language);

    QObject::connect(chart, &QChart::plotAreaChanged, chart, [labels, fitMarkers] {
        fitMarkers();
        labels->layOut();
    });
    return chart;
}

// One small chart: species per class, the "super" class in the colour of the
// excluded species.
QChart* classChart(const ClassChart& data, const QString& title, ChartLanguage language) {
    auto* chart = newChart(title, 9);
    auto* set = new QBarSet(say(language, "Espécies", "Species"));
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
    x->setTitleText(say(language, "Classe", "Class"));
    // The codes are short: never "...".
    x->setTruncateLabels(false);
    auto* y = new QValueAxis;
    y->setTitleText(say(language, "Espécies", "Species"));
    y->setLabelFormat(QStringLiteral("%d"));
    // Room above the highest bar for its count.
    y->setRange(0, most * 1.35);
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
QChart* similarityChart(const SimilarityResult& result, const QStringList& names, ChartLanguage language) {
    const auto points = clippedIntervals(similarityPoints(result));
    auto* chart = newChart(say(language, "Quociente de similaridade de Sorensen (1948) por par de tratamentos",
                               "Sorensen (1948) quotient of similarity by pair of treatments"),
                           11);
    auto* x = new QCategoryAxis;
    x->setTitleText(say(language, "Par de tratamentos", "Pair of treatments"));
    x->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    x->setRange(0.5, static_cast<qreal>(points.size()) + 0.5);
    x->setStartValue(0.5);
    if (points.size() > 6) x->setLabelsAngle(-90);
    auto* y = new QValueAxis;
    y->setTitleText(say(language, "Quociente de similaridade (%)", "Quotient of similarity (%)"));
    y->setLabelFormat(QStringLiteral("%g"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);

    auto* quotients =
        markers(say(language, "Quociente (%)", "Quotient (%)"), QScatterSeries::MarkerShapeCircle, kSpeciesColor, 10);
    const qreal cap = 0.12;
    bool intervalInLegend = false;
    auto* cutMarks = markers(say(language, "Intervalo cortado em 100 %", "Interval cut at 100 %"),
                             QScatterSeries::MarkerShapeTriangle, kExcludedColor, 13);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const auto& p = points[i];
        const qreal at = static_cast<qreal>(i + 1);
        QString label = text(p.label);
        if (!p.quotient)
            label += say(language, " (indefinido)", " (undefined)");
        else if (!p.lower)
            label += say(language, " (sem intervalo)", " (no interval)");
        x->append(label, at);
        if (p.quotient) quotients->append(at, *p.quotient);
        if (!p.lower) continue;
        auto* whisker = new QLineSeries;
        // Written as the report writes it.
        whisker->setName(say(language, "Intervalo de confiança (P=0.05)", "Confidence interval (P=0.05)"));
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
        if (p.cut) cutMarks->append(at, *p.upper);
    }
    attach(chart, quotients, x, y);
    // Over the quotient's dot when the quotient is 100 too.
    if (cutMarks->count() > 0)
        attach(chart, cutMarks, x, y);
    else
        delete cutMarks;
    std::vector<PairPoint> limits;
    for (const auto& p : points)
        limits.push_back({p.label, p.quotient, p.lower, p.upper});
    setRange(y, similarityAxis(limits));
    addTreatmentKey(chart, names, true, std::any_of(points.begin(), points.end(), [](const auto& p) { return p.cut; }),
                    language);
    chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}

} // namespace

ChartBoard::ChartBoard(const ReportResult& result, const QStringList& treatments, ChartLanguage language) {
    if (const auto* analysis = std::get_if<AnalysisResult>(&result)) {
        charts_.push_back(rankAbundanceChart(*analysis, language));
        for (const auto& counts : classCounts(*analysis, language))
            charts_.push_back(classChart(counts, text(counts.title), language));
    } else if (const auto* diversity = std::get_if<DiversityResult>(&result)) {
        charts_ = diversityCharts(*diversity, language);
    } else if (const auto* comparison = std::get_if<ComparisonResult>(&result)) {
        charts_.push_back(dendrogramChart(*comparison, treatments, language));
    } else if (const auto* communities = std::get_if<communities::CommunityResult>(&result)) {
        charts_.push_back(ordinationChart(*communities, treatments, false, language));
    } else if (std::holds_alternative<FluctuationResult>(result)) {
        // The fluctuation's charts are not drawn yet: an empty board.
    } else {
        charts_.push_back(similarityChart(std::get<SimilarityResult>(result), treatments, language));
    }
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
    // or side by side below it.
    const std::size_t columns = charts_.size() == 3 ? (sideBySide ? 1 : 2) : 2;
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
