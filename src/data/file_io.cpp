#include "data/file_io.h"

#include "data/errors.h"

#include <system_error>

namespace zav {

InputFile openRegularFile(const std::filesystem::path& path) {
    std::error_code ec;
    // Checked before opening: opening a FIFO waits for a writer.
    if (!std::filesystem::is_regular_file(path, ec)) throw FileOpenError(path.string());
    InputFile file(std::fopen(path.c_str(), "rb"));
    if (!file) throw FileOpenError(path.string());
    return file;
}

std::filesystem::path absolutePath(const std::filesystem::path& path) {
    std::filesystem::path out;
    for (const auto& part : std::filesystem::absolute(path))
        if (!part.empty() && part != ".") out /= part;
    return out;
}

std::string readFileBytes(const std::filesystem::path& path) {
    const auto file = openRegularFile(path);
    std::string bytes;
    char chunk[16 * 1024];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0)
        bytes.append(chunk, got);
    if (std::ferror(file.get())) throw FileOpenError(path.string());
    return bytes;
}

} // namespace zav
