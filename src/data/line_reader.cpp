#include "data/line_reader.h"

namespace zav {

LineReader::LineReader(std::string_view bytes) : text_(bytes) {
    if (const auto eof = text_.find('\x1A'); eof != std::string_view::npos) text_ = text_.substr(0, eof);
}

std::string_view LineReader::next() {
    if (atEnd()) return {};
    const auto lf = text_.find('\n', pos_);
    const auto end = lf == std::string_view::npos ? text_.size() : lf;
    auto line = text_.substr(pos_, end - pos_);
    pos_ = lf == std::string_view::npos ? text_.size() : lf + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

} // namespace zav
