#include "comparison/statistics.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace zav {
namespace {

// The continued fraction of I_x(a, b) / (x^a (1-x)^b / (a B(a, b))):
// 1 / (1 + d1 / (1 + d2 / (1 + ...))), with
//   d(2m+1) = -(a + m)(a + b + m) x / ((a + 2m)(a + 2m + 1)),
//   d(2m)   = m (b - m) x / ((a + 2m - 1)(a + 2m)),
// by the modified Lentz method: each partial denominator is 1 and a
// vanishing intermediate is replaced by a tiny number.
double betaContinuedFraction(double a, double b, double x) {
    constexpr double kTiny = 1e-300;
    constexpr double kEpsilon = 1e-15;
    constexpr int kMaxTerms = 100000;
    auto guarded = [](double v) { return std::fabs(v) < kTiny ? kTiny : v; };
    // After the first level, 1 / 1: the value 1, Lentz's C as large as it
    // gets and D = 1.
    double c = 1.0 / kTiny;
    double d = 1.0;
    double f = 1.0;
    for (int k = 1; k <= kMaxTerms; ++k) {
        const double m = static_cast<double>(k / 2);
        const double term = (k % 2 == 1) ? -(a + m) * (a + b + m) * x / ((a + 2 * m) * (a + 2 * m + 1))
                                         : m * (b - m) * x / ((a + 2 * m - 1) * (a + 2 * m));
        d = 1.0 / guarded(1.0 + term * d);
        c = guarded(1.0 + term / c);
        const double delta = c * d;
        f *= delta;
        if (std::fabs(delta - 1.0) < kEpsilon) break;
    }
    return f;
}

// ln Gamma(x) - ((x - 1/2) ln x - x + ln(2 pi) / 2) for x >= 10: Stirling's
// series to the x^-7 term (Abramowitz and Stegun 6.1.41), error below 1e-12.
double stirlingRemainder(double x) {
    const double x2 = x * x;
    return (1.0 / 12.0 - (1.0 / 360.0 - (1.0 / 1260.0 - 1.0 / (1680.0 * x2)) / x2) / x2) / x;
}

// ln B(a, b). With a large argument ln Gamma(a + b) - ln Gamma(a) is taken
// from Stirling's series, not as the difference of two large numbers
// (lgamma(5e8) is about 1e10, and the difference would keep only six
// digits).
double logBeta(double a, double b) {
    const double big = std::max(a, b);
    const double small = std::min(a, b);
    if (big < 10.0) return std::lgamma(a) + std::lgamma(b) - std::lgamma(a + b);
    const double logRatio = (big - 0.5) * std::log1p(small / big) + small * std::log(big + small) - small +
                            stirlingRemainder(big + small) - stirlingRemainder(big);
    return std::lgamma(small) - logRatio;
}

} // namespace

double regularizedIncompleteBeta(double a, double b, double x) {
    if (x <= 0.0) return 0.0;
    if (x >= 1.0) return 1.0;
    const double logFront = a * std::log(x) + b * std::log1p(-x) - logBeta(a, b);
    if (x < (a + 1.0) / (a + b + 2.0)) return std::exp(logFront) * betaContinuedFraction(a, b, x) / a;
    return 1.0 - std::exp(logFront) * betaContinuedFraction(b, a, 1.0 - x) / b;
}

double studentTwoSidedP(double t, double df) { return regularizedIncompleteBeta(df / 2.0, 0.5, df / (df + t * t)); }

std::vector<std::optional<double>> holmAdjusted(const std::vector<std::optional<double>>& p) {
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < p.size(); ++i)
        if (p[i]) order.push_back(i);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t l, std::size_t r) { return *p[l] < *p[r]; });
    std::vector<std::optional<double>> adjusted(p.size());
    const std::size_t m = order.size();
    double running = 0.0;
    for (std::size_t k = 0; k < m; ++k) {
        const double scaled = std::min(1.0, static_cast<double>(m - k) * *p[order[k]]);
        running = std::max(running, scaled);
        adjusted[order[k]] = running;
    }
    return adjusted;
}

} // namespace zav
