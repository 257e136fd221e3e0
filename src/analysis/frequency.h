#pragma once
// Percentages, frequency classes and constancy classes.

#include "data/species_table.h"

namespace zav {

// p = n / N' * 100 for every kept species, 0 for an excluded one; the p of
// the kept species add up to 100.
void computePercentages(SpeciesTable& table);

// Frequency against the 95 % interval of the mean share of the kept species
// (mean over S', sample variance, e = s / sqrt(S'), limits f -/+ 1.96 e):
// excluded "SF", p < L "PF", p < U " F", otherwise "MF".
void classifyFrequency(SpeciesTable& table);

// Constancy from q = c * 100 / C, the percentage of collections, over all S
// species. With fewer than 24 collections by fixed thresholds (q < 25 "Z",
// q < 50 "Y", else "W"); from 24 on against the 95 % interval of the mean q
// (q <= L "Z", q < U "Y", else "W"). Throws ZeroCollectionsError when C is 0.
void classifyConstancy(SpeciesTable& table);

} // namespace zav
