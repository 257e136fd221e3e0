// The one command-line grammar of both programs.

#include "cli/grammar.h"

#include "cli/cli_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace zav::cli {
namespace {

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> out;
    for (std::string w; in >> w;)
        out.push_back(w);
    return out;
}

TEST(Grammar, ReadsEveryModeOfBothPrograms) {
    struct Case {
        Program program;
        const char* args;
        Command command;
        RunKind kind; // with Command::Run
        Format format;
        const char* output;
        std::size_t files;
    };
    const Case cases[] = {
        {Program::Report, "a.txt", Command::Run, RunKind::Faunistic, Format::Text, "", 1},
        {Program::Report, "a.txt --json", Command::Run, RunKind::Faunistic, Format::Json, "", 1},
        {Program::Report, "--csv --saida out a.txt b.txt", Command::Run, RunKind::Faunistic, Format::Csv, "out", 2},
        {Program::Report, "--diversidade --csv a.txt", Command::Run, RunKind::Diversity, Format::Csv, "", 1},
        {Program::Report, "--similaridade a b c", Command::Run, RunKind::Similarity, Format::Text, "", 3},
        {Program::Report, "a b --comparacao --json", Command::Run, RunKind::Comparison, Format::Json, "", 2},
        {Program::Report, "--flutuacao --csv a.txt", Command::Run, RunKind::Fluctuation, Format::Csv, "", 1},
        {Program::Report, "--importar p.csv --coletas 5 -o d.txt", Command::Import, RunKind::Faunistic, Format::Text,
         "d.txt", 0},
        {Program::Report, "--importar p.ods --planilha Mata --por-coleta", Command::Import, RunKind::Faunistic,
         Format::Text, "", 0},
        {Program::Report, "--importar r.csv --registros --clima c.ods --planilha-clima Tempo -o d.txt", Command::Import,
         RunKind::Faunistic, Format::Text, "d.txt", 0},
        {Program::Report, "--xlsx --saida out a.txt", Command::Run, RunKind::Faunistic, Format::Xlsx, "out", 1},
        {Program::Report, "-- -a.txt", Command::Run, RunKind::Faunistic, Format::Text, "", 1},
        {Program::Report, "--version", Command::Version, RunKind::Faunistic, Format::Text, "", 0},
        {Program::Desktop, "", Command::Window, RunKind::Faunistic, Format::Text, "", 0},
        {Program::Desktop, "dados.txt", Command::Window, RunKind::Faunistic, Format::Text, "", 1},
        {Program::Desktop, "-h", Command::Help, RunKind::Faunistic, Format::Text, "", 0},
        {Program::Desktop, "--pdf r.pdf a.txt", Command::Run, RunKind::Faunistic, Format::Pdf, "r.pdf", 1},
        {Program::Desktop, "a.txt --diversidade --grafico c.SVG", Command::Run, RunKind::Diversity, Format::Chart,
         "c.SVG", 1},
        {Program::Desktop, "--similaridade --grafico s.png a b c", Command::Run, RunKind::Similarity, Format::Chart,
         "s.png", 3},
        {Program::Desktop, "--comparacao --indice bray-curtis --pdf c.pdf a b", Command::Run, RunKind::Comparison,
         Format::Pdf, "c.pdf", 2},
        {Program::Report, "--indice jaccard --comunidades --permutacoes 99 --semente 7 --json a b", Command::Run,
         RunKind::Communities, Format::Json, "", 2},
        {Program::Desktop, "--comunidades --grafico o.svg a b c", Command::Run, RunKind::Communities, Format::Chart,
         "o.svg", 3},
        {Program::Desktop, "--flutuacao --defasagem 1 --pdf f.pdf a.txt", Command::Run, RunKind::Fluctuation,
         Format::Pdf, "f.pdf", 1},
        {Program::Desktop, "--flutuacao --grafico f.svg a.txt", Command::Run, RunKind::Fluctuation, Format::Chart,
         "f.svg", 1},
    };
    // The communities' options reach the run's parameters.
    const auto communities = std::get<Options>(
        parseOptions(Program::Report, words("--comunidades --indice jaccard --permutacoes 99 --semente 7 a b")));
    EXPECT_EQ(communities.parameters.communities.index, communities::Dissimilarity::Jaccard);
    EXPECT_EQ(communities.parameters.communities.permutations, 99);
    EXPECT_EQ(communities.parameters.communities.seed, 7u);
    for (const auto& c : cases) {
        const auto parsed = parseOptions(c.program, words(c.args));
        const auto* options = std::get_if<Options>(&parsed);
        ASSERT_TRUE(options) << c.args << ": " << std::get<UsageError>(parsed).message;
        EXPECT_EQ(options->sheet, std::string(c.args).find("Mata") != std::string::npos ? "Mata" : "") << c.args;
        EXPECT_EQ(options->perCollection, std::string(c.args).find("--por-coleta") != std::string::npos) << c.args;
        EXPECT_EQ(options->command, c.command) << c.args;
        if (c.command == Command::Run) {
            EXPECT_EQ(options->kind, c.kind) << c.args;
        }
        EXPECT_EQ(options->format, c.format) << c.args;
        EXPECT_EQ(options->output, c.output) << c.args;
        EXPECT_EQ(options->files.size(), c.files) << c.args;
        const bool records = std::string(c.args).find("--registros") != std::string::npos;
        EXPECT_EQ(options->records, records) << c.args;
        EXPECT_EQ(options->weather, records ? "c.ods" : "") << c.args;
        EXPECT_EQ(options->weatherSheet, records ? "Tempo" : "") << c.args;
    }
}

