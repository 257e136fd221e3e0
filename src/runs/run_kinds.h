#pragma once
// The kinds of run, in one table: what each takes (its command-line mode,
// how many files, which outputs), what it is called (its title, the
// suffix of its report's name, the window's status lines) and one way to
// run any of them. The grammar of both programs, the batch mode, the
// window's report document and open dialogs, and the page read this table;
// a run's result is a variant visited with std::visit, so that a kind
// added here and left unhandled anywhere is a compile error, not a report
// of the wrong kind.

#include "data/shown_table.h"
#include "figures/figures.h"
#include "runs/runs.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace zav {

enum class RunKind { Faunistic, Diversity, Similarity, Comparison, Communities, Fluctuation };

// Everything a run takes besides its files and the time: the options of
// the command line, the choices of the window's panels and of the page.
struct RunParameters {
    DendrogramIndex index = DendrogramIndex::Sorensen; // Comparação: the dendrogram's index
    int lag = 0;                  // Flutuação: collection k paired with the weather of collection k - lag
    CommunityOptions communities; // Comunidades: index, permutations, seed
};

struct RunKindInfo {
    RunKind kind;
    // The page's and the web entry's name of the kind.
    std::string_view name;
    // The command-line mode ("--diversidade"); empty for the default kind.
    std::string_view option;
    // The window's and the page's name of the analysis (UTF-8).
    std::string_view title;
    // How many data files it takes; a kind of one file also runs on many,
    // one output each, into the folder --saida names.
    std::int64_t minFiles;
    std::int64_t maxFiles;
    // The sentence for a wrong number of files ("Erro: Digite 3 ou mais
    // conjuntos de dados"), as the panels say it; null: the usage text.
    std::string (*fileCountProblem)(std::int64_t count);
    // What the report's name adds to its first data file's name
    // ("dados-relatorio.txt"), and what the JSON's and CSV's names add
    // ("dados.json", "dados-diversidade.json").
    std::string_view reportSuffix;
    std::string_view dataSuffix;
    // The outputs besides the report.
    bool json;
    bool csv;
    bool xlsx; // the species table as a workbook
    // --indice: the comparison's dendrogram, the communities' dissimilarity.
    bool takesIndex;
    // --permutacoes and --semente: the communities' permutation tests.
    bool takesPermutations;
    // --defasagem: the fluctuation's lag.
    bool takesLag;
    // The window's status line while a file is run and when it is done
    // ("Cálculo do arquivo: " + name + " finalizado"), for the kinds of
    // one file; UTF-8.
    std::string_view runningStatus;
    std::string_view doneStatus;
    std::string_view doneStatusEnd;
    // A kind of one file: its item on the window's menu bar, beside
    // "Calcular" and under its rules, and the item's object name.
    std::string_view menuText = {};
    std::string_view menuName = {};

    bool oneFile() const { return maxFiles == 1; }
};

// Every kind, in the order the menus, the usage text and the page list them.
std::span<const RunKindInfo> runKinds();
const RunKindInfo& runKind(RunKind kind);
// The kind of a command-line mode or a page's name; null for none.
const RunKindInfo* runKindOfOption(std::string_view option);
const RunKindInfo* runKindNamed(std::string_view name);

// A run of any kind, as the runs of runs.h make it.
using AnyRun = std::variant<SurveyRun, DiversityRun, SimilarityRun, ComparisonRun, CommunitiesRun, FluctuationRun>;

// The kind of each run and of each result: one overload per kind, so that
// a visit over a variant that holds a kind without one does not compile.
constexpr RunKind kindOf(const SurveyRun&) { return RunKind::Faunistic; }
constexpr RunKind kindOf(const DiversityRun&) { return RunKind::Diversity; }
constexpr RunKind kindOf(const SimilarityRun&) { return RunKind::Similarity; }
constexpr RunKind kindOf(const ComparisonRun&) { return RunKind::Comparison; }
constexpr RunKind kindOf(const CommunitiesRun&) { return RunKind::Communities; }
constexpr RunKind kindOf(const FluctuationRun&) { return RunKind::Fluctuation; }
constexpr RunKind kindOf(const AnalysisResult&) { return RunKind::Faunistic; }
constexpr RunKind kindOf(const DiversityResult&) { return RunKind::Diversity; }
constexpr RunKind kindOf(const SimilarityResult&) { return RunKind::Similarity; }
constexpr RunKind kindOf(const ComparisonResult&) { return RunKind::Comparison; }
constexpr RunKind kindOf(const communities::CommunityResult&) { return RunKind::Communities; }
constexpr RunKind kindOf(const FluctuationResult&) { return RunKind::Fluctuation; }
RunKind kindOf(const AnyRun& run);

// Runs `kind` on data files named by their paths, the clock read once the
// files are read; or with the time already read (the window reads it when
// its dialog closes).
AnyRun runFiles(RunKind kind, const std::vector<std::filesystem::path>& files, const RunParameters& parameters,
                Clock& clock);
AnyRun runFiles(RunKind kind, const std::vector<std::filesystem::path>& files, const RunParameters& parameters,
                const DateTime& when);

// A data file's bytes and the name (UTF-8) the outputs and errors give it.
struct NamedBytes {
    std::string_view bytes;
    std::string name;
};
// The same on bytes, for the page, which reads the files itself.
AnyRun runBytes(RunKind kind, const std::vector<NamedBytes>& files, const RunParameters& parameters,
                const DateTime& when);

// The run's report (Windows-1252, CR LF), JSON or CSV: those its kind
// gives; the report's labels in `language`.
std::string runOutput(const AnyRun& run, RunOutput output, ReportLanguage language = ReportLanguage::Portuguese);

// The run's charts: its kind's figures (figures/figures.h), the treatments
// by their names; a fluctuation's with the weather variable and the series
// chosen.
std::vector<Figure> runFigures(const AnyRun& run, ChartLanguage language,
                               const FluctuationFigureOptions& fluctuation = {});

// The run's tables as a report shows them, for a workbook or the
// clipboard: numbers with `decimalSeparator`, the treatments by their
// names, the headings in `language`.
std::vector<ShownTable> runTables(const AnyRun& run, char decimalSeparator,
                                  ReportLanguage language = ReportLanguage::Portuguese);

// The run's files under the names the user sees, which its outputs print:
// `paths` its data files (none: as they are), `names` a several files'
// run's treatments (none: their file names).
void nameRunFiles(AnyRun& run, const std::vector<std::filesystem::path>& paths, const std::vector<std::string>& names);
// The run's data files, in order.
std::vector<std::filesystem::path> runPaths(const AnyRun& run);
// The treatments' names of a several files' run, T1 first; none for a run
// of one file.
std::vector<std::string> runTreatmentNames(const AnyRun& run);

// What the run noticed without refusing its files, one sentence each
// (UTF-8): the data file's warnings, or how the treatments' species were
// paired. Standard error, the JSON's "avisos" or the status line show them.
const std::vector<std::string>& runNotices(const AnyRun& run);

} // namespace zav
