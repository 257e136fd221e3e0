#pragma once

#include <filesystem>
#include <string>

namespace zav {

// The whole content of a file as bytes. Throws FileOpenError, naming the
// path, when the file is missing, refused, a directory, or cannot be read.
std::string readFileBytes(const std::filesystem::path& path);

} // namespace zav
