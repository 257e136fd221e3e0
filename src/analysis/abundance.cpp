#include "analysis/abundance.h"

#include "data/errors.h"

#include <array>
#include <cmath>

namespace zav {
namespace {

constexpr int kUnclassed = 0;

struct Limits {
    double l99, l95, u95, u99;
};

// Excludes, against the iteration's m and s, every unclassed species whose z
// lies strictly outside -2..2. Returns whether any was excluded.
bool excludeOutliers(SpeciesTable& table, double mean, double deviation) {
    if (deviation == 0.0) throw ComputationError();
    bool excluded = false;
    for (auto& sp : table.species) {
        if (sp.abundanceClass != kUnclassed) continue;
        const double z = (sp.individuals - mean) / deviation;
        if (z < -2.0 || z > 2.0) {
            sp.abundanceClass = kExcluded;
            table.workingIndividuals -= sp.individuals;
            excluded = true;
        }
    }
    return excluded;
}

} // namespace

void classifyAbundance(SpeciesTable& table) {
    if (table.species.size() < 2) throw TooFewSpeciesError();
    for (auto& sp : table.species)
        sp.abundanceClass = kUnclassed;

    Limits limits{};
    for (;;) {
        int count = 0;
        double sum = 0.0;
        for (const auto& sp : table.species) {
            if (sp.abundanceClass != kUnclassed) continue;
            ++count;
            sum += sp.individuals;
        }
        // Each pass excludes fewer than (S' - 1) / 4 species, so at least two
        // remain; the check only guards the divisions below.
        if (count < 2) throw ComputationError();
        table.keptSpecies = count;

        const double mean = sum / count;
        double squares = 0.0;
        for (const auto& sp : table.species) {
            if (sp.abundanceClass != kUnclassed) continue;
            const double d = sp.individuals - mean;
            squares += d * d;
        }
        const double deviation = std::sqrt(squares / (count - 1));
        const double error = deviation / std::sqrt(static_cast<double>(count));
        limits = {mean - 2.58 * error, mean - 1.96 * error, mean + 1.96 * error, mean + 2.58 * error};

        const bool needsPass = limits.l95 < 0.0 || limits.l99 < 0.0;
        if (!needsPass || !excludeOutliers(table, mean, deviation)) break;
    }

    for (auto& sp : table.species) {
        if (sp.abundanceClass != kUnclassed) continue;
        const double n = sp.individuals;
        if (n >= limits.u99)
            sp.abundanceClass = 5;
        else if (n >= limits.u95)
            sp.abundanceClass = 4;
        else if (n >= limits.l95)
            sp.abundanceClass = 3;
        else if (n >= limits.l99)
            sp.abundanceClass = 2;
        else
            sp.abundanceClass = 1;
    }
}

std::string_view abundanceText(int abundanceClass) {
    static const std::array<const char*, 7> kTexts = {"  ", " r", " d", " c", " a", "ma", "sa"};
    if (abundanceClass < 0 || abundanceClass > 6) return "  ";
    return kTexts[static_cast<std::size_t>(abundanceClass)];
}

} // namespace zav
