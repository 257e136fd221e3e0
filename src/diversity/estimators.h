#pragma once
// The estimators and indices of the diversity run, one function each. Every
// formula is written beside its function with its reference; X_i are the
// individuals of species i, n their sum, S the species, f_k the species with
// k individuals; for incidence, Y_i, T collections and Q_k.

#include "diversity/frequency_table.h"

#include <optional>
#include <string>

namespace zav::diversity {

// The 0.975 quantile of the standard normal, qnorm(0.975) =
// 1.95996398454005423552..., as the double nearest it (1.959963984540054 to
// 16 digits): every 95 % interval and band of the diversity run.
inline constexpr double kNormal975 = 1.9599639845400543;

// A richness estimate with its standard error and 95 % interval. `variant`
// names the form that applied (Portuguese, UTF-8); a missing number has its
// reason in `missing`.
struct RichnessEstimate {
    std::optional<double> estimate;
    std::optional<double> standardError;
    std::optional<double> lower;
    std::optional<double> upper;
    std::string variant;
    std::string missing;
};

// A number, or the reason it cannot be computed (Portuguese, UTF-8).
struct Value {
    std::optional<double> number;
    std::string missing;
};

// ---- Sample coverage and Chao's undetected-species terms --------------

// f0 = (n-1)/n f1^2 / (2 f2), or (n-1)/n f1 (f1-1) / 2 when f2 = 0
// (Chao 1984; Chao et al. 2014, as iNEXT).
double undetectedSpecies(double n, double f1, double f2);

// The factor of the coverage deficit, A = n f0 / (n f0 + f1), 1 when
// f1 = 0: (n-1) f1 / ((n-1) f1 + 2 f2) when f2 > 0 (Chao and Jost 2012).
double coverageFactor(double n, double f1, double f2);

// Sample coverage C = 1 - f1/n A (Chao and Jost 2012, as iNEXT).
double sampleCoverage(const FrequencyTable& x);

// ---- Richness -------------------------------------------------------

// Chao1 as iNEXT and SpadeR (Chao 1984, 1987): S + (n-1)/n f1^2/(2 f2), or
// S + (n-1)/n f1 (f1-1)/2 when f2 = 0 and f1 > 1, with Chao's (1987)
// variance and the log-normal interval S + t/K, S + t K, t = est - S,
// K = exp(z sqrt(ln(1 + var/t^2))). When f1 = 0, or f1 = 1 and f2 = 0, the
// estimate is S with var = sum f_k (e^-k - e^-2k) - (sum k e^-k f_k)^2/n and
// the interval of iNEXT, with P = sum f_k e^-k / S:
// [max(S, S/(1-P) - z sqrt(var)/(1-P)), S/(1-P) + z sqrt(var)/(1-P)].
// With incidence frequencies and n = T it is Chao2 (Chao 1987, as iNEXT).
RichnessEstimate chaoRichness(const FrequencyTable& x, double n);

// Bias-corrected Chao1 as vegan's estimateR: S + f1 (f1-1) / (2 (f2+1)),
// with vegan's standard error (Chao 1987; Oksanen et al., vegan 2.6).
RichnessEstimate chao1BiasCorrected(const FrequencyTable& x);

// ACE with rare threshold 10 (Chao and Lee 1992; O'Hara 2005), as vegan's
// estimateR: C = 1 - f1/N_rare, g2 = max(S_rare sum_{k<=10} k(k-1) f_k /
// (C N_rare (N_rare-1)) - 1, 0), ACE = S_abund + S_rare/C + f1 g2 / C; its
// standard error by vegan's delta method.
RichnessEstimate ace(const FrequencyTable& x);

// ICE with threshold 10 from incidence frequencies, as SpadeR (Lee and Chao
// 1994; Chao and Chiu 2016): C = 1 - Q1/N_infr (1 - A), A = 2 Q2 / ((T-1) Q1
// + 2 Q2) (2 / ((T-1)(Q1-1) + 2) when Q2 = 0, 1 when Q1 = 0),
// g2 = max(S_infr/C T/(T-1) sum k(k-1)Q_k / (N_infr (N_infr-1)) - 1, 0),
// ICE = S_freq + S_infr/C + Q1 g2 / C. T stands in for the number of
// collections that hold an infrequent species.
RichnessEstimate ice(const FrequencyTable& y, double collections);

// Jackknife, first order: S + Q1 (T-1)/T (Burnham and Overton 1978; vegan
// specpool).
RichnessEstimate jackknife1(const FrequencyTable& y, double collections);
// Jackknife, second order: S + Q1 (2T-3)/T - Q2 (T-2)^2 / (T (T-1)); S when
// T = 1 (Smith and van Belle 1984; vegan specpool).
RichnessEstimate jackknife2(const FrequencyTable& y, double collections);
// Bootstrap: S + sum (1 - Y_i/T)^T (Smith and van Belle 1984; vegan specpool).
RichnessEstimate bootstrapRichness(const FrequencyTable& y, double collections);

// ---- Indices over all species -----------------------------------------

// Shannon H = -sum p_i ln p_i, p_i = X_i/n (Shannon 1948).
double shannon(const FrequencyTable& x);
// The 95 % interval of H from its variance, H -/+ z sqrt(var), the lower
// limit at least 0. Hutcheson (1970): var = (sum p (ln p)^2 - H^2)/n +
// (S - 1)/(2 n^2); Zar (2010, Biostatistical Analysis, eq. 8.50) writes the
// first term alone. This is the interval of H to publish; the faunistic
// report's "Intervalo de Confiança de H (P=0,05)" is H -/+ 2 sqrt(v / N')
// with v the first term, about sqrt(N') times narrower (see its JSON).
struct ShannonInterval {
    double variance = 0.0;
    double lower = 0.0;
    double upper = 0.0;
};
ShannonInterval shannonInterval(const FrequencyTable& x, bool hutchesonTerm);

// Simpson's D = sum p_i^2 (Simpson 1949); the report gives 1 - D and 1/D.
double simpsonConcentration(const FrequencyTable& x);
// Berger-Parker d = max X_i / n (Berger and Parker 1970).
double bergerParker(const FrequencyTable& x);
// Pielou J = H / ln S (Pielou 1966); none for S = 1.
Value pielou(const FrequencyTable& x);
// Margalef d = (S-1) / ln n (Margalef 1958); none for n = 1.
Value margalef(const FrequencyTable& x);
// Menhinick d = S / sqrt(n) (Menhinick 1964).
double menhinick(const FrequencyTable& x);
// Brillouin HB = (ln n! - sum ln X_i!) / n (Brillouin 1956), by lgamma.
double brillouin(const FrequencyTable& x);
// Fisher's alpha, the root of S = alpha ln(1 + n/alpha) (Fisher, Corbet and
// Williams 1943), to the last bit by bisection; none when S = n.
Value fisherAlpha(const FrequencyTable& x);

// ---- Hill numbers -----------------------------------------------------

// Shannon entropy estimator of Chao, Wang and Jost (2013):
// sum_{X_i <= n-1} X_i/n (psi(n) - psi(X_i)) + f1/n sum_{j>=1} B^j/(n-1+j),
// B = 1 - A, A = 2 f2 / ((n-1) f1 + 2 f2), 2 / ((n-1)(f1-1) + 2) when f2 = 0,
// 1 when f1 = 0 or f1 = 1 and f2 = 0 (the tail is then 0).
double chaoWangJostEntropy(const FrequencyTable& x);
// The tail series alone: sum_{j>=1} B^j / (a+j), a = n-1 > 0, 0 <= B < 1.
double tailSeries(double b, double a);
// The unbiased sum X_i (X_i - 1) / (n (n-1)) of the q = 2 estimate (Chao et
// al. 2014); none for n = 1.
Value unbiasedSimpson(const FrequencyTable& x);

// psi(x) for x > 0: recurrence to x >= 6, then the asymptotic series.
double digamma(double x);

} // namespace zav::diversity
