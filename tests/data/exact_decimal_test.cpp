#include "data/exact_decimal.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace zav {
namespace {

std::string libraryShortest(double value) {
    char text[64];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

struct Case {
    double value;
    std::string text;
};

TEST(ShortestDecimal, WritesWhatToCharsWrites) {
    const Case cases[] = {
        {0.0, "0"},
        {0.1, "0.1"},
        {2.5, "2.5"},
        {0.001, "0.001"}, // a tie in length goes to the plain style
        {0.0001, "1e-04"},
        {1e-07, "1e-07"},
        {1e20, "1e+20"},
        {123456.0, "123456"},
        {1.5e300, "1.5e+300"},
        {110087783773918336.0, "110087783773918336"}, // exact digits, not ...340
        {9007199254740993.0, "9007199254740992"},
        {1e23, "1e+23"},
        {5e-324, "5e-324"}, // the smallest subnormal
        {2.2250738585072014e-308, "2.2250738585072014e-308"},
        {std::numeric_limits<double>::max(), "1.7976931348623157e+308"},
        {0.30000000000000004, "0.30000000000000004"},
        {-1.2398236091211357, "-1.2398236091211357"},
        {0x1p-961, "5.1306710016229703e-290"}, // a power of 2: its lower neighbour is closer
    };
    for (const auto& c : cases) {
        EXPECT_EQ(shortestDecimal(c.value), c.text) << c.text;
        EXPECT_EQ(libraryShortest(c.value), c.text) << c.text;
    }
    // -0.0 as 0: to_chars would write "-0".
    EXPECT_EQ(shortestDecimal(-0.0), "0");
}

// Random bit patterns cover every exponent; random small decimals and
// whole numbers cover the values the exports hold.
TEST(ShortestDecimal, AgreesWithToCharsOnRandomDoubles) {
    std::mt19937_64 random(20240611);
    std::uniform_int_distribution<int> digits(0, 999999);
    for (int i = 0; i < 60000; ++i) {
        double value = std::bit_cast<double>(random());
        if (i % 3 == 1) value = digits(random) / 10000.0;
        if (i % 3 == 2) value = static_cast<double>(random() >> (random() % 64));
        if (!std::isfinite(value)) continue;
        ASSERT_EQ(shortestDecimal(value), libraryShortest(value)) << std::bit_cast<std::uint64_t>(value);
    }
}

// Where the rounding is decided by a hair: the neighbours of powers of 2
// (whose lower gap is half the upper) and of powers of 10, and values a
// half-unit from a shorter text, where ties go to the even digit.
TEST(ShortestDecimal, AgreesWithToCharsAtBoundariesAndMidpoints) {
    std::vector<double> values;
    for (int e = -1074; e <= 1023; ++e)
        values.push_back(std::ldexp(1.0, e));
    for (int e = -300; e <= 300; ++e)
        values.push_back(std::pow(10.0, e));
    for (int n = 1; n < 2000; ++n)
        values.push_back((n + 0.5) / 1024.0);
    for (const double base : std::vector<double>(values)) {
        double below = base, above = base;
        for (int step = 0; step < 3; ++step) {
            below = std::nextafter(below, 0.0);
            above = std::nextafter(above, std::numeric_limits<double>::infinity());
            values.push_back(below);
            values.push_back(above);
        }
    }
    for (const double value : values) {
        if (std::isfinite(value) && value > 0) {
            ASSERT_EQ(shortestDecimal(value), libraryShortest(value)) << std::bit_cast<std::uint64_t>(value);
        }
    }
}

TEST(ExactDecimal, EveryDigitOfTheBinaryValue) {
    const Case cases[] = {
        {0.0, "0"},
        {-0.0, "-0"},
        {0.125, "0.125"},
        {-3.0, "-3"},
        {2.675, "2.67499999999999982236431605997495353221893310546875"},
        {1e20, "100000000000000000000"},
        {0.1, "0.1000000000000000055511151231257827021181583404541015625"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(exactDecimal(c.value), c.text) << c.text;
    // 2^-1074: 1074 decimals, "0.000...4940656458412465441...47265625".
    const auto smallest = exactDecimal(5e-324);
    EXPECT_EQ(smallest.size(), 2u + 1074u);
    EXPECT_EQ(smallest.substr(325, 10), "4940656458");
    EXPECT_EQ(smallest.substr(smallest.size() - 8), "47265625");
}

} // namespace
} // namespace zav
