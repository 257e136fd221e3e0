// The runs over bytes (the browser page's way in) give the outputs of the
// runs over files, the shown name standing for the path.
#include "data/errors.h"
#include "data/file_io.h"
#include "runs/runs.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace zav {
namespace {

const std::filesystem::path kTests = ZAV_TESTS_DIR;
const DateTime kWhen{6, 12, 2026, 9, 5, 7, 42};

class FixedClock : public Clock {
  public:
    DateTime now() override { return kWhen; }
};

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

TEST(RunsOverBytes, SurveyAndDiversityGiveEveryOutputOfTheFileRun) {
    const auto file = kTests / "diversity" / "golden" / "girdled.txt";
    const auto bytes = readFileBytes(file);
    const auto path = absolutePath(file).string();
    const auto survey = runSurvey(file, kWhen);
    const auto surveyBytes = runSurvey(bytes, "girdled.txt", kWhen);
    const auto diversity = runDiversity(file, kWhen);
    const auto diversityBytes = runDiversity(bytes, "girdled.txt", kWhen);
    for (const auto output : {RunOutput::Report, RunOutput::Json, RunOutput::Csv}) {
        SCOPED_TRACE(static_cast<int>(output));
        EXPECT_EQ(surveyOutput(surveyBytes, output), replaced(surveyOutput(survey, output), path, "girdled.txt"));
        EXPECT_EQ(diversityOutput(diversityBytes, output),
                  replaced(diversityOutput(diversity, output), path, "girdled.txt"));
    }
}

TEST(RunsOverBytes, ComparisonAndSimilarityKeepTheNamesTheWarningAndTheOutputs) {
    const auto folder = kTests / "similarity" / "golden";
    std::vector<std::filesystem::path> files{folder / "t1.txt", folder / "t2.txt", folder / "curto.txt"};
    FixedClock clock;
    TreatmentFiles read;
    for (const auto& file : files)
        read.add(readFileBytes(file), file.filename().string());
    read.finish(kWhen);
    const auto fromFiles = loadTreatments(files, clock);
    EXPECT_FALSE(read.warning.empty());
    EXPECT_EQ(read.warning, fromFiles.warning);
    EXPECT_EQ(read.pathsUtf8(), (std::vector<std::string>{"t1.txt", "t2.txt", "curto.txt"}));

    const auto comparison = runComparison(read, DendrogramIndex::BrayCurtis);
    const auto comparisonFiles = runComparison(files, DendrogramIndex::BrayCurtis, clock);
    for (const auto output : {RunOutput::Report, RunOutput::Json})
        EXPECT_EQ(comparisonOutput(comparison, output), comparisonOutput(comparisonFiles, output));
    EXPECT_EQ(similarityOutput(runSimilarity(read), RunOutput::Report),
              similarityOutput(runSimilarity(fromFiles), RunOutput::Report));
}

TEST(RunsOverBytes, TheFirstTreatmentNamesTheSpeciesABadOneIsNamed) {
    TreatmentFiles read;
    read.add(std::string("2 10\r\n5 2\r\n3 1\r\n[nomes]\r\nApis\r\n"), "a.txt");
    EXPECT_EQ(read.speciesNames, (std::vector<std::string>{"Apis", ""}));
    try {
        read.add(std::string("2 10\r\n5 x\r\nabc\r\n"), "mata.txt");
        FAIL();
    } catch (const DataFileError& e) {
        EXPECT_EQ(e.detail(), "mata.txt: Linha 3: \"abc\" não é um número inteiro");
    }
}

} // namespace
} // namespace zav
