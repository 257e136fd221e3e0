#include "data/spreadsheet_import.h"

#include <gtest/gtest.h>

#include <optional>
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
        {"linhas e células vazias no fim, CR", "2;1;\r4;3;\r;;\r\r", {{2, 1}, {4, 3}}},
        {"aspas dobradas logo antes do separador, dentro de aspas", "\"Apis \"\"mel\"\";L.\";5;2\n", {{5, 2}}},
        {"aspas dentro de uma célula sem aspas", "Apis \"mel\";5;2\nB;1;1\n", {{5, 2}, {1, 1}}},
        {"BOM sem cabeçalho",
         "\xEF\xBB\xBF"
         "5;2\n7;3\n",
         {{5, 2}, {7, 3}}},
        {"o maior número aceito", "2;2\n2147483647;1\n", {{2, 2}, {2147483647, 1}}},
        {"célula de contagem vazia é 0", "2;2\n0;\n;0\n", {{2, 2}, {0, 0}, {0, 0}}},
        {"zero decimais com vírgula e ponto; nº e °",
         "nº indivíduos;N° de coletas\n45,0;3\n2;1,00\n",
         {{45, 3}, {2, 1}}},
        {"ind. e col.", "Ind.;Col.\n7;2\n", {{7, 2}}},
        {"N. ind e amostras; Nº numera as espécies", "Nº;Espécie;N. ind;Amostras\n1;A;3;1\n", {{3, 1}}},
        {"1.000 numa planilha de ponto decimal é 1", "ind;col\n45.0;2\n1.000;1\n", {{45, 2}, {1, 1}}},
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
        ImportOptions options = {};
    } cases[] = {
        {"especie;individuos;coletas\nA;12;3\nB;4;abc\n",
         "Erro: planilha, linha 3, coluna \"coletas\": \"abc\" não é um número inteiro"},
        {"N;Coletas\n1;\xE9\n", "Erro: planilha, linha 2, coluna \"Coletas\": \"é\" não é um número inteiro"},
        {"Indivíduos,Coletas\n1.5,2\n",
         "Erro: planilha, linha 2, coluna \"Indivíduos\": \"1.5\" não é um número inteiro"},
        {"1,2\n\n3,4\n", "Erro: planilha, linha 2: linha vazia entre espécies; escreva 0 nas contagens de uma "
                         "espécie não coletada, ou apague a linha"},
        {"Indivíduos;Coletas\n45,0;3\n1.234;5\n", "Erro: planilha, linha 3, coluna \"Indivíduos\": \"1.234\" tem "
                                                  "separador de milhar; escreva o número sem ele: 1234"},
        {"n;col\n1 234;2\n",
         "Erro: planilha, linha 2, coluna \"n\": \"1 234\" tem separador de milhar; escreva o número sem ele: 1234"},
        {"n;col\n3;1\n1.000;2\n",
         "Erro: planilha, linha 3, coluna \"n\": \"1.000\" tem separador de milhar; escreva o número sem ele: 1000"},
        {"n;col\n1.234.567,0;2\n", "Erro: planilha, linha 2, coluna \"n\": \"1.234.567,0\" tem separador de "
                                   "milhar; escreva o número sem ele: 1234567"},
        {"n;col\n45,5;2\n", "Erro: planilha, linha 2, coluna \"n\": \"45,5\" não é um número inteiro"},
        {"Táxon;Qtde;Amostragens\nA;1;1\n",
         "Erro: planilha, linha 1: cabeçalho não reconhecido: \"Táxon\", \"Qtde\", \"Amostragens\"; os títulos "
         "aceitos são \"espécie\" ou \"nome\", \"indivíduos\", \"n\", \"ind\" ou \"nº indivíduos\", \"coletas\", "
         "\"col\", \"amostras\" ou \"nº coletas\""},
        {"n;coletas\n-3;1\n", "Erro: planilha, linha 2, coluna \"n\": \"-3\" está fora do intervalo de 0 a 2147483647"},
        {"2;2\n2147483648;1\n",
         "Erro: planilha, linha 2, coluna \"indivíduos\": \"2147483648\" está fora do intervalo de 0 a 2147483647"},
        {"especie;n\nA;3\n", "Erro: planilha, linha 1: falta no cabeçalho a coluna das coletas (\"coletas\", \"col\", "
                             "\"amostras\" ou \"nº coletas\"); o cabeçalho tem \"especie\", \"n\""},
        {"\n1;2;3;4\n", "Erro: planilha, linha 2: 4 colunas; sem cabeçalho, a planilha tem 2 colunas (indivíduos, "
                        "coletas) ou 3 (nome, indivíduos, coletas)"},
        {"2;2\n3;4;5\n", "Erro: planilha, linha 2: 3 colunas preenchidas; a planilha tem 2"},
        {"1;2\n\"Apis;1;2\n", "Erro: planilha, linha 2: aspas abertas e não fechadas"},
        {"", "Erro: planilha sem linhas de espécies"},
        {"especie;individuos;coletas\r\n;;\r\n", "Erro: planilha sem linhas de espécies"},
        {tooMany, "Erro: planilha, linha 902: mais de 900 espécies"},
        // Counts no species can have, each row checked once it is known not to be the totals.
        {"especie;individuos;coletas\nA;12;3\nB;3;4\nC;1;1\n",
         "Erro: planilha, linha 3: 3 indivíduos em 4 coletas; uma espécie tem ao menos um indivíduo em cada coleta "
         "em que foi coletada"},
        {"n;col\n4;2\n5;0\n", "Erro: planilha, linha 3: 5 indivíduos em 0 coletas; uma espécie com indivíduos foi "
                              "coletada em ao menos uma coleta"},
        {"n;col\n4;2\n;2\n3;1\n",
         "Erro: planilha, linha 3: 0 indivíduos em 2 coletas; uma espécie coletada tem ao menos um indivíduo"},
        {"n;col\n30;12\n30;15\n",
         "Erro: planilha, linha 3: 15 coletas num levantamento de 12 coletas; uma espécie "
         "não é coletada em mais coletas do que o levantamento tem",
         {false, 12}},
        // Totals that are not the sums.
        {"Espécie;N;Col\nA;4;2\nB;3;1\nTotal;8;\n",
         "Erro: planilha, linha 4: parece uma linha de totais, mas os números não são as somas das linhas acima"},
        {"4;2\n3;1\n8;\n", "Erro: planilha, linha 3: 8 indivíduos em 0 coletas; uma espécie com indivíduos foi "
                           "coletada em ao menos uma coleta"},
        {"Espécie;c1;c2;Total\nA;1;2;3\nB;1;0;4\nC;1;0;1\n",
         "Erro: planilha, linha 3, coluna \"Total\": 4 não é a soma das coletas da linha, 1",
         {true}},
        {"Espécie;Total\nA;3\n", "Erro: planilha, linha 1: nenhuma coluna de coletas", {true}},
        // One column per collection read as individuals and collections: the error says so.
        {"Espécie;jan;fev;mar\nApis;3;0;1\n",
         "Erro: planilha, linha 1: o cabeçalho não tem a coluna dos indivíduos nem a das coletas, e a linha 2 tem 3 "
         "colunas de contagens: se cada coluna é uma coleta, importe com \"Uma coluna por coleta\" (--por-coleta na "
         "linha de comando)"},
        {"Mata 2023\nTáxon;01/03;08/03;15/03;22/03\nA;1;;2;1\n",
         "Erro: planilha, linha 2: o cabeçalho não tem a coluna dos indivíduos nem a das coletas, e a linha 3 tem 4 "
         "colunas de contagens: se cada coluna é uma coleta, importe com \"Uma coluna por coleta\" (--por-coleta na "
         "linha de comando)"},
        // A lone text over a lone cell is no title.
        {"Levantamento\n5\n", "Erro: planilha, linha 1: cabeçalho não reconhecido: \"Levantamento\"; os títulos "
                              "aceitos são \"espécie\" ou \"nome\", \"indivíduos\", \"n\", \"ind\" ou \"nº "
                              "indivíduos\", \"coletas\", \"col\", \"amostras\" ou \"nº coletas\""},
        {"\xFF\xFE"
         "1\0;\0"
         "2\0",
         "Erro: planilha em UTF-16; grave-a como CSV em UTF-8 ou Windows-1252"},
    };
    for (const auto& c : cases) {
        try {
            parseSpreadsheet(c.bytes, c.options);
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
                                                                       "1520   12\r\n"
                                                                       "[nomes]\r\n"
                                                                       "A\r\n"
                                                                       "B\r\n"
                                                                       "C\r\n");
}