TEST(Grammar, ReadsTheReportsLanguage) {
    const std::pair<const char*, ReportLanguage> cases[] = {
        {"a.txt", ReportLanguage::Portuguese},
        {"--idioma pt a.txt", ReportLanguage::Portuguese},
        {"--idioma en a.txt", ReportLanguage::English},
        {"a b c --similaridade --idioma es", ReportLanguage::Spanish},
        {"--diversidade --idioma en --saida out a b", ReportLanguage::English},
        {"--comparacao --json --idioma es a b", ReportLanguage::Spanish},
    };
    for (const auto& [args, language] : cases) {
        const auto parsed = parseOptions(Program::Report, words(args));
        const auto* options = std::get_if<Options>(&parsed);
        ASSERT_TRUE(options) << args;
        EXPECT_EQ(options->language, language) << args;
    }
}

TEST(Grammar, ReadsTheFluctuationsLag) {
    const auto lagOf = [](const char* args) {
        return std::get<Options>(parseOptions(Program::Report, words(args))).parameters.lag;
    };
    EXPECT_EQ(lagOf("--flutuacao a.txt"), 0);
    EXPECT_EQ(lagOf("--flutuacao --json --defasagem 2 a.txt"), 2);
    EXPECT_EQ(lagOf("a.txt --defasagem 0 --flutuacao --saida out b.txt"), 0);
}

