#include "figures/figure_data.h"

#include "analysis/abundance.h"
#include "analysis/class_codes.h"
#include "analysis/report.h"
#include "data/report_language.h"
#include "data/text.h"
#include "similarity/similarity_report.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string_view>
#include <utility>

namespace zav {
namespace {

// CodeOf gives a species' printed class code of the criterion.
template <typename CodeOf>
ClassChart countClasses(const AnalysisResult& result, std::string title, Criterion criterion, CodeOf codeOf) {
    ClassChart chart{std::move(title), {}};
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
        RankedSpecies r{0, sp.number, sp.individuals, isPredominant(sp), !sp.kept(), {}, {}, false, {}};
        r.name = sp.name;
        r.named = !sp.name.empty();
        r.label = r.named ? sp.name : std::to_string(sp.number);
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

namespace {

// The charts' texts in Spanish, by their Portuguese; the terms of the field
// as Spanish-language journals print them (dominancia, abundancia,
// frecuencia, constancia, cociente de similitud, rarefacción, cobertura).
constexpr std::pair<std::string_view, std::string_view> kSpanish[] = {
    {"Abundância das espécies por posição (Whittaker)", "Abundancia de las especies por rango (Whittaker)"},
    {"Espécies", "Especies"},
    {"Super (postas à parte)", "Súper (puestas aparte)"},
    {" espécie(s) com contagem negativa fora do eixo logarítmico",
     " especie(s) con conteo negativo fuera del eje logarítmico"},
    {"Posição da espécie (da mais à menos abundante)", "Rango de la especie (de la más a la menos abundante)"},
    {"Número de indivíduos (escala logarítmica)", "Número de individuos (escala logarítmica)"},
    {"Classe", "Clase"},
    {"Tratamentos", "Tratamientos"},
    {"Quociente de similaridade de Sorensen (1948) por par de tratamentos",
     "Cociente de similitud de Sorensen (1948) por par de tratamientos"},
    {"Intervalo de confiança (P=0.05)", "Intervalo de confianza (P=0.05)"},
    {"Quociente (%)", "Cociente (%)"},
    {"Intervalo cortado em 100 %", "Intervalo cortado en 100 %"},
    {" (indefinido)", " (indefinido)"},
    {" (sem intervalo)", " (sin intervalo)"},
    {"Par de tratamentos", "Par de tratamientos"},
    {"Quociente de similaridade (%)", "Cociente de similitud (%)"},
    {"Intervalo: a aproximação do relatório", "Intervalo: la aproximación del informe"},
    {"▲ intervalo cortado em 100 %", "▲ intervalo cortado en 100 %"},
    {"Dendrograma dos tratamentos (UPGMA)", "Dendrograma de los tratamientos (UPGMA)"},
    {"Correlação cofenética: ", "Correlación cofenética: "},
    {"Correlação cofenética: - (menos de 3 tratamentos ou distâncias iguais)",
     "Correlación cofenética: - (menos de 3 tratamientos o distancias iguales)"},
    {"Sem dendrograma: há pares de tratamentos sem distância",
     "Sin dendrograma: hay pares de tratamientos sin distancia"},
    {"Tratamento", "Tratamiento"},
    {"IC 95 % (bootstrap)", "IC 95 % (bootstrap)"},
    {"Rarefação", "Rarefacción"},
    {"Extrapolação", "Extrapolación"},
    {"Amostra", "Muestra"},
    {"Número de indivíduos", "Número de individuos"},
    {"Números de Hill por indivíduos", "Números de Hill por individuos"},
    {"Diversidade (espécies efetivas)", "Diversidad (especies efectivas)"},
    {"rarefação (—), extrapolação (- -), amostra (●)", "rarefacción (—), extrapolación (- -), muestra (●)"},
    {"Riqueza por coletas (q\u00a0=\u00a00)", "Riqueza por colectas (q\u00a0=\u00a00)"},
    {"Número de coletas", "Número de colectas"},
    {"Cobertura da amostra por indivíduos", "Cobertura de la muestra por individuos"},
    {"Cobertura", "Cobertura"},
    {"Dominância", "Dominancia"},
    {"Abundância", "Abundancia"},
    {"Frequência", "Frecuencia"},
    {"Constância", "Constancia"},
    {"Espécie ", "Especie "},
    {" indivíduo", " individuo"},
    {" indivíduos", " individuos"},
    {"q\u00a0=\u00a00 (riqueza)", "q\u00a0=\u00a00 (riqueza)"},
    {"q\u00a0=\u00a01 (exp de Shannon)", "q\u00a0=\u00a01 (exp de Shannon)"},
    {"q\u00a0=\u00a02 (inverso de Simpson)", "q\u00a0=\u00a02 (inverso de Simpson)"},
    {"Distância (1 - Sørensen)", "Distancia (1 - Sørensen)"},
    {"Dissimilaridade de Bray-Curtis", "Disimilitud de Bray-Curtis"},
    {"Eixo 1: ", "Eje 1: "},
    {"; eixo 2: ", "; eje 2: "},
    // The communities.
    {"PCoA das coletas (", "PCoA de las colectas ("},
    {"NMDS das coletas (", "NMDS de las colectas ("},
    {"Sem NMDS (poucas coletas ou todas iguais): a PCoA", "Sin NMDS (pocas colectas o todas iguales): la PCoA"},
    {"Espécies indicadoras (IndVal, Dufrêne e Legendre 1997)",
     "Especies indicadoras (IndVal, Dufrêne y Legendre 1997)"},
    {"Espécies com p < 0,05", "Especies con p < 0,05"},
    {"Nenhuma espécie com p < 0,05: as de maior IndVal", "Ninguna especie con p < 0,05: las de mayor IndVal"},
    {"Espécie (tratamento)", "Especie (tratamiento)"},
    {"Stress: ", "Estrés: "},
    // The population fluctuation.
    {"Flutuação populacional", "Fluctuación poblacional"},
    {"Coleta", "Colecta"},
    {"Coletas", "Colectas"},
    {"Data da coleta", "Fecha de la colecta"},
    {"Indivíduos", "Individuos"},
    {"Espécies por coleta", "Especies por colecta"},
    {"Sem espécies predominantes", "Sin especies predominantes"},
    {"; defasagem ", "; desfase "},
    {"sem pares", "sin pares"},
    {"Reta de mínimos quadrados", "Recta de mínimos cuadrados"},
};

} // namespace

std::span<const std::pair<std::string_view, std::string_view>> chartSpanishTexts() { return kSpanish; }

ChartLanguage chartLanguageOf(ReportLanguage language) {
    switch (language) {
    case ReportLanguage::Portuguese:
        return ChartLanguage::Portuguese;
    case ReportLanguage::English:
        return ChartLanguage::English;
    case ReportLanguage::Spanish:
        return ChartLanguage::Spanish;
    }
    return ChartLanguage::Portuguese;
}

std::string chartSentence(ChartLanguage language, std::string_view portuguese) {
    switch (language) {
    case ChartLanguage::English:
        return reportText(ReportLanguage::English, portuguese);
    case ChartLanguage::Spanish:
        return reportText(ReportLanguage::Spanish, portuguese);
    case ChartLanguage::Portuguese:
        break;
    }
    return std::string(portuguese);
}

std::string chartText(ChartLanguage language, std::string_view portuguese, std::string_view english) {
    switch (language) {
    case ChartLanguage::Portuguese:
        return std::string(portuguese);
    case ChartLanguage::English:
        return std::string(english);
    case ChartLanguage::Spanish:
        for (const auto& [pt, es] : kSpanish)
            if (pt == portuguese) return std::string(es);
        // A text the table lacks (the tests list every chart's texts): the
        // English one rather than a Portuguese word in a Spanish figure.
        return std::string(english);
    }
    return std::string(portuguese);
}

std::string speciesHoverText(const RankedSpecies& species, ChartLanguage language) {
    static constexpr std::array<const char*, 4> kPortuguese{"Dominância", "Abundância", "Frequência", "Constância"};
    static constexpr std::array<const char*, 4> kEnglish{"Dominance", "Abundance", "Frequency", "Constancy"};
    std::string text = chartText(language, "Espécie ", "Species ") + std::to_string(species.number);
    if (!species.name.empty()) text += " - " + species.name;
    const bool one = species.individuals == 1;
    text +=
        "\n" + std::to_string(species.individuals) +
        (one ? chartText(language, " indivíduo", " individual") : chartText(language, " indivíduos", " individuals"));
    for (std::size_t i = 0; i < species.classes.size(); ++i)
        text += "\n" + chartText(language, kPortuguese[i], kEnglish[i]) + ": " + species.classes[i];
    return text;
}

std::string predominantLegend(const std::vector<RankedSpecies>& ranked, ChartLanguage language) {
    bool named = false, unnamed = false;
    for (const auto& sp : ranked)
        if (sp.predominant) (sp.named ? named : unnamed) = true;
    if (language == ChartLanguage::English)
        return std::string("Predominant (*) and their ") + (!named    ? "numbers"
                                                            : unnamed ? "names or numbers"
                                                                      : "names");
    if (language == ChartLanguage::Spanish)
        return std::string("Predominantes (*) y sus ") + (!named    ? "números"
                                                          : unnamed ? "nombres o números"
                                                                    : "nombres");
    return std::string("Predominantes (*) e seus ") + (!named ? "números" : unnamed ? "nomes ou números" : "nomes");
}

std::vector<NameRun> nameRuns(const std::string& name) {
    std::vector<std::string> words;
    for (std::size_t at = 0; at < name.size();) {
        const auto end = std::min(name.find(' ', at), name.size());
        if (end > at) words.push_back(name.substr(at, end - at));
        at = end + 1;
    }
    if (words.size() < 2) return {{name, false}};
    // What ends the italic part: a qualifier of an unnamed or uncertain
    // species, an author in parentheses, a number or a morphospecies' letter.
    static const std::array<std::string_view, 10> kUpright{"sp.", "spp.", "sp",   "cf.",    "aff.",
                                                           "nr.", "var.", "ssp.", "subsp.", "gr."};
    const auto upright = [](const std::string& word) {
        return std::find(kUpright.begin(), kUpright.end(), word) != kUpright.end() || word.front() == '(' ||
               std::any_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; }) ||
               (word.size() == 1 && word[0] >= 'A' && word[0] <= 'Z');
    };
    std::vector<NameRun> runs;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const bool italic = (runs.empty() || runs.back().italic) && !upright(words[i]);
        if (runs.empty() || runs.back().italic != italic)
            runs.push_back({i == 0 ? words[i] : " " + words[i], italic});
        else
            runs.back().text += " " + words[i];
    }
    return runs;
}

