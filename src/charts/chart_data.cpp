#include "charts/chart_data.h"

#include "analysis/abundance.h"
#include "analysis/class_codes.h"
#include "analysis/report.h"
#include "similarity/similarity_report.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace zav {
namespace {

// CodeOf gives a species' printed class code of the criterion.
template <typename CodeOf>
ClassChart countClasses(const AnalysisResult& result, const char* title, Criterion criterion, CodeOf codeOf) {
    ClassChart chart{title, {}};
    for (const auto& c : classCodes(criterion))
        chart.bars.push_back({std::string(c.trimmed), std::string(c.name), 0, c.super});
    for (const auto& sp : result.table.species) {
        const auto code = trimmedCode(criterion, codeOf(sp));
        const auto bar =
            std::find_if(chart.bars.begin(), chart.bars.end(), [&](const ClassBar& b) { return b.code == code; });
        if (bar != chart.bars.end()) ++bar->species;
    }
    return chart;
}

// How far the ends of an axis lie beyond its outermost labels, as a part of
// its length: room for half a marker.
constexpr double kAxisMargin = 0.025;
// On the log axis the outermost counts are often powers of ten, right on the
// outermost labels, and the largest marker (the square of a super species)
// must still be whole on a plot about 250 pixels tall.
constexpr double kLogAxisMargin = 0.06;

// The first of 1, 2 or 5 times a power of ten at or above `value` (> 0).
double niceCeiling(double value) {
    const double decade = std::pow(10.0, std::floor(std::log10(value)));
    for (const double factor : {1.0, 2.0, 5.0, 10.0})
        if (factor * decade >= value * (1 - 1e-12)) return factor * decade;
    return 10 * decade;
}

// A species' name, where the record holds one (data files with names).
template <typename Record> std::string nameOf(const Record& record) {
    if constexpr (requires { record.name; })
        return std::string(record.name);
    else
        return {};
}

// How far an axis's ends lie beyond the data: `fraction` of its length, or
// more where the plot is too small for a whole marker of `radius` pixels.
double markerMargin(double length, double fraction, double pixels, double radius) {
    const double margin = length * fraction;
    if (pixels <= 4 * radius || radius <= 0) return margin;
    // margin / (length + 2 margin) of the pixels is the radius.
    return std::max(margin, radius * length / (pixels - 2 * radius));
}

AxisRange linearAxis(double low, double high, double step) {
    const double margin = (high - low) * kAxisMargin;
    return {low - margin, high + margin, step};
}

} // namespace

AxisRange rankAxis(std::size_t species, double plotWidth, double markerRadius) {
    const double last = static_cast<double>(std::max<std::size_t>(1, species));
    const double step = std::max(1.0, niceCeiling(last / 10));
    // From the first rank: no species has rank 0.
    const double high = std::max(2.0, std::ceil(last / step) * step);
    const double margin = markerMargin(high - 1, kAxisMargin, plotWidth, markerRadius);
    return {1 - margin, high + margin, step};
}

std::vector<double> rankLabels(const AxisRange& axis) {
    std::vector<double> labels{1};
    for (double at = axis.step; at <= axis.max; at += axis.step)
        if (at > 1) labels.push_back(at);
    return labels;
}

AxisRange individualsAxis(std::int32_t lowest, std::int32_t highest, double plotHeight, double markerRadius) {
    const double bottom = std::floor(std::log10(std::max(1, lowest)));
    const double top = std::max(bottom + 1, std::ceil(std::log10(std::max(1, highest)) - 1e-12));
    const double margin = markerMargin(top - bottom, kLogAxisMargin, plotHeight, markerRadius);
    return {std::pow(10.0, bottom - margin), std::pow(10.0, top + margin), 0};
}

AxisRange similarityAxis(const std::vector<PairPoint>& points) {
    double low = 0, high = 100;
    for (const auto& p : points)
        if (p.lower) {
            low = std::min(low, std::floor(*p.lower / 10) * 10);
            high = std::max(high, std::ceil(*p.upper / 10) * 10);
        }
    const double step = high - low > 100 ? 20 : 10;
    return linearAxis(std::floor(low / step) * step, std::ceil(high / step) * step, step);
}

std::vector<RankedSpecies> rankAbundance(const AnalysisResult& result) {
    const auto& species = result.table.species;
    std::vector<RankedSpecies> ranked;
    ranked.reserve(species.size());
    for (const auto& sp : species) {
        RankedSpecies r{0, sp.number, sp.individuals, isPredominant(sp), !sp.kept(), {}, {}};
        r.name = nameOf(sp);
        r.classes = {std::string(trimmedCode(Criterion::Dominance, sp.dominanceClass)),
                     std::string(trimmedCode(Criterion::Abundance, abundanceText(sp.abundanceClass))),
                     std::string(trimmedCode(Criterion::Frequency, sp.frequencyClass)),
                     std::string(trimmedCode(Criterion::Constancy, sp.constancyClass))};
        ranked.push_back(std::move(r));
    }
    std::stable_sort(ranked.begin(), ranked.end(), [](const RankedSpecies& a, const RankedSpecies& b) {
        if (a.individuals != b.individuals) return a.individuals > b.individuals;
        return a.number < b.number;
    });
    for (std::size_t i = 0; i < ranked.size(); ++i)
        ranked[i].rank = static_cast<int>(i + 1);
    return ranked;
}

std::string speciesHoverText(const RankedSpecies& species, ChartLanguage language) {
    const bool english = language == ChartLanguage::English;
    static constexpr std::array<const char*, 4> kPortuguese{"Dominância", "Abundância", "Frequência", "Constância"};
    static constexpr std::array<const char*, 4> kEnglish{"Dominance", "Abundance", "Frequency", "Constancy"};
    std::string text = (english ? "Species " : "Espécie ") + std::to_string(species.number);
    if (!species.name.empty()) text += " - " + species.name;
    const bool one = species.individuals == 1;
    text += "\n" + std::to_string(species.individuals) +
            (english ? (one ? " individual" : " individuals") : (one ? " indivíduo" : " indivíduos"));
    for (std::size_t i = 0; i < species.classes.size(); ++i)
        text += "\n" + std::string(english ? kEnglish[i] : kPortuguese[i]) + ": " + species.classes[i];
    return text;
}

std::array<ClassChart, 4> classCounts(const AnalysisResult& result) {
    return {
        countClasses(result, "Dominância", Criterion::Dominance,
                     [](const SpeciesRecord& sp) -> std::string_view { return sp.dominanceClass; }),
        countClasses(result, "Abundância", Criterion::Abundance,
                     [](const SpeciesRecord& sp) { return abundanceText(sp.abundanceClass); }),
        countClasses(result, "Frequência", Criterion::Frequency,
                     [](const SpeciesRecord& sp) -> std::string_view { return sp.frequencyClass; }),
        countClasses(result, "Constância", Criterion::Constancy,
                     [](const SpeciesRecord& sp) -> std::string_view { return sp.constancyClass; }),
    };
}

std::vector<PairPoint> similarityPoints(const SimilarityResult& result) {
    std::vector<PairPoint> points;
    points.reserve(result.pairs.size());
    for (const auto& p : result.pairs) {
        PairPoint point{pairLabel(p), {}, {}, {}};
        if (p.quotientDefined) point.quotient = p.quotient;
        if (p.intervalDefined) {
            point.lower = p.lower;
            point.upper = p.upper;
        }
        points.push_back(std::move(point));
    }
    return points;
}

} // namespace zav
