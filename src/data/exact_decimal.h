#pragma once
// Decimal texts of doubles computed with exact integer arithmetic, so that
// every build (the desktop's libstdc++, the browser's libc++) prints the same
// digits whatever its standard library offers. Independent of the locale.

#include <string>

namespace zav {

// Every digit of a finite double's binary value, which always has a finite
// decimal expansion: "0.125", "2.67499999999999982236431605997495353221893310546875",
// "-3", "100000000000000000000". No exponent, "." as separator, no trailing
// zeros after it, "-" before a negative value (also before -0).
std::string exactDecimal(double value);

// The shortest text that reads back as the same finite double, written the
// way C++17 std::to_chars(first, last, value) writes it: the fewest
// characters among the plain and the scientific style, plain on a tie
// ("0.001", "1e-04", "2.5", "1e+20"); among texts of equal length the one
// closest to the value, ties to the even digit; a whole number written in
// the plain style has its exact digits ("110087783773918336"). Unlike
// to_chars, -0.0 is written "0": no output of the program shows "-0".
std::string shortestDecimal(double value);

} // namespace zav
