#include "diversity/frequency_table.h"

#include <algorithm>

namespace zav::diversity {

std::int64_t FrequencyTable::f(std::int64_t k) const {
    const auto it = std::lower_bound(classes.begin(), classes.end(), std::make_pair(k, std::int64_t{0}));
    return it != classes.end() && it->first == k ? it->second : 0;
}

FrequencyTable frequencyTable(std::vector<std::int64_t> counts) {
    std::sort(counts.begin(), counts.end());
    FrequencyTable table;
    for (const auto k : counts) {
        if (k <= 0) continue;
        if (!table.classes.empty() && table.classes.back().first == k)
            ++table.classes.back().second;
        else
            table.classes.emplace_back(k, 1);
        table.total += k;
        ++table.species;
    }
    return table;
}

} // namespace zav::diversity
