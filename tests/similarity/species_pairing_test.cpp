#include "similarity/species_pairing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zav {
namespace {

using Counts = std::vector<std::int32_t>;
using Names = std::vector<std::string>;

struct Case {
    const char* what;
    std::vector<TreatmentSpecies> files;
    std::vector<Counts> rows; // the matrix, treatment by treatment
    Names names;
    bool byName;
    Names notes;
};

TEST(PairSpecies, ByNameWhenEveryFileNamesItsSpecies) {
    const Names labels = {"T1 (a.txt)", "T2 (b.txt)", "T3 (c.txt)"};
    const Case cases[] = {
        {"same names, same order: by line, no note",
         {{{3, 0, 2}, {"A", "B", "C"}}, {{1, 1, 0}, {"A", "B", "C"}}},
         {{3, 0, 2}, {1, 1, 0}},
         {"A", "B", "C"},
         false,
         {}},
        {"one sheet sorted differently",
         {{{3, 0, 2}, {"A", "B", "C"}}, {{5, 1, 0}, {"C", "B", "A"}}},
         {{3, 0, 2}, {0, 1, 5}},
         {"A", "B", "C"},
         true,
         {"Espécies pareadas pelo nome, não pela linha: 3 espécies nos 2 tratamentos"}},
        {"files listing only the species caught; unnamed empty lines left out",
         {{{3, 2}, {"A", "C"}}, {{4, 0, 1}, {"B", "", "C"}}, {{7}, {"D"}}},
         {{3, 2, 0, 0}, {0, 1, 4, 0}, {0, 0, 0, 7}},
         {"A", "C", "B", "D"},
         true,
         {"Espécies pareadas pelo nome, não pela linha: 4 espécies nos 3 tratamentos"}},
        {"case and accents are part of the name",
         {{{1, 1}, {"Atta", "saúva"}}, {{1, 1}, {"atta", "saúva"}}},
         {{1, 1, 0}, {0, 1, 1}},
         {"Atta", "saúva", "atta"},
         true,
         {"Espécies pareadas pelo nome, não pela linha: 3 espécies nos 2 tratamentos"}},
        {"a species with individuals but no name: by line, warned of the lengths",
         {{{3, 2}, {"A", ""}}, {{1, 1, 4}, {"A", "B", "C"}}},
         {{3, 2}, {1, 1, 4}},
         {"A", ""},
         false,
         {"Aviso: os tratamentos têm números diferentes de espécies (2, 3); espécies pareadas pela linha"}},
        {"no names and different lengths",
         {{{3, 2}, {}}, {{1, 1, 4}, {}}},
         {{3, 2}, {1, 1, 4}},
         {"", ""},
         false,
         {"Aviso: os tratamentos têm números diferentes de espécies (2, 3); espécies pareadas pela linha"}},
        {"a name given twice in a file",
         {{{3, 2}, {"A", "B"}}, {{1, 1}, {"B", "B"}}},
         {{3, 2}, {1, 1}},
         {"A", "B"},
         false,
         {"Aviso: T2 (b.txt) dá o nome \"B\" a duas espécies (1 e 2); espécies pareadas pela linha"}},
        {"partly named files that name a line differently",
         {{{3, 2}, {"A", ""}}, {{1, 0}, {"B", ""}}},
         {{3, 2}, {1, 0}},
         {"A", ""},
         false,
         {"Aviso: a espécie 1 tem nomes diferentes em T1 (a.txt) e T2 (b.txt) (\"A\", \"B\"); espécies pareadas "
          "pela linha"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto paired = pairSpecies(c.files, labels);
        EXPECT_EQ(paired.matrix.treatments, c.rows);
        EXPECT_EQ(paired.names, c.names);
        EXPECT_EQ(paired.byName, c.byName);
        EXPECT_EQ(paired.notes, c.notes);
    }
}

} // namespace
} // namespace zav
