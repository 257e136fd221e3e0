#include "charts/chart_fit.h"

#include "figures/figure_data.h"

#include <QAreaSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QGraphicsTextItem>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QTextDocument>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace zav {
namespace {

// What a text may take of a chart's width, beyond what Qt Charts keeps
// around its contents: a little to spare.
constexpr qreal kContentSlack = 4;
// The smallest a legend's text is set, in points: at one column, printed at
// 80 %, about 6 points.
constexpr qreal kSmallestLegendPoints = 7.5;
// The share of a chart's height its title may take.
constexpr qreal kTitleShare = 0.25;

const QString kBreak = QStringLiteral("<br>");

// At once, not when the event loop comes to it: an image is painted right
// after. The legend's own layout shows its entries again after a change of
// font.
void relayOut(QChart* chart) {
    for (QGraphicsLayout* layout : {chart->layout(), chart->legend()->layout()})
        if (layout) {
            layout->invalidate();
            layout->activate();
        }
}

QString labelText(const QString& format, qreal value) {
    return QString::asprintf(format.toLatin1().constData(), value);
}

// The labels a value axis shows at `step` from its anchor.
QStringList valueLabels(const QValueAxis* axis, qreal step) {
    QStringList labels;
    if (step <= 0) return labels;
    const qreal anchor = axis->tickAnchor();
    for (qreal k = std::ceil((axis->min() - anchor) / step - 1e-9); anchor + k * step <= axis->max() + 1e-9; ++k)
        labels << labelText(axis->labelFormat(), anchor + k * step);
    return labels;
}

bool horizontal(const QAbstractAxis* axis) { return axis->orientation() == Qt::Horizontal; }

// The names of a category axis, every `every`th shown from the first; the
// others are blank (names that differ, as the axis wants them).
void showEvery(QCategoryAxis* axis, const std::vector<std::pair<QString, qreal>>& categories, std::size_t every) {
    QStringList names;
    for (std::size_t i = 0; i < categories.size(); ++i)
        names << (i % every == 0 ? categories[i].first : QString(static_cast<qsizetype>(i + 1), QChar(0x200B)));
    if (names == axis->categoriesLabels()) return;
    for (const auto& name : axis->categoriesLabels())
        axis->remove(name);
    for (std::size_t i = 0; i < categories.size(); ++i)
        axis->append(names[static_cast<qsizetype>(i)], categories[i].second);
}

// A legend entry's symbol as text, in its colour: a line, a dashed line, a
// band, or the marker's shape.
QString symbol(QLegendMarker* marker) {
    QColor color = marker->brush().color();
    QString glyph = QStringLiteral("■");
    if (const auto* scatter = qobject_cast<const QScatterSeries*>(marker->series())) {
        const bool hollow = scatter->brush().style() == Qt::NoBrush;
        color = hollow ? scatter->pen().color() : scatter->color();
        switch (scatter->markerShape()) {
        case QScatterSeries::MarkerShapeCircle:
            glyph = QStringLiteral("●");
            break;
        case QScatterSeries::MarkerShapeStar:
            glyph = QStringLiteral("★");
            break;
        case QScatterSeries::MarkerShapeTriangle:
            glyph = QStringLiteral("▲");
            break;
        default:
            glyph = hollow ? QStringLiteral("□") : QStringLiteral("■");
            break;
        }
    } else if (const auto* line = qobject_cast<const QLineSeries*>(marker->series())) {
        color = line->pen().color();
        glyph = line->pen().style() == Qt::SolidLine ? QStringLiteral("—") : QStringLiteral("-\u00a0-");
    } else if (const auto* area = qobject_cast<const QAreaSeries*>(marker->series())) {
        // The band's tint, as it shows on white.
        const QColor tint = area->brush().color();
        const qreal a = std::max(tint.alphaF(), 0.35f);
        color =
            QColor::fromRgbF(static_cast<float>(1 - a + a * tint.redF()), static_cast<float>(1 - a + a * tint.greenF()),
                             static_cast<float>(1 - a + a * tint.blueF()));
    }
    color.setAlpha(255);
    return QStringLiteral("<span style=\"color:%1\">%2</span>").arg(color.name(), glyph);
}

} // namespace

qreal textWidth(const QFont& font, const QString& html) {
    // As Qt Charts measures: a text item of its margin.
    static QGraphicsTextItem* measure = [] {
        auto* item = new QGraphicsTextItem;
        item->document()->setDocumentMargin(0.5);
        return item;
    }();
    measure->setFont(font);
    measure->setHtml(html);
    return measure->boundingRect().width();
}

