// Workbooks made here part by part, read by the import; the species table
// written as .xlsx and read back, whatever the locale; bad workbooks refused
// with what is wrong; names through the runs.

#include "sheets/workbook.h"
#include "sheets/xml_pull.h"

#include "analysis/analysis_export.h"
#include "data/clock.h"
#include "data/file_io.h"
#include "data/species_file.h"
#include "runs/run_kinds.h"

#include "support/workbook_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <sstream>

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
    fs::path ods(const std::string& name, const std::string& tables, const std::string& styles = {}) {
        EXPECT_TRUE(test::writeZip(dir / name, test::odsParts(tables, styles)));
        return dir / name;
    }

    fs::path xlsx(const std::string& name, const std::vector<test::XlsxSheet>& sheets, const test::Parts& extra = {},
                  const std::string& book = {}) {
        EXPECT_TRUE(test::writeZip(dir / name, test::xlsxParts(sheets, extra, book)));
        return dir / name;
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
    // Texts as shared strings, as Excel saves them.
    const test::Parts strings{
        {"xl/sharedStrings.xml",
         "<sst><si><t>N\xC2\xBA</t></si><si><t>Esp\xC3\xA9"
         "cie</t></si><si><t>N\xC2\xB0 de indiv\xC3\xAD"
         "duos</t></si>"
         "<si><t>Col.</t></si><si><r><t>\xC3\x81pis</t></r><r><t xml:space=\"preserve\"> mellifera</t></r>"
         "<rPh><t>x</t></rPh></si><si><t>Trigona spinipes</t></si><si><t>Total</t></si><si><t>3,0</t></si>"
         "<si><t>sem esp\xC3\xA9"
         "cies</t></si></sst>"}};
    const auto s = [](const char* ref, int index) {
        return std::string("<c r=\"") + ref + "\" t=\"s\"><v>" + std::to_string(index) + "</v></c>";
    };
    const std::string mataRows =
        "<row r=\"1\">" + s("A1", 0) + s("B1", 1) + s("C1", 2) + s("D1", 3) + "</row>" +
        "<row r=\"2\"><c r=\"A2\"><v>1</v></c>" + s("B2", 4) + "<c r=\"C2\"><v>1234</v></c>" +
        s("D2", 7) /* a whole number typed as text */ + "</row>" +
        // Row 3: collections 2.0 as a number (individuals blank beside them would be 0 in 2 collections).
        "<row r=\"3\"><c r=\"A3\"><v>2</v></c>" + s("B3", 5) +
        "<c r=\"C3\"><v>2</v></c><c r=\"D3\"><v>2.0</v></c></row>" +
        // The totals by formulas, with their saved values.
        "<row r=\"4\"><c r=\"A4\"><v>3</v></c>" + s("B4", 6) +
        "<c r=\"C4\"><f>SUM(C2:C3)</f><v>1236</v></c><c r=\"D4\"><f>SUM(D2:D3)</f><v>5</v></c></row>";
    const auto path =
        xlsx("campo.xlsx", {{"Notas", "<row r=\"1\">" + s("A1", 8) + "</row>", ""}, {"Mata", mataRows, ""}}, strings);

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
        EXPECT_STREQ(e.what(),
                     "Erro: planilha: não há a planilha \"Pasto\"; a pasta de trabalho tem \"Notas\", \"Mata\"");
    }
}

