#pragma once

#include "data/species_table.h"

#include <cstdint>
#include <vector>

namespace zav::test {

// A loaded table with the given individuals and collections, numbered 1..S,
// with N and N' set as the analysis run sets them.
inline SpeciesTable makeTable(const std::vector<std::int32_t>& individuals, std::vector<std::int32_t> collections = {},
                              std::int32_t totalCollections = 10) {
    if (collections.empty()) collections.assign(individuals.size(), 1);
    SpeciesTable t;
    t.speciesLines = static_cast<std::int32_t>(individuals.size());
    t.totalCollections = totalCollections;
    for (std::size_t i = 0; i < individuals.size(); ++i) {
        SpeciesRecord r;
        r.individuals = individuals[i];
        r.collections = collections[i];
        r.number = static_cast<std::int32_t>(i + 1);
        t.species.push_back(r);
        t.totalIndividuals += individuals[i];
    }
    t.workingIndividuals = t.totalIndividuals;
    return t;
}

} // namespace zav::test
