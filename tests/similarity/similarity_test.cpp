#include "data/errors.h"
#include "data/file_io.h"
#include "data/report_text.h"
#include "similarity/similarity.h"
#include "similarity/similarity_report.h"
#include "similarity/treatment_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace zav {
namespace {

// The worked example: five species rows, three treatments.
PresenceMatrix workedExample() { return {{{10, 3, 0, 5, 1}, {4, 0, 7, 2, 0}, {0, 2, 1, 6, 3}}}; }

TEST(CalculaSimilaridade, WorkedExample) {
    const auto r = CalculaSimilaridade(workedExample());
    EXPECT_EQ(r.speciesPerTreatment, (std::vector<std::int32_t>{4, 3, 4}));
    ASSERT_EQ(r.pairs.size(), 3u);
    struct Expected {
        int x, y, j, a, b;
        const char* line;
    };
    const Expected expected[] = {
        {1, 2, 2, 4, 3, " T1 x T2         2           4          3           57.14     [40.07;74.22]"},
        {1, 3, 3, 4, 4, " T1 x T3         3           4          4           75.00     [58.46;91.54]"},
        {2, 3, 2, 3, 4, " T2 x T3         2           3          4           57.14     [40.07;74.22]"},
    };
    for (std::size_t i = 0; i < 3; ++i) {
        const auto& p = r.pairs[i];
        EXPECT_EQ(p.x, expected[i].x);
        EXPECT_EQ(p.y, expected[i].y);
        EXPECT_EQ(p.common, expected[i].j);
        EXPECT_EQ(p.speciesX, expected[i].a);
        EXPECT_EQ(p.speciesY, expected[i].b);
        EXPECT_EQ(pairLine(p), expected[i].line);
    }
    EXPECT_EQ(pairLine(r.pairs[0]).size(), 75u);
}

TEST(CalculaSimilaridade, OneCommonSpeciesGivesAnIntervalAbove100) {
    const auto r = CalculaSimilaridade({{{5, 0}, {3, 0}, {0, 1}}});
    EXPECT_EQ(pairLine(r.pairs[0]), " T1 x T2         1           1          1           100.00     [13.40;186.60]");
}

TEST(CalculaSimilaridade, AnExactHalfRoundsAwayFromZero) {
    // j = 1 and a + b = 64: the quotient is 3.125 exactly.
    std::vector<std::int32_t> x(32, 0), y(32, 0), z(32, 1);
    x.assign(32, 1);
    y.assign(32, 0);
    y[0] = 1;
    y.resize(63, 0);
    for (int i = 32; i < 63; ++i)
        y[static_cast<std::size_t>(i)] = 1;
    const auto r = CalculaSimilaridade({{x, y, z}});
    ASSERT_EQ(r.pairs[0].common, 1);
    ASSERT_EQ(r.pairs[0].speciesX + r.pairs[0].speciesY, 64);
    EXPECT_EQ(pairLine(r.pairs[0]).substr(52, 4), "3.13");
}

TEST(CalculaSimilaridade, PairsComeInOrder) {
    for (const auto& [t, last] : {std::pair{3, "T2 x T3"}, std::pair{5, "T4 x T5"}, std::pair{10, "T9 x T10"}}) {
        PresenceMatrix m;
        m.treatments.assign(static_cast<std::size_t>(t), {1});
        const auto r = CalculaSimilaridade(m);
        ASSERT_EQ(r.pairs.size(), static_cast<std::size_t>(t * (t - 1) / 2));
        std::size_t i = 0;
        for (int x = 1; x < t; ++x)
            for (int y = x + 1; y <= t; ++y, ++i)
                EXPECT_EQ(std::pair(r.pairs[i].x, r.pairs[i].y), std::pair(x, y));
        EXPECT_EQ(pairLine(r.pairs.back()).substr(1, std::string(last).size()), last);
    }
    PresenceMatrix ten;
    ten.treatments.assign(10, {1});
    // Labels with T10 keep the columns of the others.
    EXPECT_EQ(pairLine(CalculaSimilaridade(ten).pairs.back()).substr(0, 18), " T9 x T10        1");
}

TEST(SimilarityRun, NamesTheTreatmentsAndWarnsOfDifferentSpeciesCounts) {
    EXPECT_EQ(treatmentKey({"mata.txt", "pasto.txt", "milho.txt"}), "T1 = mata.txt, T2 = pasto.txt, T3 = milho.txt");
    EXPECT_EQ(speciesLinesWarning({{{1, 0}, {0, 0}, {5, 5}}}), "");
    EXPECT_EQ(speciesLinesWarning(
                  {{std::vector<std::int32_t>(30), std::vector<std::int32_t>(30), std::vector<std::int32_t>(25)}}),
              "Aviso: os tratamentos têm números diferentes de espécies (30, 30, 25)");
}

TEST(CalculaSimilaridade, UndefinedPairsPrintDashes) {
    // Treatments 1 and 2 share nothing; treatment 3 has no species at all.
    const auto r = CalculaSimilaridade({{{4, 0}, {0, 9}, {0, 0}}});
    EXPECT_EQ(pairLine(r.pairs[0]), " T1 x T2         0           1          1           0.00     [ -; -]");
    EXPECT_EQ(pairLine(r.pairs[1]), " T1 x T3         0           1          0           0.00     [ -; -]");
    const auto empty = CalculaSimilaridade({{{0, 0}, {0, 0}, {0}}});
    EXPECT_EQ(pairLine(empty.pairs[0]), " T1 x T2         0           0          0             -     [ -; -]");
}

TEST(CalculaSimilaridade, NegativeCountsArePresentZerosAreNot) {
    const auto r = CalculaSimilaridade({{{-2, 0, 3}, {5, 0, 0}, {0, 0, 0}}});
    EXPECT_EQ(r.speciesPerTreatment, (std::vector<std::int32_t>{2, 1, 0}));
    EXPECT_EQ(r.pairs[0].common, 1);
}

TEST(CalculaSimilaridade, RowsAShorterFileDoesNotReachAreAbsent) {
    // The longest file sets the species count, whatever order the files come in.
    const auto r = CalculaSimilaridade({{{1, 1, 1, 1}, {1, 1}, {1, 1, 1}}});
    EXPECT_EQ(r.speciesPerTreatment, (std::vector<std::int32_t>{4, 2, 3}));
    EXPECT_EQ(r.pairs[0].common, 2);
    EXPECT_EQ(r.pairs[1].common, 3);
}

TEST(TreatmentFile, KeepsEveryLineAndRefusesBadFiles) {
    EXPECT_EQ(parseTreatmentCounts("4 10\r\n3 1\r\n0 0\r\n-2 1\r\n$A 3\r\n9 9\r\n"),
              (std::vector<std::int32_t>{3, 0, -2, 10}));
    EXPECT_EQ(parseTreatmentCounts("0 5\n"), std::vector<std::int32_t>{});
    std::string big = "901 1\n";
    for (int i = 0; i < 901; ++i)
        big += "1 1\n";
    const struct {
        std::string bytes, detail;
    } bad[] = {
        {"", "O arquivo está vazio"},
        {"x 10\n", "Linha 1: \"x\" não é um número inteiro"},
        {"3 10\n1 1\n2 2\n", "O cabeçalho anuncia 3 linhas de espécies; o arquivo tem 2"},
        {"2 10\n1 1\n\n", "Linha 3: falta o número de indivíduos"},
        {"2 10\n1.5 1\n1 1\n", "Linha 2: \"1.5\" não é um número inteiro"},
        {big, "Linha 1: mais de 900 linhas de espécies"},
        {"2147483647 1\n1 1\n", "Linha 1: mais de 900 linhas de espécies"},
    };
    for (const auto& c : bad) {
        try {
            parseTreatmentCounts(c.bytes);
            ADD_FAILURE() << "accepted: " << c.bytes.substr(0, 20);
        } catch (const DataFileError& e) {
            EXPECT_EQ(e.detail(), c.detail);
        }
    }
}

TEST(SimilarityReport, MatchesTheGoldenFiles) {
    const std::filesystem::path dir = ZAV_GOLDEN_DIR;
    struct Case {
        std::vector<std::string> files;
        const char* report;
    };
    const Case cases[] = {
        {{"t1.txt", "t2.txt", "t3.txt"}, "tres-tratamentos.relatorio"},
        {{"t1.txt", "t2.txt", "t3.txt", "vazio.txt", "curto.txt"}, "cinco-tratamentos.relatorio"},
        {{"t1.txt", "t2.txt", "t3.txt", "vazio.txt", "curto.txt", "t1.txt", "t2.txt", "t3.txt", "t1.txt", "curto.txt"},
         "dez-tratamentos.relatorio"},
    };
    for (const auto& c : cases) {
        PresenceMatrix m;
        for (const auto& f : c.files)
            m.treatments.push_back(loadTreatmentFile(dir / f));
        const auto bytes = joinReportLines(similarityReport(CalculaSimilaridade(m), {6, 12, 2026, 9, 5, 3, 999}));
        if (std::getenv("ZAV_UPDATE_GOLDEN")) std::ofstream(dir / c.report, std::ios::binary) << bytes;
        EXPECT_EQ(bytes, readFileBytes(dir / c.report)) << c.report;
    }
    // A treatment's collections and weather after its species lines change
    // nothing it reads.
    const auto t1 = readFileBytes(dir / "t1.txt");
    const auto blocks = "[coletas]\r\n2023-01-15 10 3 1 0 5 1\r\n2023-02-15 0 0 2 0 0 0\r\n"
                        "[clima]\r\nchuva\r\n12\r\n-\r\n";
    EXPECT_EQ(parseTreatmentCounts(t1 + blocks), parseTreatmentCounts(t1));
    EXPECT_EQ(parseTreatmentSpecies(t1 + "[nomes]\r\nA\r\n" + blocks).names,
              parseTreatmentSpecies(t1 + "[nomes]\r\nA\r\n").names);
}

} // namespace
} // namespace zav
