#include "communities/communities.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <exception>
#include <limits>
#ifndef __EMSCRIPTEN__
#include <thread>
#endif
#include <type_traits>

namespace zav::communities {
namespace {

// sqrt(a² + b²) without overflow, with sqrt alone (the same bits on every
// platform, where hypot differs between libraries).
double norm2(double a, double b) {
    const double x = std::abs(a), y = std::abs(b);
    const double m = std::max(x, y);
    if (m == 0.0) return 0.0;
    const double u = x / m, v = y / m;
    return m * std::sqrt(u * u + v * v);
}

// Householder's reduction of the symmetric matrix v (row-major, n x n) to
// tridiagonal form: d the diagonal, e the subdiagonal (e[0] = 0), v the
// orthogonal transformation (tred2; Wilkinson and Reinsch 1971, II/2).
void tridiagonalize(std::vector<double>& v, std::size_t n, std::vector<double>& d, std::vector<double>& e) {
    const auto V = [&](std::size_t r, std::size_t c) -> double& { return v[r * n + c]; };
    for (std::size_t j = 0; j < n; ++j)
        d[j] = V(n - 1, j);
    for (std::size_t i = n - 1; i > 0; --i) {
        double scale = 0.0, h = 0.0;
        for (std::size_t k = 0; k < i; ++k)
            scale += std::abs(d[k]);
        if (scale == 0.0) {
            e[i] = d[i - 1];
            for (std::size_t j = 0; j < i; ++j) {
                d[j] = V(i - 1, j);
                V(i, j) = 0.0;
                V(j, i) = 0.0;
            }
        } else {
            for (std::size_t k = 0; k < i; ++k) {
                d[k] /= scale;
                h += d[k] * d[k];
            }
            double f = d[i - 1];
            double g = std::sqrt(h);
            if (f > 0.0) g = -g;
            e[i] = scale * g;
            h -= f * g;
            d[i - 1] = f - g;
            for (std::size_t j = 0; j < i; ++j)
                e[j] = 0.0;
            for (std::size_t j = 0; j < i; ++j) {
                f = d[j];
                V(j, i) = f;
                g = e[j] + V(j, j) * f;
                for (std::size_t k = j + 1; k < i; ++k) {
                    g += V(k, j) * d[k];
                    e[k] += V(k, j) * f;
                }
                e[j] = g;
            }
            f = 0.0;
            for (std::size_t j = 0; j < i; ++j) {
                e[j] /= h;
                f += e[j] * d[j];
            }
            const double hh = f / (h + h);
            for (std::size_t j = 0; j < i; ++j)
                e[j] -= hh * d[j];
            for (std::size_t j = 0; j < i; ++j) {
                f = d[j];
                g = e[j];
                for (std::size_t k = j; k < i; ++k)
                    V(k, j) -= (f * e[k] + g * d[k]);
                d[j] = V(i - 1, j);
                V(i, j) = 0.0;
            }
        }
        d[i] = h;
    }
    // The transformations accumulated.
    for (std::size_t i = 0; i + 1 < n; ++i) {
        V(n - 1, i) = V(i, i);
        V(i, i) = 1.0;
        const double h = d[i + 1];
        if (h != 0.0) {
            for (std::size_t k = 0; k <= i; ++k)
                d[k] = V(k, i + 1) / h;
            for (std::size_t j = 0; j <= i; ++j) {
                double g = 0.0;
                for (std::size_t k = 0; k <= i; ++k)
                    g += V(k, i + 1) * V(k, j);
                for (std::size_t k = 0; k <= i; ++k)
                    V(k, j) -= g * d[k];
            }
        }
        for (std::size_t k = 0; k <= i; ++k)
            V(k, i + 1) = 0.0;
    }
    for (std::size_t j = 0; j < n; ++j) {
        d[j] = V(n - 1, j);
        V(n - 1, j) = 0.0;
    }
    V(n - 1, n - 1) = 1.0;
    e[0] = 0.0;
}

// The QL method with implicit shifts on the tridiagonal matrix (d, e),
// the rotations applied to v (tql2; Wilkinson and Reinsch 1971, II/3).
void diagonalize(std::vector<double>& v, std::size_t n, std::vector<double>& d, std::vector<double>& e) {
    const auto V = [&](std::size_t r, std::size_t c) -> double& { return v[r * n + c]; };
    for (std::size_t i = 1; i < n; ++i)
        e[i - 1] = e[i];
    e[n - 1] = 0.0;
    double f = 0.0, tst1 = 0.0;
    const double eps = std::numeric_limits<double>::epsilon();
    for (std::size_t l = 0; l < n; ++l) {
        tst1 = std::max(tst1, std::abs(d[l]) + std::abs(e[l]));
        std::size_t m = l;
        while (m + 1 < n && std::abs(e[m]) > eps * tst1)
            ++m;
        if (m > l) {
            // At most 60 sweeps for an eigenvalue: the method converges
            // cubically, so more would only repeat rounding.
            for (int iteration = 0; iteration < 60; ++iteration) {
                double g = d[l];
                double p = (d[l + 1] - g) / (2.0 * e[l]);
                double r = norm2(p, 1.0);
                if (p < 0) r = -r;
                d[l] = e[l] / (p + r);
                d[l + 1] = e[l] * (p + r);
                const double dl1 = d[l + 1];
                double h = g - d[l];
                for (std::size_t i = l + 2; i < n; ++i)
                    d[i] -= h;
                f += h;
                p = d[m];
                double c = 1.0, c2 = 1.0, c3 = 1.0, s = 0.0, s2 = 0.0;
                const double el1 = e[l + 1];
                for (std::size_t i = m; i-- > l;) {
                    c3 = c2;
                    c2 = c;
                    s2 = s;
                    g = c * e[i];
                    h = c * p;
                    r = norm2(p, e[i]);
                    e[i + 1] = s * r;
                    s = e[i] / r;
                    c = p / r;
                    p = c * d[i] - s * g;
                    d[i + 1] = h + s * (c * g + s * d[i]);
                    for (std::size_t k = 0; k < n; ++k) {
                        h = V(k, i + 1);
                        V(k, i + 1) = s * V(k, i) + c * h;
                        V(k, i) = c * V(k, i) - s * h;
                    }
                }
                p = -s * s2 * c3 * el1 * e[l] / dl1;
                e[l] = s * p;
                d[l] = c * p;
                if (!(std::abs(e[l]) > eps * tst1)) break;
            }
        }
        d[l] += f;
        e[l] = 0.0;
    }
}

} // namespace

Eigen symmetricEigen(std::vector<double> matrix, std::size_t n) {
    Eigen out;
    if (n == 0) return out;
    std::vector<double> d(n, 0.0), e(n, 0.0);
    tridiagonalize(matrix, n, d, e);
    diagonalize(matrix, n, d, e);
    std::vector<std::size_t> order(n);
    for (std::size_t k = 0; k < n; ++k)
        order[k] = k;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return d[a] > d[b]; });
    out.values.resize(n);
    out.vectors.assign(n * n, 0.0);
    for (std::size_t k = 0; k < n; ++k) {
        const std::size_t from = order[k];
        out.values[k] = d[from];
        // The sign that makes the largest component positive.
        std::size_t largest = 0;
        for (std::size_t r = 1; r < n; ++r)
            if (std::abs(matrix[r * n + from]) > std::abs(matrix[largest * n + from])) largest = r;
        const double sign = matrix[largest * n + from] < 0.0 ? -1.0 : 1.0;
        for (std::size_t r = 0; r < n; ++r)
            out.vectors[r * n + k] = sign * matrix[r * n + from];
    }
    return out;
}

