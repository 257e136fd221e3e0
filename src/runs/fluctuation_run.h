#pragma once
// The population fluctuation of one survey file kept whole (its [coletas]
// block, and [clima] for the correlations) as a kind of run, the weather of
// collection k - lag paired with collection k: the report, its JSON and
// the per-collection table as CSV, the tables, and the charts over time.
// A file without the collections is refused with a message that says how
// to add them.

#include "data/clock.h"
#include "data/collection_blocks.h"
#include "data/report_language.h"
#include "data/shown_table.h"
#include "figures/figures.h"
#include "fluctuation/fluctuation.h"
#include "runs/run_kind.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace zav {

struct FluctuationRun {
    std::filesystem::path path; // absolute
    DateTime when;
    CollectionBlocks blocks;
    FluctuationResult result;
    std::vector<std::string> warnings = {}; // the data file's (SpeciesTable::warnings)
};
FluctuationRun runFluctuation(const std::filesystem::path& file, int lag, Clock& clock);
FluctuationRun runFluctuation(const std::filesystem::path& file, int lag, const DateTime& when);
FluctuationRun runFluctuation(std::string_view bytes, const std::string& shownName, int lag, const DateTime& when);

// Its charts: the fluctuation over the dates (a real time axis; the
// collections' numbers in an undated survey): individuals per collection
// as bars, each predominant species as a line, the chosen weather variable
// on a second axis (a rainfall as bars, any other as a line); the species
// per collection; the chosen series against the chosen variable with its
// least-squares line and Pearson's r.
std::vector<Figure> figuresOf(const FluctuationResult& result, ChartLanguage language,
                              const FluctuationFigureOptions& options = {});

// The per-collection table, the correlations with the weather and the
// seasonality.
std::vector<ShownTable> fluctuationTables(const FluctuationResult& result, char decimalSeparator = '.',
                                          ReportLanguage language = ReportLanguage::Portuguese);

// The kind's part of the table of kinds (runs/run_kind.h).
const RunKindInfo& kindRow(std::type_identity<FluctuationRun>);
FluctuationRun runKind(std::type_identity<FluctuationRun>, const std::vector<std::filesystem::path>& files,
                       const RunParameters& parameters, Clock& clock);
FluctuationRun runKind(std::type_identity<FluctuationRun>, const std::vector<NamedBytes>& files,
                       const RunParameters& parameters, const DateTime& when);
// The report, the JSON, or the per-collection table as CSV.
std::string outputOf(const FluctuationRun& run, RunOutput output, ReportLanguage language = ReportLanguage::Portuguese);
// With the weather variable and the series chosen.
std::vector<Figure> figuresOf(const FluctuationRun& run, ChartLanguage language,
                              const FluctuationFigureOptions& options);
std::vector<ShownTable> tablesOf(const FluctuationRun& run, char decimalSeparator, ReportLanguage language);
const std::vector<std::string>& noticesOf(const FluctuationRun& run);

} // namespace zav
