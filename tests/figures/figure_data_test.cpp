// What the charts are drawn from, checked against the report of the same
// result: the marks and class columns a researcher reads there.

#include "figures/figure_data.h"

#include "analysis/report.h"
#include "data/file_io.h"
#include "data/species_file.h"
#include "data/text.h"
#include "similarity/similarity.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <vector>

namespace {

struct ReportRow {
    bool marked = false;
    std::vector<std::string> columns; // number, individuals, collections, Domin, Abund, Freq, Const
};

// The species rows of the report, by species number.
std::map<std::int32_t, ReportRow> reportRows(const zav::AnalysisResult& result) {
    std::map<std::int32_t, ReportRow> rows;
    for (const auto& sp : result.table.species) {
        const std::string line = zav::speciesLine(sp);
        ReportRow row{line.rfind(" *", 0) == 0, {}};
        std::istringstream words(line.substr(2));
        for (std::string w; words >> w;)
            row.columns.push_back(w);
        rows[std::stoi(row.columns[0])] = row;
    }
    return rows;
}

class ChartData : public ::testing::TestWithParam<const char*> {
  protected:
    zav::AnalysisResult result = zav::analyse(zav::loadSpeciesFile(std::filesystem::path(ZAV_GOLDEN_DIR) / GetParam()));
};

TEST_P(ChartData, RanksEverySpeciesByIndividualsThenNumberWithTheReportsMarks) {
    const auto ranked = zav::rankAbundance(result);
    const auto rows = reportRows(result);
    ASSERT_EQ(ranked.size(), rows.size());
    for (std::size_t i = 0; i < ranked.size(); ++i) {
        const auto& sp = ranked[i];
        EXPECT_EQ(sp.rank, static_cast<int>(i + 1));
        const auto& row = rows.at(sp.number);
        EXPECT_EQ(std::to_string(sp.individuals).substr(0, 8), row.columns[1]); // the report cuts at 8
        EXPECT_EQ(sp.predominant, row.marked) << "species " << sp.number;
        EXPECT_EQ(sp.excluded, row.columns[4] == "sa") << "species " << sp.number;
        for (std::size_t c = 0; c < 4; ++c)
            EXPECT_EQ(sp.classes[c], row.columns[3 + c]) << "species " << sp.number; // shown on hover
        if (i == 0) continue;
        const auto& before = ranked[i - 1];
        EXPECT_TRUE(before.individuals > sp.individuals ||
                    (before.individuals == sp.individuals && before.number < sp.number))
            << "rank " << sp.rank;
    }
}

// Labels and the stars' legend use the names the data file gives.
TEST(ChartLabels, UseTheSpeciesNamesWhenThereAreSome) {
    const auto data = zav::readFileBytes(std::filesystem::path(ZAV_GOLDEN_DIR) / "dez-especies.txt");
    const struct {
        std::string names;
        const char* label10; // of species 10, the most abundant, predominant
        const char* label9;
        const char* legend;
    } cases[] = {
        {"", "10", "9", "Predominantes (*) e seus números"},
        {"[nomes]\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\nApis\r\n\r\nTrigona\r\n", "Trigona", "9",
         "Predominantes (*) e seus nomes ou números"},
        {"[nomes]\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\nApis\r\nMelipona\r\nTrigona\r\n", "Trigona", "Melipona",
         "Predominantes (*) e seus nomes"},
    };
    for (const auto& c : cases) {
        const auto ranked = zav::rankAbundance(zav::analyse(zav::parseSpeciesTable(data + c.names)));
        EXPECT_EQ(ranked[0].label, c.label10);
        EXPECT_EQ(ranked[1].label, c.label9);
        EXPECT_EQ(zav::predominantLegend(ranked), c.legend);
    }
}

TEST_P(ChartData, CountsTheSpeciesOfEachClassAsTheReportsColumnsShowThem) {
    const auto rows = reportRows(result);
    const auto charts = zav::classCounts(result);
    int excluded = 0;
    for (const auto& sp : result.table.species)
        excluded += sp.kept() ? 0 : 1;
    for (std::size_t criterion = 0; criterion < charts.size(); ++criterion) {
        std::map<std::string, int> inReport;
        for (const auto& [number, row] : rows)
            ++inReport[row.columns[3 + criterion]];
        int total = 0;
        for (const auto& bar : charts[criterion].bars) {
            EXPECT_EQ(bar.species, inReport[bar.code]) << charts[criterion].title << " " << bar.code;
            if (bar.super) {
                EXPECT_EQ(bar.species, excluded) << charts[criterion].title;
            }
            total += bar.species;
        }
        EXPECT_EQ(total, static_cast<int>(rows.size())) << charts[criterion].title;
    }
}

TEST_P(ChartData, DrawsEachCriterionsBarsFromTheLowestClassToTheHighest) {
    const std::vector<std::vector<std::string>> order = {
        {"ND", "D", "SD"}, {"r", "d", "c", "a", "ma", "sa"}, {"PF", "F", "MF", "SF"}, {"Z", "Y", "W"}};
    const auto charts = zav::classCounts(result);
    for (std::size_t criterion = 0; criterion < charts.size(); ++criterion) {
        std::vector<std::string> codes;
        for (const auto& bar : charts[criterion].bars)
            codes.push_back(bar.code);
        EXPECT_EQ(codes, order[criterion]) << charts[criterion].title;
    }
}

INSTANTIATE_TEST_SUITE_P(Surveys, ChartData,
                         ::testing::Values("duas-especies.txt", "dez-especies.txt", "levantamento-30-coletas.txt"));

TEST(RankAbundanceData, HoverTextNamesTheSpeciesItsIndividualsAndClasses) {
    zav::RankedSpecies species{3, 7, 1, true, false, {}, {"SD", "sa", "SF", "W"}};
    const struct {
        zav::ChartLanguage language;
        const char* name;
        const char* text;
    } cases[] = {
        {zav::ChartLanguage::Portuguese, "",
         "Espécie 7\n1 indivíduo\nDominância: SD\nAbundância: sa\nFrequência: SF\nConstância: W"},
        {zav::ChartLanguage::English, "Apis mellifera",
         "Species 7 - Apis mellifera\n1 individual\nDominance: SD\nAbundance: sa\nFrequency: SF\nConstancy: W"},
    };
    for (const auto& c : cases) {
        species.name = c.name;
        EXPECT_EQ(zav::speciesHoverText(species, c.language), c.text);
    }
}

TEST(SimilarityChartData, UndefinedValuesAreAbsentNotZero) {
    // T3 and T4 have no species at all; T2 shares none with T1.
    zav::PresenceMatrix matrix{{{4, 1, 0}, {0, 0, 3}, {0, 0, 0}, {}}};
    const auto points = zav::similarityPoints(zav::CalculaSimilaridade(matrix));
    struct Expected {
        const char* label;
        bool quotient;
        bool interval;
    };
    const Expected expected[] = {{"T1 x T2", true, false}, {"T1 x T3", true, false}, {"T1 x T4", true, false},
                                 {"T2 x T3", true, false}, {"T2 x T4", true, false}, {"T3 x T4", false, false}};
    ASSERT_EQ(points.size(), std::size(expected));
    for (std::size_t i = 0; i < points.size(); ++i) {
        EXPECT_EQ(points[i].label, expected[i].label);
        EXPECT_EQ(points[i].quotient.has_value(), expected[i].quotient) << expected[i].label;
        EXPECT_EQ(points[i].lower.has_value(), expected[i].interval) << expected[i].label;
        EXPECT_EQ(points[i].upper.has_value(), expected[i].interval) << expected[i].label;
    }

    zav::PresenceMatrix overlapping{{{4, 1, 0}, {2, 0, 3}, {1, 1, 1}}};
    const auto defined = zav::similarityPoints(zav::CalculaSimilaridade(overlapping));
    for (const auto& p : defined) {
        ASSERT_TRUE(p.quotient && p.lower && p.upper) << p.label;
        EXPECT_LE(*p.lower, *p.quotient);
        EXPECT_GE(*p.upper, *p.quotient);
    }
}

} // namespace

