#pragma once
// The charts of a diversity and of a comparison report, and what the
// similarity chart adds to its whiskers: the key of the treatments and the
// note on its interval. Drawn from the results (chart_data), never from the
// report's text.

#include "charts/chart_data.h"
#include "comparison/comparison.h"
#include "diversity/diversity.h"

#include <QStringList>

#include <vector>

class QChart;
class QScatterSeries;

namespace zav {

// The Hill numbers q = 0, 1, 2 against individuals; the richness against
// collections; the sample coverage against individuals. Solid rarefaction,
// dashed extrapolation, a dot at the sample and the 95 % bands shaded.
std::vector<QChart*> diversityCharts(const DiversityResult& result, ChartLanguage language);

// The UPGMA dendrogram with the treatments' names at its leaves and the
// cophenetic correlation under its title.
QChart* dendrogramChart(const ComparisonResult& result, const QStringList& names, ChartLanguage language);

// The ordination of the communities' samples (NMDS, or the PCoA's first
// two axes with `pcoa` or without an NMDS): each treatment in its own colour
// and marker, the key of the treatments, the stress or the axes' shares
// under the title.
QChart* ordinationChart(const communities::CommunityResult& result, const QStringList& names, bool pcoa,
                        ChartLanguage language);

// A box right of the plot: "T1 = mata.txt" a line, then, with
// `intervalNote`, the note that the interval is the report's approximation
// and, with `cut`, what the mark at 100 % means.
void addTreatmentKey(QChart* chart, const QStringList& names, bool intervalNote, bool cut, ChartLanguage language);

// Keeps room for the chart's key, if it has one, right of the plot, or under
// it on a chart `width` pixels wide where beside it would leave the plot too
// narrow.
void placeTreatmentKey(QChart* chart, qreal width);

} // namespace zav