Pcoa principalCoordinates(const DistanceMatrix& d) {
    const std::size_t n = d.n;
    Pcoa out;
    if (n == 0) return out;
    // B = -1/2 J d² J: d² with its row and column means taken away and its
    // grand mean added back (cmdscale's double centring).
    std::vector<double> b(n * n);
    std::vector<double> rowMean(n, 0.0);
    double grand = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j) {
            const double sq = d.at(i, j) * d.at(i, j);
            b[i * n + j] = sq;
            rowMean[i] += sq;
        }
        grand += rowMean[i];
        rowMean[i] /= static_cast<double>(n);
    }
    grand /= static_cast<double>(n * n);
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = 0; j < n; ++j)
            b[i * n + j] = -0.5 * (b[i * n + j] - rowMean[i] - rowMean[j] + grand);
    const auto eigen = symmetricEigen(std::move(b), n);
    out.eigenvalues = eigen.values;
    double positive = 0.0;
    for (double v : eigen.values)
        if (v > 0.0) positive += v;
    const auto axis = [&](std::size_t k, std::vector<double>& coordinates, std::optional<double>& share) {
        coordinates.assign(n, 0.0);
        if (k >= n || !(eigen.values[k] > 0.0)) {
            if (positive > 0.0) share = 0.0;
            return;
        }
        share = 100.0 * eigen.values[k] / positive;
        const double root = std::sqrt(eigen.values[k]);
        for (std::size_t i = 0; i < n; ++i)
            coordinates[i] = eigen.vectors[i * n + k] * root;
    };
    axis(0, out.axis1, out.share1);
    axis(1, out.axis2, out.share2);
    return out;
}

