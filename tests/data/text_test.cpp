#include "data/errors.h"
#include "data/report_text.h"
#include "data/text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace zav {
namespace {

struct FixedCase {
    double value;
    int decimals;
    std::string text;
};

TEST(FixedPoint, RoundsHalvesAwayFromZeroOnTheExactValue) {
    const FixedCase cases[] = {
        {3.125, 2, "3.13"}, // an exact half rounds up, not to even
        {-3.125, 2, "-3.13"},
        {0.125, 2, "0.13"},
        {2.675, 2, "2.67"}, // the double is just below 2.675
        {2.30261, 4, "2.3026"},
        {0.5, 8, "0.50000000"},
        {-0.12, 8, "-0.12000000"},
        {10.5, 8, "10.50000000"},
        {99.995, 2, "100.00"}, // the double 99.99499999... stays below
        {9.9999, 2, "10.00"},
        {0.0, 4, "0.0000"},
        {-0.0, 4, "0.0000"},
        {-0.00001, 4, "0.0000"}, // rounds to zero: no sign
        {57.142857142857146, 2, "57.14"},
        {186.60254037844388, 2, "186.60"},
        {1e20, 2, "100000000000000000000.00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fixedPoint(c.value, c.decimals), c.text) << c.value;
}

TEST(FixedPoint, RefusesNanAndInfinity) {
    EXPECT_THROW(fixedPoint(std::numeric_limits<double>::quiet_NaN(), 4), ComputationError);
    EXPECT_THROW(fixedPoint(std::numeric_limits<double>::infinity(), 4), ComputationError);
    EXPECT_THROW(fixedPoint(-std::numeric_limits<double>::infinity(), 2), ComputationError);
}

TEST(TextHelpers, PadCutAndSpaces) {
    EXPECT_EQ(leftPad("7", 4), "   7");
    EXPECT_EQ(leftPad("12345", 4), "12345");
    EXPECT_EQ(cut("1.23456789", 8), "1.234567");
    EXPECT_EQ(cut("0.5", 8), "0.5");
    EXPECT_EQ(spaces(3), "   ");
    EXPECT_EQ(spaces(0), "");
    EXPECT_EQ(spaces(-2), "");
    EXPECT_EQ(decimal(-2147483648LL), "-2147483648");
    EXPECT_EQ(joinReportLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
}

} // namespace
} // namespace zav
