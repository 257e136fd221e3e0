#pragma once
// The elementary functions of the diversity run, written with + - * / and
// sqrt only (which IEEE 754 rounds the same everywhere), so that the desktop
// (glibc), the page (emscripten's musl) and any other build give the same
// bits: the libraries' exp, log, pow and lgamma differ in the last bit, and
// a last bit shows in the shortest decimal of the JSON and the CSV. They are
// faithful (within about 1 ulp), not correctly rounded; what they guarantee
// is the same result on every platform. The unit is compiled without
// contraction into fused multiply-adds (see CMakeLists.txt), which would
// change the bits on a processor that has them.

#include <cstdint>

namespace zav::diversity::pm {

// e^x; 0 below -745.2, infinity above 709.8.
double exp(double x);
// e^x - 1, accurate near 0.
double expm1(double x);
// ln x for x > 0 (-infinity at 0, NaN below).
double log(double x);
// ln(1 + x) for x > -1, accurate near 0.
double log1p(double x);
// x^y for x >= 0 as e^(y ln x); 0^0 = 1.
double pow(double x, double y);
// ln k! for k >= 0.
double logFactorial(double k);

} // namespace zav::diversity::pm
