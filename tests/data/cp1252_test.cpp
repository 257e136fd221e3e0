#include "data/cp1252.h"

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

} // namespace
} // namespace zav
