#include "figures/figures.h"

#include "data/json_writer.h"
#include "data/text.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace zav {
namespace {

// A text in the language chosen.
std::string say(ChartLanguage language, const char* portuguese, const char* english) {
    return chartText(language, portuguese, english);
}

// The labels of a value axis: every step from 0 within its ends, written
// with `decimals` decimals ("%.Nf" as the desktop's axes print them).
FigureAxis valueAxis(std::string title, const AxisRange& range, int decimals) {
    FigureAxis axis{std::move(title), range.min, range.max, false, range.step, false, {}};
    if (range.step <= 0) return axis;
    const auto first = static_cast<long>(std::ceil(range.min / range.step - 1e-9));
    const auto last = static_cast<long>(std::floor(range.max / range.step + 1e-9));
    for (long k = first; k <= last; ++k) {
        // At the value its label shows (0.3, not 3 * 0.1).
        auto label = fixedPoint(static_cast<double>(k) * range.step, decimals);
        axis.ticks.push_back({std::strtod(label.c_str(), nullptr), std::move(label)});
    }
    return axis;
}

// A labelled place at 1, 2, ... for each name, from 0.5 to n + 0.5.
FigureAxis categoryAxis(std::string title, const std::vector<std::string>& names) {
    FigureAxis axis{
        std::move(title), 0.5, static_cast<double>(std::max<std::size_t>(1, names.size())) + 0.5, false, 1, true, {}};
    for (std::size_t i = 0; i < names.size(); ++i)
        axis.ticks.push_back({static_cast<double>(i + 1), names[i]});
    return axis;
}

// ---- The faunistic analysis ------------------------------------------------

Figure rankAbundanceFigure(const AnalysisResult& result, ChartLanguage language) {
    const auto ranked = rankAbundance(result);
    Figure figure;
    figure.form = FigureForm::RankAbundance;
    figure.name = "whittaker";
    figure.title =
        say(language, "Abundância das espécies por posição (Whittaker)", "Species abundance by rank (Whittaker plot)");
    FigureSeries curve{say(language, "Espécies", "Species"), SeriesStyle::Line, SeriesColour::Species, {}};
    // A hollow square around the point: an excluded species may be
    // predominant too, and its star shows inside.
    FigureSeries excluded{say(language, "Super (postas à parte)", "Super-abundant (set apart)"),
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
                               say(language, " espécie(s) com contagem negativa fora do eixo logarítmico",
                                   " species with a negative count, off the logarithmic axis"));
    figure.ranks = ranked.size();
    const auto ranks = rankAxis(ranked.size());
    figure.x = {
        say(language, "Posição da espécie (da mais à menos abundante)", "Species rank (from most to least abundant)"),
        ranks.min,
        ranks.max,
        false,
        ranks.step,
        false,
        {}};
    for (const double at : rankLabels(ranks))
        figure.x.ticks.push_back({at, fixedPoint(at, 0)});
    const auto individuals = individualsAxis(lowest, highest);
    figure.y = {say(language, "Número de indivíduos (escala logarítmica)", "Number of individuals (log scale)"),
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
    FigureSeries bars{say(language, "Espécies", "Species"), SeriesStyle::Bars, SeriesColour::Species, {}};
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
    figure.x = categoryAxis(say(language, "Classe", "Class"), codes);
    figure.y = valueAxis(say(language, "Espécies", "Species"), classAxis(most), 0);
    figure.series.push_back(std::move(bars));
    return figure;
}

// The key of the treatments: "T1 = name", ...
void addKey(Figure& figure, const std::vector<std::string>& names, ChartLanguage language) {
    if (names.empty()) return;
    figure.key.push_back(say(language, "Tratamentos", "Treatments"));
    for (std::size_t i = 0; i < names.size(); ++i)
        figure.key.push_back("T" + std::to_string(i + 1) + " = " + names[i]);
    figure.keyNotes = figure.key.size() + 1;
}

} // namespace

// Heckbert's loose labelling ("Nice numbers for graph labels", Graphics
// Gems, 1990), as Qt Charts' applyNiceNumbers does it with five ticks: the
// range rounded up to 1, 2 or 5 times a power of ten, a step of a quarter
// of it rounded to the nearest such number, the ends on whole steps; a step
// of 1 at least.
AxisRange classAxis(int most) {
    const auto nice = [](double x, bool ceiling) {
        const double decade = std::pow(10.0, std::floor(std::log10(x)));
        const double q = x / decade;
        if (ceiling) return (q <= 1 ? 1 : q <= 2 ? 2 : q <= 5 ? 5 : 10) * decade;
        return (q < 1.5 ? 1 : q < 3 ? 2 : q < 7 ? 5 : 10) * decade;
    };
    // Room above the highest bar for its count.
    const double high = std::max(1, most) * 1.35;
    // Whole species: never a step below 1 (at 0.5 the labels would repeat).
    const double step = std::max(1.0, nice(nice(high, true) / 4, false));
    return {0, std::ceil(high / step) * step, step};
}

AxisRange dendrogramAxis(double top) {
    const double highest = top > 0 ? top : 1;
    const double step = highest <= 0.25 ? 0.05 : highest <= 0.5 ? 0.1 : 0.2;
    return {0, std::ceil(highest / step - 1e-9) * step * 1.05, step};
}

std::vector<Figure> figuresOf(const AnalysisResult& result, ChartLanguage language) {
    std::vector<Figure> figures{rankAbundanceFigure(result, language)};
    static const char* const names[] = {"dominancia", "abundancia", "frequencia", "constancia"};
    const auto counts = classCounts(result, language);
    for (std::size_t i = 0; i < counts.size(); ++i)
        figures.push_back(classFigure(counts[i], names[i], language));
    return figures;
}

std::vector<Figure> figuresOf(const SimilarityResult& result, const std::vector<std::string>& names,
                              ChartLanguage language) {
    const auto points = clippedIntervals(similarityPoints(result));
    Figure figure;
    figure.form = FigureForm::Similarity;
    figure.name = "similaridade";
    figure.title = say(language, "Quociente de similaridade de Sorensen (1948) por par de tratamentos",
                       "Sorensen (1948) quotient of similarity by pair of treatments");
    std::vector<std::string> labels;
    FigureSeries whiskers{say(language, "Intervalo de confiança (P=0.05)", "Confidence interval (P=0.05)"),
                          SeriesStyle::Whiskers,
                          SeriesColour::Grey,
                          {}};
    FigureSeries quotients{
        say(language, "Quociente (%)", "Quotient (%)"), SeriesStyle::Points, SeriesColour::Species, {}};
    FigureSeries cut{say(language, "Intervalo cortado em 100 %", "Interval cut at 100 %"),
                     SeriesStyle::Triangles,
                     SeriesColour::Excluded,
                     {}};
    std::vector<PairPoint> limits;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const auto& p = points[i];
        const double at = static_cast<double>(i + 1);
        labels.push_back(p.label + (!p.quotient ? say(language, " (indefinido)", " (undefined)")
                                    : !p.lower  ? say(language, " (sem intervalo)", " (no interval)")
                                                : std::string()));
        if (p.quotient) quotients.points.push_back({at, *p.quotient, {}, {}, false, {}, {}});
        if (p.lower) whiskers.points.push_back({at, p.quotient.value_or(*p.lower), p.lower, p.upper, p.cut, {}, {}});
        if (p.cut) cut.points.push_back({at, *p.upper, {}, {}, true, {}, {}});
        limits.push_back({p.label, p.quotient, p.lower, p.upper});
    }
    figure.x = categoryAxis(say(language, "Par de tratamentos", "Pair of treatments"), labels);
    figure.y = valueAxis(say(language, "Quociente de similaridade (%)", "Quotient of similarity (%)"),
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
            say(language, "Intervalo: a aproximação do relatório", "Interval: the report's approximation"));
        figure.key.push_back("(P=0.05)");
        if (anyCut) figure.key.push_back(say(language, "▲ intervalo cortado em 100 %", "▲ interval cut at 100 %"));
    }
    return {figure};
}

