#include "data/atomic_file.h"

#include "data/errors.h"
#include "data/file_io.h"

#include <fcntl.h>
#include <pthread.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <mutex>
#include <set>
#include <string>
#include <system_error>

namespace zav {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kTemporaryMark = ".zaviro-tmp.";
constexpr std::string_view kRandomPart = "XXXXXX";
constexpr std::size_t kMaxNameBytes = 255;
constexpr int kMaxLinks = 40; // as the kernel's own limit on links in a path

// The temporary being written, for the signal handler: a fixed buffer and a
// flag, both safe to read from a handler.
char pendingTemporary[8192];
volatile std::sig_atomic_t temporaryPending = 0;

// Signals held back while the temporary is created or renamed and the
// handler's record of it changes.
class HeldSignals {
  public:
    HeldSignals() {
        sigset_t set;
        sigemptyset(&set);
        for (const int s : {SIGINT, SIGTERM, SIGHUP})
            sigaddset(&set, s);
        pthread_sigmask(SIG_BLOCK, &set, &saved_);
    }
    ~HeldSignals() { pthread_sigmask(SIG_SETMASK, &saved_, nullptr); }
    HeldSignals(const HeldSignals&) = delete;
    HeldSignals& operator=(const HeldSignals&) = delete;

  private:
    sigset_t saved_{};
};

void onTerminatingSignal(int signal) {
    if (temporaryPending) ::unlink(pendingTemporary);
    // SA_RESETHAND restored the default action; the signal, held while
    // this handler runs, then ends the process as it would have.
    ::raise(signal);
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const auto written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            if (written == 0) errno = EIO;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

fs::path folderOf(const fs::path& path) { return path.has_parent_path() ? path.parent_path() : fs::path("."); }

mode_t newFileMode() {
#ifdef __EMSCRIPTEN__
    // The WebAssembly build's umask is 0777 and says nothing of the user's;
    // its files get the usual mode.
    return 0644;
#else
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
#endif
}

// The kernel's protected_symlinks rule, whether or not the kernel applies
// it: in a world-writable sticky folder only a link of this user or of the
// folder's owner is followed.
void refuseForeignLink(const struct stat& link, const fs::path& folder, const fs::path& target) {
    struct stat shared {};
    if (::stat(folder.c_str(), &shared) == 0 && (shared.st_mode & S_ISVTX) && (shared.st_mode & S_IWOTH) &&
        link.st_uid != ::geteuid() && link.st_uid != shared.st_uid)
        throw FileWriteError(target.string(),
                             "o link simbólico pertence a outro usuário, numa pasta compartilhada; escolha outro "
                             "nome");
}

// Every link on the way to the folder that receives the file, checked by
// that rule: a folder link planted in /tmp by another user is not followed.
void refuseForeignFolderLinks(const fs::path& folder, const fs::path& target) {
    fs::path prefix;
    for (const auto& part : absolutePath(folder)) {
        prefix /= part;
        struct stat link {};
        if (::lstat(prefix.c_str(), &link) == 0 && S_ISLNK(link.st_mode))
            refuseForeignLink(link, folderOf(prefix), target);
    }
}

// The file a chosen link leads to, each link on the way checked by the
// rule above.
fs::path followOwnLinks(const fs::path& target) {
    fs::path path = target;
    for (int links = 0;; ++links) {
        struct stat link {};
        if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return path;
        if (links == kMaxLinks) throw FileWriteError(target.string(), ELOOP);
        const fs::path folder = folderOf(path);
        refuseForeignLink(link, folder, target);
        std::error_code ec;
        const fs::path next = fs::read_symlink(path, ec);
        if (ec) throw FileWriteError(target.string(), ec.value());
        path = next.is_absolute() ? next : folder / next;
    }
}

// The mode the new file gets: the existing target's, or the one the umask
// gives. Refuses a target that is no regular file or is read-only.
mode_t modeFor(const fs::path& destination, const fs::path& target) {
    struct stat existing {};
    if (::lstat(destination.c_str(), &existing) != 0) {
        if (errno != ENOENT) throw FileWriteError(target.string(), errno);
        return newFileMode();
    }
    if (S_ISLNK(existing.st_mode)) return newFileMode(); // the link is replaced
    if (S_ISDIR(existing.st_mode)) throw FileWriteError(target.string(), EISDIR);
    if (!S_ISREG(existing.st_mode)) throw FileWriteError(target.string(), "não é um arquivo comum");
    if ((existing.st_mode & 0222) == 0 || ::faccessat(AT_FDCWD, destination.c_str(), W_OK, AT_EACCESS) != 0)
        throw FileWriteError(target.string(), EACCES);
    return existing.st_mode & 07777;
}

// A temporary beside the destination, created, recorded for the signal
// handler and locked (the lock tells a later run that it is in use).
struct Temporary {
    std::string path;
    int fd = -1;
};

Temporary createTemporary(const fs::path& destination, const fs::path& target) {
    std::string name = destination.filename().string();
    name.resize(std::min(name.size(), kMaxNameBytes - 1 - kTemporaryMark.size() - kRandomPart.size()));
    const std::string path =
        (folderOf(destination) / ("." + name + std::string(kTemporaryMark) + std::string(kRandomPart))).string();
    const bool recorded = path.size() < sizeof pendingTemporary;
    for (int attempt = 0; attempt < 3; ++attempt) {
        Temporary temporary{path, -1};
        {
            const HeldSignals held;
            temporary.fd = ::mkostemp(temporary.path.data(), O_CLOEXEC);
            if (temporary.fd < 0) throw FileWriteError(target.string(), errno);
            if (recorded) {
                std::memcpy(pendingTemporary, temporary.path.c_str(), temporary.path.size() + 1);
                temporaryPending = 1;
            }
        }
        // A run cleaning the folder may have taken it before the lock.
        struct stat status {};
        if (::flock(temporary.fd, LOCK_EX) == 0 && ::fstat(temporary.fd, &status) == 0 && status.st_nlink > 0)
            return temporary;
        ::close(temporary.fd);
        temporaryPending = 0;
    }
    throw FileWriteError(target.string(), EEXIST);
}

void discard(const Temporary& temporary) {
    const HeldSignals held;
    ::unlink(temporary.path.c_str());
    ::close(temporary.fd);
    temporaryPending = 0;
}

void syncFolderOf(const fs::path& destination) {
    const int fd = ::open(folderOf(destination).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

fs::path canonicalName(const fs::path& path) {
    std::error_code ec;
    const fs::path absolute = absolutePath(path);
    fs::path folder = fs::weakly_canonical(absolute.parent_path(), ec);
    if (ec) folder = absolute.parent_path().lexically_normal();
    return folder / absolute.filename();
}

} // namespace

// The first write of a run into a folder removes what killed runs left
// there; later ones need not look again.
static void removeStaleTemporariesOnce(const fs::path& folder) {
    static std::mutex mutex;
    static std::set<std::string> cleaned;
    const std::lock_guard lock(mutex);
    if (cleaned.insert(canonicalName(folder / ".").string()).second) removeStaleTemporaries(folder);
}

void writeFileAtomically(const fs::path& target, std::string_view bytes, const WriteOptions& options) {
    const fs::path destination = options.links == LinkPolicy::FollowOwn ? followOwnLinks(target) : target;
    refuseForeignFolderLinks(folderOf(destination), target);
    removeStaleTemporariesOnce(folderOf(destination));
    const mode_t mode = modeFor(destination, target);
    const Temporary temporary = createTemporary(destination, target);
    bool written = ::fchmod(temporary.fd, mode) == 0 && writeAll(temporary.fd, bytes) &&
                   (!options.sync || ::fsync(temporary.fd) == 0);
    if (written) {
        const HeldSignals held;
        written = ::rename(temporary.path.c_str(), destination.c_str()) == 0;
        if (written) temporaryPending = 0;
    }
    if (!written) {
        const int error = errno;
        discard(temporary);
        throw FileWriteError(target.string(), error);
    }
    if (::close(temporary.fd) != 0) throw FileWriteError(target.string(), errno);
    if (options.sync) syncFolderOf(destination);
}

void syncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) throw FileWriteError(folder.string(), errno);
#ifdef __EMSCRIPTEN__
    // The WebAssembly build has no syncfs; flushing the folder itself is
    // what it can do.
    const bool synced = ::fsync(fd) == 0;
#else
    const bool synced = ::syncfs(fd) == 0;
#endif
    const int error = errno;
    ::close(fd);
    if (!synced) throw FileWriteError(folder.string(), error);
}

bool isTemporaryName(std::string_view name) {
    const std::size_t tail = kTemporaryMark.size() + kRandomPart.size();
    return name.size() > tail + 1 && name.front() == '.' &&
           name.substr(name.size() - tail, kTemporaryMark.size()) == kTemporaryMark;
}

void removeStaleTemporaries(const fs::path& folder) {
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path path = it->path();
        if (!isTemporaryName(path.filename().string())) continue;
        const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat opened {
        }, named{};
        // Unlocked: its writer has ended. Still the same regular file.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) &&
            ::lstat(path.c_str(), &named) == 0 && named.st_dev == opened.st_dev && named.st_ino == opened.st_ino)
            ::unlink(path.c_str());
        ::close(fd);
    }
}

