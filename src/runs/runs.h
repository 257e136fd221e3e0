#pragma once
// One entry per kind of run, for the window, the batch mode and the command
// line alike: the files read, the clock read once, the result computed, and
// each output (report, JSON, CSV) made from that one result. Files are
// opened by the names given (a relative name works in any folder); their
// absolute names are only shown. The browser page, which reads the files
// itself, hands their bytes with the names to show instead (the overloads
// taking `bytes`); the analysis and the outputs are the same.

#include "analysis/analysis.h"
#include "communities/communities.h"
#include "comparison/comparison.h"
#include "data/clock.h"
#include "data/report_language.h"
#include "diversity/diversity.h"
#include "fluctuation/fluctuation.h"
#include "similarity/similarity.h"
#include "similarity/treatment_file.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zav {

enum class RunOutput {
    Report, // the report's bytes as saved: Windows-1252, CR LF
    Json,   // UTF-8, LF
    Csv,    // UTF-8, LF
};

// The faunistic analysis of one survey file.
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
// The report's labels in `language` (JSON and CSV are the same in every
// language); likewise for the other runs' outputs.
std::string surveyOutput(const SurveyRun& run, RunOutput output, ReportLanguage language = ReportLanguage::Portuguese);

// The diversity of one survey file: richness estimators, indices, Hill
// numbers and curves over every species with individuals.
struct DiversityRun {
    std::filesystem::path path; // absolute
    DateTime when;
    DiversityResult result;
    std::vector<std::string> warnings = {}; // the data file's (SpeciesTable::warnings)
};
DiversityRun runDiversity(const std::filesystem::path& file, Clock& clock);
DiversityRun runDiversity(const std::filesystem::path& file, const DateTime& when);
DiversityRun runDiversity(std::string_view bytes, const std::string& shownName, const DateTime& when);
// The report, the JSON, or the individual-based curve as CSV.
std::string diversityOutput(const DiversityRun& run, RunOutput output,
                            ReportLanguage language = ReportLanguage::Portuguese);

// The population fluctuation of one survey file kept whole (its [coletas]
// block, and [clima] for the correlations), the weather of collection
// k - lag paired with collection k. A file without the collections is
// refused with a message that says how to add them.
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
// The report, the JSON, or the per-collection table as CSV.
std::string fluctuationOutput(const FluctuationRun& run, RunOutput output,
                              ReportLanguage language = ReportLanguage::Portuguese);

// Treatment files read for a similarity or a comparison run.
struct TreatmentFiles {
    std::vector<std::filesystem::path> paths; // absolute (or the names shown), in the order given
    DateTime when;
    // The rows of the species put side by side (similarity/species_pairing.h):
    // by name when every file names its species, by line otherwise.
    PresenceMatrix matrix;
    bool pairedByName = false;
    // What the outputs say about the pairing, one sentence each (UTF-8):
    // "Espécies pareadas pelo nome, ..." or "Aviso: ..."; empty for files
    // of the same species lines.
    std::vector<std::string> notes;
    // The species' names (UTF-8, empty for none), one per row of the
    // matrix: the names of all files when paired by name, otherwise the
    // first file's.
    std::vector<std::string> speciesNames;

    // Reads one more treatment file (its errors name it); the window reads
    // each file as soon as it is chosen.
    void add(const std::filesystem::path& file);
    // A file's bytes, named `shownName` (UTF-8) in the outputs and errors.
    void add(std::string_view bytes, const std::string& shownName);
    // Reads the clock and pairs the species, once every file is in.
    void finish(Clock& clock);
    void finish(const DateTime& when);

    std::vector<std::string> pathsUtf8() const;
    std::vector<std::string> namesUtf8() const; // the file names alone, or as renamed
    // The treatments as the user named them, T1 first, in the outputs and
    // charts; nothing changes unless there is a name for each.
    void rename(std::vector<std::string> names);

  private:
    std::vector<TreatmentSpecies> files_;
    // Each file's name: a path's last part, or the name given with the
    // bytes, whole ("Mata ciliar 2023/24" is a name, not a path).
    std::vector<std::string> names_;
};
TreatmentFiles loadTreatments(const std::vector<std::filesystem::path>& files, Clock& clock);

// Sørensen's similarity of 3 to 10 treatments.
struct SimilarityRun {
    TreatmentFiles treatments;
    SimilarityResult result;
};
SimilarityRun runSimilarity(const std::vector<std::filesystem::path>& files, Clock& clock);
SimilarityRun runSimilarity(TreatmentFiles treatments);
// The report or the JSON (there is no CSV of a similarity run).
std::string similarityOutput(const SimilarityRun& run, RunOutput output,
                             ReportLanguage language = ReportLanguage::Portuguese);

// The comparison of 2 to 10 treatments.
struct ComparisonRun {
    TreatmentFiles treatments;
    ComparisonResult result;
};
ComparisonRun runComparison(const std::vector<std::filesystem::path>& files, DendrogramIndex index, Clock& clock);
ComparisonRun runComparison(TreatmentFiles treatments, DendrogramIndex index);
// The report or the JSON (there is no CSV of a comparison).
std::string comparisonOutput(const ComparisonRun& run, RunOutput output,
                             ReportLanguage language = ReportLanguage::Portuguese);

// The communities of 2 to 10 treatments through their collections: each
// file's [coletas] block gives its samples, the species paired as the
// comparison pairs them (by name when every file names its species).
struct CommunityOptions {
    communities::Dissimilarity index = communities::Dissimilarity::BrayCurtis;
    int permutations = communities::kDefaultPermutations;
    std::uint64_t seed = communities::kDefaultSeed;
};
struct CommunitiesRun {
    TreatmentFiles treatments;
    communities::CommunityResult result;
    // How the species were paired, then the collections left out
    // ("T1, coleta 3: sem indivíduos, fora da análise"), UTF-8.
    std::vector<std::string> notices;
};
// A file without a [coletas] block is refused naming it
// (communities::CommunityInputError); a bad block, as the data file's
// errors, naming it too.
CommunitiesRun runCommunities(const std::vector<std::filesystem::path>& files, const CommunityOptions& options,
                              const DateTime& when);
CommunitiesRun runCommunities(const std::vector<std::filesystem::path>& files, const CommunityOptions& options,
                              Clock& clock);
// The same on the files' bytes, each with the name (UTF-8) the outputs give it.
CommunitiesRun runCommunities(const std::vector<std::pair<std::string_view, std::string>>& files,
                              const CommunityOptions& options, const DateTime& when);
// The report or the JSON (there is no CSV of the communities).
std::string communitiesOutput(const CommunitiesRun& run, RunOutput output,
                              ReportLanguage language = ReportLanguage::Portuguese);

} // namespace zav
