#include "charts/chart_data.h"

#include "analysis/abundance.h"
#include "analysis/report.h"
#include "similarity/similarity_report.h"

#include <algorithm>
#include <string_view>

namespace zav {
namespace {

// The report's class code without the space that pads it to two columns.
std::string_view trimmed(std::string_view code) {
    while (!code.empty() && code.front() == ' ')
        code.remove_prefix(1);
    return code;
}

struct ClassDefinition {
    const char* code;
    const char* name;
    bool super;
};

// CodeOf gives a species' class code as a view into the species or a
// static table.
template <typename CodeOf, std::size_t N>
ClassChart countClasses(const AnalysisResult& result, const char* title, const ClassDefinition (&classes)[N],
                        CodeOf codeOf) {
    ClassChart chart{title, {}};
    for (const auto& c : classes)
        chart.bars.push_back({c.code, c.name, 0, c.super});
    for (const auto& sp : result.table.species) {
        const auto code = trimmed(codeOf(sp));
        const auto bar =
            std::find_if(chart.bars.begin(), chart.bars.end(), [&](const ClassBar& b) { return b.code == code; });
        if (bar != chart.bars.end()) ++bar->species;
    }
    return chart;
}

constexpr ClassDefinition kDominance[] = {
    {"ND", "não dominante", false}, {"D", "dominante", false}, {"SD", "super dominante", true}};
constexpr ClassDefinition kAbundance[] = {
    {"r", "raro", false},      {"d", "disperso", false},         {"c", "comum", false},
    {"a", "abundante", false}, {"ma", "muito abundante", false}, {"sa", "super abundante", true}};
constexpr ClassDefinition kFrequency[] = {{"PF", "pouco freqüente", false},
                                          {"F", "freqüente", false},
                                          {"MF", "muito freqüente", false},
                                          {"SF", "super freqüente", true}};
constexpr ClassDefinition kConstancy[] = {
    {"Z", "acidental", false}, {"Y", "acessória", false}, {"W", "constante", false}};

} // namespace

std::vector<RankedSpecies> rankAbundance(const AnalysisResult& result) {
    const auto& species = result.table.species;
    std::vector<RankedSpecies> ranked;
    ranked.reserve(species.size());
    for (const auto& sp : species)
        ranked.push_back({0, sp.number, sp.individuals, isPredominant(sp), !sp.kept()});
    std::stable_sort(ranked.begin(), ranked.end(), [](const RankedSpecies& a, const RankedSpecies& b) {
        if (a.individuals != b.individuals) return a.individuals > b.individuals;
        return a.number < b.number;
    });
    for (std::size_t i = 0; i < ranked.size(); ++i)
        ranked[i].rank = static_cast<int>(i + 1);
    return ranked;
}

std::array<ClassChart, 4> classCounts(const AnalysisResult& result) {
    return {
        countClasses(result, "Dominância", kDominance,
                     [](const SpeciesRecord& sp) -> std::string_view { return sp.dominanceClass; }),
        countClasses(result, "Abundância", kAbundance,
                     [](const SpeciesRecord& sp) { return abundanceText(sp.abundanceClass); }),
        countClasses(result, "Frequência", kFrequency,
                     [](const SpeciesRecord& sp) -> std::string_view { return sp.frequencyClass; }),
        countClasses(result, "Constância", kConstancy,
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
