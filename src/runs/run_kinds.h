#pragma once
// The kinds of run, in one table: what each takes (its command-line mode,
// how many files, which outputs), what it is called (its title, the
// suffix of its report's name, the window's status lines) and one way to
// run any of them. The grammar of both programs, the batch mode, the
// window's report document and open dialogs, and the page read this table.
//
// Each kind is a unit of its own (runs/run_kind.h says what it gives); the
// table is the variant of their runs, in order, and reaches each through
// its overloads, so that a kind added to the variant and left without one
// is a compile error, not a report of the wrong kind.

#include "runs/communities_run.h"
#include "runs/comparison_run.h"
#include "runs/diversity_run.h"
#include "runs/faunistic_run.h"
#include "runs/fluctuation_run.h"
#include "runs/run_kind.h"
#include "runs/similarity_run.h"

#include <cstddef>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

namespace zav {

// A run of any kind, in the order the menus, the usage text and the page
// list them.
using AnyRun = std::variant<SurveyRun, DiversityRun, SimilarityRun, ComparisonRun, CommunitiesRun, FluctuationRun>;
// The kinds by name, in the variant's order.
enum class RunKind : int { Faunistic, Diversity, Similarity, Comparison, Communities, Fluctuation };

// The place of a run's type in the variant; -1 for a type that is no run.
template <typename Run> constexpr int placeOf() {
    return []<std::size_t... I>(std::index_sequence<I...>) {
        int found = -1;
        ((std::is_same_v<Run, std::variant_alternative_t<I, AnyRun>> ? found = static_cast<int>(I) : 0), ...);
        return found;
    }
    (std::make_index_sequence<std::variant_size_v<AnyRun>>{});
}
template <typename Run>
concept KindOfRun = placeOf<Run>()
>= 0;

// The kind of a run's type, of a run, and of a run of any kind.
template <KindOfRun Run> constexpr RunKind kindOf() { return static_cast<RunKind>(placeOf<Run>()); }
template <KindOfRun Run> constexpr RunKind kindOf(const Run&) { return kindOf<Run>(); }
RunKind kindOf(const AnyRun& run);

static_assert(static_cast<std::size_t>(RunKind::Fluctuation) + 1 == std::variant_size_v<AnyRun>);
static_assert(kindOf<SurveyRun>() == RunKind::Faunistic && kindOf<DiversityRun>() == RunKind::Diversity &&
              kindOf<SimilarityRun>() == RunKind::Similarity && kindOf<ComparisonRun>() == RunKind::Comparison &&
              kindOf<CommunitiesRun>() == RunKind::Communities && kindOf<FluctuationRun>() == RunKind::Fluctuation);

// Everything a run takes besides its files and the time: the options of
// the command line, the choices of the window's panels and of the page.
struct RunParameters {
    DendrogramIndex index = DendrogramIndex::Sorensen; // Comparação: the dendrogram's index
    int lag = 0;                  // Flutuação: collection k paired with the weather of collection k - lag
    CommunityOptions communities; // Comunidades: index, permutations, seed
};

// Every kind's row, in the variant's order.
std::span<const RunKindInfo> runKinds();
const RunKindInfo& runKind(RunKind kind);
// The kind of a command-line mode or a page's name; null for none.
const RunKindInfo* runKindOfOption(std::string_view option);
const RunKindInfo* runKindNamed(std::string_view name);

// Runs `kind` on data files named by their paths, the clock read once the
// files are read; or with the time already read (the window reads it when
// its dialog closes).
AnyRun runFiles(RunKind kind, const std::vector<std::filesystem::path>& files, const RunParameters& parameters,
                Clock& clock);
AnyRun runFiles(RunKind kind, const std::vector<std::filesystem::path>& files, const RunParameters& parameters,
                const DateTime& when);
// The same on bytes, for the page, which reads the files itself.
AnyRun runBytes(RunKind kind, const std::vector<NamedBytes>& files, const RunParameters& parameters,
                const DateTime& when);

// The run's report (Windows-1252, CR LF), JSON or CSV: those its kind
// gives; the report's labels in `language`.
std::string runOutput(const AnyRun& run, RunOutput output, ReportLanguage language = ReportLanguage::Portuguese);

// The run's charts: its kind's figures (its unit's figuresOf), the treatments
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