TEST(Grammar, RefusesWhatAProgramOrACommandDoesNotTake) {
    struct Case {
        Program program;
        const char* args;
        const char* message; // empty: the usage text
    };
    const Case cases[] = {
        {Program::Report, "", ""},
        {Program::Report, "a.txt b.txt", ""},
        {Program::Report, "--json --csv a.txt", ""},
        {Program::Report, "--pdf r.pdf a.txt", ""},                  // the desktop program's
        {Program::Desktop, "--json a.txt", ""},                      // the report program's
        {Program::Report, "--similaridade --diversidade a b c", ""}, // two modes
        {Program::Report, "--similaridade a b", "Erro: Digite 3 ou mais conjuntos de dados"},
        {Program::Report, "--comparacao a", "Erro: Digite 2 ou mais conjuntos de dados"},
        {Program::Report, "--comparacao --csv a b", ""},
        {Program::Report, "--indice sorensen a.txt", ""},
        {Program::Report, "--comparacao --indice jaccard a b", "Erro: --indice espera sorensen ou bray-curtis"},
        {Program::Report, "--importar p.csv", ""},
        {Program::Report, "--coletas 5 a.txt", ""},
        {Program::Report, "--importar p.csv --coletas 0",
         "Erro: --coletas espera o total de coletas, um número inteiro maior que 0"},
        {Program::Report, "--saida", ""},
        {Program::Report, "--csv --xlsx a.txt", ""},
        {Program::Report, "--diversidade --xlsx a.txt", ""},
        {Program::Report, "--planilha Mata a.txt", ""},
        {Program::Report, "--por-coleta a.txt", ""},
        {Program::Report, "--importar p.csv --por-coleta --coletas 3",
         "Erro: com --por-coleta, o total de coletas é o número de colunas de coletas da planilha; não use --coletas"},
        {Program::Report, "--registros a.txt", ""},
        {Program::Report, "--importar p.csv --registros --por-coleta", ""},
        {Program::Report, "--importar p.csv --por-coleta --planilha-clima Tempo", ""},
        {Program::Report, "--importar p.csv --registros --coletas 3",
         "Erro: com --registros, o total de coletas é o número de datas da planilha; não use --coletas"},
        {Program::Report, "--importar p.csv --coletas 3 --clima c.csv",
         "Erro: --clima dá o clima de cada coleta: use-o com --por-coleta ou --registros"},
        {Program::Desktop, "--xlsx a.txt", ""},
        {Program::Desktop, "a.txt b.txt", ""},
        {Program::Desktop, "--diversidade a.txt", ""}, // no output named
        {Program::Desktop, "--pdf r.svg a.txt",
         "Erro: o relatório é gravado em PDF: termine o nome do arquivo em .pdf"},
        {Program::Desktop, "--grafico r.txt a.txt",
         "Erro: o gráfico é gravado em PNG, SVG ou PDF: termine o nome do arquivo em .png, .svg ou .pdf"},
        {Program::Desktop, "--pdf a.pdf --grafico b.svg a.txt", ""},
        {Program::Desktop, "--similaridade --pdf r.pdf a b c d e f g h i j k",
         "Erro: Digite no máximo 10 conjuntos de dados"},
        {Program::Desktop, "--help a.txt", ""},
        {Program::Report, "--comunidades --indice sorensen a b", "Erro: --indice espera bray-curtis ou jaccard"},
        {Program::Report, "--comunidades a", "Erro: Digite 2 ou mais conjuntos de dados"},
        {Program::Report, "--comunidades --csv a b", ""},
        {Program::Report, "--comunidades --permutacoes 0 a b",
         "Erro: --permutacoes espera um número inteiro de 1 a 99999"},
        {Program::Report, "--comunidades --permutacoes 100000 a b",
         "Erro: --permutacoes espera um número inteiro de 1 a 99999"},
        {Program::Report, "--comunidades --semente -1 a b",
         "Erro: --semente espera um número inteiro de 0 a 999999999999999999"},
        {Program::Report, "--comunidades --semente 1234567890123456789 a b",
         "Erro: --semente espera um número inteiro de 0 a 999999999999999999"},
        {Program::Report, "--comparacao --semente 3 a b", ""},
        {Program::Report, "--permutacoes 9 a.txt", ""},
        {Program::Report, "--defasagem 1 a.txt", ""},
        {Program::Report, "--diversidade --defasagem 1 a.txt", ""},
        {Program::Report, "--flutuacao --xlsx a.txt", ""},
        {Program::Report, "--flutuacao --defasagem -1 a.txt",
         "Erro: --defasagem espera um número inteiro de coletas, 0 ou mais"},
        {Program::Report, "--flutuacao --defasagem +2 a.txt",
         "Erro: --defasagem espera um número inteiro de coletas, 0 ou mais"},
        {Program::Report, "--flutuacao --defasagem 1,5 a.txt",
         "Erro: --defasagem espera um número inteiro de coletas, 0 ou mais"},
        {Program::Report, "--idioma fr a.txt", "Erro: --idioma espera pt, en ou es"},
        {Program::Report, "--idioma", ""},
        {Program::Report, "--importar p.csv --coletas 5 --idioma en", ""},
        {Program::Desktop, "--idioma en --pdf r.pdf a.txt", ""}, // the window's reports are Portuguese for now
    };
    for (const auto& c : cases) {
        const auto parsed = parseOptions(c.program, words(c.args));
        const auto* error = std::get_if<UsageError>(&parsed);
        ASSERT_TRUE(error) << c.args;
        EXPECT_EQ(error->message, c.message) << c.args;
    }
}

