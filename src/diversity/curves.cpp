#include "diversity/curves.h"

#include "diversity/estimators.h"
#include "diversity/portable_math.h"
#include "diversity/random.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zav::diversity {
namespace {

double d(std::int64_t v) { return static_cast<double>(v); }

// A probability below e^-40 is dropped from a sum of order 1.
constexpr double kNegligibleExponent = 40.0;
} // namespace

double logNoneDrawn(double population, double marked, double drawn) {
    const double n = population, x = marked, m = drawn;
    if (x <= 0.0 || m <= 0.0) return 0.0;
    if (n - x < m) return -std::numeric_limits<double>::infinity();
    const double p = m / n, q = (n - m) / n;
    if (n - x == m)
        return pm::logBinomial(0.0, x, p, q) + pm::logBinomial(m, n - x, p, q) - pm::logBinomial(m, n, p, q);
    // ln b(m; n - x, p) - ln b(m; n, p) term by term: stirlerr(m), ln m and
    // ln(2 pi) cancel exactly, and each difference left is as small as the
    // result wherever the result is small.
    const double stirling =
        (pm::stirlingError(n - x) - pm::stirlingError(n)) - (pm::stirlingError(n - x - m) - pm::stirlingError(n - m));
    const double deviances = (pm::deviance(m, (n - x) * p) - pm::deviance(m, n * p)) +
                             (pm::deviance(n - x - m, (n - x) * q) - pm::deviance(n - m, n * q));
    // ln((n-x-m)/(n-x)) - ln((n-m)/n) = ln(1 - x m / ((n-x)(n-m))).
    const double halfLogs = 0.5 * pm::log1p(-x * m / ((n - x) * (n - m)));
    return x * pm::log1p(-p) + stirling - deviances - halfLogs;
}

