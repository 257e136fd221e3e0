#include "analysis/frequency.h"

#include "data/errors.h"

#include <cmath>
#include <vector>

namespace zav {
namespace {

struct Interval {
    double lower, upper;
};

// mean -/+ 1.96 standard errors, with the sample variance over `count`
// values and the mean `mean`; `values` holds the values that enter the
// variance.
Interval interval95(const std::vector<double>& values, double mean, int count) {
    if (count < 2) throw ComputationError();
    double squares = 0.0;
    for (double v : values)
        squares += (v - mean) * (v - mean);
    const double error = std::sqrt(squares / (count - 1)) / std::sqrt(static_cast<double>(count));
    return {mean - 1.96 * error, mean + 1.96 * error};
}

} // namespace

void computePercentages(SpeciesTable& table) {
    if (table.workingIndividuals == 0) throw ComputationError();
    const double working = static_cast<double>(table.workingIndividuals);
    for (auto& sp : table.species)
        sp.percentage = sp.kept() ? sp.individuals / working * 100.0 : 0.0;
}

void classifyFrequency(SpeciesTable& table) {
    double sum = 0.0;
    std::vector<double> kept;
    for (const auto& sp : table.species) {
        sum += sp.percentage;
        if (sp.kept()) kept.push_back(sp.percentage);
    }
    if (table.keptSpecies < 1) throw ComputationError();
    const double mean = sum / table.keptSpecies;
    const auto limits = interval95(kept, mean, table.keptSpecies);
    for (auto& sp : table.species) {
        const double p = sp.percentage;
        if (p == 0.0)
            sp.frequencyClass = "SF";
        else if (p < limits.lower)
            sp.frequencyClass = "PF";
        else if (p < limits.upper)
            sp.frequencyClass = " F";
        else
            sp.frequencyClass = "MF";
    }
}

void classifyConstancy(SpeciesTable& table) {
    const std::int32_t total = table.totalCollections;
    if (total == 0) throw ZeroCollectionsError();
    std::vector<double> q;
    q.reserve(table.species.size());
    double sum = 0.0;
    for (const auto& sp : table.species) {
        // The product is an integer, formed in 64 bits so that no count of
        // collections can wrap it.
        const std::int64_t product = static_cast<std::int64_t>(sp.collections) * 100;
        q.push_back(static_cast<double>(product) / total);
        sum += q.back();
    }
    const int count = static_cast<int>(q.size());
    if (count < 1) throw ComputationError();
    const double mean = sum / count;
    const auto limits = interval95(q, mean, count);
    for (std::size_t i = 0; i < q.size(); ++i) {
        const double v = q[i];
        auto& cls = table.species[i].constancyClass;
        if (total < 24)
            cls = v < 25.0 ? "Z" : v < 50.0 ? "Y" : "W";
        else
            cls = v <= limits.lower ? "Z" : v < limits.upper ? "Y" : "W";
    }
}

} // namespace zav
