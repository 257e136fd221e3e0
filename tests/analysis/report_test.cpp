#include "analysis/analysis.h"
#include "analysis/report.h"
#include "data/collection_blocks.h"
#include "data/errors.h"
#include "data/file_io.h"
#include "data/report_text.h"
#include "data/species_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

namespace zav {
namespace {

const std::filesystem::path kGolden = ZAV_GOLDEN_DIR;

std::string reportBytes(std::string_view data, std::string_view path, const DateTime& when) {
    return joinReportLines(faunisticReport(analyse(parseSpeciesTable(data)), path, when));
}

// Whole reports against files checked by hand. ZAV_UPDATE_GOLDEN=1 rewrites
// them; review the difference before committing.
struct GoldenCase {
    const char* data;
    const char* report;
    DateTime when;
};

TEST(FaunisticReport, MatchesTheGoldenFiles) {
    const GoldenCase cases[] = {
        {"dez-especies.txt", "dez-especies.relatorio", {6, 12, 2026, 9, 5, 7, 42}},
        {"duas-especies.txt", "duas-especies.relatorio", {31, 12, 2026, 23, 59, 59, 999}},
        {"levantamento-30-coletas.txt", "levantamento-30-coletas.relatorio", {1, 1, 2027, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        const std::string path = std::string("C:\\Dados\\Levantamento \xC1rea 1\\") + c.data;
        const auto actual = reportBytes(readFileBytes(kGolden / c.data), path, c.when);
        const auto goldenPath = kGolden / c.report;
        if (std::getenv("ZAV_UPDATE_GOLDEN")) std::ofstream(goldenPath, std::ios::binary) << actual;
        EXPECT_EQ(actual, readFileBytes(goldenPath)) << c.report;
        // Names after the species lines change no byte of the report.
        const auto named = readFileBytes(kGolden / c.data) + "[nomes]\r\nApis mellifera\r\n\r\n\xC1rea \"3\"\r\n";
        EXPECT_EQ(reportBytes(named, path, c.when), actual) << c.report;
    }
}

// The collections and weather blocks after the names change no byte either.
TEST(FaunisticReport, IsTheSameWithTheCollectionBlocks) {
    const std::string path = "C:\\Dados\\Levantamento \xC1rea 1\\dez-especies.txt";
    const auto withBlocks = readFileBytes(kGolden / "dez-especies-coletas.txt");
    ASSERT_EQ(parseCollectionBlocks(withBlocks).collections.size(), 10u);
    EXPECT_EQ(reportBytes(withBlocks, path, {6, 12, 2026, 9, 5, 7, 42}),
              readFileBytes(kGolden / "dez-especies.relatorio"));
}

TEST(FaunisticReport, HasTwentyFourLinesPlusOnePerSpecies) {
    const DateTime when{};
    const auto two = faunisticReport(analyse(parseSpeciesTable("2 4\n10 1\n3 2\n")), "x", when);
    EXPECT_EQ(two.size(), 26u);
    EXPECT_EQ(two[3], "Data: 1/1/2000 - 0:0:0:0");
    const auto ten =
        faunisticReport(analyse(parseSpeciesTable(readFileBytes(kGolden / "dez-especies.txt"))), "x", when);
    EXPECT_EQ(ten.size(), 34u);
}

TEST(SpeciesLine, MarksOnlyPredominantSpecies) {
    struct Case {
        const char* dom;
        int abundance;
        const char* freq;
        const char* cons;
        bool marked;
    };
    const Case cases[] = {
        {" D", 5, "MF", "W", true},  {"SD", 6, "SF", "W", true},  {" D", 5, "MF", "Y", false},
        {"ND", 6, "SF", "W", false}, {" D", 4, "MF", "W", false}, {" D", 5, " F", "W", false},
    };
    for (const auto& c : cases) {
        SpeciesRecord r;
        r.number = 3;
        r.individuals = 42;
        r.collections = 7;
        r.dominanceClass = c.dom;
        r.abundanceClass = c.abundance;
        r.frequencyClass = c.freq;
        r.constancyClass = c.cons;
        const auto line = speciesLine(r);
        EXPECT_EQ(line.substr(0, 2), c.marked ? " *" : "  ");
        EXPECT_EQ(line.size(), 73u);
    }
}

TEST(SpeciesLine, LongNumbersShiftTheLineAndAreCutToEightCharacters) {
    SpeciesRecord r;
    r.number = 12;
    r.individuals = 12345;
    r.collections = -2000000000;
    r.dominanceClass = "ND";
    r.abundanceClass = 1;
    r.frequencyClass = "PF";
    r.constancyClass = "Z";
    EXPECT_EQ(speciesLine(r), "    12          12345          -2000000         ND         r        PF       Z");
}

struct FailureCase {
    const char* name;
    const char* data;
    std::function<void(std::string_view)> run;
};

TEST(FaunisticReport, DataThatAllowNoAnalysisGiveTheirOwnError) {
    auto run = [](std::string_view data) { return faunisticReport(analyse(parseSpeciesTable(data)), "x", {}); };
    EXPECT_THROW(run("2 5\n0 0\n0 0\n"), TooFewSpeciesError);
    EXPECT_THROW(run("2 5\n4 1\n0 0\n"), TooFewSpeciesError);
    EXPECT_THROW(run("0 5\n"), TooFewSpeciesError);
    EXPECT_THROW(run("2 0\n4 1\n6 1\n"), ZeroCollectionsError);
    EXPECT_THROW(run("3 5\n-4 1\n-4 1\n-4 1\n"), ComputationError); // s = 0 under a negative limit
    EXPECT_THROW(run("2 5\n3 1\n-2 1\n"), ComputationError);        // N' = 1
    EXPECT_THROW(run("3 5\n-2 1\n5 1\n4 1\n"), ComputationError);   // a share that is not positive
    EXPECT_THROW(run("3 5\n1 1\nx 1\n4 1\n"), DataFileError);
    // The error that comes first in the order of the computation wins.
    EXPECT_THROW(run("1 0\n4 1\n"), TooFewSpeciesError);
}

TEST(FaunisticReport, HugeCountsNeverWrapTheTotals) {
    const auto lines =
        faunisticReport(analyse(parseSpeciesTable("3 5\n2147483647 5\n2147483647 5\n2147483647 5\n")), "x", {});
    EXPECT_EQ(lines[13], "Numero total  de  indiv\xED"
                         "duos => 64424509");
}

} // namespace
} // namespace zav
