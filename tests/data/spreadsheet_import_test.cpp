#include "data/spreadsheet_import.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace zav {
namespace {

using Counts = std::vector<std::pair<int, int>>;

Counts countsOf(std::string_view bytes) {
    Counts counts;
    for (const auto& row : parseSpreadsheet(bytes))
        counts.emplace_back(row.individuals, row.collections);
    return counts;
}

TEST(SpreadsheetImport, ReadsTheWaysSpreadsheetsAreSaved) {
    const struct {
        const char* what;
        std::string bytes;
        Counts counts;
    } cases[] = {
        {"vírgula, cabeçalho, LF", "especie,individuos,coletas\nA,12,3\nB,4,1\n", {{12, 3}, {4, 1}}},
        {"ponto e vírgula, BOM, CR LF, acentos, aspas",
         "\xEF\xBB\xBF"
         "Esp\xC3\xA9"
         "cie;Indiv\xC3\xAD"
         "duos;Coletas\r\n\"Apis; \"\"mel\"\"\";12;3\r\n\"B\";\"4\";1\r\n",
         {{12, 3}, {4, 1}}},
        {"tabulação, Windows-1252, maiúsculas",
         "Esp\xE9"
         "cie\tABUND\xC2NCIA\tColetas\r\nx\t7\t2\r\n",
         {{7, 2}}},
        {"inglês, colunas em outra ordem, coluna a mais", "collections,local,N\n3,mata,10\n", {{10, 3}}},
        {"sem cabeçalho, 2 colunas", "5;2\n0;0\n7;3", {{5, 2}, {0, 0}, {7, 3}}},
        {"sem cabeçalho, 3 colunas, quebra de linha entre aspas", "\"Apis,\nL.\",5,2\nBombus,1,1\n", {{5, 2}, {1, 1}}},
        {"vírgulas nos nomes de um arquivo com ;", "Apis, L.;3;1\nBombus, F.;2;2\n", {{3, 1}, {2, 2}}},
        {"linhas e células vazias no fim, CR", "1;2;\r3;4;\r;;\r\r", {{1, 2}, {3, 4}}},
        {"aspas dobradas logo antes do separador, dentro de aspas", "\"Apis \"\"mel\"\";L.\";5;2\n", {{5, 2}}},
        {"aspas dentro de uma célula sem aspas", "Apis \"mel\";5;2\nB;1;1\n", {{5, 2}, {1, 1}}},
        {"BOM sem cabeçalho", "\xEF\xBB\xBF"
                              "5;2\n7;3\n",
         {{5, 2}, {7, 3}}},
        {"o maior número aceito", "1;2\n2147483647;1\n", {{1, 2}, {2147483647, 1}}},
    };
    for (const auto& c : cases) {
        try {
            EXPECT_EQ(countsOf(c.bytes), c.counts) << c.what;
        } catch (const SpreadsheetError& e) {
            ADD_FAILURE() << c.what << ": " << e.what();
        }
    }
}

TEST(SpreadsheetImport, SaysWhereTheSpreadsheetIsWrong) {
    std::string tooMany = "especie;n;coletas\n";
    for (int i = 0; i < 901; ++i)
        tooMany += "x;1;1\n";
    const struct {
        std::string bytes;
        std::string message;
    } cases[] = {
        {"especie;individuos;coletas\nA;12;3\nB;4;abc\n",
         "Erro: planilha, linha 3, coluna \"coletas\": \"abc\" não é um número inteiro"},
        {"N;Coletas\n1;\xE9\n", "Erro: planilha, linha 2, coluna \"Coletas\": \"é\" não é um número inteiro"},
        {"Indivíduos,Coletas\n1.5,2\n",
         "Erro: planilha, linha 2, coluna \"Indivíduos\": \"1.5\" não é um número inteiro"},
        {"1;2\n3;\n", "Erro: planilha, linha 2, coluna \"coletas\": célula vazia"},
        {"1,2\n\n3,4\n", "Erro: planilha, linha 2, coluna \"indivíduos\": célula vazia"},
        {"n;coletas\n-3;1\n", "Erro: planilha, linha 2, coluna \"n\": \"-3\" está fora do intervalo de 0 a 2147483647"},
        {"1;2\n2147483648;1\n",
         "Erro: planilha, linha 2, coluna \"indivíduos\": \"2147483648\" está fora do intervalo de 0 a 2147483647"},
        {"especie;n\nA;3\n", "Erro: planilha, linha 1: falta no cabeçalho a coluna \"coletas\" ou \"collections\""},
        {"\n1;2;3;4\n", "Erro: planilha, linha 2: 4 colunas; sem cabeçalho, a planilha tem 2 colunas (indivíduos, "
                        "coletas) ou 3 (nome, indivíduos, coletas)"},
        {"1;2\n3;4;5\n", "Erro: planilha, linha 2: 3 colunas preenchidas; a planilha tem 2"},
        {"1;2\n\"Apis;1;2\n", "Erro: planilha, linha 2: aspas abertas e não fechadas"},
        {"", "Erro: planilha sem linhas de espécies"},
        {"especie;individuos;coletas\r\n;;\r\n", "Erro: planilha sem linhas de espécies"},
        {tooMany, "Erro: planilha, linha 902: mais de 900 espécies"},
        {"\xFF\xFE"
         "1\0;\0"
         "2\0",
         "Erro: planilha em UTF-16; grave-a como CSV em UTF-8 ou Windows-1252"},
    };
    for (const auto& c : cases) {
        try {
            parseSpreadsheet(c.bytes);
            ADD_FAILURE() << "aceitou: " << c.bytes.substr(0, 40);
        } catch (const SpreadsheetError& e) {
            EXPECT_EQ(e.what(), c.message);
        }
    }
}

TEST(SpreadsheetImport, GivesTheGridItsRowsAndLeavesTheCollectionsTotalOpen) {
    const auto texts = importSpreadsheet("especie;n;coletas\nA;12;3\nB;0;0\nC;1520;12\n");
    EXPECT_EQ(texts.speciesCount, "3");
    EXPECT_EQ(texts.totalCollections, "");
    EXPECT_EQ(formatSpeciesFile(texts.speciesCount, "12", texts.rows), "3      12\r\n"
                                                                       "12     3\r\n"
                                                                       "0      0\r\n"
                                                                       "1520   12\r\n");
}

} // namespace
} // namespace zav
