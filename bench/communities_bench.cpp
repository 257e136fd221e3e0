// The whole communities run (IndVal, PERMANOVA with 999 permutations, PCoA,
// NMDS with 20 starts, report and JSON) for 10 treatments of 30 collections
// and 300 species. Goal: under 2 s.
#include "communities/communities_report.h"
#include "data/report_text.h"
#include "diversity/random.h"

#include <benchmark/benchmark.h>

namespace {

using namespace zav::communities;

// Each treatment favours its own species: a count from a geometric law
// whose mean falls with the species' distance from the treatment's centre.
std::vector<TreatmentCollections> largeSurvey() {
    zav::diversity::Random random(17);
    std::vector<TreatmentCollections> treatments(10);
    for (int t = 0; t < 10; ++t)
        for (int c = 0; c < 30; ++c) {
            std::vector<std::int32_t> counts(300, 0);
            for (int s = 0; s < 300; ++s) {
                const int distance = std::abs(s - 30 * t);
                const double mean = 8.0 / (1.0 + 0.1 * distance);
                std::int32_t k = 0;
                while (random.uniform() < mean / (1.0 + mean) && k < 1000)
                    ++k;
                counts[static_cast<std::size_t>(s)] = k;
            }
            treatments[static_cast<std::size_t>(t)].counts.push_back(std::move(counts));
        }
    return treatments;
}

void BM_WholeRun(benchmark::State& state) {
    const auto survey = largeSurvey();
    CommunityLabels labels;
    for (int t = 1; t <= 10; ++t) {
        labels.treatmentNames.push_back("T" + std::to_string(t) + ".txt");
        labels.treatmentFiles.push_back("T" + std::to_string(t) + ".txt");
    }
    labels.speciesNames.assign(300, "");
    for (auto _ : state) {
        const auto r = analyzeCommunities(buildSamples(survey, 300), Dissimilarity::BrayCurtis, 999, kDefaultSeed);
        const auto report = zav::joinReportLines(communitiesReport(r, labels, {}));
        const auto json = communitiesJson(r, labels, "", {});
        benchmark::DoNotOptimize(report.size() + json.size());
        state.counters["stress"] = r.nmds.result ? r.nmds.result->stress : -1.0;
    }
}
BENCHMARK(BM_WholeRun)->Unit(benchmark::kMillisecond)->Iterations(1);

// The parts, to see where the time goes.
void BM_Part(benchmark::State& state) {
    const auto samples = buildSamples(largeSurvey(), 300);
    const auto d = dissimilarities(samples, Dissimilarity::BrayCurtis);
    const auto pcoa = principalCoordinates(d);
    for (auto _ : state) {
        switch (state.range(0)) {
        case 0:
            benchmark::DoNotOptimize(dissimilarities(samples, Dissimilarity::BrayCurtis).values.data());
            break;
        case 1:
            benchmark::DoNotOptimize(indicatorSpecies(samples, 999, 1).size());
            break;
        case 2:
            benchmark::DoNotOptimize(permanova(d, samples.groupOf(), 10, 999, 1).table);
            break;
        case 3:
            benchmark::DoNotOptimize(principalCoordinates(d).eigenvalues.data());
            break;
        default:
            benchmark::DoNotOptimize(nonmetricScaling(d, pcoa, 1).result);
            break;
        }
    }
}
BENCHMARK(BM_Part)->DenseRange(0, 4)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
