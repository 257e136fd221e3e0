#include "data/exact_decimal.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace zav {
namespace {

// A non-negative integer in base 10^9, least significant limb first; enough
// for m * 5^1074 (about 770 digits) and for m * 2^971 (about 310 digits).
class BigDecimal {
  public:
    explicit BigDecimal(std::uint64_t value) {
        do {
            limbs_.push_back(static_cast<std::uint32_t>(value % kBase));
            value /= kBase;
        } while (value != 0);
    }

    void multiplyByPowerOf2(int exponent) {
        for (; exponent >= 30; exponent -= 30)
            multiply(std::uint32_t{1} << 30);
        if (exponent > 0) multiply(std::uint32_t{1} << exponent);
    }

    void multiplyByPowerOf5(int exponent) {
        constexpr std::uint32_t k5to13 = 1220703125;
        for (; exponent >= 13; exponent -= 13)
            multiply(k5to13);
        std::uint32_t rest = 1;
        while (exponent-- > 0)
            rest *= 5;
        multiply(rest);
    }

    std::string digits() const {
        std::string text = std::to_string(limbs_.back());
        for (auto limb = limbs_.rbegin() + 1; limb != limbs_.rend(); ++limb) {
            const std::string part = std::to_string(*limb);
            text.append(9 - part.size(), '0').append(part);
        }
        return text;
    }

  private:
    static constexpr std::uint64_t kBase = 1000000000;

    void multiply(std::uint32_t factor) {
        std::uint64_t carry = 0;
        for (auto& limb : limbs_) {
            const std::uint64_t product = std::uint64_t{limb} * factor + carry;
            limb = static_cast<std::uint32_t>(product % kBase);
            carry = product / kBase;
        }
        while (carry != 0) {
            limbs_.push_back(static_cast<std::uint32_t>(carry % kBase));
            carry /= kBase;
        }
    }

    std::vector<std::uint32_t> limbs_;
};

// A finite double's magnitude as mantissa * 2^exponent.
struct Binary {
    std::uint64_t mantissa;
    int exponent;
    bool lowerGapHalved; // the next double down is half as far as the next up
};

Binary decompose(double value) {
    std::uint64_t bits; // std::bit_cast is missing from the browser build's library
    std::memcpy(&bits, &value, sizeof bits);
    const auto fraction = bits & ((std::uint64_t{1} << 52) - 1);
    const auto biased = static_cast<int>((bits >> 52) & 0x7ff);
    if (biased == 0) return {fraction, -1074, false};
    return {fraction | (std::uint64_t{1} << 52), biased - 1075, fraction == 0 && biased > 1};
}

// mantissa * 2^exponent as decimal digits d with the value d / 10^scale.
struct ScaledDigits {
    std::string digits;
    int scale;
};

ScaledDigits scaled(std::uint64_t mantissa, int exponent) {
    BigDecimal n(mantissa);
    if (exponent >= 0) {
        n.multiplyByPowerOf2(exponent);
        return {n.digits(), 0};
    }
    n.multiplyByPowerOf5(-exponent);
    return {n.digits(), -exponent};
}

std::string leftZeros(const std::string& digits, std::size_t width) {
    return std::string(width - digits.size(), '0') + digits;
}

// Adds 1 to the decimal digits in place; the first digit must be a 0 when
// all the others are 9.
void increment(std::string& digits) {
    auto i = digits.size();
    while (i > 0 && digits[i - 1] == '9')
        digits[--i] = '0';
    if (i > 0) ++digits[i - 1];
}

} // namespace

std::string exactDecimal(double value) {
    const auto b = decompose(value);
    auto [digits, scale] = scaled(b.mantissa, b.exponent);
    const auto point = static_cast<std::size_t>(scale);
    if (digits.size() <= point) digits = leftZeros(digits, point + 1);
    std::string text = digits.substr(0, digits.size() - point);
    auto fraction = digits.substr(digits.size() - point);
    fraction.erase(fraction.find_last_not_of('0') + 1);
    if (!fraction.empty()) text.append(".").append(fraction);
    return std::signbit(value) ? "-" + text : text;
}

