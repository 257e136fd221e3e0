// The whole diversity run, curves and bootstrap bands included, for a survey
// of 900 species and 10^7 individuals.
#include "diversity/diversity_report.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>

namespace {

zav::SpeciesTable largeSurvey() {
    zav::SpeciesTable t;
    t.totalCollections = 50;
    std::int64_t total = 0;
    for (int i = 1; i <= 900; ++i) {
        // Zipf's law for 800 species, then a tail of 1 to 5 individuals.
        const auto x = i <= 800 ? static_cast<std::int32_t>(1350000.0 / i) : (i - 801) % 5 + 1;
        zav::SpeciesRecord r;
        r.individuals = x;
        r.collections = std::min(x, 1 + x % 50);
        r.number = i;
        t.species.push_back(r);
        total += x;
    }
    t.species.front().individuals += static_cast<std::int32_t>(10000000 - total);
    t.totalIndividuals = 10000000;
    return t;
}

void wholeDiversityReport(benchmark::State& state) {
    const auto table = largeSurvey();
    for (auto _ : state) {
        const auto result = zav::analyseDiversity(table);
        auto lines = zav::diversityReport(result, "grande.txt", zav::DateTime{});
        auto json = zav::diversityJson(result, "grande.txt", zav::DateTime{});
        benchmark::DoNotOptimize(lines);
        benchmark::DoNotOptimize(json);
    }
}
BENCHMARK(wholeDiversityReport)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
