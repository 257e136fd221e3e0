#pragma once
// The random numbers of the bootstrap bands. The generator and every
// sampler are written out here, so that a fixed seed gives the same draws
// with every compiler and standard library (the std:: distributions do not).

#include <cstdint>
#include <vector>

namespace zav::diversity {

// xoshiro256** (Blackman and Vigna 2018), its state filled from the seed by
// splitmix64 (Steele, Lea and Flood 2014).
class Random {
  public:
    explicit Random(std::uint64_t seed);
    std::uint64_t next();
    // Uniform on [0, 1): the top 53 bits.
    double uniform();
    // Uniform on (0, 1).
    double openUniform();
    // Standard normal, Marsaglia's polar method.
    double normal();
    // Gamma(shape, 1) for shape >= 1, Marsaglia and Tsang (2000).
    double gamma(double shape);
    // Binomial(trials, p) on min(p, 1 - p): inversion from 0 while trials *
    // min(p, 1 - p) is below 20, otherwise Hörmann's (1993) transformed
    // rejection with squeeze (BTRS), a constant number of draws at any size.
    std::int64_t binomial(std::int64_t trials, double p);

  private:
    std::int64_t transformedRejection(std::int64_t trials, double p);

    std::uint64_t s_[4];
};

// Multinomial(trials, probabilities) by successive binomials on what is
// left; the probabilities sum to 1 up to rounding.
std::vector<std::int64_t> multinomial(Random& random, std::int64_t trials, const std::vector<double>& probabilities);

// Species that share one probability: `species` of them, each with
// probability `p` (the bootstrap's estimated community, where every species
// of a count class, and every undetected species, has the same share).
struct ShareGroup {
    double p = 0.0;
    std::int64_t species = 0;
};

// The nonzero counts of Multinomial(trials, each species' p), drawn group
// by group: the group totals by successive binomials, then a group's total
// K spread evenly over its G species, K uniform picks when K < G (so that
// 400,000 undetected species sharing 900 individuals cost 900 draws, not
// 400,000 binomials), G successive binomials otherwise. The same law as the
// multinomial over the species one by one.
std::vector<std::int64_t> groupedMultinomial(Random& random, std::int64_t trials,
                                             const std::vector<ShareGroup>& groups);

// The nonzero values of independent Binomial(trials, p) draws, one per
// species (incidence: detections in `trials` collections). A large group of
// rarely detected species draws how many are detected, then each detected
// one's count from the binomial given at least 1.
std::vector<std::int64_t> groupedBinomials(Random& random, std::int64_t trials, const std::vector<ShareGroup>& groups);

} // namespace zav::diversity