void removeTemporaryOnSignals() {
    for (const int s : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction current {};
        if (::sigaction(s, nullptr, &current) != 0 || current.sa_handler == SIG_IGN) continue;
        struct sigaction action {};
        action.sa_handler = onTerminatingSignal;
        action.sa_flags = static_cast<int>(SA_RESETHAND);
        sigemptyset(&action.sa_mask);
        ::sigaction(s, &action, nullptr);
    }
    // A write past the file-size limit fails with EFBIG, cleaned up like any
    // failed write, instead of ending the process with the temporary left.
    ::signal(SIGXFSZ, SIG_IGN);
}

InputFiles::InputFiles(const std::vector<fs::path>& inputs) {
    for (const auto& input : inputs)
        add(input);
}

void InputFiles::add(const fs::path& input) {
    const std::size_t index = inputs_.size();
    inputs_.push_back(input);
    struct stat status {};
    if (::stat(input.c_str(), &status) == 0) identities_.push_back({status.st_dev, status.st_ino, index});
    if (::lstat(input.c_str(), &status) == 0 && S_ISLNK(status.st_mode))
        identities_.push_back({status.st_dev, status.st_ino, index});
    names_.insert(canonicalName(input).string());
    std::error_code ec;
    if (const auto followed = fs::canonical(input, ec); !ec) names_.insert(followed.string());
}

