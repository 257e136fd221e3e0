#include "analysis/dominance.h"

#include "analysis/class_codes.h"
#include "analysis/f_table.h"
#include "data/errors.h"

namespace zav {

void computeDominanceLimits(SpeciesTable& table) {
    const std::int64_t working = table.workingIndividuals;
    for (auto& sp : table.species) {
        if (!sp.kept()) continue;
        const std::int64_t k = sp.individuals;
        const std::int64_t nu1 = 2 * (working - k + 1);
        const std::int64_t nu2 = 2 * (k + 1);
        const double f = fLookup(nu1, nu2);
        const double n1f = static_cast<double>(nu1) * f;
        sp.dominanceLimit = (1.0 - n1f / (static_cast<double>(nu2) + n1f)) * 100.0;
    }
}

double classifyDominance(SpeciesTable& table) {
    if (table.workingIndividuals < 2) throw ComputationError();
    const std::int64_t a = 2 * (table.workingIndividuals - 1);
    const double f0 = fLookup(2, a);
    const double reference = 2.0 * f0 / (static_cast<double>(a) + 2.0 * f0) * 100.0;
    for (auto& sp : table.species) {
        if (!sp.kept())
            sp.dominanceClass = classes::kSuperDominant.printed;
        else
            sp.dominanceClass = (sp.dominanceLimit > reference ? classes::kDominant : classes::kNotDominant).printed;
    }
    return reference;
}

} // namespace zav