namespace {

// R's seq(from, to, length.out = count): from + i (to - from)/(count-1), the
// last one `to` itself.
std::vector<double> sequence(double from, double to, int count) {
    std::vector<double> out;
    const double by = (to - from) / (count - 1);
    for (int i = 0; i + 1 < count; ++i)
        out.push_back(from + i * by);
    out.push_back(to);
    return out;
}

// The rarefied values at an integer m < n. Each species' chance of being
// missed, R = C(n - x, m) / C(n, m), enters as 1 - R = -expm1(ln R), so that
// the small shares of a large sample keep every digit (at m = 1 the terms are
// x/n and q = 0 is 1 to the last bit); the coverage's C(n - x, m) /
// C(n - 1, m) is R n / (n - m). Both are below e^-40 when m (x-1)/(n-1)
// exceeds 40, since C(n - x, m) / C(n - 1, m) <= (1 - (x-1)/(n-1))^m.
HillValues rarefied(const FrequencyTable& x, double m, double expansionFrom) {
    const double n = d(x.total);
    const double logSizeFactor = -pm::log1p(-m / n); // ln(n / (n - m))
    double richness = 0.0, sumKLogK = 0.0, sumSquares = 0.0, missed = 0.0;
    for (const auto& [value, count] : x.classes) {
        const double xi = d(value), f = d(count);
        if (m * (xi - 1.0) / (n - 1.0) <= kNegligibleExponent) {
            const double logMissed = logNoneDrawn(n, xi, m);
            richness -= f * pm::expm1(logMissed);
            missed += f * xi / n * pm::exp(logMissed + logSizeFactor);
        } else {
            richness += f;
        }
        const double p = xi / n;
        const double mean = m * p;
        sumSquares += f * (m * p * (1.0 - p) * (n - m) / (n - 1.0) + mean * mean);
        sumKLogK += f * expectedKLogK(n, xi, m, expansionFrom);
    }
    HillValues out;
    out.hill[0] = richness;
    out.hill[1] = pm::exp(pm::log(m) - sumKLogK / m);
    out.hill[2] = m * m / sumSquares;
    // One individual is one species in every order: the sums above give 1
    // up to their rounding, which would show in the bands as a spread of
    // 1e-16.
    if (m == 1.0) out.hill = {1.0, 1.0, 1.0};
    // The missed shares sum to 1 up to their rounding when m is small
    // against a sample of billions: the coverage, a probability, is kept
    // within [0, 1] rather than printed as -0.0000.
    out.coverage = std::clamp(1.0 - missed, 0.0, 1.0);
    return out;
}

struct CurveBasis {
    HillValues observed;
    HillValues beforeLast; // at n - 1
    std::array<double, 3> asymptote{};
    double unbiasedSimpson = 0.0;
    double f1 = 0.0, factor = 1.0;
};

CurveBasis basisOf(const FrequencyTable& x, double expansionFrom) {
    CurveBasis b;
    const double n = d(x.total);
    b.observed.hill = {d(x.species), pm::exp(shannon(x)), 1.0 / simpsonConcentration(x)};
    b.observed.coverage = sampleCoverage(x);
    b.beforeLast = rarefied(x, n - 1.0, expansionFrom);
    b.f1 = d(x.f(1));
    const double f2 = d(x.f(2));
    b.asymptote = {d(x.species) + undetectedSpecies(n, b.f1, f2), pm::exp(chaoWangJostEntropy(x)), 0.0};
    b.unbiasedSimpson = unbiasedSimpson(x).number.value_or(0.0);
    b.factor = coverageFactor(n, b.f1, f2);
    return b;
}

HillValues extrapolated(const CurveBasis& b, double n, double m) {
    HillValues out;
    for (std::size_t q = 0; q < 2; ++q) {
        const double obs = b.observed.hill[q], asy = b.asymptote[q], last = b.beforeLast.hill[q];
        // beta lies in [0, 1] for a curve that rises to its asymptote; a
        // rounding that puts it outside (a huge sample, a replicate whose
        // asymptote equals its sample) would raise a negative number to a
        // power: the limits are the flat curve (0) and the asymptote (1).
        const double beta = asy != last ? std::clamp((obs - last) / (asy - last), 0.0, 1.0) : 0.0;
        out.hill[q] = obs + (asy - obs) * (1.0 - pm::pow(1.0 - beta, m - n));
    }
    out.hill[2] = 1.0 / (1.0 / m + (1.0 - 1.0 / m) * b.unbiasedSimpson);
    out.coverage = 1.0 - b.f1 / n * pm::pow(b.factor, m - n + 1.0);
    return out;
}

HillValues atIntegerSize(const FrequencyTable& x, const CurveBasis& b, double m, double expansionFrom) {
    const double n = d(x.total);
    if (m < n) return rarefied(x, m, expansionFrom);
    if (m == n) return b.observed;
    return extrapolated(b, n, m);
}

HillValues mix(const HillValues& a, const HillValues& b, double weightB) {
    HillValues out;
    for (std::size_t q = 0; q < 3; ++q)
        out.hill[q] = (1.0 - weightB) * a.hill[q] + weightB * b.hill[q];
    out.coverage = (1.0 - weightB) * a.coverage + weightB * b.coverage;
    return out;
}

// Sample-based q = 0 below T, as `rarefied` for q = 0.
double rarefiedIncidence(const FrequencyTable& y, double T, double t) {
    double richness = 0.0;
    for (const auto& [value, count] : y.classes) {
        if (t * d(value) / T <= kNegligibleExponent)
            richness -= d(count) * pm::expm1(logNoneDrawn(T, d(value), t));
        else
            richness += d(count);
    }
    return richness;
}

double incidenceAt(const FrequencyTable& y, double T, double t, double asymptote, double beta) {
    const double s = d(y.species);
    if (t < T) return rarefiedIncidence(y, T, t);
    if (t == T) return s;
    return s + (asymptote - s) * (1.0 - pm::pow(1.0 - beta, t - T));
}

// Sample standard deviations of each column of the replicate rows.
template <typename Get> std::vector<double> standardDeviations(std::size_t points, std::size_t replicates, Get value) {
    std::vector<double> out(points, 0.0);
    if (replicates < 2) return out;
    for (std::size_t p = 0; p < points; ++p) {
        double mean = 0.0;
        for (std::size_t r = 0; r < replicates; ++r)
            mean += value(r, p);
        mean /= d(static_cast<std::int64_t>(replicates));
        double ss = 0.0;
        for (std::size_t r = 0; r < replicates; ++r)
            ss += (value(r, p) - mean) * (value(r, p) - mean);
        out[p] = std::sqrt(ss / d(static_cast<std::int64_t>(replicates - 1)));
    }
    return out;
}

Band bandAround(double estimate, double sd, bool share) {
    Band b;
    // A replicate that gave no finite value leaves the band undefined.
    if (!std::isfinite(estimate) || !std::isfinite(sd)) return b;
    b.lower = std::max(0.0, estimate - kNormal975 * sd);
    b.upper = share ? std::min(1.0, estimate + kNormal975 * sd) : estimate + kNormal975 * sd;
    return b;
}

// iNEXT's estimated community: observed shares X/n (1 - w (1 - X/n)^n),
// w = (f1/n A) / sum X/n (1 - X/n)^n, and ceil(f0) undetected species of
// f1/n A / ceil(f0) each (Chao et al. 2014, appendix); for incidence the
// same with T and Q, giving detection probabilities.
std::vector<ShareGroup> estimatedCommunity(const FrequencyTable& x, double n) {
    const double f1 = d(x.f(1)), f2 = d(x.f(2));
    const double f0 = undetectedSpecies(n, f1, f2);
    const double a = f1 / n * coverageFactor(n, f1, f2);
    double b = 0.0;
    for (const auto& [value, count] : x.classes)
        b += d(count) * d(value) / n * pm::pow(1.0 - d(value) / n, n);
    const double w = f0 == 0.0 || b == 0.0 ? 0.0 : a / b;
    std::vector<ShareGroup> groups;
    for (const auto& [value, count] : x.classes)
        groups.push_back({d(value) / n * (1.0 - w * pm::pow(1.0 - d(value) / n, n)), count});
    const auto unseen = static_cast<std::int64_t>(std::ceil(f0));
    if (unseen > 0) groups.push_back({a / d(unseen), unseen});
    std::sort(groups.begin(), groups.end(), [](const ShareGroup& l, const ShareGroup& r) { return l.p > r.p; });
    return groups;
}

} // namespace

