#include "runs/faunistic_run.h"

#include "data/text.h"
#include "figures/figure_data.h"

#include <algorithm>
#include <cmath>

namespace zav {
namespace {

Figure rankAbundanceFigure(const AnalysisResult& result, ChartLanguage language) {
    const auto ranked = rankAbundance(result);
    Figure figure;
    figure.form = FigureForm::RankAbundance;
    figure.name = "whittaker";
    figure.title = chartText(language, "Abundância das espécies por posição (Whittaker)",
                             "Species abundance by rank (Whittaker plot)");
    FigureSeries curve{chartText(language, "Espécies", "Species"), SeriesStyle::Line, SeriesColour::Species, {}};
    // A hollow square around the point: an excluded species may be
    // predominant too, and its star shows inside.
    FigureSeries excluded{chartText(language, "Super (postas à parte)", "Super-abundant (set apart)"),
                          SeriesStyle::Squares,
                          SeriesColour::Excluded,
                          {}};
    // The legend says whether the labels are names, numbers or both.
    FigureSeries predominant{predominantLegend(ranked, language), SeriesStyle::Stars, SeriesColour::Predominant, {}};
    std::int32_t lowest = 0, highest = 1;
    int belowOne = 0;
    for (const auto& sp : ranked) {
        // A log axis has no place for a count below 1.
        if (sp.individuals < 1) {
            ++belowOne;
            continue;
        }
        const FigurePoint point{
            static_cast<double>(sp.rank), static_cast<double>(sp.individuals), {}, {}, false, {}, {}};
        curve.points.push_back(point);
        curve.points.back().hover = speciesHoverText(sp, language);
        if (sp.excluded) excluded.points.push_back(point);
        if (sp.predominant) {
            predominant.points.push_back(point);
            predominant.points.back().label = nameRuns(sp.label);
        }
        lowest = lowest == 0 ? sp.individuals : std::min(lowest, sp.individuals);
        highest = std::max(highest, sp.individuals);
    }
    if (belowOne > 0)
        figure.notes.push_back(std::to_string(belowOne) +
                               chartText(language, " espécie(s) com contagem negativa fora do eixo logarítmico",
                                         " species with a negative count, off the logarithmic axis"));
    figure.ranks = ranked.size();
    const auto ranks = rankAxis(ranked.size());
    figure.x = {chartText(language, "Posição da espécie (da mais à menos abundante)",
                          "Species rank (from most to least abundant)"),
                ranks.min,
                ranks.max,
                false,
                ranks.step,
                false,
                {}};
    for (const double at : rankLabels(ranks))
        figure.x.ticks.push_back({at, fixedPoint(at, 0)});
    const auto individuals = individualsAxis(lowest, highest);
    figure.y = {chartText(language, "Número de indivíduos (escala logarítmica)", "Number of individuals (log scale)"),
                individuals.min,
                individuals.max,
                true,
                0,
                false,
                {}};
    for (auto power = static_cast<int>(std::ceil(std::log10(individuals.min) - 1e-9));
         power <= static_cast<int>(std::floor(std::log10(individuals.max) + 1e-9)); ++power) {
        const double at = std::pow(10.0, power);
        figure.y.ticks.push_back({at, fixedPoint(at, 0)});
    }
    const auto labels = predominant.points.size();
    for (std::size_t k = 0; k < labels; ++k)
        figure.labelNotes.push_back(labelledNote(k, labels, language));
    figure.series.push_back(std::move(curve));
    // The legend names only what the plot shows.
    if (!excluded.points.empty()) figure.series.push_back(std::move(excluded));
    if (!predominant.points.empty()) figure.series.push_back(std::move(predominant));
    return figure;
}

Figure classFigure(const ClassChart& chart, const char* name, ChartLanguage language) {
    Figure figure;
    figure.form = FigureForm::ClassBars;
    figure.name = name;
    figure.title = chart.title;
    std::vector<std::string> codes;
    FigureSeries bars{chartText(language, "Espécies", "Species"), SeriesStyle::Bars, SeriesColour::Species, {}};
    int most = 1;
    for (const auto& bar : chart.bars) {
        codes.push_back(bar.code);
        bars.points.push_back({static_cast<double>(codes.size()),
                               static_cast<double>(bar.species),
                               {},
                               {},
                               bar.super,
                               {{bar.name, false}},
                               {}});
        most = std::max(most, bar.species);
    }
    figure.x = categoryAxis(chartText(language, "Classe", "Class"), codes);
    figure.y = valueAxis(chartText(language, "Espécies", "Species"), classAxis(most), 0);
    figure.series.push_back(std::move(bars));
    return figure;
}

} // namespace

std::vector<Figure> figuresOf(const AnalysisResult& result, ChartLanguage language) {
    std::vector<Figure> figures{rankAbundanceFigure(result, language)};
    static const char* const names[] = {"dominancia", "abundancia", "frequencia", "constancia"};
    const auto counts = classCounts(result, language);
    for (std::size_t i = 0; i < counts.size(); ++i)
        figures.push_back(classFigure(counts[i], names[i], language));
    return figures;
}

} // namespace zav
