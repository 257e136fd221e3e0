// zaviro-relatorio run as a researcher's script would run it.

#include "data/collection_blocks.h"
#include "data/file_io.h"
#include "zaviro_version.h"
#ifdef ZAV_TEST_WORKBOOKS
#include "support/workbook_files.h"
#endif

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The tool as a shell command: the native build, or the one named by
// ZAV_CLI_COMMAND ("node .../zaviro-relatorio.js" for the WebAssembly build).
std::string toolCommand() {
    const char* command = std::getenv("ZAV_CLI_COMMAND");
    return command ? command : std::string("'") + ZAV_CLI + "'";
}

// The limits on memory are the native program's: node needs more for
// itself than any of them allows.
bool nativeTool() { return std::getenv("ZAV_CLI_COMMAND") == nullptr; }

// The address sanitizer reserves more memory than those limits allow, so
// under it the limits are left out too.
bool memoryLimitsApply() {
#if defined(__SANITIZE_ADDRESS__)
    return false;
#else
    return nativeTool();
#endif
}

struct Outcome {
    int exitCode;
    std::string out;
    std::string err;
};

class Cli : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("zaviro-cli-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    // Standard output goes to `to` when given (">>" appends to it), to a
    // file read back otherwise. `limits` come before the program, as
    // "ulimit -d 16384;".
    Outcome run(const std::string& args, const fs::path& to = {}, const char* redirect = ">",
                const std::string& limits = "") {
        const auto out = to.empty() ? dir_ / "stdout" : to;
        const auto err = dir_ / "stderr";
        const bool memoryLimit = limits.rfind("ulimit -d", 0) == 0;
        const std::string cmd = "cd '" + dir_.string() + "' && " + (memoryLimit && !memoryLimitsApply() ? "" : limits) +
                                toolCommand() + " " + args + " " + redirect + "'" + out.string() + "' 2>'" +
                                err.string() + "' </dev/null";
        const int status = std::system(cmd.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, to.empty() ? zav::readFileBytes(out) : std::string(),
                zav::readFileBytes(err)};
    }

    fs::path write(const std::string& name, const std::string& bytes) {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
        return dir_ / name;
    }

    fs::path dir_;
};

// A survey of 900 species, the most a data file holds.
std::string surveyOf900Species() {
    std::string survey = "900 60\r\n";
    for (int i = 0; i < 900; ++i)
        survey += std::to_string(60 + i % 50) + " " + std::to_string(1 + i % 60) + "\r\n";
    return survey;
}

// Everything but the line with the time of the run: the report's date
// line, the JSON's "data"; a CSV has none.
std::string withoutDateLine(const std::string& text) {
    auto start = text.find("Data: ");
    if (start == std::string::npos) start = text.find("\"data\": ");
    if (start == std::string::npos) return text;
    return text.substr(0, start) + text.substr(text.find('\n', start));
}

TEST_F(Cli, WritesTheReportBytesWithTheAbsolutePath) {
    const auto golden = zav::readFileBytes(fs::path(ZAV_GOLDEN_DIR) / "dez-especies.relatorio");
    write("dez-especies.txt", zav::readFileBytes(fs::path(ZAV_GOLDEN_DIR) / "dez-especies.txt"));
    const auto r = run("dez-especies.txt");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    std::string expected = golden;
    const std::string goldenPath = "C:\\Dados\\Levantamento \xC1rea 1\\dez-especies.txt";
    expected.replace(expected.find(goldenPath), goldenPath.size(), (dir_ / "dez-especies.txt").string());
    EXPECT_EQ(withoutDateLine(r.out), withoutDateLine(expected));
    EXPECT_NE(r.out.find("\r\nData: "), std::string::npos);
}

// The local time of the run from the system clock: in a zone three hours
// west of Greenwich an hour read in UTC is seen too.
TEST_F(Cli, DatesTheReportWithTheLocalTimeOfTheRun) {
    const char* zone = std::getenv("TZ");
    const std::string savedZone = zone ? zone : "";
    ::setenv("TZ", "Etc/GMT+3", 1); // a zone name, which node reads too
    ::tzset();
    write("dados.txt", "2 10\r\n5 1\r\n3 2\r\n");
    const auto before = std::time(nullptr);
    const auto r = run("dados.txt");
    const auto after = std::time(nullptr);
    std::tm printed{};
    printed.tm_isdst = -1;
    int ms = -1;
    const auto line = r.out.find("\r\nData: ");
    ASSERT_NE(line, std::string::npos) << r.err;
    ASSERT_EQ(std::sscanf(r.out.c_str() + line, "\r\nData: %d/%d/%d - %d:%d:%d:%d", &printed.tm_mday, &printed.tm_mon,
                          &printed.tm_year, &printed.tm_hour, &printed.tm_min, &printed.tm_sec, &ms),
              7);
    printed.tm_mon -= 1;
    printed.tm_year -= 1900;
    const auto when = std::mktime(&printed);
    EXPECT_LE(before, when);
    EXPECT_LE(when, after);
    EXPECT_TRUE(ms >= 0 && ms < 1000) << ms;
    zone ? ::setenv("TZ", savedZone.c_str(), 1) : ::unsetenv("TZ");
    ::tzset();
}

// A script must not take a report that never reached its file for one that did.
TEST_F(Cli, AFailedWriteToStandardOutputExits1) {
    const fs::path golden = ZAV_SIMILARITY_GOLDEN_DIR;
    for (const char* f : {"t1.txt", "t2.txt", "t3.txt"})
        write(f, zav::readFileBytes(golden / f));
    for (const char* args : {"t1.txt", "--similaridade t1.txt t2.txt t3.txt", "--help", "--version"}) {
        const auto r = run(args, "/dev/full");
        EXPECT_EQ(r.exitCode, 1) << args;
        EXPECT_EQ(r.err, "Erro: não foi possível escrever na saída padrão\n") << args;
    }
}

TEST_F(Cli, FailuresPrintOnlyTheMessageAndExit1) {
    write("ruim.txt", "2 10\r\n5 x\r\n1 1\r\n");
    write("uma.txt", "1 10\r\n5 1\r\n");
    write("zero.txt", "2 0\r\n5 1\r\n1 1\r\n");
    write("negativo.txt", "2 5\r\n3 1\r\n-2 1\r\n");
    struct Case {
        const char* args;
        std::string message;
    };
    const Case cases[] = {
        {"ruim.txt", "Error: Verifique o arquivo de dados!\nLinha 2: \"x\" não é um número inteiro\n"},
        {"uma.txt", "Erro: são necessárias pelo menos 2 espécies com indivíduos\n"},
        {"zero.txt", "Erro: o total de coletas não pode ser 0\n"},
        {"negativo.txt", "Erro: os dados não permitem o cálculo\nLinha 3: número de indivíduos negativo: -2\n"},
        {"nada.txt", "Erro: não foi possível abrir o arquivo: " + (dir_ / "nada.txt").string() + "\n"},
        {".", "Erro: não foi possível abrir o arquivo: " + dir_.string() + "\n"},
    };
    for (const auto& c : cases) {
        const auto r = run(c.args);
        EXPECT_EQ(r.exitCode, 1) << c.args;
        EXPECT_EQ(r.out, "") << c.args;
        EXPECT_EQ(r.err, c.message) << c.args;
    }
}

