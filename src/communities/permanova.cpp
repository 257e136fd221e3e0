#include "communities/communities.h"

#include <cmath>
#include <limits>

namespace zav::communities {
namespace {

// vegan's adonis2 counts F* >= F - sqrt(machine epsilon) as reaching F.
const double kFTolerance = std::sqrt(std::numeric_limits<double>::epsilon());

DistanceMatrix squared(const DistanceMatrix& d) {
    DistanceMatrix s = d;
    for (double& v : s.values)
        v *= v;
    return s;
}

// Anderson (2001), eq. 1: SS total = (1/n) sum_{i<j} d²_ij.
double totalSquares(const DistanceMatrix& sq) {
    double sum = 0.0;
    for (std::size_t i = 0; i < sq.n; ++i)
        for (std::size_t j = i + 1; j < sq.n; ++j)
            sum += sq.at(i, j);
    return sum / static_cast<double>(sq.n);
}

} // namespace

// Anderson (2001), eq. 2: SS within = sum_g (1/n_g) sum_{i<j, both in g}
// d²_ij, over the members of each group.
double withinSquares(const DistanceMatrix& sq, const std::vector<int>& group, const std::vector<int>& sizes) {
    std::vector<std::vector<std::size_t>> members(sizes.size());
    for (std::size_t i = 0; i < group.size(); ++i)
        members[static_cast<std::size_t>(group[i])].push_back(i);
    double within = 0.0;
    for (std::size_t g = 0; g < members.size(); ++g) {
        const auto& m = members[g];
        double sum = 0.0;
        for (std::size_t a = 0; a < m.size(); ++a) {
            const double* row = &sq.values[m[a] * sq.n];
            for (std::size_t b = a + 1; b < m.size(); ++b)
                sum += row[m[b]];
        }
        if (!m.empty()) within += sum / static_cast<double>(m.size());
    }
    return within;
}

PermanovaOutcome permanova(const DistanceMatrix& d, const std::vector<int>& group, int treatments, int permutations,
                           std::uint64_t seed) {
    PermanovaOutcome out;
    std::vector<int> sizes(static_cast<std::size_t>(treatments), 0);
    for (int g : group)
        ++sizes[static_cast<std::size_t>(g)];
    for (std::size_t g = 0; g < sizes.size(); ++g)
        if (sizes[g] < 2) {
            out.gap = PermanovaGap::SingleSample;
            out.gapTreatment = static_cast<int>(g + 1);
            return out;
        }
    const auto sq = squared(d);
    const double total = totalSquares(sq);
    if (!(total > 0.0)) {
        out.gap = PermanovaGap::NoDissimilarity;
        return out;
    }
    Permanova t;
    t.dfBetween = treatments - 1;
    t.dfWithin = static_cast<int>(d.n) - treatments;
    t.ssTotal = total;
    t.ssWithin = withinSquares(sq, group, sizes);
    t.ssBetween = total - t.ssWithin;
    t.r2 = t.ssBetween / total;
    const double between = static_cast<double>(t.dfBetween), within = static_cast<double>(t.dfWithin);
    // Pseudo-F (Anderson 2001, eq. 3). Every sample of each treatment alike
    // leaves nothing within: F has no finite value and no permutation
    // exceeds what was seen, which p = 1/(1 + N) says.
    const auto pseudoF = [&](double ssWithin) {
        return ssWithin > 0.0 ? ((total - ssWithin) / between) / (ssWithin / within)
                              : std::numeric_limits<double>::max();
    };
    const double observedF = pseudoF(t.ssWithin);
    if (t.ssWithin > 0.0) t.f = observedF;
    std::int64_t reached = 0;
    LabelShuffler shuffler(seed);
    auto labels = group;
    for (int r = 0; r < permutations; ++r) {
        shuffler.shuffle(labels);
        if (pseudoF(withinSquares(sq, labels, sizes)) >= observedF - kFTolerance) ++reached;
    }
    t.p = static_cast<double>(reached + 1) / static_cast<double>(permutations + 1);
    out.table = t;
    return out;
}

} // namespace zav::communities
