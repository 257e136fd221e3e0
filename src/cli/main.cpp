// zaviro-relatorio: the faunistic report of a survey file on standard
// output, byte for byte as the program saves it, for researchers who
// process many surveys and for scripts; the same results as JSON or CSV for
// R and Python; the report of many surveys in one call; a spreadsheet turned
// into a data file.

#include "analysis/analysis.h"
#include "analysis/analysis_export.h"
#include "analysis/report.h"
#include "cli/options.h"
#include "data/atomic_file.h"
#include "data/cp1252.h"
#include "data/date_time.h"
#include "data/errors.h"
#include "data/file_io.h"
#include "data/report_text.h"
#include "data/species_file.h"
#include "data/spreadsheet_import.h"
#include "similarity/similarity.h"
#include "similarity/similarity_export.h"
#include "similarity/similarity_report.h"
#include "similarity/treatment_file.h"
#include "zaviro_version.h"

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <exception>
#include <filesystem>
#include <new>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr const char* kUsage = "Uso: zaviro-relatorio [--json | --csv] ARQUIVO\n"
                               "     zaviro-relatorio [--json | --csv] --saida PASTA ARQ1 [ARQ2 ...]\n"
                               "     zaviro-relatorio --similaridade [--json] ARQ1 ARQ2 ARQ3 [... ARQ10]\n"
                               "     zaviro-relatorio --importar PLANILHA --coletas C [-o ARQUIVO]\n"
                               "\n"
                               "Escreve na saída padrão o relatório da análise faunística do arquivo de\n"
                               "dados ARQUIVO, ou o relatório de similaridade (Sorensen) de 3 a 10\n"
                               "arquivos de dados (tratamentos T1, T2, ... na ordem dada), exatamente\n"
                               "como o ZAVIRO o gravaria (Windows-1252, linhas terminadas por CR LF).\n"
                               "\n"
                               "Opções:\n"
                               "  -h, --help        mostra esta ajuda\n"
                               "  --json            os resultados em JSON (UTF-8), para R ou Python: os\n"
                               "                    números com precisão completa, as classes sem espaços,\n"
                               "                    null onde o relatório de similaridade mostra \"-\"\n"
                               "  --csv             a tabela de espécies em CSV (UTF-8, vírgula, linha de\n"
                               "                    títulos, \".\" como separador decimal)\n"
                               "  --saida PASTA     grava um arquivo por levantamento em PASTA:\n"
                               "                    NOME-relatorio.txt, ou NOME.json / NOME.csv; um arquivo\n"
                               "                    com erro é relatado com seu nome e os demais seguem\n"
                               "  --importar PLANILHA --coletas C\n"
                               "                    escreve o arquivo de dados de uma planilha CSV ou TSV\n"
                               "                    (uma linha por espécie: [nome,] indivíduos, coletas;\n"
                               "                    linha de títulos opcional) com C coletas no total;\n"
                               "                    uma última linha com as somas das de cima é deixada de\n"
                               "                    fora, com um aviso na saída de erro\n"
                               "  -o, --saida ARQUIVO\n"
                               "                    com --importar: grava o arquivo de dados em ARQUIVO,\n"
                               "                    inteiro ou nada, em vez da saída padrão\n"
                               "\n"
                               "Nenhuma saída substitui um arquivo de entrada: uma que o faria é recusada.\n"
                               "\n"
                               "Saída: 0 tudo escrito; 1 erro no arquivo ou no cálculo (mensagem na saída\n"
                               "de erro); 2 uso incorreto.\n";

zav::DateTime now() {
    const auto clock = std::chrono::system_clock::now();
    const auto seconds = std::chrono::system_clock::to_time_t(clock);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(clock.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    return {local.tm_mday, local.tm_mon + 1, local.tm_year + 1900, local.tm_hour,
            local.tm_min,  local.tm_sec,     static_cast<int>(ms)};
}

// The bytes on standard output; the exit code.
int print(const std::string& bytes) { return zav::writeStandardOutput(bytes) ? 0 : 1; }

// One survey's report, JSON or CSV. The file is opened as given; its
// absolute name is only shown.
std::string surveyOutput(const std::string& file, zav::cli::Format format) {
    auto table = zav::loadSpeciesFile(file);
    const auto path = zav::absolutePath(file);
    const auto when = now();
    const auto result = zav::analyse(std::move(table));
    switch (format) {
    case zav::cli::Format::Json:
        return zav::analysisJson(result, path.string(), when);
    case zav::cli::Format::Csv:
        return zav::speciesTableCsv(result);
    default:
        return zav::joinReportLines(zav::faunisticReport(result, zav::cp1252::fromUtf8(path.string()), when));
    }
}

std::string outputName(const std::string& file, zav::cli::Format format) {
    const std::string stem = std::filesystem::path(file).stem().string();
    switch (format) {
    case zav::cli::Format::Json:
        return stem + ".json";
    case zav::cli::Format::Csv:
        return stem + ".csv";
    default:
        return stem + "-relatorio.txt";
    }
}

std::vector<std::filesystem::path> pathsOf(const std::vector<std::string>& files) {
    return {files.begin(), files.end()};
}

// The message of whatever a step threw, for the file it was working on.
std::string messageOf(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const zav::Error& e) {
        return e.what();
    } catch (const std::bad_alloc&) {
        return zav::kOutOfMemory;
    } catch (const std::exception& e) {
        return std::string("Erro: ") + zav::printable(e.what());
    }
}

