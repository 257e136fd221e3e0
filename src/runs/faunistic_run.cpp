#include "runs/faunistic_run.h"

#include "analysis/analysis_export.h"
#include "analysis/report.h"
#include "data/cp1252.h"
#include "data/file_io.h"
#include "data/report_text.h"
#include "data/species_file.h"
#include "data/window_text.h"
#include "runs/report_tables.h"

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

std::string outputOf(const SurveyRun& run, RunOutput output, ReportLanguage language) {
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

std::vector<ShownTable> surveyTables(const AnalysisResult& result, char decimalSeparator, ReportLanguage language) {
    const TableFigures f(decimalSeparator);
    auto cells = speciesTableCells(result, decimalSeparator, language);
    ShownTable species{"Análise faunística - espécies", std::move(cells.front()), {}, {}};
    cells.erase(cells.begin());
    species.rows = std::move(cells);
    species.notes = {"Dominância (Kato, Matsuda e Yamashita 1952): SD superdominante, D dominante, ND não dominante.",
                     "Abundância: sa superabundante, ma muito abundante, a abundante, c comum, d dispersa, r rara.",
                     "Frequência: SF superfrequente, MF muito frequente, F frequente, PF pouco frequente.",
                     "Constância: W constante, Y acessória, Z acidental.",
                     "Predominante (*): dominante, muito abundante, muito frequente e constante.",
                     "% de N': parte dos indivíduos sem as espécies superabundantes; - : espécie posta à parte."};
    const auto& ix = result.indices;
    ShownTable indices{"Análise faunística - índices", {"Índice", "Valor"}, {}, {}};
    indices.rows.push_back({"Indivíduos (N)", std::to_string(result.table.totalIndividuals)});
    indices.rows.push_back({"Espécies (S)", std::to_string(result.table.species.size())});
    indices.rows.push_back({"Coletas", std::to_string(result.table.totalCollections)});
    indices.rows.push_back({"Diversidade de Shannon (H)", f(ix.shannon, 4)});
    indices.rows.push_back({"Intervalo de H (P=0,05), limite inferior", f(ix.shannonLower, 4)});
    indices.rows.push_back({"Intervalo de H (P=0,05), limite superior", f(ix.shannonUpper, 4)});
    indices.rows.push_back({"Riqueza de Margalef", f(ix.margalef, 4)});
    indices.rows.push_back({"Equitabilidade", f(ix.evenness, 4)});
    indices.notes = {"O intervalo de H é o do método (H -/+ 2 raiz(v/N')); o IC 95 % de H a publicar "
                     "(Hutcheson 1970) está no relatório Diversidade."};
    translateTable(species, language);
    translateTable(indices, language, {0});
    return {std::move(species), std::move(indices)};
}

const RunKindInfo& kindRow(std::type_identity<SurveyRun>) {
    static constexpr std::string_view reportForms[] = {
        "zaviro-relatorio [--json | --csv | --xlsx] ARQUIVO",
        "zaviro-relatorio [--json | --csv | --xlsx] --saida PASTA ARQ1 [ARQ2 ...]"};
    // The diversity's too, which takes the same form.
    static constexpr std::string_view desktopForms[] = {
        "zaviro [--diversidade] --pdf SAIDA.pdf ARQUIVO",
        "zaviro [--diversidade] --grafico SAIDA.svg|SAIDA.png|SAIDA.pdf ARQUIVO"};
    static constexpr RunKindInfo row{
        .name = "faunistica",
        .title = QT_TRANSLATE_NOOP("Zav", "Análise faunística"),
        .minFiles = 1,
        .maxFiles = 1,
        .reportSuffix = "-relatorio",
        .csv = true,
        .xlsx = true,
        .runningStatus = QT_TRANSLATE_NOOP("Zav", "Calculando o arquivo: "),
        .doneStatus = QT_TRANSLATE_NOOP("Zav", "Cálculo do arquivo: "),
        .doneStatusEnd = QT_TRANSLATE_NOOP("Zav", " finalizado"),
        .menuText = QT_TRANSLATE_NOOP("Zav", "&Calcular"),
        .menuName = "MnuCalcular",
        .usage = {.reportForms = reportForms, .desktopForms = desktopForms, .reportHelp = "", .desktopHelp = ""}};
    return row;
}

SurveyRun runKind(std::type_identity<SurveyRun>, const std::vector<std::filesystem::path>& files, const RunParameters&,
                  Clock& clock) {
    return runSurvey(onlyFile(files), clock);
}

SurveyRun runKind(std::type_identity<SurveyRun>, const std::vector<NamedBytes>& files, const RunParameters&,
                  const DateTime& when) {
    return runSurvey(onlyFile(files).bytes, onlyFile(files).name, when);
}

std::vector<Figure> figuresOf(const SurveyRun& run, ChartLanguage language, const FluctuationFigureOptions&) {
    return figuresOf(run.result, language);
}

std::vector<ShownTable> tablesOf(const SurveyRun& run, char decimalSeparator, ReportLanguage language) {
    return surveyTables(run.result, decimalSeparator, language);
}

const std::vector<std::string>& noticesOf(const SurveyRun& run) { return run.result.table.warnings; }

} // namespace zav
