#pragma once
// The communities of 2 to 10 treatments through their collections as a
// kind of run: each file's [coletas] block gives its samples, the species
// paired as the comparison pairs them (by name when every file names its
// species); the report and its JSON (there is no CSV), the tables, the
// ordination and the indicator species' chart.

#include "communities/communities.h"
#include "data/report_language.h"
#include "data/shown_table.h"
#include "figures/figures.h"
#include "runs/run_kind.h"
#include "runs/treatment_files.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace zav {

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

// Its charts: the ordination of the collections (the NMDS, or the PCoA
// when asked or when there is no NMDS) with each treatment's convex hull,
// and the indicator species' IndVal by treatment.
std::vector<Figure> figuresOf(const communities::CommunityResult& result, const std::vector<std::string>& names,
                              ChartLanguage language, bool pcoa = false);

// The indicator species, the PERMANOVA table, the PCoA's eigenvalues and
// the samples' coordinates on both ordinations; `names` keys the treatments.
std::vector<ShownTable> communitiesTables(const communities::CommunityResult& result,
                                          const std::vector<std::string>& names, char decimalSeparator = '.',
                                          ReportLanguage language = ReportLanguage::Portuguese);

// The kind's part of the table of kinds (runs/run_kind.h).
const RunKindInfo& kindRow(std::type_identity<CommunitiesRun>);
CommunitiesRun runKind(std::type_identity<CommunitiesRun>, const std::vector<std::filesystem::path>& files,
                       const RunParameters& parameters, Clock& clock);
CommunitiesRun runKind(std::type_identity<CommunitiesRun>, const std::vector<NamedBytes>& files,
                       const RunParameters& parameters, const DateTime& when);
std::string outputOf(const CommunitiesRun& run, RunOutput output, ReportLanguage language = ReportLanguage::Portuguese);
std::vector<Figure> figuresOf(const CommunitiesRun& run, ChartLanguage language,
                              const FluctuationFigureOptions& options);
std::vector<ShownTable> tablesOf(const CommunitiesRun& run, char decimalSeparator, ReportLanguage language);
// How the species were paired, then the collections left out.
const std::vector<std::string>& noticesOf(const CommunitiesRun& run);

} // namespace zav
