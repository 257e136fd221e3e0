#include "runs/communities_run.h"

#include "communities/communities.h"
#include "data/text.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace zav {
namespace {

// Each treatment's colour and marker: six colours and four markers, so that
// no two of the ten treatments share both.
SeriesColour treatmentColour(std::size_t t) {
    static const SeriesColour colours[] = {SeriesColour::First,    SeriesColour::Second,      SeriesColour::Third,
                                           SeriesColour::Excluded, SeriesColour::Predominant, SeriesColour::Grey};
    return colours[t % std::size(colours)];
}
SeriesStyle treatmentMarker(std::size_t t) {
    static const SeriesStyle markers[] = {SeriesStyle::Points, SeriesStyle::Triangles, SeriesStyle::Squares,
                                          SeriesStyle::Stars};
    return markers[t % std::size(markers)];
}

std::string treatmentCode(std::size_t t) { return "T" + std::to_string(t + 1); }

// The decimals that write every multiple of `step` exactly (up to 4).
int decimalsOf(double step) {
    int decimals = 0;
    while (decimals < 4 && std::abs(step - std::round(step)) > 1e-9 * std::max(1.0, step)) {
        step *= 10;
        ++decimals;
    }
    return decimals;
}

// A value axis labelled with the decimals of its step.
FigureAxis valueAxis(std::string title, const AxisRange& range) {
    return zav::valueAxis(std::move(title), range, decimalsOf(range.step));
}

// The samples on the NMDS (or the PCoA's first two axes), each treatment in
// its colour and marker inside its convex hull (a closed line through the
// hull's vertices; a segment for two samples, nothing for one).
Figure ordinationFigure(const communities::CommunityResult& result, const std::vector<std::string>& names, bool pcoa,
                        ChartLanguage language) {
    const auto plot = ordinationPlot(result, pcoa, language);
    const std::string index = result.index == communities::Dissimilarity::Jaccard ? "Jaccard" : "Bray-Curtis";
    Figure figure;
    figure.form = FigureForm::Ordination;
    figure.name = "ordenacao";
    figure.title = plot.pcoa ? chartText(language, "PCoA das coletas (", "PCoA of the collections (") + index + ")"
                             : chartText(language, "NMDS das coletas (", "NMDS of the collections (") + index + ")";
    figure.notes.push_back(plot.corner);
    if (plot.pcoa && !pcoa && !result.nmds.result)
        figure.notes.push_back(chartText(language, "Sem NMDS (poucas coletas ou todas iguais): a PCoA",
                                         "No NMDS (too few or identical collections): the PCoA"));
    const std::string axis = plot.pcoa ? "PCoA " : "NMDS ";
    figure.x = valueAxis(axis + "1", plot.x);
    figure.y = valueAxis(axis + "2", plot.y);
    for (std::size_t t = 0; t < plot.treatments.size(); ++t) {
        const auto& points = plot.treatments[t];
        std::vector<double> xs, ys;
        for (const auto& [px, py] : points) {
            xs.push_back(px);
            ys.push_back(py);
        }
        const auto hull = communities::convexHull(xs, ys);
        if (hull.size() >= 2) {
            FigureSeries outline{"", SeriesStyle::Line, treatmentColour(t), {}};
            for (const std::size_t v : hull)
                outline.points.push_back({xs[v], ys[v], {}, {}, false, {}, {}});
            if (hull.size() >= 3) outline.points.push_back(outline.points.front());
            figure.series.push_back(std::move(outline));
        }
    }
    // The samples over every hull.
    for (std::size_t t = 0; t < plot.treatments.size(); ++t) {
        FigureSeries samples{treatmentCode(t), treatmentMarker(t), treatmentColour(t), {}};
        for (const auto& [px, py] : plot.treatments[t])
            samples.points.push_back({px, py, {}, {}, false, {}, {}});
        figure.series.push_back(std::move(samples));
    }
    addKey(figure, names, language);
    return figure;
}

// The indicator species as bars of their IndVal, each in its treatment's
// colour: those with p < 0.05, or when none is, the 20 of largest IndVal;
// at most 20, by treatment and then from the largest IndVal.
Figure indicatorFigure(const communities::CommunityResult& result, const std::vector<std::string>& names,
                       ChartLanguage language) {
    constexpr std::size_t kMostBars = 20;
    std::vector<communities::Indicator> shown;
    for (const auto& i : result.indicators)
        if (i.p < 0.05) shown.push_back(i);
    const bool significant = !shown.empty();
    if (!significant) shown = result.indicators;
    const auto larger = [](const communities::Indicator& a, const communities::Indicator& b) {
        return a.indval > b.indval || (a.indval == b.indval && a.species < b.species);
    };
    std::stable_sort(shown.begin(), shown.end(), larger);
    if (shown.size() > kMostBars) shown.resize(kMostBars);
    std::stable_sort(shown.begin(), shown.end(), [&](const auto& a, const auto& b) {
        return a.group < b.group || (a.group == b.group && larger(a, b));
    });

    Figure figure;
    figure.form = FigureForm::TreatmentBars;
    figure.name = "indicadoras";
    figure.title = chartText(language, "Espécies indicadoras (IndVal, Dufrêne e Legendre 1997)",
                             "Indicator species (IndVal, Dufrêne and Legendre 1997)");
    figure.notes.push_back(significant ? chartText(language, "Espécies com p < 0,05", "Species with p < 0.05")
                                       : chartText(language, "Nenhuma espécie com p < 0,05: as de maior IndVal",
                                                   "No species with p < 0.05: those of largest IndVal"));
    std::vector<std::string> labels;
    std::vector<FigureSeries> bars(static_cast<std::size_t>(std::max(0, result.samples.treatments)));
    for (std::size_t t = 0; t < bars.size(); ++t)
        bars[t] = {treatmentCode(t), SeriesStyle::Bars, treatmentColour(t), {}};
    for (const auto& i : shown) {
        const auto t = static_cast<std::size_t>(i.group - 1);
        const std::string species = std::to_string(i.species + 1);
        labels.push_back(species + " (" + treatmentCode(t) + ")");
        // The bar's label: IndVal to one decimal, as the report prints it.
        const double value = std::round(i.indval * 10.0) / 10.0;
        bars[t].points.push_back({static_cast<double>(labels.size()), value, {}, {}, false, {}, {}});
        bars[t].points.back().hover = chartText(language, "Espécie ", "Species ") + species + ": " + treatmentCode(t) +
                                      ", IndVal " + fixedPoint(i.indval, 1) + ", p = " + fixedPoint(i.p, 3);
    }
    figure.x = FigureAxis{chartText(language, "Espécie (tratamento)", "Species (treatment)"),
                          0.5,
                          static_cast<double>(std::max<std::size_t>(1, labels.size())) + 0.5,
                          false,
                          1,
                          true,
                          {}};
    for (std::size_t k = 0; k < labels.size(); ++k)
        figure.x.ticks.push_back({static_cast<double>(k + 1), labels[k]});
    figure.y = valueAxis("IndVal (%)", {0, 100, 20});
    for (auto& s : bars)
        if (!s.points.empty()) figure.series.push_back(std::move(s));
    addKey(figure, names, language);
    return figure;
}

} // namespace

std::vector<Figure> figuresOf(const communities::CommunityResult& result, const std::vector<std::string>& names,
                              ChartLanguage language, bool pcoa) {
    return {ordinationFigure(result, names, pcoa, language), indicatorFigure(result, names, language)};
}

} // namespace zav
