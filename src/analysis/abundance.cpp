#include "analysis/abundance.h"

#include "analysis/class_codes.h"
#include "analysis/exact_sample.h"
#include "data/errors.h"

#include <vector>

namespace zav {
namespace {

constexpr int kUnclassed = 0;

ExactSample unclassedSample(const SpeciesTable& table) {
    std::vector<std::int64_t> counts;
    for (const auto& sp : table.species)
        if (sp.abundanceClass == kUnclassed) counts.push_back(sp.individuals);
    // Each pass excludes fewer than (S' - 1) / 4 species, so at least two
    // remain; the sample refuses fewer all the same.
    return ExactSample(counts);
}

// Excludes every unclassed species whose z = (n - m) / s lies strictly
// outside -2..2. Returns whether any was excluded.
bool excludeOutliers(SpeciesTable& table, const ExactSample& sample) {
    if (sample.noSpread()) throw ComputationError();
    bool excluded = false;
    for (auto& sp : table.species) {
        if (sp.abundanceClass != kUnclassed) continue;
        if (sample.compareWithDeviations(sp.individuals, -2) < 0 ||
            sample.compareWithDeviations(sp.individuals, 2) > 0) {
            sp.abundanceClass = kExcluded;
            table.workingIndividuals -= sp.individuals;
            excluded = true;
        }
    }
    return excluded;
}

} // namespace

void classifyAbundance(SpeciesTable& table) {
    if (table.species.size() < 2) throw TooFewSpeciesError();
    for (auto& sp : table.species)
        sp.abundanceClass = kUnclassed;

    for (;;) {
        const ExactSample sample = unclassedSample(table);
        table.keptSpecies = 0;
        for (const auto& sp : table.species)
            table.keptSpecies += sp.abundanceClass == kUnclassed;

        // A lower limit below 0: 0 lies above m - 1.96 e (or m - 2.58 e).
        const bool needsPass = sample.compareWithErrors(0, -196) > 0 || sample.compareWithErrors(0, -258) > 0;
        if (needsPass && excludeOutliers(table, sample)) continue;

        for (auto& sp : table.species) {
            if (sp.abundanceClass != kUnclassed) continue;
            const std::int64_t n = sp.individuals;
            if (sample.compareWithErrors(n, 258) >= 0)
                sp.abundanceClass = 5;
            else if (sample.compareWithErrors(n, 196) >= 0)
                sp.abundanceClass = 4;
            else if (sample.compareWithErrors(n, -196) >= 0)
                sp.abundanceClass = 3;
            else if (sample.compareWithErrors(n, -258) >= 0)
                sp.abundanceClass = 2;
            else
                sp.abundanceClass = 1;
        }
        return;
    }
}

std::string_view abundanceText(int abundanceClass) {
    const auto codes = classCodes(Criterion::Abundance);
    if (abundanceClass < 1 || abundanceClass > static_cast<int>(codes.size())) return "  ";
    return codes[static_cast<std::size_t>(abundanceClass - 1)].printed;
}

} // namespace zav
