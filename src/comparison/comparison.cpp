#include "comparison/comparison.h"

#include "comparison/statistics.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace zav {
namespace {

// Individuals of treatment t on species row r; 0 beyond the end of its file.
std::int64_t count(const PresenceMatrix& m, std::size_t t, std::size_t r) {
    const auto& column = m.treatments[t];
    return r < column.size() ? column[r] : 0;
}

void refuseNegativeCounts(const PresenceMatrix& m) {
    for (std::size_t t = 0; t < m.treatments.size(); ++t)
        for (std::size_t r = 0; r < m.treatments[t].size(); ++r)
            if (m.treatments[t][r] < 0)
                throw DataFileError(
                    "T" + std::to_string(t + 1) + ": " +
                    atLine(static_cast<std::int64_t>(r) + 2,
                           "número negativo de indivíduos (" + std::to_string(m.treatments[t][r]) + ")"));
}

TreatmentDiversity diversityOf(const std::vector<std::int32_t>& counts) {
    TreatmentDiversity d;
    std::int32_t first = 0;
    bool even = true;
    for (const std::int32_t c : counts) {
        if (c <= 0) continue;
        d.individuals += c;
        ++d.species;
        if (first == 0) first = c;
        even = even && c == first;
    }
    if (d.individuals == 0) return d;
    const auto n = static_cast<double>(d.individuals);
    double sumPLnP = 0.0;
    for (const std::int32_t c : counts)
        if (c > 0) {
            const double p = c / n;
            sumPLnP += p * std::log(p);
        }
    d.shannon = -sumPLnP;
    // sum p ln^2 p - (sum p ln p)^2 is the variance of ln p over the
    // individuals: summed about its mean it is never negative, and it is 0
    // exactly when all species have the same count (rounding would leave a
    // trace there, and a t test that divides by it).
    double spread = 0.0;
    if (!even)
        for (const std::int32_t c : counts)
            if (c > 0) {
                const double p = c / n;
                const double deviation = std::log(p) - sumPLnP;
                spread += p * deviation * deviation;
            }
    d.variance = spread / n;
    return d;
}

HutchesonPair hutcheson(const TreatmentDiversity& a, const TreatmentDiversity& b) {
    HutchesonPair pair;
    if (!a.shannon || !b.shannon) {
        pair.gap = HutchesonGap::NoIndividuals;
        return pair;
    }
    const double v = *a.variance + *b.variance;
    if (v <= 0.0) {
        pair.gap = HutchesonGap::NoVariance;
        return pair;
    }
    pair.t = (*a.shannon - *b.shannon) / std::sqrt(v);
    pair.df = v * v /
              (*a.variance * *a.variance / static_cast<double>(a.individuals) +
               *b.variance * *b.variance / static_cast<double>(b.individuals));
    pair.p = studentTwoSidedP(*pair.t, *pair.df);
    return pair;
}

IndexMatrix emptyMatrix(std::size_t n) { return IndexMatrix(n, std::vector<std::optional<double>>(n)); }

// A fraction num / den, in percent, or missing when den is 0.
std::optional<double> percent(double num, double den) {
    if (den == 0.0) return std::nullopt;
    return num / den * 100.0;
}

} // namespace

std::string comparisonCountProblem(std::int64_t treatments) {
    if (treatments < kMinComparedTreatments) return "Erro: Digite 2 ou mais conjuntos de dados";
    return treatments > kMaxTreatments ? treatmentCountProblem(treatments) : std::string();
}

ComparisonCountError::ComparisonCountError(std::int64_t treatments) : Error(comparisonCountProblem(treatments)) {}

