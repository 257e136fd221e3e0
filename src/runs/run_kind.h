#pragma once
// What every kind of run is and gives, shared by the kinds' own units
// (faunistic_run.h, diversity_run.h, ...) and the table that gathers them
// (run_kinds.h): the outputs, a data file's bytes as the page hands them,
// a kind's row of the table and the protocol each unit keeps.
//
// A kind's unit holds everything the shells take of it: its run over files
// and over bytes, its outputs, its tables, its charts and its notices, each
// as an overload on its run (`kindRow`, `runKind`, `outputOf`, `figuresOf`,
// `tablesOf`, `noticesOf`), and its row. The table visits the runs through
// these overloads, so a kind that lacks one does not compile.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zav {

enum class RunOutput {
    Report, // the report's bytes as saved: Windows-1252, CR LF
    Json,   // UTF-8, LF
    Csv,    // UTF-8, LF
};

// A data file's bytes and the name (UTF-8) the outputs and errors give it.
struct NamedBytes {
    std::string_view bytes;
    std::string name;
};

// What --indice chooses for a kind: none, the comparison's dendrogram
// (sorensen or bray-curtis), or the dissimilarity of the communities'
// samples (bray-curtis or jaccard).
enum class IndexOption { None, Dendrogram, Dissimilarity };

// The kinds, named in run_kinds.h in the table's order.
enum class RunKind : int;
// What a run takes besides its files and the time (run_kinds.h).
struct RunParameters;

// A kind's lines in the programs' usage texts (cli/grammar.h), written in
// Portuguese (their English and Spanish in cli/cli_text.cpp): its forms of
// zaviro-relatorio's and of zaviro's command line, and what its mode does
// in each program's options (none for the default kind).
struct RunKindUsage {
    std::span<const std::string_view> reportForms;
    std::span<const std::string_view> desktopForms;
    std::string_view reportHelp;
    std::string_view desktopHelp;
};

// A row states what differs from these defaults.
struct RunKindInfo {
    // Set by the table from the kind's place in it.
    RunKind kind{};
    // The page's and the web entry's name of the kind.
    std::string_view name;
    // The command-line mode ("--diversidade"); empty for the default kind.
    std::string_view option = {};
    // The window's and the page's name of the analysis (UTF-8).
    std::string_view title;
    // How many data files it takes; a kind of one file also runs on many,
    // one output each, into the folder --saida names.
    std::int64_t minFiles;
    std::int64_t maxFiles;
    // The sentence for a wrong number of files ("Erro: Digite 3 ou mais
    // conjuntos de dados"), as the panels say it; null: the usage text.
    std::string (*fileCountProblem)(std::int64_t count) = nullptr;
    // What the report's name adds to its first data file's name
    // ("dados-relatorio.txt"), and what the JSON's and CSV's names add
    // ("dados.json", "dados-diversidade.json").
    std::string_view reportSuffix;
    std::string_view dataSuffix = {};
    // The outputs besides the report.
    bool json = true;
    bool csv = false;
    bool xlsx = false; // the species table as a workbook
    // --indice.
    IndexOption index = IndexOption::None;
    // --permutacoes and --semente: the communities' permutation tests.
    bool takesPermutations = false;
    // --defasagem: the fluctuation's lag.
    bool takesLag = false;
    // The window's status line while a file is run and when it is done
    // ("Cálculo do arquivo: " + name + " finalizado"), for the kinds of
    // one file; UTF-8.
    std::string_view runningStatus = {};
    std::string_view doneStatus = {};
    std::string_view doneStatusEnd = {};
    // A kind of one file: its item on the window's menu bar, beside
    // "Calcular" and under its rules, and the item's object name.
    std::string_view menuText = {};
    std::string_view menuName = {};
    RunKindUsage usage = {};

    bool oneFile() const { return maxFiles == 1; }
};

// The one data file of a kind of one file; more or none is refused.
const std::filesystem::path& onlyFile(const std::vector<std::filesystem::path>& files);
const NamedBytes& onlyFile(const std::vector<NamedBytes>& files);

} // namespace zav
