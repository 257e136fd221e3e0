#pragma once
// A small strict JSON reader, so that tests read the exports back the way
// R or Python would, without trusting the writer's own code.

#include <charconv>
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
    bool isNull() const { return kind == Kind::Null; }
};

class JsonReader {
  public:
    static Json parse(std::string_view text) {
        JsonReader reader(text);
        Json value = reader.value();
        reader.skipSpace();
        if (reader.pos_ != text.size()) reader.fail("text after the value");
        return value;
    }

  private:
    explicit JsonReader(std::string_view text) : text_(text) {}

    [[noreturn]] void fail(const std::string& what) const {
        throw std::runtime_error("JSON at " + std::to_string(pos_) + ": " + what);
    }
    void skipSpace() {
        while (pos_ < text_.size() && std::string_view(" \t\r\n").find(text_[pos_]) != std::string_view::npos)
            ++pos_;
    }
    bool take(std::string_view token) {
        skipSpace();
        if (text_.substr(pos_, token.size()) != token) return false;
        pos_ += token.size();
        return true;
    }
    void expect(std::string_view token) {
        if (!take(token)) fail("expected " + std::string(token));
    }
    std::size_t digits() {
        const auto start = pos_;
        while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9')
            ++pos_;
        if (pos_ == start) fail("expected a digit");
        return pos_ - start;
    }

    Json value() {
        Json v;
        if (take("null")) return v;
        if (take("true") || take("false")) {
            v.kind = Json::Kind::Bool;
            v.boolean = text_[pos_ - 2] == 'u';
        } else if (take("\"")) {
            v.kind = Json::Kind::String;
            v.text = stringBody();
        } else if (take("[")) {
            v.kind = Json::Kind::Array;
            if (!take("]")) {
                do
                    v.items.push_back(value());
                while (take(","));
                expect("]");
            }
        } else if (take("{")) {
            v.kind = Json::Kind::Object;
            if (!take("}")) {
                do {
                    expect("\"");
                    std::string name = stringBody();
                    expect(":");
                    v.members.emplace_back(std::move(name), value());
                } while (take(","));
                expect("}");
            }
        } else {
            v.kind = Json::Kind::Number;
            v.number = numberBody();
        }
        return v;
    }

    // -? (0 | [1-9][0-9]*) (. [0-9]+)? ([eE] [+-]? [0-9]+)?
    double numberBody() {
        const auto start = pos_;
        if (pos_ < text_.size() && text_[pos_] == '-') ++pos_;
        const auto integerStart = pos_;
        if (digits() > 1 && text_[integerStart] == '0') fail("leading zero");
        if (pos_ < text_.size() && text_[pos_] == '.') ++pos_, digits();
        if (pos_ < text_.size() && (text_[pos_] == 'e' || text_[pos_] == 'E')) {
            ++pos_;
            if (pos_ < text_.size() && (text_[pos_] == '+' || text_[pos_] == '-')) ++pos_;
            digits();
        }
        double number = 0.0;
        const auto result = std::from_chars(text_.data() + start, text_.data() + pos_, number);
        if (result.ec != std::errc() || result.ptr != text_.data() + pos_) fail("bad number");
        return number;
    }
    std::string stringBody() {
        std::string out;
        while (true) {
            if (pos_ >= text_.size()) fail("unterminated string");
            const char c = text_[pos_++];
            if (c == '"') return out;
            if (static_cast<unsigned char>(c) < 0x20) fail("control character in a string");
            if (c != '\\') {
                out += c;
                continue;
            }
            if (pos_ >= text_.size()) fail("unterminated escape");
            const char e = text_[pos_++];
            const std::string_view simple = "\"\\/bfnrt", meaning = "\"\\/\b\f\n\r\t";
            if (const auto k = simple.find(e); k != std::string_view::npos) {
                out += meaning[k];
            } else if (e == 'u' && pos_ + 4 <= text_.size()) {
                unsigned code = 0;
                if (std::from_chars(text_.data() + pos_, text_.data() + pos_ + 4, code, 16).ptr !=
                    text_.data() + pos_ + 4)
                    fail("bad \\u escape");
                pos_ += 4;
                appendUtf8(out, code);
            } else {
                fail("bad escape");
            }
        }
    }
    static void appendUtf8(std::string& out, unsigned code) {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

} // namespace zav::test
