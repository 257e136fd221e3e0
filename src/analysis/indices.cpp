#include "analysis/indices.h"

#include "data/errors.h"

#include <cmath>
#include <vector>

namespace zav {

CommunityIndices computeCommunityIndices(const SpeciesTable& table) {
    // Room for every species of the table.
    std::vector<std::int32_t> kept;
    kept.reserve(table.species.size());
    std::int64_t working = 0;
    for (const auto& sp : table.species) {
        if (!sp.kept()) continue;
        kept.push_back(sp.individuals);
        working += sp.individuals;
    }
    const auto count = static_cast<std::int64_t>(kept.size());
    if (count < 2 || working < 2) throw ComputationError();

    CommunityIndices out;
    const double n = static_cast<double>(working);
    out.margalef = static_cast<double>(count - 1) / std::log(n);

    double sumPLogP = 0.0;
    double sumPLog2P = 0.0;
    for (const std::int32_t k : kept) {
        const double p = k / n;
        if (!(p > 0.0)) throw ComputationError();
        const double lp = std::log(p);
        sumPLogP += p * lp;
        sumPLog2P += p * (lp * lp);
    }
    out.shannon = -sumPLogP;
    double variance = (sumPLog2P - out.shannon * out.shannon) / n;
    if (variance < 0.0) variance = 0.0;
    const double halfWidth = 2.0 * std::sqrt(variance) / std::sqrt(n);
    out.shannonLower = out.shannon - halfWidth;
    out.shannonUpper = out.shannon + halfWidth;
    out.evenness = out.shannon / std::log(static_cast<double>(count));
    return out;
}

} // namespace zav
