// zaviro --pdf / --grafico run as a batch script runs them: no graphical
// session, the exit code and standard error as zaviro-relatorio's.

#include "data/file_io.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

class Batch : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("zaviro-batch-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
        for (const char* f : {"levantamento-30-coletas.txt"})
            fs::copy_file(fs::path(ZAV_GOLDEN_DIR) / f, dir_ / f);
        for (const char* f : {"t1.txt", "t2.txt", "t3.txt", "vazio.txt"})
            fs::copy_file(fs::path(ZAV_SIMILARITY_GOLDEN_DIR) / f, dir_ / f);
        std::ofstream(dir_ / "ruim.txt", std::ios::binary) << "2 10\r\n5 x\r\n1 1\r\n";
        std::ofstream(dir_ / "curto.txt", std::ios::binary) << "2 10\r\n5 1\r\n";
    }
    void TearDown() override { fs::remove_all(dir_); }

    // Without any display: the batch options must not need one.
    // `locale` as "LC_ALL=en_US.UTF-8".
    int run(const std::string& args, std::string& err, const std::string& out = "/dev/null",
            const std::string& locale = "") {
        const std::string cmd = "cd '" + dir_.string() + "' && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " +
                                locale + " '" + ZAV_PROGRAM + "' " + args + " >" + out + " 2>stderr </dev/null";
        const int status = std::system(cmd.c_str());
        err = zav::readFileBytes(dir_ / "stderr");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string head(const std::string& file, std::size_t n) {
        return fs::exists(dir_ / file) ? zav::readFileBytes(dir_ / file).substr(0, n) : "";
    }

    fs::path dir_;
};

TEST_F(Batch, WritesTheFileAskedForAndNothingOnStandardError) {
    struct Case {
        const char* args;
        const char* output;
        std::string magic;
    };
    const Case cases[] = {
        {"--pdf r.pdf levantamento-30-coletas.txt", "r.pdf", "%PDF"},
        {"--grafico g.svg levantamento-30-coletas.txt", "g.svg", "<?xml"},
        {"--grafico g.png levantamento-30-coletas.txt", "g.png", "\x89PNG"},
        {"--grafico g.pdf levantamento-30-coletas.txt", "g.pdf", "%PDF"},
        {"--similaridade --pdf s.pdf t1.txt t2.txt t3.txt vazio.txt vazio.txt", "s.pdf", "%PDF"},
        {"--similaridade --grafico s.svg t1.txt t2.txt t3.txt vazio.txt vazio.txt", "s.svg", "<?xml"},
        {"--diversidade --pdf d.pdf levantamento-30-coletas.txt", "d.pdf", "%PDF"},
        {"--diversidade --grafico d.svg levantamento-30-coletas.txt", "d.svg", "<?xml"},
        {"--comparacao --pdf c.pdf t1.txt t2.txt t3.txt", "c.pdf", "%PDF"},
        {"--comparacao --indice bray-curtis --grafico c.png t1.txt t2.txt", "c.png", "\x89PNG"},
    };
    for (const auto& c : cases) {
        std::string err;
        EXPECT_EQ(run(c.args, err), 0) << c.args << "\n" << err;
        EXPECT_EQ(err, "") << c.args;
        EXPECT_EQ(head(c.output, c.magic.size()), c.magic) << c.args;
    }
}

TEST_F(Batch, FailuresExit1WithTheMessageAndUsageErrorsExit2) {
    struct Case {
        const char* args;
        int exitCode;
        std::string message; // the start of standard error
    };
    const std::string usage = "Uso: zaviro [ARQUIVO]";
    const Case cases[] = {
        {"--pdf r.pdf ruim.txt", 1, "Error: Verifique o arquivo de dados!\n"},
        {"--grafico r.svg nada.txt", 1,
         "Erro: não foi possível abrir o arquivo: " + (dir_ / "nada.txt").string() + "\n"},
        {"--similaridade --pdf r.pdf t1.txt curto.txt t3.txt", 1, "Error: Verifique o arquivo de dados!\n"},
        {"--pdf pasta/r.pdf levantamento-30-coletas.txt", 1,
         "Erro: não foi possível gravar o arquivo: pasta/r.pdf: Arquivo ou diretório inexistente\n"},
        {"--pdf", 2, usage},
        {"--pdf r.pdf", 2, usage},
        {"--pdf r.pdf t1.txt t2.txt", 2, usage},
        {"--similaridade t1.txt t2.txt t3.txt", 2, usage},
        {"--similaridade --grafico r.svg t1.txt t2.txt", 2, "Erro: Digite 3 ou mais conjuntos de dados\n"},
        {"--pdf r.txt levantamento-30-coletas.txt", 2, "Erro: o relatório é gravado em PDF"},
        {"--grafico r.gif levantamento-30-coletas.txt", 2, "Erro: o gráfico é gravado em PNG, SVG ou PDF"},
        {"--diversidade --pdf r.pdf t1.txt t2.txt", 2, usage},
        {"--diversidade --pdf r.pdf ruim.txt", 1, "Error: Verifique o arquivo de dados!\n"},
        {"--comparacao --indice jaccard --pdf r.pdf t1.txt t2.txt", 2, "Erro: --indice espera"},
        {"--comparacao --pdf r.pdf t1.txt", 2, "Erro: Digite 2 ou mais conjuntos de dados\n"},
    };
    for (const auto& c : cases) {
        std::string err;
        EXPECT_EQ(run(c.args, err), c.exitCode) << c.args;
        EXPECT_EQ(err.substr(0, c.message.size()), c.message) << c.args;
        EXPECT_EQ(head("r.pdf", 1) + head("r.svg", 1), "") << c.args;
    }
}