QString wrapHtml(const QString& html, const QFont& font, qreal width) {
    QStringList lines;
    for (const QString& line : html.split(kBreak)) {
        const bool small = line.startsWith(QStringLiteral("<small>")) && line.endsWith(QStringLiteral("</small>"));
        const QString open = small ? QStringLiteral("<small>") : QString();
        const QString close = small ? QStringLiteral("</small>") : QString();
        const QString inner = small ? line.mid(7, line.size() - 15) : line;
        const auto wrapped = wrapWords(inner.toStdString(), width, [&](const std::string& text) {
            return textWidth(font, open + QString::fromStdString(text) + close);
        });
        for (const auto& part : wrapped)
            lines << open + QString::fromStdString(part) + close;
    }
    return lines.join(kBreak);
}

ChartFit::ChartFit(QChart* chart)
    : chart_(chart), title_(chart->title()), legendFont_(chart->legend()->font()),
      legendShown_(chart->legend()->isVisible()) {
    for (auto* axis : chart->axes()) {
        const auto* value = qobject_cast<QValueAxis*>(axis);
        const qreal step = value && value->tickType() == QValueAxis::TicksDynamic ? value->tickInterval() : 0;
        std::vector<std::pair<QString, qreal>> categories;
        if (auto* category = qobject_cast<QCategoryAxis*>(axis))
            for (const auto& name : category->categoriesLabels())
                categories.emplace_back(name, category->endValue(name));
        axes_.push_back({axis, axis->titleText(), step, static_cast<qreal>(axis->labelsAngle()), categories});
        // Whole, or spaced out below.
        axis->setTruncateLabels(false);
    }
    for (auto* marker : chart->legend()->markers())
        legend_.push_back({marker, marker->label()});
}

void ChartFit::layOut(const QRectF& geometry) {
    if (beforeLayOut) beforeLayOut(geometry.width());
    // From the texts as built: a chart laid out small, then large, is as
    // one laid out large at once.
    chart_->setTitle(title_);
    chart_->legend()->setFont(legendFont_);
    chart_->legend()->setVisible(legendShown_);
    legendLine_.clear();
    for (const auto& [marker, label] : legend_)
        marker->setLabel(label);
    for (const auto& texts : axes_) {
        texts.axis->setTitleText(texts.title);
        texts.axis->setLabelsAngle(static_cast<int>(texts.angle));
        if (texts.step > 0) static_cast<QValueAxis*>(texts.axis)->setTickInterval(texts.step);
        if (!texts.categories.empty()) showEvery(static_cast<QCategoryAxis*>(texts.axis), texts.categories, 1);
    }
    // What follows the plot's moves (labels beside points) follows once, at
    // the end.
    const bool blocked = chart_->blockSignals(true);
    chart_->setGeometry(geometry);
    relayOut(chart_);
    fitLegend();
    // Each change moves the plot, and the room of the axes with it.
    for (int pass = 0; pass < 4; ++pass) {
        bool changed = fitTitle(geometry);
        if (changed) relayOut(chart_);
        changed = fitAxes() || changed;
        if (!changed) break;
        relayOut(chart_);
    }
    chart_->blockSignals(blocked);
    emit chart_->plotAreaChanged(chart_->plotArea());
}

qreal ChartFit::contentWidth(const QRectF& geometry) const {
    qreal left = 0, top = 0, right = 0, bottom = 0;
    if (const auto* layout = chart_->layout()) layout->getContentsMargins(&left, &top, &right, &bottom);
    return geometry.width() - left - right - chart_->margins().left() - chart_->margins().right() - kContentSlack;
}

bool ChartFit::fitTitle(const QRectF& geometry) {
    const QString whole = legendLine_.isEmpty()
                              ? title_
                              : title_ + (title_.isEmpty() ? QString() : kBreak) + QStringLiteral("<small>") +
                                    legendLine_ + QStringLiteral("</small>");
    if (whole.isEmpty()) return false;
    const qreal width = contentWidth(geometry);
    QString title = wrapHtml(whole, chart_->titleFont(), width);
    const auto height = [&](const QString& html) {
        QGraphicsTextItem item;
        item.setFont(chart_->titleFont());
        item.setHtml(html);
        return item.boundingRect().height();
    };
    // A journal sets its own caption: the title goes first, then the
    // subtitles, never the legend.
    QStringList lines = title_.isEmpty() ? QStringList() : title_.split(kBreak);
    while (height(title) > geometry.height() * kTitleShare && !lines.isEmpty()) {
        lines.removeFirst();
        if (!legendLine_.isEmpty()) lines << QStringLiteral("<small>") + legendLine_ + QStringLiteral("</small>");
        title = wrapHtml(lines.join(kBreak), chart_->titleFont(), width);
        if (!legendLine_.isEmpty()) lines.removeLast();
    }
    if (title == chart_->title()) return false;
    chart_->setTitle(title);
    return true;
}

