#include "analysis/analysis_export.h"

#include "analysis/analysis.h"
#include "data/cp1252.h"
#include "data/errors.h"
#include "data/file_io.h"
#include "data/species_file.h"
#include "support/json_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace zav {
namespace {

using test::Json;
using test::JsonReader;

const std::filesystem::path kGolden = ZAV_GOLDEN_DIR;

std::vector<std::string> lines(const std::string& text, char end) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line, end);)
        out.push_back(line.ends_with('\r') ? line.substr(0, line.size() - 1) : line);
    return out;
}

// A number as the report prints it: a count cut to its column, or a value
// rounded or cut at its last decimal.
::testing::AssertionResult printedAs(double exact, const std::string& printed) {
    const auto point = printed.find('.');
    const bool agrees = point == std::string::npos ? std::to_string(static_cast<long long>(exact)).starts_with(printed)
                                                   : std::fabs(exact - std::stod(printed)) <=
                                                         std::pow(10.0, -double(printed.size() - point - 1));
    if (agrees) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << exact << " printed as " << printed;
}

// The number the report prints after `marker`.
std::string printedAfter(const std::vector<std::string>& report, const std::string& marker) {
    for (const auto& line : report)
        if (const auto at = line.find(marker); at != std::string::npos) {
            const auto start = at + marker.size();
            return line.substr(start, line.find_first_of(" ]", start) - start);
        }
    return "not in the report: " + marker;
}

TEST(AnalysisJson, SaysWhatTheGoldenReportsSayAtFullPrecision) {
    const struct {
        const char* data;
        const char* report;
        const char* isoDate;
    } cases[] = {
        {"dez-especies.txt", "dez-especies.relatorio", "2026-12-06T09:05:07.042"},
        {"duas-especies.txt", "duas-especies.relatorio", "2026-12-31T23:59:59.999"},
        {"levantamento-30-coletas.txt", "levantamento-30-coletas.relatorio", "2027-01-01T00:00:00.000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.data);
        const auto result = analyse(parseSpeciesTable(readFileBytes(kGolden / c.data)));
        const auto report = lines(cp1252::toUtf8(readFileBytes(kGolden / c.report)), '\n');
        DateTime when;
        std::sscanf(report[3].c_str(), "Data: %d/%d/%d - %d:%d:%d:%d", &when.day, &when.month, &when.year, &when.hour,
                    &when.minute, &when.second, &when.millisecond);
        const std::string path = report[2].substr(std::string("Arquivo: ").size());
        const Json json = JsonReader::parse(analysisJson(result, path, when));

        EXPECT_EQ(json["arquivo"].text, path);
        EXPECT_EQ(json["data"].text, c.isoDate);
        // The species rows as the report prints them, marks and classes.
        const auto& species = json["especies"].items;
        ASSERT_EQ(species.size(), result.table.species.size());
        for (std::size_t i = 0; i < species.size(); ++i) {
            std::istringstream printed(report[8 + i]);
            std::string mark, number, individuals, collections, dominance, abundance, frequency, constancy;
            if (report[8 + i][1] == '*') printed >> mark;
            printed >> number >> individuals >> collections >> dominance >> abundance >> frequency >> constancy;
            const auto& sp = species[i];
            EXPECT_EQ(sp["especie"].number, result.table.species[i].number);
            EXPECT_EQ(sp["individuos"].number, result.table.species[i].individuals);
            EXPECT_EQ(sp["coletas"].number, result.table.species[i].collections);
            EXPECT_TRUE(printedAs(sp["especie"].number, number));
            EXPECT_TRUE(printedAs(sp["individuos"].number, individuals));
            EXPECT_TRUE(printedAs(sp["coletas"].number, collections));
            EXPECT_EQ(sp["dominancia"].text, dominance);
            EXPECT_EQ(sp["abundancia"].text, abundance);
            EXPECT_EQ(sp["frequencia"].text, frequency);
            EXPECT_EQ(sp["constancia"].text, constancy);
            EXPECT_EQ(sp["predominante"].boolean, mark == "*") << number;
        }
        // Totals and indices: the analysis' own doubles, which the report
        // prints rounded.
        const auto& table = result.table;
        const auto& ix = result.indices;
        const struct {
            const Json& value;
            double exact;
            const char* marker;
        } numbers[] = {
            {json["total_individuos"], double(table.totalIndividuals), "indivíduos => "},
            {json["numero_especies"], double(table.species.size()), "espécies           => "},
            {json["total_coletas"], double(table.totalCollections), "coletas      => "},
            {json["shannon"]["H"], ix.shannon, "H = "},
            {json["shannon"]["intervalo"][0], ix.shannonLower, "=> ["},
            {json["shannon"]["intervalo"][1], ix.shannonUpper, " ; "},
            {json["margalef"], ix.margalef, "ALFA = "},
            {json["equitabilidade"], ix.evenness, "E = "},
        };
        for (const auto& n : numbers) {
            EXPECT_EQ(n.value.number, n.exact) << n.marker;
            EXPECT_TRUE(printedAs(n.value.number, printedAfter(report, n.marker))) << n.marker;
        }
    }
}

TEST(AnalysisJson, KeepsAnyPathReadableAndRefusesNumbersJsonCannotHold) {
    auto result = analyse(parseSpeciesTable("2 4\n10 1\n3 2\n"));
    const std::string path = "C:\\\"a\"\n\x01\xC1rea \xC3\x81rea";
    const Json json = JsonReader::parse(analysisJson(result, path, {}));
    EXPECT_EQ(json["arquivo"].text, "C:\\\"a\"\n\x01\xEF\xBF\xBDrea \xC3\x81rea");
    result.indices.margalef = std::nan("");
    EXPECT_THROW(analysisJson(result, "x", {}), ComputationError);
}

TEST(SpeciesTableCsv, HoldsTheJsonSpeciesRowByRow) {
    const auto result = analyse(parseSpeciesTable(readFileBytes(kGolden / "dez-especies.txt")));
    const auto species = JsonReader::parse(analysisJson(result, "x", {}))["especies"].items;
    const auto csv = lines(speciesTableCsv(result), '\n');
    ASSERT_EQ(csv.size(), species.size() + 1);
    std::string header;
    for (const auto& [name, value] : species[0].members)
        header += (header.empty() ? "" : ",") + name;
    EXPECT_EQ(csv[0], header);
    for (std::size_t i = 0; i < species.size(); ++i) {
        std::string row;
        for (const auto& [name, value] : species[i].members) {
            row += row.empty() ? "" : ",";
            if (value.kind == Json::Kind::Number) row += std::to_string(static_cast<long long>(value.number));
            if (value.kind == Json::Kind::String) row += value.text;
            if (value.kind == Json::Kind::Bool) row += value.boolean ? "true" : "false";
        }
        EXPECT_EQ(csv[i + 1], row);
    }
}

} // namespace
} // namespace zav
