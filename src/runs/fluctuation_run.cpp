#include "runs/fluctuation_run.h"

#include "data/cp1252.h"
#include "data/file_io.h"
#include "data/report_text.h"
#include "data/species_file.h"
#include "data/window_text.h"
#include "fluctuation/fluctuation_report.h"
#include "runs/report_tables.h"
#include "runs/run_kinds.h"

namespace zav {

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

std::string outputOf(const FluctuationRun& run, RunOutput output, ReportLanguage language) {
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

std::vector<ShownTable> fluctuationTables(const FluctuationResult& r, char decimalSeparator, ReportLanguage language) {
    const TableFigures f(decimalSeparator);
    std::vector<ShownTable> tables;
    ShownTable collections{"Coletas",
                           {"Coleta", "Data", "Indivíduos", "Espécies", "Shannon H"},
                           {},
                           {"Shannon H: logaritmo natural (Shannon 1948); - : coleta sem indivíduos."}};
    for (const auto number : r.predominant)
        collections.headings.push_back(reportText(language, "Espécie ") + std::to_string(number));
    for (const auto& c : r.collections) {
        std::vector<std::string> row = {std::to_string(c.number), c.date ? formatDate(*c.date) : "-",
                                        std::to_string(c.individuals), std::to_string(c.species), f(c.shannon, 4)};
        for (const auto count : c.predominant)
            row.push_back(std::to_string(count));
        collections.rows.push_back(std::move(row));
    }
    tables.push_back(std::move(collections));

    ShownTable correlations{"Correlações com o clima (defasagem " + std::to_string(r.lag) + ")",
                            {"Série", "Nome", "Variável", "n", "r de Pearson", "p", "rho de Spearman", "p", "Motivo"},
                            {},
                            {"Pearson 1896; Spearman 1904 (postos médios nos empates); p bilateral pelo t de "
                             "Student com n-2 graus de liberdade (Zar 2010, cap. 19)."}};
    for (const auto& c : r.correlations) {
        const auto& pearson = c.result.pearson;
        const auto& spearman = c.result.spearman;
        correlations.rows.push_back({c.series, c.name, r.variables[c.variable], std::to_string(c.result.n),
                                     f(pearson ? std::optional<double>(pearson->value) : std::nullopt, 4),
                                     f(pearson ? std::optional<double>(pearson->p) : std::nullopt, 4),
                                     f(spearman ? std::optional<double>(spearman->value) : std::nullopt, 4),
                                     f(spearman ? std::optional<double>(spearman->p) : std::nullopt, 4),
                                     c.result.missing});
    }
    tables.push_back(std::move(correlations));

    ShownTable season{"Sazonalidade (teste de Rayleigh)",
                      {"Medida", "Valor"},
                      {},
                      {"Zar 2010, cap. 26-27: as datas como ângulos, com o peso dos indivíduos."}};
    if (const auto& s = r.seasonality) {
        season.rows = {{"n (indivíduos)", f(s->n, 0)},
                       {"r (vetor médio)", f(s->r, 4)},
                       {"Ângulo médio (graus)", f(s->meanAngle, 2)},
                       {"Data média", s->meanDate},
                       {"Desvio circular (graus)", f(s->circularSd, 2)},
                       {"z de Rayleigh", f(s->z, 4)},
                       {"p", f(s->p, 4)}};
    } else {
        season.notes.push_back("- : " + reportText(language, r.seasonalityMissing));
    }
    tables.push_back(std::move(season));
    translateTable(tables[0], language);
    // The series and the reason a correlation is missing; the seasonality's
    // measures.
    translateTable(tables[1], language, {0, 8});
    translateTable(tables[2], language, {0});
    return tables;
}

const RunKindInfo& kindRow(std::type_identity<FluctuationRun>) {
    static constexpr std::string_view reportForms[] = {
        "zaviro-relatorio --flutuacao [--json | --csv] [--defasagem K] ARQUIVO",
        "zaviro-relatorio --flutuacao [--json | --csv] [--defasagem K] --saida PASTA ARQ1 [ARQ2 ...]"};
    static constexpr std::string_view desktopForms[] = {
        "zaviro --flutuacao [--defasagem K] --pdf|--grafico SAIDA ARQUIVO"};
    static constexpr std::string_view help = "a flutuação populacional de um levantamento com o bloco\n"
                                             "[coletas]: indivíduos, espécies, H de Shannon e as\n"
                                             "espécies predominantes de cada coleta; correlações de\n"
                                             "Pearson e Spearman com o clima do bloco [clima];\n"
                                             "sazonalidade pelo teste de Rayleigh (Zar 2010)";
    static constexpr RunKindInfo row{
        .name = "flutuacao",
        .option = "--flutuacao",
        .title = QT_TRANSLATE_NOOP("Zav", "Flutuação"),
        .minFiles = 1,
        .maxFiles = 1,
        .reportSuffix = "-flutuacao",
        .dataSuffix = "-flutuacao",
        .csv = true,
        .takesLag = true,
        .runningStatus = QT_TRANSLATE_NOOP("Zav", "Calculando a flutuação do arquivo: "),
        .doneStatus = QT_TRANSLATE_NOOP("Zav", "Flutuação do arquivo: "),
        .doneStatusEnd = QT_TRANSLATE_NOOP("Zav", " finalizada"),
        .menuText = QT_TRANSLATE_NOOP("Zav", "&Flutuação"),
        .menuName = "MnuFlutuacao",
        .usage = {.reportForms = reportForms, .desktopForms = desktopForms, .reportHelp = help, .desktopHelp = help}};
    return row;
}

FluctuationRun runKind(std::type_identity<FluctuationRun>, const std::vector<std::filesystem::path>& files,
                       const RunParameters& parameters, Clock& clock) {
    return runFluctuation(onlyFile(files), parameters.lag, clock);
}

FluctuationRun runKind(std::type_identity<FluctuationRun>, const std::vector<NamedBytes>& files,
                       const RunParameters& parameters, const DateTime& when) {
    return runFluctuation(onlyFile(files).bytes, onlyFile(files).name, parameters.lag, when);
}

std::vector<Figure> figuresOf(const FluctuationRun& run, ChartLanguage language,
                              const FluctuationFigureOptions& options) {
    return figuresOf(run.result, language, options);
}

std::vector<ShownTable> tablesOf(const FluctuationRun& run, char decimalSeparator, ReportLanguage language) {
    return fluctuationTables(run.result, decimalSeparator, language);
}

const std::vector<std::string>& noticesOf(const FluctuationRun& run) { return run.warnings; }

} // namespace zav