// Whatever a tired researcher points the program at, the answer is one
// clear message.
TEST_F(Cli, BadInputsEachGetTheirMessage) {
    write("vazio.txt", "");
    write("promete.txt", "2147483647 10\r\n1 1\r\n0 0\r\n");
    write("uma-linha.txt", std::string(50 * 1024 * 1024, '7'));
    write("espacos.txt", "3 12\r\n" + std::string(1 << 20, ' ') + "\r\n");
    write("sem-especies.txt", "2 10\r\n0 0\r\n0 0\r\n");
    write("linha-longa.txt", "2 10\r\n1 1\r\n1" + std::string(64 * 1024, ' ') + "1\r\n");
    write("brancos.csv", "2;1\n4;3\n" + std::string(20 * 1024 * 1024, '\n') + "5;6\n");
    fs::resize_file(write("um-giga.csv", ""), std::uintmax_t{1} << 30); // one line of NULs, sparse
    write("linha-longa.csv", "1;2\n3;" + std::string(64 * 1024, '4') + "\n");
    std::string rows = "especie;n;coletas\n";
    for (int i = 0; i < 200000; ++i)
        rows += "x;1;1\n";
    write("grande.csv", rows);
    fs::create_directory(dir_ / "pasta.txt");
    ASSERT_EQ(::mkfifo((dir_ / "fifo.txt").c_str(), 0600), 0);
    auto cannotOpen = [](const fs::path& p) { return "Erro: não foi possível abrir o arquivo: " + p.string() + "\n"; };
    auto load = [](const std::string& where) { return "Error: Verifique o arquivo de dados!\n" + where + "\n"; };
    struct Case {
        const char* file;
        std::string message;
    };
    const Case cases[] = {
        {"vazio.txt", load("O arquivo está vazio")},
        {"promete.txt", load("O cabeçalho anuncia 2147483647 linhas de espécies; o arquivo tem 2")},
        {"uma-linha.txt", load("Linha 1: a linha passa de 65536 caracteres")},
        {"espacos.txt", load("Linha 2: a linha passa de 65536 caracteres")},
        {"sem-especies.txt", "Erro: são necessárias pelo menos 2 espécies com indivíduos\n"},
        {"linha-longa.txt", load("Linha 3: a linha passa de 65536 caracteres")},
        {"pasta.txt", cannotOpen(dir_ / "pasta.txt")},
        {"fifo.txt", cannotOpen(dir_ / "fifo.txt")},
        {"/dev/zero", cannotOpen("/dev/zero")},
        {"--importar brancos.csv --coletas 5",
         "Erro: planilha, linha 3: linha vazia entre espécies; escreva 0 nas contagens de uma espécie não "
         "coletada, ou apague a linha\n"},
        {"--importar um-giga.csv --coletas 5", "Erro: planilha, linha 1: a linha passa de 65536 caracteres\n"},
        {"--importar linha-longa.csv --coletas 5", "Erro: planilha, linha 2: a linha passa de 65536 caracteres\n"},
        {"--importar grande.csv --coletas 5", "Erro: planilha, linha 902: mais de 900 espécies\n"},
        {"--importar fifo.txt --coletas 5", cannotOpen(dir_ / "fifo.txt")},
    };
    // However large the input, the program stays within 16 MB of data.
    for (const auto& c : cases) {
        const auto r = run(c.file, {}, ">", "ulimit -d 16384;");
        EXPECT_EQ(r.exitCode, 1) << c.file;
        EXPECT_EQ(r.out, "") << c.file;
        EXPECT_EQ(r.err, c.message) << c.file;
    }
}

// The report names the file the system opened, and keeps its fixed lines
// whatever characters the name holds.
TEST_F(Cli, TheArquivoLineNamesTheFileTheSystemOpens) {
    const auto golden = fs::path(ZAV_GOLDEN_DIR);
    fs::create_directories(dir_ / "real" / "s");
    fs::create_symlink(dir_ / "real" / "s", dir_ / "s");
    fs::copy_file(golden / "dez-especies.txt", dir_ / "real" / "dados.txt");
    write("dados.txt", "2 4\r\n1 1\r\n2 2\r\n");
    fs::copy_file(golden / "dez-especies.txt", dir_ / "a\nb\x7f.txt");
    struct Case {
        const char* args;
        std::string shown;
    };
    const Case cases[] = {
        {"s/../dados.txt", (dir_ / "s" / ".." / "dados.txt").string()},
        {"./real/./dados.txt", (dir_ / "real" / "dados.txt").string()},
        {"'a\nb\x7f.txt'", (dir_ / "a?b?.txt").string()},
    };
    const auto expected = zav::readFileBytes(golden / "dez-especies.relatorio");
    for (const auto& c : cases) {
        const auto r = run(c.args);
        ASSERT_EQ(r.exitCode, 0) << c.args << r.err;
        const auto arquivo = r.out.find("Arquivo: ");
        EXPECT_EQ(r.out.substr(arquivo, r.out.find("\r\n", arquivo) - arquivo), "Arquivo: " + c.shown);
        EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), std::count(expected.begin(), expected.end(), '\n'));
    }
}

TEST_F(Cli, UsageErrorsExit2AndHelpExits0) {
    for (const char* args : {"", "a.txt b.txt", "--foo", "-x a.txt", "--json --csv a.txt", "--saida", "--saida d", "-o",
                             "--importar p.csv --coletas 5 -o", "--importar p.csv --coletas 5 --json -o d.txt",
                             "--importar p.csv", "--importar p.csv --coletas 5 a.txt", "--coletas 5 a.txt",
                             "--similaridade --csv a b c", "--similaridade --saida d a b c"}) {
        const auto r = run(args);
        EXPECT_EQ(r.exitCode, 2) << args;
        EXPECT_EQ(r.out, "") << args;
        EXPECT_EQ(r.err.rfind("Uso: zaviro-relatorio", 0), 0u) << args;
    }
    for (const char* args : {"-h", "--help"}) {
        const auto r = run(args);
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_EQ(r.out.rfind("Uso: zaviro-relatorio", 0), 0u);
    }
}

TEST_F(Cli, VersionIsTheProjects) {
    const auto r = run("--version");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, std::string("zaviro-relatorio ") + zav::kVersion + "\n");
}

TEST_F(Cli, SimilarityReportOfTheFilesInTheOrderGiven) {
    const fs::path golden = ZAV_SIMILARITY_GOLDEN_DIR;
    for (const char* f : {"t1.txt", "t2.txt", "t3.txt"})
        write(f, zav::readFileBytes(golden / f));
    const auto r = run("--similaridade t1.txt t2.txt t3.txt");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(withoutDateLine(r.out), withoutDateLine(zav::readFileBytes(golden / "tres-tratamentos.relatorio")));

    write("ruim.txt", "2 10\r\n5 1\r\n");
    const auto bad = run("--similaridade t1.txt ruim.txt t3.txt");
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_EQ(bad.out, "");
    EXPECT_EQ(bad.err, "Error: Verifique o arquivo de dados!\n" + (dir_ / "ruim.txt").string() +
                           ": O cabeçalho anuncia 2 linhas de espécies; o arquivo tem 1\n");

    const auto missing = run("--similaridade t1.txt t2.txt nada.txt");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, "Erro: não foi possível abrir o arquivo: " + (dir_ / "nada.txt").string() + "\n");
}

