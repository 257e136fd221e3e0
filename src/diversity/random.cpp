#include "diversity/random.h"

#include "diversity/portable_math.h"

#include <algorithm>
#include <cmath>

namespace zav::diversity {
namespace {

std::uint64_t splitmix64(std::uint64_t& x) {
    std::uint64_t z = (x += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

std::uint64_t rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

} // namespace

Random::Random(std::uint64_t seed) {
    for (auto& word : s_)
        word = splitmix64(seed);
}

std::uint64_t Random::next() {
    const std::uint64_t result = rotl(s_[1] * 5, 7) * 9;
    const std::uint64_t t = s_[1] << 17;
    s_[2] ^= s_[0];
    s_[3] ^= s_[1];
    s_[1] ^= s_[2];
    s_[0] ^= s_[3];
    s_[2] ^= t;
    s_[3] = rotl(s_[3], 45);
    return result;
}

double Random::uniform() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }

double Random::openUniform() {
    for (;;) {
        const double u = uniform();
        if (u > 0.0) return u;
    }
}

double Random::normal() {
    for (;;) {
        const double u = 2.0 * uniform() - 1.0;
        const double v = 2.0 * uniform() - 1.0;
        const double s = u * u + v * v;
        if (s > 0.0 && s < 1.0) return u * std::sqrt(-2.0 * pm::log(s) / s);
    }
}

double Random::gamma(double shape) {
    const double d = shape - 1.0 / 3.0;
    const double c = 1.0 / std::sqrt(9.0 * d);
    for (;;) {
        double x, v;
        do {
            x = normal();
            v = 1.0 + c * x;
        } while (v <= 0.0);
        v = v * v * v;
        const double u = openUniform();
        if (u < 1.0 - 0.0331 * (x * x) * (x * x)) return d * v;
        if (pm::log(u) < 0.5 * x * x + d * (1.0 - v + pm::log(v))) return d * v;
    }
}

std::int64_t Random::binomial(std::int64_t trials, double p) {
    if (trials <= 0 || !(p > 0.0)) return 0;
    if (p >= 1.0) return trials;
    std::int64_t count = 0;
    // Median splits: the j-th smallest of `trials` uniforms is Beta(j,
    // trials - j + 1); the draws below it are Binomial(j - 1, p / U), those
    // above it Binomial(trials - j, (p - U) / (1 - U)).
    while (static_cast<double>(trials) * std::min(p, 1.0 - p) >= 20.0) {
        const std::int64_t j = trials / 2 + 1;
        const double a = gamma(static_cast<double>(j));
        const double b = gamma(static_cast<double>(trials - j + 1));
        const double u = a / (a + b);
        if (p < u) {
            trials = j - 1;
            p /= u;
        } else {
            count += j;
            trials -= j;
            p = (p - u) / (1.0 - u);
        }
        if (trials <= 0 || !(p > 0.0)) return count;
        if (p >= 1.0) return count + trials;
    }
    // Inversion on the smaller of p and 1 - p.
    const bool flipped = p > 0.5;
    const double pp = flipped ? 1.0 - p : p;
    const double ratio = pp / (1.0 - pp);
    double mass = pm::exp(static_cast<double>(trials) * pm::log1p(-pp));
    double u = uniform();
    std::int64_t k = 0;
    while (u >= mass && k < trials) {
        u -= mass;
        mass *= ratio * static_cast<double>(trials - k) / static_cast<double>(k + 1);
        ++k;
    }
    return count + (flipped ? trials - k : k);
}

std::vector<std::int64_t> multinomial(Random& random, std::int64_t trials, const std::vector<double>& probabilities) {
    std::vector<std::int64_t> out(probabilities.size(), 0);
    // What is left of the probability after each category, summed from the
    // end so that no rounding accumulates.
    std::vector<double> rest(probabilities.size() + 1, 0.0);
    for (std::size_t i = probabilities.size(); i-- > 0;)
        rest[i] = rest[i + 1] + probabilities[i];
    for (std::size_t i = 0; i < probabilities.size() && trials > 0; ++i) {
        if (i + 1 == probabilities.size()) {
            out[i] = trials;
            break;
        }
        const double share = rest[i] > 0.0 ? std::min(1.0, probabilities[i] / rest[i]) : 1.0;
        out[i] = random.binomial(trials, share);
        trials -= out[i];
    }
    return out;
}

} // namespace zav::diversity
