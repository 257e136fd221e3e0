#pragma once
// Pearson's and Spearman's correlation of two series, with the two-sided p
// value of Student's t, as R's cor.test(x, y, method = "pearson" or
// "spearman", exact = FALSE) gives them.

#include <optional>
#include <string>
#include <vector>

namespace zav::fluctuation {

// The ranks of the values, 1 for the smallest, tied values sharing the mean
// of the ranks they span (the "average" ties of R's rank()).
std::vector<double> averagedRanks(const std::vector<double>& values);

// Pearson's product-moment coefficient (Pearson 1896; Zar 2010, eq. 19.1):
// r = sum (x - mx)(y - my) / sqrt(sum (x - mx)^2 sum (y - my)^2), the sums
// over the n pairs. Both series must vary (the caller checks).
double pearsonR(const std::vector<double>& x, const std::vector<double>& y);

// The two-sided p value of a coefficient r from n pairs under no
// correlation: t = r sqrt((n - 2) / (1 - r^2)) with n - 2 degrees of freedom
// (Zar 2010, eq. 19.3; for Spearman's rho the same approximation, Zar 2010,
// section 19.9, as cor.test with exact = FALSE). |r| = 1 gives 0.
double correlationP(double r, int n);

struct Coefficient {
    double value = 0.0; // r or rho
    double p = 1.0;
};

struct CorrelationResult {
    int n = 0; // the pairs where neither value is missing
    std::optional<Coefficient> pearson;
    std::optional<Coefficient> spearman; // Spearman 1904: Pearson's r of the averaged ranks
    std::string missing;                 // why both are missing (UTF-8)
};

// Both coefficients over the pairs where both values exist; none, with the
// reason, for fewer than 3 pairs or a series or a variable that does not
// vary over them.
CorrelationResult correlate(const std::vector<std::optional<double>>& series,
                            const std::vector<std::optional<double>>& variable);

} // namespace zav::fluctuation