namespace {

// The pairs of samples in the order of their dissimilarities, and the runs
// of tied dissimilarities, which the primary approach orders by the
// configuration's distances before each monotone regression.
class MonotoneFit {
  public:
    explicit MonotoneFit(const DistanceMatrix& delta) {
        const std::size_t n = delta.n;
        for (std::size_t i = 0; i < n; ++i)
            for (std::size_t j = i + 1; j < n; ++j) {
                first_.push_back(static_cast<std::uint32_t>(i));
                second_.push_back(static_cast<std::uint32_t>(j));
                delta_.push_back(delta.at(i, j));
            }
        order_.resize(delta_.size());
        for (std::size_t k = 0; k < order_.size(); ++k)
            order_[k] = static_cast<std::uint32_t>(k);
        std::stable_sort(order_.begin(), order_.end(),
                         [&](std::uint32_t a, std::uint32_t b) { return delta_[a] < delta_[b]; });
        // The pairs kept in that order, so that the regression reads the
        // distances in sequence; only tied runs are reordered later.
        const auto permuted = [&](const auto& values) {
            std::remove_cvref_t<decltype(values)> out(values.size());
            for (std::size_t k = 0; k < order_.size(); ++k)
                out[k] = values[order_[k]];
            return out;
        };
        first_ = permuted(first_);
        second_ = permuted(second_);
        delta_ = permuted(delta_);
        for (std::size_t k = 0; k < order_.size(); ++k)
            order_[k] = static_cast<std::uint32_t>(k);
        for (std::size_t a = 0; a < order_.size();) {
            std::size_t b = a + 1;
            while (b < order_.size() && delta_[order_[b]] == delta_[order_[a]])
                ++b;
            if (b - a > 1) ties_.emplace_back(a, b);
            a = b;
        }
        distance_.resize(delta_.size());
        fitted_.resize(delta_.size());
        sums_.resize(delta_.size());
        counts_.resize(delta_.size());
    }

    std::size_t pairs() const { return delta_.size(); }
    std::uint32_t first(std::size_t k) const { return first_[k]; }
    std::uint32_t second(std::size_t k) const { return second_[k]; }
    double delta(std::size_t k) const { return delta_[k]; }
    std::vector<double>& distance() { return distance_; }
    const std::vector<double>& fitted() const { return fitted_; }

    // The configuration's distances; returns the sum of their squares.
    double measure(const std::vector<double>& x, const std::vector<double>& y) {
        double total = 0.0;
        for (std::size_t k = 0; k < distance_.size(); ++k) {
            const double dx = x[first_[k]] - x[second_[k]], dy = y[first_[k]] - y[second_[k]];
            const double squared = dx * dx + dy * dy;
            total += squared;
            distance_[k] = std::sqrt(squared);
        }
        total_ = total;
        return total;
    }

    // d̂: the least-squares non-decreasing fit of the distances taken in
    // the dissimilarities' order (pool adjacent violators; Kruskal 1964b),
    // ties ordered by distance first. Returns stress-1.
    double fit() {
        // Insertion sort: the runs are short, and in the order of the
        // step before they are nearly sorted already.
        for (const auto& [a, b] : ties_)
            for (std::size_t i = a + 1; i < b; ++i) {
                const std::uint32_t moving = order_[i];
                std::size_t j = i;
                for (; j > a && distance_[order_[j - 1]] > distance_[moving]; --j)
                    order_[j] = order_[j - 1];
                order_[j] = moving;
            }
        // Blocks of (sum, count), merged while the one before has the
        // larger mean; then each block's mean is d̂ of its pairs.
        double* sums = sums_.data();
        double* counts = counts_.data();
        const double* distance = distance_.data();
        const std::uint32_t* order = order_.data();
        const std::size_t pairs = order_.size();
        std::size_t top = 0;
        for (std::size_t at = 0; at < pairs; ++at) {
            double sum = distance[order[at]], count = 1.0;
            while (top > 0 && sums[top - 1] * count > sum * counts[top - 1]) {
                --top;
                sum += sums[top];
                count += counts[top];
            }
            sums[top] = sum;
            counts[top] = count;
            ++top;
        }
        double residual = 0.0;
        double* fitted = fitted_.data();
        std::size_t at = 0;
        for (std::size_t block = 0; block < top; ++block) {
            const double mean = sums[block] / counts[block];
            const auto end = at + static_cast<std::size_t>(counts[block]);
            for (; at < end; ++at) {
                const std::uint32_t k = order[at];
                fitted[k] = mean;
                const double r = distance[k] - mean;
                residual += r * r;
            }
        }
        const double total = total_;
        return total > 0.0 ? std::sqrt(residual / total) : 0.0;
    }

