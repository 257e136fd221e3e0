#pragma once
// The community indices of the report: Shannon's H with its interval,
// Margalef's richness and the equitability.

#include "data/species_table.h"

namespace zav {

struct CommunityIndices {
    double shannon = 0.0;      // H
    double shannonLower = 0.0; // H - 2 sqrt(v) / sqrt(N')
    double shannonUpper = 0.0; // H + 2 sqrt(v) / sqrt(N')
    double margalef = 0.0;     // ALFA
    double evenness = 0.0;     // E
};

// Over the kept species only, in table order, with p = n / N':
//   H = -sum p ln p                      (Shannon and Weaver 1949)
//   v = (sum p (ln p)^2 - H^2) / N', the interval H -/+ 2 sqrt(v / N')
//   ALFA = (S' - 1) / ln N'             (Margalef 1958)
//   E = H / ln S'                        (Pielou's evenness)
// A v that rounding makes slightly negative counts as 0. Throws
// ComputationError when a share is not positive (negative counts) or N' or
// S' is below 2.
CommunityIndices computeCommunityIndices(const SpeciesTable& table);

} // namespace zav
