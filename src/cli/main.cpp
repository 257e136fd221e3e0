// zaviro-relatorio: the faunistic report of a survey file on standard
// output, byte for byte as the program saves it, for researchers who
// process many surveys and for scripts; the same results as JSON or CSV for
// R and Python; the report of many surveys in one call; a spreadsheet turned
// into a data file.

#include "cli/cli_text.h"
#include "cli/grammar.h"
#include "data/atomic_file.h"
#include "data/errors.h"
#include "data/file_io.h"
#include "data/message_language.h"
#include "data/species_file.h"
#include "data/spreadsheet_import.h"
#include "runs/run_kinds.h"
#include "zaviro_version.h"
#ifdef ZAV_HAVE_SHEETS
#include "sheets/workbook.h"
#endif

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <new>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The language of what the program says on standard error: the locale's.
zav::ReportLanguage messageLanguage = zav::ReportLanguage::Portuguese;

// A message of the core (Portuguese in the code) on standard error, in the
// locale's language, after `prefix` (a file's name and ": ") if any.
void complain(const std::string& message, const std::string& prefix = {}) {
    std::fprintf(stderr, "%s%s\n", prefix.c_str(), zav::messageText(messageLanguage, message).c_str());
}

// The bytes on standard output; the exit code.
int print(const std::string& bytes) {
    if (zav::writeStandardOutput(bytes)) return 0;
    complain(zav::kStandardOutputFailure);
    return 1;
}

zav::RunOutput runOutput(zav::cli::Format format) {
    switch (format) {
    case zav::cli::Format::Json:
        return zav::RunOutput::Json;
    case zav::cli::Format::Csv:
        return zav::RunOutput::Csv;
    default:
        return zav::RunOutput::Report;
    }
}

#ifndef ZAV_HAVE_SHEETS
[[noreturn]] void noWorkbooks() { throw zav::Error("Erro: esta versão não lê nem grava planilhas XLSX ou ODS"); }
#endif

// What a run noticed on standard error; each line after its file's name
// when the run is one of many into a folder.
void warnOf(const std::string& file, const zav::AnyRun& run, const zav::cli::Options& options) {
    const bool manyFiles = options.files.size() > 1 && zav::runKind(options.kind).oneFile();
    for (const auto& notice : zav::runNotices(run))
        complain(notice, manyFiles ? zav::printable(file) + ": " : std::string());
}

// The run's report, JSON, CSV or XLSX, of the files given.
std::string runOutputOf(const std::vector<std::string>& files, const zav::cli::Options& options) {
    zav::SystemClock clock;
    const auto run = zav::runFiles(options.kind, {files.begin(), files.end()}, options.parameters, clock);
    warnOf(files.front(), run, options);
    if (options.format == zav::cli::Format::Xlsx) {
#ifdef ZAV_HAVE_SHEETS
        // The grammar gives --xlsx to the faunistic analysis alone.
        if (const auto* survey = std::get_if<zav::SurveyRun>(&run))
            return zav::speciesTableXlsx(survey->result, options.language);
        throw zav::Error("Erro: esta análise não tem planilha XLSX");
#else
        noWorkbooks();
#endif
    }
    return zav::runOutput(run, runOutput(options.format), options.language);
}

// "dados-relatorio.txt", "dados.json", "dados-diversidade.csv", ...
std::string outputName(const std::string& file, const zav::cli::Options& options) {
    const auto& kind = zav::runKind(options.kind);
    const std::string stem = std::filesystem::path(file).stem().string();
    switch (options.format) {
    case zav::cli::Format::Json:
        return stem + std::string(kind.dataSuffix) + ".json";
    case zav::cli::Format::Csv:
        return stem + std::string(kind.dataSuffix) + ".csv";
    case zav::cli::Format::Xlsx:
        return stem + std::string(kind.dataSuffix) + ".xlsx";
    default:
        return stem + std::string(kind.reportSuffix) + ".txt";
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
        complain("Erro: não foi possível criar a pasta: " + zav::printable(folder.string()));
        return 1;
    }
    zav::removeTemporaryOnSignals();
    zav::removeStaleTemporaries(folder);
    const zav::InputFiles inputs(pathsOf(options.files));
    std::set<std::string> written;
    int failures = 0;
    const auto fail = [&](const std::string& file, const std::string& message) {
        complain(message, zav::printable(file) + ": ");
        ++failures;
    };
    for (const auto& file : options.files) {
        try {
            const std::string name = outputName(file, options);
            if (!written.insert(name).second)
                throw zav::Error("Erro: outro arquivo da lista já deu o nome " + zav::printable(name) +
                                 "; este não foi gravado");
            inputs.refuseAsOutput(folder / name, zav::LinkPolicy::Replace);
            zav::writeFileAtomically(folder / name, runOutputOf({file}, options), {.sync = false});
        } catch (...) {
            fail(file, messageOf(std::current_exception()));
        }
    }
    try {
        zav::syncFolder(folder);
    } catch (const zav::Error& e) {
        complain(e.what());
        ++failures;
    }
    return failures == 0 ? 0 : 1;
}

