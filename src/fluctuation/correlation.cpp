#include "fluctuation/correlation.h"

#include "comparison/statistics.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace zav::fluctuation {

std::vector<double> averagedRanks(const std::vector<double>& values) {
    std::vector<std::size_t> order(values.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return values[a] < values[b]; });
    std::vector<double> ranks(values.size());
    for (std::size_t i = 0; i < order.size();) {
        std::size_t j = i + 1;
        while (j < order.size() && values[order[j]] == values[order[i]])
            ++j;
        // Positions i..j-1 hold ranks i+1..j: their mean.
        const double rank = (static_cast<double>(i + 1) + static_cast<double>(j)) / 2.0;
        for (std::size_t k = i; k < j; ++k)
            ranks[order[k]] = rank;
        i = j;
    }
    return ranks;
}

namespace {

double mean(const std::vector<double>& v) {
    return std::accumulate(v.begin(), v.end(), 0.0) / static_cast<double>(v.size());
}

bool varies(const std::vector<double>& v) {
    return std::any_of(v.begin(), v.end(), [&](double x) { return x != v.front(); });
}

} // namespace

double pearsonR(const std::vector<double>& x, const std::vector<double>& y) {
    const double mx = mean(x), my = mean(y);
    double sxy = 0.0, sxx = 0.0, syy = 0.0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        const double dx = x[i] - mx, dy = y[i] - my;
        sxy += dx * dy;
        sxx += dx * dx;
        syy += dy * dy;
    }
    // Rounding may carry |r| a hair past 1.
    return std::clamp(sxy / (std::sqrt(sxx) * std::sqrt(syy)), -1.0, 1.0);
}

double correlationP(double r, int n) {
    const double rest = 1.0 - r * r;
    if (rest <= 0.0) return 0.0;
    const double df = n - 2;
    return studentTwoSidedP(r * std::sqrt(df / rest), df);
}

CorrelationResult correlate(const std::vector<std::optional<double>>& series,
                            const std::vector<std::optional<double>>& variable) {
    CorrelationResult result;
    std::vector<double> x, y;
    for (std::size_t i = 0; i < series.size() && i < variable.size(); ++i)
        if (series[i] && variable[i]) {
            x.push_back(*series[i]);
            y.push_back(*variable[i]);
        }
    result.n = static_cast<int>(x.size());
    if (result.n < 3) {
        result.missing = "menos de 3 coletas com a série e a variável";
        return result;
    }
    if (!varies(x)) {
        result.missing = "a série é constante nessas coletas";
        return result;
    }
    if (!varies(y)) {
        result.missing = "a variável é constante nessas coletas";
        return result;
    }
    const double r = pearsonR(x, y);
    if (!std::isfinite(r)) {
        result.missing = "valores grandes demais para o cálculo";
        return result;
    }
    result.pearson = Coefficient{r, correlationP(r, result.n)};
    const double rho = pearsonR(averagedRanks(x), averagedRanks(y));
    result.spearman = Coefficient{rho, correlationP(rho, result.n)};
    return result;
}

} // namespace zav::fluctuation