const fs::path* InputFiles::find(dev_t device, ino_t inode) const {
    for (const auto& identity : identities_)
        if (identity.device == device && identity.inode == inode) return &inputs_[identity.input];
    return nullptr;
}

void InputFiles::refuseAsOutput(const fs::path& output, LinkPolicy links) const {
    struct stat status {};
    const int found = links == LinkPolicy::Replace ? ::lstat(output.c_str(), &status) : ::stat(output.c_str(), &status);
    std::error_code ec;
    const fs::path name = links == LinkPolicy::Replace ? canonicalName(output) : fs::weakly_canonical(output, ec);
    if ((found == 0 && find(status.st_dev, status.st_ino)) || names_.count(name.string()) > 0)
        throw OutputIsInputError(absolutePath(output).string());
}

void InputFiles::refuseStandardOutput() const {
    struct stat status {};
    if (::fstat(STDOUT_FILENO, &status) != 0 || !S_ISREG(status.st_mode)) return;
    if (const auto* input = find(status.st_dev, status.st_ino)) {
        // "> dados.txt": the shell emptied the file before the program ran.
        if (status.st_size == 0)
            throw Error("Erro: a saída (>) é o próprio arquivo de entrada, e o shell o esvaziou ao abri-la, antes de o "
                        "programa começar: " +
                        printable(absolutePath(*input).string()) +
                        " tem agora 0 bytes; recupere-o (de uma cópia) e dê outro nome à saída");
        throw OutputIsInputError(absolutePath(*input).string());
    }
}

} // namespace zav
