#include "data/cp1252.h"
#include "data/utf8.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <cstddef>
#include <optional>
#include <string>

namespace zav {
namespace {

TEST(Cp1252, EveryByteRoundTripsThroughUtf8) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(cp1252::fromUtf8(cp1252::toUtf8(all)), all);
}

TEST(Cp1252, MapsThePortugueseLetters) {
    EXPECT_EQ(cp1252::fromUtf8("ANÁLISE FAUNÍSTICA ç ã õ ü"), "AN\xC1LISE FAUN\xCDSTICA \xE7 \xE3 \xF5 \xFC");
    EXPECT_EQ(cp1252::fromUnicode(U'\u0080'), -1); // not in the code page (0x80 is the euro)
}

// glibc's converter as the reference: the UTF-8 for one Windows-1252 byte,
// or nothing for a code glibc leaves undefined.
std::optional<std::string> glibcUtf8(unsigned char byte) {
    const iconv_t converter = iconv_open("UTF-8", "WINDOWS-1252");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        ADD_FAILURE() << "glibc has no WINDOWS-1252 converter";
        return std::nullopt;
    }
    char in = static_cast<char>(byte);
    char out[8];
    char* inAt = &in;
    char* outAt = out;
    std::size_t inLeft = 1, outLeft = sizeof out;
    const bool done = iconv(converter, &inAt, &inLeft, &outAt, &outLeft) != static_cast<std::size_t>(-1);
    iconv_close(converter);
    return done ? std::optional(std::string(out, outAt)) : std::nullopt;
}

TEST(Cp1252, TheCodes80To9FBothWaysAsGlibcHasThemAndTheUndefinedAsC1Controls) {
    int defined = 0;
    for (int b = 0x80; b <= 0x9F; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const auto glibc = glibcUtf8(static_cast<unsigned char>(b));
        defined += glibc.has_value();
        const std::string utf8 = glibc ? *glibc : "\xC2" + byte; // U+0080..U+009F
        EXPECT_EQ(cp1252::toUtf8(byte), utf8) << std::hex << b;
        EXPECT_EQ(cp1252::fromUtf8(utf8), byte) << std::hex << b;
    }
    EXPECT_EQ(defined, 27);
}

TEST(Cp1252, WritesAQuestionMarkForWhatTheCodePageCannotHold) {
    EXPECT_EQ(cp1252::fromUtf8("a→b"), "a?b");
    EXPECT_EQ(cp1252::fromUtf8("😀"), "?");
    EXPECT_EQ(cp1252::fromUtf8("x\xC3"), "x?");    // cut sequence
    EXPECT_EQ(cp1252::fromUtf8("\xFF\xFE"), "??"); // not UTF-8 at all
}

TEST(Utf8, AcceptsOnlyWellFormedSequences) {
    struct Case {
        const char* name;
        std::string bytes;
        std::size_t length; // of the first sequence, 0 when malformed
        char32_t codePoint;
    };
    const Case cases[] = {
        {"ASCII", "a", 1, U'a'},
        {"two bytes, lowest", "\xC2\x80", 2, 0x80},
        {"two bytes, é", "\xC3\xA9", 2, 0xE9},
        {"three bytes, lowest", "\xE0\xA0\x80", 3, 0x800},
        {"three bytes, euro", "\xE2\x82\xAC", 3, 0x20AC},
        {"last before the surrogates", "\xED\x9F\xBF", 3, 0xD7FF},
        {"first after the surrogates", "\xEE\x80\x80", 3, 0xE000},
        {"four bytes, lowest", "\xF0\x90\x80\x80", 4, 0x10000},
        {"U+10FFFF", "\xF4\x8F\xBF\xBF", 4, 0x10FFFF},
        {"overlong NUL", std::string("\xC0\x80", 2), 0, 0},
        {"overlong two-byte lead C1", "\xC1\xBF", 0, 0},
        {"overlong three bytes", "\xE0\x9F\xBF", 0, 0},
        {"overlong four bytes", "\xF0\x8F\xBF\xBF", 0, 0},
        {"surrogate D800", "\xED\xA0\x80", 0, 0},
        {"surrogate DFFF", "\xED\xBF\xBF", 0, 0},
        {"above U+10FFFF", "\xF4\x90\x80\x80", 0, 0},
        {"lead F5", "\xF5\x80\x80\x80", 0, 0},
        {"stray continuation", "\x80", 0, 0},
        {"truncated two bytes", "\xC3", 0, 0},
        {"truncated four bytes", "\xF0\x90\x80", 0, 0},
        {"bad continuation", "\xE2\x28\xA1", 0, 0},
    };
    for (const auto& c : cases) {
        const auto decoded = utf8::decodeFirst(c.bytes);
        EXPECT_EQ(decoded.length, c.length) << c.name;
        EXPECT_EQ(decoded.codePoint, c.codePoint) << c.name;
        EXPECT_EQ(utf8::isValid(c.bytes), c.length == c.bytes.size()) << c.name;
        // The conversion to Windows-1252 never turns a malformed sequence
        // into a character (an overlong NUL into a NUL byte, say).
        if (c.length == 0) {
            EXPECT_EQ(cp1252::fromUtf8(c.bytes).front(), '?') << c.name;
        }
    }
}

} // namespace
} // namespace zav
