#pragma once
// Windows-1252, the code page of every data file and report.
//
// Bytes 0x00-0x7F and 0xA0-0xFF are the Unicode code points of the same
// value; 0x80-0x9F go through a table. The five codes Windows-1252 leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) are kept as the C1 control of
// the same value, so that any byte read from a file survives a round trip
// through the screen and back to disk.

#include <string>
#include <string_view>

namespace zav::cp1252 {

// The Unicode code point that a Windows-1252 byte stands for.
char32_t toUnicode(unsigned char byte);

// The Windows-1252 byte for a code point, or -1 when the code page has none.
int fromUnicode(char32_t codePoint);

// Windows-1252 bytes to UTF-8.
std::string toUtf8(std::string_view bytes);

// UTF-8 to Windows-1252 bytes. A character the code page cannot hold, and
// any malformed UTF-8 sequence, becomes "?".
std::string fromUtf8(std::string_view utf8);

// Whether fromUtf8 keeps every character of this well-formed UTF-8 text.
bool holds(std::string_view utf8);

} // namespace zav::cp1252
