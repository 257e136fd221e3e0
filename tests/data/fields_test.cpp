#include "data/fields.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace zav {
namespace {

struct SplitCase {
    std::string line;
    std::string first;
    std::string second;
};

TEST(SplitLine, CutsAtTheFirstSpaceAndTrimsControls) {
    const SplitCase cases[] = {
        {"5 12", "5", "12"},
        {"5      12", "5", "12"},
        {"5\t 12", "5", "12"},   // the tab stays in field 1, then is trimmed
        {" 5 12", "", "5 12"},   // a leading space leaves field 1 empty
        {"5\t12", "5\t12", ""},  // a tab is no separator
        {"12 5 7", "12", "5 7"}, // a third value stays in field 2
        {"0", "0", ""},
        {"", "", ""},
        {"3\r", "3", ""},
        {"\xEF\xBB\xBF"
         "3 12",
         "\xEF\xBB\xBF"
         "3",
         "12"}, // a byte-order mark is not trimmed
        {"7\x01 \x1F"
         "9\x7F",
         "7", "9\x7F"},
    };
    for (const auto& c : cases) {
        const auto f = splitLine(c.line);
        EXPECT_EQ(f.first, c.first) << "line: " << c.line;
        EXPECT_EQ(f.second, c.second) << "line: " << c.line;
    }
}

struct IntegerCase {
    std::string text;
    std::optional<std::int32_t> value;
};

TEST(ParseInteger, AcceptsDecimalAndHexadecimalWithin32Bits) {
    const IntegerCase cases[] = {
        {"0", 0},
        {"12", 12},
        {"+7", 7},
        {"-3", -3},
        {"007", 7},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"$FF", 255},
        {"x1a", 26},
        {"X1A", 26},
        {"0x10", 16},
        {"0X10", 16},
        {"-$10", -16},
        {"+0x7FFFFFFF", 2147483647},
        {"$FFFFFFFF", -1},
        {"$80000000", -2147483647 - 1},
        {"   42", 42}, // spaces in front are skipped (entry fields are not trimmed)
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseInteger(c.text), c.value) << "text: " << c.text;
}

TEST(ParseInteger, RejectsEverythingElse) {
    const char* rejected[] = {
        "",
        "+",
        "-",
        "$",
        "0x",
        "x",
        "2147483648",
        "-2147483649",
        "$123456789",
        "7.0",
        "2.5",
        "1e3",
        "12a",
        "a12",
        "5 7",
        "42 ",
        "\t42",
        "--1",
        "+-1",
        "$G",
        "0x-1",
        "00x1",
        "99999999999999999999",
        "1,5",
        "\xEF\xBB\xBF"
        "3",
    };
    for (const char* text : rejected)
        EXPECT_EQ(parseInteger(text), std::nullopt) << "text: " << text;
}

} // namespace
} // namespace zav