namespace {

zav::DiversityResult girdled() {
    return zav::analyseDiversity(zav::loadSpeciesFile(std::filesystem::path(ZAV_DIVERSITY_GOLDEN_DIR) / "girdled.txt"));
}

// Each curve meets its sample at m = n (t = T) and goes on to 2n (2T); the
// band holds the curve wherever the bootstrap gives it.
TEST(DiversityChartData, CurvesMeetAtTheSampleAndTheirBandsHoldThem) {
    const auto result = girdled();
    const auto hill = zav::hillCurves(result);
    struct Case {
        const zav::CurveData& curve;
        double sampleX, sampleY;
    };
    const Case cases[] = {{hill[0], 168, 26}, // S
                          {hill[1], 168, 12.060},
                          {hill[2], 168, 7.840},
                          {zav::collectionsCurve(result), 12, 26},
                          {zav::coverageCurve(result), 168, 0.9289}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.curve.name);
        ASSERT_TRUE(c.curve.sample);
        EXPECT_EQ(c.curve.sample->x, c.sampleX);
        EXPECT_NEAR(c.curve.sample->y, c.sampleY, 5e-4);
        EXPECT_EQ(c.curve.rarefaction.back().x, c.sampleX);
        EXPECT_EQ(c.curve.extrapolation.front().x, c.sampleX);
        EXPECT_EQ(c.curve.extrapolation.back().x, 2 * c.sampleX);
        int banded = 0;
        for (const auto* part : {&c.curve.rarefaction, &c.curve.extrapolation})
            for (const auto& p : *part) {
                EXPECT_EQ(p.lower.has_value(), p.upper.has_value());
                if (!p.lower) continue;
                ++banded;
                EXPECT_LE(*p.lower, p.y + 1e-9) << p.x;
                EXPECT_GE(*p.upper, p.y - 1e-9) << p.x;
            }
        // The collection curve has whole t only: 1..24 for T = 12.
        EXPECT_GT(banded, c.sampleX == 12 ? 20 : 30);
    }
    // Published: the q = 0 curve at m = 336 (iNEXT).
    EXPECT_NEAR(hill[0].extrapolation.back().y, 34.731, 5e-4);
    const auto x = zav::curveAxis({&hill[0]}, true), y = zav::curveAxis({&hill[0]}, false);
    EXPECT_GE(x.max, 336);
    EXPECT_GE(y.max, *hill[0].extrapolation.back().upper);
}

