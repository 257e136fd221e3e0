#pragma once
// Rarefaction and extrapolation curves of Hill numbers (Chao et al. 2014,
// Ecological Monographs 84:45-67, as iNEXT 3.0 draws them) and their 95 %
// bootstrap bands.

#include "diversity/frequency_table.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace zav::diversity {

// The sizes of a curve through reference size r >= 2 and 2r, as iNEXT's 40
// knots: floor(seq(1, r-1, 19 values)), r, floor(seq(r+1, 2r, 20 values)),
// the first set to 1. When fewer than 40 of them differ, the same three
// pieces without floor, over [1, r) and (r, 2r], so that 40 remain.
std::vector<double> curveSizes(std::int64_t reference);
// The whole sizes alone: the floored knots, fewer than 40 when they repeat
// (2r of them at most). Collections are whole: the sample-based curve is
// tabulated at these only.
std::vector<double> wholeCurveSizes(std::int64_t reference);

// The four values of the individual-based curve at one size m.
struct HillValues {
    std::array<double, 3> hill{}; // q = 0, 1, 2
    double coverage = 0.0;
};

// Individual-based curve at each size (m < n rarefaction, m = n the sample,
// m > n extrapolation); a size between two integers below n is interpolated
// linearly, as iNEXT does. n must be at least 2.
//   q = 0: S(m) = sum_i 1 - C(n-X_i, m)/C(n, m)        (Hurlbert 1971)
//   q = 1: exp(-sum_k k/m ln(k/m) f_k(m)), f_k(m) the expected number of
//          species with k of m individuals (Chao et al. 2014, eq. 4)
//   q = 2: 1 / sum_i E[K_i^2]/m^2, K_i hypergeometric
//   coverage: 1 - sum_i X_i/n C(n-X_i, m)/C(n-1, m)    (Chao and Jost 2012)
// Beyond n, for q = 0 and 1, obs + (asy - obs)(1 - (1-b)^(m-n)) with
// b = (obs - D(n-1)) / (asy - D(n-1)) (iNEXT 3.0); for q = 2,
// 1 / (1/m + (1 - 1/m) sum X_i (X_i-1)/(n(n-1))); coverage
// 1 - f1/n A^(m-n+1).
// `expansionFrom` is the mean of K from which E[K ln K] is expanded (see
// expectedKLogK); the bootstrap replicates, which give only a standard
// deviation, use kReplicateExpansionMean.
inline constexpr double kExpansionMean = 400.0;
inline constexpr double kReplicateExpansionMean = 30.0;
std::vector<HillValues> individualCurve(const FrequencyTable& x, const std::vector<double>& sizes,
                                        double expansionFrom = kExpansionMean);

// Sample-based q = 0 curve over collections: below T the exact expected
// richness sum_i 1 - C(T-Y_i, t)/C(T, t) (vegan specaccum "exact"; Kindt
// 2003), beyond T the extrapolation to Chao2 as iNEXT (Chao et al. 2014).
// T must be at least 2; the run asks for whole t only (wholeCurveSizes).
std::vector<double> sampleCurve(const FrequencyTable& y, std::int64_t collections, const std::vector<double>& sizes);

// ln of C(N - x, m) / C(N, m), the chance that m items drawn without
// replacement from N miss all x marked ones: ln q^x + ln b(m; N - x, p) -
// ln b(m; N, p) with p = m/N, q = 1 - p, each binomial probability b in
// Loader's (2000) saddle-point form, so that it keeps its relative precision
// when the chance is near 1 (no difference of ln-factorials). -infinity
// when N - x < m.
double logNoneDrawn(double population, double marked, double drawn);

// E[K ln K] for K hypergeometric, m of n drawn, x of them marked: the
// probabilities by their ratios from the mode outwards, normalised, until
// they fall below 1e-17 of the sum; from a mean of `expansionFrom` on, the
// expansion mu ln mu + s2/(2 mu) - m3/(6 mu^2) + m4/(12 mu^3) in the central
// moments (its error is about 1/(2 mu^2): below 1e-5 from a mean of 400).
double expectedKLogK(double n, double x, double m, double expansionFrom = kExpansionMean);

struct Band {
    std::optional<double> lower;
    std::optional<double> upper;
};

// The bootstrap of Chao et al. 2014 (as iNEXT): the estimated community of
// iNEXT (observed species with their shares shrunk, ceil(f0) undetected
// species sharing f1/n A), `replicates` samples of n from it, each curve
// recomputed, and est -/+ z sd (z = qnorm(0.975), kNormal975), the lower limit at least 0 (coverage
// within [0, 1]). Fixed seed: two runs give the same bands.
inline constexpr int kBootstrapReplicates = 200;
inline constexpr std::uint64_t kBootstrapSeed = 20140101;

struct IndividualBands {
    std::vector<std::array<Band, 3>> hill;
    std::vector<Band> coverage;
};
IndividualBands individualBands(const FrequencyTable& x, const std::vector<double>& sizes,
                                const std::vector<HillValues>& estimates, int replicates = kBootstrapReplicates,
                                std::uint64_t seed = kBootstrapSeed);

// The same for the sample-based curve: each species' incidence is
// Binomial(T, p_i) of iNEXT's estimated detection probabilities; replicates
// without any species are left out.
std::vector<Band> sampleBands(const FrequencyTable& y, std::int64_t collections, const std::vector<double>& sizes,
                              const std::vector<double>& estimates, int replicates = kBootstrapReplicates,
                              std::uint64_t seed = kBootstrapSeed + 1);

} // namespace zav::diversity
