#include "diversity/portable_math.h"

#include <cmath>
#include <limits>

namespace zav::diversity::pm {
namespace {

// ln 2 in two parts, the first with its 32 low bits zero so that k times it
// is exact for |k| < 2^20 (Cody and Waite 1980).
constexpr double kLn2High = 6.93147180369123816490e-01;
constexpr double kLn2Low = 1.90821492927058770002e-10;
constexpr double kInverseLn2 = 1.44269504088896338700e+00;
constexpr double kHalfLog2Pi = 0.91893853320467274178; // ln(2 pi) / 2
constexpr double kLog2Pi = 1.83787706640934548356;     // ln(2 pi)

// e^r - 1 for |r| <= 0.35 by its Taylor series to r^15 / 15! (the first
// omitted term is below 4e-20 of the result).
double taylorExpm1(double r) {
    double p = 1.0 / 1307674368000.0; // 1/15!
    constexpr double inverseFactorials[] = {1.0 / 87178291200.0,
                                            1.0 / 6227020800.0,
                                            1.0 / 479001600.0,
                                            1.0 / 39916800.0,
                                            1.0 / 3628800.0,
                                            1.0 / 362880.0,
                                            1.0 / 40320.0,
                                            1.0 / 5040.0,
                                            1.0 / 720.0,
                                            1.0 / 120.0,
                                            1.0 / 24.0,
                                            1.0 / 6.0,
                                            0.5,
                                            1.0};
    for (const double c : inverseFactorials)
        p = p * r + c;
    return p * r;
}

} // namespace

// x = k ln 2 + r, |r| <= ln 2 / 2, e^x = 2^k (1 + expm1(r)).
double exp(double x) {
    if (std::isnan(x)) return x;
    if (x > 709.782712893384) return std::numeric_limits<double>::infinity();
    if (x < -745.2) return 0.0;
    const double k = std::floor(x * kInverseLn2 + 0.5);
    const double r = (x - k * kLn2High) - k * kLn2Low;
    return std::ldexp(1.0 + taylorExpm1(r), static_cast<int>(k));
}

double expm1(double x) {
    if (std::abs(x) <= 0.34) return taylorExpm1(x);
    if (x < -40.0) return -1.0;
    return exp(x) - 1.0;
}

// x = 2^k (1 + f), sqrt(1/2) <= 1 + f < sqrt(2); with s = f / (2 + f),
// ln(1 + f) = 2 atanh s = 2s + s R, R = 2 (s^2/3 + s^4/5 + ...), written
// f - (f^2/2 - s (f^2/2 + R)) so that the large part f is added last.
double log(double x) {
    if (std::isnan(x) || x < 0.0) return std::numeric_limits<double>::quiet_NaN();
    if (x == 0.0) return -std::numeric_limits<double>::infinity();
    if (std::isinf(x)) return x;
    int e = 0;
    double m = std::frexp(x, &e); // [0.5, 1), exact
    if (m < 0.70710678118654752440) {
        m *= 2.0;
        --e;
    }
    const double k = e;
    const double f = m - 1.0; // exact (Sterbenz)
    const double s = f / (2.0 + f);
    const double z = s * s;
    // s <= 0.1716, z <= 0.0295: 12 terms leave less than 1e-19.
    constexpr double kTerms[] = {2.0 / 23.0, 2.0 / 21.0, 2.0 / 19.0, 2.0 / 17.0, 2.0 / 15.0, 2.0 / 13.0,
                                 2.0 / 11.0, 2.0 / 9.0,  2.0 / 7.0,  2.0 / 5.0,  2.0 / 3.0};
    double series = 2.0 / 25.0;
    for (const double term : kTerms)
        series = series * z + term;
    const double rest = z * series;
    const double halfSquare = 0.5 * f * f;
    return k * kLn2High + (f - (halfSquare - (s * (halfSquare + rest) + k * kLn2Low)));
}

// ln(1 + x) = ln u * x / (u - 1) with u = 1 + x rounded (Goldberg 1991,
// Theorem 4): the quotient corrects the rounding of u.
double log1p(double x) {
    const double u = 1.0 + x;
    if (u == 1.0) return x;
    if (std::isinf(u)) return u;
    return log(u) * (x / (u - 1.0));
}

double pow(double x, double y) {
    if (y == 0.0) return 1.0;
    if (x == 0.0) return y > 0.0 ? 0.0 : std::numeric_limits<double>::infinity();
    if (x == 1.0) return 1.0;
    return exp(y * log(x));
}

// ln k!: the exact product below 21 (exact up to 18!, one rounding each for
// 19! and 20!), then Stirling's series for ln Gamma(z), z = k + 1 >= 21:
// (z - 1/2) ln z - z + ln(2 pi)/2 + 1/(12z) - 1/(360z^3) + 1/(1260z^5)
// - 1/(1680z^7), whose first omitted term 1/(1188 z^9) is below 1.3e-15,
// under 3e-17 of the value.
double logFactorial(double k) {
    if (k < 2.0) return 0.0;
    if (k <= 20.0) {
        double product = 1.0;
        for (double i = 2.0; i <= k; ++i)
            product *= i;
        return log(product);
    }
    const double z = k + 1.0;
    const double r = 1.0 / z, r2 = r * r;
    const double series = r * (1.0 / 12.0 - r2 * (1.0 / 360.0 - r2 * (1.0 / 1260.0 - r2 * (1.0 / 1680.0))));
    return (z - 0.5) * log(z) - z + kHalfLog2Pi + series;
}

// Loader's (2000) saddle-point form of the binomial probabilities, from
// which the hypergeometric one is a quotient (Loader 2000, section 3): every
// term is small where the probability is near 1, so nothing cancels.
// stirlerr(k) = ln k! - (k + 1/2) ln k + k - ln(2 pi)/2 at whole k >= 1:
// the values to 15 (computed to 50 digits), then the series in 1/k
// 1/12 - 1/(360 k^2) + 1/(1260 k^4) - 1/(1680 k^6) + 1/(1188 k^8), its
// first omitted term below 2e-16 at k = 16.
double stirlingError(double k) {
    constexpr double kSmall[] = {8.10614667953272611e-02, 4.13406959554092970e-02, 2.76779256849983384e-02,
                                 2.07906721037650934e-02, 1.66446911898211931e-02, 1.38761288230707484e-02,
                                 1.18967099458917695e-02, 1.04112652619720962e-02, 9.25546218271273285e-03,
                                 8.33056343336287079e-03, 7.57367548795184059e-03, 6.94284010720952992e-03,
                                 6.40899418800420714e-03, 5.95137011275884750e-03, 5.55473355196280105e-03};
    if (k <= 15.0) return k >= 1.0 ? kSmall[static_cast<std::size_t>(k) - 1] : 0.0;
    const double r = 1.0 / k, r2 = r * r;
    return r * (1.0 / 12.0 - r2 * (1.0 / 360.0 - r2 * (1.0 / 1260.0 - r2 * (1.0 / 1680.0 - r2 / 1188.0))));
}

// bd0(k, M) = k ln(k/M) + M - k, near k = M by the series in v = (k-M)/(k+M):
// (k - M) v + 2k (v^3/3 + v^5/5 + ...).
double deviance(double k, double M) {
    if (std::abs(k - M) < 0.1 * (k + M)) {
        const double v = (k - M) / (k + M), v2 = v * v;
        double sum = (k - M) * v, term = 2.0 * k * v;
        for (int j = 1; j < 1000; ++j) {
            term *= v2;
            const double next = sum + term / (2 * j + 1);
            if (next == sum) break;
            sum = next;
        }
        return sum;
    }
    return k * log(k / M) + M - k;
}

// ln of the Binomial(size, p) probability of k, q = 1 - p given apart.
double logBinomial(double k, double size, double p, double q) {
    if (k == 0.0) return size * (p < 0.5 ? log1p(-p) : log(q));
    if (k == size) return size * (q < 0.5 ? log1p(-q) : log(p));
    return stirlingError(size) - stirlingError(k) - stirlingError(size - k) - deviance(k, size * p) -
           deviance(size - k, size * q) - 0.5 * (kLog2Pi + log(k) + log1p(-k / size));
}

} // namespace zav::diversity::pm
