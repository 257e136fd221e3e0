#include "data/text_pattern.h"

namespace zav {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isText(char c) { return c == '*' || c == '@'; }

// The length of the whole number, or list of them ("30, 30, 25"), that
// `text` starts with; 0 when it starts with none.
std::size_t numberLength(std::string_view text) {
    std::size_t n = 0;
    for (;;) {
        std::size_t at = n;
        if (at < text.size() && text[at] == '-') ++at;
        if (at == text.size() || !isDigit(text[at])) return n;
        while (at < text.size() && isDigit(text[at]))
            ++at;
        n = at;
        if (text.substr(n, 2) != ", ") return n;
        if (n + 2 == text.size() || !(isDigit(text[n + 2]) || text[n + 2] == '-')) return n;
        n += 2;
    }
}

} // namespace

bool matchesPattern(std::string_view pattern, std::string_view text, std::vector<std::string_view>& parts) {
    const std::size_t given = parts.size();
    while (!pattern.empty()) {
        const char c = pattern.front();
        pattern.remove_prefix(1);
        if (isText(c)) {
            const std::size_t keep = parts.size();
            for (std::size_t n = 0; n <= text.size(); ++n) {
                // The next literal of the pattern must come next in the text.
                if (!pattern.empty() && !isText(pattern.front()) && pattern.front() != '#' && n < text.size() &&
                    text[n] != pattern.front())
                    continue;
                parts.push_back(text.substr(0, n));
                if (matchesPattern(pattern, text.substr(n), parts)) return true;
                parts.resize(keep);
            }
            parts.resize(given);
            return false;
        }
        if (c == '#') {
            const std::size_t n = numberLength(text);
            if (n == 0) {
                parts.resize(given);
                return false;
            }
            parts.push_back(text.substr(0, n));
            text.remove_prefix(n);
            continue;
        }
        if (text.empty() || text.front() != c) {
            parts.resize(given);
            return false;
        }
        text.remove_prefix(1);
    }
    if (!text.empty()) parts.resize(given);
    return text.empty();
}

std::string filledPattern(std::string_view translation, const std::vector<std::string>& parts) {
    std::string out;
    std::size_t next = 0;
    for (const char c : translation) {
        if ((c == '#' || isText(c)) && next < parts.size())
            out += parts[next++];
        else
            out += c;
    }
    return out;
}

} // namespace zav
