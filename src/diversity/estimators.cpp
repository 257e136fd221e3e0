#include "diversity/estimators.h"

#include "diversity/portable_math.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace zav::diversity {
namespace {

double d(std::int64_t v) { return static_cast<double>(v); }

// The log-normal interval of Chao (1987) around S + t.
void logNormalInterval(RichnessEstimate& r, double observed, double variance) {
    const double t = *r.estimate - observed;
    if (t <= 0.0) {
        r.lower = observed;
        r.upper = observed;
        return;
    }
    const double k = pm::exp(kNormal975 * std::sqrt(pm::log1p(variance / (t * t))));
    r.lower = observed + t / k;
    r.upper = observed + t * k;
}

void setStandardError(RichnessEstimate& r, double variance) {
    if (variance >= 0.0 && std::isfinite(variance))
        r.standardError = std::sqrt(variance);
    else
        r.missing = "variância negativa";
}

// e^z E1(z) for z > 0: the power series below 1, Lentz's continued
// fraction above (Abramowitz and Stegun 5.1.11, 5.1.22).
double scaledExponentialIntegral(double z) {
    if (z <= 1.0) {
        double sum = 0.0;
        double term = 1.0;
        for (int k = 1; k < 60; ++k) {
            term *= -z / k;
            sum -= term / k;
        }
        return pm::exp(z) * (-0.57721566490153286061 - pm::log(z) + sum);
    }
    const double tiny = 1e-300;
    double b = z + 1.0;
    double c = 1.0 / tiny;
    double dd = 1.0 / b;
    double h = dd;
    for (int i = 1; i < 1000; ++i) {
        const double a = -static_cast<double>(i) * i;
        b += 2.0;
        dd = 1.0 / (a * dd + b);
        c = b + a / c;
        const double delta = c * dd;
        h *= delta;
        if (std::abs(delta - 1.0) < 1e-16) break;
    }
    return h;
}

} // namespace

// ---- Coverage -----------------------------------------------------------

double undetectedSpecies(double n, double f1, double f2) {
    return f2 > 0.0 ? (n - 1.0) / n * f1 * f1 / (2.0 * f2) : (n - 1.0) / n * f1 * (f1 - 1.0) / 2.0;
}

double coverageFactor(double n, double f1, double f2) {
    if (f1 <= 0.0) return 1.0;
    const double nf0 = n * undetectedSpecies(n, f1, f2);
    return nf0 / (nf0 + f1);
}

double sampleCoverage(const FrequencyTable& x) {
    const double n = d(x.total), f1 = d(x.f(1));
    return 1.0 - f1 / n * coverageFactor(n, f1, d(x.f(2)));
}

// ---- Richness -------------------------------------------------------------

RichnessEstimate chaoRichness(const FrequencyTable& x, double n) {
    RichnessEstimate r;
    const double s = d(x.species), f1 = d(x.f(1)), f2 = d(x.f(2));
    const double k = (n - 1.0) / n;
    if (f1 > 0.0 && f2 > 0.0) {
        r.variant = "f2 > 0: forma clássica";
        r.estimate = s + k * f1 * f1 / (2.0 * f2);
        const double ratio = f1 / f2;
        const double variance = f2 * (k * ratio * ratio / 2.0 + k * k * ratio * ratio * ratio +
                                      k * k * ratio * ratio * ratio * ratio / 4.0);
        setStandardError(r, variance);
        if (r.standardError) logNormalInterval(r, s, variance);
    } else if (f1 > 1.0 && f2 == 0.0) {
        r.variant = "f2 = 0: forma corrigida";
        r.estimate = s + k * f1 * (f1 - 1.0) / 2.0;
        const double variance = k * f1 * (f1 - 1.0) / 2.0 + k * k * f1 * (2.0 * f1 - 1.0) * (2.0 * f1 - 1.0) / 4.0 -
                                k * k * f1 * f1 * f1 * f1 / 4.0 / *r.estimate;
        setStandardError(r, variance);
        if (r.standardError) logNormalInterval(r, s, variance);
    } else {
        r.variant = f1 == 0.0 ? "f1 = 0: S observado" : "f1 = 1 e f2 = 0: S observado";
        r.estimate = s;
        double sumE = 0.0, sumKE = 0.0, sumE2 = 0.0;
        for (const auto& [value, count] : x.classes) {
            const double e = pm::exp(-d(value));
            sumE += d(count) * e;
            sumE2 += d(count) * (e - e * e);
            sumKE += d(value) * e * d(count);
        }
        const double variance = sumE2 - sumKE * sumKE / n;
        setStandardError(r, variance);
        if (r.standardError) {
            const double p = sumE / s;
            const double half = kNormal975 * *r.standardError / (1.0 - p);
            r.lower = std::max(s, s / (1.0 - p) - half);
            r.upper = s / (1.0 - p) + half;
        }
    }
    return r;
}