TEST(ComparisonChartData, DendrogramLeavesInTheTreesOrderWithTheirNames) {
    // T1 and T3 alike, T2 apart, T4 farther.
    const zav::PresenceMatrix matrix{{{5, 3, 0, 1}, {0, 2, 4, 0}, {5, 3, 0, 1}, {0, 0, 0, 0, 7}}};
    const auto result = zav::compareTreatments(matrix, zav::DendrogramIndex::Sorensen);
    const auto drawing = zav::dendrogramDrawing(result, {"mata.txt", "pasto.txt", "milho.txt", "eucalipto.txt"});
    const auto& tree = result.dendrogram.tree;
    ASSERT_EQ(drawing.leaves, tree.leafOrder);
    const char* names[] = {"mata.txt", "pasto.txt", "milho.txt", "eucalipto.txt"};
    for (std::size_t i = 0; i < drawing.leaves.size(); ++i)
        EXPECT_EQ(drawing.labels[i], names[drawing.leaves[i] - 1]);
    ASSERT_EQ(drawing.segments.size(), 3 * tree.merges.size());
    for (std::size_t m = 0; m < tree.merges.size(); ++m) {
        const auto& across = drawing.segments[3 * m + 2];
        EXPECT_EQ(across.y1, tree.merges[m].height);
        EXPECT_EQ(across.y2, tree.merges[m].height);
        // The two uprights end on the fusion's line, from lower down.
        for (int side = 0; side < 2; ++side) {
            const auto& up = drawing.segments[3 * m + static_cast<std::size_t>(side)];
            EXPECT_EQ(up.y2, tree.merges[m].height);
            EXPECT_LE(up.y1, up.y2);
        }
    }
    EXPECT_EQ(drawing.top, tree.merges.back().height);
    EXPECT_EQ(drawing.cophenetic, tree.copheneticCorrelation);
    EXPECT_EQ(drawing.distance, "Distância (1 - Sørensen)");
}