std::vector<double> wholeCurveSizes(std::int64_t reference) {
    const double r = d(reference);
    std::vector<double> sizes;
    for (const double v : sequence(1.0, r - 1.0, 19))
        sizes.push_back(std::floor(v));
    sizes.push_back(r);
    for (const double v : sequence(r + 1.0, 2.0 * r, 20))
        sizes.push_back(std::floor(v));
    sizes.front() = 1.0;
    sizes.erase(std::unique(sizes.begin(), sizes.end()), sizes.end());
    return sizes;
}

std::vector<double> curveSizes(std::int64_t reference) {
    auto sizes = wholeCurveSizes(reference);
    if (sizes.size() >= 40) return sizes;
    const double r = d(reference);
    sizes = sequence(1.0, r, 20);
    sizes.pop_back();
    sizes.push_back(r);
    const auto beyond = sequence(r, 2.0 * r, 21);
    sizes.insert(sizes.end(), beyond.begin() + 1, beyond.end());
    return sizes;
}

double expectedKLogK(double n, double x, double m, double expansionFrom) {
    const double mean = m * x / n;
    if (mean >= expansionFrom) {
        // Central moments of the hypergeometric distribution.
        const double p = x / n;
        const double s2 = m * p * (1.0 - p) * (n - m) / (n - 1.0);
        if (s2 <= 0.0) return mean * pm::log(mean);
        const double m3 = s2 * (1.0 - 2.0 * p) * (n - 2.0 * m) / (n - 2.0);
        const double excess = ((n - 1.0) * n * n * (n * (n + 1.0) - 6.0 * x * (n - x) - 6.0 * m * (n - m)) +
                               6.0 * m * x * (n - x) * (n - m) * (5.0 * n - 6.0)) /
                              (m * x * (n - x) * (n - m) * (n - 2.0) * (n - 3.0));
        const double m4 = (excess + 3.0) * s2 * s2;
        return mean * pm::log(mean) + s2 / (2.0 * mean) - m3 / (6.0 * mean * mean) + m4 / (12.0 * mean * mean * mean);
    }
    const double low = std::max(0.0, m - (n - x)), high = std::min(x, m);
    const double mode = std::clamp(std::floor((m + 1.0) * (x + 1.0) / (n + 2.0)), low, high);
    // k ln k from a table built once: the sums below run over hundreds of
    // k for each species, size and replicate.
    static const std::vector<double> table = [] {
        std::vector<double> t(8192, 0.0);
        for (std::size_t k = 2; k < t.size(); ++k)
            t[k] = static_cast<double>(k) * pm::log(static_cast<double>(k));
        return t;
    }();
    const auto kLogK = [](double k) {
        if (k < 8192.0) return table[static_cast<std::size_t>(k)];
        return k * pm::log(k);
    };
    double weights = 1.0, sum = kLogK(mode), w = 1.0;
    for (double k = mode; k < high; ++k) {
        w *= (x - k) * (m - k) / ((k + 1.0) * (n - x - m + k + 1.0));
        weights += w;
        sum += w * kLogK(k + 1.0);
        if (w < 1e-17 * weights) break;
    }
    w = 1.0;
    for (double k = mode; k > low; --k) {
        w *= k * (n - x - m + k) / ((x - k + 1.0) * (m - k + 1.0));
        weights += w;
        sum += w * kLogK(k - 1.0);
        if (w < 1e-17 * weights) break;
    }
    return sum / weights;
}

