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
    int run(const std::string& args, std::string& err) {
        const std::string cmd = "cd '" + dir_.string() + "' && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" +
                                ZAV_PROGRAM + "' " + args + " >/dev/null 2>stderr </dev/null";
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
        {"--pdf pasta/r.pdf levantamento-30-coletas.txt", 1, "Erro: não foi possível gravar o arquivo: pasta/r.pdf\n"},
        {"--pdf", 2, usage},
        {"--pdf r.pdf", 2, usage},
        {"--pdf r.pdf t1.txt t2.txt", 2, usage},
        {"--similaridade t1.txt t2.txt t3.txt", 2, usage},
        {"--similaridade --grafico r.svg t1.txt t2.txt", 2, "Erro: Digite 3 ou mais conjuntos de dados\n"},
        {"--pdf r.txt levantamento-30-coletas.txt", 2, "Erro: o relatório é gravado em PDF"},
        {"--grafico r.gif levantamento-30-coletas.txt", 2, "Erro: o gráfico é gravado em PNG, SVG ou PDF"},
    };
    for (const auto& c : cases) {
        std::string err;
        EXPECT_EQ(run(c.args, err), c.exitCode) << c.args;
        EXPECT_EQ(err.substr(0, c.message.size()), c.message) << c.args;
        EXPECT_EQ(head("r.pdf", 1) + head("r.svg", 1), "") << c.args;
    }
}

} // namespace
