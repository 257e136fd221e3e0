#pragma once
// The faunistic analysis of one survey, from the loaded table to the results
// the report prints.

#include "analysis/indices.h"
#include "data/species_table.h"

namespace zav {

struct AnalysisResult {
    SpeciesTable table;
    CommunityIndices indices;
};

// Sets N and N', then runs, in this order: abundance classes (which set the
// outliers apart and reduce N'), dominance limits and classes, percentages,
// frequency classes, constancy classes, community indices. Throws the
// core's errors when the data allow no analysis.
AnalysisResult analyse(SpeciesTable table);

} // namespace zav
