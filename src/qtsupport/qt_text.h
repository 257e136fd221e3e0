#pragma once
// QString to and from the Windows-1252 bytes of files and reports.

#include <QString>

#include <string>
#include <string_view>

namespace zav {

QString fromCp1252(std::string_view bytes);

// A character the code page cannot hold becomes "?".
std::string toCp1252(const QString& text);

// A path for the core's file functions (the file system's own encoding).
std::string toFileSystemPath(const QString& path);

} // namespace zav
