#include "analysis/abundance.h"
#include "data/errors.h"
#include "table_builder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zav {
namespace {

std::vector<std::string> texts(const SpeciesTable& t) {
    std::vector<std::string> out;
    for (const auto& s : t.species)
        out.emplace_back(abundanceText(s.abundanceClass));
    return out;
}

struct AbundanceCase {
    const char* name;
    std::vector<std::int32_t> counts;
    std::vector<std::string> classes;
    std::int64_t working; // N' after the step
    int kept;             // S'
};

TEST(ClassifyAbundance, ExcludesOutliersAndClassesTheRest) {
    const AbundanceCase cases[] = {
        {"one outlier of ten",
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 100},
         {" r", " r", " d", " c", " c", " c", " a", "ma", "ma", "sa"},
         45,
         9},
        {"equal counts: s = 0, all limits equal", {10, 10}, {"ma", "ma"}, 20, 2},
        {"a pass that excludes nothing keeps its 99 % limits", {1, 10}, {" c", " c"}, 11, 2},
        {"five species can lose none", {2, 3, 4, 5, 30}, {" c", " c", " c", " c", "ma"}, 44, 5},
        // m = 27.75, s = 12.5, e = 6.25: 40 lies on U95 = 40 exactly.
        {"a count on the upper 95 % limit", {16, 18, 37, 40}, {" c", " c", " c", " a"}, 111, 4},
        // m = 22.25, s = 12.5, e = 6.25: 10 lies on L95 = 10 exactly.
        {"a count on the lower 95 % limit", {10, 13, 32, 34}, {" c", " c", " c", " c"}, 89, 4},
    };
    for (const auto& c : cases) {
        auto t = test::makeTable(c.counts);
        classifyAbundance(t);
        EXPECT_EQ(texts(t), c.classes) << c.name;
        EXPECT_EQ(t.workingIndividuals, c.working) << c.name;
        EXPECT_EQ(t.keptSpecies, c.kept) << c.name;
        EXPECT_EQ(t.totalIndividuals, t.workingIndividuals + (t.totalIndividuals - c.working)) << c.name;
    }
}

TEST(ClassifyAbundance, ExcludesPassAfterPassUntilNoneIsFarOff) {
    // 1000 is far off the first mean; once it is gone, 200 is far off the
    // mean of the rest.
    auto t = test::makeTable({1, 2, 2, 3, 3, 3, 4, 4, 5, 5, 6, 200, 1000, 2, 3, 4, 1, 2, 3, 4, 5, 3, 2, 4, 3, 2});
    classifyAbundance(t);
    EXPECT_EQ(t.species[12].abundanceClass, kExcluded);
    EXPECT_EQ(t.species[11].abundanceClass, kExcluded);
    EXPECT_EQ(t.workingIndividuals, t.totalIndividuals - 1200);
    EXPECT_EQ(t.keptSpecies, 24);
    for (const auto& s : t.species)
        EXPECT_GE(s.abundanceClass, 1);
}

TEST(ClassifyAbundance, AZOfExactlyTwoIsNotExcluded) {
    // m = 3, s = 4: the 11 lies at z = 2 exactly while L95 < 0.
    auto t = test::makeTable({11, 1, 1, 1, 3, 1});
    classifyAbundance(t);
    EXPECT_NE(t.species[0].abundanceClass, kExcluded);
    EXPECT_EQ(t.keptSpecies, 6);
    EXPECT_EQ(t.workingIndividuals, 18);
}

TEST(ClassifyAbundance, AZOfExactlyMinusTwoIsNotExcluded) {
    // The mirror of the case above: m = -3, s = 4, the -11 at z = -2.
    auto t = test::makeTable({-11, -1, -1, -1, -3, -1});
    classifyAbundance(t);
    EXPECT_NE(t.species[0].abundanceClass, kExcluded);
    EXPECT_EQ(t.keptSpecies, 6);
}

TEST(ClassifyAbundance, RefusesTablesWithoutAVariance) {
    auto one = test::makeTable({5});
    EXPECT_THROW(classifyAbundance(one), TooFewSpeciesError);
    auto none = test::makeTable({});
    EXPECT_THROW(classifyAbundance(none), TooFewSpeciesError);
    // Equal negative counts: s = 0 while the lower limit is negative, so an
    // exclusion pass would divide by zero.
    auto negative = test::makeTable({-4, -4, -4});
    EXPECT_THROW(classifyAbundance(negative), ComputationError);
}

} // namespace
} // namespace zav
