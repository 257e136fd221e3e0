#include "communities/communities.h"

#include <string>

namespace zav::communities {

CommunityResult analyzeCommunities(SampleMatrix samples, Dissimilarity index, int permutations, std::uint64_t seed) {
    if (permutations < 1 || permutations > kMaxPermutations)
        throw CommunityInputError("Erro: o número de permutações vai de 1 a " + std::to_string(kMaxPermutations) +
                                  "; foi dado " + std::to_string(permutations) + ".");
    CommunityResult r;
    r.index = index;
    r.permutations = permutations;
    r.seed = seed;
    const auto d = dissimilarities(samples, index);
    // Each statistic draws from its own stream of the seed, so that one
    // of them does not change when another draws more.
    r.indicators = indicatorSpecies(samples, permutations, seed);
    r.permanova = permanova(d, samples.groupOf(), samples.treatments, permutations, seed + 1);
    r.pcoa = principalCoordinates(d);
    r.nmds = nonmetricScaling(d, r.pcoa, seed + 2);
    r.samples = std::move(samples);
    return r;
}

} // namespace zav::communities
