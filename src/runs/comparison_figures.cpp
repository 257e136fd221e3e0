#include "runs/comparison_run.h"

#include "data/text.h"
#include "figures/figure_data.h"

namespace zav {
std::vector<Figure> figuresOf(const ComparisonResult& result, const std::vector<std::string>& names,
                              ChartLanguage language) {
    const auto drawing = dendrogramDrawing(result, names, language);
    Figure figure;
    figure.form = FigureForm::Dendrogram;
    figure.name = "dendrograma";
    figure.title = chartText(language, "Dendrograma dos tratamentos (UPGMA)", "Dendrogram of the treatments (UPGMA)");
    figure.notes.push_back(drawing.cophenetic
                               ? chartText(language, "Correlação cofenética: ", "Cophenetic correlation: ") +
                                     fixedPoint(*drawing.cophenetic, 4)
                               : chartText(language,
                                           "Correlação cofenética: - (menos de 3 tratamentos ou distâncias iguais)",
                                           "Cophenetic correlation: - (fewer than 3 treatments or equal distances)"));
    if (drawing.leaves.empty())
        figure.notes.push_back(chartText(language, "Sem dendrograma: há pares de tratamentos sem distância",
                                         "No dendrogram: some pairs of treatments have no distance"));
    // The treatments' names in the key: a leaf's label is as short as its
    // place under the tree.
    std::vector<std::string> leaves;
    for (const int leaf : drawing.leaves)
        leaves.push_back("T" + std::to_string(leaf));
    figure.x = categoryAxis(chartText(language, "Tratamento", "Treatment"), leaves);
    figure.y = valueAxis(drawing.distance, dendrogramAxis(drawing.top), 2);
    FigureSeries tree{"", SeriesStyle::Segments, SeriesColour::Species, {}};
    for (const auto& s : drawing.segments) {
        tree.points.push_back({s.x1, s.y1, {}, {}, false, {}, {}});
        tree.points.push_back({s.x2, s.y2, {}, {}, false, {}, {}});
    }
    figure.series.push_back(std::move(tree));
    addKey(figure, names, language);
    return {figure};
}

} // namespace zav
