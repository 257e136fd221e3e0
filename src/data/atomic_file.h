#pragma once
// Writing a file so that nothing the user named is lost: the bytes go whole
// into a temporary beside the target, which then takes the target's place;
// an output never lands on one of the run's inputs. Standard library and
// POSIX only, for the command line and, through a thin adapter, the window.

#include <sys/types.h>

#include <filesystem>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace zav {

// What a write does with a symbolic link at the target path.
enum class LinkPolicy {
    // The link itself is replaced; its target is never touched (command
    // line and batch outputs).
    Replace,
    // The file the link points to is written, as a user who chose a link in
    // a dialog expects; a link owned by another user in a world-writable
    // sticky folder (the kernel's protected_symlinks rule) is refused.
    FollowOwn,
};

struct WriteOptions {
    LinkPolicy links = LinkPolicy::Replace;
    // Whether the data reach the disk before the rename (fsync of the file,
    // then of its folder). A batch passes false and calls syncFolder once.
    bool sync = true;
};

// Writes the bytes to ".NAME.zaviro-tmp.XXXXXX" beside the target, then
// renames it over the target. An existing target keeps its mode; one that
// is read-only (not writable for this user, or without any write
// permission) or not a regular file is refused. On any failure the
// temporary is removed and the target left as it was. Throws
// FileWriteError naming the target, with the system's reason.
void writeFileAtomically(const std::filesystem::path& target, std::string_view bytes, const WriteOptions& options = {});

// Flushes the file system that holds the folder (syncfs): one call for all
// the outputs of a batch. Throws FileWriteError naming the folder.
void syncFolder(const std::filesystem::path& folder);

// Whether a file name is one of the writer's temporaries.
bool isTemporaryName(std::string_view name);

// Removes the temporaries an earlier run left in the folder when it was
// killed outright; a temporary still being written (locked by its writer)
// is kept.
void removeStaleTemporaries(const std::filesystem::path& folder);

// From now on SIGINT, SIGTERM and SIGHUP remove the temporary being written
// before the process ends as the signal would have ended it. A signal the
// process ignores stays ignored. A write past the file-size limit fails
// (SIGXFSZ ignored) and removes its temporary like any failed write.
void removeTemporaryOnSignals();

// The files a run reads, known by device and inode where they exist and by
// their canonical path, so that no output takes the place of one.
class InputFiles {
  public:
    InputFiles() = default;
    explicit InputFiles(const std::vector<std::filesystem::path>& inputs);
    void add(const std::filesystem::path& input);

    // Throws OutputIsInputError naming the output when writing it under the
    // policy would replace one of the inputs.
    void refuseAsOutput(const std::filesystem::path& output, LinkPolicy links) const;
    // Throws OutputIsInputError naming the input when standard output is
    // that input file (same device and inode), as in "... > entrada.csv".
    void refuseStandardOutput() const;

  private:
    struct Identity {
        dev_t device;
        ino_t inode;
        std::size_t input;
    };
    const std::filesystem::path* find(dev_t device, ino_t inode) const;

    std::vector<std::filesystem::path> inputs_;
    std::vector<Identity> identities_;
    std::set<std::string> names_; // canonical names
};

} // namespace zav
