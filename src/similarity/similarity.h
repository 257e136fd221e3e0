#pragma once
// Sørensen's quotient of similarity between every pair of treatments: data
// files of the same species list, matched line by line.

#include <cstdint>
#include <string>
#include <vector>

namespace zav {

inline constexpr int kMinTreatments = 3;
inline constexpr int kMaxTreatments = 10;

// The message refusing a number of treatments, or empty when it is one the
// computation takes (3 to 10). UTF-8, as the user reads it.
std::string treatmentCountProblem(std::int64_t treatments);

// Individuals per species row (outer: treatments in the order chosen; inner:
// species rows from 1). A cell is present when it is not 0, negative counts
// included. A treatment whose file has fewer rows than another's is absent
// from the rows it does not reach.
struct PresenceMatrix {
    std::vector<std::vector<std::int32_t>> treatments;

    // R: the largest species count among the treatments.
    std::size_t speciesRows() const;
    bool present(std::size_t row, std::size_t treatment) const;
};

struct PairSimilarity {
    int x = 0, y = 0;             // treatments, 1-based, x < y
    std::int32_t common = 0;      // j
    std::int32_t speciesX = 0;    // a
    std::int32_t speciesY = 0;    // b
    bool quotientDefined = false; // a + b > 0
    bool intervalDefined = false; // j > 0
    double quotient = 0.0;        // percent
    double lower = 0.0;           // percent
    double upper = 0.0;           // percent
};

struct SimilarityResult {
    std::vector<std::int32_t> speciesPerTreatment; // S[t]
    std::vector<PairSimilarity> pairs;             // (1,2), (1,3), ..., (T-1,T)
};

// For each pair (x, y) in the order x = 1..T-1, y = x+1..T, with j the rows
// present in both, a and b the rows present in each:
//   QS = 2j / (a + b)                                   (Sørensen 1948)
//   h = sqrt( 2j (2j + 1) / (a + b)^3 / j ),  interval (QS -/+ h) * 100.
// The bounds are not clipped. With j = 0 the interval is undefined (the
// quotient is 0); with a + b = 0 the quotient is undefined too.
SimilarityResult CalculaSimilaridade(const PresenceMatrix& matrix);

} // namespace zav