  private:
    std::vector<std::uint32_t> first_, second_, order_;
    std::vector<double> delta_, distance_, fitted_, sums_, counts_;
    double total_ = 0.0; // sum of the squared distances
    std::vector<std::pair<std::size_t, std::size_t>> ties_;
};

// Scales the configuration so that the sum of its squared distances,
// `squares` now, becomes `target` (the distances are left as they were:
// stress and Guttman's weights d̂/d do not depend on the scale); false for
// a configuration of one point.
bool rescale(std::vector<double>& x, std::vector<double>& y, double squares, double target) {
    if (!(squares > 0.0)) return false;
    const double s = std::sqrt(target / squares);
    for (auto& v : x)
        v *= s;
    for (auto& v : y)
        v *= s;
    return true;
}

constexpr double kStartTolerance = 1e-7;
constexpr double kFinalTolerance = 1e-11;

struct Refined {
    double stress = std::numeric_limits<double>::max();
    std::vector<double> x, y;
};

// One start refined: the configuration scaled to a fixed size, d̂ by
// monotone regression, then Guttman's transform G = (1/n) B(X) X, B_ij =
// -d̂_ij / d_ij off the diagonal, B_ii = -sum_j B_ij (de Leeuw 1977), taken
// with the relaxed step X <- 2G - X (de Leeuw and Heiser 1980), until
// stress-1 changes by less than `tolerance`.
Refined refine(MonotoneFit& fit, std::vector<double> x, std::vector<double> y, double tolerance) {
    const std::size_t n = x.size();
    const double size = static_cast<double>(fit.pairs());
    const double inverse = 1.0 / static_cast<double>(n);
    Refined out;
    std::vector<double> gx(n), gy(n);
    double previous = std::numeric_limits<double>::max();
    bool relaxed = false;
    for (int iteration = 0; iteration < kNmdsIterations; ++iteration) {
        const double squares = fit.measure(x, y);
        const double stress = fit.fit();
        if (!rescale(x, y, squares, size)) break;
        if (relaxed && stress > previous) {
            // The relaxed step went too far: the plain one instead.
            x = gx;
            y = gy;
            relaxed = false;
            continue;
        }
        out.stress = stress;
        out.x = x;
        out.y = y;
        if (std::abs(previous - stress) < tolerance) break;
        previous = stress;
        std::fill(gx.begin(), gx.end(), 0.0);
        std::fill(gy.begin(), gy.end(), 0.0);
        const auto& d = fit.distance();
        const auto& dhat = fit.fitted();
        for (std::size_t k = 0; k < fit.pairs(); ++k) {
            if (!(d[k] > 0.0)) continue;
            const std::uint32_t i = fit.first(k), j = fit.second(k);
            const double b = dhat[k] / d[k];
            const double bx = b * (x[i] - x[j]), by = b * (y[i] - y[j]);
            gx[i] += bx;
            gy[i] += by;
            gx[j] -= bx;
            gy[j] -= by;
        }
        for (std::size_t i = 0; i < n; ++i) {
            gx[i] *= inverse;
            gy[i] *= inverse;
            x[i] = 2.0 * gx[i] - x[i];
            y[i] = 2.0 * gy[i] - y[i];
        }
        relaxed = true;
    }
    return out;
}

// The configuration centred and turned to its principal axes (the
// eigenvectors of its 2 x 2 scatter, in closed form), each axis' largest
// coordinate positive.
void principalAxes(std::vector<double>& x, std::vector<double>& y) {
    const std::size_t n = x.size();
    double mx = 0.0, my = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        mx += x[i];
        my += y[i];
    }
    mx /= static_cast<double>(n);
    my /= static_cast<double>(n);
    double a = 0.0, b = 0.0, c = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        x[i] -= mx;
        y[i] -= my;
        a += x[i] * x[i];
        b += x[i] * y[i];
        c += y[i] * y[i];
    }
    double ux = 1.0, uy = 0.0;
    if (b != 0.0) {
        const double half = 0.5 * (a - c);
        const double top = 0.5 * (a + c) + norm2(half, b);
        const double length = norm2(top - c, b);
        ux = (top - c) / length;
        uy = b / length;
    } else if (c > a) {
        ux = 0.0;
        uy = 1.0;
    }
    for (std::size_t i = 0; i < n; ++i) {
        const double p = x[i] * ux + y[i] * uy;
        const double q = -x[i] * uy + y[i] * ux;
        x[i] = p;
        y[i] = q;
    }
    for (auto* axis : {&x, &y}) {
        std::size_t largest = 0;
        for (std::size_t i = 1; i < n; ++i)
            if (std::abs((*axis)[i]) > std::abs((*axis)[largest])) largest = i;
        if ((*axis)[largest] < 0.0)
            for (auto& v : *axis)
                v = -v;
    }
}

} // namespace

