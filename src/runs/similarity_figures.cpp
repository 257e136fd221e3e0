#include "runs/similarity_run.h"

#include "data/text.h"
#include "figures/figure_data.h"

#include <algorithm>

namespace zav {
std::vector<Figure> figuresOf(const SimilarityResult& result, const std::vector<std::string>& names,
                              ChartLanguage language) {
    const auto points = clippedIntervals(similarityPoints(result));
    Figure figure;
    figure.form = FigureForm::Similarity;
    figure.name = "similaridade";
    figure.title = chartText(language, "Quociente de similaridade de Sorensen (1948) por par de tratamentos",
                             "Sorensen (1948) quotient of similarity by pair of treatments");
    std::vector<std::string> labels;
    FigureSeries whiskers{chartText(language, "Intervalo de confiança (P=0.05)", "Confidence interval (P=0.05)"),
                          SeriesStyle::Whiskers,
                          SeriesColour::Grey,
                          {}};
    FigureSeries quotients{
        chartText(language, "Quociente (%)", "Quotient (%)"), SeriesStyle::Points, SeriesColour::Species, {}};
    FigureSeries cut{chartText(language, "Intervalo cortado em 100 %", "Interval cut at 100 %"),
                     SeriesStyle::Triangles,
                     SeriesColour::Excluded,
                     {}};
    std::vector<PairPoint> limits;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const auto& p = points[i];
        const double at = static_cast<double>(i + 1);
        labels.push_back(p.label + (!p.quotient ? chartText(language, " (indefinido)", " (undefined)")
                                    : !p.lower  ? chartText(language, " (sem intervalo)", " (no interval)")
                                                : std::string()));
        if (p.quotient) quotients.points.push_back({at, *p.quotient, {}, {}, false, {}, {}});
        if (p.lower) whiskers.points.push_back({at, p.quotient.value_or(*p.lower), p.lower, p.upper, p.cut, {}, {}});
        if (p.cut) cut.points.push_back({at, *p.upper, {}, {}, true, {}, {}});
        limits.push_back({p.label, p.quotient, p.lower, p.upper});
    }
    figure.x = categoryAxis(chartText(language, "Par de tratamentos", "Pair of treatments"), labels);
    figure.y = valueAxis(chartText(language, "Quociente de similaridade (%)", "Quotient of similarity (%)"),
                         similarityAxis(limits), 0);
    if (!whiskers.points.empty()) figure.series.push_back(std::move(whiskers));
    figure.series.push_back(std::move(quotients));
    const bool anyCut = !cut.points.empty();
    // Over the quotient's dot when the quotient is 100 too.
    if (anyCut) figure.series.push_back(std::move(cut));
    addKey(figure, names, language);
    if (!figure.key.empty()) {
        figure.key.push_back("");
        figure.key.push_back(
            chartText(language, "Intervalo: a aproximação do relatório", "Interval: the report's approximation"));
        figure.key.push_back("(P=0.05)");
        if (anyCut)
            figure.key.push_back(chartText(language, "▲ intervalo cortado em 100 %", "▲ interval cut at 100 %"));
    }
    return {figure};
}

} // namespace zav
