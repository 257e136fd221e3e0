#pragma once
// The charts of a diversity and of a comparison report, and the key of the
// treatments that the similarity chart has too. Drawn from the core's
// figures (figures/figures.h), never from the report's text.

#include "figures/figures.h"

#include <QtGlobal>

class QChart;

namespace zav {

// A curve chart: solid rarefaction, dashed extrapolation, a dot at the
// sample and the 95 % bands shaded (the Hill numbers against individuals,
// the richness against collections, the sample coverage).
QChart* curveChart(const Figure& figure);

// A chart over the collections: the x axis labelled where the figure's
// ticks are (dates on a time axis), bars of the figure's width, lines and
// dots, and the series of a second axis measured right of the plot (the
// fluctuation and the species per collection).
QChart* timeChart(const Figure& figure);

// The UPGMA dendrogram, its leaves named T1, T2, ... in the tree's order,
// the cophenetic correlation under its title.
QChart* dendrogramChart(const Figure& figure);

// The communities' ordination: each treatment's samples in its colour and
// marker, its convex hull a thin closed line of the same colour, both axes
// of the same scale; and the indicator species' IndVal as bars, each in its
// treatment's colour.
QChart* ordinationChart(const Figure& figure);
QChart* indicatorChart(const Figure& figure);

// A box right of the plot with the figure's key: "T1 = mata.txt" a line,
// then its notes in italics. Nothing when the figure has no key.
void addTreatmentKey(QChart* chart, const Figure& figure);

// Keeps room for the chart's key, if it has one, right of the plot, or under
// it on a chart `width` pixels wide where beside it would leave the plot too
// narrow.
void placeTreatmentKey(QChart* chart, qreal width);

} // namespace zav