TEST(SimilarityChartData, IntervalsBeyond100AreCutThereAndMarked) {
    const std::vector<zav::PairPoint> points{
        {"T1 x T2", 90.0, 70.0, 100.5}, {"T1 x T3", 50.0, 30.0, 100.0}, {"T2 x T3", 40.0, std::nullopt, std::nullopt}};
    const auto clipped = zav::clippedIntervals(points);
    ASSERT_EQ(clipped.size(), 3u);
    EXPECT_EQ(clipped[0].upper, 100.0);
    EXPECT_TRUE(clipped[0].cut);
    EXPECT_EQ(clipped[0].lower, 70.0);
    EXPECT_EQ(clipped[1].upper, 100.0);
    EXPECT_FALSE(clipped[1].cut);
    EXPECT_FALSE(clipped[2].upper || clipped[2].cut);
}

// A scientific name in italics up to what marks an unnamed or uncertain
// species; a name of one word upright.
TEST(SpeciesNames, BinomialsInItalicsUpToAQualifier) {
    using Runs = std::vector<std::pair<std::string, bool>>;
    const auto runs = [](const std::string& name) {
        Runs out;
        for (const auto& run : zav::nameRuns(name))
            out.emplace_back(run.text, run.italic);
        return out;
    };
    EXPECT_EQ(runs("Atta sexdens"), (Runs{{"Atta sexdens", true}}));
    EXPECT_EQ(runs("Atta sexdens rubropilosa"), (Runs{{"Atta sexdens rubropilosa", true}}));
    EXPECT_EQ(runs("Atta sp. 3"), (Runs{{"Atta", true}, {" sp. 3", false}}));
    EXPECT_EQ(runs("Pheidole cf. fallax"), (Runs{{"Pheidole", true}, {" cf. fallax", false}}));
    EXPECT_EQ(runs("Camponotus A"), (Runs{{"Camponotus", true}, {" A", false}}));
    EXPECT_EQ(runs("Formicidae"), (Runs{{"Formicidae", false}}));
    EXPECT_EQ(runs("12"), (Runs{{"12", false}}));
}

TEST(SpeciesNames, TheNoteSaysWhichAreLabelled) {
    using zav::ChartLanguage;
    EXPECT_EQ(zav::labelledNote(8, 8, ChartLanguage::Portuguese), "");
    EXPECT_EQ(zav::labelledNote(5, 12, ChartLanguage::Portuguese),
              "rótulos: as 5 mais abundantes de 12 espécies predominantes");
    EXPECT_EQ(zav::labelledNote(1, 12, ChartLanguage::Portuguese),
              "rótulo: a mais abundante de 12 espécies predominantes");
    EXPECT_EQ(zav::labelledNote(0, 3, ChartLanguage::English), "no labels: 3 predominant species, no room");
    EXPECT_EQ(zav::labelledNote(5, 12, ChartLanguage::English),
              "labelled: the 5 most abundant of 12 predominant species");
}

// Wrapped at spaces, never inside a tag of rich text; a word too wide for
// any line alone on its own.
TEST(ChartTexts, WordsWrapToTheWidth) {
    const auto length = [](const std::string& text) { return static_cast<double>(text.size()); };
    using Lines = std::vector<std::string>;
    EXPECT_EQ(zav::wrapWords("Cobertura da amostra por indivíduos", 100, length),
              (Lines{"Cobertura da amostra por indivíduos"}));
    EXPECT_EQ(zav::wrapWords("Cobertura da amostra por indivíduos", 20, length),
              (Lines{"Cobertura da amostra", "por indivíduos"}));
    EXPECT_EQ(zav::wrapWords("Distância (1 - Sørensen)", 3, length), (Lines{"Distância", "(1", "-", "Sørensen)"}));
    EXPECT_EQ(zav::wrapWords("<span style=\"color:#fff\">a</span> b", 4, length),
              (Lines{"<span style=\"color:#fff\">a</span>", "b"}));
    EXPECT_EQ(zav::wrapWords("", 10, length), (Lines{""}));
}

