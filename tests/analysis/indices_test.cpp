#include "analysis/indices.h"
#include "data/errors.h"
#include "table_builder.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zav {
namespace {

struct IndicesCase {
    const char* name;
    std::vector<std::int32_t> counts;
    std::vector<int> excluded; // indices of species set apart
    double h, lower, upper, alfa, e;
};

TEST(CommunityIndices, WorkedExamples) {
    const IndicesCase cases[] = {
        {"ten species, outlier set apart",
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 100},
         {9},
         2.049841,
         2.028741,
         2.070941,
         2.101578,
         0.932923},
        {"two species", {1, 3}, {}, 0.562335, 0.324479, 0.800192, 0.721348, 0.811278},
        // Equal counts: v is 0 in exact arithmetic; rounding must not make the
        // square root fail, and both bounds equal H.
        {"equal counts", {7, 7, 7}, {}, 1.098612, 1.098612, 1.098612, 2.0 / std::log(21.0), 1.0},
    };
    for (const auto& c : cases) {
        auto t = test::makeTable(c.counts);
        for (auto& s : t.species)
            s.abundanceClass = 3;
        for (int i : c.excluded)
            t.species[static_cast<std::size_t>(i)].abundanceClass = kExcluded;
        const auto ix = computeCommunityIndices(t);
        EXPECT_NEAR(ix.shannon, c.h, 5e-7) << c.name;
        EXPECT_NEAR(ix.shannonLower, c.lower, 5e-7) << c.name;
        EXPECT_NEAR(ix.shannonUpper, c.upper, 5e-7) << c.name;
        EXPECT_NEAR(ix.margalef, c.alfa, 5e-7) << c.name;
        EXPECT_NEAR(ix.evenness, c.e, 5e-7) << c.name;
    }
}

TEST(CommunityIndices, RefusesSharesThatAreNotPositive) {
    auto t = test::makeTable({-2, 5, 4});
    for (auto& s : t.species)
        s.abundanceClass = 3;
    EXPECT_THROW(computeCommunityIndices(t), ComputationError);
}

TEST(CommunityIndices, HasRoomForEveryKeptSpecies) {
    std::vector<std::int32_t> counts(900);
    for (int i = 0; i < 900; ++i)
        counts[static_cast<std::size_t>(i)] = 1 + i % 7;
    auto t = test::makeTable(counts);
    for (auto& s : t.species)
        s.abundanceClass = 3;
    const auto ix = computeCommunityIndices(t);
    EXPECT_GT(ix.shannon, 0.0);
    EXPECT_LT(ix.evenness, 1.0);
}

} // namespace
} // namespace zav