TEST_F(Cli, SimilarityTakesTreatmentFilesOfUpTo900Lines) {
    for (const int lines : {900, 901}) {
        std::string bytes = std::to_string(lines) + " 5\r\n";
        for (int i = 0; i < lines; ++i)
            bytes += "1 1\r\n";
        write(std::to_string(lines) + ".txt", bytes);
    }
    struct Case {
        const char* args;
        int exitCode;
        std::string message;
    };
    const Case cases[] = {
        {"--similaridade 900.txt 900.txt 900.txt", 0, ""},
        {"--similaridade 900.txt 900.txt 901.txt", 1,
         "Error: Verifique o arquivo de dados!\n" + (dir_ / "901.txt").string() +
             ": Linha 1: mais de 900 linhas de espécies\n"},
    };
    for (const auto& c : cases) {
        const auto r = run(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args;
        EXPECT_EQ(r.err, c.message) << c.args;
    }
}

TEST_F(Cli, SimilarityNeedsThreeToTenFiles) {
    const auto few = run("--similaridade a.txt b.txt");
    EXPECT_EQ(few.exitCode, 2);
    EXPECT_EQ(few.out, "");
    EXPECT_EQ(few.err, "Erro: Digite 3 ou mais conjuntos de dados\n");
    const auto many = run("--similaridade 1 2 3 4 5 6 7 8 9 10 11");
    EXPECT_EQ(many.exitCode, 2);
    EXPECT_EQ(many.err, "Erro: Digite no máximo 10 conjuntos de dados\n");
}

TEST_F(Cli, DiversityAndComparisonRuns) {
    write("dez.txt", zav::readFileBytes(fs::path(ZAV_GOLDEN_DIR) / "dez-especies.txt"));
    write("mata.txt", "4 5\r\n10 2\r\n5 1\r\n0 0\r\n2 1\r\n");
    write("pasto.txt", "4 5\r\n3 1\r\n0 0\r\n8 3\r\n2 2\r\n");
    write("milho.txt", "3 5\r\n1 1\r\n1 1\r\n1 1\r\n");
    const struct {
        const char* args;
        int exitCode;
        const char* inOut; // a text the output holds
        const char* err;
    } cases[] = {
        {"--diversidade dez.txt", 0, "ZAVIRO - DIVERSIDADE\r\n", ""},
        {"--json --diversidade dez.txt", 0, "\"chao1\": {\"estimativa\": ", ""},
        {"--diversidade --csv dez.txt", 0, "m,q0,q1,q2,cobertura,", ""},
        {"--comparacao mata.txt pasto.txt", 0, "  T2 = pasto.txt\r\n", ""},
        {"--comparacao --json --indice bray-curtis mata.txt pasto.txt milho.txt", 0, "\"indice\": \"bray_curtis\"",
         "Aviso: os tratamentos têm números diferentes de espécies (4, 4, 3); espécies pareadas pela linha\n"},
        // The warning inside the report too, under its date.
        {"--similaridade mata.txt pasto.txt milho.txt", 0,
         "\r\nAviso: os tratamentos t\xEAm n\xFAmeros diferentes de esp\xE9"
         "cies (4, 4, 3); esp\xE9"
         "cies pareadas "
         "pela linha\r\n\r\n____",
         "Aviso: os tratamentos têm números diferentes de espécies (4, 4, 3); espécies pareadas pela linha\n"},
        // The reports' language: the labels only.
        {"--idioma en dez.txt", 0, "FAUNISTIC ANALYSIS\r\n", ""},
        {"--idioma es --diversidade dez.txt", 0, "ZAVIRO - DIVERSIDAD\r\n", ""},
        {"--comparacao --idioma en mata.txt pasto.txt", 0, "Treatments:\r\n  T1 = mata.txt\r\n", ""},
        {"--idioma es --similaridade mata.txt pasto.txt milho.txt", 0, "AN\xC1LISIS FAUN\xCDSTICO - Similitud\r\n",
         nullptr},
        {"--idioma en --diversidade --csv dez.txt", 0, "m,q0,q1,q2,cobertura,", ""},
        {"--idioma fr dez.txt", 2, "", "Erro: --idioma espera pt, en ou es\n"},
        {"--comparacao mata.txt", 2, "", "Erro: Digite 2 ou mais conjuntos de dados\n"},
        {"--comparacao --indice jaccard mata.txt pasto.txt", 2, "", "Erro: --indice espera sorensen ou bray-curtis\n"},
        {"--indice sorensen dez.txt", 2, "", nullptr},
        {"--comparacao --csv mata.txt pasto.txt", 2, "", nullptr},
    };
    for (const auto& c : cases) {
        const auto r = run(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args;
        EXPECT_NE(r.out.find(c.inOut), std::string::npos) << c.args;
        if (c.err) {
            EXPECT_EQ(r.err, c.err) << c.args;
        }
    }
    // The communities of treatments with their collections; one without is refused by name.
    const fs::path areas = fs::path(ZAV_COMMUNITIES_DATA_DIR);
    for (const char* file : {"mata.txt", "borda.txt", "pasto.txt", "sem-coletas.txt"})
        write(file, zav::readFileBytes(areas / file));
    const auto communities = run("--comunidades --permutacoes 99 mata.txt borda.txt pasto.txt");
    EXPECT_EQ(communities.exitCode, 0);
    EXPECT_NE(communities.out.find("\r\nT2, coleta 2: sem indiv\xED"
                                   "duos, fora da an\xE1lise\r\n"),
              std::string::npos);
    EXPECT_NE(communities.err.find("T2, coleta 2: sem indivíduos, fora da análise\n"), std::string::npos);
    const auto json = run("--comunidades --json --indice jaccard --semente 5 mata.txt borda.txt pasto.txt");
    EXPECT_NE(json.out.find("\"indice\": \"jaccard\",\n  \"permutacoes\": 999,\n  \"semente\": 5,"), std::string::npos);
    // The same files and seed give the same bytes, but for the time of the run.
    const auto withoutTime = [](std::string text) {
        const auto at = text.find("\"data\": ");
        return at == std::string::npos ? text : text.erase(at, text.find('\n', at) - at);
    };
    EXPECT_EQ(withoutTime(json.out),
              withoutTime(run("--comunidades --json --indice jaccard --semente 5 mata.txt borda.txt pasto.txt").out));
    const auto refused = run("--comunidades mata.txt sem-coletas.txt");
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err,
              "Erro: sem-coletas.txt não tem o bloco [coletas]: as comunidades tomam cada coleta como uma amostra.\n");
    // Many surveys: one "NOME-diversidade" output each, as a single run writes it.
    ASSERT_EQ(run("--diversidade --csv --saida saida dez.txt mata.txt").exitCode, 0);
    EXPECT_EQ(zav::readFileBytes(dir_ / "saida" / "mata-diversidade.csv"), run("--diversidade --csv mata.txt").out);
    // And in the language asked for.
    ASSERT_EQ(run("--idioma es --saida es dez.txt").exitCode, 0);
    EXPECT_EQ(zav::readFileBytes(dir_ / "es" / "dez-relatorio.txt").substr(0, 21), "AN\xC1LISIS FAUN\xCDSTICO\r\n");
}

// The diversity JSON to the last digit, the same golden bytes for the
// native tool and for the WebAssembly one under node (the page printed
// 3.094724206756114 where the desktop printed 3.0947242067561134 before the
// run computed with functions of its own): a survey of BCI's size (225
// species, n = 21457), a skewed one of 294 species and one of 47 (the last two
// differed in the last digits with the libraries' exp and log).
TEST_F(Cli, DiversityJsonIsTheSameBytesInEveryBuild) {
    const fs::path golden = ZAV_DIVERSITY_GOLDEN_DIR;
    for (const char* name : {"bci-tamanho", "assimetrico", "pequeno"}) {
        write("dados.txt", zav::readFileBytes(golden / (std::string(name) + ".txt")));
        const auto r = run("--diversidade --json dados.txt");
        ASSERT_EQ(r.exitCode, 0) << r.err;
        // Without the path and the time of the run.
        std::string json = withoutDateLine(r.out);
        const auto path = json.find("\"arquivo\": ");
        ASSERT_NE(path, std::string::npos);
        json.erase(path, json.find('\n', path) - path);
        const auto goldenPath = golden / (std::string(name) + ".json");
        if (std::getenv("ZAV_UPDATE_GOLDEN") && nativeTool()) std::ofstream(goldenPath, std::ios::binary) << json;
        EXPECT_EQ(json, zav::readFileBytes(goldenPath)) << name;
    }
}

TEST_F(Cli, ManySurveysInOneCallEachFailureNamedTheRestWritten) {
    write("dez.txt", zav::readFileBytes(fs::path(ZAV_GOLDEN_DIR) / "dez-especies.txt"));
    write("duas.txt", zav::readFileBytes(fs::path(ZAV_GOLDEN_DIR) / "duas-especies.txt"));
    write("ruim.txt", "2 10\r\n5 x\r\n");
    const struct {
        const char* format;
        const char* suffix;
    } formats[] = {{"", "-relatorio.txt"}, {"--json ", ".json"}, {"--csv ", ".csv"}};
    for (const auto& f : formats) {
        const auto r = run(std::string(f.format) + "--saida saida dez.txt ruim.txt duas.txt");
        EXPECT_EQ(r.exitCode, 1) << f.format;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "ruim.txt: Error: Verifique o arquivo de dados!\nLinha 2: \"x\" não é um número inteiro\n");
        for (const char* name : {"dez", "duas"}) {
            const auto single = run(std::string(f.format) + name + ".txt");
            EXPECT_EQ(withoutDateLine(zav::readFileBytes(dir_ / "saida" / (name + std::string(f.suffix)))),
                      withoutDateLine(single.out))
                << name << f.suffix;
        }
    }
    // Only the outputs: no file half written, none for the bad survey.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "saida"), fs::directory_iterator()), 6);
    EXPECT_EQ(run("--saida saida dez.txt duas.txt").exitCode, 0);
}

