#include "runs/diversity_run.h"

#include "data/text.h"
#include "figures/figure_data.h"

namespace zav {
namespace {

// A curve: its band (where the bootstrap gives both limits), the solid and
// the dashed line, the dot. In a chart of several curves the legend names
// each curve by its solid line and the band once.
void addCurve(Figure& figure, const CurveData& curve, SeriesColour colour, bool several, bool first,
              ChartLanguage language) {
    FigureSeries band{first ? chartText(language, "IC 95 % (bootstrap)", "95 % CI (bootstrap)") : std::string(),
                      SeriesStyle::Band,
                      colour,
                      {}};
    for (const auto* part : {&curve.rarefaction, &curve.extrapolation})
        for (std::size_t i = part == &curve.extrapolation ? 1 : 0; i < part->size(); ++i)
            if (const auto& p = (*part)[i]; p.lower && p.upper)
                band.points.push_back({p.x, p.y, p.lower, p.upper, false, {}, {}});
    if (band.points.size() > 1) figure.series.push_back(std::move(band));
    const auto line = [&](const std::vector<CurvePoint>& points, SeriesStyle style, std::string name) {
        FigureSeries series{std::move(name), style, colour, {}};
        for (const auto& p : points)
            series.points.push_back({p.x, p.y, {}, {}, false, {}, {}});
        figure.series.push_back(std::move(series));
    };
    line(curve.rarefaction, SeriesStyle::Line, several ? curve.name : chartText(language, "Rarefação", "Rarefaction"));
    line(curve.extrapolation, SeriesStyle::Dashed,
         several ? std::string() : chartText(language, "Extrapolação", "Extrapolation"));
    if (curve.sample) {
        FigureSeries dot{
            several ? std::string() : chartText(language, "Amostra", "Sample"), SeriesStyle::Points, colour, {}};
        dot.points.push_back({curve.sample->x, curve.sample->y, {}, {}, false, {}, {}});
        dot.points.back().hover = curve.name + ": " + fixedPoint(curve.sample->y, 2);
        figure.series.push_back(std::move(dot));
    }
}

Figure curveFigure(const char* name, std::string title, const std::vector<CurveData>& curves, std::string xTitle,
                   std::string yTitle, int yDecimals, const std::vector<SeriesColour>& colours,
                   const std::string& missing, ChartLanguage language) {
    Figure figure;
    figure.form = FigureForm::Curves;
    figure.name = name;
    figure.title = std::move(title);
    std::vector<const CurveData*> all;
    for (const auto& c : curves)
        all.push_back(&c);
    figure.x = valueAxis(std::move(xTitle), curveAxis(all, true), 0);
    figure.y = valueAxis(std::move(yTitle), curveAxis(all, false), yDecimals);
    for (std::size_t i = 0; i < curves.size(); ++i)
        addCurve(figure, curves[i], colours[i], curves.size() > 1, i == 0, language);
    if (!missing.empty()) figure.notes.push_back(missing);
    return figure;
}

} // namespace

std::vector<Figure> figuresOf(const DiversityResult& result, ChartLanguage language) {
    const auto hill = hillCurves(result, language);
    const std::string individuals = chartText(language, "Número de indivíduos", "Number of individuals");
    std::vector<Figure> figures;
    figures.push_back(
        curveFigure("hill", chartText(language, "Números de Hill por indivíduos", "Hill numbers by individuals"),
                    {hill[0], hill[1], hill[2]}, individuals,
                    chartText(language, "Diversidade (espécies efetivas)", "Diversity (effective species)"), 0,
                    {SeriesColour::First, SeriesColour::Second, SeriesColour::Third},
                    missingCurveText(result.curveMissing, language), language));
    figures.back().notes.insert(figures.back().notes.begin(),
                                chartText(language, "rarefação (—), extrapolação (- -), amostra (●)",
                                          "rarefaction (—), extrapolation (- -), sample (●)"));
    figures.push_back(curveFigure(
        "coletas",
        chartText(language, "Riqueza por coletas (q\u00a0=\u00a00)", "Richness by collections (q\u00a0=\u00a00)"),
        {collectionsCurve(result, language)}, chartText(language, "Número de coletas", "Number of collections"),
        chartText(language, "Espécies", "Species"), 0, {SeriesColour::First},
        missingCurveText(result.incidence ? result.incidence->curveMissing : result.incidenceMissing, language),
        language));
    figures.push_back(curveFigure(
        "cobertura", chartText(language, "Cobertura da amostra por indivíduos", "Sample coverage by individuals"),
        {coverageCurve(result, language)}, individuals, chartText(language, "Cobertura", "Coverage"), 1,
        {SeriesColour::Grey}, missingCurveText(result.curveMissing, language), language));
    return figures;
}

} // namespace zav
