#include "comparison/comparison.h"
#include "comparison/comparison_report.h"
#include "data/errors.h"
#include "data/file_io.h"
#include "data/report_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace zav {
namespace {

// Four treatments of six species, checked once against R (vegan 2.6-4):
// 100 * (1 - vegdist(x, m)) for jaccard (binary), bray (binary, Sørensen),
// horn and bray; hclust(d, "average") and cor(d, cophenetic(hc)).
const PresenceMatrix kFour{{{10, 3, 0, 5, 1, 7}, {4, 0, 7, 2, 0, 1}, {0, 2, 1, 6, 3, 0}, {12, 5, 0, 3, 0, 9}}};

TEST(CompareTreatments, ZarsExample) {
    // Zar, Biostatistical Analysis, Hutcheson's test with log10: H 0.540333
    // and 0.632783, variances 0.001376 and 0.000969, t = -1.909, df 195.93,
    // p 0.0577. Here in natural logs: H and Var scale by ln 10 and ln^2 10.
    const auto r = compareTreatments({{{47, 35, 7, 5, 3, 2}, {48, 23, 11, 13, 8, 2}}}, DendrogramIndex::Sorensen);
    const double ln10 = std::log(10.0);
    EXPECT_NEAR(*r.diversity[0].shannon / ln10, 0.540333, 5e-7);
    EXPECT_NEAR(*r.diversity[1].shannon / ln10, 0.632783, 5e-7);
    EXPECT_NEAR(*r.diversity[0].variance / (ln10 * ln10), 0.001376, 5e-7);
    EXPECT_NEAR(*r.diversity[1].variance / (ln10 * ln10), 0.000969, 5e-7);
    const auto& p = r.hutcheson.at(0);
    EXPECT_NEAR(*p.t, -1.909, 5e-4);
    EXPECT_NEAR(*p.df, 195.93, 5e-3);
    EXPECT_NEAR(*p.p, 0.0577, 5e-5);
    EXPECT_EQ(*p.pHolm, *p.p);
}

TEST(CompareTreatments, MatchesVeganAndHclust) {
    const auto r = compareTreatments(kFour, DendrogramIndex::Sorensen);
    struct Case {
        const IndexMatrix* m;
        double expected[4][4];
    };
    const Case cases[] = {
        {&r.sorensen, {{100, 66.6666666666667, 66.6666666666667, 88.8888888888889}, {0, 100, 50, 75}, {0, 0, 100, 50}}},
        {&r.jaccard, {{100, 50, 50, 80}, {0, 100, 33.3333333333333, 60}, {0, 0, 100, 33.3333333333333}}},
        {&r.morisitaHorn,
         {{100, 49.7649429147079, 40.3608862942815, 97.3853038553428},
          {0, 100, 32.1126760563380, 46.6607074447708},
          {0, 0, 100, 24.5607844125728}}},
        {&r.brayCurtis,
         {{100, 35, 42.1052631578947, 83.6363636363636},
          {0, 100, 23.0769230769231, 32.5581395348837},
          {0, 0, 100, 24.3902439024390}}},
    };
    for (const auto& c : cases)
        for (std::size_t x = 0; x < 4; ++x)
            for (std::size_t y = x; y < 4; ++y) {
                const double expected = x == 3 ? 100.0 : c.expected[x][y];
                EXPECT_NEAR(*(*c.m)[x][y], expected, 1e-10) << x << y;
                EXPECT_EQ((*c.m)[x][y], (*c.m)[y][x]);
            }
    // Sørensen is the similarity run's quotient, to the bit.
    const auto similarity = CalculaSimilaridade(kFour);
    EXPECT_EQ(*r.sorensen[1][3], similarity.pairs[4].quotient);

    // Hutcheson for T1 x T2 and Holm over the six pairs (R: all adjust to 1).
    EXPECT_NEAR(*r.hutcheson[0].t, 1.2625086024413, 1e-12);
    EXPECT_NEAR(*r.hutcheson[0].df, 26.2287373066257, 1e-10);
    EXPECT_NEAR(*r.hutcheson[0].p, 0.217875919965807, 1e-10);
    for (const auto& pair : r.hutcheson)
        EXPECT_EQ(*pair.pHolm, 1.0);

    struct Tree {
        DendrogramIndex index;
        double heights[3];
        double cophenetic;
    };
    for (const Tree& t :
         {Tree{DendrogramIndex::Sorensen, {0.111111111111111, 0.291666666666667, 0.444444444444444}, 0.896226586506635},
          Tree{DendrogramIndex::BrayCurtis,
               {0.163636363636364, 0.662209302325581, 0.701425232875811},
               0.953490692637067}}) {
        const auto tree = compareTreatments(kFour, t.index).dendrogram.tree;
        ASSERT_EQ(tree.merges.size(), 3u);
        EXPECT_EQ(tree.merges[0].left, std::vector<int>{1});
        EXPECT_EQ(tree.merges[0].right, std::vector<int>{4});
        EXPECT_EQ(tree.merges[1].right, std::vector<int>{2});
        EXPECT_EQ(tree.merges[2].left, (std::vector<int>{1, 2, 4}));
        EXPECT_EQ(tree.leafOrder, (std::vector<int>{1, 4, 2, 3}));
        for (std::size_t i = 0; i < 3; ++i)
            EXPECT_NEAR(tree.merges[i].height, t.heights[i], 1e-14);
        EXPECT_NEAR(*tree.copheneticCorrelation, t.cophenetic, 1e-12);
    }
}

TEST(CompareTreatments, UndefinedValuesAreMissingWithTheirReason) {
    // T2 has no individuals, T3 and T4 are perfectly even (variance 0).
    const auto r = compareTreatments({{{5, 1}, {0, 0}, {2, 2, 2, 2}, {4}}}, DendrogramIndex::Sorensen);
    EXPECT_FALSE(r.diversity[1].shannon);
    EXPECT_EQ(*r.diversity[2].variance, 0.0);
    EXPECT_EQ(r.hutcheson[0].gap, HutchesonGap::NoIndividuals);
    EXPECT_EQ(r.hutcheson[5].gap, HutchesonGap::NoVariance);
    EXPECT_FALSE(r.hutcheson[5].t);
    EXPECT_EQ(*r.hutcheson[1].df, 6.0); // one variance 0: df = N of the other
    EXPECT_FALSE(r.morisitaHorn[0][1]);
    EXPECT_EQ(*r.sorensen[0][1], 0.0);
    EXPECT_FALSE(r.sorensen[1][1]);
    // Two empty treatments leave the dendrogram without a distance.
    const auto empty = compareTreatments({{{1, 2}, {0}, {0, 0}}}, DendrogramIndex::BrayCurtis);
    EXPECT_EQ(empty.dendrogram.gap, DendrogramGap::UndefinedDistance);
    EXPECT_EQ(std::pair(empty.dendrogram.gapX, empty.dendrogram.gapY), std::pair(2, 3));
    EXPECT_TRUE(empty.dendrogram.tree.merges.empty());
}

TEST(CompareTreatments, TiesAndRefusals) {
    // Equal distances: the groups with the smallest first members join first;
    // the cophenetic heights do not vary, so there is no correlation.
    const auto tree = upgma({{0, 0.5, 0.5}, {0.5, 0, 0.5}, {0.5, 0.5, 0}});
    EXPECT_EQ(tree.merges[0].left, std::vector<int>{1});
    EXPECT_EQ(tree.merges[0].right, std::vector<int>{2});
    EXPECT_FALSE(tree.copheneticCorrelation);
    EXPECT_FALSE(
        compareTreatments({{{1, 2}, {2, 1}}}, DendrogramIndex::Sorensen).dendrogram.tree.copheneticCorrelation);

    EXPECT_EQ(comparisonCountProblem(1), "Erro: Digite 2 ou mais conjuntos de dados");
    EXPECT_EQ(comparisonCountProblem(2), "");
    EXPECT_EQ(comparisonCountProblem(10), "");
    EXPECT_EQ(comparisonCountProblem(11), "Erro: Digite no máximo 10 conjuntos de dados");
    EXPECT_THROW(compareTreatments({{{1}}}, DendrogramIndex::Sorensen), ComparisonCountError);
    EXPECT_THROW(compareTreatments({{{1, 2}, {3, -1}}}, DendrogramIndex::Sorensen), DataFileError);
}

TEST(ComparisonReport, MatchesTheGoldenFiles) {
    // The four treatments and an empty fifth, which leaves gaps to explain.
    PresenceMatrix five = kFour;
    five.treatments.push_back({0, 0, 0, 0, 0, 0});
    const std::vector<std::string> names{"mata.txt", "pasto.txt", "milho.txt", "eucalipto.txt", "vazio.txt"};
    const std::filesystem::path dir = ZAV_GOLDEN_DIR;
    const auto sorensen = compareTreatments(five, DendrogramIndex::Sorensen);
    const auto bray = compareTreatments(kFour, DendrogramIndex::BrayCurtis);
    const std::pair<std::string, std::string> outputs[] = {
        {"cinco-tratamentos.relatorio",
         joinReportLines(comparisonReport(sorensen, names, {6, 12, 2026, 9, 5, 3, 999}))},
        {"cinco-tratamentos.json", comparisonJson(sorensen, names)},
        {"bray-curtis.relatorio",
         joinReportLines(comparisonReport(bray, {names.begin(), names.begin() + 4}, {6, 12, 2026, 9, 5, 3, 999}))},
    };
    for (const auto& [file, bytes] : outputs) {
        if (std::getenv("ZAV_UPDATE_GOLDEN")) std::ofstream(dir / file, std::ios::binary) << bytes;
        EXPECT_EQ(bytes, readFileBytes(dir / file)) << file;
    }
}

} // namespace
} // namespace zav