struct Species {
    int individuals, collections;
    std::string name;
    bool operator==(const Species&) const = default;
};

std::vector<Species> speciesOf(const ParsedSpreadsheet& parsed) {
    std::vector<Species> out;
    for (const auto& row : parsed.rows)
        out.push_back({row.individuals, row.collections, row.name});
    return out;
}

TEST(SpreadsheetImport, KeepsNamesAndSumsSpeciesByCollectionSheets) {
    const struct {
        const char* what;
        std::string bytes;
        bool perCollection;
        std::vector<Species> species;
        int collectionColumns;
        int totalsRow;
        int totalsColumn = 0;
    } cases[] = {
        {"nomes limpos, sem nome",
         "Espécie;N;Col\nApis mellifera;3;1\n;0;0\n\"Trigona\tx \";2;1\n",
         false,
         {{3, 1, "Apis mellifera"}, {0, 0, ""}, {2, 1, "Trigona x"}},
         0,
         0},
        {"por coleta, cabeçalho de datas, totais",
         "Espécie;01/03;08/03;15/03\nApis;3;0;1\nTrigona;;2;\nTotal;3;2;1\n",
         true,
         {{4, 2, "Apis"}, {2, 1, "Trigona"}},
         3,
         4},
        {"por coleta sem cabeçalho nem nomes", "1;0;1\n0;0;2\n", true, {{2, 2, ""}, {2, 1, ""}}, 3, 0},
        {"por coleta, canto vazio", ";C1;C2\nApis;1;1\n", true, {{2, 2, "Apis"}}, 2, 0},
        // A lab's totals: a row summing the individuals alone, a column of each row's sum.
        {"linha de totais só dos indivíduos",
         "Espécie;N;Col\nA;4;2\nB;3;1\nTotal;7;\n",
         false,
         {{4, 2, "A"}, {3, 1, "B"}},
         0,
         4},
        {"linha de totais sem nome, coletas vazias", "4;2\n3;1\n7;\n", false, {{4, 2, ""}, {3, 1, ""}}, 0, 3},
        {"coluna Total",
         "Espécie;jan;fev;mar;Total\nApis;3;0;1;4\nTrigona;;2;;2\n",
         true,
         {{4, 2, "Apis"}, {2, 1, "Trigona"}},
         3,
         0,
         5},
        {"coluna Soma entre as coletas, célula vazia",
         "Espécie;c1;SOMA;c2\nA;1;3;2\nB;0;;1\n",
         true,
         {{3, 2, "A"}, {1, 1, "B"}},
         2,
         0,
         3},
        {"coluna Total e linha Total só com o total",
         "Espécie;c1;c2;Total\nA;1;2;3\nB;4;0;4\nTotal;;;7\n",
         true,
         {{3, 2, "A"}, {4, 1, "B"}},
         2,
         4,
         4},
        {"coluna Total e linha de somas",
         "Espécie;c1;c2;Totais\nA;1;2;3\nB;4;0;4\nTotal;5;2;7\n",
         true,
         {{3, 2, "A"}, {4, 1, "B"}},
         2,
         4,
         4},
        {"última coluna é a soma",
         "Apis;3;0;1;4\nTrigona;0;2;0;2\nMelipona;1;1;1;3\n",
         true,
         {{4, 2, "Apis"}, {2, 1, "Trigona"}, {3, 3, "Melipona"}},
         3,
         0,
         5},
        {"última coluna é a soma, linha de totais",
         "Apis;3;0;1;4\nTrigona;0;2;0;2\nTotal;3;2;1;6\n",
         true,
         {{4, 2, "Apis"}, {2, 1, "Trigona"}},
         3,
         3,
         5},
        {"última coluna é a soma, linha só com o total",
         "Espécie;c1;c2;c3;c4\nA;3;0;1;4\nB;0;2;0;2\n;;;;6\n",
         true,
         {{4, 2, "A"}, {2, 1, "B"}},
         3,
         4,
         5},
        {"última coluna não é a soma numa linha",
         "A;1;1;2\nB;1;0;3\nC;2;0;2\n",
         true,
         {{4, 3, "A"}, {4, 2, "B"}, {4, 2, "C"}},
         3,
         0},
        {"uma só coleta antes da última", "A;1;1\nB;2;2\n", true, {{2, 2, "A"}, {4, 2, "B"}}, 2, 0},
        {"uma só espécie", "A;1;1;2\n", true, {{4, 3, "A"}}, 3, 0},
    };
    for (const auto& c : cases) {
        try {
            const auto parsed = parseSpreadsheetRows(c.bytes, {c.perCollection});
            EXPECT_EQ(speciesOf(parsed), c.species) << c.what;
            EXPECT_EQ(parsed.collectionColumns, c.collectionColumns) << c.what;
            EXPECT_EQ(parsed.totalsRow, c.totalsRow) << c.what;
            EXPECT_EQ(parsed.totalsColumn, c.totalsColumn) << c.what;
        } catch (const SpreadsheetError& e) {
            ADD_FAILURE() << c.what << ": " << e.what();
        }
    }
    EXPECT_EQ(importSpreadsheet("1;0;1\n", {true}).totalCollections, "3");
    const auto both = importSpreadsheet("Espécie;c1;c2;Total\nA;1;2;3\nB;4;0;4\nTotal;5;2;7\n", {true});
    EXPECT_EQ(both.totalCollections, "2");
    EXPECT_EQ(totalsRowNotice(both), "Linha 4 ignorada: linha de totais; coluna 4 ignorada: coluna de totais");
    EXPECT_EQ(totalsRowNotice(importSpreadsheet("A;1;0;1\nB;0;2;2\n", {true})), "Coluna 4 ignorada: coluna de totais");
}

