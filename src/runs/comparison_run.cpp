#include "runs/comparison_run.h"

#include "comparison/comparison_report.h"
#include "data/cp1252.h"
#include "data/report_text.h"
#include "data/window_text.h"
#include "runs/report_tables.h"
#include "runs/run_kinds.h"
#include "similarity/similarity_report.h"

namespace zav {

ComparisonRun runComparison(TreatmentFiles treatments, DendrogramIndex index) {
    ComparisonRun run{std::move(treatments), {}};
    run.result = compareTreatments(run.treatments.matrix, index);
    return run;
}

ComparisonRun runComparison(const std::vector<std::filesystem::path>& files, DendrogramIndex index, Clock& clock) {
    return runComparison(loadTreatments(files, clock), index);
}

std::string outputOf(const ComparisonRun& run, RunOutput output, ReportLanguage language) {
    const auto names = run.treatments.namesUtf8();
    if (output == RunOutput::Json) return comparisonJson(run.result, names, run.treatments.notes);
    std::vector<std::string> namesCp1252;
    for (const auto& name : names)
        namesCp1252.push_back(cp1252::fromUtf8(name));
    return joinReportLines(
        comparisonReport(run.result, namesCp1252, run.treatments.when, run.treatments.notes, language));
}

namespace {

void matrixTable(std::vector<ShownTable>& tables, const TableFigures& f, const IndexMatrix& m, const std::string& title,
                 const std::string& note) {
    ShownTable table{title, {""}, {}, {note}};
    for (std::size_t c = 0; c < m.size(); ++c)
        table.headings.push_back(treatmentLabel(c));
    for (std::size_t r = 0; r < m.size(); ++r) {
        std::vector<std::string> row{treatmentLabel(r)};
        for (const auto& cell : m[r])
            row.push_back(f(cell, 2));
        table.rows.push_back(std::move(row));
    }
    tables.push_back(std::move(table));
}

} // namespace

std::vector<ShownTable> comparisonTables(const ComparisonResult& r, const std::vector<std::string>& names,
                                         char decimalSeparator, ReportLanguage language) {
    const TableFigures f(decimalSeparator);
    std::vector<ShownTable> tables;
    ShownTable perTreatment{"Teste t de Hutcheson - tratamentos",
                            {"Tratamento", "Indivíduos", "Espécies", "H (ln)", "Variância de H"},
                            {},
                            {keyNote(names), "Variância de H como Zar: (soma p ln²p - (soma p ln p)²)/N."}};
    for (std::size_t i = 0; i < r.diversity.size(); ++i) {
        const auto& d = r.diversity[i];
        perTreatment.rows.push_back({treatmentLabel(i), std::to_string(d.individuals), std::to_string(d.species),
                                     f(d.shannon, 4), f(d.variance, 6)});
    }
    tables.push_back(std::move(perTreatment));
    ShownTable pairs{"Teste t de Hutcheson - pares",
                     {"Par", "t", "Graus de liberdade", "p", "p (Holm)"},
                     {},
                     {"Hutcheson 1970; graus de liberdade de Zar; p bilateral; p (Holm): ajustado pelo método de "
                      "Holm (1979)."}};
    for (const auto& p : r.hutcheson)
        pairs.rows.push_back({pairLabel(p.x, p.y), f(p.t, 3), f(p.df, 2), f.p(p.p), f.p(p.pHolm)});
    tables.push_back(std::move(pairs));
    matrixTable(tables, f, r.sorensen, "Sørensen - similaridade (%)", "Sørensen 1948: 2j / (a + b), presença.");
    matrixTable(tables, f, r.jaccard, "Jaccard - similaridade (%)", "Jaccard 1912: j / (a + b - j), presença.");
    matrixTable(tables, f, r.morisitaHorn, "Morisita-Horn - similaridade (%)", "Horn 1966, abundâncias.");
    matrixTable(tables, f, r.brayCurtis, "Bray-Curtis - similaridade (%)",
                "Bray e Curtis 1957: 1 - dissimilaridade, abundâncias.");
    for (auto& table : tables)
        translateTable(table, language);
    return tables;
}

const RunKindInfo& kindRow(std::type_identity<ComparisonRun>) {
    static constexpr std::string_view reportForms[] = {
        "zaviro-relatorio --comparacao [--json] [--indice sorensen|bray-curtis] ARQ1 ARQ2 [... ARQ10]"};
    static constexpr std::string_view desktopForms[] = {
        "zaviro --comparacao [--indice sorensen|bray-curtis] --pdf|--grafico SAIDA ARQ1 ARQ2 [... ARQ10]"};
    static constexpr std::string_view help = "compara 2 a 10 tratamentos: teste t de Hutcheson (Zar)\n"
                                             "com p de Holm, matrizes de Sorensen, Jaccard,\n"
                                             "Morisita-Horn e Bray-Curtis e o dendrograma UPGMA";
    static constexpr RunKindInfo row{
        .name = "comparacao",
        .option = "--comparacao",
        .title = QT_TRANSLATE_NOOP("Zav", "Comparação"),
        .minFiles = 2,
        .maxFiles = 10,
        .fileCountProblem = comparisonCountProblem,
        .reportSuffix = "-comparacao",
        .dataSuffix = "-comparacao",
        .index = IndexOption::Dendrogram,
        .usage = {.reportForms = reportForms, .desktopForms = desktopForms, .reportHelp = help, .desktopHelp = help}};
    return row;
}

ComparisonRun runKind(std::type_identity<ComparisonRun>, const std::vector<std::filesystem::path>& files,
                      const RunParameters& parameters, Clock& clock) {
    return runComparison(files, parameters.index, clock);
}

ComparisonRun runKind(std::type_identity<ComparisonRun>, const std::vector<NamedBytes>& files,
                      const RunParameters& parameters, const DateTime& when) {
    return runComparison(loadTreatments(files, when), parameters.index);
}

std::vector<Figure> figuresOf(const ComparisonRun& run, ChartLanguage language, const FluctuationFigureOptions&) {
    return figuresOf(run.result, run.treatments.namesUtf8(), language);
}

std::vector<ShownTable> tablesOf(const ComparisonRun& run, char decimalSeparator, ReportLanguage language) {
    return comparisonTables(run.result, run.treatments.namesUtf8(), decimalSeparator, language);
}

const std::vector<std::string>& noticesOf(const ComparisonRun& run) { return run.treatments.notes; }

} // namespace zav
