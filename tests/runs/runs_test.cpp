// The runs over bytes (the browser page's way in) give the outputs of the
// runs over files, the shown name standing for the path.
#include "data/cp1252.h"
#include "data/errors.h"
#include "data/file_io.h"
#include "runs/run_kinds.h"

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
        EXPECT_EQ(outputOf(surveyBytes, output), replaced(outputOf(survey, output), path, "girdled.txt"));
        EXPECT_EQ(outputOf(diversityBytes, output), replaced(outputOf(diversity, output), path, "girdled.txt"));
    }
}

TEST(RunsOverBytes, FluctuationGivesEveryOutputOfTheFileRunWithItsLag) {
    const auto file = kTests / "fluctuation" / "golden" / "dez-especies-coletas.txt";
    const auto bytes = readFileBytes(file);
    const auto path = absolutePath(file).string();
    FixedClock clock;
    for (const int lag : {0, 1}) {
        const auto run = runFluctuation(file, lag, clock);
        const auto overBytes = runFluctuation(bytes, "coletas.txt", lag, kWhen);
        EXPECT_EQ(run.result.lag, lag);
        for (const auto output : {RunOutput::Report, RunOutput::Json, RunOutput::Csv})
            EXPECT_EQ(outputOf(overBytes, output), replaced(outputOf(run, output), path, "coletas.txt"));
    }
    EXPECT_NE(outputOf(runFluctuation(bytes, "x", 1, kWhen), RunOutput::Json).find("\"defasagem\": 1"),
              std::string::npos);
    // A survey without its collections says how to add them.
    try {
        runFluctuation(readFileBytes(kTests / "analysis" / "golden" / "dez-especies.txt"), "x", 0, kWhen);
        ADD_FAILURE() << "a survey without collections was accepted";
    } catch (const DataFileError& e) {
        EXPECT_NE(std::string(e.what()).find("[coletas]"), std::string::npos);
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
    EXPECT_FALSE(read.notes.empty());
    EXPECT_EQ(read.notes, fromFiles.notes);
    EXPECT_EQ(read.pathsUtf8(), (std::vector<std::string>{"t1.txt", "t2.txt", "curto.txt"}));

    const auto comparison = runComparison(read, DendrogramIndex::BrayCurtis);
    const auto comparisonFiles = runComparison(files, DendrogramIndex::BrayCurtis, clock);
    for (const auto output : {RunOutput::Report, RunOutput::Json})
        EXPECT_EQ(outputOf(comparison, output), outputOf(comparisonFiles, output));
    EXPECT_EQ(outputOf(runSimilarity(read), RunOutput::Report), outputOf(runSimilarity(fromFiles), RunOutput::Report));
}

// A treatment's name given with its bytes is a name, not a path: a slash in
// it ("2023/24") keeps all of it in the comparison's report.
TEST(RunsOverBytes, ANameWithASlashIsKeptWhole) {
    const auto folder = kTests / "similarity" / "golden";
    TreatmentFiles read;
    read.add(readFileBytes(folder / "t1.txt"), "Mata ciliar 2023/24");
    read.add(readFileBytes(folder / "curto.txt"), "Pasto 2023/24");
    read.finish(kWhen);
    EXPECT_EQ(read.namesUtf8(), (std::vector<std::string>{"Mata ciliar 2023/24", "Pasto 2023/24"}));
    const auto comparison = runComparison(read, DendrogramIndex::Sorensen);
    EXPECT_NE(outputOf(comparison, RunOutput::Report).find("T1 = Mata ciliar 2023/24"), std::string::npos);
    EXPECT_EQ(outputOf(comparison, RunOutput::Report).find("T1 = 24"), std::string::npos);
}

// One survey of three areas, the second sheet sorted by name and listing only
// the species caught: paired by name, the quotients are those of the files
// listed line by line, and every output says how the species were paired.
TEST(RunsOverBytes, NamedSpeciesArePairedByNameInEveryOutput) {
    const std::string names = "[nomes]\r\nAtta\r\nBombus\r\nCamponotus\r\nDorymyrmex\r\n";
    const std::string mata = "4 10\r\n5 2\r\n3 1\r\n0 0\r\n7 3\r\n" + names;
    const std::string pasto = "4 10\r\n1 1\r\n0 0\r\n2 2\r\n4 3\r\n" + names;
    const std::string borda = "3 10\r\n4 3\r\n2 2\r\n1 1\r\n[nomes]\r\nDorymyrmex\r\nCamponotus\r\nAtta\r\n";
    const std::string bordaByLine = "4 10\r\n1 1\r\n0 0\r\n2 2\r\n4 3\r\n" + names;
    const auto run = [&](const std::string& third) {
        TreatmentFiles files;
        files.add(mata, "mata.txt");
        files.add(pasto, "pasto.txt");
        files.add(third, "borda.txt");
        files.finish(kWhen);
        return runSimilarity(std::move(files));
    };
    const auto byName = run(borda), byLine = run(bordaByLine);
    EXPECT_TRUE(byName.treatments.pairedByName);
    EXPECT_FALSE(byLine.treatments.pairedByName);
    ASSERT_EQ(byName.result.pairs.size(), byLine.result.pairs.size());
    for (std::size_t p = 0; p < byName.result.pairs.size(); ++p)
        EXPECT_EQ(byName.result.pairs[p].quotient, byLine.result.pairs[p].quotient);
    const std::string note = "Espécies pareadas pelo nome, não pela linha: 4 espécies nos 3 tratamentos";
    EXPECT_NE(outputOf(byName, RunOutput::Report).find(cp1252::fromUtf8(note)), std::string::npos);
    EXPECT_NE(outputOf(byName, RunOutput::Json).find("\"avisos\": [\n    \"" + note), std::string::npos);
    EXPECT_EQ(outputOf(byLine, RunOutput::Report).find("pareadas"), std::string::npos);
    EXPECT_EQ(outputOf(byLine, RunOutput::Json).find("avisos"), std::string::npos);
    const auto comparison = runComparison(byName.treatments, DendrogramIndex::Sorensen);
    EXPECT_NE(outputOf(comparison, RunOutput::Report).find("  T3 = borda.txt\r\n" + cp1252::fromUtf8(note)),
              std::string::npos);
}

TEST(RunsOverBytes, TheFirstTreatmentNamesTheSpeciesABadOneIsNamed) {
    TreatmentFiles read;
    read.add(std::string("2 10\r\n5 2\r\n3 1\r\n[nomes]\r\nApis\r\n"), "a.txt");
    read.finish(kWhen);
    EXPECT_EQ(read.speciesNames, (std::vector<std::string>{"Apis", ""}));
    try {
        read.add(std::string("2 10\r\n5 x\r\nabc\r\n"), "mata.txt");
        FAIL();
    } catch (const DataFileError& e) {
        EXPECT_EQ(e.detail(), "mata.txt: Linha 3: \"abc\" não é um número inteiro");
    }
}

// Every kind of the table runs as its own run does, over files and over
// bytes alike, and refuses a wrong number of files before reading any.
TEST(RunKinds, EveryKindRunsOverFilesAndBytesAsItsOwnRun) {
    const auto survey = kTests / "diversity" / "golden" / "girdled.txt";
    const auto folder = kTests / "similarity" / "golden";
    const std::vector<std::filesystem::path> treatments{folder / "t1.txt", folder / "t2.txt", folder / "curto.txt"};
    // The communities read each file's collections.
    const auto data = kTests / "communities" / "data";
    const std::vector<std::filesystem::path> areas{data / "mata.txt", data / "borda.txt", data / "pasto.txt"};
    FixedClock clock;
    const auto kept = kTests / "fluctuation" / "golden" / "dez-especies-coletas.txt";
    RunParameters parameters;
    parameters.index = DendrogramIndex::BrayCurtis;
    parameters.lag = 1;
    for (const auto& kind : runKinds()) {
        SCOPED_TRACE(std::string(kind.name));
        const auto one = kind.kind == RunKind::Fluctuation ? kept : survey;
        const auto& files = kind.oneFile()                      ? std::vector<std::filesystem::path>{one}
                            : kind.kind == RunKind::Communities ? areas
                                                                : treatments;
        std::vector<NamedBytes> bytes;
        std::vector<std::string> read;
        for (const auto& file : files)
            read.push_back(readFileBytes(file));
        for (std::size_t i = 0; i < files.size(); ++i)
            bytes.push_back({read[i], files[i].filename().string()});
        const auto fromFiles = runFiles(kind.kind, files, parameters, clock);
        const auto fromBytes = runBytes(kind.kind, bytes, parameters, kWhen);
        EXPECT_EQ(kindOf(fromFiles), kind.kind);
        EXPECT_EQ(kindOf(fromBytes), kind.kind);
        EXPECT_EQ(runKindNamed(kind.name), &kind);
        const std::string expected = std::visit(
            [&](const auto& run) {
                if constexpr (requires { outputOf(run, RunOutput::Report); })
                    return outputOf(run, RunOutput::Json);
                else if constexpr (requires { outputOf(run, RunOutput::Report); })
                    return outputOf(run, RunOutput::Json);
                else if constexpr (requires { outputOf(run, RunOutput::Report); })
                    return outputOf(run, RunOutput::Json);
                else if constexpr (requires { outputOf(run, RunOutput::Report); })
                    return outputOf(run, RunOutput::Json);
                else if constexpr (requires { outputOf(run, RunOutput::Report); })
                    return outputOf(run, RunOutput::Json);
                else
                    return outputOf(run, RunOutput::Json);
            },
            fromFiles);
        EXPECT_EQ(runOutput(fromFiles, RunOutput::Json), expected);
        const auto path = absolutePath(files.front()).string();
        EXPECT_EQ(runOutput(fromBytes, RunOutput::Report),
                  kind.oneFile() ? replaced(runOutput(fromFiles, RunOutput::Report), path, one.filename().string())
                                 : runOutput(fromFiles, RunOutput::Report));
        if (!kind.oneFile()) {
            EXPECT_THROW(runFiles(kind.kind, {folder / "t1.txt"}, {}, clock), Error);
            EXPECT_EQ(runNotices(fromBytes), std::visit(
                                                 [](const auto& run) {
                                                     if constexpr (requires { run.notices; })
                                                         return run.notices;
                                                     else if constexpr (requires { run.treatments.notes; })
                                                         return run.treatments.notes;
                                                     else
                                                         return std::vector<std::string>{};
                                                 },
                                                 fromBytes));
        }
    }
}

} // namespace
} // namespace zav
