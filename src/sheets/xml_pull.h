#pragma once
// A pull reader of the XML parts of a workbook: elements, their attributes
// and their text, one event at a time, from a stream of bytes that is never
// held whole. No recursion and no tree, so neither a deep nesting nor a
// large part costs the stack or the memory; the only text held is one tag
// (at most kMaxTagBytes), one piece of text and 4 bytes per open element
// (at most kMaxDepth). End tags must match their start tags. Entities are the five of
// XML and character references; a document type declaration is refused,
// so no entity of a file's own is ever expanded. Namespace prefixes are
// dropped from the names: the parts of .xlsx and .ods use one name for one
// meaning. Any malformed text throws the error the caller gives.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zav {

class XmlPull {
  public:
    // Fills up to `size` bytes, giving how many; 0 at the end.
    using Source = std::function<std::size_t(char* buffer, std::size_t size)>;
    // Throws the caller's error for a malformed document.
    using Malformed = std::function<void()>;

    static constexpr std::size_t kMaxTagBytes = 1u << 20;
    // Elements open at once; a deeper document is refused.
    static constexpr std::size_t kMaxDepth = 1u << 17;

    enum class Event { Start, End, Text, Eof };

    XmlPull(Source source, Malformed malformed);

    // The next event. A self-closing element gives Start, then End.
    Event next();

    // Of the last Start or End: the element's name, without its prefix.
    std::string_view name() const { return name_; }
    // Of the last Start: an attribute's value by its name without prefix
    // (entities replaced), or `fallback` when it has none.
    std::string_view attribute(std::string_view localName, std::string_view fallback = {}) const;
    bool hasAttribute(std::string_view localName) const;
    // Of the last Text: a piece of an element's text (a long text comes in
    // several pieces), entities replaced.
    const std::string& text() const { return text_; }
    // The elements open around the current event: 1 inside the root
    // element, so a Start of the root gives 1 and its End 0.
    std::size_t depth() const { return depth_; }

  private:
    bool fill();
    [[noreturn]] void fail() const;
    void startTag(std::size_t end);
    void skipPast(std::string_view terminator);
    void decode(std::string_view raw, std::string& out) const;
    std::size_t findTagEnd();

    Source source_;
    Malformed malformed_;
    std::string buffer_;
    std::size_t at_ = 0;
    bool ended_ = false;
    bool pendingEnd_ = false;
    bool inCdata_ = false;
    std::size_t depth_ = 0;
    std::string name_;
    std::string text_;
    struct Attribute {
        std::string name;
        std::string value;
    };
    std::vector<Attribute> attributes_;
    std::size_t attributeCount_ = 0;
    // A hash of each open element's name, to match its end tag.
    std::vector<std::uint32_t> open_;
};

} // namespace zav
