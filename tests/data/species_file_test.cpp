#include "data/errors.h"
#include "data/file_io.h"
#include "data/line_reader.h"
#include "data/species_file.h"
#include "data/species_names.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace zav {
namespace {

struct Loaded {
    int number;
    int individuals;
    int collections;
};

std::vector<Loaded> loaded(const SpeciesTable& t) {
    std::vector<Loaded> out;
    for (const auto& s : t.species)
        out.push_back({s.number, s.individuals, s.collections});
    return out;
}

bool operator==(const Loaded& a, const Loaded& b) {
    return a.number == b.number && a.individuals == b.individuals && a.collections == b.collections;
}

TEST(LineReader, EndsLinesAtLfWithOrWithoutCrAndStopsAtCtrlZ) {
    LineReader r("a\r\nb\nc\x1A"
                 "d\n");
    EXPECT_EQ(r.next(), "a");
    EXPECT_EQ(r.next(), "b");
    EXPECT_EQ(r.next(), "c");
    EXPECT_EQ(r.next(), ""); // past the end: empty lines, no error
    EXPECT_EQ(r.next(), "");
}

TEST(ParseSpeciesTable, SkipsZeroLinesAndNumbersSpeciesByLine) {
    const auto t = parseSpeciesTable("3      12\r\n1      1\r\n0\r\n5      4\r\n");
    EXPECT_EQ(t.speciesLines, 3);
    EXPECT_EQ(t.totalCollections, 12);
    EXPECT_EQ(loaded(t), (std::vector<Loaded>{{1, 1, 1}, {3, 5, 4}}));
}

TEST(ParseSpeciesTable, ReadsLfFilesNegativeAndSignedCountsAndStopsAfterLLines) {
    const auto t = parseSpeciesTable("3 12\n-3 2\n+7 2\n0 anything at all\n99 x\n");
    EXPECT_EQ(loaded(t), (std::vector<Loaded>{{1, -3, 2}, {2, 7, 2}}));
}

TEST(ParseSpeciesTable, HeaderWithoutSpeciesLinesLoadsNothing) {
    EXPECT_TRUE(parseSpeciesTable("0 5\n").species.empty());
    EXPECT_TRUE(parseSpeciesTable("-4 5\n1 1\n").species.empty());
}

// Each refusal says where and why, on the line after the message.
TEST(ParseSpeciesTable, RefusesFilesItCannotReadSayingWhere) {
    const struct {
        std::string bytes, where;
    } bad[] = {
        {"", "O arquivo está vazio"},
        {"3\r\n1 1\r\n2 2\r\n3 3\r\n", "Linha 1: falta o total de coletas"},
        {std::string("\xFF\xFE"
                     "2\0 \0"
                     "5\0\r\0\n\0",
                     12),
         "Linha 1: o arquivo está em UTF-16; grave-o como texto em UTF-8 ou ANSI (Windows-1252)"},
        {std::string("2\0 \0"
                     "5\0\r\0\n\0",
                     10),
         "Linha 1: o arquivo está em UTF-16; grave-o como texto em UTF-8 ou ANSI (Windows-1252)"},
        {"2 5\r1 1\r2 2\r", "Linha 1: as linhas do arquivo terminam só com CR (fim de linha do Mac antigo); grave-o "
                            "com fins de linha CR LF (Windows) ou LF"},
        {"3 12\r\n1 1\r\n2 2\r\n", "O cabeçalho anuncia 3 linhas de espécies; o arquivo tem 2"},
        {"2 12\r\n1 1\r\n\r\n", "Linha 3: falta o número de indivíduos"},
        {"2 12\r\n 5 12\r\n1 1\r\n", "Linha 2: falta o número de indivíduos"},
        {"2 12\r\n5\t12\r\n1 1\r\n", "Linha 2: \"5<tabulação>12\" não é um número inteiro"},
        {"especie;individuos;coletas\r\n", "Linha 1: o arquivo parece uma planilha; use Arquivo > Importar "
                                           "planilha... (ou zaviro-relatorio --importar)"},
        {"2\t12\r\n", "Linha 1: o arquivo parece uma planilha; use Arquivo > Importar planilha... (ou "
                      "zaviro-relatorio --importar)"},
        {"2 12\r\n12 5 7\r\n1 1\r\n", "Linha 2: \"5 7\" não é um número inteiro"},
        {"2 12\r\n7.0 2\r\n1 1\r\n", "Linha 2: \"7.0\" não é um número inteiro"},
        {"2 12\r\n3\r\n1 1\r\n", "Linha 2: falta o número de coletas"},
        {"2 12\r\n1 1\x1A\r\n1 1\r\n", "O cabeçalho anuncia 2 linhas de espécies; o arquivo tem 1"},
        {"x 5\r\n", "Linha 1: \"x\" não é um número inteiro"},
        {"2 " + std::string(40, '9') + "\r\n", "Linha 1: \"" + std::string(30, '9') + "...\" não é um número inteiro"},
        {"2 12\r\n1 1\r\n" + std::string(70000, '1'), "Linha 3: a linha passa de 65536 caracteres"},
    };
    for (const auto& c : bad) {
        try {
            parseSpeciesTable(c.bytes);
            ADD_FAILURE() << "accepted: " << c.bytes;
        } catch (const DataFileError& e) {
            EXPECT_EQ(std::string(e.what()), "Error: Verifique o arquivo de dados!\n" + c.where);
        }
    }
}

// Notepad and TextEdit save UTF-8, with or without a byte order mark; a
// names block may end its lines with CR alone, have its mark in capitals, a
// name too long or a Ctrl-Z in it: the names that can be read are read and
// the others warned of with their line.
TEST(ParseSpeciesTable, ReadsNamesInTheEncodingAndLineEndsTheyCameIn) {
    const std::string counts = "3 12\r\n5 2\r\n4 3\r\n2 1\r\n";
    const struct {
        const char* what;
        std::string bytes;
        std::vector<std::string> names;
        TextEncoding encoding;
        bool whole;
        std::vector<std::string> warnings;
    } cases[] = {
        {"Windows-1252",
         counts + "[nomes]\r\nsa\xFAva\r\n\r\nAtta\r\n",
         {"saúva", "", "Atta"},
         TextEncoding::Windows1252,
         true,
         {}},
        {"UTF-8",
         counts + "[nomes]\r\nsaúva-limão\r\n\r\nAtta\r\n",
         {"saúva-limão", "", "Atta"},
         TextEncoding::Utf8,
         true,
         {}},
        {"UTF-8 with its mark",
         "\xEF\xBB\xBF" + counts + "[Nomes]\nsaúva\n",
         {"saúva", "", ""},
         TextEncoding::Utf8WithMark,
         true,
         {}},
        {"CR alone in the block, the mark in capitals",
         counts + "[NOMES]\rA\rB\rC\r",
         {"A", "B", "C"},
         TextEncoding::Windows1252,
         true,
         {}},
        {"a name over 64 KiB",
         counts + "[nomes]\r\nA\r\n" + std::string(70000, 'x') + "\r\nC\r\n",
         {"A", "", "C"},
         TextEncoding::Windows1252,
         false,
         {"Aviso: linha 7: o nome da espécie 2 passa de 65536 caracteres e não foi lido"}},
        {"a Ctrl-Z inside a name",
         counts + "[nomes]\r\nA\r\nB\x1A"
                  "B\r\nC\r\n",
         {"A", "B", ""},
         TextEncoding::Windows1252,
         false,
         {"Aviso: linha 7: um caractere Ctrl-Z (fim de arquivo do DOS) interrompe os nomes; os nomes depois dele não "
          "foram lidos"}},
        {"a Ctrl-Z as the last byte",
         counts + "[nomes]\r\nA\r\n\x1A",
         {"A", "", ""},
         TextEncoding::Windows1252,
         true,
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto texts = parseDataFileTexts(c.bytes);
        std::vector<std::string> names;
        for (const auto& row : texts.rows)
            names.push_back(row.name);
        EXPECT_EQ(names, c.names);
        EXPECT_EQ(texts.encoding, c.encoding);
        EXPECT_EQ(texts.namesWhole, c.whole);
        EXPECT_EQ(texts.warnings, c.warnings);
        EXPECT_EQ(parseSpeciesTable(c.bytes).warnings, c.warnings);
        // Read from a file, a chunk at a time, the same.
        const auto path =
            std::filesystem::temp_directory_path() / ("zaviro-names-test-" + std::to_string(::getpid()) + ".txt");
        { std::ofstream(path, std::ios::binary) << c.bytes; }
        const auto loaded = loadDataFileTexts(path);
        std::filesystem::remove(path);
        EXPECT_EQ(loaded.rows.back().name, c.names.back());
        EXPECT_EQ(loaded.encoding, c.encoding);
        EXPECT_EQ(loaded.warnings, c.warnings);
        // Saved as it came: the names kept, in their encoding.
        const auto saved = formatSpeciesFile(texts.speciesCount, texts.totalCollections, texts.rows, texts.encoding);
        const auto again = parseDataFileTexts(saved);
        EXPECT_EQ(again.encoding, c.encoding == TextEncoding::Utf8WithMark || c.whole ? c.encoding : again.encoding);
        EXPECT_EQ(again.rows.back().name, c.names.back());
    }
}

// Counts no survey can have are read as always (the report is the one the
// file gives) and warned of with their line.
TEST(ParseSpeciesTable, WarnsOfCountsNoSurveyCanHave) {
    const auto table = parseSpeciesTable("5 12\r\n30 15\r\n3 4\r\n5 0\r\n0 2\r\n7 3\r\n");
    ASSERT_EQ(table.species.size(), 4u);
    EXPECT_EQ(table.species[0].collections, 15);
    EXPECT_EQ(table.warnings,
              (std::vector<std::string>{
                  "Aviso: linha 2: 15 coletas num levantamento de 12 coletas; uma espécie não é coletada em mais "
                  "coletas do que o levantamento tem",
                  "Aviso: linha 3: 3 indivíduos em 4 coletas; uma espécie tem ao menos um indivíduo em cada coleta em "
                  "que foi coletada",
                  "Aviso: linha 4: 5 indivíduos em 0 coletas; uma espécie com indivíduos foi coletada em ao menos uma "
                  "coleta",
                  "Aviso: linha 5: 0 indivíduos em 2 coletas; uma espécie coletada tem ao menos um indivíduo"}));
    std::string many = "20 12\r\n";
    for (int i = 0; i < 20; ++i)
        many += "1 2\r\n";
    const auto warnings = parseSpeciesTable(many).warnings;
    ASSERT_EQ(warnings.size(), 11u);
    EXPECT_EQ(warnings.back(), "Aviso: mais 10 linhas com contagens impossíveis");
}

TEST(ParseSpeciesTable, HeaderPromisingAHugeNumberOfLinesFailsQuickly) {
    EXPECT_THROW(parseSpeciesTable("2147483647 10\r\n1 1\r\n0\r\n"), DataFileError);
}

TEST(ParseSpeciesTable, RefusesMoreThan900SpeciesWithIndividuals) {
    auto file = [](int kept) {
        std::string s = std::to_string(kept + 5) + " 10\r\n";
        for (int i = 0; i < 5; ++i)
            s += "0 0\r\n";
        for (int i = 0; i < kept; ++i)
            s += "3 2\r\n";
        return s;
    };
    EXPECT_EQ(parseSpeciesTable(file(900)).species.size(), 900u);
    try {
        parseSpeciesTable(file(901));
        ADD_FAILURE() << "901 species accepted";
    } catch (const DataFileError& e) {
        EXPECT_EQ(e.detail(), "Linha 907: mais de 900 espécies com indivíduos");
    }
}

TEST(FormatSpeciesFile, PutsField2InColumn8WithCrLf) {
    const auto bytes = formatSpeciesFile(" 3 ", "12", {{"45", "3"}, {"0", "0"}, {"1520", "12"}});
    EXPECT_EQ(bytes, "3      12\r\n45     3\r\n0      0\r\n1520   12\r\n");
    EXPECT_EQ(formatSpeciesFile("12", "30", {}), "12     30\r\n");
}

TEST(FormatSpeciesFile, KeepsASpaceAfterLongFieldsSoTheFileReadsBack) {
    const auto bytes = formatSpeciesFile("2", "5", {{"1234567", "3"}, {"123456789", "4"}});
    EXPECT_EQ(bytes, "2      5\r\n1234567 3\r\n123456789 4\r\n");
    const auto t = parseSpeciesTable(bytes);
    EXPECT_EQ(loaded(t), (std::vector<Loaded>{{1, 1234567, 3}, {2, 123456789, 4}}));
}

TEST(ReadFileBytes, NamesThePathOfAFileItCannotOpen) {
    const auto dir = std::filesystem::temp_directory_path();
    const auto missing = dir / "zaviro-no-such-file.txt";
    try {
        readFileBytes(missing);
        FAIL() << "expected FileOpenError";
    } catch (const FileOpenError& e) {
        EXPECT_EQ(std::string(e.what()), "Erro: não foi possível abrir o arquivo: " + missing.string());
    }
    EXPECT_THROW(readFileBytes(dir), FileOpenError);
}

// Read from disk in chunks, a file gives what the same bytes give in memory,
// wherever its lines and its Ctrl-Z fall against the chunks.
TEST(LoadSpeciesFile, ReadsFromDiskWhatTheBytesSayInMemory) {
    auto padded = [](int lines, std::size_t width) {
        std::string s = std::to_string(lines) + " 30\r\n";
        for (int i = 1; i <= lines; ++i)
            s += std::to_string(i % 7) + std::string(width, ' ') + std::to_string(i % 5 + 1) + "\r\n";
        return s;
    };
    const std::size_t max = LineReader::kMaxLineBytes;
    // A line of exactly the limit whose CR ends one read chunk and whose LF
    // starts the next (the chunks are 16 KiB).
    const std::string straddling =
        "2 9" + std::string(16378, ' ') + "\r\n1" + std::string(max - 2, ' ') + "1\r\n2 2\r\n";
    const std::string files[] = {
        "2 4\r\n10 2\r\n1 1",                               // no break after the last line
        padded(900, 90),                                    // many chunks
        padded(3, max - 2),                                 // lines of exactly the limit
        padded(3, max - 1),                                 // one byte over
        padded(400, 60) + "\x1A" + std::string(40000, '9'), // Ctrl-Z past the first chunk
        padded(200, 60).insert(9000, "\x1A"),               // Ctrl-Z inside a line
        "3 30\r\n1 1\r\n" + std::string(3 * max, '7'),      // no line break for ever
        straddling,
    };
    const auto path =
        std::filesystem::temp_directory_path() / ("zaviro-load-test-" + std::to_string(::getpid()) + ".txt");
    for (const auto& bytes : files) {
        { std::ofstream(path, std::ios::binary) << bytes; }
        std::optional<std::vector<Loaded>> inMemory, fromDisk;
        try {
            inMemory = loaded(parseSpeciesTable(bytes));
        } catch (const DataFileError&) {
        }
        try {
            fromDisk = loaded(loadSpeciesFile(path));
        } catch (const DataFileError&) {
        }
        EXPECT_EQ(inMemory, fromDisk) << bytes.size() << " bytes";
        if (bytes == straddling) {
            EXPECT_EQ(fromDisk.value_or(std::vector<Loaded>{}).size(), 2u);
        }
    }
    std::filesystem::remove(path);
    EXPECT_EQ(loaded(parseSpeciesTable(padded(3, max - 2))).size(), 3u);
    EXPECT_THROW(parseSpeciesTable(padded(3, max - 1)), DataFileError);
}

// Reading stops at the promised lines: a file whose tail is gigabytes of
// zeros loads in a child process limited to 256 MiB of memory.
TEST(LoadSpeciesFile, NeverReadsPastThePromisedLines) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer reserves more memory than the limit";
#endif
    const auto path =
        std::filesystem::temp_directory_path() / ("zaviro-sparse-tail-" + std::to_string(::getpid()) + ".txt");
    { std::ofstream(path, std::ios::binary) << "2 4\r\n1 1\r\n2 2\r\n"; }
    std::filesystem::resize_file(path, std::uintmax_t{4} << 30);
    const pid_t child = ::fork();
    if (child == 0) {
        const rlimit limit{256u << 20, 256u << 20};
        ::setrlimit(RLIMIT_AS, &limit);
        try {
            ::_exit(loadSpeciesFile(path).species.size() == 2 ? 0 : 2);
        } catch (...) {
            ::_exit(3);
        }
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    std::filesystem::remove(path);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

// Nothing that is not a regular file is opened: a FIFO would wait for a
// writer and a device may never end.
TEST(LoadSpeciesFile, RefusesWhatIsNotARegularFile) {
    const auto fifo = std::filesystem::temp_directory_path() / "zaviro-fifo";
    std::filesystem::remove(fifo);
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const auto& path : {fifo, std::filesystem::path("/dev/zero"), std::filesystem::path("/")}) {
        EXPECT_THROW(loadSpeciesFile(path), FileOpenError) << path;
        EXPECT_THROW(loadDataFileTexts(path), FileOpenError) << path;
    }
    std::filesystem::remove(fifo);
}

} // namespace
} // namespace zav