ComparisonResult compareTreatments(const PresenceMatrix& matrix, DendrogramIndex index) {
    const std::size_t n = matrix.treatments.size();
    if (!comparisonCountProblem(static_cast<std::int64_t>(n)).empty())
        throw ComparisonCountError(static_cast<std::int64_t>(n));
    refuseNegativeCounts(matrix);
    const std::size_t rows = matrix.speciesRows();

    ComparisonResult r;
    for (const auto& counts : matrix.treatments)
        r.diversity.push_back(diversityOf(counts));
    std::vector<std::optional<double>> p;
    for (std::size_t x = 0; x + 1 < n; ++x)
        for (std::size_t y = x + 1; y < n; ++y) {
            HutchesonPair pair = hutcheson(r.diversity[x], r.diversity[y]);
            pair.x = static_cast<int>(x + 1);
            pair.y = static_cast<int>(y + 1);
            r.hutcheson.push_back(pair);
            p.push_back(pair.p);
        }
    const auto adjusted = holmAdjusted(p);
    for (std::size_t i = 0; i < adjusted.size(); ++i)
        r.hutcheson[i].pHolm = adjusted[i];

    r.sorensen = r.jaccard = r.morisitaHorn = r.brayCurtis = emptyMatrix(n);
    // Dissimilarities of the dendrogram, missing where the index is.
    std::vector<std::vector<std::optional<double>>> distance = emptyMatrix(n);
    for (std::size_t x = 0; x < n; ++x)
        for (std::size_t y = x; y < n; ++y) {
            std::int64_t j = 0, a = 0, b = 0, sumX = 0, sumY = 0, sumMin = 0;
            double sumXY = 0.0, sumXX = 0.0, sumYY = 0.0;
            for (std::size_t row = 0; row < rows; ++row) {
                const std::int64_t cx = count(matrix, x, row), cy = count(matrix, y, row);
                a += cx > 0;
                b += cy > 0;
                j += cx > 0 && cy > 0;
                sumX += cx;
                sumY += cy;
                sumMin += std::min(cx, cy);
                sumXY += static_cast<double>(cx) * static_cast<double>(cy);
                sumXX += static_cast<double>(cx) * static_cast<double>(cx);
                sumYY += static_cast<double>(cy) * static_cast<double>(cy);
            }
            const auto X = static_cast<double>(sumX), Y = static_cast<double>(sumY);
            // A treatment against itself is 100 wherever the index exists,
            // without the rounding of the formula.
            const auto set = [&](IndexMatrix& m, std::optional<double> v) {
                m[x][y] = m[y][x] = (x == y && v) ? 100.0 : v;
            };
            set(r.sorensen, percent(static_cast<double>(2 * j), static_cast<double>(a + b)));
            set(r.jaccard, percent(static_cast<double>(j), static_cast<double>(a + b - j)));
            set(r.morisitaHorn, X == 0.0 || Y == 0.0
                                    ? std::nullopt
                                    : percent(2.0 * sumXY, (sumXX / (X * X) + sumYY / (Y * Y)) * X * Y));
            set(r.brayCurtis, percent(static_cast<double>(2 * sumMin), X + Y));
            const bool sorensen = index == DendrogramIndex::Sorensen;
            const std::int64_t den = sorensen ? a + b : sumX + sumY;
            const std::int64_t num = sorensen ? a + b - 2 * j : sumX + sumY - 2 * sumMin;
            if (den > 0) distance[x][y] = distance[y][x] = static_cast<double>(num) / static_cast<double>(den);
        }

    r.dendrogram.index = index;
    std::vector<std::vector<double>> d(n, std::vector<double>(n, 0.0));
    for (std::size_t x = 0; x < n && r.dendrogram.gap == DendrogramGap::None; ++x)
        for (std::size_t y = x + 1; y < n; ++y) {
            if (!distance[x][y]) {
                r.dendrogram.gap = DendrogramGap::UndefinedDistance;
                r.dendrogram.gapX = static_cast<int>(x + 1);
                r.dendrogram.gapY = static_cast<int>(y + 1);
                break;
            }
            d[x][y] = d[y][x] = *distance[x][y];
        }
    if (r.dendrogram.gap == DendrogramGap::None) r.dendrogram.tree = upgma(d);
    return r;
}

} // namespace zav
