#pragma once
// A chart laid out with every text whole at whatever size it is given: a
// journal's column of 85 mm as well as a screen. Qt Charts cuts a title, an
// axis's title, a tick's label or a legend's entry that lacks room and ends
// it with "..."; here, before that can happen, the chart's title and its
// axes' titles are wrapped to the room they have (and the title given up for
// the subtitles where even wrapped it would take a quarter of the chart),
// the legend's entries wrapped and, if need be, set smaller (and where even
// that leaves them cut, written under the title instead, each after its
// symbol in its colour), the labels of a value axis spaced out to a wider
// step and the names of a category axis turned upright (and, where even
// upright they crowd, only every second, third... name shown, the first
// always).

#include <QFont>
#include <QRectF>
#include <QString>

#include <functional>
#include <vector>

class QAbstractAxis;
class QChart;
class QLegendMarker;

namespace zav {

// The width of a chart's text as Qt Charts measures it (rich text: "<br>",
// "<small>").
qreal textWidth(const QFont& font, const QString& html);

// `html`'s lines ("<br>" apart, each may be "<small>...</small>") wrapped at
// spaces into lines no wider than `width`.
QString wrapHtml(const QString& html, const QFont& font, qreal width);

class ChartFit {
  public:
    // Keeps the chart's texts as it was built: each layout starts from them.
    explicit ChartFit(QChart* chart);

    QChart* chart() const { return chart_; }

    // Called with the chart's width before each layout: what the chart
    // places by itself (a key beside or under the plot).
    std::function<void(qreal)> beforeLayOut;

    // The chart over `geometry` of its scene, its texts fitted.
    void layOut(const QRectF& geometry);

  private:
    qreal contentWidth(const QRectF& geometry) const;
    bool fitTitle(const QRectF& geometry);
    void fitLegend();
    bool legendWhole() const;
    bool fitAxes();

    QChart* chart_;
    QString title_;
    QFont legendFont_;
    bool legendShown_;
    QString legendLine_; // the legend as a line of the title, when it has no room
    struct AxisTexts {
        QAbstractAxis* axis;
        QString title;
        qreal step;  // a value axis's tick interval, 0 for the others
        qreal angle; // its labels' angle
        // A category axis's names and where they stand.
        std::vector<std::pair<QString, qreal>> categories;
    };
    std::vector<AxisTexts> axes_;
    struct Entry {
        QLegendMarker* marker;
        QString label;
    };
    std::vector<Entry> legend_;
};

} // namespace zav
