#include "data/collection_blocks.h"
#include "data/errors.h"
#include "data/species_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace zav {
namespace {

// Three species lines (the second of 0 individuals), four collections.
const std::string kSpecies = "3 4\r\n5 2\r\n0 0\r\n7 3\r\n";
const std::string kCollections = "[coletas]\r\n"
                                 "2023-01-15 3 0 0\r\n"
                                 "15/02/2023 0 0 4\r\n"
                                 "2024-02-29 2 0 2\r\n"
                                 "1/3/2024 0 0 1\r\n";

std::vector<std::int32_t> countsOf(const CollectionBlocks& b, std::size_t k) { return b.collections[k].counts; }

TEST(CollectionBlocks, ReadsDatesCountsAndWeatherWithGaps) {
    const auto b = parseCollectionBlocks(kSpecies + "[nomes]\r\nApis\r\n" + kCollections +
                                         "\r\n[CLIMA]\r\ntemp\tchuva umid\r\n24,5 120 -\r\n-3.25\r\n\r\n1 2,0 3\r\n");
    ASSERT_EQ(b.collections.size(), 4u);
    EXPECT_TRUE(b.dated());
    EXPECT_EQ(b.collections[0].date, (CalendarDate{2023, 1, 15}));
    EXPECT_EQ(b.collections[1].date, (CalendarDate{2023, 2, 15}));
    EXPECT_EQ(b.collections[2].date, (CalendarDate{2024, 2, 29}));
    EXPECT_EQ(b.collections[3].date, (CalendarDate{2024, 3, 1}));
    EXPECT_EQ(countsOf(b, 1), (std::vector<std::int32_t>{0, 0, 4}));
    ASSERT_TRUE(b.weather);
    EXPECT_EQ(b.weather->variables, (std::vector<std::string>{"temp", "chuva", "umid"}));
    using V = std::vector<std::optional<double>>;
    EXPECT_EQ(b.weather->values, (std::vector<V>{{24.5, 120.0, std::nullopt},
                                                 {-3.25, std::nullopt, std::nullopt},
                                                 {std::nullopt, std::nullopt, std::nullopt},
                                                 {1.0, 2.0, 3.0}}));
}

TEST(CollectionBlocks, ReadsUndatedSurveysBlocksInEitherOrderAndFilesWithoutThem) {
    const std::string undated = "[coletas]\r\n- 3 0 0\r\n- 0 0 4\r\n- 2 0 2\r\n- 0 0 1\r\n";
    const auto b = parseCollectionBlocks(kSpecies + "[clima]\nt\n1\n2\n3\n4\n" + undated + "trailing text\n");
    EXPECT_FALSE(b.dated());
    EXPECT_EQ(b.collections.size(), 4u);
    EXPECT_EQ(b.weather->values.size(), 4u);
    EXPECT_FALSE(parseCollectionBlocks(kSpecies).present());
    EXPECT_FALSE(parseCollectionBlocks(kSpecies + "[nomes]\r\nA\r\nB\r\nC\r\n").present());
    // Anything but a mark after the species lines: no blocks, as for the names.
    EXPECT_FALSE(parseCollectionBlocks(kSpecies + "notes\r\n" + kCollections).present());
}

// Each refusal names its line and says why.
TEST(CollectionBlocks, RefusesBadBlocksSayingWhere) {
    const std::string weather = "[clima]\r\nt u\r\n1 2\r\n1 2\r\n1 2\r\n1 2\r\n";
    const struct {
        std::string bytes, where;
    } bad[] = {
        {kSpecies + "[coletas]\r\n2023-01-15 3 0 0\r\n15/02/2023 0 0 4\r\n2023-02-30 2 0 2\r\n1/3/2024 0 0 1\r\n",
         "Linha 8: \"2023-02-30\" não é uma data (aaaa-mm-dd ou dd/mm/aaaa, ou - sem data)"},
        {kSpecies + "[coletas]\r\n2023-01-15 3 0 0\r\n15/02/2023 0 0 4\r\n15.03.2023 2 0 2\r\n1/3/2024 0 0 1\r\n",
         "Linha 8: \"15.03.2023\" não é uma data (aaaa-mm-dd ou dd/mm/aaaa, ou - sem data)"},
        {kSpecies + "[coletas]\r\n2023-01-15 3 0 0\r\n15/02/2023 0 0 4\r\n- 2 0 2\r\n1/3/2024 0 0 1\r\n",
         "Linha 8: coletas com e sem data misturadas; dê a data de todas as coletas ou de nenhuma (-)"},
        {kSpecies + "[coletas]\r\n2023-01-15 3 0 0\r\n15/02/2023 0 0 4,0\r\n2024-02-29 2 0 2\r\n1/3/2024 0 0 1\r\n",
         "Linha 7: a contagem \"4,0\" da espécie 3 não é um número inteiro de 0 ou mais"},
        {kSpecies + "[coletas]\r\n2023-01-15 3 0 0\r\n15/02/2023 0 0 -4\r\n2024-02-29 2 0 2\r\n1/3/2024 0 0 1\r\n",
         "Linha 7: a contagem \"-4\" da espécie 3 não é um número inteiro de 0 ou mais"},
        {kSpecies + "[coletas]\r\n2023-01-15 3 0 0\r\n15/02/2023 0 4\r\n2024-02-29 2 0 2\r\n1/3/2024 0 0 1\r\n",
         "Linha 7: a coleta 2 deve ter a data e 3 contagens (uma por linha de espécie); a linha tem 3 campos"},
        {kSpecies + "[coletas]\r\n2023-01-15 3 0 0 1\r\n",
         "Linha 6: a coleta 1 deve ter a data e 3 contagens (uma por linha de espécie); a linha tem 5 campos"},
        {kSpecies + "[coletas]\r\n2023-01-15 3 0 0\r\n15/02/2023 0 0 4\r\n",
         "Linha 8: falta a coleta 3: o cabeçalho anuncia 4 coletas e o bloco [coletas] tem 2"},
        {kSpecies + kCollections + kCollections, "Linha 10: o bloco [coletas] aparece duas vezes"},
        {kSpecies + "[coletas]\r\n2023-01-15 3 0 0\r\n15/02/2023 0 0 4\r\n2024-02-29 2 0 2\r\n1/3/2024 0 0 2\r\n",
         "Linha 4: a espécie 3 soma 8 indivíduos nas coletas, mas a linha da espécie diz 7"},
        {kSpecies + "[coletas]\r\n2023-01-15 3 0 0\r\n15/02/2023 0 0 4\r\n2024-02-29 2 0 3\r\n1/3/2024 0 0 0\r\n",
         "Linha 4: a espécie 3 tem indivíduos em 2 coletas, mas a linha da espécie diz 3"},
        {kSpecies + "[coletas]\r\n2023-01-15 3 0 0\r\n15/02/2023 0 1 4\r\n2024-02-29 2 0 2\r\n1/3/2024 0 0 1\r\n",
         "Linha 3: a espécie 2 soma 1 indivíduos nas coletas, mas a linha da espécie diz 0"},
        {kSpecies + weather, "Linha 5: o bloco [clima] pede o bloco [coletas] com as contagens de cada coleta"},
        {kSpecies + kCollections + weather + weather, "Linha 16: o bloco [clima] aparece duas vezes"},
        {kSpecies + kCollections + "[clima]\r\n\r\n1\r\n1\r\n1\r\n1\r\n",
         "Linha 11: falta a linha dos nomes das variáveis do bloco [clima]"},
        {kSpecies + kCollections + "[clima]\r\nt u t\r\n", "Linha 11: a variável \"t\" aparece duas vezes"},
        {kSpecies + kCollections + "[clima]\r\nt u\r\n1 2\r\n1 2 3\r\n",
         "Linha 13: o clima da coleta 2 tem 3 valores; são 2 variáveis"},
        {kSpecies + kCollections + "[clima]\r\nt u\r\n1 2\r\n1 x\r\n",
         "Linha 13: \"x\" não é um número (variável u, coleta 2); escreva - para uma falta"},
        {kSpecies + kCollections + "[clima]\r\nt u\r\n1 2\r\n1 2.\r\n",
         "Linha 13: \"2.\" não é um número (variável u, coleta 2); escreva - para uma falta"},
        {kSpecies + kCollections + "[clima]\r\nt u\r\n1 2\r\n1 1,2,3\r\n",
         "Linha 13: \"1,2,3\" não é um número (variável u, coleta 2); escreva - para uma falta"},
        {kSpecies + kCollections + "[clima]\r\nt u\r\n1 2\r\n",
         "Linha 13: falta o clima da coleta 2: o cabeçalho anuncia 4 coletas e o bloco [clima] tem 1"},
        {kSpecies + kCollections + "[nomes]\r\nA\r\n",
         "Linha 10: o bloco [nomes] deve vir logo depois das linhas das espécies, antes de [coletas] e [clima]"},
        {"3 0\r\n0 0\r\n0 0\r\n0 0\r\n[coletas]\r\n",
         "Linha 5: o bloco [coletas] pede um total de coletas de 1 ou mais no cabeçalho (linha 1)"},
        {kSpecies + "[coletas]\r\n2023-01-15 3 0 0\r\n" + std::string(70000, '1') + "\r\n",
         "Linha 7: a linha passa de 65536 caracteres"},
        {"3 4\r\n5 2\r\nx 0\r\n7 3\r\n" + kCollections, "Linha 3: \"x\" não é um número inteiro"},
    };
    for (const auto& c : bad) {
        try {
            parseCollectionBlocks(c.bytes);
            ADD_FAILURE() << "accepted: " << c.bytes;
        } catch (const DataFileError& e) {
            EXPECT_EQ(e.detail(), c.where) << c.bytes;
        }
    }
}

TEST(CollectionBlocks, FormatWritesDatesNumbersAndNamesAsTheFileReadsThem) {
    const auto bytes = kSpecies + kCollections + "[clima]\r\nt\xEDpica chuva\r\n0.1 -\r\n-0,5\r\n\r\n123456,789 7\r\n";
    const auto b = parseCollectionBlocks(bytes);
    EXPECT_EQ(b.weather->variables[0], "t\xC3\xADpica");
    const auto text = formatCollectionBlocks(b);
    EXPECT_EQ(text, "[coletas]\r\n2023-01-15 3 0 0\r\n2023-02-15 0 0 4\r\n2024-02-29 2 0 2\r\n2024-03-01 0 0 1\r\n"
                    "[clima]\r\nt\xEDpica chuva\r\n0,1 -\r\n-0,5 -\r\n- -\r\n123456,789 7\r\n");
    const auto again = parseCollectionBlocks(kSpecies + text);
    EXPECT_EQ(again.weather->values, b.weather->values);
    EXPECT_EQ(formatCollectionBlocks(again), text);
    EXPECT_EQ(formatCollectionBlocks(again, TextEncoding::Utf8).substr(text.find("[clima]"), 16),
              "[clima]\r\nt\xC3\xADpica");
    EXPECT_EQ(formatCollectionBlocks(CollectionBlocks{}), "");
}

// A file is saved in an encoding that gives back every name and variable:
// Windows-1252 unless it would lose a character or be read back as UTF-8.
TEST(CollectionBlocks, SavedFilesReadBackEveryNameAndVariable) {
    struct Case {
        std::vector<std::string> names, variables;
        TextEncoding saved;
    };
    const Case cases[] = {
        {{"Apis", "", "Vespa"}, {"t\xC3\xADpica", "chuva"}, TextEncoding::Windows1252},
        {{"Apis", "", "Vespa"}, {"\xE3\x8F\xA3", "?"}, TextEncoding::Utf8}, // a CJK name: "?" twice
        {{"\xCE\xA9mega", "", "Vespa"}, {"t"}, TextEncoding::Utf8},         // Greek
        {{"\xC3\x83\xC2\xA9", "", "Vespa"}, {"t"}, TextEncoding::Utf8},     // its bytes read as UTF-8
        {{"Apis", "", "Vespa"}, {"\xC3\x83\xC2\xA9"}, TextEncoding::Utf8},
    };
    for (const auto& c : cases) {
        CollectionBlocks b = parseCollectionBlocks(kSpecies + kCollections);
        b.weather = WeatherTable{c.variables, {4, std::vector<std::optional<double>>(c.variables.size(), 1.5)}};
        std::vector<DataRow> rows = {{"5", "2", c.names[0]}, {"0", "0", c.names[1]}, {"7", "3", c.names[2]}};
        const auto encoding = encodingToSave(TextEncoding::Windows1252, c.names, c.variables);
        EXPECT_EQ(encoding, c.saved) << c.variables[0];
        const auto bytes = formatSpeciesFile("3", "4", rows, encoding, formatCollectionBlocks(b, encoding));
        EXPECT_EQ(parseCollectionBlocks(bytes).weather->variables, c.variables);
        const auto back = parseDataFileTexts(bytes);
        for (std::size_t k = 0; k < rows.size(); ++k)
            EXPECT_EQ(back.rows[k].name, c.names[k]);
    }
    EXPECT_EQ(encodingToSave(TextEncoding::Utf8WithMark, {"Apis"}), TextEncoding::Utf8WithMark);
}

// The names stop at a block's mark, the faunistic reader never reads the
// blocks, and the grid writes back the blocks of the file it opened.
TEST(CollectionBlocks, NamesStopAtTheBlocksAndTheGridKeepsThem) {
    const auto bytes = kSpecies + "[nomes]\r\nApis\r\n" + kCollections + "[clima]\r\nt\r\n1\r\n2\r\n3\r\n4\r\n";
    const auto table = parseSpeciesTable(bytes);
    ASSERT_EQ(table.species.size(), 2u);
    EXPECT_EQ(table.species[0].name, "Apis");
    EXPECT_EQ(table.species[1].name, "");
    EXPECT_TRUE(table.warnings.empty());

    const auto texts = parseDataFileTexts(bytes);
    EXPECT_EQ(texts.rows[2].name, "");
    EXPECT_EQ(texts.blocks, kCollections + "[clima]\r\nt\r\n1\r\n2\r\n3\r\n4\r\n");
    const auto saved =
        formatSpeciesFile(texts.speciesCount, texts.totalCollections, texts.rows, texts.encoding, texts.blocks);
    EXPECT_EQ(saved, "3      4\r\n5      2\r\n0      0\r\n7      3\r\n[nomes]\r\nApis\r\n" + texts.blocks);
    EXPECT_EQ(parseCollectionBlocks(saved).collections.size(), 4u);
    // No names: the blocks straight after the species lines.
    EXPECT_EQ(parseDataFileTexts(kSpecies + kCollections).blocks, kCollections);
    EXPECT_EQ(parseSpeciesTable(kSpecies + kCollections).species[0].name, "");
}

TEST(CollectionBlocks, LoadReadsFromDiskWhatTheBytesSay) {
    const auto path = std::filesystem::temp_directory_path() / "zav_collection_blocks_test.txt";
    std::ofstream(path, std::ios::binary) << kSpecies << kCollections << "[clima]\nt\n1\n2\n3\n4\n";
    const auto b = loadCollectionBlocks(path);
    std::filesystem::remove(path);
    EXPECT_EQ(b.collections.size(), 4u);
    EXPECT_EQ(countsOf(b, 3), (std::vector<std::int32_t>{0, 0, 1}));
    EXPECT_EQ(b.weather->values[3][0], 4.0);
}

} // namespace
} // namespace zav
