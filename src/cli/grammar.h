#pragma once
// The one command-line grammar of both programs, zaviro-relatorio and
// zaviro: every mode and option in one table, read into what to do, and the
// usage text of each program made from the same table. Standard library
// only.

#include "data/report_language.h"
#include "runs/run_kinds.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace zav::cli {

enum class Program {
    Report,  // zaviro-relatorio: reports, JSON and CSV on standard output or in a folder
    Desktop, // zaviro: the window, or a PDF or a chart without one
};

// What to do: a run of one of the kinds of runs/run_kinds.h, the import of
// a spreadsheet, the window, the help or the version.
enum class Command { Help, Version, Window, Run, Import };

enum class Format {
    Text,  // the report
    Json,  // --json
    Csv,   // --csv
    Xlsx,  // --xlsx: the species table as an Excel workbook
    Pdf,   // --pdf SAIDA: the report's pages, then its charts
    Chart, // --grafico SAIDA: the charts alone, as the name's extension says
};

struct Options {
    Command command = Command::Run;
    RunKind kind = RunKind::Faunistic; // the run's, with Command::Run
    Format format = Format::Text;
    // --saida / -o: the folder of a batch or the file of an import; with
    // --pdf or --grafico the file written. Empty: standard output.
    std::string output;
    std::string spreadsheet;           // --importar
    std::string sheet;                 // --planilha: the workbook's sheet; empty: the first
    bool perCollection = false;        // --por-coleta: a species by collection sheet
    bool records = false;              // --registros: a sheet of one row per record
    std::string weather;               // --clima: the collections' weather sheet
    std::string weatherSheet;          // --planilha-clima: its workbook's sheet
    std::int32_t totalCollections = 0; // --coletas
    RunParameters parameters;          // --indice, --defasagem, --permutacoes, --semente
    // --idioma pt|en|es: the language of the reports' labels (never of
    // JSON or CSV); Portuguese unless asked, whatever the desktop's.
    ReportLanguage language = ReportLanguage::Portuguese;
    std::vector<std::string> files;
};

// Wrong usage: the message to print, or empty for the usage text.
struct UsageError {
    std::string message;
};

// Options may come in any order, before or among the files; "--" ends
// them, for a file whose name starts with "-". Each program takes its own
// options, and each command only the options that mean something to it.
std::variant<Options, UsageError> parseOptions(Program program, const std::vector<std::string>& args);

// The program's usage text, from the same table (UTF-8), in `language`
// (the locale's: cli_text.h).
std::string usageText(Program program, ReportLanguage language = ReportLanguage::Portuguese);

} // namespace zav::cli
