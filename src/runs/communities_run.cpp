#include "runs/communities_run.h"

#include "communities/communities_report.h"
#include "comparison/comparison.h"
#include "data/collection_blocks.h"
#include "data/errors.h"
#include "data/report_text.h"
#include "data/window_text.h"
#include "runs/report_tables.h"
#include "runs/run_kinds.h"
#include "similarity/treatment_file.h"

#include <map>

namespace zav {

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

std::string outputOf(const CommunitiesRun& run, RunOutput output, ReportLanguage language) {
    communities::CommunityLabels labels{run.treatments.namesUtf8(), run.treatments.pathsUtf8(),
                                        run.treatments.speciesNames, run.treatments.notes};
    // "arquivo" is T1's file, whose name the outputs' names take.
    const std::string first = labels.treatmentFiles.empty() ? std::string() : labels.treatmentFiles.front();
    if (output == RunOutput::Json) return communitiesJson(run.result, labels, first, run.treatments.when);
    return joinReportLines(communitiesReport(run.result, labels, run.treatments.when, language));
}

std::vector<ShownTable> communitiesTables(const communities::CommunityResult& r, const std::vector<std::string>& names,
                                          char decimalSeparator, ReportLanguage language) {
    const TableFigures f(decimalSeparator);
    std::vector<ShownTable> tables;
    ShownTable indicators{"Espécies indicadoras (IndVal)",
                          {"Espécie", "Tratamento", "IndVal (%)", "A", "B", "p"},
                          {},
                          {keyNote(names), "Dufrêne e Legendre 1997: IndVal = 100 A B; p por " +
                                               std::to_string(r.permutations) + " permutações das coletas."}};
    for (const auto& i : r.indicators)
        indicators.rows.push_back({std::to_string(i.species + 1), treatmentLabel(static_cast<std::size_t>(i.group - 1)),
                                   f(i.indval, 1), f(i.a, 4), f(i.b, 4), f(i.p, 4)});
    tables.push_back(std::move(indicators));
    if (const auto& t = r.permanova.table) {
        ShownTable permanova{"PERMANOVA",
                             {"Fonte", "Graus de liberdade", "Soma de quadrados", "F", "R²", "p"},
                             {},
                             {"Anderson 2001, um fator; p por " + std::to_string(r.permutations) + " permutações."}};
        permanova.rows.push_back(
            {"Tratamentos", std::to_string(t->dfBetween), f(t->ssBetween, 4), f(t->f, 4), f(t->r2, 4), f(t->p, 4)});
        permanova.rows.push_back({"Resíduo", std::to_string(t->dfWithin), f(t->ssWithin, 4), "", "", ""});
        permanova.rows.push_back({"Total", std::to_string(t->dfBetween + t->dfWithin), f(t->ssTotal, 4), "", "", ""});
        tables.push_back(std::move(permanova));
    }
    ShownTable eigen{"PCoA - autovalores", {"Eixo", "Autovalor"}, {}, {"Gower 1966; autovalores negativos mantidos."}};
    for (std::size_t k = 0; k < r.pcoa.eigenvalues.size(); ++k)
        eigen.rows.push_back({std::to_string(k + 1), f(r.pcoa.eigenvalues[k], 6)});
    tables.push_back(std::move(eigen));
    const bool nmds = r.nmds.result.has_value();
    ShownTable samples{"Coordenadas das coletas",
                       {"Tratamento", "Coleta", "PCoA 1", "PCoA 2"},
                       {},
                       {nmds ? reportText(language, "NMDS: stress ") + f(r.nmds.result->stress, 4) + "."
                             : reportText(language, "Sem NMDS.")}};
    if (nmds) {
        samples.headings.push_back("NMDS 1");
        samples.headings.push_back("NMDS 2");
    }
    for (std::size_t i = 0; i < r.samples.samples.size(); ++i) {
        const auto& id = r.samples.samples[i];
        std::vector<std::string> row{treatmentLabel(static_cast<std::size_t>(id.treatment - 1)),
                                     std::to_string(id.collection), f(r.pcoa.axis1.at(i), 4), f(r.pcoa.axis2.at(i), 4)};
        if (nmds) {
            row.push_back(f(r.nmds.result->axis1.at(i), 4));
            row.push_back(f(r.nmds.result->axis2.at(i), 4));
        }
        samples.rows.push_back(std::move(row));
    }
    tables.push_back(std::move(samples));
    // The PERMANOVA's sources.
    for (auto& table : tables)
        translateTable(table, language, {0});
    return tables;
}

const RunKindInfo& kindRow(std::type_identity<CommunitiesRun>) {
    static constexpr std::string_view reportForms[] = {
        "zaviro-relatorio --comunidades [--json] [--indice bray-curtis|jaccard] [--permutacoes N]\n"
        "                      [--semente S] ARQ1 ARQ2 [... ARQ10]"};
    static constexpr std::string_view desktopForms[] = {
        "zaviro --comunidades [--indice bray-curtis|jaccard] [--permutacoes N] [--semente S]\n"
        "            --pdf|--grafico SAIDA ARQ1 ARQ2 [... ARQ10]"};
    static constexpr std::string_view help = "as comunidades de 2 a 10 tratamentos pelas suas coletas\n"
                                             "(bloco [coletas] de cada arquivo): espécies indicadoras\n"
                                             "(IndVal), PERMANOVA, PCoA e NMDS";
    static constexpr RunKindInfo row{
        .name = "comunidades",
        .option = "--comunidades",
        .title = QT_TRANSLATE_NOOP("Zav", "Comunidades"),
        .minFiles = 2,
        .maxFiles = 10,
        .fileCountProblem = comparisonCountProblem,
        .reportSuffix = "-comunidades",
        .dataSuffix = "-comunidades",
        .index = IndexOption::Dissimilarity,
        .takesPermutations = true,
        .usage = {.reportForms = reportForms, .desktopForms = desktopForms, .reportHelp = help, .desktopHelp = help}};
    return row;
}

CommunitiesRun runKind(std::type_identity<CommunitiesRun>, const std::vector<std::filesystem::path>& files,
                       const RunParameters& parameters, Clock& clock) {
    return runCommunities(files, parameters.communities, clock);
}

CommunitiesRun runKind(std::type_identity<CommunitiesRun>, const std::vector<NamedBytes>& files,
                       const RunParameters& parameters, const DateTime& when) {
    std::vector<std::pair<std::string_view, std::string>> named;
    for (const auto& file : files)
        named.emplace_back(file.bytes, file.name);
    return runCommunities(named, parameters.communities, when);
}

std::vector<Figure> figuresOf(const CommunitiesRun& run, ChartLanguage language, const FluctuationFigureOptions&) {
    return figuresOf(run.result, run.treatments.namesUtf8(), language);
}

std::vector<ShownTable> tablesOf(const CommunitiesRun& run, char decimalSeparator, ReportLanguage language) {
    return communitiesTables(run.result, run.treatments.namesUtf8(), decimalSeparator, language);
}

const std::vector<std::string>& noticesOf(const CommunitiesRun& run) { return run.notices; }

} // namespace zav
