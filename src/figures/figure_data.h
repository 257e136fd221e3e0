#pragma once
// What the charts draw, taken from the core's results: plain values, so that
// what a chart shows can be checked without drawing it. Texts are UTF-8.

#include "analysis/analysis.h"
#include "communities/communities.h"
#include "comparison/comparison.h"
#include "data/report_language.h"
#include "diversity/diversity.h"
#include "similarity/similarity.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zav {

// One point of the rank-abundance (Whittaker) plot.
struct RankedSpecies {
    int rank = 0;                 // 1 for the species with the most individuals
    std::int32_t number = 0;      // the species number of the report
    std::int32_t individuals = 0; // y; a log axis cannot show a count below 1
    bool predominant = false;     // marked " *" in the report: labelled with its number
    bool excluded = false;        // set apart as an outlier ("super" species)
    std::string name;             // UTF-8, when the data file names the species
    // The report's class codes, without padding: dominance, abundance,
    // frequency, constancy.
    std::array<std::string, 4> classes;
    bool named = false;     // the species has a name in its data file
    std::string label = {}; // the species' name when it has one, else its number
};

// The language of the charts' titles and axes: Portuguese as the reports,
// or English or Spanish for a paper in either.
enum class ChartLanguage { Portuguese, English, Spanish };

// The charts' language for a report in `language`.
ChartLanguage chartLanguageOf(ReportLanguage language);

// A chart's text in `language`: `portuguese`, `english`, or the Spanish the
// charts' table holds for the Portuguese text. UTF-8.
std::string chartText(ChartLanguage language, std::string_view portuguese, std::string_view english);

// A sentence the reports share with the charts (why a value is missing, the
// reading of a stress), from the reports' catalogue (data/report_language.h).
std::string chartSentence(ChartLanguage language, std::string_view portuguese);

// The Portuguese texts of the charts with their Spanish, for the tests.
std::span<const std::pair<std::string_view, std::string_view>> chartSpanishTexts();

// What a point of the rank-abundance plot says under the pointer: the
// species (number and name), its individuals and its classes. UTF-8.
std::string speciesHoverText(const RankedSpecies& species, ChartLanguage language);

// Every species of the table, by individuals from most to fewest; species
// with the same count keep the order of their numbers.
std::vector<RankedSpecies> rankAbundance(const AnalysisResult& result);

// The legend of the predominant species' stars, after what labels them:
// "Predominantes (*) e seus números", "... e seus nomes" when every one has a
// name, "... e seus nomes ou números" when some have.
std::string predominantLegend(const std::vector<RankedSpecies>& ranked,
                              ChartLanguage language = ChartLanguage::Portuguese);

// A species' name in runs of upright and italic text. A name of two words or
// more is a scientific name and is set in italics ("Atta sexdens"), up to a
// qualifier or a morphospecies' mark, which stay upright ("Atta" in italics,
// then " sp. 3"); a name of one word (a family, a code) stays upright.
struct NameRun {
    std::string text;
    bool italic = false;
};
std::vector<NameRun> nameRuns(const std::string& name);

// Under the Whittaker plot, which predominant species carry a label: the
// `labelled` most abundant of the `predominant`. Empty when all do.
std::string labelledNote(std::size_t labelled, std::size_t predominant, ChartLanguage language);

// One bar: the species in one class of a criterion.
struct ClassBar {
    std::string code; // the report's code, without its padding: "SD", "D", "ND", ...
    std::string name; // "super dominante", ...
    int species = 0;
    bool super = false; // the class of the excluded species
};

struct ClassChart {
    std::string title; // "Dominância", ...
    std::vector<ClassBar> bars;
};

// Species per class of dominance, abundance, frequency and constancy, from
// the lowest class to the highest, the excluded species in their "super"
// class of each criterion that has one. Every criterion counts all S species.
std::array<ClassChart, 4> classCounts(const AnalysisResult& result, ChartLanguage language = ChartLanguage::Portuguese);

// One pair of treatments of the similarity chart. A value the data leave
// undefined is absent, never 0.
struct PairPoint {
    std::string label; // "T1 x T2"
    std::optional<double> quotient;
    std::optional<double> lower, upper; // the interval, both or neither
};

std::vector<PairPoint> similarityPoints(const SimilarityResult& result);

// An axis: its ends and, for a linear one, the step of its labels, which
// start at 0. The ends lie a little beyond the outermost labels, so that a
// point on a label's value is drawn whole.
struct AxisRange {
    double min = 0, max = 1;
    double step = 0; // 0 on a logarithmic axis: a label at each power of ten
};

// Ranks 1 to `species`, from 1 to the species rounded up to a step of 1, 2
// or 5 times a power of ten (at most ten steps).
// On a plot `plotWidth` pixels wide the first and last ranks keep at least
// `markerRadius` pixels (when given).
AxisRange rankAxis(std::size_t species, double plotWidth = 0, double markerRadius = 0);

