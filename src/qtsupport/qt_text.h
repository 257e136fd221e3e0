#pragma once
// QString to and from the Windows-1252 bytes of files and reports.

#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zav {

QString fromCp1252(std::string_view bytes);

// A character the code page cannot hold becomes "?".
std::string toCp1252(const QString& text);

// An entry field's text: blank when nothing but spaces and control codes;
// its whole number as typed (spaces in front allowed, nothing after).
bool isBlank(const QString& typed);
std::optional<std::int32_t> wholeNumber(const QString& typed);

// A path for the core's file functions (the file system's own bytes), and
// back: every byte sequence a file name may hold round-trips, the bytes
// that are not UTF-8 kept in the text as U+DC80 to U+DCFF.
std::string toFileSystemPath(const QString& path);
QString fromFileSystemPath(std::string_view bytes);
// A path named on a command line, made absolute as the core makes it (".."
// kept), back in the window's text.
QString absoluteFileName(const std::string& fileSystemPath);

} // namespace zav
