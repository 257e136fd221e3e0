#pragma once
// The comparison of 2 to 10 treatments as papers make it: Hutcheson's t test
// of their Shannon diversities for every pair, the similarity matrices of
// Sørensen, Jaccard, Morisita-Horn and Bray-Curtis, and a UPGMA dendrogram.
// The treatments are the data files of the similarity run (the individuals
// of every species line, matched line by line; see PresenceMatrix).

#include "comparison/dendrogram.h"
#include "data/errors.h"
#include "similarity/similarity.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zav {

inline constexpr int kMinComparedTreatments = 2;

// The message refusing a number of treatments for the comparison, or empty
// when it is one it takes (2 to 10). UTF-8, as the user reads it.
std::string comparisonCountProblem(std::int64_t treatments);

// A number of treatments the comparison does not take; what() is
// comparisonCountProblem's message.
class ComparisonCountError : public Error {
  public:
    explicit ComparisonCountError(std::int64_t treatments);
};

// The distance the dendrogram clusters: 1 - Sørensen's quotient (presence)
// or Bray-Curtis's dissimilarity (abundances).
enum class DendrogramIndex { Sorensen, BrayCurtis };

// Shannon's H of one treatment with natural logarithms, over all its
// species lines with individuals, and its variance as Zar prints it:
//   H = -sum p ln p,  Var(H) = (sum p ln^2 p - (sum p ln p)^2) / N,
// without Hutcheson's (S - 1) / (2 N^2) term. Var(H) is 0 when every species
// has the same number of individuals. Both are missing without individuals.
struct TreatmentDiversity {
    std::int64_t individuals = 0; // N
    std::int32_t species = 0;     // S, lines with individuals
    std::optional<double> shannon;
    std::optional<double> variance;
};

// Why a pair has no t.
enum class HutchesonGap {
    None,
    NoIndividuals, // a treatment of the pair has no individuals
    NoVariance,    // both variances are 0
};

// Hutcheson's t test of a pair (Hutcheson 1970; Zar, Biostatistical
// Analysis): t = (H1 - H2) / sqrt(Var1 + Var2), degrees of freedom
// (Var1 + Var2)^2 / (Var1^2 / N1 + Var2^2 / N2), p two-sided from Student's
// t, pHolm adjusted by Holm over the pairs that have a p.
struct HutchesonPair {
    int x = 0, y = 0; // treatments, 1-based, x < y
    HutchesonGap gap = HutchesonGap::None;
    std::optional<double> t, df, p, pHolm;
};

// A square matrix over the treatments (rows and columns in their order),
// percent similarities; a cell is missing where its index is undefined.
using IndexMatrix = std::vector<std::vector<std::optional<double>>>;

// Why the dendrogram is missing.
enum class DendrogramGap {
    None,
    UndefinedDistance, // two treatments have no distance (see gapPair)
};

struct Dendrogram {
    DendrogramIndex index = DendrogramIndex::Sorensen;
    DendrogramGap gap = DendrogramGap::None;
    int gapX = 0, gapY = 0; // with UndefinedDistance, the first pair without one
    UpgmaTree tree;         // empty with a gap
};

struct ComparisonResult {
    std::vector<TreatmentDiversity> diversity; // one per treatment
    std::vector<HutchesonPair> hutcheson;      // (1,2), (1,3), ..., (T-1,T)
    // Similarities in percent, 100 on the diagonal of a treatment for which
    // the index is defined:
    IndexMatrix sorensen;     // 2j / (a + b), CalculaSimilaridade's quotient (Sørensen 1948);
                              // missing when neither has species
    IndexMatrix jaccard;      // j / (a + b - j) (Jaccard 1912); missing when neither has species
    IndexMatrix morisitaHorn; // 2 sum xy / ((sum x^2 / X^2 + sum y^2 / Y^2) X Y) (Horn 1966),
                              // 1 - vegan's "horn"; missing when either has no individuals
    IndexMatrix brayCurtis;   // 2 sum min(x, y) / (X + Y) = 1 - sum |x - y| / (X + Y)
                              // (Bray and Curtis 1957), 1 - vegan's "bray"; missing when
                              // neither has individuals
    Dendrogram dendrogram;    // UPGMA on 1 - Sørensen or on the Bray-Curtis dissimilarity
};

// Compares the treatments of `matrix` (2 to 10; rows a shorter file does not
// reach count as 0). Throws ComparisonCountError for another number of
// treatments and DataFileError for a negative count, which abundances do not
// allow.
ComparisonResult compareTreatments(const PresenceMatrix& matrix, DendrogramIndex index);

} // namespace zav