// Labels a step apart on the plot: the step widens through 1, 2, 5 times a
// power of ten until they have room.
TEST(ChartTexts, AxisLabelsSpreadToAWiderStep) {
    const struct {
        zav::AxisRange axis;
        double plot, label, step;
    } cases[] = {
        {{0, 350, 50}, 600, 24, 50},  // 86 pixels apart: room
        {{0, 350, 50}, 200, 24, 100}, // 29 pixels at 50, 57 at 100
        {{0, 350, 50}, 100, 24, 200}, // 29 pixels at 100
        {{0, 1, 0.1}, 80, 20, 0.5},   // 8, 16 pixels at 0.1, 0.2
        {{0, 50, 10}, 300, 12, 10},   // 60 pixels apart
        {{0, 10, 0}, 100, 12, 0},     // a logarithmic axis is left as it is
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(zav::fittingStep(c.axis, c.plot, c.label), c.step) << c.plot << " " << c.label;
}

// "Textos em inglês": what the diversity results say in Portuguese, in
// English on the charts.
TEST(ChartTexts, WhyACurveIsMissingInEnglish) {
    using zav::ChartLanguage;
    const std::pair<const char*, const char*> cases[] = {
        {"exige pelo menos 2 coletas", "needs at least 2 collections"},
        {"exige pelo menos 2 indivíduos", "needs at least 2 individuals"},
        {"o total de coletas é 0", "the total of collections is 0"},
        {"a espécie 4 tem indivíduos em 0 coletas", "species 4 has individuals in 0 collections"},
        {"a espécie 7 aparece em 15 coletas de 12", "species 7 appears in 15 of 12 collections"},
        {"outra razão", "not computed: see the report"},
    };
    for (const auto& [portuguese, english] : cases) {
        EXPECT_EQ(zav::missingCurveText(portuguese, ChartLanguage::English), english);
        EXPECT_EQ(zav::missingCurveText(portuguese, ChartLanguage::Portuguese), portuguese);
    }
}

TEST(OrdinationPlot, EachTreatmentsSamplesOnSquareAxesWithTheStressOrTheShares) {
    using namespace zav::communities;
    // Two treatments of three collections; T1's second has no individuals.
    const auto samples =
        buildSamples({{{{9, 1, 0}, {0, 0, 0}, {8, 2, 1}, {7, 0, 0}}}, {{{0, 3, 6}, {1, 4, 5}, {0, 2, 8}}}}, 3);
    const auto r = analyzeCommunities(samples, Dissimilarity::BrayCurtis, 19, 1);
    ASSERT_TRUE(r.nmds.result);
    const auto nmds = zav::ordinationPlot(r, false, zav::ChartLanguage::Portuguese);
    EXPECT_FALSE(nmds.pcoa);
    ASSERT_EQ(nmds.treatments.size(), 2u);
    EXPECT_EQ(nmds.treatments[0].size(), 3u);
    EXPECT_EQ(nmds.treatments[1].size(), 3u);
    EXPECT_EQ(nmds.treatments[1][0], std::make_pair(r.nmds.result->axis1[3], r.nmds.result->axis2[3]));
    EXPECT_EQ(nmds.x.min, nmds.y.min);
    EXPECT_EQ(nmds.x.max, -nmds.x.min);
    for (const auto& points : nmds.treatments)
        for (const auto& [x, y] : points) {
            EXPECT_LT(std::abs(x), nmds.x.max);
            EXPECT_LT(std::abs(y), nmds.x.max);
        }
    EXPECT_EQ(nmds.corner.rfind("Stress: ", 0), 0u);
    const auto pcoa = zav::ordinationPlot(r, true, zav::ChartLanguage::English);
    EXPECT_TRUE(pcoa.pcoa);
    EXPECT_EQ(pcoa.corner, "Axis 1: " + zav::fixedPoint(*r.pcoa.share1, 1) +
                               " %; axis 2: " + zav::fixedPoint(*r.pcoa.share2, 1) + " %");
}

} // namespace