#include "data/file_io.h"

#include "data/errors.h"

#include <fstream>
#include <iterator>
#include <system_error>

namespace zav {

std::string readFileBytes(const std::filesystem::path& path) {
    std::error_code ec;
    // A directory opens as a stream on some systems and then fails to read;
    // say plainly that it cannot be opened as a file.
    if (std::filesystem::is_directory(path, ec)) throw FileOpenError(path.string());
    std::ifstream in(path, std::ios::binary);
    if (!in) throw FileOpenError(path.string());
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) throw FileOpenError(path.string());
    return bytes;
}

} // namespace zav
