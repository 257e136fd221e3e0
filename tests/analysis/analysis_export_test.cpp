#include "analysis/analysis_export.h"

#include "analysis/analysis.h"
#include "data/cp1252.h"
#include "data/errors.h"
#include "data/fields.h"
#include "data/file_io.h"
#include "data/species_counts.h"
#include "data/species_file.h"
#include "data/spreadsheet_import.h"
#include "support/json_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <iterator>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace zav {
namespace {

using test::Json;

const std::filesystem::path kGolden = ZAV_GOLDEN_DIR;

// The words of the golden report's species lines (its 9th line on).
std::vector<std::vector<std::string>> printedSpeciesRows(const char* report, std::size_t species) {
    std::istringstream in(readFileBytes(kGolden / report));
    std::vector<std::vector<std::string>> rows;
    std::string line;
    for (int i = 0; i < 8; ++i)
        std::getline(in, line);
    while (rows.size() < species && std::getline(in, line)) {
        std::istringstream words(line);
        rows.emplace_back(std::istream_iterator<std::string>(words), std::istream_iterator<std::string>());
    }
    return rows;
}

TEST(AnalysisJson, ReadsBackAsTheAnalysisAndTheGoldenReports) {
    const struct {
        const char* data;
        const char* report;
    } cases[] = {
        {"dez-especies.txt", "dez-especies.relatorio"},
        {"duas-especies.txt", "duas-especies.relatorio"},
        {"levantamento-30-coletas.txt", "levantamento-30-coletas.relatorio"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.data);
        const auto result = analyse(parseSpeciesTable(readFileBytes(kGolden / c.data)));
        const auto& table = result.table;
        const Json json =
            Json::parse(analysisJson(result, "C:\\dados\\\xC3\x81rea \"1\".txt", {6, 12, 2026, 9, 5, 7, 42}));
        EXPECT_EQ(json["arquivo"].text, "C:\\dados\\\xC3\x81rea \"1\".txt");
        EXPECT_EQ(json["data"].text, "2026-12-06T09:05:07.042");

        // Each species row holds what the report prints, whole: the
        // report's columns cut a count to 8 digits, the JSON does not.
        const auto printed = printedSpeciesRows(c.report, table.species.size());
        ASSERT_EQ(json["especies"].items.size(), table.species.size());
        for (std::size_t i = 0; i < table.species.size(); ++i) {
            const auto& species = json["especies"][i];
            auto words = printed[i];
            EXPECT_EQ(species["predominante"].boolean, words[0] == "*");
            if (words[0] == "*") words.erase(words.begin());
            const auto count = [&](const char* name) {
                return std::to_string(static_cast<long long>(species[name].number)).substr(0, 8);
            };
            const std::vector<std::string> shown = {count("especie"),           count("individuos"),
                                                    count("coletas"),           species["dominancia"].text,
                                                    species["abundancia"].text, species["frequencia"].text,
                                                    species["constancia"].text};
            EXPECT_EQ(shown, words);
            EXPECT_EQ(species["individuos"].number, table.species[i].individuals);
            EXPECT_EQ(species["nome"].kind, Json::Kind::Null);
            // n * 100 / N', and Kato's limit; neither for a species N' leaves out.
            const auto& sp = table.species[i];
            if (sp.kept()) {
                EXPECT_DOUBLE_EQ(species["percentual"].number,
                                 sp.individuals * 100.0 / static_cast<double>(table.workingIndividuals));
                EXPECT_EQ(species["limite_dominancia"].number, sp.dominanceLimit);
            } else {
                EXPECT_EQ(species["percentual"].kind, Json::Kind::Null);
                EXPECT_EQ(species["limite_dominancia"].kind, Json::Kind::Null);
            }
        }
        // The totals and indices: the analysis' own numbers, exactly.
        EXPECT_EQ(json["total_individuos"].number, table.totalIndividuals);
        EXPECT_EQ(json["numero_especies"].number, table.species.size());
        EXPECT_EQ(json["total_coletas"].number, table.totalCollections);
        EXPECT_EQ(json["shannon"]["H"].number, result.indices.shannon);
        EXPECT_EQ(json["shannon"]["intervalo"][0].number, result.indices.shannonLower);
        EXPECT_EQ(json["shannon"]["intervalo"][1].number, result.indices.shannonUpper);
        EXPECT_EQ(json["margalef"].number, result.indices.margalef);
        EXPECT_EQ(json["equitabilidade"].number, result.indices.evenness);
    }
}

TEST(AnalysisJson, KeepsAnyPathReadableAndRefusesNumbersJsonCannotHold) {
    auto result = analyse(parseSpeciesTable("2 4\n10 1\n3 2\n"));
    const Json json = Json::parse(analysisJson(result, "a\n\x01\xC1rea", {}));
    EXPECT_EQ(json["arquivo"].text, "a\n\x01\xEF\xBF\xBDrea");
    result.indices.margalef = std::nan("");
    EXPECT_THROW(analysisJson(result, "x", {}), ComputationError);
}

// H's interval from its variance beside the one the report defines, by
// hand (python3's decimal, 40 digits) for 10, 6 and 4 individuals (N' = 20,
// no species set apart): H = 1.0296530140645735, v = 0.0066482205224912,
// the report's H -/+ 2 sqrt(v/20), Zar's H -/+ z sqrt(v), Hutcheson's
// H -/+ z sqrt(v + 2/800), z = qnorm(0.975).
TEST(AnalysisJson, CarriesHsIntervalFromItsVarianceBesideTheDefinedOne) {
    const auto result = analyse(parseSpeciesTable("3 4\n10 2\n6 2\n4 1\n"));
    const Json json = Json::parse(analysisJson(result, "x", {}));
    const auto& h = json["shannon"];
    EXPECT_NEAR(h["H"].number, 1.0296530140645735, 1e-15);
    EXPECT_NEAR(h["intervalo"][0].number, 0.99318872873634799, 1e-15);
    EXPECT_NEAR(h["intervalo"][1].number, 1.0661172993927991, 1e-15);
    EXPECT_NEAR(h["variancia_zar"].number, 0.0066482205224912209, 1e-16);
    EXPECT_NEAR(h["ic95_zar"][0].number, 0.86984417398354543, 1e-15);
    EXPECT_NEAR(h["ic95_zar"][1].number, 1.1894618541456016, 1e-15);
    EXPECT_NEAR(h["variancia_hutcheson"].number, 0.0091482205224912209, 1e-16);
    EXPECT_NEAR(h["ic95_hutcheson"][0].number, 0.84218965119124052, 1e-15);
    EXPECT_NEAR(h["ic95_hutcheson"][1].number, 1.2171163769379065, 1e-15);
}

TEST(SpeciesTableCsv, MatchesTheGoldenTable) {
    const auto result = analyse(parseSpeciesTable(readFileBytes(kGolden / "dez-especies.txt")));
    EXPECT_EQ(speciesTableCsv(result), readFileBytes(kGolden / "dez-especies.csv"));
}

// A name a spreadsheet would evaluate as a formula goes to every table
// after a single quote, the spreadsheets' mark of a text.
TEST(SpeciesTable, WritesNamesThatLookLikeFormulasAsTexts) {
    const struct {
        const char* name;
        const char* csv;
        const char* cell; // the copied table's and the HTML's
    } cases[] = {
        {"=1+1", "'=1+1", "'=1+1"},
        {"+55 11", "'+55 11", "'+55 11"},
        {"-2+3", "'-2+3", "'-2+3"},
        {"@SUM(A1)", "'@SUM(A1)", "'@SUM(A1)"},
        {"=A1,B1", "\"'=A1,B1\"", "'=A1,B1"},
        {"Apis=mel", "Apis=mel", "Apis=mel"},
        {"'=x", "''=x", "''=x"},
        {"'Apis", "'Apis", "'Apis"},
    };
    std::string survey = std::to_string(std::size(cases)) + " 10\r\n";
    for (std::size_t i = 0; i < std::size(cases); ++i)
        survey += std::to_string(i + 1) + " 1\r\n";
    survey += "[nomes]\r\n";
    for (const auto& c : cases)
        survey += std::string(c.name) + "\r\n";
    const auto result = analyse(parseSpeciesTable(survey));
    const auto csv = speciesTableCsv(result);
    const auto tsv = speciesTableTsv(result);
    const auto html = speciesTableHtml(result);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        const std::string number = std::to_string(i + 1);
        EXPECT_NE(csv.find("\n" + number + "," + c.csv + "," + number + ",1,"), std::string::npos) << c.name << csv;
        EXPECT_NE(tsv.find("\n" + number + "\t" + c.cell + "\t" + number + "\t1\t"), std::string::npos) << c.name;
        EXPECT_NE(html.find("<tr><td>" + number + "</td><td>" + c.cell + "</td>"), std::string::npos) << c.name;
    }
}