std::vector<HillValues> individualCurve(const FrequencyTable& x, const std::vector<double>& sizes,
                                        double expansionFrom) {
    const CurveBasis basis = basisOf(x, expansionFrom);
    const double n = d(x.total);
    std::vector<HillValues> out;
    out.reserve(sizes.size());
    for (const double m : sizes) {
        const double below = std::floor(m);
        if (m >= n || m == below) {
            out.push_back(atIntegerSize(x, basis, m, expansionFrom));
            continue;
        }
        out.push_back(mix(atIntegerSize(x, basis, below, expansionFrom),
                          atIntegerSize(x, basis, below + 1.0, expansionFrom), m - below));
    }
    return out;
}

std::vector<double> sampleCurve(const FrequencyTable& y, std::int64_t collections, const std::vector<double>& sizes) {
    const double T = d(collections), q1 = d(y.f(1)), q2 = d(y.f(2));
    const double s = d(y.species);
    const double asymptote = s + undetectedSpecies(T, q1, q2);
    const double last = s - q1 / T;
    const double beta = asymptote != last ? (s - last) / (asymptote - last) : 0.0;
    std::vector<double> out;
    for (const double t : sizes) {
        const double below = std::floor(t);
        if (t >= T || t == below) {
            out.push_back(incidenceAt(y, T, t, asymptote, beta));
            continue;
        }
        const double w = t - below;
        out.push_back((1.0 - w) * incidenceAt(y, T, below, asymptote, beta) +
                      w * incidenceAt(y, T, below + 1.0, asymptote, beta));
    }
    return out;
}

IndividualBands individualBands(const FrequencyTable& x, const std::vector<double>& sizes,
                                const std::vector<HillValues>& estimates, int replicates, std::uint64_t seed) {
    const auto community = estimatedCommunity(x, d(x.total));
    Random random(seed);
    std::vector<std::vector<HillValues>> curves;
    for (int r = 0; r < replicates; ++r) {
        const auto sample = frequencyTable(groupedMultinomial(random, x.total, community));
        curves.push_back(individualCurve(sample, sizes, kReplicateExpansionMean));
    }
    IndividualBands bands;
    bands.hill.resize(sizes.size());
    for (std::size_t q = 0; q < 3; ++q) {
        const auto sd = standardDeviations(sizes.size(), curves.size(),
                                           [&](std::size_t r, std::size_t p) { return curves[r][p].hill[q]; });
        for (std::size_t p = 0; p < sizes.size(); ++p)
            bands.hill[p][q] = bandAround(estimates[p].hill[q], sd[p], false);
    }
    const auto sd = standardDeviations(sizes.size(), curves.size(),
                                       [&](std::size_t r, std::size_t p) { return curves[r][p].coverage; });
    for (std::size_t p = 0; p < sizes.size(); ++p)
        bands.coverage.push_back(bandAround(estimates[p].coverage, sd[p], true));
    return bands;
}

std::vector<Band> sampleBands(const FrequencyTable& y, std::int64_t collections, const std::vector<double>& sizes,
                              const std::vector<double>& estimates, int replicates, std::uint64_t seed) {
    const auto detection = estimatedCommunity(y, d(collections));
    Random random(seed);
    std::vector<std::vector<double>> curves;
    for (int r = 0; r < replicates; ++r) {
        const auto sample = frequencyTable(groupedBinomials(random, collections, detection));
        if (sample.species == 0) continue;
        curves.push_back(sampleCurve(sample, collections, sizes));
    }
    const auto sd =
        standardDeviations(sizes.size(), curves.size(), [&](std::size_t r, std::size_t p) { return curves[r][p]; });
    std::vector<Band> out;
    for (std::size_t p = 0; p < sizes.size(); ++p) {
        if (curves.size() < 2)
            out.push_back({});
        else
            out.push_back(bandAround(estimates[p], sd[p], false));
    }
    return out;
}

} // namespace zav::diversity
