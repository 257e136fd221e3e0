#include "data/cp1252.h"

#include <gtest/gtest.h>

#include <string>

namespace zav {
namespace {

TEST(Cp1252, EveryByteRoundTripsThroughUtf8) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(cp1252::fromUtf8(cp1252::toUtf8(all)), all);
}

TEST(Cp1252, MapsThePortugueseLettersAndTheHighTable) {
    EXPECT_EQ(cp1252::fromUtf8("ANÁLISE FAUNÍSTICA ç ã õ ü"), "AN\xC1LISE FAUN\xCDSTICA \xE7 \xE3 \xF5 \xFC");
    EXPECT_EQ(cp1252::toUtf8("\x80\x93\x94\x9F"), "€“”Ÿ");
    EXPECT_EQ(cp1252::toUnicode(0x81), U'\u0081'); // undefined: kept as the C1 control
    EXPECT_EQ(cp1252::fromUnicode(U'\u0081'), 0x81);
    EXPECT_EQ(cp1252::fromUnicode(U'\u20AC'), 0x80);
    EXPECT_EQ(cp1252::fromUnicode(U'\u0080'), -1); // not in the code page (0x80 is the euro)
}

TEST(Cp1252, WritesAQuestionMarkForWhatTheCodePageCannotHold) {
    EXPECT_EQ(cp1252::fromUtf8("a→b"), "a?b");
    EXPECT_EQ(cp1252::fromUtf8("😀"), "?");
    EXPECT_EQ(cp1252::fromUtf8("x\xC3"), "x?");    // cut sequence
    EXPECT_EQ(cp1252::fromUtf8("\xFF\xFE"), "??"); // not UTF-8 at all
}

} // namespace
} // namespace zav