// The labels of the rank axis: rank 1, then every step (never a rank 0).
std::vector<double> rankLabels(const AxisRange& axis);

// Individuals on a log axis: from the power of ten at or below `lowest` to
// the one at or above `highest`, at least one decade, with room beyond both
// for a whole marker also where a count is itself a power of ten: on a plot
// `plotHeight` pixels tall, at least `markerRadius` pixels (when given).
AxisRange individualsAxis(std::int32_t lowest, std::int32_t highest, double plotHeight = 0, double markerRadius = 0);

// Quotients and intervals in %: 0 to 100, widened to the tens that hold every
// bound, labelled every 10, or every 20 (from and to a multiple of 20) when
// the intervals go beyond.
AxisRange similarityAxis(const std::vector<PairPoint>& points);

} // namespace zav

namespace zav {

// ---- Diversity: curves of Hill numbers and coverage -------------------

// One point of a curve, with its 95 % band where the bootstrap gives it.
struct CurvePoint {
    double x = 0, y = 0;
    std::optional<double> lower, upper;
};

// A rarefaction and extrapolation curve: `rarefaction` up to the sample and
// `extrapolation` from it (both hold the sample's point, so that the two
// lines meet), the sample itself as a dot.
struct CurveData {
    std::string name; // "q = 0 (riqueza)", ...
    std::vector<CurvePoint> rarefaction, extrapolation;
    std::optional<CurvePoint> sample;
};

// The Hill numbers q = 0, 1, 2 against individuals (Chao et al. 2014), the
// sample at m = n; empty curves when the report prints none.
std::array<CurveData, 3> hillCurves(const DiversityResult& result, ChartLanguage language = ChartLanguage::Portuguese);

// Sample coverage against individuals (Chao and Jost 2012).
CurveData coverageCurve(const DiversityResult& result, ChartLanguage language = ChartLanguage::Portuguese);

// Expected richness against collections, the sample at t = T; empty without
// the incidence part.
CurveData collectionsCurve(const DiversityResult& result, ChartLanguage language = ChartLanguage::Portuguese);

// Why a curve is missing (the diversity result's reason, in Portuguese) in
// the language of the charts.
std::string missingCurveText(const std::string& reason, ChartLanguage language);

// A linear axis from 0 over every point and band limit of `curves`, labelled
// at a step of 1, 2 or 5 times a power of ten (at most about ten labels).
AxisRange curveAxis(const std::vector<const CurveData*>& curves, bool alongX);

// ---- Comparison: the UPGMA dendrogram --------------------------------

struct Segment {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// The tree drawn with the leaves at x = 1, 2, ... in the tree's leafOrder
// and at height 0, each fusion a horizontal line at its height joining the
// vertical lines that rise from its two groups.
struct DendrogramDrawing {
    std::vector<int> leaves;          // treatments, 1-based, left to right
    std::vector<std::string> labels;  // their names, in the same order
    std::vector<Segment> segments;    // three per fusion: left up, right up, across
    double top = 0;                   // the highest fusion
    std::string distance;             // the axis title
    std::optional<double> cophenetic; // the cophenetic correlation
};

// Empty (no leaves) when the comparison has no dendrogram.
DendrogramDrawing dendrogramDrawing(const ComparisonResult& result, const std::vector<std::string>& names,
                                    ChartLanguage language = ChartLanguage::Portuguese);

// The similarity pairs with their intervals limited to 100 %: an upper
// limit beyond is drawn at 100, marked as cut.
struct ClippedInterval {
    std::string label;
    std::optional<double> quotient, lower, upper;
    bool cut = false; // the interval's upper limit was above 100 %
};
std::vector<ClippedInterval> clippedIntervals(const std::vector<PairPoint>& points);

// ---- Texts kept whole at a journal's width --------------------------------

// The words of `text` (split at spaces) in lines no wider than `width` as
// `measure` gives a line's width; a word wider than that has a line of its
// own. One line, `text` itself, when it fits.
std::vector<std::string> wrapWords(const std::string& text, double width,
                                   const std::function<double(const std::string&)>& measure);

// The step of an axis's labels, from `axis.step` up through 1, 2 and 5 times
// a power of ten, at which its labels, `labelLength` pixels each along the
// axis and a gap apart, fit on `plotLength` pixels.
double fittingStep(const AxisRange& axis, double plotLength, double labelLength);

// The ordination figure of the communities: each treatment's samples as
// points (NMDS, or the PCoA's first two axes), square axes of the same
// scale, and what its corner says (the stress with its reading, or the
// axes' shares). Without an NMDS (too few or identical samples) the PCoA.
struct OrdinationPlot {
    bool pcoa = false;
    std::vector<std::vector<std::pair<double, double>>> treatments; // points of T1, T2, ...
    AxisRange x, y;
    std::string corner; // UTF-8
};
OrdinationPlot ordinationPlot(const communities::CommunityResult& result, bool pcoa, ChartLanguage language);

} // namespace zav