std::string shortestDecimal(double value) {
    // -0.0 reads back as 0 in every reader of a number and means nothing
    // else: it is written "0", so that no output shows "-0".
    if (value == 0) return "0";
    const std::string sign = std::signbit(value) ? "-" : "";
    const auto b = decompose(value);

    // The doubles next to the value are 2^exponent away (half that below a
    // power of 2); a text reads back as the value when it lies between the
    // midpoints, on them too when the mantissa is even (ties go to even).
    // All three in units of 2^(exponent - 2), so that they are integers.
    const auto lowOffset = b.lowerGapHalved ? 1u : 2u;
    const auto low = scaled(4 * b.mantissa - lowOffset, b.exponent - 2);
    const auto high = scaled(4 * b.mantissa + 2, b.exponent - 2);
    const auto exact = scaled(4 * b.mantissa, b.exponent - 2);
    // Same width for all, at least one integer digit, and a leading 0 that a
    // carry may take.
    const auto width = std::max(high.digits.size(), static_cast<std::size_t>(high.scale) + 1) + 1;
    const auto lower = leftZeros(low.digits, width);
    const auto upper = leftZeros(high.digits, width);
    const auto v = leftZeros(exact.digits, width);
    const bool inclusive = b.mantissa % 2 == 0;
    auto readsBack = [&](const std::string& candidate) {
        return inclusive ? lower <= candidate && candidate <= upper : lower < candidate && candidate < upper;
    };

    const auto first = v.find_first_not_of('0');
    std::string digits;
    for (auto kept = first + 1; kept <= width; ++kept) {
        const auto rest = v.substr(kept);
        const bool whole = rest.find_first_not_of('0') == std::string::npos;
        auto down = v.substr(0, kept) + std::string(width - kept, '0');
        auto up = v.substr(0, kept);
        increment(up);
        up.append(width - kept, '0');
        const bool downFits = readsBack(down), upFits = !whole && readsBack(up);
        if (!downFits && !upFits) continue;
        bool takeUp = upFits;
        if (downFits && upFits) {
            const std::string half = "5" + std::string(rest.size() - 1, '0');
            takeUp = rest > half || (rest == half && (v[kept - 1] - '0') % 2 == 1);
        }
        digits = takeUp ? up : down;
        break;
    }
    // The significant digits and the power of ten of the first one.
    const auto lead = digits.find_first_not_of('0');
    const int pointAt = static_cast<int>(width) - exact.scale; // digits before the point
    const int power = pointAt - 1 - static_cast<int>(lead);
    std::string significant = digits.substr(lead);
    significant.erase(significant.find_last_not_of('0') + 1);
    const int count = static_cast<int>(significant.size());

    std::string scientific = significant.substr(0, 1);
    if (count > 1) scientific.append(".").append(significant.substr(1));
    const auto exponent = std::to_string(std::abs(power));
    scientific.append(power < 0 ? "e-" : "e+").append(exponent.size() < 2 ? "0" : "").append(exponent);

    std::string plain;
    if (power >= count - 1) {
        // A whole number: the plain style prints its exact digits, which for
        // one above 2^53 are not the shortest digits followed by zeros.
        const auto integer = v.substr(0, static_cast<std::size_t>(pointAt));
        const bool isWhole = v.find_first_not_of('0', static_cast<std::size_t>(pointAt)) == std::string::npos;
        plain = isWhole ? integer.substr(integer.find_first_not_of('0'))
                        : significant + std::string(static_cast<std::size_t>(power - count + 1), '0');
    } else if (power >= 0) {
        plain = significant.substr(0, static_cast<std::size_t>(power + 1)) + "." +
                significant.substr(static_cast<std::size_t>(power + 1));
    } else {
        plain = "0." + std::string(static_cast<std::size_t>(-power - 1), '0') + significant;
    }
    return sign + (plain.size() <= scientific.size() ? plain : scientific);
}

} // namespace zav