// Two surveys of the same name in different folders would write the same
// output: the second is refused by name. A write that the file-size limit
// stops names the reason and leaves no temporary behind.
TEST_F(Cli, BatchOutputsOfTheSameNameAndFailedWrites) {
    const auto survey = zav::readFileBytes(fs::path(ZAV_GOLDEN_DIR) / "dez-especies.txt");
    fs::create_directories(dir_ / "a");
    fs::create_directories(dir_ / "b");
    write("a/mata.txt", survey);
    write("b/mata.txt", survey);
    const auto twice = run("--json --saida saida a/mata.txt b/mata.txt");
    EXPECT_EQ(twice.exitCode, 1);
    EXPECT_EQ(twice.err.rfind("b/mata.txt: Erro: outro arquivo da lista já deu o nome mata.json", 0), 0u) << twice.err;
    EXPECT_TRUE(fs::exists(dir_ / "saida" / "mata.json"));

    const auto limited = run("--saida cheia a/mata.txt", {}, ">", "ulimit -f 2;");
    EXPECT_EQ(limited.exitCode, 1);
    EXPECT_NE(limited.err.find("Arquivo muito grande"), std::string::npos) << limited.err;
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "cheia"), fs::directory_iterator()), 0);
}

TEST_F(Cli, ImportWritesTheDataFileOfASpreadsheet) {
    write("planilha.csv", "\xEF\xBB\xBF"
                          "Esp\xC3\xA9"
                          "cie;Indiv\xC3\xAD"
                          "duos;Coletas\r\nApis;12;3\r\nBombus;4;1\r\n");
    const auto r = run("--importar planilha.csv --coletas 10");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "2      10\r\n12     3\r\n4      1\r\n[nomes]\r\nApis\r\nBombus\r\n");

    write("ruim.csv", "2;1\n3;x\n");
    const auto bad = run("--importar ruim.csv --coletas 10");
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_EQ(bad.err, "Erro: planilha, linha 2, coluna \"coletas\": \"x\" não é um número inteiro\n");
    // --coletas gives the survey's total: no species is caught in more.
    const auto more = run("--importar planilha.csv --coletas 2");
    EXPECT_EQ(more.exitCode, 1);
    EXPECT_EQ(more.err, "Erro: planilha, linha 2: 3 coletas num levantamento de 2 coletas; uma espécie não é coletada "
                        "em mais coletas do que o levantamento tem\n");
    const auto zero = run("--importar planilha.csv --coletas 0");
    EXPECT_EQ(zero.exitCode, 2);
    EXPECT_EQ(zero.err, "Erro: --coletas espera o total de coletas, um número inteiro maior que 0\n");
}

// Names from a sheet into the data file's block, and out again in the
// CSV; a species by collection sheet; the table as .xlsx read back (not in
// the browser build, which has no workbooks).
TEST_F(Cli, NamesTravelFromTheSheetToTheDataFileAndTheTables) {
    write("campo.csv", "Esp\xC3\xA9"
                       "cie;d1;d2;d3\nApis mellifera;2;0;1\nBombus;;1;\n");
    const auto data = run("--importar campo.csv --por-coleta -o campo.txt");
    ASSERT_EQ(data.exitCode, 0) << data.err;
    EXPECT_EQ(zav::readFileBytes(dir_ / "campo.txt"),
              "2      3\r\n3      2\r\n1      1\r\n[nomes]\r\nApis mellifera\r\nBombus\r\n[coletas]\r\n- 2 0\r\n- 0 "
              "1\r\n- 1 0\r\n");
    const auto csv = run("--csv campo.txt");
    EXPECT_EQ(csv.out.substr(csv.out.find('\n') + 1, 16), "1,Apis mellifera");
    if (std::getenv("ZAV_CLI_COMMAND")) {
        EXPECT_EQ(run("--xlsx campo.txt").err, "Erro: esta versão não lê nem grava planilhas XLSX ou ODS\n");
        return;
    }
    ASSERT_EQ(run("--xlsx campo.txt", dir_ / "t.xlsx").exitCode, 0);
    const auto back = run("--importar t.xlsx --coletas 3");
    ASSERT_EQ(back.exitCode, 0) << back.err;
    EXPECT_EQ(back.out, "2      3\r\n3      2\r\n1      1\r\n[nomes]\r\nApis mellifera\r\nBombus\r\n");
    ASSERT_EQ(run("--xlsx --saida saida campo.txt").exitCode, 0);
    EXPECT_EQ(zav::readFileBytes(dir_ / "saida" / "campo.xlsx").substr(0, 4), "PK\x03\x04");
}

// "aaaa-mm-dd c1 c2 ..." per collection, then "clima v1 v2 ..." per
// collection ("-" for a gap), as the data file's blocks read back.
std::vector<std::string> blocksOf(const std::string& dataFile) {
    const auto blocks = zav::parseCollectionBlocks(dataFile);
    std::vector<std::string> out;
    for (const auto& collection : blocks.collections) {
        std::string line = collection.date ? zav::formatDate(*collection.date) : "-";
        for (const auto count : collection.counts)
            line += " " + std::to_string(count);
        out.push_back(line);
    }
    if (!blocks.weather) return out;
    std::string names = "variaveis";
    for (const auto& name : blocks.weather->variables)
        names += " " + name;
    out.push_back(names);
    for (const auto& row : blocks.weather->values) {
        std::string line = "clima";
        for (const auto& value : row) {
            char text[32];
            std::snprintf(text, sizeof text, " %g", value.value_or(0.0));
            line += value ? text : " -";
        }
        out.push_back(line);
    }
    return out;
}

