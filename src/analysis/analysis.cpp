#include "analysis/analysis.h"

#include "analysis/abundance.h"
#include "analysis/dominance.h"
#include "analysis/frequency.h"

namespace zav {

AnalysisResult analyse(SpeciesTable table) {
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

} // namespace zav
