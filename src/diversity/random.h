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
    // Binomial(trials, p): inversion from 0 while trials * min(p, 1 - p) is
    // below 20, otherwise Devroye's (1986, X.4) split at the median order
    // statistic, a Beta(j, trials - j + 1) variate, until it is.
    std::int64_t binomial(std::int64_t trials, double p);

  private:
    std::uint64_t s_[4];
};

// Multinomial(trials, probabilities) by successive binomials on what is
// left; the probabilities sum to 1 up to rounding.
std::vector<std::int64_t> multinomial(Random& random, std::int64_t trials, const std::vector<double>& probabilities);

} // namespace zav::diversity
