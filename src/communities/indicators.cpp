#include "communities/communities.h"

namespace zav::communities {
namespace {

// A permuted IndVal equal to the observed one up to rounding counts as
// reaching it (the same sums added in another order).
constexpr double kReachTolerance = 1e-12;

// The samples' counts and presences as flat rows, for the permutations.
struct FlatTable {
    std::size_t samples = 0, species = 0;
    std::vector<double> counts, presence;
};

FlatTable flatten(const SampleMatrix& m) {
    FlatTable t;
    t.samples = m.counts.size();
    t.species = m.species;
    t.counts.reserve(t.samples * t.species);
    t.presence.reserve(t.samples * t.species);
    for (const auto& row : m.counts)
        for (double c : row) {
            t.counts.push_back(c);
            t.presence.push_back(c > 0.0 ? 1.0 : 0.0);
        }
    return t;
}

// Sums and presences per treatment, then A, B and the largest 100 A B of
// each species (Dufrêne and Legendre 1997): A_ij = mean_ij / sum_k mean_ik,
// B_ij = occurrences_ij / n_j. `keepAB` fills a and b of the best treatment.
void indValues(const FlatTable& t, const std::vector<int>& group, const std::vector<int>& sizes,
               std::vector<double>& sums, std::vector<double>& occurrences, IndValTable& out, bool keepAB) {
    const std::size_t g = sizes.size(), s = t.species;
    sums.assign(g * s, 0.0);
    occurrences.assign(g * s, 0.0);
    for (std::size_t i = 0; i < t.samples; ++i) {
        const auto j = static_cast<std::size_t>(group[i]);
        double* sum = &sums[j * s];
        double* occ = &occurrences[j * s];
        const double* c = &t.counts[i * s];
        const double* p = &t.presence[i * s];
        for (std::size_t k = 0; k < s; ++k) {
            sum[k] += c[k];
            occ[k] += p[k];
        }
    }
    for (std::size_t j = 0; j < g; ++j) {
        const double n = static_cast<double>(sizes[j]);
        for (std::size_t k = 0; k < s; ++k) {
            sums[j * s + k] /= n;        // the mean
            occurrences[j * s + k] /= n; // B
        }
    }
    out.best.assign(s, 0.0);
    out.group.assign(s, 0);
    if (keepAB) {
        out.a.assign(s, 0.0);
        out.b.assign(s, 0.0);
    }
    for (std::size_t k = 0; k < s; ++k) {
        double meanSum = 0.0;
        for (std::size_t j = 0; j < g; ++j)
            meanSum += sums[j * s + k];
        if (!(meanSum > 0.0)) continue;
        for (std::size_t j = 0; j < g; ++j) {
            const double a = sums[j * s + k] / meanSum;
            const double b = occurrences[j * s + k];
            const double v = a * b;
            if (v > out.best[k] || j == 0) {
                out.best[k] = v;
                out.group[k] = static_cast<int>(j);
                if (keepAB) {
                    out.a[k] = a;
                    out.b[k] = b;
                }
            }
        }
    }
}

} // namespace

IndValTable indicatorValues(const SampleMatrix& samples, const std::vector<int>& group, int treatments) {
    std::vector<int> sizes(static_cast<std::size_t>(treatments), 0);
    for (int g : group)
        ++sizes[static_cast<std::size_t>(g)];
    IndValTable out;
    std::vector<double> sums, occurrences;
    indValues(flatten(samples), group, sizes, sums, occurrences, out, true);
    return out;
}

std::vector<Indicator> indicatorSpecies(const SampleMatrix& samples, int permutations, std::uint64_t seed) {
    const auto table = flatten(samples);
    const auto sizes = samples.sizes();
    auto group = samples.groupOf();
    IndValTable observed;
    std::vector<double> sums, occurrences;
    indValues(table, group, sizes, sums, occurrences, observed, true);

    std::vector<std::int64_t> reached(samples.species, 0);
    LabelShuffler shuffler(seed);
    IndValTable permuted;
    for (int r = 0; r < permutations; ++r) {
        shuffler.shuffle(group);
        indValues(table, group, sizes, sums, occurrences, permuted, false);
        for (std::size_t k = 0; k < samples.species; ++k)
            if (permuted.best[k] >= observed.best[k] - kReachTolerance) ++reached[k];
    }

    std::vector<Indicator> out;
    for (std::size_t k = 0; k < samples.species; ++k) {
        bool any = false;
        for (std::size_t i = 0; i < table.samples && !any; ++i)
            any = table.counts[i * table.species + k] > 0.0;
        if (!any) continue;
        Indicator ind;
        ind.species = k;
        ind.group = observed.group[k] + 1;
        ind.indval = 100.0 * observed.best[k];
        ind.a = observed.a[k];
        ind.b = observed.b[k];
        ind.p = static_cast<double>(reached[k] + 1) / static_cast<double>(permutations + 1);
        out.push_back(ind);
    }
    return out;
}

} // namespace zav::communities
