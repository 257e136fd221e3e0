#include "data/species_counts.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace zav {
namespace {

TEST(SpeciesCounts, SaysWhyCountsCannotBeOneSpecies) {
    const struct {
        std::int64_t individuals, collections;
        std::optional<std::int64_t> total;
        std::string problem;
    } cases[] = {
        {0, 0, 12, ""},
        {1, 1, 1, ""},
        {45, 12, 12, ""},
        {3, 4, std::nullopt,
         "3 indivíduos em 4 coletas; uma espécie tem ao menos um indivíduo em cada coleta em que "
         "foi coletada"},
        {1, 2, 12,
         "1 indivíduo em 2 coletas; uma espécie tem ao menos um indivíduo em cada coleta em que foi "
         "coletada"},
        {7, 0, 12, "7 indivíduos em 0 coletas; uma espécie com indivíduos foi coletada em ao menos uma coleta"},
        {0, 2, std::nullopt, "0 indivíduos em 2 coletas; uma espécie coletada tem ao menos um indivíduo"},
        {0, 1, 12, "0 indivíduos em 1 coleta; uma espécie coletada tem ao menos um indivíduo"},
        {30, 15, 12,
         "15 coletas num levantamento de 12 coletas; uma espécie não é coletada em mais coletas do que o "
         "levantamento tem"},
        {30, 2, 1,
         "2 coletas num levantamento de 1 coleta; uma espécie não é coletada em mais coletas do que o "
         "levantamento tem"},
        {30, 15, std::nullopt, ""},
        {-1, 0, 12, "-1 indivíduos em 0 coletas; uma contagem não é negativa"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(speciesCountsProblem(c.individuals, c.collections, c.total), c.problem)
            << c.individuals << " " << c.collections;
}

} // namespace
} // namespace zav
