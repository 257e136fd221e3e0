#pragma once
// Every chart of a result as plain data: the titles and notes, both axes
// with their ends and labelled ticks, each series with its look and its
// points in the order they are drawn, the treatments' key. The desktop's
// charts and the page draw these and decide nothing of their own beyond
// where a text fits. Texts are UTF-8.

#include "figures/figure_data.h"

#include <optional>
#include <string>
#include <vector>

namespace zav {

// A labelled value of an axis.
struct FigureTick {
    double at = 0;
    std::string label;
};

struct FigureAxis {
    std::string title;
    double min = 0, max = 1;
    bool logarithmic = false;
    // Where the labels stand: every `step` from 0 on a value axis, at each
    // power of ten on a logarithmic one, at 1, 2, ... on a category axis.
    double step = 0;
    bool categories = false;       // the ticks name the places 1, 2, ...
    std::vector<FigureTick> ticks; // in order along the axis
};

// How a series is drawn; both shells keep their own pens and sizes for each.
enum class SeriesStyle {
    Line,      // a solid line through the points
    Dashed,    // a dashed line
    Points,    // round dots
    Stars,     // star markers
    Squares,   // hollow squares around the points
    Triangles, // triangle markers
    Band,      // the area between each point's low and high
    Bars,      // a bar from 0 to each point
    Whiskers,  // a vertical line from low to high with caps, at each point's x
    Segments,  // a line from each point to the next one, in pairs
};

// The colours of the charts, by what they mean.
enum class SeriesColour { Species, Predominant, Excluded, First, Second, Third, Grey };

struct FigurePoint {
    double x = 0, y = 0;
    std::optional<double> low, high; // a band's or whisker's limits, both or neither
    bool marked = false;             // a "super" class's bar; a whisker cut at 100 %
    std::vector<NameRun> label;      // beside the point (a predominant species)
    std::string hover;               // said under the pointer
};

struct FigureSeries {
    std::string name; // the legend's entry; empty when the legend leaves it out
    SeriesStyle style = SeriesStyle::Line;
    SeriesColour colour = SeriesColour::Species;
    std::vector<FigurePoint> points;
    bool secondAxis = false; // measured on the figure's y2, right of the plot
    // A bar's width in units of x (bars stand at dates a week or a month
    // apart on a time axis).
    double barWidth = 0.6;
};

// How a figure is drawn: the shells keep one drawing for each, whatever
// the analysis.
enum class FigureForm {
    RankAbundance, // a log axis of counts over ranks, predominant species labelled
    ClassBars,     // one set of bars over named places, a "super" class marked
    TreatmentBars, // bars over named places in each treatment's colour, with the key
    Curves,        // lines, bands and points over a value axis
    Time,          // series over dates, perhaps with a second axis
    Similarity,    // quotients with their intervals over the pairs
    Dendrogram,    // the tree's segments over the leaves
    Ordination,    // samples in a plane, grouped by treatment
};

struct Figure {
    FigureForm form = FigureForm::Curves;
    std::string name;               // the chart's short name: its files end with it
    std::string title;              // one line
    std::vector<std::string> notes; // smaller lines under the title
    FigureAxis x, y;
    std::optional<FigureAxis> y2;     // a second value axis, right of the plot
    std::vector<FigureSeries> series; // drawn in this order, the last on top
    std::vector<std::string> key;     // the treatments: a heading, then "T1 = name", ...
    std::size_t keyNotes = 0;         // the key's lines from here on are notes
    // What a plot with labelled points says when only the first k labels
    // found room: labelNotes[k], for k below the number of labels.
    std::vector<std::string> labelNotes;
    // The rank-abundance plot's ranks, counts below 1 (off its axis) included.
    std::size_t ranks = 0;
};

// The fluctuation's charts: which weather variable goes with the series on
// the time axis, and which series the scatter sets against which variable.
struct FluctuationFigureOptions {
    std::size_t variable = 0; // index into the result's variables
    // The scatter's series: "individuos", "especies" or "especie N".
    std::string series = "individuos";
};

// The figures as JSON for the page, numbers written as the other exports
// write them.
std::string figuresJson(const std::vector<Figure>& figures);

// The axis of the species per class: from 0, with room above the highest
// bar for its count, labelled at steps of 1, 2 or 5 times a power of ten.
AxisRange classAxis(int most);
// The axis of the dendrogram's heights: from 0 over the highest fusion
// (1 when there is none), labelled every 0.05, 0.1 or 0.2.
AxisRange dendrogramAxis(double top);

// What the kinds' figures are made of (each kind's figures are in its unit,
// runs/*_figures.cpp, from the values of figure_data.h).
// A value axis labelled at every step from 0 within its ends, with
// `decimals` decimals ("%.Nf" as the desktop's axes print them).
FigureAxis valueAxis(std::string title, const AxisRange& range, int decimals);
// A labelled place at 1, 2, ... for each name, from 0.5 to n + 0.5.
FigureAxis categoryAxis(std::string title, const std::vector<std::string>& names);
// The key of the treatments under the chart: "Tratamentos", "T1 = name", ...
void addKey(Figure& figure, const std::vector<std::string>& names, ChartLanguage language);

} // namespace zav
