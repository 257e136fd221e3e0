#pragma once
// The diversity of one survey file as a kind of run: richness estimators,
// indices, Hill numbers and curves over every species with individuals;
// the report, its JSON and the individual-based curve as CSV, the tables,
// and the curves' charts.

#include "data/clock.h"
#include "data/report_language.h"
#include "data/shown_table.h"
#include "diversity/diversity.h"
#include "figures/figures.h"
#include "runs/run_kind.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace zav {

struct DiversityRun {
    std::filesystem::path path; // absolute
    DateTime when;
    DiversityResult result;
    std::vector<std::string> warnings = {}; // the data file's (SpeciesTable::warnings)
};
DiversityRun runDiversity(const std::filesystem::path& file, Clock& clock);
DiversityRun runDiversity(const std::filesystem::path& file, const DateTime& when);
DiversityRun runDiversity(std::string_view bytes, const std::string& shownName, const DateTime& when);

// Its charts: the curves of Hill numbers, of richness by collections and
// of coverage.
std::vector<Figure> figuresOf(const DiversityResult& result, ChartLanguage language);

// The sample, the richness estimators (estimate, standard error, 95 %
// interval), the indices, the Hill numbers and the two curves with their
// bands.
std::vector<ShownTable> diversityTables(const DiversityResult& result, char decimalSeparator = '.',
                                        ReportLanguage language = ReportLanguage::Portuguese);

// The kind's part of the table of kinds (runs/run_kind.h).
const RunKindInfo& kindRow(std::type_identity<DiversityRun>);
DiversityRun runKind(std::type_identity<DiversityRun>, const std::vector<std::filesystem::path>& files,
                     const RunParameters& parameters, Clock& clock);
DiversityRun runKind(std::type_identity<DiversityRun>, const std::vector<NamedBytes>& files,
                     const RunParameters& parameters, const DateTime& when);
// The report, the JSON, or the individual-based curve as CSV.
std::string outputOf(const DiversityRun& run, RunOutput output, ReportLanguage language = ReportLanguage::Portuguese);
std::vector<Figure> figuresOf(const DiversityRun& run, ChartLanguage language, const FluctuationFigureOptions& options);
std::vector<ShownTable> tablesOf(const DiversityRun& run, char decimalSeparator, ReportLanguage language);
const std::vector<std::string>& noticesOf(const DiversityRun& run);

} // namespace zav