// The collections reach the data file whole: a species by collection sheet
// dated in its header, with its weather; the records of a field database.
TEST_F(Cli, TheImportWritesTheCollectionsAndTheirWeather) {
    write("campo.csv", "Espécie;15/01/2023;2023-02-15;15/03/2023\nApis;2;0;1\nBombus;;4;0\n");
    write("clima.csv", "Data;Temp média;Chuva\n15/03/2023;21,5;-\n15/01/2023;24,25;120\n15/02/2023;23;98,5\n");
    const auto r = run("--importar campo.csv --por-coleta --clima clima.csv -o campo.txt");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto data = zav::readFileBytes(dir_ / "campo.txt");
    EXPECT_EQ(data.substr(0, data.find("[coletas]")),
              "2      3\r\n3      2\r\n4      1\r\n[nomes]\r\nApis\r\nBombus\r\n");
    EXPECT_EQ(blocksOf(data), (std::vector<std::string>{"2023-01-15 2 0", "2023-02-15 0 4", "2023-03-15 1 0",
                                                        "variaveis Temp_média Chuva", "clima 24.25 120",
                                                        "clima 23 98.5", "clima 21.5 -"}));
    // The file reads as a survey.
    EXPECT_EQ(run("--csv campo.txt").exitCode, 0);

    write("registros.csv", "data,especie,n\n2023-02-15,Bombus,4\n2023-01-15,Apis,2\n2023-01-15,Apis,1\n");
    const auto records = run("--importar registros.csv --registros");
    ASSERT_EQ(records.exitCode, 0) << records.err;
    EXPECT_EQ(records.out.substr(0, records.out.find("[coletas]")),
              "2      2\r\n4      1\r\n3      1\r\n[nomes]\r\nBombus\r\nApis\r\n");
    EXPECT_EQ(blocksOf(records.out), (std::vector<std::string>{"2023-01-15 0 3", "2023-02-15 4 0"}));

    write("clima.csv", "Data;Chuva\n15/01/2023;1\n15/02/2023;x\n");
    const auto bad = run("--importar campo.csv --por-coleta --clima clima.csv -o campo2.txt");
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_EQ(bad.err, "Erro: planilha clima, linha 3, coluna \"Chuva\": \"x\" não é um número\n");
    EXPECT_FALSE(fs::exists(dir_ / "campo2.txt"));
}

#ifdef ZAV_TEST_WORKBOOKS
// Workbooks made to crash a reader or to take its memory: a nesting 50,000
// deep, a 64 KiB cell repeated, a row repeated 2^63 - 1 times, a part of
// 40 MiB. Each is read within 16 MB of data, refused or imported.
TEST_F(Cli, NoWorkbookCrashesOrTakesTheMemory) {
    const auto ods = [&](const std::string& name, const std::string& rows) {
        EXPECT_TRUE(zav::test::writeZip(
            dir_ / name, zav::test::odsParts("<table:table table:name=\"A\">" + rows + "</table:table>")));
    };
    std::string nested;
    for (int i = 0; i < 50000; ++i)
        nested += "<text:span>";
    nested += "x";
    for (int i = 0; i < 50000; ++i)
        nested += "</text:span>";
    ods("aninhada.ods", "<table:table-row><table:table-cell><text:p>1</text:p></table:table-cell><table:table-cell>"
                        "<text:p>" +
                            nested + "</text:p></table:table-cell></table:table-row>");
    ods("larga.ods", "<table:table-row><table:table-cell table:number-columns-repeated=\"16384\"><text:p>" +
                         std::string(64 * 1024, 'x') + "</text:p></table:table-cell></table:table-row>");
    ods("repetida.ods", "<table:table-row table:number-rows-repeated=\"9223372036854775807\"><table:table-cell "
                        "office:value-type=\"float\" office:value=\"1\" table:number-columns-repeated=\"2\"/>"
                        "</table:table-row>");
    std::string strings = "<sst>";
    int items = 0;
    for (; strings.size() < (40u << 20); ++items)
        strings += "<si><t>Apis mellifera mellifera</t></si>";
    strings += "</sst>";
    const auto row = [](int r, int s) {
        const auto n = std::to_string(r);
        return "<row r=\"" + n + "\"><c r=\"A" + n + "\" t=\"s\"><v>" + std::to_string(s) + "</v></c><c r=\"B" + n +
               "\"><v>2</v></c><c r=\"C" + n + "\"><v>1</v></c></row>";
    };
    EXPECT_TRUE(
        zav::test::writeZip(dir_ / "textos.xlsx", zav::test::xlsxParts({{"A", row(1, 0) + row(2, items - 1), ""}},
                                                                       {{"xl/sharedStrings.xml", strings}})));
    const struct {
        const char* args;
        int exitCode;
        std::string out, err;
    } cases[] = {
        {"--importar aninhada.ods --coletas 5", 1, "",
         "Erro: planilha, linha 1, coluna \"coletas\": \"x\" não é um número inteiro\n"},
        {"--importar larga.ods --coletas 5", 1, "", "Erro: planilha, linha 1: a linha passa de 65536 caracteres\n"},
        {"--importar repetida.ods --coletas 5", 1, "", "Erro: planilha, linha 901: mais de 900 espécies\n"},
        {"--importar textos.xlsx --coletas 5", 0,
         "2      5\r\n2      1\r\n2      1\r\n[nomes]\r\nApis mellifera mellifera\r\nApis mellifera mellifera\r\n", ""},
    };
    for (const auto& c : cases) {
        if (!nativeTool()) break;
        const auto r = run(c.args, {}, ">", "ulimit -d 16384;");
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args;
        EXPECT_EQ(r.out, c.out) << c.args;
        EXPECT_EQ(r.err, c.err) << c.args;
    }
}

// A workbook whose header holds real date cells (Excel's serial numbers in
// a date format), its weather on a sheet "Clima" beside it, dated the same
// way and out of order; an ODS date cell reads as the same day.
TEST_F(Cli, AWorkbooksDateCellsAndClimaSheetReachTheDataFile) {
    if (!nativeTool()) return;
    using zav::test::textCell;
    const auto date = [](const std::string& ref, int serial) {
        return "<c r=\"" + ref + "\" s=\"1\"><v>" + std::to_string(serial) + "</v></c>";
    };
    const auto number = [](const std::string& ref, const std::string& value) {
        return "<c r=\"" + ref + "\"><v>" + value + "</v></c>";
    };
    // 44941 is 2023-01-15, 44972 2023-02-15, 45000 2023-03-15.
    const std::string survey = "<row r=\"1\">" + textCell("A1", "Espécie") + date("B1", 44941) + date("C1", 44972) +
                               date("D1", 45000) + "</row><row r=\"2\">" + textCell("A2", "Apis") + number("B2", "2") +
                               number("C2", "0") + number("D2", "1") + "</row><row r=\"3\">" +
                               textCell("A3", "Bombus") + number("B3", "0") + number("C3", "4") + number("D3", "0") +
                               "</row>";
    const std::string weather = "<row r=\"1\">" + textCell("A1", "data") + textCell("B1", "chuva") +
                                "</row><row r=\"2\">" + date("A2", 45000) + number("B2", "12.5") +
                                "</row><row r=\"3\">" + date("A3", 44941) + number("B3", "0") + "</row><row r=\"4\">" +
                                date("A4", 44972) + "</row>";
    const zav::test::Parts styles{{"xl/styles.xml", "<styleSheet><cellXfs><xf numFmtId=\"0\"/><xf numFmtId=\"14\"/>"
                                                    "</cellXfs></styleSheet>"}};
    ASSERT_TRUE(zav::test::writeZip(dir_ / "campo.xlsx",
                                    zav::test::xlsxParts({{"Mata", survey, ""}, {"Clima", weather, ""}}, styles)));
    const auto r = run("--importar campo.xlsx --por-coleta");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "Clima lido da planilha \"Clima\": 1 variável\n");
    EXPECT_EQ(blocksOf(r.out), (std::vector<std::string>{"2023-01-15 2 0", "2023-02-15 0 4", "2023-03-15 1 0",
                                                         "variaveis chuva", "clima 0", "clima -", "clima 12.5"}));
    ASSERT_TRUE(zav::test::writeZip(
        dir_ / "campo.ods",
        zav::test::odsParts("<table:table table:name=\"A\"><table:table-row><table:table-cell><text:p>Espécie</text:p>"
                            "</table:table-cell><table:table-cell office:value-type=\"date\" "
                            "office:date-value=\"2023-01-15\"><text:p>15/01/23</text:p></table:table-cell>"
                            "<table:table-cell office:value-type=\"date\" office:date-value=\"2023-02-15T00:00:00\">"
                            "<text:p>15/02/23</text:p></table:table-cell></table:table-row><table:table-row>"
                            "<table:table-cell><text:p>Apis</text:p></table:table-cell><table:table-cell "
                            "office:value-type=\"float\" office:value=\"3\"/><table:table-cell "
                            "office:value-type=\"float\" office:value=\"1\"/></table:table-row></table:table>")));
    const auto ods = run("--importar campo.ods --por-coleta");
    ASSERT_EQ(ods.exitCode, 0) << ods.err;
    EXPECT_EQ(blocksOf(ods.out), (std::vector<std::string>{"2023-01-15 3", "2023-02-15 1"}));
}
#endif

