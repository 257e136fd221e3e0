#pragma once
// Opening and reading the files a user names: regular files only, never
// blocking, and their names as shown.

#include "data/line_reader.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace zav {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using InputFile = std::unique_ptr<std::FILE, FileCloser>;

// Opens a regular file for reading, never waiting: the file is opened
// first, then checked through the open descriptor. Anything else (missing,
// refused, a directory, a FIFO, a device or a socket, which could block or
// never end) throws FileOpenError naming the path's absolute form, before a
// byte is read.
InputFile openRegularFile(const std::filesystem::path& path);

// read(reader) on a LineReader over the regular file at path.
template <typename Read> auto readLinesOf(const std::filesystem::path& path, Read read) {
    const auto file = openRegularFile(path);
    LineReader reader(file.get());
    return read(reader);
}

// The absolute form of a path, with "." parts dropped but ".." kept: the
// file the system opens through "link/../x" is not the "x" beside the
// link, so ".." is not folded as text. For display: when the current
// folder cannot be named, the path as given.
std::filesystem::path absolutePath(const std::filesystem::path& path);

// Writes the bytes to standard output and flushes it. False when they could
// not all be written (a full disk, a closed output): the caller then says
// kStandardOutputFailure on standard error, in its user's language.
bool writeStandardOutput(std::string_view bytes);
inline constexpr const char* kStandardOutputFailure = "Erro: não foi possível escrever na saída padrão";

// The whole content of a regular file as bytes (openRegularFile's refusals).
std::string readFileBytes(const std::filesystem::path& path);

} // namespace zav
