#include "comparison/statistics.h"

#include <gtest/gtest.h>

namespace zav {
namespace {

TEST(RegularizedIncompleteBeta, ClosedFormsAndRsPbeta) {
    struct Case {
        double a, b, x, expected;
    };
    const Case cases[] = {
        {1.0, 1.0, 0.3, 0.3},                  // I_x(1, 1) = x
        {3.0, 1.0, 0.6, 0.216},                // I_x(a, 1) = x^a
        {1.0, 4.0, 0.2, 1.0 - 0.4096},         // I_x(1, b) = 1 - (1 - x)^b
        {7.5, 7.5, 0.5, 0.5},                  // symmetry
        {2.5, 4.0, 0.3, 0.352197585906767},    // R: pbeta(0.3, 2.5, 4)
        {50.0, 0.5, 0.9, 0.00120414983255981}, // R: pbeta(0.9, 50, 0.5)
        {2.0, 3.0, 0.0, 0.0},
        {2.0, 3.0, 1.0, 1.0},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(regularizedIncompleteBeta(c.a, c.b, c.x), c.expected, 1e-12) << c.a << " " << c.b << " " << c.x;
}

TEST(StudentTwoSidedP, KnownQuantiles) {
    struct Case {
        double t, df, p;
    };
    const Case cases[] = {
        {2.228138851986, 10.0, 0.05},  // t(0.975; 10)
        {12.7062047361747, 1.0, 0.05}, // t(0.975; 1)
        {-2.749995653567, 30.0, 0.01}, // t(0.995; 30), either sign
        {1.96, 1e6, 0.0499960675852698},
        {3.0, 1e9, 0.00269979612973792}, // R: 2 * pt(-3, 1e9)
        {0.0, 5.0, 1.0},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(studentTwoSidedP(c.t, c.df), c.p, 1e-10) << c.t << " " << c.df;
}

TEST(HolmAdjusted, HandExampleAndMissingValues) {
    // Sorted: 0.005 x 4 = 0.02, 0.01 x 3 = 0.03, 0.03 x 2 = 0.06, 0.04 x 1 -> 0.06 (never below the one before).
    const auto adjusted = holmAdjusted({0.01, 0.04, 0.03, 0.005});
    const double expected[] = {0.03, 0.06, 0.06, 0.02};
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_NEAR(*adjusted[i], expected[i], 1e-15) << i;
    const auto withGap = holmAdjusted({0.3, std::nullopt, 0.02});
    EXPECT_NEAR(*withGap[0], 0.3, 1e-15);
    EXPECT_FALSE(withGap[1]);
    EXPECT_NEAR(*withGap[2], 0.04, 1e-15);
    EXPECT_EQ(*holmAdjusted({0.6, 0.7})[0], 1.0);
}

} // namespace
} // namespace zav