TEST_F(Workbooks, OdsRepeatedCellsSpacesAndSpeciesByCollection) {
    const auto path =
        ods("campo.ods", "<table:table table:name=\"Campo\">"
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
        {"PK\x03\x04 not really", "",
         "Erro: planilha: o arquivo não é uma pasta de trabalho .xlsx ou .ods legível; "
         "grave-a de novo no Excel ou no LibreOffice, ou como CSV"},
        {"n;col\n1;1\n", "Plan1",
         "Erro: planilha: um arquivo CSV ou TSV tem uma só planilha; não escolha uma pelo nome"},
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

// What a reader once took for something else, or could not bound: each
// workbook refused with its reason, in a few MiB.
TEST_F(Workbooks, BadWorkbooksAreRefusedNamingWhatIsWrong) {
    const std::string header = "<row r=\"1\">" + test::textCell("A1", "especie") + test::textCell("B1", "n") +
                               test::textCell("C1", "coletas") + "</row>";
    const auto row2 = [](const std::string& cells) {
        return "<row r=\"2\">" + test::textCell("A2", "Apis") + cells + "</row>";
    };
    const std::string rest =
        "<row r=\"3\">" + test::textCell("A3", "Bombus") + "<c r=\"B3\"><v>1</v></c><c r=\"C3\"><v>1</v></c></row>";
    const auto odsCell = [](const std::string& cell) {
        return "<table:table table:name=\"A\"><table:table-row><table:table-cell><text:p>Apis</text:p>"
               "</table:table-cell>" +
               cell + "</table:table-row></table:table>";
    };
    const test::Parts dateStyles{{"xl/styles.xml",
                                  "<styleSheet><numFmts><numFmt numFmtId=\"165\" "
                                  "formatCode=\"dd/mm/yyyy;@\"/></numFmts><cellXfs><xf numFmtId=\"0\"/>"
                                  "<xf numFmtId=\"14\"/><xf numFmtId=\"165\"/><xf numFmtId=\"4\"/>"
                                  "</cellXfs></styleSheet>"}};
    std::string wideCell = "<table:table-cell office:value-type=\"string\" table:number-columns-repeated=\"16384\">"
                           "<text:p>" +
                           std::string(64 * 1024, 'x') + "</text:p></table:table-cell>";
    std::string spaces;
    for (int i = 0; i < 100; ++i)
        spaces += "<text:s text:c=\"1024\"/>";
    const std::string filled60k = "<table:table-cell office:value-type=\"string\"><text:p>" +
                                  std::string(60 * 1024, 'x') + "</text:p></table:table-cell>";
    const auto bigSheet = dir / "grande.xlsx";
    { std::ofstream(bigSheet, std::ios::binary) << "PK\x03\x04"; }
    fs::resize_file(bigSheet, (64u << 20) + 1);
    const std::string ole2("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    std::string encrypted = ole2 + std::string(1000, '\0');
    for (const char c : std::string("EncryptedPackage"))
        encrypted += std::string{c, '\0'};
    const struct {
        fs::path file;
        std::string message;
    } cases[] = {
        // A formula without its saved value (openpyxl writes an empty <v/>).
        {xlsx("f1.xlsx", {{"A", header + row2("<c r=\"B2\"><f>1+1</f></c>") + rest, ""}}),
         "Erro: planilha, célula B2: fórmula sem valor gravado: abra e grave a planilha no Excel ou no LibreOffice"},
        {xlsx("f2.xlsx", {{"A", header + row2("<c r=\"B2\"><v>3</v></c><c r=\"C2\"><f>B2</f><v/></c>") + rest, ""}}),
         "Erro: planilha, célula C2: fórmula sem valor gravado: abra e grave a planilha no Excel ou no LibreOffice"},
        {ods("f.ods", odsCell("<table:table-cell table:formula=\"of:=1+1\"/>")),
         "Erro: planilha, célula B1: fórmula sem valor gravado: abra e grave a planilha no Excel ou no LibreOffice"},
        // A number merged over several cells counts for the first only.
        {xlsx("m.xlsx", {{"A", header + row2("<c r=\"B2\"><v>3</v></c><c r=\"C2\"><v>1</v></c>") + rest, "",
                          "<mergeCells count=\"1\"><mergeCell ref=\"B2:B3\"/></mergeCells>"}}),
         "Erro: planilha, célula B2: número em células mescladas; desfaça a mesclagem e escreva o número de cada linha "
         "e coluna"},
        {ods("m.ods", odsCell("<table:table-cell table:number-rows-spanned=\"2\" office:value-type=\"float\" "
                              "office:value=\"4\"/>")),
         "Erro: planilha, célula B1: número em células mescladas; desfaça a mesclagem e escreva o número de cada linha "
         "e coluna"},
        // A date in a count cell, by a built-in and by a format of its own.
        {xlsx("d1.xlsx",
              {{"A", header + row2("<c r=\"B2\" s=\"1\"><v>45352</v></c><c r=\"C2\"><v>1</v></c>") + rest, ""}},
              dateStyles),
         "Erro: planilha, linha 2, coluna \"n\": \"2024-03-01\" não é um número inteiro"},
        {xlsx("d2.xlsx",
              {{"A", header + row2("<c r=\"B2\"><v>3</v></c><c r=\"C2\" s=\"2\"><v>45352.5</v></c>") + rest, ""}},
              dateStyles),
         "Erro: planilha, linha 2, coluna \"coletas\": \"2024-03-01 12:00\" não é um número inteiro"},
        {xlsx("d3.xlsx",
              {{"A", header + row2("<c r=\"B2\" s=\"1\"><v>43890</v></c><c r=\"C2\"><v>1</v></c>") + rest, ""}},
              dateStyles, "<workbookPr date1904=\"1\"/>"),
         "Erro: planilha, linha 2, coluna \"n\": \"2024-03-01\" não é um número inteiro"},
        // Columns past XFD; a reference of four letters.
        {xlsx("c1.xlsx", {{"A", "<row r=\"1\">" + test::textCell("XFE1", "x") + "</row>", ""}}),
         "Erro: planilha, linha 1: a linha passa de 65536 caracteres"},
        {xlsx("c2.xlsx", {{"A", "<row r=\"1\">" + test::textCell("AAAA1", "x") + "</row>", ""}}),
         "Erro: planilha: o arquivo não é uma pasta de trabalho .xlsx ou .ods legível; grave-a de novo no Excel ou no "
         "LibreOffice, ou como CSV"},
        // An end tag that closes another element.
        {xlsx("x.xlsx", {{"A", header + row2("<c r=\"B2\"><v>3</vx></c>") + rest, ""}}),
         "Erro: planilha: o arquivo não é uma pasta de trabalho .xlsx ou .ods legível; grave-a de novo no Excel ou no "
         "LibreOffice, ou como CSV"},
        // Bounds applied as a cell is built: a 64 KiB cell repeated,
        // spaces by the thousand, a long row repeated without end.
        {ods("r1.ods",
             "<table:table table:name=\"A\"><table:table-row>" + wideCell + "</table:table-row></table:table>"),
         "Erro: planilha, linha 1: a linha passa de 65536 caracteres"},
        {ods("r2.ods", odsCell("<table:table-cell><text:p>" + spaces + "</text:p></table:table-cell>")),
         "Erro: planilha, linha 1: a linha passa de 65536 caracteres"},
        {ods("r3.ods", "<table:table table:name=\"A\"><table:table-row table:number-rows-repeated=\"1000000\">" +
                           filled60k + "</table:table-row></table:table>"),
         "Erro: planilha, linha 137: as linhas lidas até aqui passam de 8 MiB"},
        // A row repeated 2^63 - 1 times: no counter overflows.
        {ods("r4.ods",
             "<table:table table:name=\"A\"><table:table-row table:number-rows-repeated=\"9223372036854775807\">"
             "<table:table-cell office:value-type=\"float\" office:value=\"1\" "
             "table:number-columns-repeated=\"2\"/></table:table-row>"
             "<table:table-row table:number-rows-repeated=\"9223372036854775807\"/></table:table>"),
         "Erro: planilha, linha 901: mais de 900 espécies"},
        {bigSheet, "Erro: planilha: a pasta de trabalho passa de 64 MiB"},
        // Excel 97-2003 and workbooks protected by a password (OLE2 files).
        {write("velha.xls", ole2 + std::string(600, '\0')), "Erro: planilha: arquivo do Excel 97-2003 (.xls): abra-o "
                                                            "no Excel ou no LibreOffice e grave como .xlsx ou .csv"},
        {write("senha.xlsx", encrypted),
         "Erro: planilha: planilha protegida por senha: abra-a no Excel ou no LibreOffice e grave-a sem senha, como "
         ".xlsx ou .csv"},
    };
    for (const auto& c : cases) {
        try {
            importAnySpreadsheetFile(c.file);
            ADD_FAILURE() << c.file;
        } catch (const SpreadsheetError& e) {
            EXPECT_EQ(e.what(), c.message) << c.file;
        }
    }
}

// The sheet a workbook opens on, or its first visible one, said when it is
// not the first; edge cases of layout that read as they show.
TEST_F(Workbooks, TheActiveOrFirstVisibleSheetAndLayoutsAsTheyShow) {
    const auto species = [](int row, const std::string& column, const char* name) {
        const auto r = std::to_string(row);
        return "<row r=\"" + r + "\">" + test::textCell(column + r, name) + "<c r=\"" +
               column.substr(0, column.size() - 1) + static_cast<char>(column.back() + 1) + r + "\"><v>" + r +
               "</v></c><c r=\"" + column.substr(0, column.size() - 1) + static_cast<char>(column.back() + 2) + r +
               "\"><v>1</v></c></row>";
    };
    const std::string two = species(1, "A", "Apis") + species(2, "A", "Bombus");
    const test::XlsxSheet notes{"Notas", "<row r=\"1\">" + test::textCell("A1", "x") + "</row>", " state=\"hidden\""};
    std::string nested = "<text:p>";
    for (int i = 0; i < 50000; ++i)
        nested += "<text:span>";
    nested += "Apis";
    for (int i = 0; i < 50000; ++i)
        nested += "</text:span>";
    nested += "</text:p>";
    const auto odsRow = [](const std::string& name, const std::string& attributes = {}) {
        return "<table:table-row" + attributes + "><table:table-cell>" + name +
               "</table:table-cell><table:table-cell office:value-type=\"float\" office:value=\"2\"/>"
               "<table:table-cell office:value-type=\"float\" office:value=\"1\"/></table:table-row>";
    };
    const struct {
        fs::path file;
        std::vector<std::string> rows;
        std::string notice;
    } cases[] = {
        {xlsx("oculta.xlsx", {notes, {"Mata", two, ""}}),
         {"1 1 Apis", "2 1 Bombus"},
         "Planilha \"Mata\" importada: a primeira, \"Notas\", está oculta"},
        {xlsx("ativa.xlsx", {{"Notas", "", ""}, {"Pasto", "", ""}, {"Mata", two, ""}}, {},
              "<bookViews><workbookView activeTab=\"2\"/></bookViews>"),
         {"1 1 Apis", "2 1 Bombus"},
         "Planilha \"Mata\" importada: é a planilha ativa da pasta de trabalho"},
        {ods("oculta.ods",
             "<table:table table:name=\"Notas\" table:style-name=\"ta2\"/><table:table table:name=\"Mata\" "
             "table:style-name=\"ta1\">" +
                 odsRow("<text:p>Apis</text:p>") + "</table:table>",
             "<style:style style:name=\"ta1\" style:family=\"table\"><style:table-properties table:display=\"true\"/>"
             "</style:style><style:style style:name=\"ta2\" style:family=\"table\"><style:table-properties "
             "table:display=\"false\"/></style:style>"),
         {"2 1 Apis"},
         "Planilha \"Mata\" importada: a primeira, \"Notas\", está oculta"},
        {[&] {
             auto parts = test::odsParts("<table:table table:name=\"Notas\"/><table:table table:name=\"Mata\">" +
                                         odsRow("<text:p>Apis</text:p>") + "</table:table>");
             parts.push_back({"settings.xml",
                              "<office:document-settings><config:config-item-set><config:config-item "
                              "config:name=\"ActiveTable\" config:type=\"string\">Mata"
                              "</config:config-item></config:config-item-set></office:document-settings>"});
             EXPECT_TRUE(test::writeZip(dir / "ativa.ods", parts));
             return dir / "ativa.ods";
         }(),
         {"2 1 Apis"},
         "Planilha \"Mata\" importada: é a planilha ativa da pasta de trabalho"},
        // Three-letter columns; a sheet starting at row 2; a part named
        // by an absolute target.
        {xlsx("colunas.xlsx", {{"A",
                                "<row r=\"2\">" + test::textCell("AAA2", "especie") + test::textCell("AAB2", "n") +
                                    test::textCell("AAC2", "coletas") + "</row>" + species(3, "AAA", "Apis") +
                                    species(4, "AAA", "Bombus"),
                                ""}}),
         {"3 1 Apis", "4 1 Bombus"},
         ""},
        {[&] {
             auto parts = test::xlsxParts({{"A", two, ""}});
             for (auto& [name, bytes] : parts) {
                 if (name == "xl/worksheets/sheet1.xml") name = "xl/planilhas/mata.xml";
                 if (name == "xl/_rels/workbook.xml.rels")
                     bytes =
                         "<Relationships><Relationship Id=\"rId1\" Target=\"/xl/planilhas/mata.xml\"/></Relationships>";
             }
             EXPECT_TRUE(test::writeZip(dir / "absoluto.xlsx", parts));
             return dir / "absoluto.xlsx";
         }(),
         {"1 1 Apis", "2 1 Bombus"},
         ""},
        // A row repeated; <text:s/> is one space; spans nested 50,000 deep.
        {ods("repetida.ods",
             "<table:table table:name=\"A\">" +
                 odsRow("<text:p>Apis<text:s/>mellifera</text:p>", " table:number-rows-repeated=\"2\"") +
                 odsRow(nested) + "</table:table>"),
         {"2 1 Apis mellifera", "2 1 Apis mellifera", "2 1 Apis"},
         ""},
    };
    for (const auto& c : cases) {
        const auto sheet = importAnySpreadsheetFile(c.file);
        EXPECT_EQ(texts(sheet), c.rows) << c.file;
        EXPECT_EQ(sheet.notices, (c.notice.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.notice}))
            << c.file;
    }
}

// Names the data file cannot hold are said once, naming the first.
TEST_F(Workbooks, NamesOutsideWindows1252AreSaidOnce) {
    const auto path = xlsx("nomes.xlsx", {{"A",
                                           "<row r=\"1\">" + test::textCell("A1", "\xCE\xA8 beetle") +
                                               "<c r=\"B1\"><v>1</v></c><c r=\"C1\"><v>1</v></c></row><row r=\"2\">" +
                                               test::textCell("A2", "\xE2\x82\xAC") +
                                               "<c r=\"B2\"><v>1</v></c><c r=\"C2\"><v>1</v></c></row><row r=\"3\">" +
                                               test::textCell("A3", "\xE4\xB8\xAD") +
                                               "<c r=\"B3\"><v>1</v></c><c r=\"C3\"><v>1</v></c></row>",
                                           ""}});
    EXPECT_EQ(importAnySpreadsheetFile(path).notices,
              std::vector<std::string>{"Nomes com caracteres que o Windows-1252 não tem (o primeiro na espécie 1, "
                                       "\"\xCE\xA8 beetle\") são gravados com \"?\" no arquivo de dados"});
}

// Under a locale whose decimal separator is a comma (as the window runs
// under a Brazilian desktop), numbers are written with ".".
TEST_F(Workbooks, TheSpeciesTableIsWrittenTheSameUnderABrazilianLocale) {
    const auto result = analyse(parseSpeciesTable(readFileBytes(fs::path(ZAV_GOLDEN_DIR) / "dez-especies.txt")));
    const auto plain = speciesTableXlsx(result);
    if (!std::setlocale(LC_ALL, "pt_BR.UTF-8"))
        GTEST_SKIP() << "no pt_BR.UTF-8 locale here (scripts/install-deps.sh makes one)";
    char comma[16];
    std::snprintf(comma, sizeof comma, "%.1f", 0.5);
    const auto underBrazil = speciesTableXlsx(result);
    std::setlocale(LC_ALL, "C");
    EXPECT_STREQ(comma, "0,5");
    EXPECT_EQ(underBrazil, plain);
    // Read back, every number is the CSV's.
    const auto rows = readWorkbookSheet(write("pt.xlsx", underBrazil));
    ASSERT_EQ(rows.size(), 11u);
    EXPECT_EQ(rows[1].cells[4], "2.2222222222222223");
    std::istringstream csv(speciesTableCsv(result));
    std::string line;
    std::getline(csv, line);
    for (std::size_t r = 1; r < rows.size() && std::getline(csv, line); ++r) {
        std::istringstream fields(line);
        std::string field;
        for (std::size_t c = 0; c < 6 && std::getline(fields, field, ','); ++c) {
            if (c != 1) {
                EXPECT_EQ(rows[r].cells[c], field) << r << " " << c;
            }
        }
    }
}

// The species table as .xlsx: the CSV's columns and values, numbers as
// numbers; imported again, the names come back.
TEST_F(Workbooks, TheSpeciesTableRoundTripsThroughXlsx) {
    const auto data =
        readFileBytes(fs::path(ZAV_GOLDEN_DIR) / "dez-especies.txt") + "[nomes]\r\n\xC1pis\r\n\r\nTrigona, \"x\"\r\n";
    const auto result = analyse(parseSpeciesTable(data));
    const auto path = write("t.xlsx", speciesTableXlsx(result));
    const auto rows = readWorkbookSheet(path);
    ASSERT_EQ(rows.size(), 11u);
    EXPECT_EQ(rows[0].cells, std::vector<std::string>(kSpeciesTableColumns.begin(), kSpeciesTableColumns.end()));
    EXPECT_EQ(rows[1].cells[1], "\xC3\x81pis");
    EXPECT_EQ(rows[1].cells[4], "2.2222222222222223"); // the shortest text of the double
    EXPECT_TRUE(rows[1].numeric[4]);
    EXPECT_EQ(rows[9].cells[4], "20");
    EXPECT_EQ(rows[10].cells[2], "100");
    EXPECT_EQ(rows[10].cells.size(), 11u);
    EXPECT_EQ(rows[10].cells[4], ""); // set apart: no percentage
    // Headings in the report's language, the same values under them.
    const auto english = readWorkbookSheet(write("en.xlsx", speciesTableXlsx(result, ReportLanguage::English)));
    EXPECT_EQ(english[0].cells[1], "name");
    EXPECT_EQ(english[0].cells[10], "predominant");
    EXPECT_EQ(readWorkbookSheet(write("es.xlsx", speciesTableXlsx(result, ReportLanguage::Spanish)))[0].cells[3],
              "colectas");
    EXPECT_EQ(english[1].cells, rows[1].cells);
    EXPECT_EQ(rows[10].cells[10], "1");
    const auto back = importAnySpreadsheetFile(path);
    const auto file = formatSpeciesFile(back.speciesCount, "10", back.rows);
    EXPECT_EQ(parseDataFileTexts(file).rows[2].name, "Trigona, \"x\"");
    EXPECT_EQ(file.substr(file.find("[nomes]")), "[nomes]\r\n\xC1pis\r\n\r\nTrigona, \"x\"\r\n");
}

// The pull reader gives the same events whether its source gives the
// document whole or a byte at a time (tags, entities, comments and CDATA
// cut anywhere), and refuses what is malformed.
TEST(XmlPull, EventsDoNotDependOnHowTheBytesArrive) {
    const std::string document =
        "<?xml version=\"1.0\"?><!-- a > b --><a:root x=\"1 &amp; 2\" y='&#x41;&#66;'><t>caf&#233; &lt;&gt;</t>"
        "<![CDATA[<not> ]] a tag]]><e/><n:f z=\"&quot;\">x</n:f ></a:root>\n";
    const auto events = [&](std::size_t step) {
        std::size_t at = 0;
        XmlPull xml(
            [&](char* buffer, std::size_t size) {
                const auto n = std::min({size, step, document.size() - at});
                std::copy_n(document.data() + at, n, buffer);
                at += n;
                return n;
            },
            [] { throw SpreadsheetError(": malformado"); });
        std::string out;
        for (auto e = xml.next(); e != XmlPull::Event::Eof; e = xml.next()) {
            if (e == XmlPull::Event::Start)
                out += "<" + std::string(xml.name()) + " " + std::string(xml.attribute("x")) +
                       std::string(xml.attribute("y")) + std::string(xml.attribute("z")) + ">";
            else if (e == XmlPull::Event::End)
                out += "</" + std::string(xml.name()) + ">";
            else
                out += xml.text();
        }
        return out;
    };
    const std::string expected = "<root 1 & 2AB><t >caf\xC3\xA9 <></t><not> ]] a tag<e ></e><f \">x</f></root>";
    EXPECT_EQ(events(1 << 20), expected);
    EXPECT_EQ(events(1), expected);
    EXPECT_EQ(events(7), expected);
    for (const std::string bad :
         {"<a></b>", "<a>", "<a>&bogus;</a>", "<!DOCTYPE a><a/>", "<a x=1/>", "</a>", "<a>&#0;</a>"}) {
        std::size_t at = 0;
        XmlPull xml(
            [&](char* buffer, std::size_t size) {
                const auto n = std::min(size, bad.size() - at);
                std::copy_n(bad.data() + at, n, buffer);
                at += n;
                return n;
            },
            [] { throw SpreadsheetError(": malformado"); });
        EXPECT_THROW(
            {
                while (xml.next() != XmlPull::Event::Eof) {
                }
            },
            SpreadsheetError)
            << bad;
    }
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
