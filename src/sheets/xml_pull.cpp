#include "sheets/xml_pull.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <utility>

namespace zav {
namespace {

constexpr std::size_t kChunk = 64u * 1024;

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

std::string_view withoutPrefix(std::string_view name) {
    const auto colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

std::uint32_t hashOf(std::string_view name) {
    std::uint32_t hash = 2166136261u;
    for (const char c : name)
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return hash;
}

void appendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

} // namespace

XmlPull::XmlPull(Source source, Malformed malformed) : source_(std::move(source)), malformed_(std::move(malformed)) {}

void XmlPull::fail() const {
    malformed_();
    throw std::logic_error("XmlPull: the malformed handler returned");
}

// Drops what was read and appends the next bytes of the stream; the
// unread bytes start at offset 0 afterwards.
bool XmlPull::fill() {
    if (ended_) return false;
    buffer_.erase(0, at_);
    at_ = 0;
    const auto had = buffer_.size();
    buffer_.resize(had + kChunk);
    const auto got = source_(buffer_.data() + had, kChunk);
    buffer_.resize(had + got);
    if (got == 0) ended_ = true;
    return got > 0;
}

std::size_t XmlPull::findTagEnd() {
    // Offsets from at_, which a fill moves to 0.
    std::size_t offset = 1;
    char quote = 0;
    for (;;) {
        while (at_ + offset < buffer_.size()) {
            const char c = buffer_[at_ + offset];
            if (quote) {
                if (c == quote) quote = 0;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '>') {
                return offset;
            } else if (c == '<') {
                fail();
            }
            ++offset;
        }
        if (offset > kMaxTagBytes || !fill()) fail();
    }
}

void XmlPull::skipPast(std::string_view terminator) {
    for (;;) {
        const auto found = buffer_.find(terminator, at_);
        if (found != std::string::npos) {
            at_ = found + terminator.size();
            return;
        }
        if (buffer_.size() - at_ >= terminator.size()) at_ = buffer_.size() - (terminator.size() - 1);
        if (!fill()) fail();
    }
}

void XmlPull::decode(std::string_view raw, std::string& out) const {
    out.clear();
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '&') {
            out += raw[i];
            continue;
        }
        const auto semicolon = raw.find(';', i);
        if (semicolon == std::string_view::npos || semicolon - i > 12) fail();
        const auto entity = raw.substr(i + 1, semicolon - i - 1);
        if (entity == "lt") {
            out += '<';
        } else if (entity == "gt") {
            out += '>';
        } else if (entity == "amp") {
            out += '&';
        } else if (entity == "quot") {
            out += '"';
        } else if (entity == "apos") {
            out += '\'';
        } else if (entity.size() > 1 && entity[0] == '#') {
            const bool hex = entity[1] == 'x';
            const auto digits = entity.substr(hex ? 2 : 1);
            if (digits.empty()) fail();
            std::uint32_t code = 0;
            for (const char d : digits) {
                std::uint32_t v = 0;
                if (d >= '0' && d <= '9')
                    v = static_cast<std::uint32_t>(d - '0');
                else if (hex && d >= 'a' && d <= 'f')
                    v = static_cast<std::uint32_t>(d - 'a' + 10);
                else if (hex && d >= 'A' && d <= 'F')
                    v = static_cast<std::uint32_t>(d - 'A' + 10);
                else
                    fail();
                code = code * (hex ? 16u : 10u) + v;
                if (code > 0x10FFFF) fail();
            }
            if (code == 0 || (code >= 0xD800 && code <= 0xDFFF)) fail();
            appendUtf8(out, code);
        } else {
            fail();
        }
        i = semicolon;
    }
}

void XmlPull::startTag(std::size_t end) {
    std::string_view tag(buffer_.data() + at_ + 1, end - 1);
    if (!tag.empty() && tag.back() == '/') {
        pendingEnd_ = true;
        tag.remove_suffix(1);
    }
    std::size_t i = 0;
    while (i < tag.size() && !isSpace(tag[i]))
        ++i;
    if (i == 0) fail();
    name_ = withoutPrefix(tag.substr(0, i));
    attributeCount_ = 0;
    for (;;) {
        while (i < tag.size() && isSpace(tag[i]))
            ++i;
        if (i == tag.size()) break;
        const auto nameStart = i;
        while (i < tag.size() && tag[i] != '=' && !isSpace(tag[i]))
            ++i;
        const auto attributeName = tag.substr(nameStart, i - nameStart);
        while (i < tag.size() && isSpace(tag[i]))
            ++i;
        if (attributeName.empty() || i == tag.size() || tag[i] != '=') fail();
        ++i;
        while (i < tag.size() && isSpace(tag[i]))
            ++i;
        if (i == tag.size() || (tag[i] != '"' && tag[i] != '\'')) fail();
        const char quote = tag[i++];
        const auto close = tag.find(quote, i);
        if (close == std::string_view::npos) fail();
        if (attributeCount_ == attributes_.size()) attributes_.emplace_back();
        auto& attribute = attributes_[attributeCount_++];
        attribute.name = withoutPrefix(attributeName);
        decode(tag.substr(i, close - i), attribute.value);
        i = close + 1;
    }
}

