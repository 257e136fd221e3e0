// The estimators against the numbers published with iNEXT (Hsieh, Ma and
// Chao 2016, spider data) and those vegan 2.6-4 prints for the same data.
#include "analysis/table_builder.h"
#include "data/errors.h"
#include "diversity/diversity.h"
#include "diversity/portable_math.h"
#include "diversity/random.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

namespace zav {
namespace {

using namespace diversity;

std::vector<std::int32_t> girdled() {
    std::vector<std::int32_t> x{46, 22, 17, 15, 15, 9, 8, 6, 6, 4, 2, 2, 2, 2};
    x.insert(x.end(), 12, 1);
    return x;
}
std::vector<std::int32_t> logged() {
    std::vector<std::int32_t> x{88, 22, 16, 15, 13, 10, 8, 8, 7, 7, 7, 5, 4, 4, 4, 3, 3, 3, 3, 2, 2, 2, 2};
    x.insert(x.end(), 14, 1);
    return x;
}
// Invented collections for Girdled, T = 12.
std::vector<std::int32_t> girdledCollections() {
    std::vector<std::int32_t> y{12, 10, 9, 9, 8, 6, 5, 4, 5, 3, 2, 1, 2, 2};
    y.insert(y.end(), 12, 1);
    return y;
}

// Equal at the printed digits.
void expectPrinted(double actual, double printed, int decimals, const char* what) {
    EXPECT_EQ(std::round(actual * std::pow(10.0, decimals)), std::round(printed * std::pow(10.0, decimals))) << what;
}

TEST(Diversity, SpiderDataAsPublishedWithINext) {
    struct Case {
        const char* name;
        std::vector<std::int32_t> x;
        double coverage, chao1, se, lower, upper, shannonObs, shannonEst, simpsonObs, simpsonEst;
    };
    const Case cases[] = {
        {"Girdled", girdled(), 0.9289, 43.893, 14.306, 30.511, 96.971, 12.060, 13.826, 7.840, 8.175},
        {"Logged", logged(), 0.9446, 61.403, 18.532, 43.502, 128.583, 14.421, 16.337, 6.761, 6.920},
    };
    for (const auto& c : cases) {
        const auto r = analyseDiversity(test::makeTable(c.x));
        expectPrinted(r.coverage, c.coverage, 4, c.name);
        expectPrinted(*r.chao1.estimate, c.chao1, 3, c.name);
        expectPrinted(*r.chao1.standardError, c.se, 3, c.name);
        expectPrinted(*r.chao1.lower, c.lower, 3, c.name);
        expectPrinted(*r.chao1.upper, c.upper, 3, c.name);
        expectPrinted(*r.hillObserved[1].number, c.shannonObs, 3, c.name);
        expectPrinted(*r.hillEstimated[1].number, c.shannonEst, 3, c.name);
        expectPrinted(*r.hillObserved[2].number, c.simpsonObs, 3, c.name);
        expectPrinted(*r.hillEstimated[2].number, c.simpsonEst, 3, c.name);
    }
}

TEST(Diversity, GirdledCurveAsPublished) {
    const auto r = analyseDiversity(test::makeTable(girdled()));
    ASSERT_EQ(r.curve.size(), 40u);
    const std::pair<double, double> q0[] = {{10, 6.479}, {19, 9.450}, {168, 26.000}, {327, 34.396}, {336, 34.731}};
    for (const auto& [m, value] : q0) {
        const auto it = std::find_if(r.curve.begin(), r.curve.end(), [m](const auto& p) { return p.m == m; });
        ASSERT_NE(it, r.curve.end()) << m;
        expectPrinted(it->values.hill[0], value, 3, "q0");
    }
    // iNEXT 3.0's q = 1 extrapolation.
    EXPECT_NEAR(r.curve.back().values.hill[1], 13.016966, 5e-7);
}

TEST(Diversity, VeganNumbers) {
    // estimateR: S.chao1, se.chao1, S.ACE, se.ACE.
    const std::pair<std::vector<std::int32_t>, std::array<double, 4>> abundance[] = {
        {girdled(), {39.2, 10.20697000753, 48.41522903034, 3.78889874554}},
        {logged(), {55.2, 13.14527390688, 52.68499427262, 3.67698168988}},
    };
    for (const auto& [x, v] : abundance) {
        const auto r = analyseDiversity(test::makeTable(x));
        EXPECT_NEAR(*r.chao1BiasCorrected.estimate, v[0], 1e-9);
        EXPECT_NEAR(*r.chao1BiasCorrected.standardError, v[1], 1e-9);
        EXPECT_NEAR(*r.ace.estimate, v[2], 1e-9);
        EXPECT_NEAR(*r.ace.standardError, v[3], 1e-9);
    }
    // specpool (chao, chao.se, jack1, jack2, boot) and specaccum "exact".
    const auto r = analyseDiversity(test::makeTable(girdled(), girdledCollections(), 12));
    ASSERT_TRUE(r.incidence);
    const auto& in = *r.incidence;
    EXPECT_NEAR(*in.chao2.estimate, 51.8194444444, 1e-9);
    EXPECT_NEAR(*in.chao2.standardError, 21.2874412951, 1e-9);
    EXPECT_NEAR(*in.jackknife1.estimate, 37.9166666667, 1e-9);
    EXPECT_NEAR(*in.jackknife2.estimate, 46.4772727273, 1e-9);
    EXPECT_NEAR(*in.bootstrap.estimate, 30.9551477541, 1e-9);
    const double exact[] = {7.5,
                            11.09090909091,
                            13.54090909091,
                            15.49090909091,
                            17.1717171717,
                            18.68073593074,
                            20.07070707071,
                            21.37373737374,
                            22.60909090909,
                            23.78787878788,
                            24.91666666667,
                            26};
    // Collections are whole: t = 1, 2, ..., 24 and nothing between (the
    // knots were 1, 1.58, 2.16, ... when fewer than 40 whole ones remained).
    ASSERT_EQ(in.curve.size(), 24u);
    for (std::size_t i = 0; i < in.curve.size(); ++i)
        EXPECT_EQ(in.curve[i].t, static_cast<double>(i + 1));
    for (int t = 1; t <= 12; ++t)
        EXPECT_NEAR(in.curve[static_cast<std::size_t>(t - 1)].richness, exact[t - 1], 1e-9) << t;
}

TEST(Diversity, IndicesByHand) {
    // vegan: fisher.alpha 8.60469670722 (uniroot's default tolerance; with
    // tol = 1e-15, 8.604696408821085), shannon 2.48986521069, simpson
    // 0.872448979592, invsimpson 7.84; the rest by hand.
    const auto r = analyseDiversity(test::makeTable(girdled()));
    const auto& ix = r.indices;
    EXPECT_NEAR(*ix.fisherAlpha.number, 8.604696408821085, 1e-14);
    EXPECT_NEAR(ix.shannon, 2.48986521069, 1e-10);
    EXPECT_NEAR(ix.simpson, 0.872448979592, 1e-11);
    EXPECT_NEAR(ix.inverseSimpson, 7.84, 1e-12);
    EXPECT_DOUBLE_EQ(ix.bergerParker, 46.0 / 168.0);
    EXPECT_NEAR(*ix.pielou.number, 2.48986521069 / std::log(26.0), 1e-10);
    EXPECT_NEAR(*ix.margalef.number, 25.0 / std::log(168.0), 1e-12);
    EXPECT_NEAR(ix.menhinick, 26.0 / std::sqrt(168.0), 1e-12);
    double lnFactorials = 0.0;
    for (const int x : girdled())
        lnFactorials += std::lgamma(x + 1.0);
    EXPECT_NEAR(ix.brillouin, (std::lgamma(169.0) - lnFactorials) / 168.0, 1e-12);
}

TEST(Diversity, ShannonIntervalFromItsVarianceByHand) {
    // python3's decimal to 40 digits: H = 2.4898652106915700, Zar's var
    // (sum p (ln p)^2 - H^2)/n = 0.0072063462671392522, Hutcheson's adds
    // 25/(2 168^2); H -/+ qnorm(0.975) sqrt(var).
    const auto ix = analyseDiversity(test::makeTable(girdled())).indices;
    EXPECT_NEAR(ix.shannonZar.variance, 0.0072063462671392522, 1e-16);
    EXPECT_NEAR(ix.shannonZar.lower, 2.3234834736142144, 1e-14);
    EXPECT_NEAR(ix.shannonZar.upper, 2.6562469477689255, 1e-14);
    EXPECT_NEAR(ix.shannonHutcheson.variance, 0.0076492317546675968, 1e-16);
    EXPECT_NEAR(ix.shannonHutcheson.lower, 2.3184469829691325, 1e-14);
    EXPECT_NEAR(ix.shannonHutcheson.upper, 2.6612834384140075, 1e-14);
}

// The estimators' edge branches against hand computations (python3's
// decimal, 40 digits) of the published formulas: Chao (1984, 1987) as
// iNEXT writes its f2 = 0 branches, Chao and Lee (1992) / SpadeR's ICE with
// Q2 = 0, Burnham and Overton's second jackknife at T = 2 and T = 1.
TEST(Diversity, EdgeBranchesByHand) {
    // f1 = 1, f2 = 0 (1, 3, 5): S observed, var = sum f_k (e^-k - e^-2k) -
    // (sum k e^-k f_k)^2 / n, P = sum f_k e^-k / S, interval
    // [max(S, S/(1-P) - z sd/(1-P)), S/(1-P) + z sd/(1-P)].
    auto r = analyseDiversity(test::makeTable({1, 3, 5}, {1, 2, 3}, 5));
    EXPECT_EQ(*r.chao1.estimate, 3.0);
    EXPECT_EQ(r.chao1.variant, "f1 = 1 e f2 = 0: S observado");
    EXPECT_NEAR(*r.chao1.standardError, 0.50281219221398888, 1e-15);
    EXPECT_EQ(*r.chao1.lower, 3.0);
    EXPECT_NEAR(*r.chao1.upper, 4.6422200851891522, 1e-14);
    // f1 = 3, f2 = 0 (5, 1, 1, 1): S + (n-1)/n f1 (f1-1)/2 = 6.625, Chao's
    // (1987) variance of that form, the log-normal interval.
    // vegan 2.6-4 estimateR(c(1, 3, 5)): S.chao1 3, se 0.408248290463863,
    // S.ACE 3.62109375, se 0.7008525086716382.
    EXPECT_EQ(*r.chao1BiasCorrected.estimate, 3.0);
    EXPECT_NEAR(*r.chao1BiasCorrected.standardError, 0.408248290463863, 1e-14);
    EXPECT_NEAR(*r.ace.estimate, 3.62109375, 1e-14);
    EXPECT_NEAR(*r.ace.standardError, 0.7008525086716382, 1e-14);
    r = analyseDiversity(test::makeTable({5, 1, 1, 1}, {2, 1, 1, 1}, 3));
    EXPECT_EQ(*r.chao1.estimate, 6.625);
    // vegan: S.chao1 7, se 4.342481186734475, S.ACE 12.571428571428571,
    // se 1.515300375263178.
    EXPECT_EQ(*r.chao1BiasCorrected.estimate, 7.0);
    EXPECT_NEAR(*r.chao1BiasCorrected.standardError, 4.342481186734475, 1e-13);
    EXPECT_NEAR(*r.ace.estimate, 12.571428571428571, 1e-13);
    EXPECT_NEAR(*r.ace.standardError, 1.515300375263178, 1e-13);
    EXPECT_NEAR(*r.chao1.standardError, 3.8262588106202456, 1e-14);
    EXPECT_NEAR(*r.chao1.lower, 4.3240136298781877, 1e-14);
    EXPECT_NEAR(*r.chao1.upper, 25.266466483494896, 1e-13);
    // ICE with Q1 = 3, Q2 = 0 (collections 1, 1, 1, 3, 4 of T = 5):
    // A = 2/((T-1)(Q1-1) + 2) = 0.2, C = 1 - Q1/N (1 - A) = 0.76,
    // g2 = 5/C 5/4 18/90 - 1, ICE = 5/C + 3/C g2.
    r = analyseDiversity(test::makeTable({1, 1, 1, 3, 4}, {1, 1, 1, 3, 4}, 5));
    ASSERT_TRUE(r.incidence);
    EXPECT_NEAR(*r.incidence->ice.estimate, 9.1239612188365651, 1e-13);
    // vegan specpool of these collections: jack1 7.4, jack2 9.2, boot 5.9936.
    EXPECT_NEAR(*r.incidence->jackknife1.estimate, 7.4, 1e-14);
    EXPECT_NEAR(*r.incidence->jackknife2.estimate, 9.2, 1e-14);
    EXPECT_NEAR(*r.incidence->bootstrap.estimate, 5.9936, 1e-14);
    // T = 2: jackknife 2 = S + Q1 (2T-3)/T - Q2 (T-2)^2/(T(T-1)) = S + Q1/2;
    // jackknife 1 = S + Q1 (T-1)/T, the same here (vegan: 4 and 4). T = 1: S.
    r = analyseDiversity(test::makeTable({1, 1, 2}, {1, 1, 2}, 2));
    ASSERT_TRUE(r.incidence);
    EXPECT_EQ(*r.incidence->jackknife2.estimate, 4.0);
    EXPECT_EQ(*r.incidence->jackknife1.estimate, 4.0);
    r = analyseDiversity(test::makeTable({1, 4}, {1, 1}, 1));
    ASSERT_TRUE(r.incidence);
    EXPECT_EQ(*r.incidence->jackknife2.estimate, 2.0);
}

TEST(Diversity, EdgeCasesGiveDefinedValuesOrReasons) {
    // One species, one individual.
    auto r = analyseDiversity(test::makeTable({1}, {1}, 1));
    EXPECT_EQ(*r.chao1.estimate, 1.0);
    EXPECT_FALSE(r.indices.fisherAlpha.number);
    EXPECT_FALSE(r.indices.pielou.number);
    EXPECT_FALSE(r.hillEstimated[2].number);
    EXPECT_TRUE(r.curve.empty());
    ASSERT_TRUE(r.incidence);
    EXPECT_TRUE(r.incidence->curve.empty());
    // f2 = 0 with f1 > 1 (the corrected form); f1 = 0; S = n.
    r = analyseDiversity(test::makeTable({5, 1, 1, 1}, {2, 1, 1, 1}, 3));
    EXPECT_NEAR(*r.chao1.estimate, 4 + 7.0 / 8.0 * 3.0, 1e-12);
    r = analyseDiversity(test::makeTable({5, 3, 2}, {2, 2, 1}, 3));
    EXPECT_EQ(*r.chao1.estimate, 3.0);
    EXPECT_EQ(r.curve.size(), 40u);
    r = analyseDiversity(test::makeTable({1, 1, 1}, {1, 1, 1}, 3));
    EXPECT_FALSE(r.indices.fisherAlpha.number);
    EXPECT_FALSE(r.ace.estimate);
    // Incidence out of range.
    r = analyseDiversity(test::makeTable({5, 12}, {3, 12}, 10));
    EXPECT_FALSE(r.incidence);
    EXPECT_EQ(r.incidenceMissing, "a espécie 2 aparece em 12 coletas de 10");
    r = analyseDiversity(test::makeTable({5, 12}, {0, 2}, 10));
    EXPECT_FALSE(r.incidence);
    // A negative count names its line (the header is line 1).
    try {
        analyseDiversity(test::makeTable({5, -2}));
        FAIL();
    } catch (const DataFileError& e) {
        EXPECT_EQ(e.detail(), "Linha 3: número negativo de indivíduos");
    }
}

TEST(Diversity, TailSeriesAndExpansionAgreeWithDirectSums) {
    // Euler-Maclaurin against the plain series where both run.
    double direct = 0.0, power = 1.0;
    const double b = 1.0 - 3e-6, a = 5e5;
    for (int j = 1; j < 30000000; ++j) {
        power *= b;
        direct += power / (a + j);
    }
    EXPECT_NEAR(tailSeries(b, a), direct, 1e-9 * direct);
    // The moment expansion just above its threshold against the full sum.
    const double n = 100000, x = 4000, m = 10001;
    const auto logWeight = [&](double k) {
        return -std::lgamma(k + 1) - std::lgamma(x - k + 1) - std::lgamma(m - k + 1) - std::lgamma(n - x - m + k + 1);
    };
    const double top = logWeight(400);
    double weights = 0.0, sum = 0.0;
    for (double k = 1; k <= x; ++k) {
        weights += std::exp(logWeight(k) - top);
        sum += std::exp(logWeight(k) - top) * k * std::log(k);
    }
    EXPECT_NEAR(expectedKLogK(n, x, m), sum / weights, 1e-5);
}

TEST(Diversity, BootstrapIsReproducible) {
    Random a(7), b(7);
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(a.binomial(1000000, 0.3), b.binomial(1000000, 0.3));
    const auto r1 = analyseDiversity(test::makeTable(girdled(), girdledCollections(), 12));
    const auto r2 = analyseDiversity(test::makeTable(girdled(), girdledCollections(), 12));
    EXPECT_EQ(*r1.curve[5].hillBands[1].upper, *r2.curve[5].hillBands[1].upper);
    EXPECT_LT(*r1.curve.back().hillBands[0].lower, r1.curve.back().values.hill[0]);
}

// A survey of BCI's size: 225 species, n = 21457, counts 1 to 1000.
std::vector<std::int32_t> bciSized() {
    std::vector<std::int32_t> x;
    std::int32_t total = 0;
    for (int i = 0; i < 224; ++i) {
        x.push_back(1 + (i * i * 37 + i * 11) % 190);
        total += x.back();
    }
    x.push_back(21457 - total);
    return x;
}

TEST(Diversity, SamplersDrawTheirLaws) {
    // Binomial: mean and variance of 20000 draws, inversion and BTRS, up to
    // n = 10^12; a chi-square over 15..45 for Binomial(100, 0.3) (30 degrees
    // of freedom: 59.7 is its 0.999 quantile).
    Random random(11);
    const std::pair<std::int64_t, double> laws[] = {
        {30, 0.5}, {100, 0.3}, {60, 0.9}, {1000, 0.5}, {1000000000000, 0.2}};
    for (const auto& [n, p] : laws) {
        const double nn = static_cast<double>(n);
        double sum = 0.0, squares = 0.0;
        std::vector<int> counts(101, 0);
        for (int i = 0; i < 20000; ++i) {
            const auto k = random.binomial(n, p);
            ASSERT_GE(k, 0);
            ASSERT_LE(k, n);
            const double v = static_cast<double>(k) - nn * p;
            sum += v;
            squares += v * v;
            if (n == 100) ++counts[static_cast<std::size_t>(k)];
        }
        const double variance = nn * p * (1.0 - p);
        EXPECT_LT(std::abs(sum / 20000.0), 5.0 * std::sqrt(variance / 20000.0)) << n << " " << p;
        EXPECT_NEAR(squares / 20000.0 / variance, 1.0, 0.05) << n << " " << p;
        if (n != 100) continue;
        double chi = 0.0;
        for (int k = 15; k <= 45; ++k) {
            const double expected =
                20000.0 * std::exp(std::lgamma(101.0) - std::lgamma(k + 1.0) - std::lgamma(101.0 - k) +
                                   k * std::log(0.3) + (100 - k) * std::log(0.7));
            const double d = counts[static_cast<std::size_t>(k)] - expected;
            chi += d * d / expected;
        }
        EXPECT_LT(chi, 59.7);
    }
    // 300 individuals over 1000 equal species: E[species seen] =
    // 1000 (1 - 0.999^300) = 259.35; 100000 species detected with
    // p = 1e-5 in 50 collections: E[detected] = 49.99, E[detections] = 50.
    double seen = 0.0, detected = 0.0, detections = 0.0;
    for (int i = 0; i < 2000; ++i) {
        const auto counts = groupedMultinomial(random, 600, {{0.5 / 1000.0, 1000}, {0.5, 1}});
        std::int64_t total = 0;
        for (const auto c : counts)
            total += c;
        ASSERT_EQ(total, 600);
        seen += static_cast<double>(counts.size()) - 1.0;
        const auto found = groupedBinomials(random, 50, {{1e-5, 100000}});
        detected += static_cast<double>(found.size());
        for (const auto c : found) {
            ASSERT_GE(c, 1);
            detections += static_cast<double>(c);
        }
    }
    EXPECT_NEAR(seen / 2000.0, 259.35, 1.0);
    EXPECT_NEAR(detected / 2000.0, 49.99, 0.7);
    EXPECT_NEAR(detections / 2000.0, 50.0, 0.7);
}

TEST(Diversity, ChanceOfMissingAgainstTheDirectProduct) {
    // ln C(N-x, m)/C(N, m) = sum_{j<m} ln(1 - x/(N-j)), summed term by term.
    const std::array<double, 3> cases[] = {{21457, 1, 1},
                                           {21457, 1000, 1},
                                           {21457, 3, 20000},
                                           {10, 8, 2},
                                           {10, 5, 5},
                                           {1e6, 1, 1e5},
                                           {1e6, 4000, 3000},
                                           {50, 1, 49},
                                           {1932735282900.0, 2147483647, 1},
                                           {1932735282900.0, 2147483647, 30}};
    for (const auto& [n, x, m] : cases) {
        long double direct = 0.0L;
        for (double j = 0; j < m; ++j)
            direct += std::log1p(-static_cast<long double>(x) / (static_cast<long double>(n) - j));
        const double got = logNoneDrawn(n, x, m);
        EXPECT_NEAR(got, static_cast<double>(direct), 4e-15 * std::abs(static_cast<double>(direct)))
            << n << " " << x << " " << m;
    }
    EXPECT_EQ(logNoneDrawn(10, 8, 3), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(logNoneDrawn(10, 0, 3), 0.0);
}

TEST(Diversity, RarefactionKeepsEveryDigit) {
    // At m = 1 the curve is 1 and the coverage sum X(X-1)/(n(n-1)) exactly
    // (the lgamma differences gave 1.000000004662671 and lost 9 digits of
    // the coverage at n = 21457, 7.004 and -0.0078 at n = 900 (2^31 - 1)).
    const std::vector<std::int32_t> surveys[] = {bciSized(), std::vector<std::int32_t>(900, 2147483647), girdled()};
    for (const auto& x : surveys) {
        const auto r = analyseDiversity(test::makeTable(x));
        ASSERT_EQ(r.curve.front().m, 1.0);
        EXPECT_NEAR(r.curve.front().values.hill[0], 1.0, 4e-15);
        long double n = 0, simpson = 0;
        for (const auto v : x)
            n += v;
        for (const auto v : x)
            simpson += static_cast<long double>(v) * (v - 1) / (n * (n - 1));
        EXPECT_NEAR(r.curve.front().values.coverage, static_cast<double>(simpson), 4e-15);
        // At m = 2: sum 1 - C(n-X, 2)/C(n, 2) = sum X (2n - X - 1) / (n (n-1)).
        long double two = 0;
        for (const auto v : x)
            two += static_cast<long double>(v) * (2 * n - v - 1) / (n * (n - 1));
        std::vector<std::int64_t> counts(x.begin(), x.end());
        const auto atTwo = individualCurve(frequencyTable(counts), {2.0});
        EXPECT_NEAR(atTwo[0].hill[0], static_cast<double>(two), 4e-15);
        for (const auto& p : r.curve) {
            EXPECT_GE(p.values.coverage, 0.0) << p.m;
            EXPECT_LE(p.values.coverage, 1.0) << p.m;
            if (p.m <= static_cast<double>(n)) {
                EXPECT_LE(p.values.hill[0], static_cast<double>(x.size()) + 1e-9) << p.m;
            }
        }
    }
}

TEST(Diversity, PortableFunctionsAgreeWithTheLibraryToAnUlpOrTwo) {
    for (double v = -700.0; v < 700.0; v += 0.37)
        EXPECT_NEAR(pm::exp(v), std::exp(v), 4e-16 * std::exp(v)) << v;
    for (double v = 1e-300; v < 1e300; v *= 1.7)
        EXPECT_NEAR(pm::log(v), std::log(v), 4e-16 * std::abs(std::log(v)) + 1e-300) << v;
    for (const double v : {1e-17, -3e-9, 0.004, -0.5, 0.3, 2.0, 1e9})
        EXPECT_NEAR(pm::log1p(v), std::log1p(v), 4e-16 * std::abs(std::log1p(v))) << v;
    for (const double v : {1e-17, -3e-9, 0.004, -0.33, 0.3, -2.0, 20.0})
        EXPECT_NEAR(pm::expm1(v), std::expm1(v), 4e-16 * std::abs(std::expm1(v))) << v;
    for (const double k : {0.0, 1.0, 5.0, 20.0, 21.0, 100.0, 1e6, 2e12})
        EXPECT_NEAR(pm::logFactorial(k), std::lgamma(k + 1.0), 4e-16 * std::lgamma(k + 1.0) + 1e-300) << k;
}

} // namespace
} // namespace zav
