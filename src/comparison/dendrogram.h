#pragma once
// Average-linkage clustering (UPGMA) of the treatments and the cophenetic
// correlation of its tree.

#include <optional>
#include <vector>

namespace zav {

// One fusion: the two groups joined (1-based treatment numbers, ascending
// within a group; `left` holds the smaller first member) at `height`, the
// average distance between their members.
struct DendrogramMerge {
    std::vector<int> left;
    std::vector<int> right;
    double height = 0.0;
};

struct UpgmaTree {
    std::vector<DendrogramMerge> merges; // n - 1, heights never decreasing
    std::vector<int> leafOrder;          // the leaves left to right, no branch crossing
    std::optional<double> copheneticCorrelation;
};

// UPGMA (Sokal and Michener 1958) on a symmetric matrix of distances: the
// two closest groups are joined, and the distance of the new group to any
// other is the mean of its members' distances, weighted by group size (R's
// hclust(method = "average")). Ties: distances within 1e-12 (relative) of
// the smallest count as equal, and among them the pair whose groups come
// first by their smallest members, (first, second), wins; so equal inputs
// give the same tree on every machine.
// The cophenetic correlation (Sokal and Rohlf 1962) is Pearson's
// correlation, over the pairs i < j, of the distances and the heights at
// which i and j are first joined; it is missing with fewer than three
// treatments or when either set of values does not vary.
UpgmaTree upgma(const std::vector<std::vector<double>>& distances);

} // namespace zav
