#pragma once
// Dominance limits and classes by Kato's method.

#include "data/species_table.h"

namespace zav {

// Dominance by Kato's method (Kato, Matsuda and Yamashita 1952). For a kept
// species with K individuals out of the working total N':
//   nu1 = 2 (N' - K + 1), nu2 = 2 (K + 1), F = F(nu1, nu2),
//   L = (1 - nu1 F / (nu2 + nu1 F)) * 100      (lower limit, percent).
// Excluded species get no limit.
void computeDominanceLimits(SpeciesTable& table);

// The reference limit of the run: a = 2 (N' - 1), F0 = F(2, a),
//   L0 = 2 F0 / (a + 2 F0) * 100.
// Excluded species are "SD"; a kept species is " D" when L > L0 (strictly),
// otherwise "ND". Returns L0. Throws ComputationError when negative counts
// leave N' below 2 or a degree of freedom below 1.
double classifyDominance(SpeciesTable& table);

} // namespace zav