std::string labelledNote(std::size_t labelled, std::size_t predominant, ChartLanguage language) {
    if (labelled >= predominant) return {};
    const auto n = std::to_string(labelled), of = std::to_string(predominant);
    if (language == ChartLanguage::English)
        return labelled == 0   ? "no labels: " + of + " predominant species, no room"
               : labelled == 1 ? "labelled: the most abundant of " + of + " predominant species"
                               : "labelled: the " + n + " most abundant of " + of + " predominant species";
    if (language == ChartLanguage::Spanish)
        return labelled == 0   ? "sin etiquetas: " + of + " especies predominantes, sin espacio"
               : labelled == 1 ? "etiqueta: la más abundante de " + of + " especies predominantes"
                               : "etiquetas: las " + n + " más abundantes de " + of + " especies predominantes";
    return labelled == 0   ? "sem rótulos: " + of + " espécies predominantes, sem espaço"
           : labelled == 1 ? "rótulo: a mais abundante de " + of + " espécies predominantes"
                           : "rótulos: as " + n + " mais abundantes de " + of + " espécies predominantes";
}

std::array<ClassChart, 4> classCounts(const AnalysisResult& result, ChartLanguage language) {
    return {
        countClasses(result, chartText(language, "Dominância", "Dominance"), Criterion::Dominance,
                     [](const SpeciesRecord& sp) -> std::string_view { return sp.dominanceClass; }),
        countClasses(result, chartText(language, "Abundância", "Abundance"), Criterion::Abundance,
                     [](const SpeciesRecord& sp) { return abundanceText(sp.abundanceClass); }),
        countClasses(result, chartText(language, "Frequência", "Frequency"), Criterion::Frequency,
                     [](const SpeciesRecord& sp) -> std::string_view { return sp.frequencyClass; }),
        countClasses(result, chartText(language, "Constância", "Constancy"), Criterion::Constancy,
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

namespace zav {
namespace {

CurvePoint curvePoint(double x, double y, const diversity::Band& band) { return {x, y, band.lower, band.upper}; }

// Splits the points at the sample's x: up to it the rarefaction, from it
// the extrapolation.
CurveData splitCurve(std::string name, const std::vector<CurvePoint>& points, double sampleX) {
    CurveData curve{std::move(name), {}, {}, {}};
    for (const auto& p : points) {
        if (p.x <= sampleX) curve.rarefaction.push_back(p);
        if (p.x >= sampleX) curve.extrapolation.push_back(p);
        if (p.x == sampleX) curve.sample = p;
    }
    return curve;
}

} // namespace

std::array<CurveData, 3> hillCurves(const DiversityResult& result, ChartLanguage language) {
    // "q = 0" never broken over two lines.
    static const char* const portuguese[] = {"q\u00a0=\u00a00 (riqueza)", "q\u00a0=\u00a01 (exp de Shannon)",
                                             "q\u00a0=\u00a02 (inverso de Simpson)"};
    static const char* const english[] = {"q\u00a0=\u00a00 (richness)", "q\u00a0=\u00a01 (exp of Shannon)",
                                          "q\u00a0=\u00a02 (inverse Simpson)"};
    std::array<CurveData, 3> curves;
    for (std::size_t q = 0; q < 3; ++q) {
        std::vector<CurvePoint> points;
        for (const auto& p : result.curve)
            points.push_back(curvePoint(p.m, p.values.hill[q], p.hillBands[q]));
        curves[q] =
            splitCurve(chartText(language, portuguese[q], english[q]), points, static_cast<double>(result.individuals));
    }
    return curves;
}

CurveData coverageCurve(const DiversityResult& result, ChartLanguage language) {
    std::vector<CurvePoint> points;
    for (const auto& p : result.curve)
        points.push_back(curvePoint(p.m, p.values.coverage, p.coverageBand));
    return splitCurve(chartText(language, "Cobertura", "Coverage"), points, static_cast<double>(result.individuals));
}

CurveData collectionsCurve(const DiversityResult& result, ChartLanguage language) {
    std::vector<CurvePoint> points;
    if (result.incidence)
        for (const auto& p : result.incidence->curve)
            points.push_back(curvePoint(p.t, p.richness, p.band));
    return splitCurve(chartText(language, "q\u00a0=\u00a00 (riqueza)", "q\u00a0=\u00a00 (richness)"), points,
                      static_cast<double>(result.collections));
}

std::string missingCurveText(const std::string& reason, ChartLanguage language) {
    if (language == ChartLanguage::Portuguese || reason.empty()) return reason;
    // The reasons the diversity analysis gives, with their numbers.
    std::vector<std::string> numbers;
    for (std::size_t at = 0; at < reason.size();) {
        const auto start = reason.find_first_of("-0123456789", at);
        if (start == std::string::npos) break;
        const auto end = std::min(reason.find_first_not_of("-0123456789", start + 1), reason.size());
        numbers.push_back(reason.substr(start, end - start));
        at = end;
    }
    const auto n = [&](std::size_t i) { return i < numbers.size() ? numbers[i] : std::string("?"); };
    if (language == ChartLanguage::Spanish) {
        if (reason.starts_with("exige pelo menos"))
            return "exige al menos " + n(0) + (reason.ends_with("coletas") ? " colectas" : " individuos");
        if (reason.starts_with("o total de coletas")) return "el total de colectas es " + n(0);
        if (reason.find(" tem indivíduos em ") != std::string::npos)
            return "la especie " + n(0) + " tiene individuos en " + n(1) + " colectas";
        if (reason.find(" aparece em ") != std::string::npos)
            return "la especie " + n(0) + " aparece en " + n(1) + " de " + n(2) + " colectas";
        return "no calculado: vea el informe";
    }
    if (reason.starts_with("exige pelo menos"))
        return "needs at least " + n(0) + (reason.ends_with("coletas") ? " collections" : " individuals");
    if (reason.starts_with("o total de coletas")) return "the total of collections is " + n(0);
    if (reason.find(" tem indivíduos em ") != std::string::npos)
        return "species " + n(0) + " has individuals in " + n(1) + " collections";
    if (reason.find(" aparece em ") != std::string::npos)
        return "species " + n(0) + " appears in " + n(1) + " of " + n(2) + " collections";
    return "not computed: see the report";
}

AxisRange curveAxis(const std::vector<const CurveData*>& curves, bool alongX) {
    double high = 0;
    for (const auto* curve : curves)
        for (const auto* part : {&curve->rarefaction, &curve->extrapolation})
            for (const auto& p : *part)
                high = std::max({high, alongX ? p.x : p.y, alongX ? 0.0 : p.upper.value_or(0.0)});
    if (high <= 0) high = 1;
    const double step = niceCeiling(high / 8);
    return linearAxis(0, std::ceil(high / step - 1e-9) * step, step);
}

DendrogramDrawing dendrogramDrawing(const ComparisonResult& result, const std::vector<std::string>& names,
                                    ChartLanguage language) {
    DendrogramDrawing drawing;
    const auto& tree = result.dendrogram.tree;
    drawing.distance = result.dendrogram.index == DendrogramIndex::Sorensen
                           ? chartText(language, "Distância (1 - Sørensen)", "Distance (1 - Sørensen)")
                           : chartText(language, "Dissimilaridade de Bray-Curtis", "Bray-Curtis dissimilarity");
    drawing.cophenetic = tree.copheneticCorrelation;
    if (result.dendrogram.gap != DendrogramGap::None || tree.leafOrder.empty()) return drawing;
    drawing.leaves = tree.leafOrder;
    // Each group, by its sorted members, where its vertical line starts.
    std::map<std::vector<int>, std::pair<double, double>> nodes;
    for (std::size_t i = 0; i < tree.leafOrder.size(); ++i) {
        const int leaf = tree.leafOrder[i];
        const auto index = static_cast<std::size_t>(leaf - 1);
        drawing.labels.push_back(index < names.size() ? names[index] : "T" + std::to_string(leaf));
        nodes[{leaf}] = {static_cast<double>(i + 1), 0.0};
    }
    for (const auto& merge : tree.merges) {
        const auto left = nodes.at(merge.left), right = nodes.at(merge.right);
        drawing.segments.push_back({left.first, left.second, left.first, merge.height});
        drawing.segments.push_back({right.first, right.second, right.first, merge.height});
        drawing.segments.push_back({left.first, merge.height, right.first, merge.height});
        std::vector<int> joined = merge.left;
        joined.insert(joined.end(), merge.right.begin(), merge.right.end());
        std::sort(joined.begin(), joined.end());
        nodes[joined] = {(left.first + right.first) / 2, merge.height};
        drawing.top = std::max(drawing.top, merge.height);
    }
    return drawing;
}

std::vector<ClippedInterval> clippedIntervals(const std::vector<PairPoint>& points) {
    std::vector<ClippedInterval> clipped;
    for (const auto& p : points) {
        ClippedInterval c{p.label, p.quotient, p.lower, p.upper, false};
        if (c.upper && *c.upper > 100) {
            c.upper = 100.0;
            c.cut = true;
        }
        clipped.push_back(std::move(c));
    }
    return clipped;
}

} // namespace zav

namespace zav {

std::vector<std::string> wrapWords(const std::string& text, double width,
                                   const std::function<double(const std::string&)>& measure) {
    // The words, split at spaces outside a tag of rich text ("<span style=...>").
    std::vector<std::string> words{std::string()};
    bool inTag = false;
    for (const char c : text) {
        inTag = c == '<' || (inTag && c != '>');
        if (c == ' ' && !inTag) {
            if (!words.back().empty()) words.emplace_back();
        } else {
            words.back() += c;
        }
    }
    if (words.back().empty()) words.pop_back();
    std::vector<std::string> lines;
    for (const auto& word : words)
        if (!lines.empty() && measure(lines.back() + " " + word) <= width)
            lines.back() += " " + word;
        else
            lines.push_back(word);
    if (lines.empty()) lines.push_back(text);
    return lines;
}

double fittingStep(const AxisRange& axis, double plotLength, double labelLength) {
    // A gap of half a label at least, of 6 pixels at least, between labels.
    const double room = labelLength + std::max(6.0, labelLength / 2);
    const double span = axis.max - axis.min;
    double step = axis.step;
    if (step <= 0 || span <= 0 || plotLength <= 0) return step;
    // The labels are `step` apart, `step / span * plotLength` pixels.
    while (step / span * plotLength < room && step < span)
        step = niceCeiling(step * 1.5);
    return step;
}

OrdinationPlot ordinationPlot(const communities::CommunityResult& result, bool pcoa, ChartLanguage language) {
    OrdinationPlot plot;
    plot.pcoa = pcoa || !result.nmds.result;
    const auto& a = plot.pcoa ? result.pcoa.axis1 : result.nmds.result->axis1;
    const auto& b = plot.pcoa ? result.pcoa.axis2 : result.nmds.result->axis2;
    plot.treatments.resize(static_cast<std::size_t>(result.samples.treatments));
    double extent = 0.0;
    for (std::size_t i = 0; i < result.samples.samples.size() && i < a.size() && i < b.size(); ++i) {
        plot.treatments[static_cast<std::size_t>(result.samples.samples[i].treatment - 1)].emplace_back(a[i], b[i]);
        extent = std::max({extent, std::abs(a[i]), std::abs(b[i])});
    }
    // Both axes from -extent to extent, so that distances read the same
    // either way.
    if (!(extent > 0.0)) extent = 1.0;
    const double step = niceCeiling(extent / 4.0);
    const double end = std::ceil(extent / step) * step;
    plot.x = linearAxis(-end, end, step);
    plot.y = plot.x;
    if (plot.pcoa) {
        const auto share = [](const std::optional<double>& s) { return s ? fixedPoint(*s, 1) + " %" : "-"; };
        plot.corner = chartText(language, "Eixo 1: ", "Axis 1: ") + share(result.pcoa.share1) +
                      chartText(language, "; eixo 2: ", "; axis 2: ") + share(result.pcoa.share2);
    } else {
        const double stress = result.nmds.result->stress;
        plot.corner = chartText(language, "Stress: ", "Stress: ") + fixedPoint(stress, 3);
        if (stress < 0.2) plot.corner += " (" + chartSentence(language, communities::stressReading(stress)) + ")";
    }
    return plot;
}

} // namespace zav
