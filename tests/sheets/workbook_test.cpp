// Workbooks made here with libxlsxwriter and libzip, read by the import; the
// species table written as .xlsx and read back; names through the runs.

#include "sheets/workbook.h"

#include "analysis/analysis_export.h"
#include "data/clock.h"
#include "data/file_io.h"
#include "data/species_file.h"
#include "runs/runs.h"

#include <gtest/gtest.h>
#include <xlsxwriter.h>
#include <zip.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace zav {
namespace {

namespace fs = std::filesystem;

class Workbooks : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "zav-sheets.XXXXXX").string();
        ASSERT_TRUE(::mkdtemp(pattern.data()));
        dir = pattern;
    }
    void TearDown() override { fs::remove_all(dir); }

    fs::path write(const std::string& name, const std::string& bytes) {
        std::ofstream(dir / name, std::ios::binary) << bytes;
        return dir / name;
    }

    // An .ods of one part, content.xml, holding `tables`.
    fs::path ods(const std::string& name, const std::string& tables) {
        const std::string content =
            "<?xml version=\"1.0\"?><office:document-content "
            "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
            "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
            "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"><office:body><office:spreadsheet>" +
            tables + "</office:spreadsheet></office:body></office:document-content>";
        const auto path = dir / name;
        int error = 0;
        zip_t* zip = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
        static const char kMime[] = "application/vnd.oasis.opendocument.spreadsheet";
        zip_file_add(zip, "mimetype", zip_source_buffer(zip, kMime, sizeof kMime - 1, 0), 0);
        zip_file_add(zip, "content.xml", zip_source_buffer(zip, content.data(), content.size(), 0), 0);
        EXPECT_EQ(zip_close(zip), 0);
        return path;
    }

    fs::path dir;
};

std::vector<std::string> texts(const ImportedSpreadsheet& sheet) {
    std::vector<std::string> out;
    for (const auto& row : sheet.rows)
        out.push_back(row.individuals + " " + row.collections + " " + row.name);
    return out;
}

TEST_F(Workbooks, XlsxFirstSheetOrOneByNameWithCachedFormulasAndLenientCells) {
    const auto path = dir / "campo.xlsx";
    lxw_workbook* book = workbook_new(path.c_str());
    lxw_worksheet* notes = workbook_add_worksheet(book, "Notas");
    worksheet_write_string(notes, 0, 0, "sem espécies", nullptr);
    lxw_worksheet* sheet = workbook_add_worksheet(book, "Mata");
    worksheet_write_string(sheet, 0, 0, "Nº", nullptr);
    worksheet_write_string(sheet, 0, 1, "Espécie", nullptr);
    worksheet_write_string(sheet, 0, 2, "N° de indivíduos", nullptr);
    worksheet_write_string(sheet, 0, 3, "Col.", nullptr);
    const char* names[] = {"\xC3\x81pis mellifera", "Trigona spinipes", "Total"};
    for (lxw_row_t r = 1; r <= 3; ++r) {
        worksheet_write_number(sheet, r, 0, r, nullptr);
        worksheet_write_string(sheet, r, 1, names[r - 1], nullptr);
    }
    worksheet_write_number(sheet, 1, 2, 1234, nullptr);
    worksheet_write_string(sheet, 1, 3, "3,0", nullptr); // a whole number typed as text
    // Row 3: collections 2.0 as a number (individuals blank beside them would be 0 in 2 collections).
    worksheet_write_number(sheet, 2, 2, 2, nullptr);
    worksheet_write_number(sheet, 2, 3, 2.0, nullptr);
    // The totals by formulas, with their cached values.
    worksheet_write_formula_num(sheet, 3, 2, "=SUM(C2:C3)", nullptr, 1236);
    worksheet_write_formula_num(sheet, 3, 3, "=SUM(D2:D3)", nullptr, 5);
    ASSERT_EQ(workbook_close(book), LXW_NO_ERROR);

    EXPECT_EQ(workbookSheetNames(path), (std::vector<std::string>{"Notas", "Mata"}));
    const auto mata = importAnySpreadsheetFile(path, {}, "Mata");
    EXPECT_EQ(texts(mata), (std::vector<std::string>{"1234 3 \xC3\x81pis mellifera", "2 2 Trigona spinipes"}));
    EXPECT_EQ(mata.totalsRow, 4);
    // The first sheet has no species; a missing sheet names those there are.
    EXPECT_THROW(importAnySpreadsheetFile(path), SpreadsheetError);
    try {
        importAnySpreadsheetFile(path, {}, "Pasto");
        ADD_FAILURE();
    } catch (const SpreadsheetError& e) {
        EXPECT_STREQ(e.what(), "Erro: planilha: não há a planilha \"Pasto\"; a pasta de trabalho tem \"Notas\", \"Mata\"");
    }
}

