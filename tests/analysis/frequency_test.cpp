#include "analysis/abundance.h"
#include "analysis/analysis.h"
#include "analysis/frequency.h"
#include "data/errors.h"
#include "table_builder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zav {
namespace {

std::vector<std::string> frequencyClasses(const SpeciesTable& t) {
    std::vector<std::string> out;
    for (const auto& s : t.species)
        out.push_back(s.frequencyClass);
    return out;
}

std::vector<std::string> constancyClasses(const SpeciesTable& t) {
    std::vector<std::string> out;
    for (const auto& s : t.species)
        out.push_back(s.constancyClass);
    return out;
}

TEST(Frequency, TenSpeciesWithOneOutlier) {
    auto t = test::makeTable({1, 2, 3, 4, 5, 6, 7, 8, 9, 100});
    classifyAbundance(t);
    computePercentages(t);
    const double expected[] = {2.2222, 4.4444, 6.6667, 8.8889, 11.1111, 13.3333, 15.5556, 17.7778, 20.0, 0.0};
    for (int i = 0; i < 10; ++i)
        EXPECT_NEAR(t.species[i].percentage, expected[i], 5e-5);
    classifyFrequency(t);
    EXPECT_EQ(frequencyClasses(t),
              (std::vector<std::string>{"PF", "PF", "PF", " F", " F", " F", "MF", "MF", "MF", "SF"}));
}

TEST(Frequency, AShareOnTheUpperLimitIsVeryFrequent) {
    // Equal shares: e = 0 and both limits equal the mean, so each share is
    // not below L and not below U.
    auto t = test::makeTable({7, 7});
    for (auto& s : t.species)
        s.abundanceClass = 3;
    t.keptSpecies = 2;
    computePercentages(t);
    classifyFrequency(t);
    EXPECT_EQ(frequencyClasses(t), (std::vector<std::string>{"MF", "MF"}));
}

struct ConstancyCase {
    const char* name;
    std::int32_t total;
    std::vector<std::int32_t> collections;
    std::vector<std::string> classes;
};

TEST(Constancy, FixedThresholdsBelow24CollectionsIntervalFrom24) {
    const ConstancyCase cases[] = {
        {"fixed thresholds", 10, {1, 2, 2, 3, 4, 5, 5, 6, 8, 10}, {"Z", "Z", "Z", "Y", "Y", "W", "W", "W", "W", "W"}},
        {"confidence interval",
         30,
         {2, 5, 6, 8, 10, 12, 15, 20, 24, 30},
         {"Z", "Z", "Z", "Y", "Y", "Y", "Y", "W", "W", "W"}},
        {"q = 25 and q = 50 at 20 collections", 20, {5, 10, 1}, {"Y", "W", "Z"}},
        {"23 collections still uses the thresholds", 23, {5, 12, 23}, {"Z", "W", "W"}},
        {"collections above the total give q above 100", 4, {5, 1}, {"W", "Y"}},
        // q = c * 100 / C with C < 0: -1 of -4 is 25, -2 of -4 is 50, 1 of -4 is -25.
        {"a negative total of collections", -4, {-1, -2, 1}, {"Y", "W", "Z"}},
        // q = 79.17, 100 and 95.83 against L = 79.19: whole shares (79, 100,
        // 95) would give L = 78.92 and leave the first above it.
        {"shares that are not whole numbers", 24, {19, 24, 23}, {"Z", "Y", "Y"}},
    };
    for (const auto& c : cases) {
        std::vector<std::int32_t> ones(c.collections.size(), 1);
        auto t = test::makeTable(ones, c.collections, c.total);
        classifyConstancy(t);
        EXPECT_EQ(constancyClasses(t), c.classes) << c.name;
    }
}

TEST(Constancy, ExactLimitsWithTheInterval) {
    // 24 collections, q = 0, 50, 100: g = 50, e = 28.87, L = -6.58 and
    // U = 106.58, so all three lie inside.
    auto t = test::makeTable({1, 1, 1}, {0, 12, 24}, 24);
    classifyConstancy(t);
    EXPECT_EQ(constancyClasses(t), (std::vector<std::string>{"Y", "Y", "Y"}));
    // Equal q: e = 0 and L = U = q. The lower limit is tested first and is
    // closed, so q = L gives "Z" (frequency treats its lower limit the
    // other way).
    auto equal = test::makeTable({1, 1}, {12, 12}, 24);
    classifyConstancy(equal);
    EXPECT_EQ(constancyClasses(equal), (std::vector<std::string>{"Z", "Z"}));
}

TEST(Constancy, RefusesZeroCollections) {
    auto t = test::makeTable({1, 2}, {0, 0}, 0);
    EXPECT_THROW(classifyConstancy(t), ZeroCollectionsError);
}

// Equal counts put every share exactly on both limits of every criterion, so
// the class may not depend on how many species there are.
TEST(ExactLimits, EqualCountsGiveOneClassForEverySpeciesCount) {
    struct Survey {
        std::int32_t individuals, collections, total;
        const char* abundance;
        const char* constancy;
    };
    const Survey surveys[] = {{1, 1, 30, "ma", "Z"}, {7, 3, 10, "ma", "Y"}, {123457, 29, 31, "ma", "Z"}};
    for (const auto& survey : surveys) {
        for (int s = 2; s <= kMaxSpecies; ++s) {
            const auto result =
                analyse(test::makeTable(std::vector<std::int32_t>(s, survey.individuals),
                                        std::vector<std::int32_t>(s, survey.collections), survey.total));
            for (const auto& sp : result.table.species) {
                ASSERT_EQ(abundanceText(sp.abundanceClass), survey.abundance) << "S = " << s;
                ASSERT_EQ(sp.frequencyClass, "MF") << "S = " << s;
                ASSERT_EQ(sp.constancyClass, survey.constancy) << "S = " << s;
            }
        }
    }
}

} // namespace
} // namespace zav