TEST_F(Cli, BlankRowsAtTheEndOfAHugeSpreadsheetCostNothing) {
    write("brancos-no-fim.csv", "2;1\n4;3\n" + std::string(20 * 1024 * 1024, '\n'));
    const auto r = run("--importar brancos-no-fim.csv --coletas 5", {}, ">", "ulimit -d 16384;");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "2      5\r\n2      1\r\n4      3\r\n");
}

// No output ever takes the place of one of the run's inputs: the batch goes
// on with the others, the import refuses before reading.
TEST_F(Cli, AnOutputNeverReplacesAnInput) {
    const std::string survey = zav::readFileBytes(fs::path(ZAV_GOLDEN_DIR) / "dez-especies.txt");
    const std::string sheet = "especie;individuos;coletas\nA;10;2\nB;5;1\n";
    fs::create_directories(dir_ / "d");
    fs::create_directories(dir_ / "out");
    for (const char* f : {"campo.csv", "d/a.json", "out/mata.txt", "out/mata-relatorio.txt"})
        write(f, survey);
    write("s.csv", sheet);
    const auto replaces = [&](const char* file, const fs::path& output) {
        return std::string(file) + (file[0] ? ": " : "") +
               "Erro: a saída substituiria um arquivo de entrada: " + (dir_ / output).string() + "\n";
    };
    struct Case {
        std::string args;
        std::string message;
        const char* redirect;
    };
    const Case cases[] = {
        {"--csv --saida . campo.csv", replaces("campo.csv", "campo.csv"), ">"},
        {"--json --saida d d/a.json", replaces("d/a.json", "d/a.json"), ">"},
        {"--saida out out/mata.txt out/mata-relatorio.txt", replaces("out/mata.txt", "out/mata-relatorio.txt"), ">"},
        {"--importar s.csv --coletas 5 -o s.csv", replaces("", "s.csv"), ">"},
        {"--importar s.csv --coletas 5 --saida ./s.csv", replaces("", "s.csv"), ">"},
        {"--importar s.csv --coletas 5", replaces("", "s.csv"), ">>"},
        {"campo.csv", replaces("", "campo.csv"), ">>"},
    };
    for (const auto& c : cases) {
        const bool toInput = std::string(c.redirect) == ">>";
        // Under node the standard output is a stream of node's own: the
        // check of what it is open on is the native program's.
        if (toInput && !nativeTool()) continue;
        const fs::path input = c.args.find("s.csv") != std::string::npos ? dir_ / "s.csv" : dir_ / "campo.csv";
        const auto r = run(c.args, toInput ? input : fs::path(), c.redirect);
        EXPECT_EQ(r.exitCode, 1) << c.args;
        EXPECT_EQ(r.err, c.message) << c.args;
    }
    for (const char* f : {"campo.csv", "d/a.json", "out/mata.txt", "out/mata-relatorio.txt"})
        EXPECT_EQ(zav::readFileBytes(dir_ / f), survey) << f;
    EXPECT_EQ(zav::readFileBytes(dir_ / "s.csv"), sheet);
    // "> dados.txt" empties the survey before the program starts: it says so.
    if (nativeTool()) {
        write("dados.txt", survey);
        const auto emptied = run("--json dados.txt", dir_ / "dados.txt", ">");
        EXPECT_EQ(emptied.exitCode, 1);
        EXPECT_EQ(emptied.err,
                  "Erro: a saída (>) é o próprio arquivo de entrada, e o shell o esvaziou ao abri-la, antes "
                  "de o programa começar: " +
                      (dir_ / "dados.txt").string() +
                      " tem agora 0 bytes; recupere-o (de uma cópia) e dê outro nome à saída\n");
    }
    // The other outputs of the batch are written.
    EXPECT_TRUE(fs::exists(dir_ / "out/mata-relatorio-relatorio.txt"));
    // The import's own output, written whole.
    for (const char* option : {"-o", "--saida"}) {
        const auto r = run(std::string("--importar s.csv --coletas 5 ") + option + " dados.txt");
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(zav::readFileBytes(dir_ / "dados.txt"), "2      5\r\n10     2\r\n5      1\r\n[nomes]\r\nA\r\nB\r\n");
        fs::remove(dir_ / "dados.txt");
    }
}

// A lab's sheet often ends with its totals: that row is no species.
TEST_F(Cli, ImportLeavesOutARowOfTotals) {
    std::string nine = "especie;individuos;coletas\n";
    for (int i = 0; i < 900; ++i)
        nine += "x;1;1\n";
    struct Case {
        std::string sheet;
        int exitCode;
        std::string out;
        std::string err;
    };
    const std::string two = "2      5\r\n10     2\r\n5      1\r\n";
    const Case cases[] = {
        {"especie;individuos;coletas\nA;10;2\nB;5;1\nTotal;15;3\n\n", 0, two, "Linha 4 ignorada: linha de totais\n"},
        {"10;2\n5;1\n15;3\n", 0, two, "Linha 3 ignorada: linha de totais\n"},
        {"A;10;2\nB;5;1\n\"T\xC3\x93TAIS\";15;3\n", 0, two, "Linha 3 ignorada: linha de totais\n"},
        {"A;10;2\nsoma;10;2\n", 0, "1      5\r\n10     2\r\n", "Linha 2 ignorada: linha de totais\n"},
        {"A;10;2\nB;5;1\nTotal;15;\n", 0, two, "Linha 3 ignorada: linha de totais\n"},
        {"A;10;2\nB;10;2\n", 0, "2      5\r\n10     2\r\n10     2\r\n", ""},
        {"A;0;0\nB;0;0\nC;0;0\n", 0, "3      5\r\n0      0\r\n0      0\r\n0      0\r\n", ""},
        {"especie;individuos;coletas\nA;10;2\nB;5;1\nTotal;15;4\n", 1, "",
         "Erro: planilha, linha 4: parece uma linha de totais, mas os números não são as somas das linhas acima\n"},
        {nine + "Total;900;900\n", 0, "900    5\r\n1      1\r\n", "Linha 902 ignorada: linha de totais\n"},
        {nine + "y;3;1\n", 1, "", "Erro: planilha, linha 902: mais de 900 espécies\n"},
    };
    for (const auto& c : cases) {
        write("planilha.csv", c.sheet);
        const auto r = run("--importar planilha.csv --coletas 5");
        EXPECT_EQ(r.exitCode, c.exitCode) << c.sheet.substr(0, 60);
        EXPECT_EQ(r.out.substr(0, c.out.size()), c.out) << c.sheet.substr(0, 60);
        EXPECT_EQ(r.err, c.err) << c.sheet.substr(0, 60);
    }
    // A species by collection sheet's column of totals is no collection.
    write("planilha.csv", "Espécie;c1;c2;Total\nA;1;2;3\nB;4;0;4\nTotal;5;2;7\n");
    const auto r = run("--importar planilha.csv --por-coleta");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "2      2\r\n3      2\r\n4      1\r\n[nomes]\r\nA\r\nB\r\n[coletas]\r\n- 1 4\r\n- 2 0\r\n");
    EXPECT_EQ(r.err, "Linha 4 ignorada: linha de totais; coluna 4 ignorada: coluna de totais\n");
}