// Many surveys in one run: each output written whole into the folder; a
// failure is reported with its file's name and the rest go on. No output
// takes an input's place; the folder is flushed to the disk once, at the
// end, and temporaries an earlier killed run left there are removed.
int writeSurveys(const zav::cli::Options& options) {
    const std::filesystem::path folder = options.output;
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (!std::filesystem::is_directory(folder, ec)) {
        std::fprintf(stderr, "Erro: não foi possível criar a pasta: %s\n", zav::printable(folder.string()).c_str());
        return 1;
    }
    zav::removeTemporaryOnSignals();
    zav::removeStaleTemporaries(folder);
    const zav::InputFiles inputs(pathsOf(options.files));
    std::set<std::string> written;
    int failures = 0;
    const auto fail = [&](const std::string& file, const std::string& message) {
        std::fprintf(stderr, "%s: %s\n", zav::printable(file).c_str(), message.c_str());
        ++failures;
    };
    for (const auto& file : options.files) {
        try {
            const std::string name = outputName(file, options.format);
            if (!written.insert(name).second)
                throw zav::Error("Erro: outro arquivo da lista já deu o nome " + zav::printable(name) +
                                 "; este não foi gravado");
            inputs.refuseAsOutput(folder / name, zav::LinkPolicy::Replace);
            zav::writeFileAtomically(folder / name, surveyOutput(file, options.format), {.sync = false});
        } catch (...) {
            fail(file, messageOf(std::current_exception()));
        }
    }
    try {
        zav::syncFolder(folder);
    } catch (const zav::Error& e) {
        std::fprintf(stderr, "%s\n", e.what());
        ++failures;
    }
    return failures == 0 ? 0 : 1;
}

int printSimilarity(const std::vector<std::string>& files, zav::cli::Format format) {
    zav::InputFiles(pathsOf(files)).refuseStandardOutput();
    zav::PresenceMatrix matrix;
    std::vector<std::string> paths;
    for (const auto& file : files) {
        matrix.treatments.push_back(zav::loadTreatmentFile(file));
        paths.push_back(zav::absolutePath(file).string());
    }
    const auto result = zav::CalculaSimilaridade(matrix);
    if (format == zav::cli::Format::Json) return print(zav::similarityJson(result, paths));
    return print(zav::joinReportLines(zav::similarityReport(result, now())));
}

// The data file of a spreadsheet, on standard output or written whole to
// the file -o names; never over the spreadsheet itself.
int importDataFile(const zav::cli::Options& options) {
    const zav::InputFiles inputs({options.spreadsheet});
    if (options.output.empty())
        inputs.refuseStandardOutput();
    else
        inputs.refuseAsOutput(options.output, zav::LinkPolicy::Replace);
    const auto texts = zav::importSpreadsheetFile(options.spreadsheet);
    if (const auto notice = zav::totalsRowNotice(texts); !notice.empty()) std::fprintf(stderr, "%s\n", notice.c_str());
    const auto bytes = zav::formatSpeciesFile(texts.speciesCount, std::to_string(options.totalCollections), texts.rows);
    if (options.output.empty()) return print(bytes);
    zav::removeTemporaryOnSignals();
    zav::writeFileAtomically(options.output, bytes);
    return 0;
}

int run(const zav::cli::Options& options) {
    switch (options.command) {
    case zav::cli::Command::Similarity:
        return printSimilarity(options.files, options.format);
    case zav::cli::Command::Import:
        return importDataFile(options);
    default:
        if (!options.output.empty()) return writeSurveys(options);
        zav::InputFiles(pathsOf(options.files)).refuseStandardOutput();
        return print(surveyOutput(options.files[0], options.format));
    }
}

} // namespace

int main(int argc, char** argv) {
    // A closed standard output would be reused by the next file opened:
    // writes to it fail instead.
    if (::fcntl(STDOUT_FILENO, F_GETFD) < 0) ::open("/dev/full", O_WRONLY | O_CLOEXEC);
    if (argc == 2 && std::string_view(argv[1]) == "--version")
        return print(std::string("zaviro-relatorio ") + zav::kVersion + "\n");
    const auto parsed = zav::cli::parseOptions({argv + 1, argv + argc});
    if (const auto* usage = std::get_if<zav::cli::UsageError>(&parsed)) {
        if (usage->message.empty())
            std::fputs(kUsage, stderr);
        else
            std::fprintf(stderr, "%s\n", usage->message.c_str());
        return 2;
    }
    const auto& options = std::get<zav::cli::Options>(parsed);
    if (options.command == zav::cli::Command::Help) return print(kUsage);
    try {
        return run(options);
    } catch (...) {
        std::fprintf(stderr, "%s\n", messageOf(std::current_exception()).c_str());
    }
    return 1;
}
