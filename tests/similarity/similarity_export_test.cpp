#include "similarity/similarity_export.h"

#include "similarity/similarity_report.h"
#include "similarity/treatment_file.h"
#include "support/json_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace zav {
namespace {

using test::Json;

// A quotient or bound: null where the report prints "-", else the exact
// double, which the report prints with two decimals.
void expectAgrees(const Json& value, bool defined, double exact, const std::string& printed) {
    if (!defined) {
        EXPECT_TRUE(value.isNull());
        EXPECT_EQ(printed, "-");
        return;
    }
    EXPECT_EQ(value.number, exact);
    EXPECT_NEAR(value.number, std::stod(printed), 0.005 + 1e-9);
}

TEST(SimilarityJson, AgreesWithTheReportWithNullForEveryDash) {
    const std::filesystem::path dir = ZAV_GOLDEN_DIR;
    const std::vector<std::vector<std::string>> cases = {
        {"t1.txt", "t2.txt", "t3.txt", "vazio.txt", "curto.txt"},
        {"t1.txt", "vazio.txt", "vazio.txt"}, // T2 x T3: no species, no quotient
    };
    for (const auto& files : cases) {
        PresenceMatrix matrix;
        std::vector<std::string> paths;
        for (const auto& f : files) {
            matrix.treatments.push_back(loadTreatmentFile(dir / f));
            paths.push_back("/dados/\xC3\xA1rea " + f);
        }
        const auto result = CalculaSimilaridade(matrix);
        const Json json = test::JsonReader::parse(similarityJson(result, paths));
        ASSERT_EQ(json["tratamentos"].items.size(), paths.size());
        for (std::size_t i = 0; i < paths.size(); ++i)
            EXPECT_EQ(json["tratamentos"][i].text, paths[i]);

        ASSERT_EQ(json["pares"].items.size(), result.pairs.size());
        for (std::size_t i = 0; i < result.pairs.size(); ++i) {
            const auto& p = result.pairs[i];
            const auto& pair = json["pares"][i];
            const std::string line = pairLine(p);
            std::istringstream printed(line.substr(0, line.find('[')));
            std::string x, by, y, common, a, b, quotient;
            printed >> x >> by >> y >> common >> a >> b >> quotient;
            const auto interval = line.substr(line.find('[') + 1);
            const auto bound = [&](std::size_t from, char end) {
                std::istringstream in(interval.substr(from, interval.find(end, from) - from));
                std::string text;
                in >> text;
                return text;
            };
            SCOPED_TRACE(line);
            EXPECT_EQ(pair["par"].text, x + " " + by + " " + y);
            EXPECT_EQ(pair["comuns"].number, std::stod(common));
            EXPECT_EQ(pair["a"].number, std::stod(a));
            EXPECT_EQ(pair["b"].number, std::stod(b));
            expectAgrees(pair["quociente"], p.quotientDefined, p.quotient, quotient);
            expectAgrees(pair["intervalo"][0], p.intervalDefined, p.lower, bound(0, ';'));
            expectAgrees(pair["intervalo"][1], p.intervalDefined, p.upper, bound(interval.find(';') + 1, ']'));
        }
    }
}

} // namespace
} // namespace zav