std::string_view XmlPull::attribute(std::string_view localName, std::string_view fallback) const {
    for (std::size_t i = 0; i < attributeCount_; ++i)
        if (attributes_[i].name == localName) return attributes_[i].value;
    return fallback;
}

bool XmlPull::hasAttribute(std::string_view localName) const {
    for (std::size_t i = 0; i < attributeCount_; ++i)
        if (attributes_[i].name == localName) return true;
    return false;
}

XmlPull::Event XmlPull::next() {
    if (pendingEnd_) {
        pendingEnd_ = false;
        --depth_;
        open_.pop_back();
        return Event::End;
    }
    for (;;) {
        if (inCdata_) {
            const auto found = buffer_.find("]]>", at_);
            if (found != std::string::npos) {
                text_.assign(buffer_, at_, found - at_);
                at_ = found + 3;
                inCdata_ = false;
                return Event::Text;
            }
            if (buffer_.size() - at_ > 2) {
                text_.assign(buffer_, at_, buffer_.size() - at_ - 2);
                at_ = buffer_.size() - 2;
                return Event::Text;
            }
            if (!fill()) fail();
            continue;
        }
        if (at_ >= buffer_.size() && !fill()) {
            if (depth_ != 0) fail();
            return Event::Eof;
        }
        if (buffer_[at_] == '<') {
            // Enough to tell a comment, a CDATA section or a declaration.
            while (buffer_.size() - at_ < 9 && fill()) {
            }
            const std::string_view ahead(buffer_.data() + at_, std::min<std::size_t>(9, buffer_.size() - at_));
            if (ahead.starts_with("<?")) {
                skipPast("?>");
                continue;
            }
            if (ahead.starts_with("<!--")) {
                skipPast("-->");
                continue;
            }
            if (ahead == "<![CDATA[") {
                if (depth_ == 0) fail();
                at_ += 9;
                inCdata_ = true;
                continue;
            }
            if (ahead.starts_with("<!")) fail(); // a document type: no entities of its own
            const auto end = findTagEnd();
            if (buffer_[at_ + 1] == '/') {
                std::string_view tag(buffer_.data() + at_ + 2, end - 2);
                while (!tag.empty() && isSpace(tag.back()))
                    tag.remove_suffix(1);
                if (tag.empty() || depth_ == 0) fail();
                name_ = withoutPrefix(tag);
                if (open_.back() != hashOf(name_)) fail();
                open_.pop_back();
                --depth_;
                at_ += end + 1;
                return Event::End;
            }
            startTag(end);
            if (depth_ >= kMaxDepth) fail();
            open_.push_back(hashOf(name_));
            ++depth_;
            at_ += end + 1;
            return Event::Start;
        }
        // Text up to the next tag, in pieces of at most a chunk, never
        // cutting an entity.
        std::size_t scanned = 0;
        std::size_t lt = std::string::npos;
        for (;;) {
            const auto found = buffer_.find('<', at_ + scanned);
            if (found != std::string::npos) {
                lt = found - at_;
                break;
            }
            scanned = buffer_.size() - at_;
            if (scanned >= kChunk || !fill()) break;
        }
        std::size_t length = lt != std::string::npos ? lt : buffer_.size() - at_;
        if (lt == std::string::npos) {
            const auto amp = buffer_.rfind('&', at_ + length - 1);
            if (amp != std::string::npos && amp >= at_ && buffer_.find(';', amp) == std::string::npos) {
                if (amp == at_) fail();
                length = amp - at_;
            }
        }
        const std::string_view raw(buffer_.data() + at_, length);
        at_ += length;
        if (depth_ == 0) {
            for (const char c : raw)
                if (!isSpace(c)) fail();
            continue;
        }
        decode(raw, text_);
        return Event::Text;
    }
}

} // namespace zav