// The failures in the locale's language, as the usage texts.
TEST_F(Batch, FailuresFollowTheLocale) {
    const struct {
        const char* locale;
        const char* args;
        const char* out;
        std::string message;
    } cases[] = {
        {"LC_ALL=en_US.UTF-8", "--grafico r.svg nada.txt", "/dev/null",
         "Error: could not open the file: " + (dir_ / "nada.txt").string() + "\n"},
        {"LC_ALL=es_ES.UTF-8", "--pdf r.pdf ruim.txt", "/dev/null", "Error: ¡Verifique el archivo de datos!\n"},
        {"LC_ALL=en_US.UTF-8", "--help", "/dev/full", "Error: could not write to standard output\n"},
        {"LC_ALL=C", "--help", "/dev/full", "Erro: não foi possível escrever na saída padrão\n"},
    };
    for (const auto& c : cases) {
        std::string err;
        EXPECT_EQ(run(c.args, err, c.out, c.locale), 1) << c.args;
        EXPECT_EQ(err.substr(0, c.message.size()), c.message) << c.locale << " " << c.args;
    }
}

// Nothing the user named is lost: an output never lands on an input, a link
// at the output is replaced and never written through, names that are not
// UTF-8 are kept byte for byte, SVG text is escaped, and help or version
// that cannot be written is a failure.
TEST_F(Batch, OutputsNeverReplaceInputsOrLinkTargetsAndKeepTheirNames) {
    const std::string survey = zav::readFileBytes(dir_ / "levantamento-30-coletas.txt");
    for (const char* f : {"surv.pdf", "x.svg", "Fazenda A&B.txt", "lat\xE9.txt", "alvo.txt"})
        std::ofstream(dir_ / f, std::ios::binary) << survey;
    fs::create_symlink("alvo.txt", dir_ / "link.pdf");
    fs::create_symlink("/dev/null", dir_ / "nulo.svg");
    const std::string replaces = "Erro: a saída substituiria um arquivo de entrada: ";
    struct Case {
        const char* args;
        int exitCode;
        std::string message;
        const char* output; // a regular file afterwards, or nothing
    };
    const Case cases[] = {
        {"--pdf surv.pdf surv.pdf", 1, replaces + (dir_ / "surv.pdf").string() + "\n", nullptr},
        {"--grafico x.svg ./x.svg", 1, replaces + (dir_ / "x.svg").string() + "\n", nullptr},
        {"--diversidade --pdf surv.pdf surv.pdf", 1, replaces + (dir_ / "surv.pdf").string() + "\n", nullptr},
        {"--comparacao --grafico x.svg t1.txt x.svg", 1, replaces + (dir_ / "x.svg").string() + "\n", nullptr},
        {"--pdf link.pdf link.pdf", 1, replaces + (dir_ / "link.pdf").string() + "\n", nullptr},
        {"--pdf link.pdf alvo.txt", 0, "", "link.pdf"},
        {"--grafico nulo.svg surv.pdf", 0, "", "nulo.svg"},
        {"--grafico 'g.svg' 'Fazenda A&B.txt'", 0, "", "g.svg"},
        {"--pdf 'r\xE9.pdf' 'lat\xE9.txt'", 0, "", "r\xE9.pdf"},
        {"--pdf 'r\xE8.pdf' 'lat\xE9.txt'", 0, "", "r\xE8.pdf"},
    };
    for (const auto& c : cases) {
        std::string err;
        EXPECT_EQ(run(c.args, err), c.exitCode) << c.args;
        EXPECT_EQ(err, c.message) << c.args;
        if (c.output) {
            EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir_ / c.output))) << c.output;
        }
    }
    for (const char* input : {"surv.pdf", "x.svg", "alvo.txt"})
        EXPECT_EQ(zav::readFileBytes(dir_ / input), survey) << input;
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_NE(head("r\xE9.pdf", 4), head("r\xE8.pdf", 5)); // two files, not one written twice
    EXPECT_EQ(head("r\xE9.pdf", 4), "%PDF");
    const std::string svg = zav::readFileBytes(dir_ / "g.svg");
    EXPECT_NE(svg.find("<title>Gr\xC3\xA1\x66ico - Fazenda A&amp;B.txt</title>"), std::string::npos);
    EXPECT_EQ(svg.find("A&B"), std::string::npos);

    for (const char* args : {"--help", "--version"}) {
        std::string err;
        EXPECT_EQ(run(args, err, "/dev/full"), 1) << args;
        EXPECT_EQ(err, "Erro: não foi possível escrever na saída padrão\n") << args;
    }
}

} // namespace
