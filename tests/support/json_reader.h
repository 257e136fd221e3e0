#pragma once
// A small strict JSON reader, so that tests read the exports back as R or
// Python would, without trusting the writer's code.

#include <algorithm>
#include <charconv>
#include <cmath>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zav::test {

struct Json {
    enum class Kind { Null, Bool, Number, String, Array, Object } kind = Kind::Null;
    bool boolean = false;
    double number = 0.0;
    std::string text;
    std::vector<Json> items;
    std::vector<std::pair<std::string, Json>> members;

    const Json& operator[](std::size_t i) const { return items.at(i); }
    const Json& operator[](std::string_view key) const {
        for (const auto& [name, value] : members)
            if (name == key) return value;
        throw std::runtime_error("JSON: no member " + std::string(key));
    }

    static Json parse(std::string_view text) {
        Json value = read(text);
        if (take(text, "") && !text.empty()) throw std::runtime_error("JSON: text after the value");
        return value;
    }

  private:
    // Skips white space, then the token if it comes next.
    static bool take(std::string_view& text, std::string_view token) {
        text.remove_prefix(std::min(text.find_first_not_of(" \t\r\n"), text.size()));
        if (!text.starts_with(token)) return false;
        text.remove_prefix(token.size());
        return true;
    }
    static void expect(std::string_view& text, std::string_view token) {
        if (!take(text, token)) throw std::runtime_error("JSON: expected " + std::string(token));
    }

    static Json read(std::string_view& text) {
        Json v;
        if (take(text, "null")) return v;
        if (take(text, "true") || take(text, "false")) {
            v.kind = Kind::Bool;
            v.boolean = text.data()[-1] == 'e' && text.data()[-2] == 'u';
        } else if (take(text, "\"")) {
            v.kind = Kind::String;
            v.text = readString(text);
        } else if (take(text, "[")) {
            v.kind = Kind::Array;
            if (!take(text, "]")) {
                do
                    v.items.push_back(read(text));
                while (take(text, ","));
                expect(text, "]");
            }
        } else if (take(text, "{")) {
            v.kind = Kind::Object;
            if (!take(text, "}")) {
                do {
                    expect(text, "\"");
                    std::string name = readString(text);
                    expect(text, ":");
                    v.members.emplace_back(std::move(name), read(text));
                } while (take(text, ","));
                expect(text, "}");
            }
        } else {
            // A sign or a digit first, and a finite value: "nan" and "inf"
            // are no JSON.
            v.kind = Kind::Number;
            const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v.number);
            if (ec != std::errc() || !std::isfinite(v.number) || text.find_first_of("-0123456789") != 0)
                throw std::runtime_error("JSON: expected a value");
            text.remove_prefix(static_cast<std::size_t>(end - text.data()));
        }
        return v;
    }

    // The escapes the exports write; \u only for an ASCII control and
    // U+FFFD.
    static std::string readString(std::string_view& text) {
        std::string out;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char c = text[i];
            if (c == '"') {
                text.remove_prefix(i + 1);
                return out;
            }
            const auto simple = std::string_view("\"\\/bfnrt").find(text.substr(i + 1, 1));
            unsigned code = 0;
            if (static_cast<unsigned char>(c) < 0x20) {
                break;
            } else if (c != '\\') {
                out += c;
            } else if (simple != std::string_view::npos && i + 1 < text.size()) {
                out += "\"\\/\b\f\n\r\t"[simple];
                ++i;
            } else if (text.substr(i, 2) == "\\u" && text.size() >= i + 6 &&
                       std::from_chars(&text[i + 2], &text[i + 6], code, 16).ptr == &text[i + 6] &&
                       (code < 0x80 || code == 0xFFFD)) {
                out += code < 0x80 ? std::string(1, static_cast<char>(code)) : "\xEF\xBF\xBD";
                i += 5;
            } else {
                break;
            }
        }
        throw std::runtime_error("JSON: bad string");
    }
};

} // namespace zav::test