RichnessEstimate chao1BiasCorrected(const FrequencyTable& x) {
    RichnessEstimate r;
    const double s = d(x.species), a1 = d(x.f(1)), a2 = d(x.f(2));
    const double est = s + a1 * (a1 - 1.0) / (a2 + 1.0) / 2.0;
    r.estimate = est;
    // vegan's variance of the bias-corrected form, written as a polynomial
    // in f1 and f2 over 4 (f2+1)^4.
    const double poly = -1.0 - 4.0 * a2 - 5.0 * a2 * a2 - 2.0 * a2 * a2 * a2 +
                        a1 * (-2.0 - a2 + 2.0 * a2 * a2 + 2.0 * a2 * a2 * a2) +
                        a1 * a1 * (4.0 + 6.0 * a2 + 4.0 * a2 * a2) + a1 * a1 * a1 * a2;
    const double q = 4.0 * (a2 + 1.0) * (a2 + 1.0) * (a2 + 1.0) * (a2 + 1.0);
    const double variance = a1 * poly / q - a1 * a1 * (a1 + a2) * (a1 + a2) / q / est;
    setStandardError(r, variance);
    return r;
}

RichnessEstimate ace(const FrequencyTable& x) {
    RichnessEstimate r;
    constexpr int kRare = 10;
    std::array<double, kRare + 1> a{};
    double sRare = 0.0, nRare = 0.0, sum2 = 0.0, sAbund = 0.0;
    for (const auto& [value, count] : x.classes) {
        if (value > kRare) {
            sAbund += d(count);
            continue;
        }
        a[static_cast<std::size_t>(value)] = d(count);
        sRare += d(count);
        nRare += d(value * count);
        sum2 += d(value) * d(value - 1) * d(count);
    }
    if (sRare == 0.0) {
        r.missing = "nenhuma espécie rara (até 10 indivíduos)";
        return r;
    }
    const double coverage = 1.0 - a[1] / nRare;
    if (coverage <= 0.0 || nRare < 2.0) {
        r.missing = "todas as espécies raras são singletons";
        return r;
    }
    const double gamma = sRare * sum2 / (coverage * nRare * (nRare - 1.0)) - 1.0;
    const double est = sAbund + sRare / coverage + std::max(gamma, 0.0) * a[1] / coverage;
    r.estimate = est;
    r.variant = "limiar de raras: 10 indivíduos";

    // vegan's delta-method error: the gradient of (S_rare + f1 G)/C' with
    // respect to f_1..f_10, where vegan writes C' = 1 - f1/(1 - N_rare) and
    // G without the bound at 0; var = sum g_k^2 f_k - (sum g_k f_k)^2 / ACE.
    const double cP = 1.0 - a[1] / (1.0 - nRare);
    const double den = cP * nRare * (nRare - 1.0);
    const double g = sRare * sum2 / den - 1.0;
    const double top = sRare + a[1] * g;
    double sumG2A = 0.0, sumGA = 0.0;
    for (int k = 1; k <= kRare; ++k) {
        const double kk = k;
        const double dC = -((k == 1 ? 1.0 / (1.0 - nRare) : 0.0) + a[1] * kk / ((1.0 - nRare) * (1.0 - nRare)));
        const double dDen = dC * nRare * (nRare - 1.0) + cP * kk * (2.0 * nRare - 1.0);
        const double dG = ((sum2 + sRare * kk * (kk - 1.0)) * den - sRare * sum2 * dDen) / (den * den);
        const double dTop = 1.0 + (k == 1 ? g : 0.0) + a[1] * dG;
        const double grad = (dTop * cP - top * dC) / (cP * cP);
        sumG2A += grad * grad * a[static_cast<std::size_t>(k)];
        sumGA += grad * a[static_cast<std::size_t>(k)];
    }
    setStandardError(r, sumG2A - sumGA * sumGA / est);
    return r;
}

