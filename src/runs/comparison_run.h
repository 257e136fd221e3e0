#pragma once
// The comparison of 2 to 10 treatments as a kind of run: Hutcheson's t,
// the similarity matrices and the UPGMA dendrogram; the report and its
// JSON (there is no CSV), the tables, and the dendrogram.

#include "comparison/comparison.h"
#include "data/report_language.h"
#include "data/shown_table.h"
#include "figures/figures.h"
#include "runs/run_kind.h"
#include "runs/treatment_files.h"

#include <filesystem>
#include <string>
#include <type_traits>
#include <vector>

namespace zav {

struct ComparisonRun {
    TreatmentFiles treatments;
    ComparisonResult result;
};
ComparisonRun runComparison(const std::vector<std::filesystem::path>& files, DendrogramIndex index, Clock& clock);
ComparisonRun runComparison(TreatmentFiles treatments, DendrogramIndex index);

// Its chart: the UPGMA dendrogram.
std::vector<Figure> figuresOf(const ComparisonResult& result, const std::vector<std::string>& names,
                              ChartLanguage language);

// Hutcheson's test (per treatment and per pair) and the four matrices.
std::vector<ShownTable> comparisonTables(const ComparisonResult& result, const std::vector<std::string>& names,
                                         char decimalSeparator = '.',
                                         ReportLanguage language = ReportLanguage::Portuguese);

// The kind's part of the table of kinds (runs/run_kind.h).
const RunKindInfo& kindRow(std::type_identity<ComparisonRun>);
ComparisonRun runKind(std::type_identity<ComparisonRun>, const std::vector<std::filesystem::path>& files,
                      const RunParameters& parameters, Clock& clock);
ComparisonRun runKind(std::type_identity<ComparisonRun>, const std::vector<NamedBytes>& files,
                      const RunParameters& parameters, const DateTime& when);
std::string outputOf(const ComparisonRun& run, RunOutput output, ReportLanguage language = ReportLanguage::Portuguese);
std::vector<Figure> figuresOf(const ComparisonRun& run, ChartLanguage language,
                              const FluctuationFigureOptions& options);
std::vector<ShownTable> tablesOf(const ComparisonRun& run, char decimalSeparator, ReportLanguage language);
// How the treatments' species were paired.
const std::vector<std::string>& noticesOf(const ComparisonRun& run);

} // namespace zav
