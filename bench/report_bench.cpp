// A full report of a survey at the table's limit of 900 species: parse the
// file, run the whole analysis, format the report's bytes.

#include "analysis/analysis.h"
#include "analysis/report.h"
#include "data/errors.h"
#include "data/report_text.h"
#include "data/species_file.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>

namespace {

std::string survey900() {
    std::mt19937 rng(42);
    std::string file = "900 60\r\n";
    for (int i = 0; i < 900; ++i) {
        const int individuals = 1 + static_cast<int>(rng() % (i % 50 == 0 ? 5000 : 120));
        const int collections = 1 + static_cast<int>(rng() % 60);
        file += std::to_string(individuals) + "      " + std::to_string(collections) + "\r\n";
    }
    return file;
}

void BM_Report900Species(benchmark::State& state) {
    const std::string file = survey900();
    const zav::DateTime when{7, 12, 2026, 10, 0, 0, 0};
    for (auto _ : state) {
        auto result = zav::analyse(zav::parseSpeciesTable(file));
        auto bytes = zav::joinReportLines(zav::faunisticReport(result, "/dados/levantamento.txt", when));
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_Report900Species)->Unit(benchmark::kMicrosecond);

// Bad files must be refused at once, whatever their size.
void BM_RefuseFiftyMegabyteLine(benchmark::State& state) {
    const std::string file(50 * 1024 * 1024, '7');
    for (auto _ : state) {
        try {
            zav::parseSpeciesTable(file);
        } catch (const zav::DataFileError&) {
        }
    }
}
BENCHMARK(BM_RefuseFiftyMegabyteLine)->Unit(benchmark::kMillisecond);

void BM_RefuseHeaderPromisingAllLines(benchmark::State& state) {
    std::string file = "2147483647 10\r\n";
    for (int i = 0; i < 100000; ++i)
        file += "0 0\r\n";
    for (auto _ : state) {
        try {
            zav::parseSpeciesTable(file);
        } catch (const zav::DataFileError&) {
        }
    }
}
BENCHMARK(BM_RefuseHeaderPromisingAllLines)->Unit(benchmark::kMillisecond);

} // namespace
