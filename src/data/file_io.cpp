#include "data/file_io.h"

#include "data/errors.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace zav {

InputFile openRegularFile(const std::filesystem::path& path) {
    // The path as given: its absolute form may be longer than the system
    // opens. Opened without waiting (a FIFO would wait for a writer), then
    // the descriptor itself is checked, so a link changed in between cannot
    // make the check and the read see two different files.
#ifdef __EMSCRIPTEN__
    // The WebAssembly build for node opens through node, which drops
    // O_NONBLOCK and would wait on a FIFO: anything but a regular file is
    // refused before opening (the descriptor is still checked below).
    struct stat before {};
    if (::stat(path.c_str(), &before) != 0 || !S_ISREG(before.st_mode))
        throw FileOpenError(absolutePath(path).string());
#endif
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) throw FileOpenError(absolutePath(path).string());
    struct stat status {};
    const int flags = ::fcntl(fd, F_GETFL);
    InputFile file;
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && flags >= 0 &&
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0)
        file.reset(::fdopen(fd, "rb"));
    if (!file) {
        ::close(fd);
        throw FileOpenError(absolutePath(path).string());
    }
    return file;
}

std::filesystem::path absolutePath(const std::filesystem::path& path) {
    std::error_code ec;
    const auto absolute = std::filesystem::absolute(path, ec);
    if (ec) return path;
    std::filesystem::path out;
    for (const auto& part : absolute)
        if (!part.empty() && part != ".") out /= part;
    return out;
}

bool writeStandardOutput(std::string_view bytes) {
    return std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() && std::fflush(stdout) == 0;
}

std::string readFileBytes(const std::filesystem::path& path) {
    const auto file = openRegularFile(path);
    std::string bytes;
    char chunk[16 * 1024];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0)
        bytes.append(chunk, got);
    if (std::ferror(file.get())) throw FileOpenError(absolutePath(path).string());
    return bytes;
}

} // namespace zav
