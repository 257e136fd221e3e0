#include "data/cp1252.h"

#include "data/utf8.h"

#include <array>

namespace zav::cp1252 {
namespace {

// 0x80 to 0x9F. Undefined codes map to themselves (C1 controls).
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace

char32_t toUnicode(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
    return byte;
}

int fromUnicode(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (std::size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == cp) return static_cast<int>(0x80 + i);
    return -1;
}

std::string toUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (char c : bytes)
        appendUtf8(out, toUnicode(static_cast<unsigned char>(c)));
    return out;
}

std::string fromUtf8(std::string_view in) {
    std::string out;
    out.reserve(in.size());
    while (!in.empty()) {
        const auto decoded = utf8::decodeFirst(in);
        if (decoded.length == 0) {
            out += '?';
            in.remove_prefix(1);
            continue;
        }
        const int byte = fromUnicode(decoded.codePoint);
        out += byte < 0 ? '?' : static_cast<char>(byte);
        in.remove_prefix(decoded.length);
    }
    return out;
}

bool holds(std::string_view in) {
    while (!in.empty()) {
        const auto decoded = utf8::decodeFirst(in);
        if (decoded.length == 0 || fromUnicode(decoded.codePoint) < 0) return false;
        in.remove_prefix(decoded.length);
    }
    return true;
}

} // namespace zav::cp1252
