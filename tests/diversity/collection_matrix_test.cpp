// What the species x collection matrix gives, against R vegan 2.6's
// specpool and specaccum(method = "exact") on the same matrices, and the
// diversity report of a survey with and without its collections.
#include "data/collection_blocks.h"
#include "data/file_io.h"
#include "data/report_text.h"
#include "data/species_file.h"
#include "diversity/collection_matrix.h"
#include "diversity/diversity_report.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

namespace zav {
namespace {

using Matrix = std::vector<std::vector<std::int32_t>>;
const std::filesystem::path kGolden = ZAV_GOLDEN_DIR;
const DateTime kWhen{6, 12, 2026, 9, 5, 7, 42};

// Collections as rows, species as columns.
const Matrix kTenSpecies = {{1, 1, 0, 0, 0, 0, 0, 0, 0, 10}, {0, 0, 0, 0, 0, 0, 0, 2, 1, 10},
                            {0, 0, 0, 0, 2, 1, 1, 1, 1, 10}, {0, 1, 1, 1, 1, 1, 0, 0, 1, 10},
                            {0, 0, 0, 0, 0, 0, 0, 0, 2, 10}, {0, 0, 0, 0, 0, 2, 2, 1, 1, 10},
                            {0, 0, 2, 1, 1, 1, 1, 1, 1, 10}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 10},
                            {0, 0, 0, 0, 0, 0, 2, 2, 1, 10}, {0, 0, 0, 2, 1, 1, 1, 1, 1, 10}};
// Four uniques, two of them in one collection; a species nowhere.
const Matrix kUniques = {{3, 0, 1, 0, 2, 0, 0, 0}, {0, 1, 1, 0, 0, 0, 0, 0}, {1, 0, 0, 2, 0, 1, 1, 0},
                         {0, 0, 2, 0, 0, 0, 0, 0}, {5, 0, 1, 1, 0, 0, 0, 0}, {2, 0, 0, 0, 0, 0, 0, 0}};

TEST(CollectionMatrix, StandardErrorsMatchVegansSpecpool) {
    const diversity::PresenceMatrix ten(kTenSpecies), uniques(kUniques);
    EXPECT_EQ(uniques.species(), 7u);
    EXPECT_NEAR(diversity::jackknife1StandardError(ten), 0.9, 1e-12);
    EXPECT_NEAR(diversity::bootstrapStandardError(ten), 0.827143421114694, 1e-12);
    EXPECT_NEAR(diversity::jackknife1StandardError(uniques), 2.10818510677892, 1e-12);
    EXPECT_NEAR(diversity::bootstrapStandardError(uniques), 1.16742161832335, 1e-12);
}

TEST(CollectionMatrix, ExactCurveAndItsDeviationMatchVegansSpecaccum) {
    const struct {
        const Matrix* matrix;
        std::vector<double> richness, sd;
    } cases[] = {
        {&kTenSpecies,
         {4.6, 6.55555555555556, 7.70833333333333, 8.44285714285714, 8.94047619047619, 9.2952380952381,
          9.55833333333333, 9.75555555555555, 9.9, 10},
         {2.24499443206436, 2.01830752558705, 1.67961800944324, 1.39694431960197, 1.15730393722904, 0.936819160057479,
          0.728037063061888, 0.527934943828272, 0.3, 0}},
        {&kUniques,
         {2.33333333333333, 3.8, 4.8, 5.6, 6.33333333333333, 7},
         {1.10554159678513, 1.21241949735927, 1.18868928354447, 1.04873765612942, 0.74535599249993, 0}},
    };
    for (const auto& c : cases) {
        const diversity::PresenceMatrix m(*c.matrix);
        const auto curve = diversity::exactCollectionCurve(m, diversity::exactCurveSizes(m.collections()));
        ASSERT_EQ(curve.size(), c.sd.size());
        for (std::size_t t = 0; t < curve.size(); ++t) {
            EXPECT_EQ(curve[t].t, static_cast<int>(t + 1));
            EXPECT_NEAR(curve[t].richness, c.richness[t], 1e-12) << t;
            EXPECT_NEAR(curve[t].deviation, c.sd[t], 1e-12) << t;
        }
    }
}

TEST(CollectionMatrix, CurveSizesAreEveryCollectionOrAboutForty) {
    EXPECT_EQ(diversity::exactCurveSizes(3), (std::vector<int>{1, 2, 3}));
    const auto many = diversity::exactCurveSizes(104);
    EXPECT_EQ(many.front(), 1);
    EXPECT_EQ(many.back(), 104);
    EXPECT_EQ(many.size(), 41u);
}

// With its collections the report adds the standard errors and the matrix
// section; without them it is the report of the totals alone, byte for byte.
TEST(DiversityReport, TheCollectionsAddTheMatrixPartAndNothingElse) {
    const auto bytes = readFileBytes(kGolden / "dez-especies-coletas.txt");
    const auto table = parseSpeciesTable(bytes);
    const auto plain = analyseDiversity(table);
    auto whole = analyseDiversity(table);
    addCollectionMatrix(whole, parseCollectionBlocks(bytes));
    const auto plainReport = joinReportLines(diversityReport(plain, "dez-especies-coletas.txt", kWhen));
    const auto report = joinReportLines(diversityReport(whole, "dez-especies-coletas.txt", kWhen));
    const auto goldenPath = kGolden / "dez-especies-coletas.relatorio";
    if (std::getenv("ZAV_UPDATE_GOLDEN")) std::ofstream(goldenPath, std::ios::binary) << report;
    EXPECT_EQ(report, readFileBytes(goldenPath));
    // The report of the totals, then the matrix section; the standard
    // errors the only change above it.
    auto stripped = report;
    for (const std::string ep : {"  e.p. 0.900", "  e.p. 0.827"}) {
        const auto at = stripped.find(ep);
        ASSERT_NE(at, std::string::npos) << ep;
        stripped.erase(at, ep.size());
    }
    EXPECT_EQ(stripped.substr(0, plainReport.size()), plainReport);
    EXPECT_EQ(plainReport.find("e.p. 0.900"), std::string::npos);
    const auto json = diversityJson(whole, "x", kWhen);
    EXPECT_NE(json.find("\"shannon_media\": 0.93637283856132"), std::string::npos);
    EXPECT_EQ(diversityJson(plain, "x", kWhen).find("matriz"), std::string::npos);
    ASSERT_TRUE(whole.matrix);
    EXPECT_EQ(whole.matrix->collectionShannon[7], 0.0);
    addCollectionMatrix(whole, CollectionBlocks{});
    EXPECT_TRUE(whole.matrix);
}

} // namespace
} // namespace zav
