#include "diversity/collection_matrix.h"

#include "diversity/portable_math.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace zav::diversity {

PresenceMatrix::PresenceMatrix(const std::vector<std::vector<std::int32_t>>& counts) : collections_(counts.size()) {
    const std::size_t words = (collections_ + 63) / 64;
    const std::size_t species = counts.empty() ? 0 : counts.front().size();
    for (std::size_t s = 0; s < species; ++s) {
        std::vector<std::uint64_t> bits(words);
        std::int64_t frequency = 0;
        for (std::size_t k = 0; k < collections_; ++k)
            if (counts[k][s] > 0) {
                bits[k / 64] |= std::uint64_t{1} << (k % 64);
                ++frequency;
            }
        if (frequency == 0) continue;
        frequency_.push_back(frequency);
        bits_.push_back(std::move(bits));
    }
}

std::int64_t PresenceMatrix::together(std::size_t i, std::size_t j) const {
    std::int64_t both = 0;
    for (std::size_t w = 0; w < bits_[i].size(); ++w)
        both += std::popcount(bits_[i][w] & bits_[j][w]);
    return both;
}

double jackknife1StandardError(const PresenceMatrix& m) {
    const auto t = static_cast<double>(m.collections());
    std::vector<double> uniques(m.collections());
    double q1 = 0.0;
    for (std::size_t i = 0; i < m.species(); ++i) {
        if (m.frequency(i) != 1) continue;
        q1 += 1.0;
        for (std::size_t k = 0; k < m.collections(); ++k)
            if (m.present(i, k)) uniques[k] += 1.0;
    }
    double squares = 0.0;
    for (const double u : uniques)
        squares += u * u;
    return std::sqrt(std::max(0.0, (squares - q1 / t) * (t - 1.0) / t));
}

double bootstrapStandardError(const PresenceMatrix& m) {
    const auto t = static_cast<double>(m.collections());
    std::vector<double> q(m.species());
    double variance = 0.0;
    for (std::size_t i = 0; i < m.species(); ++i) {
        q[i] = pm::pow(1.0 - static_cast<double>(m.frequency(i)) / t, t);
        variance += q[i] * (1.0 - q[i]);
    }
    double covariances = 0.0;
    for (std::size_t i = 0; i < m.species(); ++i)
        for (std::size_t j = 0; j < i; ++j) {
            const auto neither =
                static_cast<std::int64_t>(m.collections()) - m.frequency(i) - m.frequency(j) + m.together(i, j);
            covariances += pm::pow(static_cast<double>(neither) / t, t) - q[i] * q[j];
        }
    return std::sqrt(std::max(0.0, variance + 2.0 * covariances));
}

std::vector<ExactCurvePoint> exactCollectionCurve(const PresenceMatrix& m, const std::vector<int>& sizes) {
    const auto n = static_cast<std::int64_t>(m.collections());
    const std::size_t species = m.species();
    // Pearson's correlation of each pair's presences, i > j, row by row.
    std::vector<double> correlation;
    correlation.reserve(species * (species > 0 ? species - 1 : 0) / 2);
    for (std::size_t i = 0; i < species; ++i)
        for (std::size_t j = 0; j < i; ++j) {
            const auto fi = m.frequency(i), fj = m.frequency(j);
            if (fi == n || fj == n) {
                correlation.push_back(0.0);
                continue;
            }
            const double spread =
                std::sqrt(static_cast<double>(fi * (n - fi))) * std::sqrt(static_cast<double>(fj * (n - fj)));
            correlation.push_back(static_cast<double>(n * m.together(i, j) - fi * fj) / spread);
        }
    std::vector<ExactCurvePoint> curve;
    std::vector<double> root(species);
    for (const int t : sizes) {
        ExactCurvePoint point;
        point.t = t;
        double variance = 0.0;
        for (std::size_t i = 0; i < species; ++i) {
            // C(n - f, t) / C(n, t) = prod_{k < t} (n - f - k) / (n - k).
            double miss = 1.0;
            const auto f = m.frequency(i);
            for (std::int64_t k = 0; k < t && miss > 0.0; ++k)
                miss = n - f - k <= 0 ? 0.0 : miss * static_cast<double>(n - f - k) / static_cast<double>(n - k);
            point.richness += 1.0 - miss;
            const double v = miss * (1.0 - miss);
            variance += v;
            root[i] = std::sqrt(v);
        }
        double covariance = 0.0;
        std::size_t pair = 0;
        for (std::size_t i = 0; i < species; ++i) {
            double row = 0.0;
            for (std::size_t j = 0; j < i; ++j)
                row += correlation[pair++] * root[j];
            covariance += row * root[i];
        }
        point.deviation = std::sqrt(std::max(0.0, variance + 2.0 * covariance));
        curve.push_back(point);
    }
    return curve;
}

std::vector<int> exactCurveSizes(std::size_t collections) {
    const auto n = static_cast<int>(collections);
    std::vector<int> sizes;
    if (n <= 60) {
        for (int t = 1; t <= n; ++t)
            sizes.push_back(t);
        return sizes;
    }
    for (int k = 1; k <= 40; ++k) {
        const int t = std::max(1, static_cast<int>(std::lround(static_cast<double>(n) * k / 40.0)));
        if (sizes.empty() || t > sizes.back()) sizes.push_back(t);
    }
    if (sizes.front() != 1) sizes.insert(sizes.begin(), 1);
    if (sizes.back() != n) sizes.push_back(n);
    return sizes;
}

std::optional<double> collectionShannon(const std::vector<std::int32_t>& counts) {
    std::int64_t n = 0;
    for (const auto c : counts)
        n += c;
    if (n <= 0) return std::nullopt;
    double h = 0.0;
    for (const auto c : counts)
        if (c > 0) {
            const double p = static_cast<double>(c) / static_cast<double>(n);
            h -= p * pm::log(p);
        }
    // A single species gives -1 * ln 1, which may print as "-0".
    return h > 0.0 ? h : 0.0;
}

} // namespace zav::diversity