// The usage text names every option the program reads, and no other.
TEST(Grammar, EachUsageTextNamesItsProgramsOptions) {
    const struct {
        Program program;
        std::vector<const char*> named, absent;
    } programs[] = {
        {Program::Report,
         {"--help", "--version", "--diversidade", "--similaridade", "--comparacao", "--indice", "--json", "--csv",
          "--saida", "-o,", "--importar", "--coletas", "--registros", "--clima", "--planilha-clima", "--flutuacao",
          "--defasagem"},
         {"--pdf", "--grafico"}},
        {Program::Desktop,
         {"--help", "--version", "--diversidade", "--similaridade", "--comparacao", "--indice", "--pdf", "--grafico",
          "--flutuacao", "--defasagem"},
         {"--json", "--csv", "--importar"}},
    };
    for (const auto& p : programs) {
        const std::string usage = usageText(p.program);
        EXPECT_EQ(usage.rfind(p.program == Program::Report ? "Uso: zaviro-relatorio " : "Uso: zaviro ", 0), 0u);
        for (const char* option : p.named)
            EXPECT_NE(usage.find(std::string(" ") + option), std::string::npos) << option;
        for (const char* option : p.absent)
            EXPECT_EQ(usage.find(option), std::string::npos) << option;
    }
}

// The usage text in the locale's language: every option named as in
// Portuguese (options are an interface), no Portuguese word left, the same
// options and lines of forms in each language.
TEST(Grammar, UsageInEnglishAndSpanish) {
    const struct {
        ReportLanguage language;
        const char* start;
        std::vector<const char*> portuguese; // words only Portuguese has
    } cases[] = {
        {ReportLanguage::English,
         "Usage: ",
         {"Uso", "Opções", "ARQUIVO", "PASTA", "SAIDA", "arquivo", "relatório", "indivíduos", "espécies", "grava",
          " com ", " ou ", "Saída", "Erro"}},
        {ReportLanguage::Spanish,
         "Uso: ",
         {"Opções", "ARQUIVO", "PASTA", "SAIDA", "arquivo", "relatório", "indivíduos", "espécies", "grava ", " com ",
          " ou ", "Saída", "Erro", "ção"}},
    };
    for (const Program program : {Program::Report, Program::Desktop}) {
        const auto options = [](const std::string& usage) {
            std::vector<std::string> found;
            for (const auto& w : words(usage))
                if (w.starts_with("--")) found.push_back(w);
            std::sort(found.begin(), found.end());
            return found;
        };
        const std::string portuguese = usageText(program);
        for (const auto& c : cases) {
            const std::string usage = usageText(program, c.language);
            EXPECT_EQ(usage.rfind(c.start, 0), 0u);
            for (const char* word : c.portuguese)
                EXPECT_EQ(usage.find(word), std::string::npos) << word << " in:\n" << usage;
            EXPECT_EQ(options(usage), options(portuguese));
        }
    }
    // The errors of usage too; a text the catalogue lacks stays as it is.
    EXPECT_EQ(cliText(ReportLanguage::Spanish, "Erro: --idioma espera pt, en ou es"),
              "Error: --idioma espera pt, en o es");
    EXPECT_EQ(cliText(ReportLanguage::English, "dados.txt"), "dados.txt");
}

// LC_ALL before LC_MESSAGES before LANG, an empty one as unset; en* and es*,
// anything else Portuguese.
TEST(Grammar, MessageLanguageFromTheLocale) {
    const struct {
        const char *all, *messages, *lang;
        ReportLanguage language;
    } cases[] = {
        {nullptr, nullptr, "en_US.UTF-8", ReportLanguage::English},
        {nullptr, nullptr, "es_AR.UTF-8", ReportLanguage::Spanish},
        {nullptr, nullptr, "pt_BR.UTF-8", ReportLanguage::Portuguese},
        {"C", nullptr, "en_US.UTF-8", ReportLanguage::Portuguese},
        {"POSIX", "es_ES", "en_US", ReportLanguage::Portuguese},
        {"", "es_ES.UTF-8", "en_US.UTF-8", ReportLanguage::Spanish},
        {nullptr, "", "en_GB", ReportLanguage::English},
        {"de_DE.UTF-8", nullptr, nullptr, ReportLanguage::Portuguese},
        {nullptr, nullptr, nullptr, ReportLanguage::Portuguese},
    };
    for (const auto& c : cases)
        EXPECT_EQ(messageLanguage(c.all, c.messages, c.lang), c.language)
            << (c.all ? c.all : "-") << " " << (c.messages ? c.messages : "-") << " " << (c.lang ? c.lang : "-");
}

} // namespace
} // namespace zav::cli
