#include "analysis/dominance.h"
#include "analysis/f_table.h"
#include "data/errors.h"
#include "table_builder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace zav {
namespace {

TEST(FTable, HoldsTheTellingRowsColumnsAndHeldCells) {
    const double row2[] = {18.51, 19.00, 19.16, 19.25, 19.30, 19.33, 19.35, 19.37, 19.38, 19.40, 19.40, 19.41,
                           19.42, 19.42, 19.43, 19.43, 19.45, 19.45, 19.46, 19.47, 19.48, 19.49, 19.50};
    const double rowInf[] = {3.84, 3.00, 2.60, 2.37, 2.21, 2.10, 2.01, 1.94, 1.88, 1.83, 1.79, 1.75,
                             1.72, 1.69, 1.67, 1.64, 1.57, 1.52, 1.46, 1.39, 1.32, 1.22, 1.00};
    for (int c = 1; c <= kFColumns; ++c) {
        EXPECT_EQ(fTableCell(2, c), row2[c - 1]) << "column " << c;
        EXPECT_EQ(fTableCell(34, c), rowInf[c - 1]) << "column " << c;
    }
    const double column2[] = {19.00, 6.94, 5.14, 4.46, 4.10, 3.89, 3.74, 3.63, 3.55, 3.49,
                              3.44,  3.40, 3.37, 3.34, 3.32, 3.23, 3.15, 3.07, 3.00};
    const int column2Rows[] = {2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30, 31, 32, 33, 34};
    for (int i = 0; i < 19; ++i)
        EXPECT_EQ(fTableCell(column2Rows[i], 2), column2[i]) << "row " << column2Rows[i];
    const double row30[] = {1.99, 1.93, 1.89, 1.84, 1.79, 1.74, 1.68, 1.62};
    const double row40[] = {1.90, 1.84, 1.79, 1.74, 1.69, 1.64, 1.58, 1.51};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(fTableCell(30, 16 + i), row30[i]);
        EXPECT_EQ(fTableCell(31, 16 + i), row40[i]);
    }
    struct Held {
        int nu2row, nu1col;
        double value;
    };
    const Held held[] = {{8, 14, 3.23},  {10, 16, 2.82}, {20, 14, 2.23}, {22, 14, 2.18},
                         {26, 14, 2.10}, {32, 16, 1.81}, {33, 6, 2.17},  {33, 14, 1.77}};
    for (const auto& h : held)
        EXPECT_EQ(fTableCell(h.nu2row, h.nu1col), h.value);
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
