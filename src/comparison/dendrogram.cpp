#include "comparison/dendrogram.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <optional>

namespace zav {
namespace {

struct Cluster {
    std::vector<int> members; // ascending
    std::vector<int> leaves;  // drawing order
};

std::optional<double> pearson(const std::vector<double>& x, const std::vector<double>& y) {
    const auto n = static_cast<double>(x.size());
    if (x.size() < 3) return std::nullopt;
    double mx = 0.0, my = 0.0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        mx += x[i];
        my += y[i];
    }
    mx /= n;
    my /= n;
    double sxy = 0.0, sxx = 0.0, syy = 0.0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        sxy += (x[i] - mx) * (y[i] - my);
        sxx += (x[i] - mx) * (x[i] - mx);
        syy += (y[i] - my) * (y[i] - my);
    }
    if (sxx <= 0.0 || syy <= 0.0) return std::nullopt;
    return sxy / std::sqrt(sxx * syy);
}

} // namespace

UpgmaTree upgma(const std::vector<std::vector<double>>& distances) {
    const std::size_t n = distances.size();
    // Groups kept in the order of their smallest members; d between groups.
    std::vector<Cluster> groups;
    for (std::size_t i = 0; i < n; ++i)
        groups.push_back({{static_cast<int>(i + 1)}, {static_cast<int>(i + 1)}});
    std::vector<std::vector<double>> d = distances;
    std::vector<std::vector<double>> cophenetic(n, std::vector<double>(n, 0.0));

    UpgmaTree tree;
    while (groups.size() > 1) {
        double smallest = d[0][1];
        for (std::size_t i = 0; i < groups.size(); ++i)
            for (std::size_t j = i + 1; j < groups.size(); ++j)
                smallest = std::min(smallest, d[i][j]);
        const double tolerance = 1e-12 * std::max(1.0, std::fabs(smallest));
        std::size_t a = 0, b = 0;
        for (std::size_t i = 0; i < groups.size() && b == 0; ++i)
            for (std::size_t j = i + 1; j < groups.size(); ++j)
                if (d[i][j] <= smallest + tolerance) {
                    a = i;
                    b = j;
                    break;
                }

        const double height = d[a][b];
        for (int x : groups[a].members)
            for (int y : groups[b].members)
                cophenetic[static_cast<std::size_t>(x - 1)][static_cast<std::size_t>(y - 1)] =
                    cophenetic[static_cast<std::size_t>(y - 1)][static_cast<std::size_t>(x - 1)] = height;
        tree.merges.push_back({groups[a].members, groups[b].members, height});

        // The joined group takes a's place (its smallest member is a's), b goes.
        const auto sizeA = static_cast<double>(groups[a].members.size());
        const auto sizeB = static_cast<double>(groups[b].members.size());
        for (std::size_t k = 0; k < groups.size(); ++k) {
            if (k == a || k == b) continue;
            d[a][k] = d[k][a] = (sizeA * d[a][k] + sizeB * d[b][k]) / (sizeA + sizeB);
        }
        Cluster& joined = groups[a];
        joined.members.insert(joined.members.end(), groups[b].members.begin(), groups[b].members.end());
        std::sort(joined.members.begin(), joined.members.end());
        joined.leaves.insert(joined.leaves.end(), groups[b].leaves.begin(), groups[b].leaves.end());
        groups.erase(groups.begin() + static_cast<std::ptrdiff_t>(b));
        d.erase(d.begin() + static_cast<std::ptrdiff_t>(b));
        for (auto& row : d)
            row.erase(row.begin() + static_cast<std::ptrdiff_t>(b));
    }
    if (!groups.empty()) tree.leafOrder = groups.front().leaves;

    std::vector<double> original, fitted;
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = i + 1; j < n; ++j) {
            original.push_back(distances[i][j]);
            fitted.push_back(cophenetic[i][j]);
        }
    tree.copheneticCorrelation = pearson(original, fitted);
    return tree;
}

} // namespace zav
