#pragma once
// The faunistic analysis of one survey file as a kind of run: the report,
// its JSON and the species table as CSV, the species table and the indices
// for a workbook or the clipboard, the rank-abundance plot and the classes'
// charts. Files are opened by the names given (a relative name works in
// any folder); their absolute names are only shown. The page, which reads
// the files itself, hands their bytes with the names to show instead.

#include "analysis/analysis.h"
#include "data/clock.h"
#include "data/report_language.h"
#include "data/shown_table.h"
#include "figures/figures.h"
#include "runs/run_kind.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace zav {

struct SurveyRun {
    std::filesystem::path path; // absolute
    DateTime when;
    AnalysisResult result;
};
SurveyRun runSurvey(const std::filesystem::path& file, Clock& clock);
// With the time already read (the window reads it when its dialog closes).
SurveyRun runSurvey(const std::filesystem::path& file, const DateTime& when);
// A file's bytes; `shownName` (UTF-8) stands where the path is shown.
SurveyRun runSurvey(std::string_view bytes, const std::string& shownName, const DateTime& when);

// Its charts: the rank-abundance plot and the species per class of each
// criterion.
std::vector<Figure> figuresOf(const AnalysisResult& result, ChartLanguage language);

// The species table (the names where the file has them) and the indices,
// the figures with `decimalSeparator`, the words in `language`.
std::vector<ShownTable> surveyTables(const AnalysisResult& result, char decimalSeparator = '.',
                                     ReportLanguage language = ReportLanguage::Portuguese);

// The kind's part of the table of kinds (runs/run_kind.h).
const RunKindInfo& kindRow(std::type_identity<SurveyRun>);
SurveyRun runKind(std::type_identity<SurveyRun>, const std::vector<std::filesystem::path>& files,
                  const RunParameters& parameters, Clock& clock);
SurveyRun runKind(std::type_identity<SurveyRun>, const std::vector<NamedBytes>& files, const RunParameters& parameters,
                  const DateTime& when);
// The report's labels in `language` (JSON and CSV are the same in every
// language); likewise for the other kinds' outputs.
std::string outputOf(const SurveyRun& run, RunOutput output, ReportLanguage language = ReportLanguage::Portuguese);
std::vector<Figure> figuresOf(const SurveyRun& run, ChartLanguage language, const FluctuationFigureOptions& options);
std::vector<ShownTable> tablesOf(const SurveyRun& run, char decimalSeparator, ReportLanguage language);
// The data file's warnings (SpeciesTable::warnings).
const std::vector<std::string>& noticesOf(const SurveyRun& run);

} // namespace zav
