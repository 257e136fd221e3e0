#include "analysis/dominance.h"
#include "analysis/f_table.h"
#include "data/errors.h"
#include "table_builder.h"

#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/fisher_f.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <utility>

namespace zav {
namespace {

// The upper 5 % point of F(nu1, nu2) computed anew; 0 stands for an
// infinite degree of freedom, where F has its chi-square limits.
double fQuantile95(int nu1, int nu2) {
    using boost::math::chi_squared;
    if (nu1 == 0 && nu2 == 0) return 1.0;
    if (nu2 == 0) return quantile(chi_squared(nu1), 0.95) / nu1;
    if (nu1 == 0) return nu2 / quantile(chi_squared(nu2), 0.05);
    return quantile(boost::math::fisher_f(nu1, nu2), 0.95);
}

TEST(FTable, EveryCellIsTheRoundedQuantileSaveTheEightHeldOnes) {
    const int nu2s[kFRows] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16,  17,
                              18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 40, 60, 120, 0};
    const int nu1s[kFColumns] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 20, 24, 30, 40, 60, 120, 0};
    // (nu2, nu1): the printed tables' values the reports have always used.
    const std::map<std::pair<int, int>, double> held = {{{8, 14}, 3.23},  {{10, 16}, 2.82}, {{20, 14}, 2.23},
                                                        {{22, 14}, 2.18}, {{26, 14}, 2.10}, {{60, 16}, 1.81},
                                                        {{120, 6}, 2.17}, {{120, 14}, 1.77}};
    for (int r = 0; r < kFRows; ++r) {
        for (int c = 0; c < kFColumns; ++c) {
            const double rounded = std::round(fQuantile95(nu1s[c], nu2s[r]) * 100.0) / 100.0;
            const auto exception = held.find({nu2s[r], nu1s[c]});
            const double cell = fTableCell(r + 1, c + 1);
            if (exception == held.end()) {
                EXPECT_EQ(cell, rounded) << "nu2 " << nu2s[r] << ", nu1 " << nu1s[c];
            } else {
                EXPECT_EQ(cell, exception->second) << "nu2 " << nu2s[r] << ", nu1 " << nu1s[c];
                EXPECT_NEAR(std::abs(cell - rounded), 0.01, 1e-9) << "nu2 " << nu2s[r] << ", nu1 " << nu1s[c];
            }
        }
    }
}

struct LookupCase {
    std::int64_t nu1, nu2;
    double f;
};

TEST(FLookup, ReadsPointsAndInterpolatesAtBothEndsOfBothAxes) {
    const LookupCase cases[] = {
        {1, 1, 161.45}, // first cell
        {2, 2, 19.00},
        {200, 200, 1.00}, // both infinite
        {120, 120, 1.35}, // last finite point of both axes
        {121, 2, 19.50},  // just above 120: the infinity column, no interpolation
        {2, 121, 3.00},   // just above 120: the infinity row
        {118, 22, 1.89 + (1.84 - 1.89) * 58.0 / 60.0},
        {18, 6, 3.895},
        {20, 34, 1.894},
        {2, 48, 3.198},
        {2, 78, 3.126},
        {14, 20, 2.23},
        {2, 1000000000000, 3.00},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(fLookup(c.nu1, c.nu2), c.f, 1e-12) << c.nu1 << ", " << c.nu2;
    // Both between points: along nu1 in rows 30 and 40, then along nu2.
    EXPECT_NEAR(fLookup(48, 36), 1.71, 1e-12);
}

TEST(FLookup, RefusesDegreesOfFreedomWithoutATablePosition) {
    EXPECT_THROW(fLookup(0, 4), ComputationError);
    EXPECT_THROW(fLookup(4, 0), ComputationError);
    EXPECT_THROW(fLookup(-6, 4), ComputationError);
}

// A kept species of K individuals in a run whose working total is N'. The
// second species only brings the working total to N'.
struct DominanceCase {
    std::int32_t workingTotal, k;
    double limit, reference;
    const char* cls;
};

TEST(Dominance, WorkedExamplesToFourDecimals) {
    const DominanceCase cases[] = {
        {100, 10, 6.3591, 2.9412, " D"}, {100, 5, 2.6455, 2.9412, "ND"},   {100, 6, 3.3437, 2.9412, " D"},
        {10, 2, 7.8833, 28.2869, "ND"},  {25, 16, 47.3011, 11.7582, " D"}, {40, 17, 30.4878, 7.4206, " D"},
        {15, 9, 39.0472, 19.2618, " D"}, {68, 10, 9.1928, 4.2857, " D"},   {69, 10, 9.0610, 4.2254, " D"},
        {70, 10, 9.1989, 4.1667, " D"},  {200, 59, 25.2632, 1.4851, " D"}, {200, 60, 30.1980, 1.4851, " D"},
        {2, 1, 13.5318, 95.0000, "ND"},  {5, 4, 41.8060, 52.7187, "ND"},   {5, 1, 6.2893, 52.7187, "ND"},
        {6, 5, 47.9233, 45.0549, " D"},  {6, 1, 5.3390, 45.0549, "ND"},
    };
    for (const auto& c : cases) {
        auto t = test::makeTable({c.k, c.workingTotal - c.k});
        for (auto& s : t.species)
            s.abundanceClass = 3;
        computeDominanceLimits(t);
        const double reference = classifyDominance(t);
        EXPECT_NEAR(t.species[0].dominanceLimit, c.limit, 5e-5) << "N' " << c.workingTotal << " K " << c.k;
        EXPECT_NEAR(reference, c.reference, 5e-5) << "N' " << c.workingTotal;
        EXPECT_EQ(t.species[0].dominanceClass, c.cls) << "N' " << c.workingTotal << " K " << c.k;
    }
}

TEST(Dominance, ExcludedSpeciesAreSuperDominantWithoutALimit) {
    auto t = test::makeTable({1000, 4, 6});
    t.species[0].abundanceClass = kExcluded;
    t.species[1].abundanceClass = 3;
    t.species[2].abundanceClass = 3;
    t.workingIndividuals = 10;
    computeDominanceLimits(t);
    classifyDominance(t);
    EXPECT_EQ(t.species[0].dominanceClass, "SD");
    EXPECT_EQ(t.species[0].dominanceLimit, 0.0);
}

TEST(Dominance, ALimitEqualToTheReferenceIsNotDominant) {
    auto t = test::makeTable({3, 3});
    for (auto& s : t.species)
        s.abundanceClass = 3;
    computeDominanceLimits(t);
    const double reference = classifyDominance(t);
    t.species[0].dominanceLimit = reference;
    classifyDominance(t);
    EXPECT_EQ(t.species[0].dominanceClass, "ND");
}

TEST(Dominance, NegativeCountsThatLeaveNoDegreeOfFreedomAreRefused) {
    auto small = test::makeTable({3, -2}); // N' = 1
    for (auto& s : small.species)
        s.abundanceClass = 3;
    EXPECT_THROW(classifyDominance(small), ComputationError);
    auto big = test::makeTable({9, -5}); // K = 9 > N' = 4: nu1 = 2 (4 - 9 + 1) < 1
    for (auto& s : big.species)
        s.abundanceClass = 3;
    EXPECT_THROW(computeDominanceLimits(big), ComputationError);
}

} // namespace
} // namespace zav
