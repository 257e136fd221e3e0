#include "similarity/similarity_export.h"

#include "similarity/treatment_file.h"
#include "support/json_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace zav {
namespace {

// null where the report prints "-", else the exact double.
void expectValue(const test::Json& value, bool defined, double exact) {
    EXPECT_EQ(value.kind, defined ? test::Json::Kind::Number : test::Json::Kind::Null);
    EXPECT_EQ(value.number, defined ? exact : 0.0);
}

TEST(SimilarityJson, HoldsEveryPairWithNullForEveryDash) {
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
            paths.push_back("/dados/\xC3\xA1rea \"" + f + "\"");
        }
        const auto result = CalculaSimilaridade(matrix);
        const auto json = test::Json::parse(similarityJson(result, paths));
        ASSERT_EQ(json["tratamentos"].items.size(), paths.size());
        for (std::size_t i = 0; i < paths.size(); ++i)
            EXPECT_EQ(json["tratamentos"][i].text, paths[i]);

        ASSERT_EQ(json["pares"].items.size(), result.pairs.size());
        for (std::size_t i = 0; i < result.pairs.size(); ++i) {
            const auto& p = result.pairs[i];
            const auto& pair = json["pares"][i];
            SCOPED_TRACE(pair["par"].text);
            EXPECT_EQ(pair["par"].text, "T" + std::to_string(p.x) + " x T" + std::to_string(p.y));
            EXPECT_EQ(pair["comuns"].number, p.common);
            EXPECT_EQ(pair["a"].number, p.speciesX);
            EXPECT_EQ(pair["b"].number, p.speciesY);
            expectValue(pair["quociente"], p.quotientDefined, p.quotient);
            expectValue(pair["intervalo"][0], p.intervalDefined, p.lower);
            expectValue(pair["intervalo"][1], p.intervalDefined, p.upper);
        }
    }
}

} // namespace
} // namespace zav