// The data file of a spreadsheet, on standard output or written whole to
// the file -o names; never over the spreadsheet itself.
int importDataFile(const zav::cli::Options& options) {
    std::vector<std::filesystem::path> read{options.spreadsheet};
    if (!options.weather.empty()) read.emplace_back(options.weather);
    const zav::InputFiles inputs(read);
    if (options.output.empty())
        inputs.refuseStandardOutput();
    else
        inputs.refuseAsOutput(options.output, zav::LinkPolicy::Replace);
    const zav::ImportOptions importOptions{options.perCollection, options.totalCollections};
#ifdef ZAV_HAVE_SHEETS
    auto texts = options.records ? zav::importAnyRecordsFile(options.spreadsheet, options.sheet)
                                 : zav::importAnySpreadsheetFile(options.spreadsheet, importOptions, options.sheet);
    if (!options.weather.empty())
        texts.collections.weather =
            zav::readAnyWeatherFile(options.weather, texts.collections.collections, options.weatherSheet);
    for (const auto& notice : texts.notices)
        complain(notice);
#else
    if (!options.sheet.empty() || !options.weatherSheet.empty()) noWorkbooks();
    auto texts = options.records ? zav::importRecordsFile(options.spreadsheet)
                                 : zav::importSpreadsheetFile(options.spreadsheet, importOptions);
    if (!options.weather.empty())
        texts.collections.weather = zav::parseWeatherFile(options.weather, texts.collections.collections);
#endif
    if (const auto notice = zav::totalsRowNotice(texts); !notice.empty()) complain(notice);
    // A species by collection sheet, or the records, give the total of collections.
    const bool ownCollections = options.perCollection || options.records;
    const auto collections = ownCollections ? texts.totalCollections : std::to_string(options.totalCollections);
    const auto bytes = zav::importedDataFile(texts, collections);
    if (options.output.empty()) return print(bytes);
    zav::removeTemporaryOnSignals();
    zav::writeFileAtomically(options.output, bytes);
    return 0;
}

int run(const zav::cli::Options& options) {
    if (options.command == zav::cli::Command::Import) return importDataFile(options);
    // A kind of one file run on many writes one output each into the folder.
    if (!options.output.empty()) return writeSurveys(options);
    zav::InputFiles(pathsOf(options.files)).refuseStandardOutput();
#ifdef ZAV_HAVE_SHEETS
    if (options.format == zav::cli::Format::Xlsx && ::isatty(STDOUT_FILENO)) {
        complain("Erro: --xlsx escreve uma planilha, não texto: redirecione a saída a um arquivo "
                 "(> tabela.xlsx) ou use --saida PASTA");
        return 1;
    }
#endif
    return print(runOutputOf(options.files, options));
}

} // namespace

int main(int argc, char** argv) {
    // A closed standard output would be reused by the next file opened:
    // writes to it fail instead.
    if (::fcntl(STDOUT_FILENO, F_GETFD) < 0) ::open("/dev/full", O_WRONLY | O_CLOEXEC);
    const auto parsed = zav::cli::parseOptions(zav::cli::Program::Report, {argv + 1, argv + argc});
    // Its own texts in the locale's language; the reports follow --idioma.
    const auto language = zav::cli::messageLanguageFromEnvironment();
    messageLanguage = language;
    if (const auto* usage = std::get_if<zav::cli::UsageError>(&parsed)) {
        if (usage->message.empty())
            std::fputs(zav::cli::usageText(zav::cli::Program::Report, language).c_str(), stderr);
        else
            std::fprintf(stderr, "%s\n", zav::cli::cliText(language, usage->message).c_str());
        return 2;
    }
    const auto& options = std::get<zav::cli::Options>(parsed);
    if (options.command == zav::cli::Command::Help)
        return print(zav::cli::usageText(zav::cli::Program::Report, language));
    if (options.command == zav::cli::Command::Version)
        return print(std::string("zaviro-relatorio ") + zav::kVersion + "\n");
    try {
        return run(options);
    } catch (...) {
        complain(messageOf(std::current_exception()));
    }
    return 1;
}
