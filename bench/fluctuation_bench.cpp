// The whole fluctuation run of a large survey kept whole, from the file's
// bytes to the JSON (as zaviro-relatorio --flutuacao --json does it): 900
// species, 104 weekly collections over two years, 5 weather variables with
// gaps. Goal: under 0.2 s.
#include "data/collection_blocks.h"
#include "data/species_file.h"
#include "runs/run_kinds.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

std::string largeSurveyBytes() {
    constexpr int kSpecies = 900;
    constexpr int kCollections = 104;
    // A fixed pseudo-random pattern: most species rare, a few caught every week.
    std::vector<std::vector<int>> counts(kCollections, std::vector<int>(kSpecies));
    unsigned state = 12345u;
    for (int k = 0; k < kCollections; ++k)
        for (int s = 0; s < kSpecies; ++s) {
            state = state * 1103515245u + 12345u;
            const unsigned draw = (state >> 16) % 1000u;
            const int common = s < 20 ? 30 - s : 0;
            counts[k][s] = draw < 40u ? static_cast<int>(draw % 7u) + common : (s < 20 ? common : 0);
        }
    std::string header = std::to_string(kSpecies) + " " + std::to_string(kCollections) + "\r\n";
    std::string species;
    for (int s = 0; s < kSpecies; ++s) {
        int individuals = 0, collections = 0;
        for (int k = 0; k < kCollections; ++k) {
            individuals += counts[k][s];
            collections += counts[k][s] > 0 ? 1 : 0;
        }
        species += std::to_string(individuals) + " " + std::to_string(collections) + "\r\n";
    }
    std::string blocks = "[coletas]\r\n";
    int day = 2, month = 1, year = 2023;
    for (int k = 0; k < kCollections; ++k) {
        blocks += std::to_string(year) + "-" + (month < 10 ? "0" : "") + std::to_string(month) + "-" +
                  (day < 10 ? "0" : "") + std::to_string(day);
        for (int s = 0; s < kSpecies; ++s)
            blocks += " " + std::to_string(counts[k][s]);
        blocks += "\r\n";
        static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        const int length = month == 2 && year % 4 == 0 ? 29 : kDays[month - 1];
        if ((day += 7) > length) {
            day -= length;
            if (++month > 12) {
                month = 1;
                ++year;
            }
        }
    }
    blocks += "[clima]\r\ntemperatura umidade chuva vento pressao\r\n";
    for (int k = 0; k < kCollections; ++k)
        blocks += std::to_string(15 + k % 13) + "," + std::to_string(k % 10) + " " + std::to_string(60 + k % 31) + " " +
                  (k % 17 == 0 ? "-" : std::to_string((k * 37) % 120)) + " " + std::to_string(k % 9) + ".5 " +
                  std::to_string(1000 + k % 20) + "\r\n";
    return header + species + blocks;
}

void fluctuationJson(benchmark::State& state) {
    const auto bytes = largeSurveyBytes();
    std::size_t correlations = 0;
    for (auto _ : state) {
        const auto run = zav::runFluctuation(bytes, "grande.txt", 1, zav::DateTime{});
        auto json = zav::outputOf(run, zav::RunOutput::Json);
        benchmark::DoNotOptimize(json);
        correlations = run.result.correlations.size();
    }
    state.counters["correlacoes"] = static_cast<double>(correlations);
}
BENCHMARK(fluctuationJson)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// What the diversity run adds for the same survey's matrix: the standard
// errors, the exact curve's deviation (900 x 900 correlations) and the
// collections' H.
void diversityMatrixPart(benchmark::State& state) {
    const auto bytes = largeSurveyBytes();
    const auto table = zav::parseSpeciesTable(bytes);
    const auto blocks = zav::parseCollectionBlocks(bytes);
    auto result = zav::analyseDiversity(table, 2);
    for (auto _ : state) {
        zav::addCollectionMatrix(result, blocks);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(diversityMatrixPart)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