std::vector<Figure> figuresOf(const ComparisonResult& result, const std::vector<std::string>& names,
                              ChartLanguage language) {
    const auto drawing = dendrogramDrawing(result, names, language);
    Figure figure;
    figure.form = FigureForm::Dendrogram;
    figure.name = "dendrograma";
    figure.title = say(language, "Dendrograma dos tratamentos (UPGMA)", "Dendrogram of the treatments (UPGMA)");
    figure.notes.push_back(drawing.cophenetic
                               ? say(language, "Correlação cofenética: ", "Cophenetic correlation: ") +
                                     fixedPoint(*drawing.cophenetic, 4)
                               : say(language, "Correlação cofenética: - (menos de 3 tratamentos ou distâncias iguais)",
                                     "Cophenetic correlation: - (fewer than 3 treatments or equal distances)"));
    if (drawing.leaves.empty())
        figure.notes.push_back(say(language, "Sem dendrograma: há pares de tratamentos sem distância",
                                   "No dendrogram: some pairs of treatments have no distance"));
    // The treatments' names in the key: a leaf's label is as short as its
    // place under the tree.
    std::vector<std::string> leaves;
    for (const int leaf : drawing.leaves)
        leaves.push_back("T" + std::to_string(leaf));
    figure.x = categoryAxis(say(language, "Tratamento", "Treatment"), leaves);
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

namespace {

// A curve: its band (where the bootstrap gives both limits), the solid and
// the dashed line, the dot. In a chart of several curves the legend names
// each curve by its solid line and the band once.
void addCurve(Figure& figure, const CurveData& curve, SeriesColour colour, bool several, bool first,
              ChartLanguage language) {
    FigureSeries band{first ? say(language, "IC 95 % (bootstrap)", "95 % CI (bootstrap)") : std::string(),
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
    line(curve.rarefaction, SeriesStyle::Line, several ? curve.name : say(language, "Rarefação", "Rarefaction"));
    line(curve.extrapolation, SeriesStyle::Dashed,
         several ? std::string() : say(language, "Extrapolação", "Extrapolation"));
    if (curve.sample) {
        FigureSeries dot{several ? std::string() : say(language, "Amostra", "Sample"), SeriesStyle::Points, colour, {}};
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
    const std::string individuals = say(language, "Número de indivíduos", "Number of individuals");
    std::vector<Figure> figures;
    figures.push_back(curveFigure("hill",
                                  say(language, "Números de Hill por indivíduos", "Hill numbers by individuals"),
                                  {hill[0], hill[1], hill[2]}, individuals,
                                  say(language, "Diversidade (espécies efetivas)", "Diversity (effective species)"), 0,
                                  {SeriesColour::First, SeriesColour::Second, SeriesColour::Third},
                                  missingCurveText(result.curveMissing, language), language));
    figures.back().notes.insert(figures.back().notes.begin(),
                                say(language, "rarefação (—), extrapolação (- -), amostra (●)",
                                    "rarefaction (—), extrapolation (- -), sample (●)"));
    figures.push_back(curveFigure(
        "coletas", say(language, "Riqueza por coletas (q\u00a0=\u00a00)", "Richness by collections (q\u00a0=\u00a00)"),
        {collectionsCurve(result, language)}, say(language, "Número de coletas", "Number of collections"),
        say(language, "Espécies", "Species"), 0, {SeriesColour::First},
        missingCurveText(result.incidence ? result.incidence->curveMissing : result.incidenceMissing, language),
        language));
    figures.push_back(
        curveFigure("cobertura", say(language, "Cobertura da amostra por indivíduos", "Sample coverage by individuals"),
                    {coverageCurve(result, language)}, individuals, say(language, "Cobertura", "Coverage"), 1,
                    {SeriesColour::Grey}, missingCurveText(result.curveMissing, language), language));
    return figures;
}

namespace {

const char* styleName(SeriesStyle style) {
    switch (style) {
    case SeriesStyle::Line:
        return "linha";
    case SeriesStyle::Dashed:
        return "tracejada";
    case SeriesStyle::Points:
        return "pontos";
    case SeriesStyle::Stars:
        return "estrelas";
    case SeriesStyle::Squares:
        return "quadrados";
    case SeriesStyle::Triangles:
        return "triangulos";
    case SeriesStyle::Band:
        return "faixa";
    case SeriesStyle::Bars:
        return "barras";
    case SeriesStyle::Whiskers:
        return "intervalos";
    case SeriesStyle::Segments:
        return "segmentos";
    }
    return "linha";
}

const char* colourName(SeriesColour colour) {
    switch (colour) {
    case SeriesColour::Species:
        return "especies";
    case SeriesColour::Predominant:
        return "predominantes";
    case SeriesColour::Excluded:
        return "super";
    case SeriesColour::First:
        return "primeira";
    case SeriesColour::Second:
        return "segunda";
    case SeriesColour::Third:
        return "terceira";
    case SeriesColour::Grey:
        return "cinza";
    }
    return "especies";
}

void strings(JsonWriter& json, const std::vector<std::string>& texts) {
    json.beginArray();
    for (const auto& t : texts)
        json.string(t);
    json.endArray();
}

void axisJson(JsonWriter& json, const FigureAxis& axis) {
    json.beginObject(JsonWriter::Layout::Lines);
    json.key("titulo").string(axis.title);
    json.key("min").number(axis.min);
    json.key("max").number(axis.max);
    json.key("escala").string(axis.logarithmic ? "log" : axis.categories ? "categorias" : "linear");
    json.key("marcas").beginArray();
    for (const auto& tick : axis.ticks)
        json.beginArray().number(tick.at).string(tick.label).endArray();
    json.endArray();
    json.endObject();
}

void seriesJson(JsonWriter& json, const FigureSeries& series) {
    json.beginObject(JsonWriter::Layout::Lines);
    json.key("nome").string(series.name);
    json.key("estilo").string(styleName(series.style));
    json.key("cor").string(colourName(series.colour));
    // [x, y] or [x, y, low, high].
    json.key("pontos").beginArray();
    for (const auto& p : series.points) {
        json.beginArray().number(p.x).number(p.y);
        if (p.low && p.high) json.number(*p.low).number(*p.high);
        json.endArray();
    }
    json.endArray();
    if (series.secondAxis) json.key("eixo").string("y2");
    if (series.barWidth != 0.6) json.key("largura").number(series.barWidth);
    const auto any = [&](auto has) { return std::any_of(series.points.begin(), series.points.end(), has); };
    if (any([](const FigurePoint& p) { return p.marked; })) {
        json.key("marcados").beginArray();
        for (const auto& p : series.points)
            json.boolean(p.marked);
        json.endArray();
    }
    // Each point's label as runs of upright and italic text.
    if (any([](const FigurePoint& p) { return !p.label.empty(); })) {
        json.key("rotulos").beginArray();
        for (const auto& p : series.points) {
            json.beginArray();
            for (const auto& run : p.label)
                json.beginArray().string(run.text).boolean(run.italic).endArray();
            json.endArray();
        }
        json.endArray();
    }
    if (any([](const FigurePoint& p) { return !p.hover.empty(); })) {
        json.key("dicas").beginArray();
        for (const auto& p : series.points)
            json.string(p.hover);
        json.endArray();
    }
    json.endObject();
}

} // namespace

std::string figuresJson(const std::vector<Figure>& figures) {
    JsonWriter json;
    json.beginArray(JsonWriter::Layout::Lines);
    for (const auto& figure : figures) {
        json.beginObject(JsonWriter::Layout::Lines);
        json.key("nome").string(figure.name);
        json.key("titulo").string(figure.title);
        json.key("notas");
        strings(json, figure.notes);
        json.key("x");
        axisJson(json, figure.x);
        json.key("y");
        axisJson(json, figure.y);
        if (figure.y2) {
            json.key("y2");
            axisJson(json, *figure.y2);
        }
        json.key("series").beginArray(JsonWriter::Layout::Lines);
        for (const auto& series : figure.series)
            seriesJson(json, series);
        json.endArray();
        json.key("chave");
        strings(json, figure.key);
        json.key("notas_da_chave").integer(static_cast<std::int64_t>(figure.keyNotes));
        json.key("notas_de_rotulos");
        strings(json, figure.labelNotes);
        json.endObject();
    }
    json.endArray();
    return json.finish();
}

} // namespace zav
