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
    // On the smaller of p and 1 - p.
    const bool flipped = p > 0.5;
    const double pp = flipped ? 1.0 - p : p;
    const double n = static_cast<double>(trials);
    std::int64_t k = 0;
    if (n * pp < 20.0) {
        // Inversion from 0.
        const double ratio = pp / (1.0 - pp);
        double mass = pm::exp(n * pm::log1p(-pp));
        double u = uniform();
        while (u >= mass && k < trials) {
            u -= mass;
            mass *= ratio * static_cast<double>(trials - k) / static_cast<double>(k + 1);
            ++k;
        }
    } else {
        k = transformedRejection(trials, pp);
    }
    return flipped ? trials - k : k;
}

// Hörmann's (1993) BTRS, for n p >= 10, p <= 1/2: k = floor((2a/us + b) u
// + c) from two uniforms, accepted at once inside the squeeze, otherwise
// when ln(v alpha / (a/us^2 + b)) <= ln(P(k) / P(m)), m the mode; the
// quotient of the probabilities in Loader's form (exact at any n, where
// lgamma differences lose digits at n ~ 10^12).
std::int64_t Random::transformedRejection(std::int64_t trials, double p) {
    const double n = static_cast<double>(trials), q = 1.0 - p;
    const double spq = std::sqrt(n * p * q);
    const double b = 1.15 + 2.53 * spq;
    const double a = -0.0873 + 0.0248 * b + 0.01 * p;
    const double c = n * p + 0.5;
    const double vr = 0.92 - 4.2 / b;
    const double alpha = (2.83 + 5.1 / b) * spq;
    const double mode = std::floor((n + 1.0) * p);
    const double logModeMass = pm::logBinomial(mode, n, p, q);
    for (;;) {
        const double u = uniform() - 0.5;
        const double v = uniform();
        const double us = 0.5 - std::abs(u);
        const double k = std::floor((2.0 * a / us + b) * u + c);
        if (k < 0.0 || k > n) continue;
        if (us >= 0.07 && v <= vr) return static_cast<std::int64_t>(k);
        if (!(us > 0.0) || !(v > 0.0)) continue;
        const double lhs = pm::log(v * alpha / (a / (us * us) + b));
        if (lhs <= pm::logBinomial(k, n, p, q) - logModeMass) return static_cast<std::int64_t>(k);
    }
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

std::vector<std::int64_t> groupedMultinomial(Random& random, std::int64_t trials,
                                             const std::vector<ShareGroup>& groups) {
    std::vector<double> shares;
    shares.reserve(groups.size());
    for (const auto& g : groups)
        shares.push_back(g.p * static_cast<double>(g.species));
    const auto totals = multinomial(random, trials, shares);
    std::vector<std::int64_t> out;
    std::vector<std::int64_t> picks;
    for (std::size_t i = 0; i < groups.size(); ++i) {
        std::int64_t left = totals[i];
        const std::int64_t g = groups[i].species;
        if (left == 0) continue;
        if (left < g) {
            picks.clear();
            const double width = static_cast<double>(g);
            for (std::int64_t k = 0; k < left; ++k)
                picks.push_back(std::min(g - 1, static_cast<std::int64_t>(random.uniform() * width)));
            std::sort(picks.begin(), picks.end());
            for (std::size_t a = 0; a < picks.size();) {
                std::size_t b = a;
                while (b < picks.size() && picks[b] == picks[a])
                    ++b;
                out.push_back(static_cast<std::int64_t>(b - a));
                a = b;
            }
            continue;
        }
        for (std::int64_t k = 0; k < g && left > 0; ++k) {
            const std::int64_t c = k + 1 == g ? left : random.binomial(left, 1.0 / static_cast<double>(g - k));
            if (c > 0) out.push_back(c);
            left -= c;
        }
    }
    return out;
}

std::vector<std::int64_t> groupedBinomials(Random& random, std::int64_t trials, const std::vector<ShareGroup>& groups) {
    std::vector<std::int64_t> out;
    const double t = static_cast<double>(trials);
    for (const auto& group : groups) {
        const double p = group.p;
        if (group.species <= 64 || t * p >= 1.0 || p >= 0.5) {
            for (std::int64_t k = 0; k < group.species; ++k) {
                const auto c = random.binomial(trials, p);
                if (c > 0) out.push_back(c);
            }
            continue;
        }
        // P(K >= 1) = 1 - (1-p)^T; the detected ones by inversion of the
        // binomial given K >= 1, P(k+1)/P(k) = (T-k)/(k+1) p/(1-p).
        const double detected = -pm::expm1(t * pm::log1p(-p));
        if (!(detected > 0.0)) continue;
        const auto found = random.binomial(group.species, detected);
        const double ratio = p / (1.0 - p);
        const double first = t * p * pm::exp((t - 1.0) * pm::log1p(-p)) / detected;
        for (std::int64_t s = 0; s < found; ++s) {
            double u = random.uniform(), mass = first;
            std::int64_t k = 1;
            while (u >= mass && k < trials) {
                u -= mass;
                mass *= ratio * static_cast<double>(trials - k) / static_cast<double>(k + 1);
                ++k;
            }
            out.push_back(k);
        }
    }
    return out;
}

} // namespace zav::diversity
