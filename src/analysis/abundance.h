#pragma once
// Abundance classes and the outliers set apart as super-abundant species.

#include "data/species_table.h"

#include <string_view>

namespace zav {

// Abundance classes by the confidence intervals of the mean number of
// individuals per species, after the outliers have been set apart pass
// after pass (class 6, "super abundante"). Reduces the working total N' by
// the individuals of every excluded species and sets S'.
//
// Each iteration takes the mean m and the sample standard deviation s of the
// species not yet excluded, e = s / sqrt(S'), and the limits m -/+ 1.96 e
// (95 %) and m -/+ 2.58 e (99 %). While a lower limit is negative, every
// species with |n - m| / s > 2 is excluded and the iteration starts again.
// The last iteration's limits then class the rest: n >= U99 "ma",
// U95 <= n < U99 " a", L95 <= n < U95 " c", L99 <= n < L95 " d", below " r".
//
// Throws TooFewSpeciesError with fewer than two species, and
// ComputationError when negative counts ask for an exclusion pass with s = 0.
void classifyAbundance(SpeciesTable& table);

// The report's two-character text of an abundance class 1..6.
std::string_view abundanceText(int abundanceClass);

} // namespace zav
