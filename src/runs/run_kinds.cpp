#include "runs/run_kinds.h"

#include "comparison/comparison.h"
#include "data/errors.h"
#include "data/overloaded.h"
#include "data/window_text.h"
#include "runs/report_tables.h"
#include "similarity/similarity.h"

#include <algorithm>

namespace zav {
namespace {

constexpr RunKindInfo kKinds[] = {
    {.kind = RunKind::Faunistic,
     .name = "faunistica",
     .option = "",
     .title = QT_TRANSLATE_NOOP("Zav", "Análise faunística"),
     .minFiles = 1,
     .maxFiles = 1,
     .fileCountProblem = nullptr,
     .reportSuffix = "-relatorio",
     .dataSuffix = "",
     .json = true,
     .csv = true,
     .xlsx = true,
     .takesIndex = false,
     .takesPermutations = false,
     .takesLag = false,
     .runningStatus = QT_TRANSLATE_NOOP("Zav", "Calculando o arquivo: "),
     .doneStatus = QT_TRANSLATE_NOOP("Zav", "Cálculo do arquivo: "),
     .doneStatusEnd = QT_TRANSLATE_NOOP("Zav", " finalizado"),
     .menuText = QT_TRANSLATE_NOOP("Zav", "&Calcular"),
     .menuName = "MnuCalcular"},
    {.kind = RunKind::Diversity,
     .name = "diversidade",
     .option = "--diversidade",
     .title = QT_TRANSLATE_NOOP("Zav", "Diversidade"),
     .minFiles = 1,
     .maxFiles = 1,
     .fileCountProblem = nullptr,
     .reportSuffix = "-diversidade",
     .dataSuffix = "-diversidade",
     .json = true,
     .csv = true,
     .xlsx = false,
     .takesIndex = false,
     .takesPermutations = false,
     .takesLag = false,
     .runningStatus = QT_TRANSLATE_NOOP("Zav", "Calculando a diversidade do arquivo: "),
     .doneStatus = QT_TRANSLATE_NOOP("Zav", "Diversidade do arquivo: "),
     .doneStatusEnd = QT_TRANSLATE_NOOP("Zav", " finalizada"),
     .menuText = QT_TRANSLATE_NOOP("Zav", "Di&versidade"),
     .menuName = "MnuDiversidade"},
    {.kind = RunKind::Similarity,
     .name = "similaridade",
     .option = "--similaridade",
     .title = QT_TRANSLATE_NOOP("Zav", "Similaridade"),
     .minFiles = 3,
     .maxFiles = 10,
     .fileCountProblem = treatmentCountProblem,
     .reportSuffix = "-similaridade",
     .dataSuffix = "-similaridade",
     .json = true,
     .csv = false,
     .xlsx = false,
     .takesIndex = false,
     .takesPermutations = false,
     .takesLag = false,
     .runningStatus = "",
     .doneStatus = "",
     .doneStatusEnd = ""},
    {.kind = RunKind::Comparison,
     .name = "comparacao",
     .option = "--comparacao",
     .title = QT_TRANSLATE_NOOP("Zav", "Comparação"),
     .minFiles = 2,
     .maxFiles = 10,
     .fileCountProblem = comparisonCountProblem,
     .reportSuffix = "-comparacao",
     .dataSuffix = "-comparacao",
     .json = true,
     .csv = false,
     .xlsx = false,
     .takesIndex = true,
     .takesPermutations = false,
     .takesLag = false,
     .runningStatus = "",
     .doneStatus = "",
     .doneStatusEnd = ""},
    {.kind = RunKind::Communities,
     .name = "comunidades",
     .option = "--comunidades",
     .title = QT_TRANSLATE_NOOP("Zav", "Comunidades"),
     .minFiles = 2,
     .maxFiles = 10,
     .fileCountProblem = comparisonCountProblem,
     .reportSuffix = "-comunidades",
     .dataSuffix = "-comunidades",
     .json = true,
     .csv = false,
     .xlsx = false,
     .takesIndex = true,
     .takesPermutations = true,
     .takesLag = false,
     .runningStatus = "",
     .doneStatus = "",
     .doneStatusEnd = ""},
    {.kind = RunKind::Fluctuation,
     .name = "flutuacao",
     .option = "--flutuacao",
     .title = QT_TRANSLATE_NOOP("Zav", "Flutuação"),
     .minFiles = 1,
     .maxFiles = 1,
     .fileCountProblem = nullptr,
     .reportSuffix = "-flutuacao",
     .dataSuffix = "-flutuacao",
     .json = true,
     .csv = true,
     .xlsx = false,
     .takesIndex = false,
     .takesPermutations = false,
     .takesLag = true,
     .runningStatus = QT_TRANSLATE_NOOP("Zav", "Calculando a flutuação do arquivo: "),
     .doneStatus = QT_TRANSLATE_NOOP("Zav", "Flutuação do arquivo: "),
     .doneStatusEnd = QT_TRANSLATE_NOOP("Zav", " finalizada"),
     .menuText = QT_TRANSLATE_NOOP("Zav", "&Flutuação"),
     .menuName = "MnuFlutuacao"},
};

TreatmentFiles treatmentsOf(const std::vector<NamedBytes>& files) {
    TreatmentFiles treatments;
    for (const auto& file : files)
        treatments.add(file.bytes, file.name);
    return treatments;
}

const NamedBytes& onlyFile(const std::vector<NamedBytes>& files) {
    if (files.size() != 1) throw Error("Erro: esta análise lê um só arquivo de dados");
    return files.front();
}

const std::filesystem::path& onlyFile(const std::vector<std::filesystem::path>& files) {
    if (files.size() != 1) throw Error("Erro: esta análise lê um só arquivo de dados");
    return files.front();
}

// The treatments' count, refused as the panels refuse it, before any file
// is read.
void checkCount(RunKind kind, std::size_t count) {
    const auto& info = runKind(kind);
    if (!info.fileCountProblem) return;
    if (auto problem = info.fileCountProblem(static_cast<std::int64_t>(count)); !problem.empty())
        throw Error(std::move(problem));
}

} // namespace

std::span<const RunKindInfo> runKinds() { return kKinds; }

const RunKindInfo& runKind(RunKind kind) {
    for (const auto& info : kKinds)
        if (info.kind == kind) return info;
    throw Error("Erro: análise desconhecida");
}

const RunKindInfo* runKindOfOption(std::string_view option) {
    const auto* found = std::find_if(std::begin(kKinds), std::end(kKinds),
                                     [&](const RunKindInfo& info) { return !option.empty() && info.option == option; });
    return found == std::end(kKinds) ? nullptr : found;
}

const RunKindInfo* runKindNamed(std::string_view name) {
    const auto* found =
        std::find_if(std::begin(kKinds), std::end(kKinds), [&](const RunKindInfo& info) { return info.name == name; });
    return found == std::end(kKinds) ? nullptr : found;
}

RunKind kindOf(const AnyRun& run) {
    return std::visit([](const auto& held) { return kindOf(held); }, run);
}

AnyRun runFiles(RunKind kind, const std::vector<std::filesystem::path>& files, const RunParameters& parameters,
                Clock& clock) {
    checkCount(kind, files.size());
    switch (kind) {
    case RunKind::Faunistic:
        return runSurvey(onlyFile(files), clock);
    case RunKind::Diversity:
        return runDiversity(onlyFile(files), clock);
    case RunKind::Similarity:
        return runSimilarity(files, clock);
    case RunKind::Comparison:
        return runComparison(files, parameters.index, clock);
    case RunKind::Communities:
        return runCommunities(files, parameters.communities, clock);
    case RunKind::Fluctuation:
        return runFluctuation(onlyFile(files), parameters.lag, clock);
    }
    throw Error("Erro: análise desconhecida");
}

AnyRun runFiles(RunKind kind, const std::vector<std::filesystem::path>& files, const RunParameters& parameters,
                const DateTime& when) {
    checkCount(kind, files.size());
    switch (kind) {
    case RunKind::Faunistic:
        return runSurvey(onlyFile(files), when);
    case RunKind::Diversity:
        return runDiversity(onlyFile(files), when);
    case RunKind::Communities:
        return runCommunities(files, parameters.communities, when);
    case RunKind::Fluctuation:
        return runFluctuation(onlyFile(files), parameters.lag, when);
    case RunKind::Similarity:
    case RunKind::Comparison: {
        TreatmentFiles treatments;
        for (const auto& file : files)
            treatments.add(file);
        treatments.finish(when);
        if (kind == RunKind::Similarity) return runSimilarity(std::move(treatments));
        return runComparison(std::move(treatments), parameters.index);
    }
    }
    throw Error("Erro: análise desconhecida");
}

AnyRun runBytes(RunKind kind, const std::vector<NamedBytes>& files, const RunParameters& parameters,
                const DateTime& when) {
    checkCount(kind, files.size());
    switch (kind) {
    case RunKind::Faunistic:
        return runSurvey(onlyFile(files).bytes, onlyFile(files).name, when);
    case RunKind::Diversity:
        return runDiversity(onlyFile(files).bytes, onlyFile(files).name, when);
    case RunKind::Communities: {
        std::vector<std::pair<std::string_view, std::string>> named;
        for (const auto& file : files)
            named.emplace_back(file.bytes, file.name);
        return runCommunities(named, parameters.communities, when);
    }
    case RunKind::Fluctuation:
        return runFluctuation(onlyFile(files).bytes, onlyFile(files).name, parameters.lag, when);
    case RunKind::Similarity:
    case RunKind::Comparison: {
        auto treatments = treatmentsOf(files);
        treatments.finish(when);
        if (kind == RunKind::Similarity) return runSimilarity(std::move(treatments));
        return runComparison(std::move(treatments), parameters.index);
    }
    }
    throw Error("Erro: análise desconhecida");
}

std::string runOutput(const AnyRun& run, RunOutput output, ReportLanguage language) {
    return std::visit(Overloaded{
                          [&](const SurveyRun& held) { return surveyOutput(held, output, language); },
                          [&](const DiversityRun& held) { return diversityOutput(held, output, language); },
                          [&](const SimilarityRun& held) { return similarityOutput(held, output, language); },
                          [&](const ComparisonRun& held) { return comparisonOutput(held, output, language); },
                          [&](const CommunitiesRun& held) { return communitiesOutput(held, output, language); },
                          [&](const FluctuationRun& held) { return fluctuationOutput(held, output, language); },
                      },
                      run);
}

std::vector<Figure> runFigures(const AnyRun& run, ChartLanguage language, const FluctuationFigureOptions& fluctuation) {
    return std::visit(
        Overloaded{
            [&](const SurveyRun& held) { return figuresOf(held.result, language); },
            [&](const DiversityRun& held) { return figuresOf(held.result, language); },
            [&](const SimilarityRun& held) { return figuresOf(held.result, held.treatments.namesUtf8(), language); },
            [&](const ComparisonRun& held) { return figuresOf(held.result, held.treatments.namesUtf8(), language); },
            [&](const CommunitiesRun& held) { return figuresOf(held.result, held.treatments.namesUtf8(), language); },
            [&](const FluctuationRun& held) { return figuresOf(held.result, language, fluctuation); },
        },
        run);
}

const std::vector<std::string>& runNotices(const AnyRun& run) {
    return std::visit(
        Overloaded{
            [](const SurveyRun& held) -> const std::vector<std::string>& { return held.result.table.warnings; },
            [](const DiversityRun& held) -> const std::vector<std::string>& { return held.warnings; },
            [](const SimilarityRun& held) -> const std::vector<std::string>& { return held.treatments.notes; },
            [](const ComparisonRun& held) -> const std::vector<std::string>& { return held.treatments.notes; },
            [](const CommunitiesRun& held) -> const std::vector<std::string>& { return held.notices; },
            [](const FluctuationRun& held) -> const std::vector<std::string>& { return held.warnings; },
        },
        run);
}

std::vector<ShownTable> runTables(const AnyRun& run, char decimalSeparator, ReportLanguage language) {
    return std::visit(
        Overloaded{
            [&](const SurveyRun& held) { return surveyTables(held.result, decimalSeparator, language); },
            [&](const DiversityRun& held) { return diversityTables(held.result, decimalSeparator, language); },
            [&](const SimilarityRun& held) {
                return similarityTables(held.result, held.treatments.namesUtf8(), decimalSeparator, language);
            },
            [&](const ComparisonRun& held) {
                return comparisonTables(held.result, held.treatments.namesUtf8(), decimalSeparator, language);
            },
            [&](const CommunitiesRun& held) {
                return communitiesTables(held.result, held.treatments.namesUtf8(), decimalSeparator, language);
            },
            [&](const FluctuationRun& held) { return fluctuationTables(held.result, decimalSeparator, language); },
        },
        run);
}

// A run of one file holds its path; a run of several, its treatments.
template <typename Run>
concept OfTreatments = requires(Run run) {
    run.treatments;
};

void nameRunFiles(AnyRun& run, const std::vector<std::filesystem::path>& paths, const std::vector<std::string>& names) {
    std::visit(
        [&](auto& held) {
            if constexpr (OfTreatments<decltype(held)>) {
                if (paths.size() == held.treatments.paths.size()) held.treatments.paths = paths;
                held.treatments.rename(names);
            } else if (paths.size() == 1) {
                held.path = paths.front();
            }
        },
        run);
}

std::vector<std::filesystem::path> runPaths(const AnyRun& run) {
    return std::visit(
        [](const auto& held) -> std::vector<std::filesystem::path> {
            if constexpr (OfTreatments<decltype(held)>)
                return held.treatments.paths;
            else
                return {held.path};
        },
        run);
}

std::vector<std::string> runTreatmentNames(const AnyRun& run) {
    return std::visit(
        [](const auto& held) -> std::vector<std::string> {
            if constexpr (OfTreatments<decltype(held)>)
                return held.treatments.namesUtf8();
            else
                return {};
        },
        run);
}

} // namespace zav
