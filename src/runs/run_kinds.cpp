#include "runs/run_kinds.h"

#include "data/errors.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

namespace zav {
namespace {

constexpr std::size_t kKindCount = std::variant_size_v<AnyRun>;
template <std::size_t I> using RunAt = std::variant_alternative_t<I, AnyRun>;

// The kinds' rows, each marked with its place.
const std::array<RunKindInfo, kKindCount>& table() {
    static const auto rows = []<std::size_t... I>(std::index_sequence<I...>) {
        std::array<RunKindInfo, kKindCount> out{kindRow(std::type_identity<RunAt<I>>{})...};
        for (std::size_t i = 0; i < kKindCount; ++i)
            out[i].kind = static_cast<RunKind>(i);
        return out;
    }
    (std::make_index_sequence<kKindCount>{});
    return rows;
}

// The treatments' count, refused as the panels refuse it, before any file
// is read.
void checkCount(RunKind kind, std::size_t count) {
    const auto& info = runKind(kind);
    if (!info.fileCountProblem) return;
    if (auto problem = info.fileCountProblem(static_cast<std::int64_t>(count)); !problem.empty())
        throw Error(std::move(problem));
}

// `make` run for the type of `kind`'s run.
template <typename Make> AnyRun runOfKind(RunKind kind, Make make) {
    return [&]<std::size_t... I>(std::index_sequence<I...>) {
        std::optional<AnyRun> run;
        ((static_cast<std::size_t>(kind) == I
              ? (void)run.emplace(std::in_place_index<I>, make(std::type_identity<RunAt<I>>{}))
              : void()),
         ...);
        if (!run) throw Error("Erro: análise desconhecida");
        return std::move(*run);
    }
    (std::make_index_sequence<kKindCount>{});
}

// A clock stopped at a time already read.
class StoppedClock : public Clock {
  public:
    explicit StoppedClock(const DateTime& when) : when_(when) {}
    DateTime now() override { return when_; }

  private:
    DateTime when_;
};

} // namespace

const std::filesystem::path& onlyFile(const std::vector<std::filesystem::path>& files) {
    if (files.size() != 1) throw Error("Erro: esta análise lê um só arquivo de dados");
    return files.front();
}

const NamedBytes& onlyFile(const std::vector<NamedBytes>& files) {
    if (files.size() != 1) throw Error("Erro: esta análise lê um só arquivo de dados");
    return files.front();
}

std::span<const RunKindInfo> runKinds() { return table(); }

const RunKindInfo& runKind(RunKind kind) {
    for (const auto& info : table())
        if (info.kind == kind) return info;
    throw Error("Erro: análise desconhecida");
}

const RunKindInfo* runKindOfOption(std::string_view option) {
    const auto& rows = table();
    const auto* found = std::find_if(rows.begin(), rows.end(),
                                     [&](const RunKindInfo& info) { return !option.empty() && info.option == option; });
    return found == rows.end() ? nullptr : found;
}

const RunKindInfo* runKindNamed(std::string_view name) {
    const auto& rows = table();
    const auto* found =
        std::find_if(rows.begin(), rows.end(), [&](const RunKindInfo& info) { return info.name == name; });
    return found == rows.end() ? nullptr : found;
}

RunKind kindOf(const AnyRun& run) {
    return std::visit([](const auto& held) { return kindOf(held); }, run);
}

AnyRun runFiles(RunKind kind, const std::vector<std::filesystem::path>& files, const RunParameters& parameters,
                Clock& clock) {
    checkCount(kind, files.size());
    return runOfKind(kind, [&](auto type) { return runKind(type, files, parameters, clock); });
}

AnyRun runFiles(RunKind kind, const std::vector<std::filesystem::path>& files, const RunParameters& parameters,
                const DateTime& when) {
    StoppedClock clock(when);
    return runFiles(kind, files, parameters, clock);
}

AnyRun runBytes(RunKind kind, const std::vector<NamedBytes>& files, const RunParameters& parameters,
                const DateTime& when) {
    checkCount(kind, files.size());
    return runOfKind(kind, [&](auto type) { return runKind(type, files, parameters, when); });
}

std::string runOutput(const AnyRun& run, RunOutput output, ReportLanguage language) {
    return std::visit([&](const auto& held) { return outputOf(held, output, language); }, run);
}

std::vector<Figure> runFigures(const AnyRun& run, ChartLanguage language, const FluctuationFigureOptions& fluctuation) {
    return std::visit([&](const auto& held) { return figuresOf(held, language, fluctuation); }, run);
}

const std::vector<std::string>& runNotices(const AnyRun& run) {
    return std::visit([](const auto& held) -> const std::vector<std::string>& { return noticesOf(held); }, run);
}

std::vector<ShownTable> runTables(const AnyRun& run, char decimalSeparator, ReportLanguage language) {
    return std::visit([&](const auto& held) { return tablesOf(held, decimalSeparator, language); }, run);
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
