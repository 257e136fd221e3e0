#pragma once
// A small writer of the JSON exports: objects and arrays laid out either on
// one line or one member per line, numbers and strings through the export
// text helpers, so every export has the same shape and escaping.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zav {

class JsonWriter {
  public:
    // Lines puts each member or element on a line of its own, indented by
    // two spaces per level; Inline writes the container on one line.
    enum class Layout { Inline, Lines };

    JsonWriter& beginObject(Layout layout = Layout::Inline);
    JsonWriter& endObject();
    JsonWriter& beginArray(Layout layout = Layout::Inline);
    JsonWriter& endArray();

    // The name of the next member of the open object.
    JsonWriter& key(std::string_view name);

    JsonWriter& string(std::string_view utf8);
    // Throws ComputationError for NaN or infinity.
    JsonWriter& number(double value);
    JsonWriter& integer(std::int64_t value);
    JsonWriter& boolean(bool value);
    JsonWriter& null();
    // The number when defined, null otherwise.
    JsonWriter& optionalNumber(bool defined, double value);

    // The document, with a line break after it; the writer must be back at
    // the top level.
    std::string finish();

  private:
    struct Level {
        Layout layout;
        bool empty = true;
    };
    void beforeValue();
    void close(char bracket);

    std::string out_;
    std::vector<Level> levels_;
    bool afterKey_ = false;
};

} // namespace zav
