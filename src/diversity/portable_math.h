#pragma once
// The elementary functions of the diversity run, written with + - * / and
// sqrt only (which IEEE 754 rounds the same everywhere), so that the desktop
// (glibc), the page (emscripten's musl) and any other build give the same
// bits: the libraries' exp, log, pow and lgamma differ in the last bit, and
// a last bit shows in the shortest decimal of the JSON and the CSV. They are
// faithful (within about 1 ulp), not correctly rounded; what they guarantee
// is the same result on every platform. The whole project is compiled with
// -ffp-contract=off (the top CMakeLists.txt): a fused multiply-add would
// change the bits on a processor that has one.

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

// Loader's (2000) saddle-point form of the binomial probabilities, which
// keeps their relative precision at any size (no difference of
// ln-factorials). For whole k >= 1: stirlerr(k) = ln k! - (k + 1/2) ln k + k
// - ln(2 pi)/2; deviance(k, M) = k ln(k/M) + M - k; and ln of the
// Binomial(size, p) probability of whole k, q = 1 - p given apart.
double stirlingError(double k);
double deviance(double k, double M);
double logBinomial(double k, double size, double p, double q);

} // namespace zav::diversity::pm
