#include "analysis/analysis.h"

#include "analysis/abundance.h"
#include "analysis/dominance.h"
#include "analysis/frequency.h"
#include "data/errors.h"

#include <string>

namespace zav {

namespace {

// A count the methods cannot take: a negative number of individuals or of
// collections (or a negative total of collections), named with its line.
// Empty when every value is one a survey can have.
std::string impossibleValue(const SpeciesTable& table) {
    if (table.totalCollections < 0)
        return atLine(1, "total de coletas negativo: " + std::to_string(table.totalCollections));
    for (const auto& sp : table.species) {
        // Species k is on line k + 1, below the header.
        if (sp.individuals < 0)
            return atLine(sp.number + 1, "número de indivíduos negativo: " + std::to_string(sp.individuals));
        if (sp.collections < 0)
            return atLine(sp.number + 1, "número de coletas negativo: " + std::to_string(sp.collections));
    }
    return {};
}

AnalysisResult analyseTable(SpeciesTable table) {
    std::int64_t total = 0;
    for (const auto& sp : table.species)
        total += sp.individuals;
    table.totalIndividuals = total;
    table.workingIndividuals = total;

    // The abundance step comes first: every later step reads its exclusions
    // and the reduced working total.
    classifyAbundance(table);
    computeDominanceLimits(table);
    classifyDominance(table);
    computePercentages(table);
    classifyFrequency(table);
    classifyConstancy(table);
    AnalysisResult result{std::move(table), {}};
    result.indices = computeCommunityIndices(result.table);
    return result;
}

} // namespace

AnalysisResult analyse(SpeciesTable table) {
    // A negative count is read and, where the arithmetic allows it, used as
    // it stands; only when it makes the computation impossible is it named.
    const std::string cause = impossibleValue(table);
    try {
        return analyseTable(std::move(table));
    } catch (const ComputationError&) {
        if (cause.empty()) throw;
        throw ComputationError(cause);
    }
}

} // namespace zav
