#pragma once
// What needs a survey's whole species x collection matrix (the data file's
// [coletas] block, data/collection_blocks.h), not only each species' totals:
// the standard errors of the incidence estimators, the standard deviation
// of the exact collection curve, Shannon's H of each collection.

#include <cstdint>
#include <optional>
#include <vector>

namespace zav::diversity {

// Which collections caught each species: one bit per collection.
class PresenceMatrix {
  public:
    // counts[k][s]: species s in collection k (every collection the same
    // number of species); species caught nowhere are left out.
    explicit PresenceMatrix(const std::vector<std::vector<std::int32_t>>& counts);
    std::size_t collections() const { return collections_; }
    std::size_t species() const { return frequency_.size(); }
    // The collections that caught species i (its Y_i).
    std::int64_t frequency(std::size_t i) const { return frequency_[i]; }
    bool present(std::size_t i, std::size_t k) const { return (bits_[i][k / 64] >> (k % 64)) & 1u; }
    // The collections that caught both species i and j.
    std::int64_t together(std::size_t i, std::size_t j) const;

  private:
    std::size_t collections_ = 0;
    std::vector<std::int64_t> frequency_;
    std::vector<std::vector<std::uint64_t>> bits_;
};

// The standard error of the first-order jackknife as vegan's specpool
// (vegan 2.6) computes it: sqrt((sum_k u_k^2 - Q1/T) (T - 1)/T), u_k the
// uniques (species of one collection) caught in collection k, Q1 their
// number, T the collections (after Burnham and Overton 1978; Heltshe and
// Forrester 1983).
double jackknife1StandardError(const PresenceMatrix& m);

// The standard error of the bootstrap richness as specpool computes it
// (Smith and van Belle 1984): with q_i = (1 - Y_i/T)^T and Z_ij = (A_ij /
// T)^T - q_i q_j, A_ij the collections that caught neither i nor j,
// var = sum q_i (1 - q_i) + 2 sum_{i<j} Z_ij; 0 when rounding leaves it
// below 0.
double bootstrapStandardError(const PresenceMatrix& m);

struct ExactCurvePoint {
    int t = 0;              // collections
    double richness = 0.0;  // expected species in t collections
    double deviation = 0.0; // standard deviation
};

// The exact (analytical) collection curve (Colwell et al. 2004; its
// deviation conditioned on the survey after Kindt et al. 2006) as vegan's
// specaccum(method = "exact") computes it: r_ti = C(T - Y_i, t) / C(T, t), the chance that t collections
// miss species i; S(t) = sum (1 - r_ti); sd(t) = sqrt(sum V_ti + 2
// sum_{i<j} cor_ij sqrt(V_ti V_tj)) with V_ti = r_ti (1 - r_ti) and cor_ij
// Pearson's correlation of the presences of i and j over the collections (0
// for a species in every collection). At each t of `sizes` (1..T).
std::vector<ExactCurvePoint> exactCollectionCurve(const PresenceMatrix& m, const std::vector<int>& sizes);

// The collection sizes at which the report gives the exact curve: every t
// up to 60 collections, otherwise about 40 evenly spaced points and T.
std::vector<int> exactCurveSizes(std::size_t collections);

// Shannon's H of one collection's counts, -sum p ln p over the species
// caught (Shannon 1948), natural logarithm; none when it caught nothing.
std::optional<double> collectionShannon(const std::vector<std::int32_t>& counts);

} // namespace zav::diversity
