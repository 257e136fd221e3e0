// zaviro-relatorio: the faunistic report of a survey file on standard
// output, byte for byte as the program saves it, for researchers who
// process many surveys and for scripts.

#include "analysis/analysis.h"
#include "analysis/report.h"
#include "data/cp1252.h"
#include "data/date_time.h"
#include "data/errors.h"
#include "data/file_io.h"
#include "data/report_text.h"
#include "data/species_file.h"
#include "similarity/similarity.h"
#include "similarity/similarity_report.h"
#include "similarity/treatment_file.h"
#include "zaviro_version.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage = "Uso: zaviro-relatorio ARQUIVO\n"
                               "     zaviro-relatorio --similaridade ARQ1 ARQ2 ARQ3 [... ARQ10]\n"
                               "\n"
                               "Escreve na saída padrão o relatório da análise faunística do arquivo de\n"
                               "dados ARQUIVO, ou o relatório de similaridade (Sorensen) de 3 a 10\n"
                               "arquivos de dados (tratamentos T1, T2, ... na ordem dada), exatamente\n"
                               "como o ZAVIRO o gravaria (Windows-1252, linhas terminadas por CR LF).\n"
                               "\n"
                               "Opções:\n"
                               "  -h, --help   mostra esta ajuda\n"
                               "  --version    mostra a versão do programa\n"
                               "\n"
                               "Saída: 0 relatório escrito; 1 erro no arquivo ou no cálculo (mensagem na\n"
                               "saída de erro); 2 uso incorreto.\n";

zav::DateTime now() {
    const auto clock = std::chrono::system_clock::now();
    const auto seconds = std::chrono::system_clock::to_time_t(clock);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(clock.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    return {local.tm_mday, local.tm_mon + 1, local.tm_year + 1900, local.tm_hour,
            local.tm_min,  local.tm_sec,     static_cast<int>(ms)};
}

int usageError() {
    std::fputs(kUsage, stderr);
    return 2;
}

// The report's bytes on standard output; the exit code.
int printReport(const std::vector<std::string>& lines) {
    const std::string bytes = zav::joinReportLines(lines);
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() || std::fflush(stdout) != 0) {
        std::fputs("Erro: não foi possível escrever na saída padrão\n", stderr);
        return 1;
    }
    return 0;
}

int printFaunisticReport(const std::string& file) {
    const auto path = zav::absolutePath(file);
    auto table = zav::loadSpeciesFile(path);
    const auto when = now();
    const auto result = zav::analyse(std::move(table));
    return printReport(zav::faunisticReport(result, zav::cp1252::fromUtf8(path.string()), when));
}

int printSimilarityReport(const std::vector<std::string>& files) {
    zav::PresenceMatrix matrix;
    for (const auto& file : files)
        matrix.treatments.push_back(zav::loadTreatmentFile(zav::absolutePath(file)));
    return printReport(zav::similarityReport(zav::CalculaSimilaridade(matrix), now()));
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && (args[0] == "-h" || args[0] == "--help")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (args.size() == 1 && args[0] == "--version") {
        std::printf("zaviro-relatorio %s\n", zav::kVersion);
        return 0;
    }
    const bool similarity = !args.empty() && args[0] == "--similaridade";
    if (similarity) {
        args.erase(args.begin());
        // The same limits, and the same words, as the window's panel.
        if (const auto problem = zav::treatmentCountProblem(static_cast<std::int64_t>(args.size())); !problem.empty()) {
            std::fprintf(stderr, "%s\n", problem.c_str());
            return 2;
        }
    } else {
        if (!args.empty() && args[0] == "--")
            args.erase(args.begin());
        else if (!args.empty() && args[0].size() > 1 && args[0][0] == '-')
            return usageError();
        if (args.size() != 1) return usageError();
    }

    try {
        return similarity ? printSimilarityReport(args) : printFaunisticReport(args[0]);
    } catch (const zav::Error& e) {
        std::fprintf(stderr, "%s\n", e.what());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Erro: %s\n", e.what());
    }
    return 1;
}