RichnessEstimate ice(const FrequencyTable& y, double t) {
    RichnessEstimate r;
    constexpr std::int64_t kInfrequent = 10;
    const double q1 = d(y.f(1)), q2 = d(y.f(2));
    double sInfr = 0.0, nInfr = 0.0, sum2 = 0.0, sFreq = 0.0;
    for (const auto& [value, count] : y.classes) {
        if (value > kInfrequent) {
            sFreq += d(count);
            continue;
        }
        sInfr += d(count);
        nInfr += d(value * count);
        sum2 += d(value) * d(value - 1) * d(count);
    }
    if (sInfr == 0.0) {
        r.missing = "nenhuma espécie infrequente (até 10 coletas)";
        return r;
    }
    if (t < 2.0) {
        r.missing = "exige pelo menos 2 coletas";
        return r;
    }
    double a = 1.0;
    if (q1 > 0.0 && q2 > 0.0)
        a = 2.0 * q2 / ((t - 1.0) * q1 + 2.0 * q2);
    else if (q1 > 0.0)
        a = 2.0 / ((t - 1.0) * (q1 - 1.0) + 2.0);
    const double coverage = 1.0 - q1 / nInfr * (1.0 - a);
    if (coverage <= 0.0 || nInfr < 2.0) {
        r.missing = "cobertura das infrequentes nula";
        return r;
    }
    const double gamma = std::max(sInfr / coverage * t / (t - 1.0) * sum2 / nInfr / (nInfr - 1.0) - 1.0, 0.0);
    r.estimate = sFreq + sInfr / coverage + q1 / coverage * gamma;
    r.variant = "limiar 10; T no fator T/(T-1)";
    return r;
}

RichnessEstimate jackknife1(const FrequencyTable& y, double t) {
    RichnessEstimate r;
    r.estimate = d(y.species) + d(y.f(1)) * (t - 1.0) / t;
    return r;
}

RichnessEstimate jackknife2(const FrequencyTable& y, double t) {
    RichnessEstimate r;
    const double s = d(y.species);
    r.estimate = t > 1.0 ? s + d(y.f(1)) * (2.0 * t - 3.0) / t - d(y.f(2)) * (t - 2.0) * (t - 2.0) / t / (t - 1.0) : s;
    return r;
}

RichnessEstimate bootstrapRichness(const FrequencyTable& y, double t) {
    RichnessEstimate r;
    double sum = 0.0;
    for (const auto& [value, count] : y.classes)
        sum += d(count) * pm::pow(1.0 - d(value) / t, t);
    r.estimate = d(y.species) + sum;
    return r;
}

// ---- Indices --------------------------------------------------------------

double shannon(const FrequencyTable& x) {
    const double n = d(x.total);
    double h = 0.0;
    for (const auto& [value, count] : x.classes) {
        const double p = d(value) / n;
        h -= d(count) * p * pm::log(p);
    }
    return h;
}

ShannonInterval shannonInterval(const FrequencyTable& x, bool hutchesonTerm) {
    const double n = d(x.total), h = shannon(x);
    double sumSquares = 0.0;
    for (const auto& [value, count] : x.classes) {
        const double p = d(value) / n, lp = pm::log(p);
        sumSquares += d(count) * p * lp * lp;
    }
    ShannonInterval out;
    // sum p (ln p)^2 >= H^2 (Jensen); rounding can give a hair below 0.
    out.variance = std::max(0.0, (sumSquares - h * h) / n);
    if (hutchesonTerm) out.variance += (d(x.species) - 1.0) / (2.0 * n * n);
    const double half = kNormal975 * std::sqrt(out.variance);
    out.lower = std::max(0.0, h - half);
    out.upper = h + half;
    return out;
}

double simpsonConcentration(const FrequencyTable& x) {
    const double n = d(x.total);
    double sum = 0.0;
    for (const auto& [value, count] : x.classes) {
        const double p = d(value) / n;
        sum += d(count) * p * p;
    }
    return sum;
}

double bergerParker(const FrequencyTable& x) { return d(x.largest()) / d(x.total); }

Value pielou(const FrequencyTable& x) {
    if (x.species < 2) return {std::nullopt, "exige pelo menos 2 espécies"};
    return {shannon(x) / pm::log(d(x.species)), {}};
}

Value margalef(const FrequencyTable& x) {
    if (x.total < 2) return {std::nullopt, "exige pelo menos 2 indivíduos"};
    return {(d(x.species) - 1.0) / pm::log(d(x.total)), {}};
}