namespace zav {
namespace {

std::vector<std::string> namesOf(const SpeciesTable& table) {
    std::vector<std::string> out;
    for (const auto& s : table.species)
        out.push_back(s.name);
    return out;
}

// The names block: read when there, cleaned, never an error.
TEST(SpeciesNames, AreReadFromTheBlockAfterTheSpeciesLines) {
    const std::string longLine(LineReader::kMaxLineBytes + 10, 'x');
    const struct {
        const char* what;
        std::string bytes;
        std::vector<std::string> names;
    } cases[] = {
        {"CR LF, Windows-1252, a species without individuals skipped",
         "3 12\r\n5 2\r\n0 0\r\n7 3\r\n[nomes]\r\n\xC1pis\r\nZero\r\nTrigona\r\n",
         {"\xC3\x81pis", "Trigona"}},
        {"fewer lines and an empty one", "3 5\n1 1\n2 2\n3 3\n[nomes]\n\nB\n", {"", "B", ""}},
        {"no mark: lines after the species are no names", "2 5\n1 1\n2 2\nApis\nB\n", {"", ""}},
        {"controls become spaces, ends trimmed, cut at 200",
         "2 5\n1 1\n2 2\n[nomes]\n\x01 a\tb\x7F \n" + std::string(300, 'y') + "\n",
         {"a b", std::string(200, 'y')}},
        {"a line over 64 KiB ends the names", "2 5\n1 1\n2 2\n[nomes]\nA\n" + longLine + "\nC\n", {"A", ""}},
        {"only as many lines as species", "1 5\n1 1\n[nomes]\nA\nB\n", {"A"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(namesOf(parseSpeciesTable(c.bytes)), c.names) << c.what;
        EXPECT_NO_THROW(parseDataFileTexts(c.bytes)) << c.what;
    }
}

TEST(SpeciesNames, RoundTripThroughTheGridsWriterAndReader) {
    const std::vector<DataRow> rows = {
        {"5", "2", "\xC3\x81pis mellifera"}, {"0", "0", ""}, {"7", "3", "Na\xC3\xAFve"}, {"1", "1", ""}};
    const auto bytes = formatSpeciesFile("4", "12", rows);
    // Up to the last name; Windows-1252, CR LF.
    EXPECT_EQ(bytes, "4      12\r\n5      2\r\n0      0\r\n7      3\r\n1      1\r\n"
                     "[nomes]\r\n\xC1pis mellifera\r\n\r\nNa\xEFve\r\n");
    const auto texts = parseDataFileTexts(bytes);
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(texts.rows[i].name, rows[i].name);
    EXPECT_EQ(namesOf(parseSpeciesTable(bytes)),
              (std::vector<std::string>{"\xC3\x81pis mellifera", "Na\xC3\xAFve", ""}));
    // No name filled: no block, the file as before.
    EXPECT_EQ(formatSpeciesFile("1", "3", {{"2", "1", " \t "}}), "1      3\r\n2      1\r\n");
    EXPECT_EQ(cleanSpeciesName("a\xFF\x62"), "a\xEF\xBF\xBD"
                                             "b");
}

} // namespace
} // namespace zav
