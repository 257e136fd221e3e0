// The diversity report against its golden file, the JSON read back, the CSV.
#include "data/file_io.h"
#include "data/report_text.h"
#include "data/species_file.h"
#include "diversity/diversity_report.h"
#include "support/json_reader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <optional>

namespace zav {
namespace {

const std::filesystem::path kGolden = ZAV_GOLDEN_DIR;
const DateTime kWhen{6, 12, 2026, 9, 5, 7, 42};

// Girdled has no super-abundant species: the faunistic report prints the
// same H (2.4899), which the run sets beside the result.
DiversityResult girdled() {
    auto r = analyseDiversity(loadSpeciesFile(kGolden / "girdled.txt"));
    r.faunisticShannon = r.indices.shannon;
    return r;
}

TEST(DiversityReport, GirdledMatchesGoldenByteForByte) {
    const auto actual = joinReportLines(diversityReport(girdled(), "girdled.txt", kWhen));
    const auto goldenPath = kGolden / "girdled.relatorio";
    if (std::getenv("ZAV_UPDATE_GOLDEN")) std::ofstream(goldenPath, std::ios::binary) << actual;
    EXPECT_EQ(actual, readFileBytes(goldenPath));
}

TEST(DiversityReport, MissingValuesPrintDashWithReason) {
    SpeciesTable t;
    t.totalCollections = 10;
    t.species.push_back({5, 12, 1});
    t.species.push_back({1, 1, 2});
    const auto text = joinReportLines(diversityReport(analyseDiversity(t), "x", kWhen));
    EXPECT_NE(text.find("- : a esp\xE9"
                        "cie 1 aparece em 12 coletas de 10"),
              std::string::npos);
}

TEST(DiversityReport, SaysWhetherHIsTheFaunisticHAsPrinted) {
    // The printed texts decide: 3.46334 and 3.46326 both print 3.4633.
    struct Case {
        double here;
        std::optional<double> faunistic;
        const char* line;
    };
    const Case cases[] = {
        {3.46334, 3.46326, "abundantes; H aqui \xE9 igual ao H do relat\xF3rio faun\xEDstico (3.4633)."},
        {3.46334, 3.46324, "abundantes; por isso H aqui difere do H do relat\xF3rio faun\xEDstico (3.4632)."},
        {3.46334, std::nullopt, "abundantes (o relat\xF3rio faun\xEDstico n\xE3o d\xE1 H para estes dados)."},
    };
    for (const auto& c : cases) {
        auto r = girdled();
        r.indices.shannon = c.here;
        r.faunisticShannon = c.faunistic;
        EXPECT_EQ(diversityReport(r, "x", kWhen)[6], c.line);
    }
}

TEST(DiversityReport, JsonReadsBackWithTheKeysAndNulls) {
    using test::Json;
    const auto json = Json::parse(diversityJson(girdled(), "girdled.txt", kWhen));
    EXPECT_EQ(json["data"].text, "2026-12-06T09:05:07.042");
    EXPECT_EQ(json["individuos"].number, 168);
    EXPECT_NEAR(json["abundancia"]["chao1"]["ic"][1].number, 96.971, 5e-4);
    EXPECT_EQ(json["incidencia"]["Q1"].number, 13);
    EXPECT_NEAR(json["incidencia"]["jackknife2"]["estimativa"].number, 46.4772727273, 1e-9);
    EXPECT_NEAR(json["indices"]["simpson_inverso"].number, 7.84, 1e-12);
    EXPECT_NEAR(json["hill"]["q2"]["estimado"].number, 8.175, 5e-4);
    const auto& curve = json["curva_individuos"];
    ASSERT_EQ(curve.items.size(), 40u);
    EXPECT_EQ(curve[39]["m"].number, 336);
    EXPECT_EQ(curve[39]["ic_q1"].items.size(), 2u);
    EXPECT_EQ(json["curva_coletas"][json["curva_coletas"].items.size() - 1]["t"].number, 24);

    SpeciesTable one;
    one.totalCollections = 1;
    one.species.push_back({1, 1, 1});
    const auto single = Json::parse(diversityJson(analyseDiversity(one), "x", kWhen));
    EXPECT_EQ(single["indices"]["fisher_alfa"].kind, Json::Kind::Null);
    EXPECT_EQ(single["hill"]["q2"]["estimado"].kind, Json::Kind::Null);
    EXPECT_TRUE(single["curva_individuos"].items.empty());
}

// The bands of a published survey with the fixed seed, to the last digit
// (the CSV holds every band of the individual-based curve); every band
// within [0, infinity) and around its estimate, the coverage's within
// [0, 1], the collection curve's too.
TEST(DiversityReport, GirdledBandsMatchGoldenAndStayInRange) {
    const auto r = girdled();
    const auto actual = diversityCsv(r);
    const auto goldenPath = kGolden / "girdled.csv";
    if (std::getenv("ZAV_UPDATE_GOLDEN")) std::ofstream(goldenPath, std::ios::binary) << actual;
    EXPECT_EQ(actual, readFileBytes(goldenPath));
    const auto around = [](const diversity::Band& b, double estimate, double top) {
        ASSERT_TRUE(b.lower && b.upper);
        EXPECT_GE(*b.lower, 0.0);
        EXPECT_LE(*b.lower, estimate);
        EXPECT_GE(*b.upper, estimate);
        EXPECT_LE(*b.upper, top);
        EXPECT_LT(*b.lower, *b.upper); // a real spread, not a copied estimate
    };
    constexpr double kNoTop = std::numeric_limits<double>::max();
    for (const auto& p : r.curve) {
        if (p.m == 1.0) continue; // one individual: every replicate gives 1
        for (std::size_t q = 0; q < 3; ++q)
            around(p.hillBands[q], p.values.hill[q], kNoTop);
        around(p.coverageBand, p.values.coverage, 1.0);
    }
    ASSERT_TRUE(r.incidence);
    for (const auto& p : r.incidence->curve)
        around(p.band, p.richness, kNoTop);
}

TEST(DiversityReport, CsvHasOneRowPerPoint) {
    const auto csv = diversityCsv(girdled());
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 41);
    EXPECT_EQ(csv.rfind("m,q0,q1,q2,cobertura,", 0), 0u);
    EXPECT_NE(csv.find("\n168,26,"), std::string::npos);
}

} // namespace
} // namespace zav
