#pragma once
// Well-formed UTF-8, as the exports write it and the spreadsheet import
// recognises it.

#include <cstddef>
#include <string_view>

namespace zav::utf8 {

// The length (1 to 4) of the well-formed sequence that starts the text, or
// 0 when it starts with a malformed one: a stray continuation byte, a
// truncated or overlong sequence, a surrogate, or a code point past
// U+10FFFF. 0 for an empty text too.
std::size_t sequenceLength(std::string_view text);

// The code point of the well-formed sequence that starts the text, and the
// sequence's length (0, with code point 0, when it is malformed).
struct Decoded {
    char32_t codePoint = 0;
    std::size_t length = 0;
};
Decoded decodeFirst(std::string_view text);

// Every sequence of the text is well formed.
bool isValid(std::string_view text);

} // namespace zav::utf8
