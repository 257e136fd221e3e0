#include "runs/diversity_run.h"

#include "analysis/analysis.h"
#include "data/collection_blocks.h"
#include "data/cp1252.h"
#include "data/errors.h"
#include "data/file_io.h"
#include "data/report_text.h"
#include "data/species_file.h"
#include "data/window_text.h"
#include "diversity/diversity_report.h"
#include "runs/report_tables.h"

namespace zav {

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

std::string outputOf(const DiversityRun& run, RunOutput output, ReportLanguage language) {
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

namespace {

void estimatorRow(ShownTable& table, const TableFigures& f, const std::string& name,
                  const diversity::RichnessEstimate& r) {
    table.rows.push_back({name, f(r.estimate, 3), f(r.standardError, 3), f(r.lower, 3), f(r.upper, 3),
                          r.missing.empty() ? r.variant : r.missing});
}

} // namespace

std::vector<ShownTable> diversityTables(const DiversityResult& r, char decimalSeparator, ReportLanguage language) {
    const TableFigures f(decimalSeparator);
    std::vector<ShownTable> tables;

    ShownTable sample{"Amostra", {"Medida", "Valor"}, {}, {"Cobertura da amostra: Chao e Jost 2012 (iNEXT)."}};
    sample.rows = {{"Indivíduos (n)", std::to_string(r.individuals)},
                   {"Espécies (S)", std::to_string(r.species)},
                   {"Coletas (T)", std::to_string(r.collections)},
                   {"Espécies com 1 indivíduo (f1)", std::to_string(r.f1)},
                   {"Espécies com 2 indivíduos (f2)", std::to_string(r.f2)},
                   {"Cobertura da amostra", f(r.coverage, 4)}};
    tables.push_back(std::move(sample));

    ShownTable richness{"Riqueza estimada",
                        {"Estimador", "Estimativa", "Erro padrão", "IC 95 % inferior", "IC 95 % superior", "Variante"},
                        {},
                        {"Chao1, Chao2: Chao 1987 (IC log-normal); Chao1 corrigido: vegan estimateR; ACE: Chao e "
                         "Lee 1992; ICE: Lee e Chao 1994; Jackknife 1: Burnham e Overton 1978; Jackknife 2 e "
                         "Bootstrap: Smith e van Belle 1984. - : não calculado (a razão na última coluna)."}};
    estimatorRow(richness, f, "Chao1", r.chao1);
    estimatorRow(richness, f, "Chao1 corrigido", r.chao1BiasCorrected);
    estimatorRow(richness, f, "ACE", r.ace);
    if (r.incidence) {
        estimatorRow(richness, f, "Chao2", r.incidence->chao2);
        estimatorRow(richness, f, "ICE", r.incidence->ice);
        estimatorRow(richness, f, "Jackknife 1", r.incidence->jackknife1);
        estimatorRow(richness, f, "Jackknife 2", r.incidence->jackknife2);
        estimatorRow(richness, f, "Bootstrap", r.incidence->bootstrap);
    } else {
        richness.notes.push_back(reportText(language, "Por incidência: ") + reportText(language, r.incidenceMissing));
    }
    tables.push_back(std::move(richness));

    const auto& ix = r.indices;
    ShownTable indices{"Índices (todas as espécies)", {"Índice", "Valor"}, {}, {}};
    indices.rows = {{"Shannon H (ln)", f(ix.shannon, 4)},
                    {"IC 95 % de H (Hutcheson), inferior", f(ix.shannonHutcheson.lower, 4)},
                    {"IC 95 % de H (Hutcheson), superior", f(ix.shannonHutcheson.upper, 4)},
                    {"IC 95 % de H (Zar), inferior", f(ix.shannonZar.lower, 4)},
                    {"IC 95 % de H (Zar), superior", f(ix.shannonZar.upper, 4)},
                    {"Simpson 1 - D", f(ix.simpson, 4)},
                    {"Simpson 1 / D", f(ix.inverseSimpson, 4)},
                    {"Berger-Parker", f(ix.bergerParker, 4)},
                    {"Pielou J", f(ix.pielou.number, 4)},
                    {"Margalef", f(ix.margalef.number, 4)},
                    {"Menhinick", f(ix.menhinick, 4)},
                    {"Brillouin", f(ix.brillouin, 4)},
                    {"Alfa de Fisher", f(ix.fisherAlpha.number, 4)}};
    indices.notes = {"Shannon 1948; Hutcheson 1970 (o IC de H a publicar) e Zar 2010; Simpson 1949; Berger e Parker "
                     "1970; Pielou 1966; Margalef 1958; Menhinick 1964; Brillouin 1956; Fisher, Corbet e Williams "
                     "1943."};
    tables.push_back(std::move(indices));

    ShownTable hill{"Números de Hill", {"Ordem", "Observado", "Estimado"}, {}, {}};
    const char* orders[] = {"q = 0 (riqueza)", "q = 1 (exp H)", "q = 2 (1 / D)"};
    for (std::size_t q = 0; q < 3; ++q)
        hill.rows.push_back({orders[q], f(r.hillObserved[q].number, 3), f(r.hillEstimated[q].number, 3)});
    hill.notes = {"Estimados: q = 0 Chao1; q = 1 Chao, Wang e Jost 2013; q = 2 Chao et al. 2014."};
    tables.push_back(std::move(hill));

    if (!r.curve.empty()) {
        ShownTable curve{"Curva por indivíduos",
                         {"m", "q = 0", "inf.", "sup.", "q = 1", "inf.", "sup.", "q = 2", "inf.", "sup.", "Cobertura",
                          "inf.", "sup."},
                         {},
                         {"Rarefação até n, extrapolação até 2n (Chao et al. 2014, como iNEXT 3.0); inf. e sup.: "
                          "faixa de 95 % por bootstrap (" +
                          std::to_string(r.bootstrapReplicates) + " réplicas)."}};
        for (const auto& p : r.curve) {
            std::vector<std::string> row{f.size(p.m)};
            for (std::size_t q = 0; q < 3; ++q) {
                row.push_back(f(p.values.hill[q], 3));
                row.push_back(f(p.hillBands[q].lower, 3));
                row.push_back(f(p.hillBands[q].upper, 3));
            }
            row.push_back(f(p.values.coverage, 4));
            row.push_back(f(p.coverageBand.lower, 4));
            row.push_back(f(p.coverageBand.upper, 4));
            curve.rows.push_back(std::move(row));
        }
        tables.push_back(std::move(curve));
    }
    if (r.incidence && !r.incidence->curve.empty()) {
        ShownTable curve{"Curva por coletas",
                         {"Coletas (t)", "Riqueza", "inf.", "sup."},
                         {},
                         {"Riqueza esperada em t coletas (Kindt 2003; vegan specaccum \"exact\"), extrapolação a "
                          "Chao2 (iNEXT); faixa de 95 % por bootstrap."}};
        for (const auto& p : r.incidence->curve)
            curve.rows.push_back({f.size(p.t), f(p.richness, 3), f(p.band.lower, 3), f(p.band.upper, 3)});
        tables.push_back(std::move(curve));
    }
    // The estimators' names, and their variants or reasons.
    for (auto& table : tables)
        translateTable(table, language, {0, 5});
    return tables;
}

const RunKindInfo& kindRow(std::type_identity<DiversityRun>) {
    static constexpr std::string_view reportForms[] = {
        "zaviro-relatorio --diversidade [--json | --csv] ARQUIVO",
        "zaviro-relatorio --diversidade [--json | --csv] --saida PASTA ARQ1 [ARQ2 ...]"};
    static constexpr RunKindInfo row{
        .name = "diversidade",
        .option = "--diversidade",
        .title = QT_TRANSLATE_NOOP("Zav", "Diversidade"),
        .minFiles = 1,
        .maxFiles = 1,
        .reportSuffix = "-diversidade",
        .dataSuffix = "-diversidade",
        .csv = true,
        .runningStatus = QT_TRANSLATE_NOOP("Zav", "Calculando a diversidade do arquivo: "),
        .doneStatus = QT_TRANSLATE_NOOP("Zav", "Diversidade do arquivo: "),
        .doneStatusEnd = QT_TRANSLATE_NOOP("Zav", " finalizada"),
        .menuText = QT_TRANSLATE_NOOP("Zav", "Di&versidade"),
        .menuName = "MnuDiversidade",
        .usage = {.reportForms = reportForms,
                  .desktopForms = {},
                  .reportHelp = "o relatório de diversidade (ZAVIRO - DIVERSIDADE) de todas\n"
                                "as espécies com indivíduos: cobertura (Chao e Jost 2012),\n"
                                "Chao1 (Chao 1987; iNEXT e vegan), ACE, Chao2, ICE,\n"
                                "jackknife e bootstrap (vegan specpool), Shannon, Simpson,\n"
                                "Berger-Parker, Pielou, Margalef, Menhinick, Brillouin,\n"
                                "alfa de Fisher, números de Hill e curvas de rarefação e\n"
                                "extrapolação (Chao et al. 2014); com --csv, a curva por\n"
                                "indivíduos; com --saida, NOME-diversidade.txt/.json/.csv",
                  .desktopHelp = "o relatório de diversidade do arquivo e as suas curvas"}};
    return row;
}

DiversityRun runKind(std::type_identity<DiversityRun>, const std::vector<std::filesystem::path>& files,
                     const RunParameters&, Clock& clock) {
    return runDiversity(onlyFile(files), clock);
}

DiversityRun runKind(std::type_identity<DiversityRun>, const std::vector<NamedBytes>& files, const RunParameters&,
                     const DateTime& when) {
    return runDiversity(onlyFile(files).bytes, onlyFile(files).name, when);
}

std::vector<Figure> figuresOf(const DiversityRun& run, ChartLanguage language, const FluctuationFigureOptions&) {
    return figuresOf(run.result, language);
}

std::vector<ShownTable> tablesOf(const DiversityRun& run, char decimalSeparator, ReportLanguage language) {
    return diversityTables(run.result, decimalSeparator, language);
}

const std::vector<std::string>& noticesOf(const DiversityRun& run) { return run.warnings; }

} // namespace zav
