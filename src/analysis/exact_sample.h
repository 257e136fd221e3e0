#pragma once
// Comparisons of a value with limits computed from the same sample, decided
// as exact arithmetic decides them.
//
// Every class boundary of the analysis has the form m + k * e or m + k * s,
// where m is the mean of values x_i = a_i / q (integer a_i, one scale q that
// is not 0), s their sample standard deviation and e = s / sqrt(n). In
// doubles a share that equals a limit (all counts equal, for instance) may
// land on either side of it by rounding alone, so the class would depend on
// the number of species. Here, with d_i = a_i * n - sum(a) and
// D = sum(d_i^2):
//
//   x - m = d / (n q),   s = sqrt(D / (n - 1)) / (n |q|),
//
// so the sign of x - (m + k e) is the sign of
//   sign(q) * d * sqrt(n (n - 1)) - k * sqrt(D),
// decided by comparing squares in 128-bit integers. With counts of 32 bits
// and n <= 900 every product stays below 2^118.

#include <cstdint>
#include <vector>

namespace zav {

__extension__ typedef unsigned __int128 UnsignedWide;

class ExactSample {
  public:
    // The numerators a_i of the n values that enter the mean and the
    // variance; negativeScale when q < 0.
    explicit ExactSample(const std::vector<std::int64_t>& numerators, bool negativeScale = false);

    // -1, 0 or 1 as x = a / q is below, on or above m + (hundredths / 100) * e.
    int compareWithErrors(std::int64_t a, int hundredths) const;

    // -1, 0 or 1 as x = a / q is below, on or above m + k * s.
    int compareWithDeviations(std::int64_t a, int k) const;

    bool noSpread() const { return squares_ == 0; }

  private:
    std::int64_t deviation(std::int64_t a) const;

    std::int64_t count_ = 0;
    std::int64_t sum_ = 0;
    UnsignedWide squares_ = 0; // D
    int scaleSign_ = 1;
};

// -1, 0 or 1 as numerator / denominator is below, on or above threshold
// (denominator not 0).
int compareFraction(std::int64_t numerator, std::int64_t denominator, std::int64_t threshold);

} // namespace zav