// Batch outputs replace a link rather than write through it, keep the mode
// of the file they replace, refuse a read-only one with the system's reason,
// and clear the temporaries a killed run left (not one still being written).
TEST_F(Cli, BatchWritesReplaceLinksKeepModesAndLeaveNoLitter) {
    write("dez.txt", zav::readFileBytes(fs::path(ZAV_GOLDEN_DIR) / "dez-especies.txt"));
    fs::create_directories(dir_ / "saida");
    write("alvo.txt", "alvo");
    fs::create_symlink(dir_ / "alvo.txt", dir_ / "saida/dez.json");
    fs::permissions(write("saida/dez.csv", "velho"), fs::perms::owner_read | fs::perms::group_read);
    fs::permissions(write("saida/dez-relatorio.txt", "velho"), fs::perms::owner_read | fs::perms::owner_write);
    write("saida/.dez.json.zaviro-tmp.AbCdEf", std::string(64 * 1024, '{'));
    const int busy = ::open(write("saida/.outro.csv.zaviro-tmp.QwErTy", "").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(busy, LOCK_EX), 0);
    struct Case {
        const char* args;
        int exitCode;
        std::string err;
    };
    const Case cases[] = {
        {"--json --saida saida dez.txt", 0, ""},
        {"--csv --saida saida dez.txt", 1,
         "dez.txt: Erro: não foi possível gravar o arquivo: saida/dez.csv: Permissão negada\n"},
        {"--saida saida dez.txt", 0, ""},
    };
    for (const auto& c : cases) {
        const auto r = run(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args;
        EXPECT_EQ(r.err, c.err) << c.args;
    }
    EXPECT_EQ(zav::readFileBytes(dir_ / "alvo.txt"), "alvo");
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir_ / "saida/dez.json")));
    EXPECT_EQ(zav::readFileBytes(dir_ / "saida/dez.csv"), "velho");
    EXPECT_EQ(fs::status(dir_ / "saida/dez-relatorio.txt").permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_NE(zav::readFileBytes(dir_ / "saida/dez-relatorio.txt"), "velho");
    EXPECT_FALSE(fs::exists(dir_ / "saida/.dez.json.zaviro-tmp.AbCdEf"));
    // A temporary another run still writes is kept (file locks are the
    // native program's).
    if (nativeTool()) {
        EXPECT_TRUE(fs::exists(dir_ / "saida/.outro.csv.zaviro-tmp.QwErTy"));
    }
    ::close(busy);
}

// A folder link another user planted in a shared sticky folder is not
// followed, whatever the kernel's protected_symlinks says; a temporary a
// killed run left is removed by the next write into its folder, whichever.
TEST_F(Cli, OutputFoldersAreNotReachedThroughForeignLinksAndLeftNoLitter) {
    if (::geteuid() != 0) GTEST_SKIP() << "giving a link to another user needs root";
    write("dez.txt", zav::readFileBytes(fs::path(ZAV_GOLDEN_DIR) / "dez-especies.txt"));
    fs::create_directories(dir_ / "vitima");
    fs::create_directories(dir_ / "tmp");
    fs::permissions(dir_ / "tmp", fs::perms::all | fs::perms::sticky_bit);
    fs::create_directory_symlink(dir_ / "vitima", dir_ / "tmp/saida");
    ASSERT_EQ(::lchown((dir_ / "tmp/saida").c_str(), ::geteuid() + 1, ::getegid()), 0);
    const auto r = run("--json --saida tmp/saida dez.txt");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "dez.txt: Erro: não foi possível gravar o arquivo: tmp/saida/dez.json: o link simbólico pertence "
                     "a outro usuário, numa pasta compartilhada; escolha outro nome\n");
    EXPECT_TRUE(fs::is_empty(dir_ / "vitima"));

    write("s.csv", "especie;individuos;coletas\nA;10;2\nB;5;1\n");
    write("vitima/.dados.txt.zaviro-tmp.AbCdEf", "meio");
    ASSERT_EQ(run("--importar s.csv --coletas 5 -o vitima/dados.txt").exitCode, 0);
    EXPECT_FALSE(fs::exists(dir_ / "vitima/.dados.txt.zaviro-tmp.AbCdEf"));
}

