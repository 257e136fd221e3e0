#pragma once
// Line-by-line reading of a text file, from memory or straight from the
// file: a reader takes only the lines it asks for, so what follows them in
// a file is never read, however large (or endless) it is.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace zav {

// A line ends at LF, with or without a CR before it; the break is not part
// of the line. A byte 26 (Ctrl-Z) ends the file like its physical end. Past
// the end every read yields an empty line, which is no error: the readers
// find out through the empty field that follows. A line of more than
// kMaxLineBytes bytes makes the file bad (DataFileError). A UTF-8 byte order
// mark at the start of the file is passed over (and remembered).
class LineReader {
  public:
    static constexpr std::size_t kMaxLineBytes = 64 * 1024;

    explicit LineReader(std::string_view bytes);
    // Reads from an open file, which the caller keeps and closes.
    explicit LineReader(std::FILE* file);

    // The next line; valid until the next call.
    std::string_view next();
    // The same, but a line of more than kMaxLineBytes bytes gives nothing
    // instead of an error, its bytes passed over to its end: for the
    // optional parts of a file, which never make it bad.
    std::optional<std::string_view> nextWithinBound();
    // How many lines next() has returned, the empty ones past the end too.
    std::int64_t lineNumber() const { return lineNumber_; }
    // Whether the last line next() returned lay past the end of the file.
    bool pastEnd() const { return pastEnd_; }
    // Whether the file starts with a UTF-8 byte order mark.
    bool utf8Mark() const { return utf8Mark_; }
    // Whether a Ctrl-Z ended the reading with more of the file after it (a
    // Ctrl-Z as the last byte, as old DOS programs wrote, is no cut).
    bool cutByControlZ() const { return cutByControlZ_; }

  private:
    void readMore();
    void passMark();

    std::FILE* file_ = nullptr;
    std::string buffer_;    // read from file_ and not yet consumed
    std::string_view text_; // the bytes in memory, or buffer_
    std::size_t pos_ = 0;
    bool ended_ = false; // physical end or Ctrl-Z seen
    bool pastEnd_ = false;
    bool started_ = false;
    bool utf8Mark_ = false;
    bool cutByControlZ_ = false;
    std::int64_t lineNumber_ = 0;
};

} // namespace zav
