#include "analysis/analysis_export.h"

#include "analysis/analysis.h"
#include "data/cp1252.h"
#include "data/errors.h"
#include "data/file_io.h"
#include "data/species_file.h"
#include "support/json_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <iterator>
#include <sstream>
#include <string>
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

TEST(SpeciesTableCsv, MatchesTheGoldenTable) {
    const auto result = analyse(parseSpeciesTable(readFileBytes(kGolden / "dez-especies.txt")));
    EXPECT_EQ(speciesTableCsv(result), readFileBytes(kGolden / "dez-especies.csv"));
}

} // namespace
} // namespace zav
