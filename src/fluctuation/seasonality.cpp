#include "fluctuation/seasonality.h"

#include "diversity/portable_math.h"
#include <algorithm>
#include <cmath>

#include <numbers>

namespace zav::fluctuation {

int dayOfYear(const CalendarDate& date) {
    int day = date.day;
    for (int m = 1; m < date.month; ++m)
        day += daysInMonth(date.year, m);
    return day;
}

double dateAngle(const CalendarDate& date) {
    const double days = isLeapYear(date.year) ? 366.0 : 365.0;
    return 360.0 * (dayOfYear(date) - 1) / days;
}

std::string angleDate(double degrees) {
    auto day = 1 + static_cast<int>(std::lround(degrees * 365.0 / 360.0));
    if (day > 365) day = 1;
    int month = 1;
    while (day > daysInMonth(2001, month)) {
        day -= daysInMonth(2001, month);
        ++month;
    }
    const auto two = [](int v) { return std::string(v < 10 ? "0" : "") + std::to_string(v); };
    return two(day) + "/" + two(month);
}

std::optional<Rayleigh> rayleigh(const std::vector<double>& anglesDegrees, const std::vector<double>& weights,
                                 std::string& missing) {
    constexpr double kRadians = std::numbers::pi / 180.0;
    double n = 0.0, c = 0.0, s = 0.0;
    for (std::size_t i = 0; i < anglesDegrees.size(); ++i) {
        n += weights[i];
        c += weights[i] * std::cos(anglesDegrees[i] * kRadians);
        s += weights[i] * std::sin(anglesDegrees[i] * kRadians);
    }
    if (n <= 0.0) {
        missing = "nenhum indivíduo nas coletas";
        return std::nullopt;
    }
    Rayleigh out;
    out.n = n;
    const double bigR = std::hypot(c, s);
    out.r = std::min(bigR / n, 1.0);
    // A mean vector this short has no direction.
    if (out.r < 1e-12) {
        missing = "as coletas não têm direção média no ano (r = 0)";
        return std::nullopt;
    }
    out.meanAngle = std::atan2(s, c) / kRadians;
    if (out.meanAngle < 0.0) out.meanAngle += 360.0;
    if (out.meanAngle >= 360.0) out.meanAngle = 0.0;
    out.meanDate = angleDate(out.meanAngle);
    out.circularSd = std::sqrt(-2.0 * diversity::pm::log(out.r)) / kRadians;
    out.z = bigR * bigR / n;
    out.p = std::clamp(diversity::pm::exp(std::sqrt(1.0 + 4.0 * n + 4.0 * (n * n - bigR * bigR)) - (1.0 + 2.0 * n)),
                       0.0, 1.0);
    return out;
}

} // namespace zav::fluctuation