double menhinick(const FrequencyTable& x) { return d(x.species) / std::sqrt(d(x.total)); }

double brillouin(const FrequencyTable& x) {
    double sum = 0.0;
    for (const auto& [value, count] : x.classes)
        sum += d(count) * pm::logFactorial(d(value));
    return (pm::logFactorial(d(x.total)) - sum) / d(x.total);
}

Value fisherAlpha(const FrequencyTable& x) {
    const double s = d(x.species), n = d(x.total);
    if (x.species >= x.total) return {std::nullopt, "indefinido quando S = n"};
    // alpha ln(1 + n/alpha) rises from 0 to n with alpha.
    const auto richness = [n](double alpha) { return alpha * pm::log1p(n / alpha); };
    double lo = 1.0, hi = 1.0;
    while (richness(lo) > s)
        lo /= 2.0;
    while (richness(hi) < s)
        hi *= 2.0;
    for (int i = 0; i < 2000; ++i) {
        const double mid = 0.5 * (lo + hi);
        if (mid <= lo || mid >= hi) break;
        (richness(mid) < s ? lo : hi) = mid;
    }
    return {std::abs(richness(lo) - s) <= std::abs(richness(hi) - s) ? lo : hi, {}};
}

// ---- Hill numbers ---------------------------------------------------------

double digamma(double x) {
    double result = 0.0;
    while (x < 6.0) {
        result -= 1.0 / x;
        x += 1.0;
    }
    const double r = 1.0 / x, r2 = r * r;
    return result + pm::log(x) - 0.5 * r -
           r2 * (1.0 / 12 - r2 * (1.0 / 120 - r2 * (1.0 / 252 - r2 * (1.0 / 240 - r2 * (1.0 / 132)))));
}

double tailSeries(double b, double a) {
    if (!(b > 0.0)) return 0.0;
    const double lambda = -pm::log(b);
    constexpr int kDirect = 10;
    // Up to a million terms the series is summed as it stands; beyond, the
    // first terms and Euler-Maclaurin for the rest, with the integral
    // e^(lambda a) E1(lambda (a + J)) of e^(-lambda x)/(a + x).
    if (lambda * 1e6 >= 40.0) {
        double sum = 0.0, power = 1.0;
        for (std::int64_t j = 1;; ++j) {
            power *= b;
            const double term = power / (a + static_cast<double>(j));
            sum += term;
            if (term <= sum * 1e-17) break;
        }
        return sum;
    }
    double sum = 0.0;
    double power = 1.0;
    for (int j = 1; j < kDirect; ++j) {
        power *= b;
        sum += power / (a + j);
    }
    const double u = a + kDirect;
    const double e = pm::exp(-lambda * kDirect);
    const double f = e / u;
    const double f1 = e * (-lambda / u - 1.0 / (u * u));
    const double f3 = e * (-lambda * lambda * lambda / u - 3.0 * lambda * lambda / (u * u) -
                           6.0 * lambda / (u * u * u) - 6.0 / (u * u * u * u));
    const double integral = e * scaledExponentialIntegral(lambda * u);
    return sum + integral + f / 2.0 - f1 / 12.0 + f3 / 720.0;
}

double chaoWangJostEntropy(const FrequencyTable& x) {
    const double n = d(x.total), f1 = d(x.f(1)), f2 = d(x.f(2));
    double h = 0.0;
    const double psiN = digamma(n);
    for (const auto& [value, count] : x.classes)
        if (value < x.total) h += d(count) * d(value) / n * (psiN - digamma(d(value)));
    double a = 1.0;
    if (f2 > 0.0)
        a = 2.0 * f2 / ((n - 1.0) * f1 + 2.0 * f2);
    else if (f1 > 0.0)
        a = 2.0 / ((n - 1.0) * (f1 - 1.0) + 2.0);
    if (f1 > 0.0 && a < 1.0) h += f1 / n * tailSeries(1.0 - a, n - 1.0);
    return h;
}

Value unbiasedSimpson(const FrequencyTable& x) {
    const double n = d(x.total);
    if (x.total < 2) return {std::nullopt, "exige pelo menos 2 indivíduos"};
    double sum = 0.0;
    for (const auto& [value, count] : x.classes)
        sum += d(count) * d(value) * d(value - 1) / (n * (n - 1.0));
    return {sum, {}};
}

} // namespace zav::diversity
