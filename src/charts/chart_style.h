#pragma once
// How every chart of the program looks, said once: its colours by what they
// mean, its fonts and marker sizes, the journals' widths an image is made
// at, and the few steps each chart is built with (a titled chart, a series
// on its axes, an axis from a figure's).

#include "figures/figures.h"

#include <QColor>
#include <QString>
#include <QStringList>

#include <utility>

class QAbstractAxis;
class QAbstractSeries;
class QBarCategoryAxis;
class QCategoryAxis;
class QChart;
class QValueAxis;

namespace zav::style {

// The colour of a series by what it shows; the whiskers' own grey.
QColor colour(SeriesColour colour);
inline const QColor kWhiskerColour{Qt::darkGray};
inline const QColor kKeyBorder{120, 120, 120};
inline const QColor kNoteColour{60, 60, 60};

// Point sizes: the title of a chart alone or of a large one, of a curve
// chart of one curve, of a small chart of the board; the axes' titles and
// labels in the small charts, the legends and the key.
constexpr qreal kTitlePoints = 11;
constexpr qreal kOneCurveTitlePoints = 10;
constexpr qreal kSmallTitlePoints = 9;
constexpr qreal kSmallAxisTitlePoints = 8;
constexpr qreal kSmallAxisLabelPoints = 7.5;
constexpr qreal kAxisTitlePoints = 8.5;
constexpr qreal kLegendPoints = 8;
constexpr qreal kKeyPoints = 8.5;

// Marker sizes and line widths, in pixels.
constexpr qreal kStarSize = 16;
constexpr qreal kSquareSize = 22;
constexpr qreal kSquarePen = 2.5;
constexpr qreal kDotSize = 10;
constexpr qreal kCutMarkSize = 13;
constexpr qreal kCurvePen = 2.2;
constexpr qreal kTreePen = 2.5;
constexpr int kBandAlpha = 45;

// The widths journals set a figure at: a column and a page, in millimetres.
constexpr int kColumnMm = 85;
constexpr int kPageMm = 175;

// A figure's text as Qt's.
QString text(const std::string& utf8);

// A chart titled `title` (rich text) in bold at `points`, with narrow
// margins and square corners.
QChart* newChart(const QString& title, qreal points);
// The figure's title with its notes under it, smaller.
QString titleOf(const Figure& figure);

// Adds `series` to the chart on both axes.
void attach(QChart* chart, QAbstractSeries* series, QAbstractAxis* x, QAbstractAxis* y);
void hideFromLegend(QChart* chart, QAbstractSeries* series);

// A value axis over the figure's ends, labelled every step from 0 with as
// many decimals as the figure's labels.
QValueAxis* valueAxis(const FigureAxis& axis);
// A category axis with the figure's names at their places.
QCategoryAxis* categoryAxis(const FigureAxis& axis);

// The axes of bars over named places, added to the chart: the places
// whole under the bars ("..." never cuts them), every tick of the figure's
// value axis kept (never spaced out to a wider step), labelled as counts.
std::pair<QBarCategoryAxis*, QValueAxis*> barAxes(QChart* chart, const QStringList& places, const Figure& figure);

// The axes' titles and the legend (under the plot) at the curve charts' size.
void smallFonts(QChart* chart);

} // namespace zav::style
