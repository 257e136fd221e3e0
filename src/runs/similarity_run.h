#pragma once
// Sørensen's similarity of 3 to 10 treatments as a kind of run: the report
// and its JSON (there is no CSV), the pairs' table, and the quotients'
// chart.

#include "data/report_language.h"
#include "data/shown_table.h"
#include "figures/figures.h"
#include "runs/run_kind.h"
#include "runs/treatment_files.h"
#include "similarity/similarity.h"

#include <filesystem>
#include <string>
#include <type_traits>
#include <vector>

namespace zav {

struct SimilarityRun {
    TreatmentFiles treatments;
    SimilarityResult result;
};
SimilarityRun runSimilarity(const std::vector<std::filesystem::path>& files, Clock& clock);
SimilarityRun runSimilarity(TreatmentFiles treatments);

// Its chart: the quotients of each pair with their intervals; `names` are
// the treatments' names, in order.
std::vector<Figure> figuresOf(const SimilarityResult& result, const std::vector<std::string>& names,
                              ChartLanguage language);

// Every pair's quotient with its interval; `names` keys the treatments.
std::vector<ShownTable> similarityTables(const SimilarityResult& result, const std::vector<std::string>& names,
                                         char decimalSeparator = '.',
                                         ReportLanguage language = ReportLanguage::Portuguese);

// The kind's part of the table of kinds (runs/run_kind.h).
const RunKindInfo& kindRow(std::type_identity<SimilarityRun>);
SimilarityRun runKind(std::type_identity<SimilarityRun>, const std::vector<std::filesystem::path>& files,
                      const RunParameters& parameters, Clock& clock);
SimilarityRun runKind(std::type_identity<SimilarityRun>, const std::vector<NamedBytes>& files,
                      const RunParameters& parameters, const DateTime& when);
std::string outputOf(const SimilarityRun& run, RunOutput output, ReportLanguage language = ReportLanguage::Portuguese);
std::vector<Figure> figuresOf(const SimilarityRun& run, ChartLanguage language,
                              const FluctuationFigureOptions& options);
std::vector<ShownTable> tablesOf(const SimilarityRun& run, char decimalSeparator, ReportLanguage language);
// How the treatments' species were paired.
const std::vector<std::string>& noticesOf(const SimilarityRun& run);

} // namespace zav
