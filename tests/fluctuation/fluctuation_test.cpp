#include "data/collection_blocks.h"
#include "data/errors.h"
#include "data/file_io.h"
#include "data/report_text.h"
#include "data/species_file.h"
#include "diversity/collection_matrix.h"
#include "fluctuation/correlation.h"
#include "fluctuation/fluctuation.h"
#include "fluctuation/fluctuation_report.h"
#include "fluctuation/seasonality.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace zav {
namespace {

using fluctuation::correlate;
using Series = std::vector<std::optional<double>>;
constexpr auto kNone = std::nullopt;

const std::filesystem::path kGolden = ZAV_GOLDEN_DIR;

FluctuationResult fluctuationOf(const std::string& bytes, int lag) {
    return analyseFluctuation(parseSpeciesTable(bytes), parseCollectionBlocks(bytes), lag);
}

TEST(AveragedRanks, ShareTheMeanRankOfTheirTies) {
    EXPECT_EQ(fluctuation::averagedRanks({3, 1, 3, 2, 3}), (std::vector<double>{4, 1, 4, 2, 4}));
    EXPECT_EQ(fluctuation::averagedRanks({5, 5}), (std::vector<double>{1.5, 1.5}));
}

// Pearson's r, Spearman's rho and their p against R 4's
// cor.test(x, y, method = "pearson" / "spearman", exact = FALSE) over the
// complete pairs.
TEST(Correlate, MatchesRsCorTestWithTiesAndGaps) {
    const struct {
        Series x, y;
        int n;
        double r, pr, rho, prho;
    } cases[] = {
        {{1, 2, kNone, 4, 5, 6, 7, 8},
         {2, 1, 4, 4, 5, 7, kNone, 9},
         6,
         0.968967006055175,
         0.00142962695835998,
         0.942857142857143,
         0.00480466472303207},
        {{3, 3, 3, 1, 2, 5, 5},
         {10.5, 11, 9, 2, 4, 20, 21},
         7,
         0.988490937698687,
         2.71250625462764e-05,
         0.954313515420528,
         0.00083600752787741},
        {{1, 2, 3, 4}, {2, 4, 6, 8.5}, 4, 0.99838143945703, 0.00161856054297006, 1.0, 0.0},
    };
    for (const auto& c : cases) {
        const auto got = correlate(c.x, c.y);
        EXPECT_EQ(got.n, c.n);
        ASSERT_TRUE(got.pearson && got.spearman);
        EXPECT_NEAR(got.pearson->value, c.r, 1e-12);
        EXPECT_NEAR(got.pearson->p, c.pr, 1e-10 * c.pr + 1e-14);
        EXPECT_NEAR(got.spearman->value, c.rho, 1e-12);
        EXPECT_NEAR(got.spearman->p, c.prho, 1e-10 * c.prho + 1e-14);
    }
}

TEST(Correlate, GivesNoneWithTheReasonForTooFewPairsOrNoVariation) {
    const struct {
        Series x, y;
        int n;
        const char* missing;
    } cases[] = {
        {{1, 2, 3}, {1, kNone, 3}, 2, "menos de 3 coletas com a série e a variável"},
        {{1, 1, 1, 2}, {1, 2, 3, kNone}, 3, "a série é constante nessas coletas"},
        {{1, 2, 3}, {4, 4, 4}, 3, "a variável é constante nessas coletas"},
    };
    for (const auto& c : cases) {
        const auto got = correlate(c.x, c.y);
        EXPECT_EQ(got.n, c.n);
        EXPECT_FALSE(got.pearson || got.spearman);
        EXPECT_EQ(got.missing, c.missing);
    }
}

// The eight angles of Zar's worked example of the mean angle and of
// Rayleigh's test (Biostatistical Analysis, 5th ed., ch. 26-27: r =
// 0.82522, mean 99 degrees, z = 5.448); the other figures by hand from his
// equations.
TEST(Rayleigh, MatchesZarsWorkedExample) {
    std::string missing;
    const auto got = fluctuation::rayleigh({45, 55, 81, 96, 110, 117, 132, 154}, std::vector<double>(8, 1.0), missing);
    ASSERT_TRUE(got);
    EXPECT_NEAR(got->r, 0.8252177448200448, 1e-12);
    EXPECT_NEAR(got->meanAngle, 98.98775195039646, 1e-10);
    EXPECT_NEAR(got->circularSd, 35.51487980442653, 1e-10);
    EXPECT_NEAR(got->z, 5.4478746109270455, 1e-10);
    EXPECT_NEAR(got->p, 0.0018516375077209267, 1e-12);
    EXPECT_EQ(got->meanDate, "11/04"); // day 1 + round(98.99 * 365 / 360) = 101, 11 April
    // Opposite dates: no mean direction.
    EXPECT_FALSE(fluctuation::rayleigh({0, 180}, {3, 3}, missing));
    EXPECT_FALSE(fluctuation::rayleigh({10}, {0}, missing));
}

TEST(Seasonality, AnglesAndDatesOfTheYear) {
    EXPECT_EQ(fluctuation::dayOfYear({2024, 3, 1}), 61);
    EXPECT_EQ(fluctuation::dayOfYear({2023, 12, 31}), 365);
    EXPECT_DOUBLE_EQ(fluctuation::dateAngle({2023, 1, 1}), 0.0);
    EXPECT_DOUBLE_EQ(fluctuation::dateAngle({2024, 12, 31}), 360.0 * 365 / 366);
    EXPECT_EQ(fluctuation::angleDate(0.0), "01/01");
    EXPECT_EQ(fluctuation::angleDate(359.9), "01/01"); // day 366 wraps
    EXPECT_EQ(fluctuation::angleDate(359.0), "31/12");
    EXPECT_EQ(fluctuation::angleDate(150.52856191731237), "03/06");
}

TEST(CollectionShannon, IsNaturalLogShannonOrNoneWhenEmpty) {
    EXPECT_FALSE(diversity::collectionShannon({0, 0}));
    EXPECT_EQ(*diversity::collectionShannon({0, 7}), 0.0);
    // -(0.5 ln 0.5 + 2 x 0.25 ln 0.25) = 1.5 ln 2
    EXPECT_NEAR(*diversity::collectionShannon({2, 1, 0, 1}), 1.0397207708399179, 1e-15);
}

// The ten-species survey kept whole: 10 monthly collections of 2023, three
// weather variables with gaps; species 8, 9 and 10 predominant. The
// correlations against R's cor.test (exact = FALSE), with and without a
// lag of one collection; species 10 (10 in every collection) is constant.
TEST(Fluctuation, TenSpeciesSurveyMatchesR) {
    const auto bytes = readFileBytes(kGolden / "dez-especies-coletas.txt");
    const auto r0 = fluctuationOf(bytes, 0);
    EXPECT_EQ(r0.predominant, (std::vector<std::int32_t>{8, 9, 10}));
    EXPECT_EQ(r0.variables, (std::vector<std::string>{"temperatura", "umidade", "chuva"}));
    ASSERT_EQ(r0.collections.size(), 10u);
    std::vector<std::int64_t> individuals;
    std::vector<int> species;
    for (const auto& c : r0.collections) {
        individuals.push_back(c.individuals);
        species.push_back(c.species);
    }
    EXPECT_EQ(individuals, (std::vector<std::int64_t>{12, 13, 16, 16, 12, 16, 18, 10, 15, 17}));
    EXPECT_EQ(species, (std::vector<int>{3, 3, 6, 7, 2, 5, 8, 1, 4, 7}));
    EXPECT_EQ(r0.collections[1].predominant, (std::vector<std::int32_t>{2, 1, 10}));
    EXPECT_EQ(r0.collections[7].shannon, 0.0);

    // (series, variable) in the result's order: individuals, species,
    // species 8, species 9, species 10, each against the three variables.
    struct Expected {
        int n;
        double r, pr, rho, prho;
    };
    const Expected lag0[] = {
        {9, -0.260122324597626, 0.499060800529649, -0.260513400112966, 0.498392296895255},
        {9, 0.233665901009995, 0.545109882201493, 0.195789002074512, 0.613664439336882},
        {9, -0.291024971764813, 0.447394807315948, -0.314964916380737, 0.409062928207769},
        {9, -0.214533789884708, 0.579372485810449, -0.192470304013816, 0.619806139007939},
        {9, 0.339869485127225, 0.370855139067668, 0.268917058181126, 0.484116053135612},
        {9, -0.166686665562195, 0.668193069577321, -0.218495109772165, 0.572215347608109},
        {9, 0.210621319552464, 0.586472728638507, 0.21380899352994, 0.58068548856465},
        {9, 0.275046695910907, 0.473811719702994, 0.320713490294909, 0.400089446816369},
        {9, 0.0165367229454656, 0.966319340804257, -0.00890870806374748, 0.98185252922724},
        {9, -0.145904241816667, 0.707988872185759, -0.149403576166799, 0.70124232178218},
        {9, -0.0649227473161195, 0.868204142074352, -0.0597614304667197, 0.878616767758401},
        {9, -0.429998246179044, 0.248009861032895, -0.456435464587638, 0.216837545618901},
    };
    const Expected lag1[] = {
        {8, 0.142539183969741, 0.736337000523835, 0.07319250547114, 0.863253392920131},
        {8, -0.354260089686099, 0.389244588000964, -0.268372520060847, 0.520440977682338},
        {8, 0.133158448101025, 0.753263529938839, -0.0243975018237133, 0.95427283374209},
        {8, 0.176181578231374, 0.676431719532007, 0.131738888810459, 0.755832636259335},
        {8, -0.143425448006557, 0.734742506366585, -0.167667676667856, 0.691465351646736},
        {8, 0.199135211722825, 0.636374891889646, 0.143715151429591, 0.734221474761743},
        {8, 0.195867273944177, 0.642033570058233, 0.231455024943138, 0.581271954038018},
        {8, -0.252540652698868, 0.546233862334795, -0.231455024943138, 0.581271954038018},
        {8, 0.158303633311688, 0.708102275993196, 0.117369119465393, 0.781945573188353},
        {8, 0.500793292126677, 0.206195459836342, 0.577350269189626, 0.133974596215561},
        {8, 0.0759311195328831, 0.858175433755641, 0.0824786098842323, 0.846052523866644},
        {8, 0.271088702511771, 0.516062238292608, 0.436435780471985, 0.279658290904658},
    };
    const auto check = [](const FluctuationResult& r, const Expected* expected, int lag) {
        ASSERT_EQ(r.correlations.size(), 15u);
        for (std::size_t i = 0; i < 12; ++i) {
            const auto& got = r.correlations[i].result;
            EXPECT_EQ(got.n, expected[i].n) << lag << " " << i;
            ASSERT_TRUE(got.pearson && got.spearman) << lag << " " << i;
            EXPECT_NEAR(got.pearson->value, expected[i].r, 1e-12) << lag << " " << i;
            EXPECT_NEAR(got.pearson->p, expected[i].pr, 1e-10) << lag << " " << i;
            EXPECT_NEAR(got.spearman->value, expected[i].rho, 1e-12) << lag << " " << i;
            EXPECT_NEAR(got.spearman->p, expected[i].prho, 1e-10) << lag << " " << i;
        }
        for (std::size_t i = 12; i < 15; ++i) {
            EXPECT_EQ(r.correlations[i].series, "especie 10");
            EXPECT_EQ(r.correlations[i].result.missing, "a série é constante nessas coletas");
        }
    };
    check(r0, lag0, 0);
    check(fluctuationOf(bytes, 1), lag1, 1);

    // The individuals over the year, by hand from Zar's equations.
    ASSERT_TRUE(r0.seasonality);
    EXPECT_EQ(r0.seasonality->n, 145.0);
    EXPECT_NEAR(r0.seasonality->r, 0.20803057305253483, 1e-12);
    EXPECT_NEAR(r0.seasonality->meanAngle, 150.52856191731237, 1e-9);
    EXPECT_EQ(r0.seasonality->meanDate, "03/06");
    EXPECT_NEAR(r0.seasonality->circularSd, 101.53065056564024, 1e-9);
    EXPECT_NEAR(r0.seasonality->z, 6.275124302062074, 1e-10);
    EXPECT_NEAR(r0.seasonality->p, 0.0017959188773159441, 1e-12);
}

TEST(Fluctuation, UndatedSurveysHaveNoSeasonalityAndFilesWithoutCollectionsAreRefused) {
    const std::string species = "2 3\r\n3 2\r\n4 3\r\n";
    const auto r = fluctuationOf(species + "[coletas]\r\n- 1 1\r\n- 2 1\r\n- 0 2\r\n", 0);
    EXPECT_FALSE(r.seasonality);
    EXPECT_EQ(r.seasonalityMissing, "as coletas não têm data");
    EXPECT_TRUE(r.correlations.empty());
    try {
        fluctuationOf(species, 0);
        ADD_FAILURE() << "accepted a file without collections";
    } catch (const DataFileError& e) {
        EXPECT_NE(e.detail().find("[coletas]"), std::string::npos);
    }
}

// Whole outputs against files checked by hand. ZAV_UPDATE_GOLDEN=1 rewrites
// them; review the difference before committing.
TEST(FluctuationReport, MatchesTheGoldenFiles) {
    const auto bytes = readFileBytes(kGolden / "dez-especies-coletas.txt");
    const auto blocks = parseCollectionBlocks(bytes);
    const DateTime when{6, 12, 2026, 9, 5, 7, 42};
    const struct {
        int lag;
        const char* report;
        const char* json;
    } cases[] = {{0, "dez-especies-coletas.relatorio", "dez-especies-coletas.json"},
                 {1, "dez-especies-coletas-defasagem-1.relatorio", "dez-especies-coletas-defasagem-1.json"}};
    for (const auto& c : cases) {
        const auto result = analyseFluctuation(parseSpeciesTable(bytes), blocks, c.lag);
        const std::pair<std::string, std::string> outputs[] = {
            {c.report, joinReportLines(fluctuationReport(result, "C:\\Dados\\dez-especies-coletas.txt", when))},
            {c.json, fluctuationJson(result, "C:\\Dados\\dez-especies-coletas.txt", when)},
        };
        for (const auto& [file, actual] : outputs) {
            if (std::getenv("ZAV_UPDATE_GOLDEN")) std::ofstream(kGolden / file, std::ios::binary) << actual;
            EXPECT_EQ(actual, readFileBytes(kGolden / file)) << file;
        }
    }
    const auto csv = fluctuationCsv(analyseFluctuation(parseSpeciesTable(bytes), blocks, 0), blocks);
    EXPECT_EQ(csv.substr(0, csv.find('\n', csv.find('\n') + 1) + 1),
              "coleta,data,individuos,especies,shannon,especie 8,especie 9,especie 10,temperatura,umidade,chuva\n"
              "1,2023-01-15,12,3,0.5660857389596289,0,0,10,24.5,80,120.2\n");
    EXPECT_NE(csv.find("\n8,2023-08-15,10,1,0,0,0,10,19,66,\n"), std::string::npos);
    EXPECT_NE(csv.find("\n4,2023-04-15,16,7,"), std::string::npos);
}

} // namespace
} // namespace zav
