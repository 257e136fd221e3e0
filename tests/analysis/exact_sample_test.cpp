// The exact comparisons against the textbook mean and standard deviation
// computed with 100 significant digits.

#include "analysis/exact_sample.h"

#include <boost/multiprecision/cpp_bin_float.hpp>
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

namespace zav {
namespace {

using Real = boost::multiprecision::cpp_bin_float_100;

struct Limits {
    Real mean, deviation, error;
};

Limits limitsOf(const std::vector<std::int64_t>& a, int scale) {
    const auto n = static_cast<std::int64_t>(a.size());
    Real sum = 0;
    for (auto v : a)
        sum += Real(v) / scale;
    const Real mean = sum / n;
    Real squares = 0;
    for (auto v : a)
        squares += (Real(v) / scale - mean) * (Real(v) / scale - mean);
    const Real s = sqrt(squares / (n - 1));
    return {mean, s, s / sqrt(Real(n))};
}

// The sign of x - limit, with a difference below 1e-60 of the sample's
// size taken as a tie.
int referenceSign(const Real& x, const Real& limit, const Limits& l) {
    const Real tolerance = Real("1e-60") * (1 + abs(l.mean) + l.deviation);
    const Real d = x - limit;
    return d > tolerance ? 1 : d < -tolerance ? -1 : 0;
}

struct Tally {
    int comparisons = 0, ties = 0;
};

void checkSample(const std::vector<std::int64_t>& a, int scale, Tally& tally) {
    const ExactSample sample(a, scale < 0);
    const auto l = limitsOf(a, scale);
    std::vector<std::int64_t> probes = a;
    probes.push_back(0);
    for (auto v : probes) {
        const Real x = Real(v) / scale;
        for (int k : {-258, -196, 196, 258}) {
            const int expected = referenceSign(x, l.mean + Real(k) / 100 * l.error, l);
            ASSERT_EQ(sample.compareWithErrors(v, k), expected) << "value " << v << ", k " << k;
            tally.ties += expected == 0;
            ++tally.comparisons;
        }
        for (int k : {-2, 2}) {
            const int expected = referenceSign(x, l.mean + k * l.deviation, l);
            ASSERT_EQ(sample.compareWithDeviations(v, k), expected) << "value " << v << ", k " << k;
            tally.ties += expected == 0;
            ++tally.comparisons;
        }
    }
}

TEST(ExactSample, AgreesWithHighPrecisionArithmeticOnRandomSamples) {
    struct Range {
        const char* name;
        std::int64_t low, high;
        int minSize, maxSize;
    };
    // Small counts tie on the limits often; counts near 2^31 make the sums
    // of squared deviations exceed 64 bits.
    const Range ranges[] = {
        {"small counts, ties", 0, 6, 2, 6},
        {"negative counts", -20, 20, 2, 8},
        {"counts near 2^31", 2147483000, 2147483647, 4, 12},
        {"one huge count among small ones", 0, 3, 4, 900},
    };
    std::mt19937_64 random(20261207);
    for (const auto& r : ranges) {
        Tally tally;
        std::uniform_int_distribution<std::int64_t> value(r.low, r.high);
        std::uniform_int_distribution<int> size(r.minSize, r.maxSize);
        for (int trial = 0; trial < 300; ++trial) {
            std::vector<std::int64_t> a(static_cast<std::size_t>(size(random)));
            for (auto& v : a)
                v = value(random);
            if (r.low == 0 && r.high == 3) a[0] = 2147483647;
            for (int scale : {1, -3}) {
                checkSample(a, scale, tally);
                if (HasFatalFailure()) {
                    ADD_FAILURE() << r.name << ", sample of " << a.size() << ", scale " << scale;
                    return;
                }
            }
        }
        EXPECT_GT(tally.comparisons, 1000) << r.name;
        if (r.high == 6) {
            EXPECT_GT(tally.ties, 50) << r.name << ": the small samples must reach exact ties";
        }
    }
}

TEST(ExactSample, CountsOnTheLimitsAreTies) {
    // m = 27.75, s = 12.5, e = 6.25 (U95 = 40); m = 3, s = 4 (m + 2 s = 11).
    const ExactSample upper({16, 18, 37, 40});
    EXPECT_EQ(upper.compareWithErrors(40, 196), 0);
    EXPECT_EQ(upper.compareWithErrors(10, -196), -1);
    const ExactSample deviations({11, 1, 1, 1, 3, 1});
    EXPECT_EQ(deviations.compareWithDeviations(11, 2), 0);
    EXPECT_EQ(deviations.compareWithDeviations(-5, -2), 0);
}

TEST(CompareFraction, DecidesOnTheSignOfTheDenominator) {
    EXPECT_EQ(compareFraction(-100, -4, 25), 0);
    EXPECT_EQ(compareFraction(-99, -4, 25), -1);
    EXPECT_EQ(compareFraction(100, -4, 25), -1);
    EXPECT_EQ(compareFraction(101, 4, 25), 1);
}

} // namespace
} // namespace zav
