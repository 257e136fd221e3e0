// The collections kept whole by the import: a species by collection sheet's
// columns and header dates, the weather sheet of the collections, and a
// sheet of one row per record grouped into collections and species.

#include "data/spreadsheet_import.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zav {
namespace {

using Counts = std::vector<std::vector<std::int32_t>>; // [collection][species]

Counts countsOf(const CollectionBlocks& blocks) {
    Counts out;
    for (const auto& collection : blocks.collections)
        out.push_back(collection.counts);
    return out;
}

// "dd/mm/aaaa" of each collection, "-" for an undated one.
std::vector<std::string> datesOf(const CollectionBlocks& blocks) {
    std::vector<std::string> out;
    for (const auto& collection : blocks.collections)
        out.push_back(collection.date ? shownCollectionDate(*collection.date) : "-");
    return out;
}

std::string rowsOf(const ImportedSpreadsheet& sheet) {
    std::string out = sheet.speciesCount + " " + sheet.totalCollections + ":";
    for (const auto& row : sheet.rows)
        out += " " + row.individuals + "/" + row.collections + (row.name.empty() ? "" : " " + row.name) + ";";
    return out;
}

TEST(CollectionImport, KeepsEachCollectionAndTheHeadersDates) {
    const struct {
        const char* what;
        std::string bytes;
        std::string rows;
        Counts counts;
        std::vector<std::string> dates;
    } cases[] = {
        {"datas dd/mm/aaaa",
         "Espécie;15/01/2023;15/02/2023;15/03/2023\nApis;2;0;1\nBombus;;4;0\n",
         "2 3: 3/2 Apis; 4/1 Bombus;",
         {{2, 0}, {0, 4}, {1, 0}},
         {"15/01/2023", "15/02/2023", "15/03/2023"}},
        {"datas aaaa-mm-dd, coluna e linha de totais",
         "Espécie,2024-02-29,2024-03-07,Total\nA,1,2,3\nB,4,0,4\nTotal,5,2,7\n",
         "2 2: 3/2 A; 4/1 B;",
         {{1, 4}, {2, 0}},
         {"29/02/2024", "07/03/2024"}},
        {"sem datas", "Espécie;c1;c2\nA;1;0\nB;0;3\n", "2 2: 1/1 A; 3/1 B;", {{1, 0}, {0, 3}}, {"-", "-"}},
        {"coluna de totais entre as coletas",
         "Espécie;Total;15/01/2023;15/02/2023\nA;3;1;2\nB;0;0;0\n",
         "2 2: 3/2 A; 0/0 B;",
         {{1, 0}, {2, 0}},
         {"15/01/2023", "15/02/2023"}},
        {"sem cabeçalho", "1;0;2\n0;5;5\n", "2 3: 3/2; 10/2;", {{1, 0}, {0, 5}, {2, 5}}, {"-", "-", "-"}},
        {"última coluna de somas sem título", "A;1;0;1\nB;0;2;2\n", "2 2: 1/1 A; 2/1 B;", {{1, 0}, {0, 2}}, {"-", "-"}},
        {"a última coluna é uma coleta",
         "A;1;0;2\nB;0;2;1\n",
         "2 3: 3/2 A; 3/2 B;",
         {{1, 0}, {0, 2}, {2, 1}},
         {"-", "-", "-"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto sheet = importSpreadsheet(c.bytes, {true});
        EXPECT_EQ(rowsOf(sheet), c.rows);
        EXPECT_EQ(countsOf(sheet.collections), c.counts);
        EXPECT_EQ(datesOf(sheet.collections), c.dates);
        EXPECT_FALSE(sheet.collections.weather);
    }
    // Totals alone: no collections kept.
    EXPECT_FALSE(importSpreadsheet("Espécie;N;Col\nA;3;1\n").collections.present());
}

// A workbook's date cells come as "aaaa-mm-dd" texts (with the time, when
// one is kept); an empty corner over the names.
TEST(CollectionImport, ReadsAWorkbooksDateCells) {
    const std::vector<SheetRow> sheet = {
        {1, {"", "2023-01-15", "2023-02-15 10:30", "2023-03-15"}, {false, false, false, false}},
        {2, {"Apis", "3", "0", "0"}, {false, true, true, true}},
        {3, {"Bombus", "1", "1", "0"}, {false, true, true, true}},
    };
    EXPECT_EQ(suggestedPerCollection(sheet), true);
    const auto imported = importSheetRows(sheet, {true});
    EXPECT_EQ(rowsOf(imported), "2 3: 3/1 Apis; 2/2 Bombus;");
    EXPECT_EQ(datesOf(imported.collections), (std::vector<std::string>{"15/01/2023", "15/02/2023", "15/03/2023"}));
}

TEST(CollectionImport, RefusesAHeaderThatDatesSomeCollectionsOnly) {
    const struct {
        std::string bytes;
        std::string message;
    } cases[] = {
        {"Espécie;15/01/2023;fev;15/03/2023\nA;1;0;1\n",
         "Erro: planilha, linha 1, coluna 3: \"fev\" não é uma data (aaaa-mm-dd ou dd/mm/aaaa), e as outras coletas "
         "do cabeçalho têm data"},
        {"Espécie;2023-02-28;2023-02-29\nA;1;0\n",
         "Erro: planilha, linha 1, coluna 3: \"2023-02-29\" não é uma data (aaaa-mm-dd ou dd/mm/aaaa), e as outras "
         "coletas do cabeçalho têm data"},
    };
    for (const auto& c : cases) {
        try {
            importSpreadsheet(c.bytes, {true});
            ADD_FAILURE() << c.bytes;
        } catch (const SpreadsheetError& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
    }
}

TEST(CollectionImport, ReadsDatesOfEitherFormOnly) {
    const struct {
        const char* text;
        const char* shown; // empty: no date
    } cases[] = {
        {"2024-02-29", "29/02/2024"},
        {" 01/12/2023 ", "01/12/2023"},
        {"2023-01-15T00:00:00", "15/01/2023"},
        {"2023-02-29", ""},
        {"31/04/2023", ""},
        {"2023-1-5", ""},
        {"15/01/23", ""},
        {"2023-01-15x", ""},
        {"45352", ""},
        {"00/01/2023", ""},
        {"2023-13-01", ""},
    };
    for (const auto& c : cases) {
        const auto date = collectionDateOf(c.text);
        EXPECT_EQ(date ? shownCollectionDate(*date) : "", c.shown) << c.text;
    }
}

std::vector<Collection> dated(const std::vector<std::string>& dates) {
    std::vector<Collection> out;
    for (const auto& text : dates)
        out.push_back({collectionDateOf(text), {}});
    return out;
}

// Values as "v1 v2 ..." per collection, "-" for a gap.
std::vector<std::string> valuesOf(const WeatherTable& weather) {
    std::vector<std::string> out;
    for (const auto& row : weather.values) {
        std::string line;
        for (const auto& value : row) {
            char text[32];
            std::snprintf(text, sizeof text, "%g", value ? *value : 0.0);
            line += (line.empty() ? "" : " ") + (value ? std::string(text) : std::string("-"));
        }
        out.push_back(line);
    }
    return out;
}

TEST(CollectionImport, MatchesTheWeatherToTheCollections) {
    const auto survey = dated({"15/01/2023", "15/02/2023", "15/03/2023"});
    const std::vector<Collection> undated(3);
    const struct {
        const char* what;
        std::string bytes;
        const std::vector<Collection>& collections;
        std::vector<std::string> variables;
        std::vector<std::string> values;
    } cases[] = {
        {"pelas datas, fora de ordem, com um dia a mais",
         "Data;Temperatura média;Chuva "
         "(mm)\n15/02/2023;23,5;98\n14/02/2023;1;1\n2023-01-15;24.1;-\n15/03/2023;-2;0,5\n",
         survey,
         {"Temperatura_média", "Chuva_(mm)"},
         {"24.1 -", "23.5 98", "-2 0.5"}},
        {"na ordem, sem datas",
         "coleta\ttemp\tumid\n1\t20\t80\n2\t\t81\n3\t22\n",
         undated,
         {"temp", "umid"},
         {"20 80", "- 81", "22 -"}},
        {"na ordem, a primeira coluna sem datas", "col,t\na,1\nb,2\nc,3\n", survey, {"t"}, {"1", "2", "3"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto weather = parseWeatherText(c.bytes, c.collections);
        EXPECT_EQ(weather.variables, c.variables);
        EXPECT_EQ(valuesOf(weather), c.values);
    }
    // A workbook's sheet: numbers written with ".", date cells.
    const std::vector<SheetRow> rows = {{1, {"data", "chuva"}, {false, false}},
                                        {2, {"2023-03-15", "12.25"}, {false, true}},
                                        {3, {"2023-02-15", "0"}, {false, true}},
                                        {4, {"2023-01-15", "7"}, {false, true}}};
    EXPECT_EQ(valuesOf(parseWeatherRows(rows, survey)), (std::vector<std::string>{"7", "0", "12.25"}));
}

TEST(CollectionImport, RefusesWeatherThatDoesNotFitTheCollections) {
    const auto survey = dated({"15/01/2023", "15/02/2023"});
    const struct {
        std::string bytes;
        std::string message;
    } cases[] = {
        {"data;chuva\n15/01/2023;3\n", "Erro: planilha clima: falta a linha da coleta 2 (15/02/2023)"},
        {"data;chuva\n15/01/2023;3\n15/02/2023;abc\n",
         "Erro: planilha clima, linha 3, coluna \"chuva\": \"abc\" não é um número"},
        {"data;chuva\n15/01/2023;3\n15/01/2023;4\n15/02/2023;1\n",
         "Erro: planilha clima, linha 3: a data 15/01/2023 já está na linha 2"},
        {"data;chuva\n15/01/2023;3\nfev;4\n",
         "Erro: planilha clima, linha 3: \"fev\" não é uma data (aaaa-mm-dd ou dd/mm/aaaa)"},
        {"15/01/2023;3\n15/02/2023;4\n",
         "Erro: planilha clima, linha 1: falta a linha de títulos: a data (ou a coleta) e o nome de cada variável"},
        {"c;chuva\n1;3\n2;4\n3;5\n", "Erro: planilha clima, linha 4: mais linhas que as 2 coletas"},
        {"c;chuva\n1;3\n",
         "Erro: planilha clima: falta a linha da coleta 2 (15/02/2023); uma linha por coleta, na ordem"},
        {"data;chuva;;umidade\n15/01/2023;3\n15/02/2023;4\n",
         "Erro: planilha clima, linha 1: a coluna 3 não tem nome de variável"},
        {"data;chuva\n15/01/2023;3;9\n15/02/2023;4\n",
         "Erro: planilha clima, linha 2: 3 colunas preenchidas; o cabeçalho tem 2"},
        {"data;chuva\n15/01/2023;1e400\n15/02/2023;4\n",
         "Erro: planilha clima, linha 2, coluna \"chuva\": \"1e400\" não é um número"},
    };
    for (const auto& c : cases) {
        try {
            parseWeatherText(c.bytes, survey);
            ADD_FAILURE() << c.bytes;
        } catch (const SpreadsheetError& e) {
            EXPECT_EQ(std::string(e.what()), c.message) << c.bytes;
        }
    }
}

TEST(CollectionImport, GroupsRecordsIntoCollectionsAndSpecies) {
    const struct {
        const char* what;
        std::string bytes;
        std::string rows;
        Counts counts;
        std::vector<std::string> dates;
    } cases[] = {
        {"espécies na ordem em que aparecem, coletas na ordem das datas, registros da mesma data somados",
         "Data;Espécie;N\n15/02/2023;Bombus;2\n15/01/2023;Apis;3\n15/02/2023;Apis;1\n2023-02-15;Bombus;4\n",
         "2 2: 6/1 Bombus; 4/2 Apis;",
         {{0, 3}, {6, 1}},
         {"15/01/2023", "15/02/2023"}},
        {"sem cabeçalho, nomes limpos, contagem 0",
         "2023-03-01,Apis  mellifera,0\n2023-03-08,Apis mellifera,5\n2023-03-08,Trigona,\n",
         "2 2: 5/1 Apis mellifera; 0/0 Trigona;",
         {{0, 0}, {5, 0}},
         {"01/03/2023", "08/03/2023"}},
        {"colunas em outra ordem, outras colunas deixadas de fora",
         "armadilha\tindivíduos\tnome\tdata\nA1\t2\tApis\t01/06/2024\nA2\t3\tApis\t01/06/2024\n",
         "1 1: 5/1 Apis;",
         {{5}},
         {"01/06/2024"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto sheet = importRecordsText(c.bytes);
        EXPECT_EQ(rowsOf(sheet), c.rows);
        EXPECT_EQ(countsOf(sheet.collections), c.counts);
        EXPECT_EQ(datesOf(sheet.collections), c.dates);
    }
}

TEST(CollectionImport, RefusesBadRecordsWithTheirRow) {
    const struct {
        std::string bytes;
        std::string message;
    } cases[] = {
        {"data;espécie;n\n31/02/2023;Apis;1\n",
         "Erro: planilha, linha 2, coluna \"data\": \"31/02/2023\" não é uma data (aaaa-mm-dd ou dd/mm/aaaa)"},
        {"data;espécie;n\n01/02/2023;Apis;1\n;Apis;1\n", "Erro: planilha, linha 3, coluna \"data\": falta a data"},
        {"data;espécie;n\n01/02/2023;;1\n", "Erro: planilha, linha 2, coluna \"espécie\": falta o nome da espécie"},
        {"data;espécie;n\n01/02/2023;Apis;1,5\n",
         "Erro: planilha, linha 2, coluna \"n\": \"1,5\" não é um número inteiro"},
        {"data;espécie;n\n01/02/2023;Apis;1\n\n02/02/2023;Apis;1\n",
         "Erro: planilha, linha 3: linha vazia entre registros"},
        {"data;espécie\n01/02/2023;Apis\n",
         "Erro: planilha, linha 1: falta no cabeçalho a coluna dos indivíduos (\"indivíduos\", \"n\" ou \"ind\"); o "
         "cabeçalho tem \"data\", \"espécie\""},
        {"01/02/2023;Apis\n",
         "Erro: planilha, linha 1: sem cabeçalho, um registro tem 3 colunas: data, espécie, indivíduos"},
        {"data;espécie;n\n", "Erro: planilha sem registros"},
    };
    for (const auto& c : cases) {
        try {
            importRecordsText(c.bytes);
            ADD_FAILURE() << c.bytes;
        } catch (const SpreadsheetError& e) {
            EXPECT_EQ(std::string(e.what()), c.message) << c.bytes;
        }
    }
}

} // namespace
} // namespace zav
