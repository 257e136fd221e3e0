#pragma once
// When in the year the individuals were caught: the mean of the collection
// dates as angles, weighted by the individuals, and Rayleigh's test of
// uniformity (Zar 2010, Biostatistical Analysis, 5th ed., chapters 26-27).

#include "data/collection_blocks.h"

#include <optional>
#include <string>
#include <vector>

namespace zav::fluctuation {

// The day of the year, 1 for 1 January.
int dayOfYear(const CalendarDate& date);

// A date's angle in degrees: 360 (d - 1) / D for its day of the year d and
// the D = 365 or 366 days of its year (Zar 2010, eq. 26.2).
double dateAngle(const CalendarDate& date);

// The day and month, "dd/mm", of a mean angle: day 1 + round(angle 365 /
// 360) of a year of 365 days, day 366 taken as 1 January.
std::string angleDate(double degrees);

struct Rayleigh {
    double n = 0.0;          // the total weight (individuals)
    double r = 0.0;          // the mean vector's length, 0..1
    double meanAngle = 0.0;  // degrees, [0, 360)
    std::string meanDate;    // "dd/mm"
    double circularSd = 0.0; // degrees
    double z = 0.0;          // Rayleigh's R^2 / n = n r^2
    double p = 1.0;
};

// The weighted mean angle (Zar 2010, eqs. 26.4-26.9, with frequencies as
// in section 26.4): C = sum w cos a, S = sum w sin a over the angles a of
// weight w, n = sum w, R = sqrt(C^2 + S^2), r = R / n, the mean angle
// atan2(S, C); the circular standard deviation sqrt(-2 ln r) in degrees
// (eq. 26.20); Rayleigh's z = R^2 / n and its p, exp(sqrt(1 + 4n + 4(n^2 -
// R^2)) - (1 + 2n)) (Zar 2010, eq. 27.4, after Greenwood and Durand 1955),
// kept in [0, 1]. None, with the reason in `missing`, when n is 0 or the
// angles have no mean direction (r = 0).
std::optional<Rayleigh> rayleigh(const std::vector<double>& anglesDegrees, const std::vector<double>& weights,
                                 std::string& missing);

} // namespace zav::fluctuation
