#include "analysis/exact_sample.h"

#include "data/errors.h"

namespace zav {
namespace {

__extension__ typedef __int128 Wide;
using UWide = UnsignedWide;

int signOf(Wide v) { return (v > 0) - (v < 0); }

// The sign of left * sqrt(leftRoot) - right * sqrt(rightRoot), roots >= 0.
int compareScaledRoots(Wide left, UWide leftRoot, Wide right, UWide rightRoot) {
    const int a = leftRoot == 0 ? 0 : signOf(left);
    const int b = rightRoot == 0 ? 0 : signOf(right);
    if (a != b) return a > b ? 1 : -1;
    if (a == 0) return 0;
    const UWide l = static_cast<UWide>(left < 0 ? -left : left);
    const UWide r = static_cast<UWide>(right < 0 ? -right : right);
    const UWide lhs = l * l * leftRoot;
    const UWide rhs = r * r * rightRoot;
    const int magnitude = (lhs > rhs) - (lhs < rhs);
    return a * magnitude;
}

} // namespace

ExactSample::ExactSample(const std::vector<std::int64_t>& numerators, bool negativeScale)
    : count_(static_cast<std::int64_t>(numerators.size())), scaleSign_(negativeScale ? -1 : 1) {
    if (count_ < 2) throw ComputationError();
    for (auto a : numerators)
        sum_ += a;
    for (auto a : numerators) {
        const Wide d = deviation(a);
        squares_ += static_cast<UWide>(d * d);
    }
}

std::int64_t ExactSample::deviation(std::int64_t a) const { return a * count_ - sum_; }

int ExactSample::compareWithErrors(std::int64_t a, int hundredths) const {
    const Wide left = static_cast<Wide>(scaleSign_) * deviation(a) * 100;
    const UWide n = static_cast<UWide>(count_);
    return compareScaledRoots(left, n * (n - 1), hundredths, squares_);
}

int ExactSample::compareWithDeviations(std::int64_t a, int k) const {
    const Wide left = static_cast<Wide>(scaleSign_) * deviation(a);
    return compareScaledRoots(left, static_cast<UWide>(count_ - 1), k, squares_);
}

int compareFraction(std::int64_t numerator, std::int64_t denominator, std::int64_t threshold) {
    const Wide difference = static_cast<Wide>(numerator) - static_cast<Wide>(threshold) * denominator;
    return signOf(difference) * (denominator < 0 ? -1 : 1);
}

} // namespace zav