// A title above the header is left out; the first rows tell the import's
// dialog which layout to propose.
TEST(SpreadsheetImport, PassesOverATitleAndProposesTheLayout) {
    const std::optional<bool> none;
    const struct {
        const char* what;
        std::string bytes;
        std::optional<bool> proposed;
        bool perCollection;
        std::vector<Species> species;
        int titleRow;
    } cases[] = {
        {"título, cabeçalho de indivíduos e coletas",
         "Levantamento Mata 2023\nEspécie;N;Col\nApis;3;1\nB;2,0;2\n",
         false,
         false,
         {{3, 1, "Apis"}, {2, 2, "B"}},
         1},
        {"título com células vazias e linha vazia, por coleta",
         "Levantamento Mata 2023;;;\n\nEspécie;jan;fev;mar\nApis;3;0;1\n",
         true,
         true,
         {{4, 2, "Apis"}},
         1},
        {"cabeçalho de datas, célula vazia",
         "Táxon,01/03,08/03,15/03\nA,1,,2\nB,0,1,0\n",
         true,
         true,
         {{3, 2, "A"}, {1, 1, "B"}},
         0},
        {"título sobre linhas sem cabeçalho", "Coleta de 2023\n5;2\n7;3\n", none, false, {{5, 2, ""}, {7, 3, ""}}, 1},
        {"sem cabeçalho: nada a propor", "5;2\n7;3\n", none, false, {{5, 2, ""}, {7, 3, ""}}, 0},
        {"duas colunas de contagem: nada a propor", "Espécie;c1;c2\nA;1;1\n", none, true, {{2, 2, "A"}}, 0},
        {"cabeçalho com indivíduos e colunas a mais",
         "Espécie;N;Col;a;b;c\nA;1;1;;;\n",
         false,
         false,
         {{1, 1, "A"}},
         0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(suggestedPerCollection(c.bytes), c.proposed) << c.what;
        try {
            const auto parsed = parseSpreadsheetRows(c.bytes, {c.perCollection});
            EXPECT_EQ(speciesOf(parsed), c.species) << c.what;
            EXPECT_EQ(parsed.titleRow, c.titleRow) << c.what;
        } catch (const SpreadsheetError& e) {
            ADD_FAILURE() << c.what << ": " << e.what();
        }
    }
    EXPECT_EQ(totalsRowNotice(importSpreadsheet("Levantamento\nEspécie;N;Col\nA;4;2\nB;3;1\nTotal;7;3\n")),
              "Linha 1 ignorada: título; linha 5 ignorada: linha de totais");
    // A workbook's sheet, its rows numbered as the spreadsheet shows them.
    const std::vector<SheetRow> sheet = {
        {1, {"Levantamento Mata 2023"}, {false}},
        {3, {"Espécie", "c1", "c2", "c3"}, {}},
        {4, {"Apis", "1", "0", "2"}, {false, true, true, true}},
    };
    EXPECT_EQ(suggestedPerCollection(sheet), true);
    const auto imported = importSheetRows(sheet, {true});
    EXPECT_EQ(imported.totalCollections, "3");
    EXPECT_EQ(totalsRowNotice(imported), "Linha 1 ignorada: título");
}

// The program's own species table, and any sheet whose "especie" column
// numbers the species beside a "nome" column: each species at its line.
TEST(SpreadsheetImport, KeepsTheSpeciesNumbersOfANumberedSheet) {
    const struct {
        const char* what;
        std::string bytes;
        std::vector<Species> species;
        int totalsRow;
    } cases[] = {
        {"a tabela do programa, com lacunas",
         "especie,nome,individuos,coletas,percentual,limite_dominancia,dominancia,abundancia,frequencia,constancia,"
         "predominante\n2,Apis,3,2,42.857142857142854,10.1,D,c,F,Y,false\n5,,4,1,57.142857142857146,12.5,D,c,F,Y,"
         "true\n",
         {{0, 0, ""}, {3, 2, "Apis"}, {0, 0, ""}, {0, 0, ""}, {4, 1, ""}},
         0},
        {"fora de ordem, linha de totais",
         "Espécie;Nome;N;Col\n3;C;4;1\n1;A;3;2\n;Total;7;3\n",
         {{3, 2, "A"}, {0, 0, ""}, {4, 1, "C"}},
         4},
        {"um número nunca é a linha de totais",
         "especie;nome;n;col\n1;A;3;2\n2;B;4;1\n3;C;7;3\n",
         {{3, 2, "A"}, {4, 1, "B"}, {7, 3, "C"}},
         0},
        {"espécie com nomes: a ordem das linhas",
         "especie;nome;n;col\nApis;abelha;3;2\n7;x;1;1\n",
         {{3, 2, "abelha"}, {1, 1, "x"}},
         0},
        {"sem coluna nome: espécie é o nome", "especie;n;col\n4;3;2\n", {{3, 2, "4"}}, 0},
        {"o apóstrofo antes de uma fórmula sai",
         "especie,nome,n,col\n1,'=1+1,1,1\n2,'-x,1,1\n3,' @y,1,1\n4,''=z,1,1\n"
         "5,'Apis,1,1\n6,\"'+55, 11\",1,1\n",
         {{1, 1, "=1+1"}, {1, 1, "-x"}, {1, 1, "' @y"}, {1, 1, "'=z"}, {1, 1, "'Apis"}, {1, 1, "+55, 11"}},
         0},
    };
    for (const auto& c : cases) {
        try {
            const auto parsed = parseSpreadsheetRows(c.bytes);
            EXPECT_EQ(speciesOf(parsed), c.species) << c.what;
            EXPECT_EQ(parsed.totalsRow, c.totalsRow) << c.what;
        } catch (const SpreadsheetError& e) {
            ADD_FAILURE() << c.what << ": " << e.what();
        }
    }
    const struct {
        std::string bytes;
        std::string message;
    } refused[] = {
        {"especie;nome;n;col\n1;A;3;2\n1;B;4;1\n2;C;1;1\n",
         "Erro: planilha, linha 3, coluna \"especie\": a espécie 1 já está na linha 2"},
        {"especie;nome;n;col\n901;A;3;2\n1;B;1;1\n",
         "Erro: planilha, linha 2, coluna \"especie\": 901 não é um número de espécie de 1 a 900"},
        {"especie;nome;n;col\n1;A;3;2\n0;B;1;1\n",
         "Erro: planilha, linha 3, coluna \"especie\": 0 não é um número de espécie de 1 a 900"},
        {"especie;nome;n;col\n1;A;3;2\n;B;4;1\n3;C;1;1\n",
         "Erro: planilha, linha 3, coluna \"especie\": falta o número da espécie"},
        {"especie;nome;n;col\n1;A;3;2\nx;B;4;1\n",
         "Erro: planilha, linha 3, coluna \"especie\": \"x\" não é um número inteiro"},
    };
    for (const auto& c : refused) {
        try {
            parseSpreadsheet(c.bytes);
            ADD_FAILURE() << "aceitou: " << c.bytes;
        } catch (const SpreadsheetError& e) {
            EXPECT_EQ(e.what(), c.message);
        }
    }
}

// A workbook's cells: a number is a number, whatever its decimals show.
TEST(SpreadsheetImport, TakesTheCellsOfAWorkbooksSheet) {
    const std::vector<SheetRow> rows = {
        {2, {"Espécie", "Indivíduos", "Coletas"}, {}},
        {3, {"Apis", "1234", "2"}, {false, true, true}},
        {4, {"Bombus", "", ""}, {false, false, false}},
    };
    EXPECT_EQ(speciesOf(parseSheetRows(rows)), (std::vector<Species>{{1234, 2, "Apis"}, {0, 0, "Bombus"}}));
    std::vector<SheetRow> decimal = rows;
    decimal[1].cells[1] = "1.234";
    try {
        parseSheetRows(decimal);
        ADD_FAILURE() << "aceitou 1.234";
    } catch (const SpreadsheetError& e) {
        EXPECT_STREQ(e.what(), "Erro: planilha, linha 3, coluna \"Indivíduos\": \"1.234\" não é um número inteiro");
    }
}

} // namespace
} // namespace zav