bool ChartFit::legendWhole() const {
    const QLegend* legend = chart_->legend();
    qsizetype texts = 0;
    std::vector<QGraphicsItem*> items = {const_cast<QLegend*>(legend)};
    while (!items.empty()) {
        QGraphicsItem* item = items.back();
        items.pop_back();
        if (!item->isVisible()) continue;
        if (const auto* text = dynamic_cast<const QGraphicsTextItem*>(item)) {
            const QString plain = text->toPlainText();
            if (plain.contains(QStringLiteral("..."))) return false;
            if (!plain.trimmed().isEmpty()) ++texts;
        }
        for (auto* child : item->childItems())
            items.push_back(child);
    }
    const auto shown = std::count_if(legend_.begin(), legend_.end(), [](const Entry& entry) {
        return entry.marker->isVisible() && !entry.label.isEmpty();
    });
    return texts >= shown;
}

void ChartFit::fitLegend() {
    QLegend* legend = chart_->legend();
    if (!legend->isVisible() || legendWhole()) return;
    std::vector<const Entry*> shown;
    for (const auto& entry : legend_)
        if (entry.marker->isVisible() && !entry.label.isEmpty()) shown.push_back(&entry);
    QFont font = legendFont_;
    for (qreal points = legendFont_.pointSizeF(); points >= kSmallestLegendPoints - 1e-9; points -= 0.5) {
        font.setPointSizeF(points);
        legend->setFont(font);
        std::vector<int> lines(shown.size(), 1);
        for (const auto* entry : shown)
            entry->marker->setLabel(entry->label);
        relayOut(chart_);
        // The widest entry on one line more, until they fit or none can.
        while (!legendWhole()) {
            std::size_t widest = shown.size();
            qreal most = 0;
            for (std::size_t i = 0; i < shown.size(); ++i) {
                const qreal width = textWidth(font, shown[i]->marker->label());
                if (lines[i] < 3 && shown[i]->label.contains(QLatin1Char(' ')) && width > most) {
                    widest = i;
                    most = width;
                }
            }
            if (widest == shown.size()) break;
            ++lines[widest];
            const qreal natural = textWidth(font, shown[widest]->label);
            shown[widest]->marker->setLabel(wrapHtml(shown[widest]->label, font, natural / lines[widest] + 1));
            relayOut(chart_);
        }
        if (legendWhole()) return;
    }
    // No room beside each other: under the title, each after its symbol.
    legend->setFont(legendFont_);
    for (const auto* entry : shown)
        entry->marker->setLabel(entry->label);
    legend->setVisible(false);
    QStringList entries;
    for (const auto* entry : shown)
        entries << symbol(entry->marker) + QChar(0x00A0) + entry->label;
    legendLine_ = entries.join(QString(2, QChar(0x00A0)) + QLatin1Char(' '));
    relayOut(chart_);
}

bool ChartFit::fitAxes() {
    const QRectF plot = chart_->plotArea();
    bool changed = false;
    for (const auto& texts : axes_) {
        QAbstractAxis* axis = texts.axis;
        if (!axis->isVisible()) continue;
        const qreal length = horizontal(axis) ? plot.width() : plot.height();
        if (length <= 0) continue;
        if (!texts.title.isEmpty()) {
            const QString title = wrapHtml(texts.title, axis->titleFont(), length - 4);
            if (title != axis->titleText()) {
                axis->setTitleText(title);
                changed = true;
            }
        }
        const QFontMetricsF metrics(axis->labelsFont());
        if (auto* category = qobject_cast<QCategoryAxis*>(axis)) {
            // Names side by side when they have room, else upright, else
            // only some.
            const auto& names = texts.categories;
            if (!horizontal(axis) || names.size() < 2) continue;
            const qreal perValue = length / (category->max() - category->min());
            qreal widest = 0, closest = length;
            for (std::size_t i = 0; i < names.size(); ++i) {
                widest = std::max(widest, metrics.horizontalAdvance(names[i].first));
                if (i > 0) closest = std::min(closest, (names[i].second - names[i - 1].second) * perValue);
            }
            if (axis->labelsAngle() == 0 && texts.angle == 0 && closest < widest + 8) {
                axis->setLabelsAngle(-90);
                changed = true;
            } else if (axis->labelsAngle() != 0 && closest > 0) {
                const auto every = static_cast<std::size_t>(std::ceil((metrics.height() + 2) / closest));
                const QStringList before = category->categoriesLabels();
                showEvery(category, names, std::max<std::size_t>(1, every));
                changed = changed || before != category->categoriesLabels();
            }
        } else if (auto* value = qobject_cast<QValueAxis*>(axis); value && texts.step > 0) {
            // The labels of the finest step: as wide as any coarser one's.
            qreal labelLength = metrics.height();
            if (horizontal(axis))
                for (const auto& label : valueLabels(value, texts.step))
                    labelLength = std::max(labelLength, metrics.horizontalAdvance(label) + 2);
            const qreal step = fittingStep({value->min(), value->max(), texts.step}, length, labelLength);
            if (std::abs(step - value->tickInterval()) > 1e-12) {
                value->setTickInterval(step);
                changed = true;
            }
        }
    }
    return changed;
}

} // namespace zav
