#pragma once
// Number and padding texts of the reports. Everything here is independent
// of the locale: the decimal separator is always ".".

#include <cstdint>
#include <string>
#include <string_view>

namespace zav {

// n spaces; empty when n is 0 or less.
std::string spaces(int n);

// Spaces put in front until the text is `width` characters long; a text of
// `width` or more characters is returned unchanged.
std::string leftPad(std::string_view text, std::size_t width);

// The first `length` characters of a text (the whole text when shorter).
// Cutting a number text never rounds it again.
std::string cut(std::string_view text, std::size_t length);

// Plain decimal, "-" before a negative value, no padding.
std::string decimal(std::int64_t value);

// Fixed-point text with `decimals` decimals and "." as separator, rounded
// at the last decimal with halves away from zero (3.125 gives 3.13), judged
// on the exact binary value of the double. A value that rounds to zero has
// no sign. Throws ComputationError for NaN or infinity, so neither can
// reach a report.
std::string fixedPoint(double value, int decimals);

} // namespace zav
