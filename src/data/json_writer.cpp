#include "data/json_writer.h"

#include "data/export_text.h"

#include <cassert>

namespace zav {

void JsonWriter::beforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (levels_.empty()) return;
    auto& level = levels_.back();
    if (!level.empty) out_ += level.layout == Layout::Lines ? "," : ", ";
    if (level.layout == Layout::Lines) out_.append("\n").append(2 * levels_.size(), ' ');
    level.empty = false;
}

JsonWriter& JsonWriter::beginObject(Layout layout) {
    beforeValue();
    out_ += '{';
    levels_.push_back({layout});
    return *this;
}

JsonWriter& JsonWriter::beginArray(Layout layout) {
    beforeValue();
    out_ += '[';
    levels_.push_back({layout});
    return *this;
}

void JsonWriter::close(char bracket) {
    assert(!levels_.empty() && !afterKey_);
    const Level level = levels_.back();
    levels_.pop_back();
    if (level.layout == Layout::Lines && !level.empty) out_.append("\n").append(2 * levels_.size(), ' ');
    out_ += bracket;
}

JsonWriter& JsonWriter::endObject() {
    close('}');
    return *this;
}

JsonWriter& JsonWriter::endArray() {
    close(']');
    return *this;
}

JsonWriter& JsonWriter::key(std::string_view name) {
    beforeValue();
    appendJsonString(out_, name);
    out_ += ": ";
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::string(std::string_view utf8) {
    beforeValue();
    appendJsonString(out_, utf8);
    return *this;
}

JsonWriter& JsonWriter::number(double value) {
    beforeValue();
    appendJsonNumber(out_, value);
    return *this;
}

JsonWriter& JsonWriter::integer(std::int64_t value) {
    beforeValue();
    appendJsonNumber(out_, value);
    return *this;
}

JsonWriter& JsonWriter::boolean(bool value) {
    beforeValue();
    out_ += value ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::null() {
    beforeValue();
    out_ += "null";
    return *this;
}

JsonWriter& JsonWriter::optionalNumber(bool defined, double value) { return defined ? number(value) : null(); }

std::string JsonWriter::finish() {
    assert(levels_.empty());
    out_ += '\n';
    return std::move(out_);
}

} // namespace zav
