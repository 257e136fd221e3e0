#include "data/line_reader.h"

#include "data/errors.h"

#include <string>

namespace zav {
namespace {

constexpr char kEndOfFile = '\x1A';
constexpr std::size_t kChunk = 16 * 1024;
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

DataFileError lineTooLong(std::int64_t line) {
    return DataFileError(atLine(line, "a linha passa de " + std::to_string(LineReader::kMaxLineBytes) + " caracteres"));
}

} // namespace

LineReader::LineReader(std::string_view bytes) : text_(bytes), ended_(true) {
    if (const auto eof = text_.find(kEndOfFile); eof != std::string_view::npos) {
        cutByControlZ_ = eof + 1 < text_.size();
        text_ = text_.substr(0, eof);
    }
}

// The byte order mark, once, before the first line.
void LineReader::passMark() {
    started_ = true;
    while (!ended_ && text_.size() - pos_ < kUtf8Mark.size())
        readMore();
    utf8Mark_ = text_.substr(pos_).starts_with(kUtf8Mark);
    if (utf8Mark_) pos_ += kUtf8Mark.size();
}

LineReader::LineReader(std::FILE* file) : file_(file) {}

// Drops what was consumed and appends one chunk of the file.
void LineReader::readMore() {
    buffer_.erase(0, pos_);
    pos_ = 0;
    const std::size_t old = buffer_.size();
    buffer_.resize(old + kChunk);
    const std::size_t got = std::fread(buffer_.data() + old, 1, kChunk, file_);
    buffer_.resize(old + got);
    if (got < kChunk) {
        if (std::ferror(file_)) throw DataFileError(atLine(lineNumber_, "o arquivo não pôde ser lido"));
        ended_ = true;
    }
    if (const auto eof = buffer_.find(kEndOfFile, old); eof != std::string::npos) {
        cutByControlZ_ = eof + 1 < buffer_.size() || got == kChunk;
        buffer_.resize(eof);
        ended_ = true;
    }
    text_ = buffer_;
}

std::string_view LineReader::next() {
    if (const auto line = nextWithinBound()) return *line;
    throw lineTooLong(lineNumber_);
}

std::optional<std::string_view> LineReader::nextWithinBound() {
    if (!started_) passMark();
    ++lineNumber_;
    std::size_t lf = text_.find('\n', pos_);
    while (lf == std::string_view::npos && !ended_) {
        const std::size_t searched = text_.size() - pos_;
        if (searched > kMaxLineBytes + 1) {
            // Too long: its bytes are passed over, a chunk at a time.
            while (lf == std::string_view::npos && !ended_) {
                pos_ = text_.size();
                readMore();
                lf = text_.find('\n', pos_);
            }
            pos_ = lf == std::string_view::npos ? text_.size() : lf + 1;
            return std::nullopt;
        }
        readMore();
        lf = text_.find('\n', pos_ + searched);
    }
    pastEnd_ = pos_ >= text_.size();
    if (pastEnd_) return std::string_view{};
    const auto end = lf == std::string_view::npos ? text_.size() : lf;
    auto line = text_.substr(pos_, end - pos_);
    pos_ = lf == std::string_view::npos ? text_.size() : lf + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.size() > kMaxLineBytes) return std::nullopt;
    return line;
}

} // namespace zav
