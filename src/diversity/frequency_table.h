#pragma once
// Species counts grouped by value, the form every estimator reads.

#include <cstdint>
#include <utility>
#include <vector>

namespace zav::diversity {

struct FrequencyTable {
    // (k, f_k): f_k species have the count k; k >= 1, ascending.
    std::vector<std::pair<std::int64_t, std::int64_t>> classes;
    std::int64_t total = 0;   // n = sum of k f_k
    std::int64_t species = 0; // S = sum of f_k

    // f_k, 0 when no species has the count k.
    std::int64_t f(std::int64_t k) const;
    std::int64_t largest() const { return classes.empty() ? 0 : classes.back().first; }
};

// The table of a list of counts; zeros are dropped.
FrequencyTable frequencyTable(std::vector<std::int64_t> counts);

} // namespace zav::diversity
