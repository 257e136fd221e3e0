#include "communities/communities.h"
#include "communities/communities_report.h"
#include "data/file_io.h"
#include "data/report_text.h"
#include "runs/run_kinds.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace zav::communities {
namespace {

// Three treatments (mata, borda, pasto) of four collections and six
// species; T2's collection 2 has no individuals. R (vegan 2.6-4) was given
// the eleven other collections, in this order.
const std::vector<TreatmentCollections> kSurvey{
    {{{12, 5, 0, 3, 1, 0}, {9, 7, 1, 0, 2, 0}, {15, 4, 0, 2, 0, 1}, {11, 6, 2, 1, 1, 0}}},
    {{{4, 3, 5, 2, 2, 1}, {0, 0, 0, 0, 0, 0}, {6, 2, 3, 4, 0, 2}, {3, 5, 4, 3, 1, 0}}},
    {{{0, 1, 9, 0, 6, 4}, {1, 0, 12, 1, 8, 3}, {0, 0, 7, 0, 5, 6}, {2, 1, 10, 0, 9, 2}}},
};

SampleMatrix survey() { return buildSamples(kSurvey, 6); }

// p from N permutations against R's p from 9999: within four standard
// errors of the difference of two binomial proportions.
void expectWithinNoise(double p, int permutations, double pR) {
    const double se = std::sqrt(pR * (1.0 - pR) * (1.0 / permutations + 1.0 / 9999.0));
    EXPECT_NEAR(p, pR, 4.0 * se + 1.0 / (permutations + 1));
}

TEST(Samples, LeaveOutEmptyCollectionsAndKeepTheirNumbers) {
    const auto m = survey();
    ASSERT_EQ(m.samples.size(), 11u);
    EXPECT_EQ(m.excluded, (std::vector<SampleId>{{2, 2}}));
    EXPECT_EQ(m.samples[4], (SampleId{2, 1}));
    EXPECT_EQ(m.samples[5], (SampleId{2, 3}));
    EXPECT_EQ(m.sizes(), (std::vector<int>{4, 3, 4}));
    EXPECT_EQ(exclusionNote(m.excluded[0]), "T2, coleta 2: sem indivíduos, fora da análise");
}

TEST(Samples, RefuseWhatCannotBeCompared) {
    struct Case {
        std::vector<TreatmentCollections> treatments;
        const char* message;
    };
    const Case cases[] = {
        {{{{{1, 2}}}}, "Erro: as comunidades comparam de 2 a 10 tratamentos; foram dados 1."},
        {{{{{1, 2}}}, {{{1, 2, 3}}}}, "Erro: T2, coleta 1: 3 contagens para 2 espécies."},
        {{{{{1, 2}}}, {{{0, 0}, {0, 0}}}}, "Erro: T2 não tem nenhuma coleta com indivíduos."},
        {{{{{1, 2}}}, {{{1, -2}}}}, "Erro: T2, coleta 1: contagem negativa."},
    };
    // 2001 collections of one individual.
    const std::vector<TreatmentCollections> many{{std::vector<std::vector<std::int32_t>>(1001, {1, 0})},
                                                 {std::vector<std::vector<std::int32_t>>(1000, {0, 1})}};
    try {
        buildSamples(many, 2);
        ADD_FAILURE();
    } catch (const CommunityInputError& e) {
        EXPECT_STREQ(e.what(), "Erro: 2001 coletas com indivíduos; as comunidades tomam no máximo 2000 amostras.");
    }
    for (const auto& c : cases) {
        try {
            buildSamples(c.treatments, 2);
            ADD_FAILURE() << c.message;
        } catch (const CommunityInputError& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
    EXPECT_THROW(analyzeCommunities(survey(), Dissimilarity::BrayCurtis, 0, 1), CommunityInputError);
}

TEST(Dissimilarities, ByHand) {
    // |1-3| + |2-0| + |0-0| over 1+2+3 = 4/6; presence: one shared, one not.
    EXPECT_DOUBLE_EQ(brayCurtis({1, 2, 0}, {3, 0, 0}), 4.0 / 6.0);
    EXPECT_DOUBLE_EQ(jaccard({1, 2, 0}, {3, 0, 5}), 2.0 / 3.0);
    EXPECT_DOUBLE_EQ(brayCurtis({1, 2}, {1, 2}), 0.0);
}

TEST(Permanova, MatchesAdonis2) {
    // adonis2(vegdist(x, m) ~ g, permutations = 9999), set.seed(1).
    struct Case {
        Dissimilarity index;
        double ssBetween, ssWithin, ssTotal, f, r2, pR;
    };
    const Case cases[] = {
        {Dissimilarity::BrayCurtis, 1.4968720895915135, 0.24389739088888709, 1.7407694804804006, 24.549210373036701,
         0.85989104610130307, 0.0002},
        {Dissimilarity::Jaccard, 0.4423295454545455, 0.52506944444444437, 0.96739898989898987, 3.3696841447139034,
         0.45723589756976174, 0.0223},
    };
    const auto m = survey();
    for (const auto& c : cases) {
        const auto o = permanova(dissimilarities(m, c.index), m.groupOf(), 3, 9999, 7);
        ASSERT_TRUE(o.table);
        const auto& t = *o.table;
        EXPECT_EQ(t.dfBetween, 2);
        EXPECT_EQ(t.dfWithin, 8);
        EXPECT_NEAR(t.ssBetween, c.ssBetween, 1e-12);
        EXPECT_NEAR(t.ssWithin, c.ssWithin, 1e-12);
        EXPECT_NEAR(t.ssTotal, c.ssTotal, 1e-12);
        EXPECT_NEAR(*t.f, c.f, 1e-10);
        EXPECT_NEAR(t.r2, c.r2, 1e-12);
        expectWithinNoise(t.p, 9999, c.pR);
    }
}

TEST(Permanova, SaysWhyThereIsNone) {
    // T1 of one sample; then every sample alike.
    auto single = buildSamples({{{{3, 1}}}, {{{1, 1}, {2, 0}}}}, 2);
    auto o = permanova(dissimilarities(single, Dissimilarity::BrayCurtis), single.groupOf(), 2, 99, 1);
    EXPECT_EQ(o.gap, PermanovaGap::SingleSample);
    EXPECT_EQ(permanovaGapNote(o), "T1 tem uma só amostra; a PERMANOVA precisa de duas ou mais em cada tratamento.");
    auto alike = buildSamples({{{{2, 1}, {2, 1}}}, {{{2, 1}, {2, 1}}}}, 2);
    o = permanova(dissimilarities(alike, Dissimilarity::BrayCurtis), alike.groupOf(), 2, 99, 1);
    EXPECT_EQ(o.gap, PermanovaGap::NoDissimilarity);
    // Alike within each treatment, different between: F has no finite
    // value, and only the labelling seen (or its mirror) reaches it.
    auto apart = buildSamples({{{{5, 0}, {5, 0}}}, {{{0, 5}, {0, 5}}}}, 2);
    o = permanova(dissimilarities(apart, Dissimilarity::BrayCurtis), apart.groupOf(), 2, 999, 1);
    ASSERT_TRUE(o.table);
    EXPECT_FALSE(o.table->f);
    EXPECT_DOUBLE_EQ(o.table->r2, 1.0);
    expectWithinNoise(o.table->p, 999, 2.0 / 6.0);
}

TEST(IndVal, MatchesTheFormulasAndRsPermutations) {
    // A, B and the group by hand (the means 12.25, 4.333, 0.75 of species 1
    // give A = 12.25 / 17.333 = 0.69802, B = 4/4), checked in R with the
    // paper's formulas; p from 9999 permutations of R's sample().
    struct Row {
        int group;
        double a, b, pR;
    };
    const Row rows[] = {
        {1, 0.698019801980198085, 1.0, 0.0065}, {1, 0.589285714285714302, 1.0, 0.0378},
        {3, 0.666666666666666630, 1.0, 0.0069}, {2, 0.631578947368421020, 1.0, 0.0663},
        {3, 0.777777777777777790, 1.0, 0.0042}, {3, 0.75, 1.0, 0.0116},
    };
    const auto found = indicatorSpecies(survey(), 9999, 11);
    ASSERT_EQ(found.size(), 6u);
    for (std::size_t k = 0; k < 6; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(found[k].species, k);
        EXPECT_EQ(found[k].group, rows[k].group);
        EXPECT_NEAR(found[k].a, rows[k].a, 1e-15);
        EXPECT_NEAR(found[k].b, rows[k].b, 1e-15);
        EXPECT_NEAR(found[k].indval, 100.0 * rows[k].a * rows[k].b, 1e-12);
        expectWithinNoise(found[k].p, 9999, rows[k].pR);
    }
}

TEST(IndVal, LeavesOutSpeciesWithoutIndividualsAndTakesTheFirstOfATie) {
    // Species 2 nowhere; species 1 equal in both treatments.
    const auto m = buildSamples({{{{2, 0, 1}, {2, 0, 0}}}, {{{2, 0, 0}, {2, 0, 3}}}}, 3);
    const auto found = indicatorSpecies(m, 99, 1);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].species, 0u);
    EXPECT_EQ(found[0].group, 1);
    EXPECT_DOUBLE_EQ(found[0].indval, 50.0);
    EXPECT_EQ(found[0].p, 1.0);
    EXPECT_EQ(found[1].species, 2u);
    EXPECT_EQ(found[1].group, 2);
    EXPECT_DOUBLE_EQ(found[1].indval, 100.0 * 0.75 * 0.5);
}

TEST(Pcoa, MatchesCmdscale) {
    // cmdscale(vegdist(x, "bray"), k = 10, eig = TRUE): $eig and $points[, 1:2].
    const double eig[] = {1.39720619651734,      0.14601107196486,     0.105325566176731,   0.0675400253175559,
                          0.0354159145701735,    0.0232637240784464,   0.00303707288750007, 0.0,
                          -0.000428057481639814, -0.00992825641359753, -0.0266737771369747};
    const double axis1[] = {-0.434869881284735,   -0.309443161751838, -0.416011369473339, -0.331561722160488,
                            -0.00784183707828624, -0.134999213385099, -0.136958273774909, 0.465264688926256,
                            0.436044039004451,    0.49398192370318,   0.376394807274806};
    const double axis2[] = {0.0122524797890677, 0.189877119884267,  0.0536456452423721, 0.0983749177010194,
                            -0.114062739569065, -0.225346159766982, -0.165059570978372, 0.0465113992795914,
                            0.0309203745005174, 0.0215993645838536, 0.0512871693337314};
    const auto p = principalCoordinates(dissimilarities(survey(), Dissimilarity::BrayCurtis));
    ASSERT_EQ(p.eigenvalues.size(), 11u);
    for (std::size_t k = 0; k < 11; ++k)
        EXPECT_NEAR(p.eigenvalues[k], eig[k], 1e-13) << k;
    double positive = 0.0;
    for (double v : eig)
        positive += v > 0.0 ? v : 0.0;
    EXPECT_NEAR(*p.share1, 100.0 * eig[0] / positive, 1e-10);
    EXPECT_NEAR(*p.share2, 100.0 * eig[1] / positive, 1e-10);
    // Up to the sign of each axis.
    const double s1 = p.axis1[0] * axis1[0] < 0 ? -1.0 : 1.0, s2 = p.axis2[1] * axis2[1] < 0 ? -1.0 : 1.0;
    for (std::size_t i = 0; i < 11; ++i) {
        EXPECT_NEAR(s1 * p.axis1[i], axis1[i], 1e-12) << i;
        EXPECT_NEAR(s2 * p.axis2[i], axis2[i], 1e-12) << i;
    }
}

TEST(Pcoa, EigenOfKnownMatrices) {
    struct Case {
        std::vector<double> matrix;
        std::vector<double> values;
    };
    const Case cases[] = {
        {{2, 1, 1, 2}, {3, 1}},
        {{4, 0, 0, 0, -1, 0, 0, 0, 2}, {4, 2, -1}},
        {{2, -1, 0, -1, 2, -1, 0, -1, 2}, {2 + std::sqrt(2.0), 2, 2 - std::sqrt(2.0)}},
    };
    for (const auto& c : cases) {
        const std::size_t n = c.values.size();
        const auto e = symmetricEigen(c.matrix, n);
        for (std::size_t k = 0; k < n; ++k) {
            EXPECT_NEAR(e.values[k], c.values[k], 1e-14);
            // A v = lambda v.
            for (std::size_t r = 0; r < n; ++r) {
                double av = 0.0;
                for (std::size_t j = 0; j < n; ++j)
                    av += c.matrix[r * n + j] * e.vectors[j * n + k];
                EXPECT_NEAR(av, c.values[k] * e.vectors[r * n + k], 1e-14);
            }
        }
    }
}

// Four points on a line, x = 0, 1, 3, 6: distances 1, 3, 6, 2, 5, 3.
DistanceMatrix lineDissimilarities(double d02, double d12) {
    DistanceMatrix d{4, std::vector<double>(16, 0.0)};
    const auto set = [&](std::size_t i, std::size_t j, double v) { d.values[i * 4 + j] = d.values[j * 4 + i] = v; };
    set(0, 1, 0.1);
    set(0, 2, d02);
    set(1, 2, d12);
    set(2, 3, 0.4);
    set(1, 3, 0.5);
    set(0, 3, 0.6);
    return d;
}

TEST(Nmds, StressOfAKnownConfiguration) {
    const std::vector<double> x{0, 1, 3, 6}, y{0, 0, 0, 0};
    // In the dissimilarities' order the distances are 1, 3, 2, 3, 5, 6: the
    // monotone fit pools 3 and 2 into 2.5, 2.5, so stress-1 = sqrt(0.5 / 84).
    EXPECT_DOUBLE_EQ(stress1(lineDissimilarities(0.2, 0.3), x, y), std::sqrt(0.5 / 84.0));
    // Tied dissimilarities may take the distances in either order (the
    // primary approach): 1, 2, 3, 3, 5, 6 fits without residue.
    EXPECT_EQ(stress1(lineDissimilarities(0.2, 0.2), x, y), 0.0);
}

TEST(Nmds, FindsAPerfectPlaneConfiguration) {
    // Twelve points of the plane; dissimilarities a monotone function of
    // their distances, so a configuration of stress 0 exists.
    const double px[] = {0, 1, 2, 3, 0.5, 1.5, 2.5, 0, 1, 2, 3, 1.7};
    const double py[] = {0, 0.2, 0, 0.4, 1, 1.3, 1, 2, 2.2, 2.1, 1.8, 3};
    DistanceMatrix d{12, std::vector<double>(144, 0.0)};
    for (std::size_t i = 0; i < 12; ++i)
        for (std::size_t j = 0; j < 12; ++j) {
            const double e = std::sqrt((px[i] - px[j]) * (px[i] - px[j]) + (py[i] - py[j]) * (py[i] - py[j]));
            d.values[i * 12 + j] = 1.0 - std::exp(-e);
        }
    const auto n = nonmetricScaling(d, principalCoordinates(d), 5);
    ASSERT_TRUE(n.result);
    EXPECT_LT(n.result->stress, 1e-3);
    EXPECT_EQ(n.result->stress, stress1(d, n.result->axis1, n.result->axis2));
}

TEST(Nmds, NoWorseThanMetaMds) {
    // metaMDS(vegdist(x, "bray"), k = 2, try = 50, trymax = 100): best
    // stress 0.01467760547.
    const auto d = dissimilarities(survey(), Dissimilarity::BrayCurtis);
    const auto n = nonmetricScaling(d, principalCoordinates(d), kDefaultSeed);
    ASSERT_TRUE(n.result);
    EXPECT_LE(n.result->stress, 0.01467760547 + 1e-7);
    EXPECT_EQ(n.result->stress, stress1(d, n.result->axis1, n.result->axis2));
    EXPECT_EQ(n.result->starts, 20);
    // Centred and on its principal axes: no covariance left.
    double sx = 0, sy = 0, sxy = 0;
    for (std::size_t i = 0; i < d.n; ++i) {
        sx += n.result->axis1[i];
        sy += n.result->axis2[i];
        sxy += n.result->axis1[i] * n.result->axis2[i];
    }
    EXPECT_NEAR(sx, 0.0, 1e-12);
    EXPECT_NEAR(sy, 0.0, 1e-12);
    EXPECT_NEAR(sxy, 0.0, 1e-12);
}

TEST(Nmds, ReadingOfTheStress) {
    const std::pair<double, const char*> cases[] = {
        {0.0499, "excelente"},  {0.05, "boa"},
        {0.0999, "boa"},        {0.1, "utilizável"},
        {0.1999, "utilizável"}, {0.2, "Aviso: stress de 0.2 ou mais, a ordenação representa mal as dissimilaridades"}};
    for (const auto& [stress, reading] : cases)
        EXPECT_EQ(stressReading(stress), reading) << stress;
}

TEST(Communities, AllSamplesAlikeGiveNoNumberThatIsNot) {
    const auto r =
        analyzeCommunities(buildSamples({{{{2, 1}, {2, 1}}}, {{{2, 1}, {2, 1}}}}, 2), Dissimilarity::BrayCurtis, 99, 1);
    EXPECT_EQ(r.permanova.gap, PermanovaGap::NoDissimilarity);
    EXPECT_EQ(r.nmds.gap, NmdsGap::NoDissimilarity);
    EXPECT_FALSE(r.pcoa.share1);
    CommunityLabels labels{{"a", "b"}, {"a.txt", "b.txt"}, {"", ""}, {}};
    const auto json = communitiesJson(r, labels, "a.txt, b.txt", {});
    EXPECT_NE(json.find("\"permanova\": null"), std::string::npos);
    EXPECT_NE(json.find("\"nmds\": null"), std::string::npos);
    const auto report = joinReportLines(communitiesReport(r, labels, {}));
    EXPECT_NE(report.find("Sem PERMANOVA: todas as amostras s\xe3o iguais"), std::string::npos);
}

TEST(CommunitiesReport, MatchesTheGoldenFiles) {
    const auto r = analyzeCommunities(survey(), Dissimilarity::BrayCurtis, 999, kDefaultSeed);
    const auto j = analyzeCommunities(survey(), Dissimilarity::Jaccard, 199, 42);
    const CommunityLabels labels{
        {"mata.txt", "borda.txt", "pasto.txt"},
        {"/dados/mata.txt", "/dados/borda.txt", "/dados/pasto.txt"},
        {"Atta sexdens", "Camponotus sp.", "Solenopsis saevissima", "", "Pheidole sp. 1", "Dorymyrmex brunneus"},
        {"Espécies pareadas pelo nome, não pela linha: 6 espécies nos 3 tratamentos"}};
    const DateTime when{6, 12, 2026, 9, 5, 3, 42};
    const std::filesystem::path dir = ZAV_GOLDEN_DIR;
    const std::pair<std::string, std::string> outputs[] = {
        {"tres-areas.relatorio", joinReportLines(communitiesReport(r, labels, when))},
        {"tres-areas.json", communitiesJson(r, labels, "mata.txt, borda.txt, pasto.txt", when)},
        {"jaccard.relatorio", joinReportLines(communitiesReport(j, labels, when))},
    };
    for (const auto& [file, bytes] : outputs) {
        if (std::getenv("ZAV_UPDATE_GOLDEN")) std::ofstream(dir / file, std::ios::binary) << bytes;
        EXPECT_EQ(bytes, readFileBytes(dir / file)) << file;
    }
}

TEST(CommunitiesRun, PairsTheCollectionsBySpeciesNameAndRefusesAFileWithoutThem) {
    // borda.txt lists the same species in the reverse order: paired by name,
    // the samples are those above.
    const std::filesystem::path data = ZAV_COMMUNITIES_DATA_DIR;
    std::vector<std::string> bytes;
    for (const char* file : {"mata.txt", "borda.txt", "pasto.txt", "sem-coletas.txt"})
        bytes.push_back(readFileBytes(data / file));
    const auto run = runCommunities({{bytes[0], "mata.txt"}, {bytes[1], "borda.txt"}, {bytes[2], "pasto.txt"}},
                                    CommunityOptions{}, DateTime{});
    const auto direct = analyzeCommunities(survey(), Dissimilarity::BrayCurtis, kDefaultPermutations, kDefaultSeed);
    EXPECT_EQ(run.result.samples.counts, direct.samples.counts);
    EXPECT_EQ(run.result.samples.excluded, direct.samples.excluded);
    EXPECT_EQ(run.result.pcoa.eigenvalues, direct.pcoa.eigenvalues);
    EXPECT_EQ(run.result.permanova.table->p, direct.permanova.table->p);
    EXPECT_EQ(run.treatments.speciesNames[3], "Ectatomma sp.");
    EXPECT_EQ(run.notices.back(), "T2, coleta 2: sem indivíduos, fora da análise");
    try {
        runCommunities({{bytes[0], "mata.txt"}, {bytes[3], "sem-coletas.txt"}}, CommunityOptions{}, DateTime{});
        ADD_FAILURE();
    } catch (const CommunityInputError& e) {
        EXPECT_STREQ(e.what(), "Erro: sem-coletas.txt não tem o bloco [coletas]: as comunidades tomam cada coleta "
                               "como uma amostra.");
    }
}

} // namespace
} // namespace zav::communities

// Andrew's monotone chain by hand: inner, edge and repeated points left out,
// the vertices counter-clockwise from the lowest leftmost one.
TEST(Hull, ConvexHullByHand) {
    const struct {
        std::vector<double> x, y;
        std::vector<std::size_t> hull;
    } cases[] = {
        // A square with its centre, a point on its lower edge and a repeated corner.
        {{0, 2, 2, 0, 1, 1, 2}, {0, 0, 2, 2, 1, 0, 2}, {0, 1, 2, 3}},
        // A triangle given clockwise.
        {{0, 1, 2}, {0, 2, 0}, {0, 2, 1}},
        // Collinear points: the two ends.
        {{0, 1, 2, 3}, {0, 1, 2, 3}, {0, 3}},
        // A non-convex pentagon: the notch is left out.
        {{0, 4, 2, 4, 0}, {0, 0, 1, 4, 4}, {0, 1, 3, 4}},
        {{1}, {1}, {0}},
        {{}, {}, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(zav::communities::convexHull(c.x, c.y), c.hull);
}
