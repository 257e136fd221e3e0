// The fuzz targets' checks over the committed corpus (hand-made seeds and
// every input a fuzzer ever found), so the normal suite keeps them fixed.

#include "data/file_io.h"
#include "report_invariants.h"
#ifdef ZAV_TEST_WORKBOOKS
#include "workbook_invariants.h"
#endif

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

template <typename Check> int checkAll(const fs::path& dir, Check check) {
    int files = 0;
    for (const auto& entry : fs::directory_iterator(dir)) {
        ++files;
        EXPECT_EQ(check(zav::readFileBytes(entry.path())), "") << entry.path();
    }
    return files;
}

TEST(FuzzCorpus, EverySurveyFileGivesAnErrorOrASoundReport) {
    EXPECT_GT(checkAll(fs::path(ZAV_CORPUS_DIR) / "relatorio", zav::fuzz::checkSpeciesReport), 0);
}

TEST(FuzzCorpus, EverySetOfTreatmentFilesGivesAnErrorOrASoundReport) {
    EXPECT_GT(checkAll(fs::path(ZAV_CORPUS_DIR) / "similaridade", zav::fuzz::checkSimilarityReport), 0);
}

TEST(FuzzCorpus, EverySurveyAndSetOfTreatmentsGivesASoundDiversityAndComparison) {
    EXPECT_GT(checkAll(fs::path(ZAV_CORPUS_DIR) / "relatorio", zav::fuzz::checkDiversityReport), 0);
    EXPECT_GT(checkAll(fs::path(ZAV_CORPUS_DIR) / "similaridade", zav::fuzz::checkComparisonReport), 0);
}

TEST(FuzzCorpus, EverySurveyWithCollectionsGivesAnErrorOrBlocksThatReadBack) {
    EXPECT_GT(checkAll(fs::path(ZAV_CORPUS_DIR) / "coletas", zav::fuzz::checkCollectionBlocks), 0);
    EXPECT_GT(checkAll(fs::path(ZAV_CORPUS_DIR) / "relatorio", zav::fuzz::checkCollectionBlocks), 0);
}

TEST(FuzzCorpus, EverySpreadsheetGivesAnErrorOrADataFileThatReadsBack) {
    EXPECT_GT(checkAll(fs::path(ZAV_CORPUS_DIR) / "planilha", zav::fuzz::checkSpreadsheetImport), 0);
}

#ifdef ZAV_TEST_WORKBOOKS
TEST(FuzzCorpus, EveryWorkbookGivesAnErrorOrRowsWithinTheImportsBounds) {
    EXPECT_GT(checkAll(fs::path(ZAV_CORPUS_DIR) / "pasta", zav::fuzz::checkWorkbookImport), 0);
}
#endif

TEST(FuzzChecks, CatchAReportThatWouldBeWrong) {
    // The checks themselves must see a fault: a report line with "nan".
    EXPECT_TRUE(zav::fuzz::hasNonFinite("    Indice de Diversidade (Shannon-Weaner)   => H = -nan"));
    EXPECT_TRUE(zav::fuzz::hasNonFinite("=> H = INF"));
    EXPECT_FALSE(zav::fuzz::hasNonFinite("    Indice de Uniformidade ou Equitabilidade => E = 0.9329"));
    EXPECT_TRUE(zav::fuzz::hasNonFiniteWord("  Chao1                     inf  e.p. -nan"));
    EXPECT_TRUE(zav::fuzz::hasNonFiniteWord("{\"t\": -Infinity}"));
    EXPECT_FALSE(zav::fuzz::hasNonFiniteWord("  ICE  - : nenhuma espécie infrequente"));
}

} // namespace
