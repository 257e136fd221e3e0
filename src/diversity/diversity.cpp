#include "diversity/diversity.h"

#include "data/errors.h"
#include "diversity/portable_math.h"

#include <algorithm>
#include <cmath>

namespace zav {
namespace {

using namespace diversity;

std::string incidenceProblem(const SpeciesTable& table) {
    if (table.totalCollections < 1) return "o total de coletas é " + std::to_string(table.totalCollections);
    for (const auto& sp : table.species) {
        const auto name = "a espécie " + std::to_string(sp.number);
        if (sp.collections < 1) return name + " tem indivíduos em " + std::to_string(sp.collections) + " coletas";
        if (sp.collections > table.totalCollections)
            return name + " aparece em " + std::to_string(sp.collections) + " coletas de " +
                   std::to_string(table.totalCollections);
    }
    return {};
}

IncidenceResult incidencePart(const SpeciesTable& table, int replicates) {
    std::vector<std::int64_t> counts;
    for (const auto& sp : table.species)
        counts.push_back(sp.collections);
    const auto y = frequencyTable(std::move(counts));
    const double t = static_cast<double>(table.totalCollections);
    IncidenceResult r;
    r.q1 = y.f(1);
    r.q2 = y.f(2);
    r.chao2 = chaoRichness(y, t);
    r.ice = ice(y, t);
    r.jackknife1 = jackknife1(y, t);
    r.jackknife2 = jackknife2(y, t);
    r.bootstrap = bootstrapRichness(y, t);
    if (table.totalCollections < 2) {
        r.curveMissing = "exige pelo menos 2 coletas";
        return r;
    }
    const auto sizes = wholeCurveSizes(table.totalCollections);
    const auto values = sampleCurve(y, table.totalCollections, sizes);
    const auto bands = sampleBands(y, table.totalCollections, sizes, values, replicates);
    for (std::size_t i = 0; i < sizes.size(); ++i)
        r.curve.push_back({sizes[i], values[i], bands[i]});
    return r;
}

} // namespace

DiversityResult analyseDiversity(const SpeciesTable& table) { return analyseDiversity(table, kBootstrapReplicates); }

DiversityResult analyseDiversity(const SpeciesTable& table, int replicates) {
    for (const auto& sp : table.species)
        if (sp.individuals < 0) throw DataFileError(atLine(sp.number + 1, "número negativo de indivíduos"));
    if (table.species.empty()) throw DataFileError("nenhuma espécie com indivíduos");

    std::vector<std::int64_t> counts;
    for (const auto& sp : table.species)
        counts.push_back(sp.individuals);
    const auto x = frequencyTable(std::move(counts));

    DiversityResult r;
    r.individuals = x.total;
    r.species = x.species;
    r.collections = table.totalCollections;
    r.f1 = x.f(1);
    r.f2 = x.f(2);
    r.coverage = sampleCoverage(x);
    r.chao1 = chaoRichness(x, static_cast<double>(x.total));
    r.chao1BiasCorrected = chao1BiasCorrected(x);
    r.ace = ace(x);

    r.incidenceMissing = incidenceProblem(table);
    r.bootstrapReplicates = std::max(2, replicates);
    if (r.incidenceMissing.empty()) r.incidence = incidencePart(table, r.bootstrapReplicates);

    auto& ix = r.indices;
    ix.shannon = shannon(x);
    ix.shannonHutcheson = shannonInterval(x, true);
    ix.shannonZar = shannonInterval(x, false);
    const double d = simpsonConcentration(x);
    ix.simpson = 1.0 - d;
    ix.inverseSimpson = 1.0 / d;
    ix.bergerParker = bergerParker(x);
    ix.pielou = pielou(x);
    ix.margalef = margalef(x);
    ix.menhinick = menhinick(x);
    ix.brillouin = brillouin(x);
    ix.fisherAlpha = fisherAlpha(x);

    r.hillObserved = {Value{static_cast<double>(x.species), {}}, Value{pm::exp(ix.shannon), {}},
                      Value{ix.inverseSimpson, {}}};
    r.hillEstimated[0] = {r.chao1.estimate, r.chao1.missing};
    r.hillEstimated[1] = {pm::exp(chaoWangJostEntropy(x)), {}};
    const auto unbiased = unbiasedSimpson(x);
    if (!unbiased.number)
        r.hillEstimated[2] = unbiased;
    else if (*unbiased.number <= 0.0)
        r.hillEstimated[2] = {std::nullopt, "todas as espécies têm 1 indivíduo"};
    else
        r.hillEstimated[2] = {1.0 / *unbiased.number, {}};

    if (x.total < 2) {
        r.curveMissing = "exige pelo menos 2 indivíduos";
        return r;
    }
    const auto sizes = curveSizes(x.total);
    const auto values = individualCurve(x, sizes);
    const auto bands = individualBands(x, sizes, values, r.bootstrapReplicates);
    for (std::size_t i = 0; i < sizes.size(); ++i)
        r.curve.push_back({sizes[i], values[i], bands.hill[i], bands.coverage[i]});
    return r;
}

void addCollectionMatrix(DiversityResult& result, const CollectionBlocks& blocks) {
    if (!blocks.present()) return;
    std::vector<std::vector<std::int32_t>> counts;
    counts.reserve(blocks.collections.size());
    for (const auto& c : blocks.collections)
        counts.push_back(c.counts);
    const PresenceMatrix presence(counts);
    if (result.incidence) {
        result.incidence->jackknife1.standardError = jackknife1StandardError(presence);
        result.incidence->bootstrap.standardError = bootstrapStandardError(presence);
    }
    CollectionMatrixResult matrix;
    matrix.exactCurve = exactCollectionCurve(presence, exactCurveSizes(presence.collections()));
    double sum = 0.0;
    int caught = 0;
    for (const auto& c : counts) {
        matrix.collectionShannon.push_back(collectionShannon(c));
        if (const auto h = matrix.collectionShannon.back()) {
            sum += *h;
            ++caught;
        }
    }
    if (caught > 0) matrix.meanShannon = sum / caught;
    result.matrix = std::move(matrix);
}

} // namespace zav