// The table imported back gives the survey's species lines to the last
// species with individuals: each at its number (the lines of species not
// caught between them as "0 0", which the table does not name), with its
// name, so that the survey and its re-import are the same species. A survey
// with counts no species can have is refused by the import.
TEST(SpeciesTableCsv, ImportsBackAsTheSurveysSpeciesLines) {
    std::vector<std::string> surveys = {
        "7 10\r\n3 2\r\n0 0\r\n4 1\r\n0 5\r\n9 3\r\n1 1\r\n0 0\r\n[nomes]\r\n=HYPERLINK(\"x\")\r\nB\r\n"
        "-Apis\r\n\r\n@Trigona, \"mel\"\r\n''+1\r\n+1\r\n",
    };
    for (const auto& folder : {std::filesystem::path(ZAV_EXAMPLES_DIR), kGolden})
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            if (entry.path().extension() == ".txt") surveys.push_back(readFileBytes(entry.path()));
    ASSERT_GE(surveys.size(), 5u);
    using Line = std::tuple<std::int32_t, std::int32_t, std::string>;
    for (const auto& survey : surveys) {
        SCOPED_TRACE(survey.substr(0, 40));
        std::vector<Line> expected;
        bool possible = true;
        const auto texts = parseDataFileTexts(survey);
        for (const auto& row : texts.rows) {
            const auto individuals = requireInteger(row.individuals);
            if (individuals == 0) {
                expected.emplace_back(0, 0, "");
                continue;
            }
            const auto collections = requireInteger(row.collections);
            possible = possible && speciesCountsProblem(individuals, collections).empty();
            expected.emplace_back(individuals, collections, row.name);
        }
        while (std::get<0>(expected.back()) == 0)
            expected.pop_back();
        const auto result = analyse(parseSpeciesTable(survey));
        // The CSV, and the copied table as a spreadsheet pastes and saves it.
        for (const auto& table : {speciesTableCsv(result), speciesTableTsv(result, ',')}) {
            if (!possible) {
                EXPECT_THROW(importSpreadsheet(table), SpreadsheetError);
                continue;
            }
            const auto back = importSpreadsheet(table);
            std::vector<Line> imported;
            for (const auto& row : back.rows)
                imported.emplace_back(requireInteger(row.individuals), requireInteger(row.collections), row.name);
            EXPECT_EQ(imported, expected) << table;
            EXPECT_EQ(back.speciesCount, std::to_string(expected.size()));
        }
    }
}

