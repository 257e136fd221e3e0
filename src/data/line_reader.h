#pragma once
// Line-by-line reading of a text file held in memory.

#include <cstddef>
#include <string_view>

namespace zav {

// A line ends at LF, with or without a CR before it; the break is not part
// of the line. A byte 26 (Ctrl-Z) ends the file like its physical end. Past
// the end every read yields an empty line, which is no error: the readers
// find out through the empty field that follows.
class LineReader {
  public:
    explicit LineReader(std::string_view bytes);

    std::string_view next();
    bool atEnd() const { return pos_ >= text_.size(); }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

} // namespace zav
