#include "runs/similarity_run.h"

#include "data/report_text.h"
#include "data/window_text.h"
#include "runs/report_tables.h"
#include "similarity/similarity_export.h"
#include "similarity/similarity_report.h"

namespace zav {

SimilarityRun runSimilarity(TreatmentFiles treatments) {
    SimilarityRun run{std::move(treatments), {}};
    run.result = CalculaSimilaridade(run.treatments.matrix);
    return run;
}

SimilarityRun runSimilarity(const std::vector<std::filesystem::path>& files, Clock& clock) {
    return runSimilarity(loadTreatments(files, clock));
}

std::string outputOf(const SimilarityRun& run, RunOutput output, ReportLanguage language) {
    if (output == RunOutput::Json) return similarityJson(run.result, run.treatments.pathsUtf8(), run.treatments.notes);
    return joinReportLines(similarityReport(run.result, run.treatments.when, run.treatments.notes, language));
}

std::vector<ShownTable> similarityTables(const SimilarityResult& result, const std::vector<std::string>& names,
                                         char decimalSeparator, ReportLanguage language) {
    const TableFigures f(decimalSeparator);
    ShownTable pairs{"Similaridade de Sørensen",
                     {"Par", "Espécies comuns (j)", "Espécies (a)", "Espécies (b)", "Quociente (%)",
                      "IC inferior (P=0,05)", "IC superior (P=0,05)"},
                     {},
                     {"Quociente de similaridade de Sørensen (1948): 2j / (a + b).", keyNote(names)}};
    for (const auto& p : result.pairs)
        pairs.rows.push_back({pairLabel(p), std::to_string(p.common), std::to_string(p.speciesX),
                              std::to_string(p.speciesY), p.quotientDefined ? f(p.quotient, 2) : "-",
                              p.intervalDefined ? f(p.lower, 2) : "-", p.intervalDefined ? f(p.upper, 2) : "-"});
    translateTable(pairs, language);
    return {std::move(pairs)};
}

const RunKindInfo& kindRow(std::type_identity<SimilarityRun>) {
    static constexpr std::string_view reportForms[] = {
        "zaviro-relatorio --similaridade [--json] ARQ1 ARQ2 ARQ3 [... ARQ10]"};
    static constexpr std::string_view desktopForms[] = {
        "zaviro --similaridade --pdf|--grafico SAIDA ARQ1 ARQ2 ARQ3 [... ARQ10]"};
    static constexpr std::string_view help = "a similaridade (Sorensen) de 3 a 10 arquivos de dados";
    static constexpr RunKindInfo row{
        .name = "similaridade",
        .option = "--similaridade",
        .title = QT_TRANSLATE_NOOP("Zav", "Similaridade"),
        .minFiles = 3,
        .maxFiles = 10,
        .fileCountProblem = treatmentCountProblem,
        .reportSuffix = "-similaridade",
        .dataSuffix = "-similaridade",
        .usage = {.reportForms = reportForms, .desktopForms = desktopForms, .reportHelp = help, .desktopHelp = help}};
    return row;
}

SimilarityRun runKind(std::type_identity<SimilarityRun>, const std::vector<std::filesystem::path>& files,
                      const RunParameters&, Clock& clock) {
    return runSimilarity(files, clock);
}

SimilarityRun runKind(std::type_identity<SimilarityRun>, const std::vector<NamedBytes>& files, const RunParameters&,
                      const DateTime& when) {
    return runSimilarity(loadTreatments(files, when));
}

std::vector<Figure> figuresOf(const SimilarityRun& run, ChartLanguage language, const FluctuationFigureOptions&) {
    return figuresOf(run.result, run.treatments.namesUtf8(), language);
}

std::vector<ShownTable> tablesOf(const SimilarityRun& run, char decimalSeparator, ReportLanguage language) {
    return similarityTables(run.result, run.treatments.namesUtf8(), decimalSeparator, language);
}

const std::vector<std::string>& noticesOf(const SimilarityRun& run) { return run.treatments.notes; }

} // namespace zav