// The table for the clipboard and for other programs, with names: the
// ten-species survey (N' = 45 once species 10 is set apart).
TEST(SpeciesTable, CarriesNamesPercentagesAndLimitsToEveryFormat) {
    auto table = parseSpeciesTable(readFileBytes(kGolden / "dez-especies.txt") +
                                   "[nomes]\r\nApis, \"mel\" <b>\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\nTrigona\r\n");
    const auto result = analyse(std::move(table));
    const Json json = Json::parse(analysisJson(result, "x", {}));
    EXPECT_EQ(json["especies"][0]["nome"].text, "Apis, \"mel\" <b>");
    EXPECT_EQ(json["especies"][9]["nome"].text, "Trigona");

    const auto csv = speciesTableCsv(result);
    EXPECT_NE(csv.find("\n1,\"Apis, \"\"mel\"\" <b>\",1,1,2.2222222222222223,0.77707625060708"), std::string::npos)
        << csv;
    EXPECT_NE(csv.find("\n10,Trigona,100,10,,,SD,sa,SF,W,true\n"), std::string::npos) << csv;

    // 4 decimals as the report rounds (20.0000: 9 * 100 / 45), "-" for the species set apart.
    const auto cells = speciesTableCells(result, ',');
    ASSERT_EQ(cells.size(), 11u);
    EXPECT_EQ(cells[0][4], "% de N'");
    EXPECT_EQ(cells[1], (std::vector<std::string>{"1", "Apis, \"mel\" <b>", "1", "1", "2,2222", "0,7771", "ND", "r",
                                                  "PF", "Z", ""}));
    EXPECT_EQ(cells[9][4], "20,0000");
    EXPECT_EQ(cells[10],
              (std::vector<std::string>{"10", "Trigona", "100", "10", "-", "-", "SD", "sa", "SF", "W", "*"}));

    const auto tsv = speciesTableTsv(result);
    EXPECT_EQ(tsv.substr(0, tsv.find('\n')), "Espécie\tNome\tIndivíduos\tColetas\t% de N'\tLimite de dominância "
                                             "(%)\tDominância\tAbundância\tFrequência\tConstância\tPredominante");
    EXPECT_NE(tsv.find("\n10\tTrigona\t100\t10\t-\t-\tSD\tsa\tSF\tW\t*\n"), std::string::npos);
    EXPECT_EQ(std::count(tsv.begin(), tsv.end(), '\n'), 11);

    const auto html = speciesTableHtml(result);
    EXPECT_NE(html.find("<tr><td>1</td><td>Apis, &quot;mel&quot; &lt;b&gt;</td><td>1</td><td>1</td><td>2.2222</td>"),
              std::string::npos)
        << html;
    EXPECT_NE(html.find("<th>Predominante</th></tr>"), std::string::npos);
    EXPECT_EQ(std::count(html.begin(), html.end(), '\n'), 13); // the table's lines, 11 rows
}

} // namespace
} // namespace zav