double stress1(const DistanceMatrix& dissimilarity, const std::vector<double>& x, const std::vector<double>& y) {
    MonotoneFit fit(dissimilarity);
    fit.measure(x, y);
    return fit.fit();
}

NmdsOutcome nonmetricScaling(const DistanceMatrix& d, const Pcoa& start, std::uint64_t seed) {
    NmdsOutcome out;
    const std::size_t n = d.n;
    if (n < 3) {
        out.gap = NmdsGap::TooFewSamples;
        return out;
    }
    MonotoneFit fit(d);
    double deltaSquares = 0.0;
    for (std::size_t k = 0; k < fit.pairs(); ++k)
        deltaSquares += fit.delta(k) * fit.delta(k);
    if (!(deltaSquares > 0.0)) {
        out.gap = NmdsGap::NoDissimilarity;
        return out;
    }
    // The starts, drawn in order from the seed: the PCoA (an axis of it
    // that does not vary drawn at random, since a line stays a line), then
    // random configurations.
    LabelShuffler random(seed);
    std::vector<std::pair<std::vector<double>, std::vector<double>>> starts(kNmdsStarts);
    for (std::size_t s = 0; s < starts.size(); ++s) {
        auto& [x, y] = starts[s];
        x.assign(n, 0.0);
        y.assign(n, 0.0);
        if (s == 0 && start.axis1.size() == n && start.axis2.size() == n) {
            x = start.axis1;
            y = start.axis2;
        }
        for (auto* axis : {&x, &y}) {
            const bool constant = std::all_of(axis->begin(), axis->end(), [&](double v) { return v == axis->front(); });
            if (s > 0 || constant)
                for (auto& v : *axis)
                    v = random.uniform() - 0.5;
        }
    }
    // Refined apart, on as many threads as the machine offers (up to 4);
    // the best is the first of the lowest stress, whatever the threads.
    std::vector<Refined> refined(starts.size());
    const auto work = [&](std::size_t worker, std::size_t workers, MonotoneFit local) {
        for (std::size_t s = worker; s < starts.size(); s += workers)
            refined[s] = refine(local, starts[s].first, starts[s].second, kStartTolerance);
    };
#ifdef __EMSCRIPTEN__
    work(0, 1, fit);
#else
    const std::size_t workers = std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, 4);
    std::vector<std::thread> threads;
    std::vector<std::exception_ptr> failures(workers);
    for (std::size_t w = 1; w < workers; ++w)
        threads.emplace_back([&, w] {
            try {
                work(w, workers, fit);
            } catch (...) {
                failures[w] = std::current_exception();
            }
        });
    try {
        work(0, workers, fit);
    } catch (...) {
        failures[0] = std::current_exception();
    }
    for (auto& t : threads)
        t.join();
    for (const auto& failure : failures)
        if (failure) std::rethrow_exception(failure);
#endif
    Refined best;
    for (auto& r : refined)
        if (r.stress < best.stress) best = std::move(r);
    // The best start taken on to a finer tolerance: the majorization
    // creeps near a minimum, where steps of less than 1e-7 still add up.
    auto polished = refine(fit, best.x, best.y, kFinalTolerance);
    if (polished.stress < best.stress) best = std::move(polished);
    Nmds result;
    result.starts = kNmdsStarts;
    result.axis1 = std::move(best.x);
    result.axis2 = std::move(best.y);
    principalAxes(result.axis1, result.axis2);
    // The size of the dissimilarities: the same sum of squares.
    rescale(result.axis1, result.axis2, fit.measure(result.axis1, result.axis2), deltaSquares);
    result.stress = stress1(d, result.axis1, result.axis2);
    out.result = std::move(result);
    return out;
}

std::string stressReading(double stress) {
    if (stress < 0.05) return "excelente";
    if (stress < 0.1) return "boa";
    if (stress < 0.2) return "utilizável";
    return "Aviso: stress de 0.2 ou mais, a ordenação representa mal as dissimilaridades";
}

} // namespace zav::communities
