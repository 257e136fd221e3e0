#include "runs/runs.h"

#include "analysis/analysis_export.h"
#include "analysis/report.h"
#include "communities/communities_report.h"
#include "comparison/comparison_report.h"
#include "data/collection_blocks.h"
#include "data/cp1252.h"
#include "data/errors.h"
#include "data/file_io.h"
#include "data/report_text.h"
#include "data/species_file.h"
#include "diversity/diversity_report.h"
#include "fluctuation/fluctuation_report.h"
#include "similarity/similarity_export.h"
#include "similarity/similarity_report.h"
#include "similarity/species_pairing.h"
#include "similarity/treatment_file.h"

#include <map>

namespace zav {

SurveyRun runSurvey(const std::filesystem::path& file, const DateTime& when) {
    SurveyRun run;
    run.result = analyse(loadSpeciesFile(file));
    run.path = absolutePath(file);
    run.when = when;
    return run;
}

SurveyRun runSurvey(std::string_view bytes, const std::string& shownName, const DateTime& when) {
    return {shownName, when, analyse(parseSpeciesTable(bytes))};
}

SurveyRun runSurvey(const std::filesystem::path& file, Clock& clock) {
    auto table = loadSpeciesFile(file);
    return {absolutePath(file), clock.now(), analyse(std::move(table))};
}

std::string surveyOutput(const SurveyRun& run, RunOutput output, ReportLanguage language) {
    switch (output) {
    case RunOutput::Json:
        return analysisJson(run.result, run.path.string(), run.when);
    case RunOutput::Csv:
        return speciesTableCsv(run.result);
    case RunOutput::Report:
        break;
    }
    return joinReportLines(faunisticReport(run.result, cp1252::fromUtf8(run.path.string()), run.when, language));
}

namespace {

// The diversity of the whole community, with the faunistic report's H of
// the same table beside it (none when that analysis refuses the data), so
// that the report says whether the two H print the same.
DiversityResult diversityOf(SpeciesTable table, const CollectionBlocks& blocks) {
    auto result = analyseDiversity(table);
    addCollectionMatrix(result, blocks);
    try {
        result.faunisticShannon = analyse(std::move(table)).indices.shannon;
    } catch (const Error&) {
    }
    return result;
}

} // namespace

DiversityRun runDiversity(const std::filesystem::path& file, const DateTime& when) {
    DiversityRun run;
    auto table = loadSpeciesFile(file);
    run.warnings = table.warnings;
    run.result = diversityOf(std::move(table), loadCollectionBlocks(file));
    run.path = absolutePath(file);
    run.when = when;
    return run;
}

DiversityRun runDiversity(std::string_view bytes, const std::string& shownName, const DateTime& when) {
    auto table = parseSpeciesTable(bytes);
    auto warnings = table.warnings;
    return {shownName, when, diversityOf(std::move(table), parseCollectionBlocks(bytes)), std::move(warnings)};
}

DiversityRun runDiversity(const std::filesystem::path& file, Clock& clock) {
    auto table = loadSpeciesFile(file);
    auto warnings = table.warnings;
    auto blocks = loadCollectionBlocks(file);
    return {absolutePath(file), clock.now(), diversityOf(std::move(table), blocks), std::move(warnings)};
}

namespace {

FluctuationRun fluctuationOf(SpeciesTable table, CollectionBlocks blocks, int lag) {
    FluctuationRun run;
    run.result = analyseFluctuation(table, blocks, lag);
    run.blocks = std::move(blocks);
    run.warnings = std::move(table.warnings);
    return run;
}

} // namespace

FluctuationRun runFluctuation(const std::filesystem::path& file, int lag, const DateTime& when) {
    auto table = loadSpeciesFile(file);
    auto run = fluctuationOf(std::move(table), loadCollectionBlocks(file), lag);
    run.path = absolutePath(file);
    run.when = when;
    return run;
}

FluctuationRun runFluctuation(const std::filesystem::path& file, int lag, Clock& clock) {
    auto table = loadSpeciesFile(file);
    auto run = fluctuationOf(std::move(table), loadCollectionBlocks(file), lag);
    run.path = absolutePath(file);
    run.when = clock.now();
    return run;
}

FluctuationRun runFluctuation(std::string_view bytes, const std::string& shownName, int lag, const DateTime& when) {
    auto run = fluctuationOf(parseSpeciesTable(bytes), parseCollectionBlocks(bytes), lag);
    run.path = shownName;
    run.when = when;
    return run;
}

std::string fluctuationOutput(const FluctuationRun& run, RunOutput output, ReportLanguage language) {
    switch (output) {
    case RunOutput::Json:
        return fluctuationJson(run.result, run.path.string(), run.when);
    case RunOutput::Csv:
        return fluctuationCsv(run.result, run.blocks);
    case RunOutput::Report:
        break;
    }
    return joinReportLines(fluctuationReport(run.result, cp1252::fromUtf8(run.path.string()), run.when, language));
}

std::string diversityOutput(const DiversityRun& run, RunOutput output, ReportLanguage language) {
    switch (output) {
    case RunOutput::Json:
        return diversityJson(run.result, run.path.string(), run.when);
    case RunOutput::Csv:
        return diversityCsv(run.result);
    case RunOutput::Report:
        break;
    }
    return joinReportLines(diversityReport(run.result, cp1252::fromUtf8(run.path.string()), run.when, language));
}

std::vector<std::string> TreatmentFiles::pathsUtf8() const {
    std::vector<std::string> out;
    for (const auto& path : paths)
        out.push_back(path.string());
    return out;
}

std::vector<std::string> TreatmentFiles::namesUtf8() const { return names_; }

void TreatmentFiles::rename(std::vector<std::string> names) {
    if (names.size() == names_.size()) names_ = std::move(names);
}

void TreatmentFiles::add(const std::filesystem::path& file) {
    files_.push_back(loadTreatmentSpecies(file));
    paths.push_back(absolutePath(file));
    names_.push_back(paths.back().filename().string());
}

void TreatmentFiles::add(std::string_view bytes, const std::string& shownName) {
    try {
        files_.push_back(parseTreatmentSpecies(bytes));
    } catch (const DataFileError& e) {
        // As for a file: the message says which treatment it is.
        throw DataFileError(printable(shownName) + ": " + e.detail());
    }
    paths.emplace_back(shownName);
    names_.push_back(shownName);
}

void TreatmentFiles::finish(Clock& clock) { finish(clock.now()); }

void TreatmentFiles::finish(const DateTime& at) {
    when = at;
    std::vector<std::string> labels;
    for (std::size_t t = 0; t < paths.size(); ++t)
        labels.push_back("T" + std::to_string(t + 1) + " (" + names_[t] + ")");
    auto paired = pairSpecies(files_, labels);
    matrix = std::move(paired.matrix);
    pairedByName = paired.byName;
    notes = std::move(paired.notes);
    speciesNames = std::move(paired.names);
}

TreatmentFiles loadTreatments(const std::vector<std::filesystem::path>& files, Clock& clock) {
    TreatmentFiles treatments;
    for (const auto& file : files)
        treatments.add(file);
    treatments.finish(clock);
    return treatments;
}

SimilarityRun runSimilarity(TreatmentFiles treatments) {
    SimilarityRun run{std::move(treatments), {}};
    run.result = CalculaSimilaridade(run.treatments.matrix);
    return run;
}

SimilarityRun runSimilarity(const std::vector<std::filesystem::path>& files, Clock& clock) {
    return runSimilarity(loadTreatments(files, clock));
}

std::string similarityOutput(const SimilarityRun& run, RunOutput output, ReportLanguage language) {
    if (output == RunOutput::Json) return similarityJson(run.result, run.treatments.pathsUtf8(), run.treatments.notes);
    return joinReportLines(similarityReport(run.result, run.treatments.when, run.treatments.notes, language));
}

ComparisonRun runComparison(TreatmentFiles treatments, DendrogramIndex index) {
    ComparisonRun run{std::move(treatments), {}};
    run.result = compareTreatments(run.treatments.matrix, index);
    return run;
}

ComparisonRun runComparison(const std::vector<std::filesystem::path>& files, DendrogramIndex index, Clock& clock) {
    return runComparison(loadTreatments(files, clock), index);
}

std::string comparisonOutput(const ComparisonRun& run, RunOutput output, ReportLanguage language) {
    const auto names = run.treatments.namesUtf8();
    if (output == RunOutput::Json) return comparisonJson(run.result, names, run.treatments.notes);
    std::vector<std::string> namesCp1252;
    for (const auto& name : names)
        namesCp1252.push_back(cp1252::fromUtf8(name));
    return joinReportLines(
        comparisonReport(run.result, namesCp1252, run.treatments.when, run.treatments.notes, language));
}

namespace {

// A treatment's file read for the communities: its species lines (with
// their names) and its collections.
struct CommunityFile {
    TreatmentSpecies species;
    CollectionBlocks blocks;
};

CommunityFile communityFile(std::string_view bytes, const std::string& shownName) {
    try {
        return {parseTreatmentSpecies(bytes), parseCollectionBlocks(bytes)};
    } catch (const DataFileError& e) {
        throw DataFileError(printable(shownName) + ": " + e.detail());
    }
}

CommunityFile communityFile(const std::filesystem::path& file) {
    auto species = loadTreatmentSpecies(file);
    try {
        return {std::move(species), loadCollectionBlocks(file)};
    } catch (const DataFileError& e) {
        throw DataFileError(printable(file.filename().string()) + ": " + e.detail());
    }
}

// Each file's collections on the paired species rows: by name when the
// treatments were paired by name (a line without a name has no
// individuals, so none in any collection), by line otherwise.
CommunitiesRun communitiesOf(TreatmentFiles treatments, const std::vector<CommunityFile>& files,
                             const CommunityOptions& options) {
    const auto fileNames = treatments.namesUtf8();
    std::map<std::string, std::size_t> rowOf;
    for (std::size_t r = 0; r < treatments.speciesNames.size(); ++r)
        rowOf.emplace(treatments.speciesNames[r], r);
    const std::size_t rows = treatments.matrix.speciesRows();
    std::vector<communities::TreatmentCollections> collections(files.size());
    for (std::size_t f = 0; f < files.size(); ++f) {
        const auto& file = files[f];
        if (!file.blocks.present())
            throw communities::CommunityInputError("Erro: " + printable(fileNames[f]) +
                                                   " não tem o bloco [coletas]: as comunidades tomam cada coleta "
                                                   "como uma amostra.");
        for (const auto& collection : file.blocks.collections) {
            std::vector<std::int32_t> counts(rows, 0);
            for (std::size_t k = 0; k < collection.counts.size(); ++k) {
                if (collection.counts[k] == 0) continue;
                std::size_t row = k;
                if (treatments.pairedByName) {
                    const auto& names = file.species.names;
                    const auto found = rowOf.find(k < names.size() ? names[k] : std::string());
                    if (found == rowOf.end()) continue;
                    row = found->second;
                }
                if (row < rows) counts[row] = collection.counts[k];
            }
            collections[f].counts.push_back(std::move(counts));
        }
    }
    CommunitiesRun run;
    run.result = communities::analyzeCommunities(communities::buildSamples(collections, rows), options.index,
                                                 options.permutations, options.seed);
    run.notices = treatments.notes;
    for (const auto& excluded : run.result.samples.excluded)
        run.notices.push_back(communities::exclusionNote(excluded));
    run.treatments = std::move(treatments);
    return run;
}

void checkCommunityCount(std::size_t files) {
    if (auto problem = comparisonCountProblem(static_cast<std::int64_t>(files)); !problem.empty())
        throw communities::CommunityInputError(problem);
}

std::pair<TreatmentFiles, std::vector<CommunityFile>>
readCommunityFiles(const std::vector<std::filesystem::path>& files) {
    checkCommunityCount(files.size());
    std::pair<TreatmentFiles, std::vector<CommunityFile>> read;
    for (const auto& file : files) {
        read.first.add(file);
        read.second.push_back(communityFile(file));
    }
    return read;
}

} // namespace

CommunitiesRun runCommunities(const std::vector<std::filesystem::path>& files, const CommunityOptions& options,
                              const DateTime& when) {
    auto [treatments, read] = readCommunityFiles(files);
    treatments.finish(when);
    return communitiesOf(std::move(treatments), read, options);
}

CommunitiesRun runCommunities(const std::vector<std::filesystem::path>& files, const CommunityOptions& options,
                              Clock& clock) {
    auto [treatments, read] = readCommunityFiles(files);
    treatments.finish(clock);
    return communitiesOf(std::move(treatments), read, options);
}

CommunitiesRun runCommunities(const std::vector<std::pair<std::string_view, std::string>>& files,
                              const CommunityOptions& options, const DateTime& when) {
    checkCommunityCount(files.size());
    TreatmentFiles treatments;
    std::vector<CommunityFile> read;
    for (const auto& [bytes, name] : files) {
        treatments.add(bytes, name);
        read.push_back(communityFile(bytes, name));
    }
    treatments.finish(when);
    return communitiesOf(std::move(treatments), read, options);
}

std::string communitiesOutput(const CommunitiesRun& run, RunOutput output, ReportLanguage language) {
    communities::CommunityLabels labels{run.treatments.namesUtf8(), run.treatments.pathsUtf8(),
                                        run.treatments.speciesNames, run.treatments.notes};
    // "arquivo" is T1's file, whose name the outputs' names take.
    const std::string first = labels.treatmentFiles.empty() ? std::string() : labels.treatmentFiles.front();
    if (output == RunOutput::Json) return communitiesJson(run.result, labels, first, run.treatments.when);
    return joinReportLines(communitiesReport(run.result, labels, run.treatments.when, language));
}

} // namespace zav
