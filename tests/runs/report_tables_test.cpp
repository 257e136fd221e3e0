#include "data/collection_blocks.h"
#include "data/file_io.h"
#include "data/species_file.h"
#include "runs/report_tables.h"
#include "runs/run_kinds.h"
#include "similarity/similarity.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace zav {
namespace {

// The similarity table as a spreadsheet pastes it: every pair, the
// quotient and its interval as the report rounds them, "-" where the report
// prints one, the key under the table.
TEST(ReportTables, SimilarityAsTabSeparatedText) {
    const auto result = CalculaSimilaridade({{{10, 3, 0}, {4, 0, 7}, {0, 0, 0}}});
    EXPECT_EQ(shownTablesTsv(similarityTables(result, {"mata", "pasto", "milho"}, ',')),
              "Similaridade de Sørensen\n"
              "Par\tEspécies comuns (j)\tEspécies (a)\tEspécies (b)\tQuociente (%)\tIC inferior (P=0,05)\tIC superior "
              "(P=0,05)\n"
              "T1 x T2\t1\t2\t2\t50,00\t19,38\t80,62\n"
              "T1 x T3\t0\t2\t0\t0,00\t-\t-\n"
              "T2 x T3\t0\t2\t0\t0,00\t-\t-\n"
              "Quociente de similaridade de Sørensen (1948): 2j / (a + b).\n"
              "T1 = mata, T2 = pasto, T3 = milho\n");
}

// Every kind of report gives tables whose rows are as wide as their
// headings; a p below 0.0001 is written "<0,0001", escaped in HTML.
TEST(ReportTables, EveryReportsTablesAreWholeAndEscaped) {
    const auto table = parseSpeciesTable("6 10\r\n40 8\r\n12 5\r\n7 4\r\n3 2\r\n1 1\r\n1 1\r\n");
    const PresenceMatrix matrix{{{400, 5, 1, 0}, {1, 300, 200, 9}}};
    const std::vector<std::vector<ShownTable>> kinds = {
        surveyTables(analyse(table), ','),
        diversityTables(analyseDiversity(table), ','),
        comparisonTables(compareTreatments(matrix, DendrogramIndex::Sorensen), {"a", "b"}, ','),
    };
    for (const auto& tables : kinds) {
        ASSERT_FALSE(tables.empty());
        for (const auto& t : tables) {
            SCOPED_TRACE(t.title);
            EXPECT_FALSE(t.rows.empty());
            for (const auto& row : t.rows)
                EXPECT_EQ(row.size(), t.headings.size());
        }
    }
    const auto html = shownTablesHtml(kinds[2]);
    EXPECT_NE(html.find("<td>&lt;0,0001</td>"), std::string::npos) << html;
    EXPECT_NE(shownTablesTsv(kinds[1]).find("Chao1\t"), std::string::npos);
}

// The communities' tables: one row per indicator species and per sample,
// the PERMANOVA's three rows with the total's degrees of freedom n - 1, the
// figures with the decimal separator asked for.
TEST(ReportTables, CommunitiesIndicatorsPermanovaAndCoordinates) {
    using namespace communities;
    const std::vector<TreatmentCollections> treatments{{{{5, 0, 1}, {4, 1, 0}, {6, 0, 2}}},
                                                       {{{0, 3, 4}, {1, 5, 3}, {0, 4, 6}}}};
    const auto result = analyzeCommunities(buildSamples(treatments, 3), Dissimilarity::BrayCurtis, 99, 7);
    const auto tables = communitiesTables(result, {"mata", "pasto"}, ',');
    ASSERT_EQ(tables.size(), 4u);
    for (const auto& t : tables) {
        SCOPED_TRACE(t.title);
        for (const auto& row : t.rows)
            EXPECT_EQ(row.size(), t.headings.size());
    }
    EXPECT_EQ(tables[0].rows.size(), result.indicators.size());
    const auto& first = result.indicators.front();
    EXPECT_EQ(tables[0].rows.front(),
              (std::vector<std::string>{std::to_string(first.species + 1), "T" + std::to_string(first.group),
                                        shownNumber(first.indval, 1, ','), shownNumber(first.a, 4, ','),
                                        shownNumber(first.b, 4, ','), shownNumber(first.p, 4, ',')}));
    EXPECT_EQ(tables[0].notes.front(), "T1 = mata, T2 = pasto");
    ASSERT_EQ(tables[1].rows.size(), 3u);
    EXPECT_EQ(tables[1].rows[2][0], "Total");
    EXPECT_EQ(tables[1].rows[2][1], "5");
    EXPECT_EQ(tables[2].rows.size(), 6u);
    EXPECT_EQ(tables[3].rows.size(), 6u);
    EXPECT_EQ(tables[3].rows[3][0], "T2");
    EXPECT_EQ(tables[3].rows[3][1], "1");
    EXPECT_EQ(tables[3].headings.size(), result.nmds.result ? 6u : 4u);
}

// Every kind's tables in one language, from the test files with
// collections and weather, so that every table has rows.
std::vector<ShownTable> allTables(ReportLanguage language) {
    const std::filesystem::path tests = ZAV_TESTS_DIR;
    const auto whole = readFileBytes(tests / "fluctuation" / "golden" / "dez-especies-coletas.txt");
    std::vector<ShownTable> all;
    const auto add = [&all](std::vector<ShownTable> more) { all.insert(all.end(), more.begin(), more.end()); };
    add(surveyTables(analyse(parseSpeciesTable(whole)), ',', language));
    add(diversityTables(runDiversity(whole, "x.txt", DateTime{}).result, ',', language));
    const PresenceMatrix matrix{{{400, 5, 1, 0}, {1, 300, 200, 9}}};
    add(similarityTables(CalculaSimilaridade(matrix), {"a", "b"}, ',', language));
    add(comparisonTables(compareTreatments(matrix, DendrogramIndex::Sorensen), {"a", "b"}, ',', language));
    std::vector<std::string> areas;
    for (const char* file : {"mata.txt", "borda.txt", "pasto.txt"})
        areas.push_back(readFileBytes(tests / "communities" / "data" / file));
    add(communitiesTables(runCommunities({{areas[0], "a"}, {areas[1], "b"}, {areas[2], "c"}}, {}, DateTime{}).result,
                          {"a", "b", "c"}, ',', language));
    add(fluctuationTables(runFluctuation(whole, "x.txt", 0, DateTime{}).result, ',', language));
    return all;
}

// The tables copied or saved as a workbook speak the report's language:
// no Portuguese word left in English or Spanish ("especie", a series'
// code in Portuguese, is Spanish too), the figures and the
// tables' shapes the same in all three.
TEST(ReportTables, SpeakTheReportsLanguage) {
    const std::set<std::string> portuguese{"Espécie",      "Espécies",   "espécies",     "Indivíduos",
                                           "indivíduos",   "Coletas",    "coletas",      "Coleta",
                                           "coleta",       "Nome",       "Dominância",   "Abundância",
                                           "Frequência",   "Constância", "Análise",      "faunística",
                                           "Similaridade", "Quociente",  "comuns",       "Teste",
                                           "Variância",    "Graus",      "liberdade",    "Soma",
                                           "quadrados",    "Eixo",       "das",          "dos",
                                           "da",           "do",         "com",          "sem",
                                           "não",          "pelo",       "Sazonalidade", "Correlações",
                                           "defasagem",    "Série",      "Variável",     "Ordem",
                                           "Estimativa",   "Erro",       "padrão",       "Equitabilidade",
                                           "amostra",      "Amostra",    "faixa",        "Rarefação",
                                           "extrapolação", "especie",    "Data",         "permutações",
                                           "Fonte",        "Resíduo",    "Tratamentos"};
    const auto words = [](const std::string& text) {
        std::vector<std::string> out(1);
        for (const char c : text) {
            if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c & 0x80))
                out.back() += c;
            else if (!out.back().empty())
                out.emplace_back();
        }
        return out;
    };
    const auto pt = allTables(ReportLanguage::Portuguese);
    for (const auto language : {ReportLanguage::English, ReportLanguage::Spanish}) {
        SCOPED_TRACE(std::string(reportLanguageCode(language)));
        const auto other = allTables(language);
        ASSERT_EQ(other.size(), pt.size());
        for (std::size_t t = 0; t < pt.size(); ++t) {
            EXPECT_EQ(other[t].headings.size(), pt[t].headings.size()) << pt[t].title;
            EXPECT_EQ(other[t].notes.size(), pt[t].notes.size()) << pt[t].title;
            ASSERT_EQ(other[t].rows.size(), pt[t].rows.size()) << pt[t].title;
            std::vector<std::string> texts{other[t].title};
            texts.insert(texts.end(), other[t].headings.begin(), other[t].headings.end());
            texts.insert(texts.end(), other[t].notes.begin(), other[t].notes.end());
            for (const auto& row : other[t].rows)
                texts.insert(texts.end(), row.begin(), row.end());
            for (const auto& text : texts)
                for (const auto& word : words(text))
                    if (language == ReportLanguage::English || word != "especie") {
                        EXPECT_FALSE(portuguese.count(word)) << other[t].title << ": " << text;
                    }
        }
    }
    // The same figures under headings of their own.
    const auto en = allTables(ReportLanguage::English);
    EXPECT_EQ(en.front().rows, pt.front().rows);
    EXPECT_EQ(en.front().headings.front(), "Species");
    EXPECT_EQ(allTables(ReportLanguage::Spanish).back().title, "Estacionalidad (prueba de Rayleigh)");
}

} // namespace
} // namespace zav