TEST_F(Workbooks, OdsRepeatedCellsSpacesAndSpeciesByCollection) {
    const auto path = ods("campo.ods",
                          "<table:table table:name=\"Campo\">"
                          "<table:table-row><table:table-cell office:value-type=\"string\"><text:p>Esp\xC3\xA9"
                          "cie</text:p></table:table-cell>"
                          "<table:table-cell office:value-type=\"string\"><text:p>C1</text:p></table:table-cell>"
                          "<table:table-cell office:value-type=\"string\"><text:p>C2</text:p></table:table-cell>"
                          "<table:table-cell office:value-type=\"string\"><text:p>C3</text:p></table:table-cell>"
                          "<table:table-cell table:number-columns-repeated=\"16000\"/></table:table-row>"
                          "<table:table-row><table:table-cell office:value-type=\"string\"><text:p>Apis<text:s "
                          "text:c=\"2\"/>mellifera</text:p></table:table-cell>"
                          "<table:table-cell table:number-columns-repeated=\"3\" office:value-type=\"float\" "
                          "office:value=\"1\"><text:p>1</text:p></table:table-cell></table:table-row>"
                          "<table:table-row><table:table-cell office:value-type=\"string\"><text:p>Bombus</text:p>"
                          "</table:table-cell><table:table-cell/>"
                          "<table:table-cell table:formula=\"of:=2+3\" office:value-type=\"float\" "
                          "office:value=\"5\"><text:p>5</text:p></table:table-cell></table:table-row>"
                          "<table:table-row table:number-rows-repeated=\"1048570\"><table:table-cell "
                          "table:number-columns-repeated=\"1024\"/></table:table-row>"
                          "</table:table>");
    const auto sheet = importAnySpreadsheetFile(path, {true});
    EXPECT_EQ(texts(sheet), (std::vector<std::string>{"3 3 Apis mellifera", "5 1 Bombus"}));
    EXPECT_EQ(sheet.totalCollections, "3");
    EXPECT_EQ(workbookSheetNames(path), std::vector<std::string>{"Campo"});
}

TEST_F(Workbooks, RefusalsNameWhatIsWrong) {
    const struct {
        std::string bytes;
        std::string sheet;
        std::string message;
    } cases[] = {
        {"PK\x03\x04 not really", "", "Erro: planilha: o arquivo não é uma pasta de trabalho .xlsx ou .ods legível; "
                                      "grave-a de novo no Excel ou no LibreOffice, ou como CSV"},
        {"n;col\n1;1\n", "Plan1", "Erro: planilha: um arquivo CSV ou TSV tem uma só planilha; não escolha uma pelo nome"},
    };
    for (const auto& c : cases) {
        try {
            importAnySpreadsheetFile(write("x", c.bytes), {}, c.sheet);
            ADD_FAILURE() << c.message;
        } catch (const SpreadsheetError& e) {
            EXPECT_EQ(e.what(), c.message);
        }
    }
}

// The species table as .xlsx: the CSV's columns and values, numbers as
// numbers; imported again, the names come back.
TEST_F(Workbooks, TheSpeciesTableRoundTripsThroughXlsx) {
    const auto data = readFileBytes(fs::path(ZAV_GOLDEN_DIR) / "dez-especies.txt") +
                      "[nomes]\r\n\xC1pis\r\n\r\nTrigona, \"x\"\r\n";
    const auto result = analyse(parseSpeciesTable(data));
    const auto path = write("t.xlsx", speciesTableXlsx(result));
    const auto rows = readWorkbookSheet(path);
    ASSERT_EQ(rows.size(), 11u);
    EXPECT_EQ(rows[0].cells, std::vector<std::string>(kSpeciesTableColumns.begin(), kSpeciesTableColumns.end()));
    EXPECT_EQ(rows[1].cells[1], "\xC3\x81pis");
    EXPECT_EQ(rows[1].cells[4], "2.222222222222222"); // libxlsxwriter keeps 16 digits
    EXPECT_TRUE(rows[1].numeric[4]);
    EXPECT_EQ(rows[9].cells[4], "20");
    EXPECT_EQ(rows[10].cells[2], "100");
    EXPECT_EQ(rows[10].cells.size(), 11u);
    EXPECT_EQ(rows[10].cells[4], ""); // set apart: no percentage
    EXPECT_EQ(rows[10].cells[10], "1");
    const auto back = importAnySpreadsheetFile(path);
    const auto file = formatSpeciesFile(back.speciesCount, "10", back.rows);
    EXPECT_EQ(parseDataFileTexts(file).rows[2].name, "Trigona, \"x\"");
    EXPECT_EQ(file.substr(file.find("[nomes]")), "[nomes]\r\n\xC1pis\r\n\r\nTrigona, \"x\"\r\n");
}

// A similarity run takes the names of its first file.
TEST_F(Workbooks, ASimilarityRunNamesTheSpeciesFromTheFirstFile) {
    const auto a = write("a.txt", "3 5\r\n1 1\r\n0 0\r\n2 1\r\n[nomes]\r\nApis\r\n\r\nBombus\r\n");
    const auto b = write("b.txt", "3 5\r\n1 1\r\n1 1\r\n0 0\r\n[nomes]\r\nOutra\r\n");
    const auto c = write("c.txt", "3 5\r\n0 0\r\n1 1\r\n1 1\r\n");
    SystemClock clock;
    const auto run = runSimilarity({a, b, c}, clock);
    EXPECT_EQ(run.treatments.speciesNames, (std::vector<std::string>{"Apis", "", "Bombus"}));
    EXPECT_EQ(runSimilarity({c, a, b}, clock).treatments.speciesNames, (std::vector<std::string>{"", "", ""}));
}

} // namespace
} // namespace zav