// SIGINT or SIGTERM in the middle of a batch: the run ends by the signal,
// and the folder holds whole outputs only. Each signal is sent the moment a
// temporary appears.
TEST_F(Cli, AnInterruptedBatchLeavesOnlyWholeOutputs) {
    const std::string survey = surveyOf900Species();
    std::vector<std::string> args = {ZAV_CLI, "--json", "--saida", "saida"};
    for (int i = 0; i < 200; ++i)
        args.push_back(write("l" + std::to_string(i) + ".txt", survey).filename().string());
    for (const int signal : {SIGINT, SIGTERM, SIGINT, SIGTERM}) {
        fs::remove_all(dir_ / "saida");
        fs::create_directories(dir_ / "saida");
        const int watch = ::inotify_init1(IN_CLOEXEC);
        ASSERT_GE(::inotify_add_watch(watch, (dir_ / "saida").c_str(), IN_CREATE), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            std::vector<char*> argv;
            for (auto& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            if (::chdir(dir_.c_str()) == 0) ::execv(ZAV_CLI, argv.data());
            ::_exit(127);
        }
        // The first temporary after the tenth output, or at most 20 s.
        int created = 0;
        pollfd event{watch, POLLIN, 0};
        while (created < 20 && ::poll(&event, 1, 20000) == 1) {
            alignas(inotify_event) char buffer[4096];
            const auto got = ::read(watch, buffer, sizeof buffer);
            for (ssize_t at = 0; at < got;) {
                const auto* e = reinterpret_cast<const inotify_event*>(buffer + at);
                created += e->len > 0 && e->name[0] == '.';
                at += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
            }
        }
        ::kill(child, signal);
        int status = 0;
        ::waitpid(child, &status, 0);
        ::close(watch);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
        int outputs = 0;
        for (const auto& entry : fs::directory_iterator(dir_ / "saida")) {
            const std::string name = entry.path().filename().string();
            EXPECT_TRUE(name.front() != '.' && entry.path().extension() == ".json") << name;
            EXPECT_EQ(zav::readFileBytes(entry.path()).back(), '\n') << name;
            ++outputs;
        }
        EXPECT_GE(outputs, 10);
    }
}

// A link flipped between a survey and a FIFO while the program opens it, in
// a loop for a second: every run ends (a report or a refusal), none waits.
TEST_F(Cli, OpeningNeverWaitsWhateverRacesWithIt) {
    if (!nativeTool()) GTEST_SKIP() << "node opens a FIFO with a blocking call";
    write("dados.txt", zav::readFileBytes(fs::path(ZAV_GOLDEN_DIR) / "dez-especies.txt"));
    ASSERT_EQ(::mkfifo((dir_ / "fifo").c_str(), 0600), 0);
    fs::create_symlink("dados.txt", dir_ / "link.txt");
    std::atomic<bool> stop = false;
    std::thread flipper([&] {
        for (bool fifo = true; !stop; fifo = !fifo) {
            fs::create_symlink(fifo ? "fifo" : "dados.txt", dir_ / "novo");
            fs::rename(dir_ / "novo", dir_ / "link.txt");
        }
    });
    int runs = 0;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    while (std::chrono::steady_clock::now() < end) {
        const auto r = run("link.txt", {}, ">", "timeout 10 ");
        ASSERT_TRUE(r.exitCode == 0 || r.exitCode == 1) << r.exitCode << " " << r.err; // 124: it waited
        ++runs;
    }
    stop = true;
    flipper.join();
    EXPECT_GT(runs, 0);
}

// A relative name opens in a folder whose absolute name is longer than the
// system takes (PATH_MAX); the absolute name is only shown.
TEST_F(Cli, ARelativeNameOpensInAFolderLongerThanPathMax) {
    write("dados.txt", zav::readFileBytes(fs::path(ZAV_GOLDEN_DIR) / "dez-especies.txt"));
    const std::string part(200, 'p');
    std::string deep = "cd '" + dir_.string() + "' && ";
    for (int i = 0; i < 22; ++i)
        deep += "mkdir " + part + " && cd " + part + " && ";
    const std::string cli = ZAV_CLI;
    const std::string cmd = deep + "cp '" + (dir_ / "dados.txt").string() + "' . && '" + cli + "' dados.txt >'" +
                            (dir_ / "stdout").string() + "' && '" + cli +
                            "' --json --saida s dados.txt && test -s s/dados.json";
    // bash, whose cd goes on by relative steps where dash's stops.
    std::ofstream(dir_ / "fundo.sh") << cmd << "\n";
    const int status = std::system(("bash '" + (dir_ / "fundo.sh").string() + "'").c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    const std::string out = zav::readFileBytes(dir_ / "stdout");
    const auto arquivo = out.find("Arquivo: ");
    ASSERT_NE(arquivo, std::string::npos);
    EXPECT_GT(out.find("\r\n", arquivo) - arquivo, std::size_t{4096});
    std::system(("cd '" + dir_.string() + "' && rm -rf " + part).c_str());
}

// What a file or its name holds reaches the terminal harmless: control bytes
// as "?", a NUL as "\0"; memory that runs out is named as such.
TEST_F(Cli, MessagesShowControlBytesHarmlessly) {
    write("esc.txt", "2 10\r\n5 a\x1b[31mb\r\n1 1\r\n");
    write("nul.txt", std::string("2 10\r\n5 1\0x\r\n1 1\r\n", 19));
    write("esc.csv", "1;y\x1b[2J\x07z\n");
    auto load = [](const std::string& where) { return "Error: Verifique o arquivo de dados!\n" + where + "\n"; };
    struct Case {
        std::string args;
        std::string message;
    };
    const Case cases[] = {
        {"esc.txt", load("Linha 2: \"a?[31mb\" não é um número inteiro")},
        {"nul.txt", load("Linha 2: \"1\\0x\" não é um número inteiro")},
        {"'nada\x1b[31m\xC2\x9B.txt'",
         "Erro: não foi possível abrir o arquivo: " + (dir_ / "nada?[31m?.txt").string() + "\n"},
        {"--importar esc.csv --coletas 5",
         "Erro: planilha, linha 1, coluna \"coletas\": \"y?[2J?z\" não é um número inteiro\n"},
        {"--saida s 'x\x1b[1m.txt'",
         "x?[1m.txt: Erro: não foi possível abrir o arquivo: " + (dir_ / "x?[1m.txt").string() + "\n"},
    };
    for (const auto& c : cases) {
        const auto r = run(c.args);
        EXPECT_EQ(r.exitCode, 1) << c.args;
        EXPECT_EQ(r.err, c.message) << c.args;
    }
    // Some data-size limit lets the program start but not finish a report
    // of 900 species.
    if (!memoryLimitsApply()) GTEST_SKIP() << "the memory limits are the native program's, without the sanitizer";
    const std::string survey = surveyOf900Species();
    write("grande.txt", survey);
    int outOfMemory = 0;
    for (int kib = 300; kib <= 1200; kib += 100) {
        const auto r = run("--json grande.txt", {}, ">", "ulimit -d " + std::to_string(kib) + ";");
        EXPECT_EQ(r.err.find("bad_alloc"), std::string::npos) << r.err;
        outOfMemory += r.exitCode == 1 && r.err == "Erro: memória insuficiente\n";
    }
    EXPECT_GT(outOfMemory, 0);
}

// --help and the usage errors in the locale's language; the reports stay as
// --idioma says (Portuguese without it).
TEST_F(Cli, HelpFollowsTheLocale) {
    if (!nativeTool()) GTEST_SKIP() << "the page's build has no locale of its own";
    const struct {
        const char* locale;
        const char* help;
        const char* error;
    } cases[] = {
        {"LC_ALL= LC_MESSAGES= LANG=en_US.UTF-8 ", "Usage: zaviro-relatorio ",
         "Error: --idioma expects pt, en or es\n"},
        {"LC_ALL= LC_MESSAGES=es_MX.UTF-8 LANG=en_US.UTF-8 ", "Uso: zaviro-relatorio [--json | --csv | --xlsx] ARCHIVO",
         "Error: --idioma espera pt, en o es\n"},
        {"LC_ALL=C LANG=en_US.UTF-8 ", "Uso: zaviro-relatorio [--json | --csv | --xlsx] ARQUIVO",
         "Erro: --idioma espera pt, en ou es\n"},
    };
    const auto data = write("dados.txt", zav::readFileBytes(fs::path(ZAV_GOLDEN_DIR) / "dez-especies.txt"));
    for (const auto& c : cases) {
        const auto help = run("--help", {}, ">", c.locale);
        EXPECT_EQ(help.exitCode, 0);
        EXPECT_EQ(help.out.rfind(c.help, 0), 0u) << c.locale << help.out.substr(0, 80);
        const auto wrong = run("--idioma xx dados.txt", {}, ">", c.locale);
        EXPECT_EQ(wrong.exitCode, 2);
        EXPECT_EQ(wrong.err, c.error);
        const auto report = run("'" + data.string() + "'", {}, ">", c.locale);
        EXPECT_NE(report.out.find("Esp\xe9"
                                  "cie"),
                  std::string::npos)
            << c.locale;
    }
}

// The core's errors and warnings on standard error follow the locale too;
// the report does not.
TEST_F(Cli, ErrorsAndWarningsFollowTheLocale) {
    if (!nativeTool()) GTEST_SKIP() << "the page's build has no locale of its own";
    write("letras.txt", "2 5\r\n10 3\r\nabc 2\r\n");
    write("impossivel.txt", "3 10\r\n5 2\r\n4 0\r\n6 3\r\n");
    const auto missing = (dir_ / "nada.txt").string();
    const struct {
        const char* locale;
        std::string error, warning, cannotOpen;
    } cases[] = {
        {"LC_ALL= LC_MESSAGES= LANG=en_US.UTF-8 ",
         "Error: Check the data file!\nLine 3: \"abc\" is not a whole number\n",
         "Warning: line 3: 4 individuals in 0 collections; a species with individuals was collected in at least one "
         "collection\n",
         "Error: could not open the file: " + missing + "\n"},
        {"LC_ALL=es_ES.UTF-8 LANG=en_US.UTF-8 ",
         "Error: ¡Verifique el archivo de datos!\nLínea 3: \"abc\" no es un número entero\n",
         "Aviso: línea 3: 4 individuos en 0 colectas; una especie con individuos fue colectada en al menos una "
         "colecta\n",
         "Error: no se pudo abrir el archivo: " + missing + "\n"},
        {"LC_ALL=C LANG=en_US.UTF-8 ",
         "Error: Verifique o arquivo de dados!\nLinha 3: \"abc\" não é um número inteiro\n",
         "Aviso: linha 3: 4 indivíduos em 0 coletas; uma espécie com indivíduos foi coletada em ao menos uma coleta\n",
         "Erro: não foi possível abrir o arquivo: " + missing + "\n"},
    };
    for (const auto& c : cases) {
        const auto error = run("letras.txt", {}, ">", c.locale);
        EXPECT_EQ(error.exitCode, 1);
        EXPECT_EQ(error.err, c.error) << c.locale;
        const auto warned = run("impossivel.txt", {}, ">", c.locale);
        EXPECT_EQ(warned.exitCode, 0);
        EXPECT_EQ(warned.err, c.warning) << c.locale;
        EXPECT_NE(warned.out.find("AN\xC1LISE FAUN\xCDSTICA"), std::string::npos) << c.locale;
        EXPECT_EQ(run("nada.txt", {}, ">", c.locale).err, c.cannotOpen) << c.locale;
    }
}

} // namespace
