#pragma once
// The distributions and the multiple-test adjustment of the comparison of
// treatments, computed here with the standard library alone.

#include <optional>
#include <vector>

namespace zav {

// The regularized incomplete beta function I_x(a, b), a > 0, b > 0, x in
// [0, 1]: the continued fraction of the incomplete beta (Abramowitz and
// Stegun 26.5.8), evaluated by the modified Lentz method (Lentz 1976;
// Thompson and Barnett 1986), on the side of x where it converges fast
// (I_x(a, b) = 1 - I_{1-x}(b, a)).
double regularizedIncompleteBeta(double a, double b, double x);

// The two-sided p value of Student's t with `df` degrees of freedom (df > 0):
// P(|T| >= |t|) = I_{df / (df + t^2)}(df / 2, 1 / 2).
double studentTwoSidedP(double t, double df);

// Holm's step-down adjustment (Holm 1979) of the p values that exist, the
// missing ones left out of the count m, as R's p.adjust(p, "holm"): in
// ascending order (ties in their given order), p_(i) becomes
// max over k <= i of min(1, (m - k + 1) p_(k)).
std::vector<std::optional<double>> holmAdjusted(const std::vector<std::optional<double>>& p);

} // namespace zav
