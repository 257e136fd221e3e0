#include "analysis/frequency.h"

#include "analysis/class_codes.h"
#include "analysis/exact_sample.h"
#include "data/errors.h"

#include <cstdint>
#include <vector>

namespace zav {

void computePercentages(SpeciesTable& table) {
    if (table.workingIndividuals == 0) throw ComputationError();
    const double working = static_cast<double>(table.workingIndividuals);
    for (auto& sp : table.species)
        sp.percentage = sp.kept() ? sp.individuals / working * 100.0 : 0.0;
}

// The shares p = n * 100 / N' of the kept species add up to 100, so their
// mean over S' is the mean over all species that the limits take; the
// limits are decided on the counts, not on the rounded shares.
void classifyFrequency(SpeciesTable& table) {
    if (table.keptSpecies < 1) throw ComputationError();
    std::vector<std::int64_t> kept;
    for (const auto& sp : table.species)
        if (sp.kept()) kept.push_back(sp.individuals);
    const ExactSample shares(kept, table.workingIndividuals < 0);
    for (auto& sp : table.species) {
        if (!sp.kept())
            sp.frequencyClass = classes::kSuperFrequent.printed;
        else if (shares.compareWithErrors(sp.individuals, -196) < 0)
            sp.frequencyClass = classes::kInfrequent.printed;
        else if (shares.compareWithErrors(sp.individuals, 196) < 0)
            sp.frequencyClass = classes::kFrequent.printed;
        else
            sp.frequencyClass = classes::kVeryFrequent.printed;
    }
}

void classifyConstancy(SpeciesTable& table) {
    const std::int32_t total = table.totalCollections;
    if (total == 0) throw ZeroCollectionsError();
    if (table.species.empty()) throw ComputationError();
    // q = c * 100 / C, decided on the counts.
    std::vector<std::int64_t> collections;
    for (const auto& sp : table.species)
        collections.push_back(sp.collections);
    if (total < 24) {
        for (auto& sp : table.species) {
            const std::int64_t q = std::int64_t{sp.collections} * 100;
            sp.constancyClass = (compareFraction(q, total, 25) < 0   ? classes::kAccidental
                                 : compareFraction(q, total, 50) < 0 ? classes::kAccessory
                                                                     : classes::kConstant)
                                    .printed;
        }
        return;
    }
    const ExactSample sample(collections, total < 0);
    for (auto& sp : table.species) {
        const std::int64_t c = sp.collections;
        sp.constancyClass = (sample.compareWithErrors(c, -196) <= 0 ? classes::kAccidental
                             : sample.compareWithErrors(c, 196) < 0 ? classes::kAccessory
                                                                    : classes::kConstant)
                                .printed;
    }
}

} // namespace zav
