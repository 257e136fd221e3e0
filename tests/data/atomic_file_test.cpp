#include "data/atomic_file.h"

#include "data/errors.h"
#include "data/file_io.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace zav {
namespace {

namespace fs = std::filesystem;

class AtomicFile : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("zaviro-atomic-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "sub");
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path write(const std::string& name, const std::string& bytes) {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
        return dir_ / name;
    }
    // Nothing but the named files: no temporary left behind.
    std::size_t entries(const fs::path& folder) const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
    }
    fs::path dir_;
};

// The longest name a folder takes: its temporary's name is cut to fit.
TEST_F(AtomicFile, WritesANameOf255Bytes) {
    const fs::path target = dir_ / (std::string(251, 'a') + ".txt");
    writeFileAtomically(target, "novo");
    EXPECT_EQ(readFileBytes(target), "novo");
    EXPECT_EQ(entries(dir_), 2u); // "sub" and the file
}

// A relative link is followed from its own folder (a chosen link) or
// replaced (an output of a batch); a link another user planted in a shared
// sticky folder is refused, one of the folder's owner followed.
TEST_F(AtomicFile, LinksAreFollowedOrReplacedByThePolicy) {
    write("sub/real.txt", "velho");
    fs::create_symlink("sub/real.txt", dir_ / "relativo.txt");
    writeFileAtomically(dir_ / "relativo.txt", "seguido", {LinkPolicy::FollowOwn});
    EXPECT_EQ(readFileBytes(dir_ / "sub/real.txt"), "seguido");
    EXPECT_TRUE(fs::is_symlink(dir_ / "relativo.txt"));

    writeFileAtomically(dir_ / "relativo.txt", "substituto", {LinkPolicy::Replace});
    EXPECT_FALSE(fs::is_symlink(dir_ / "relativo.txt"));
    EXPECT_EQ(readFileBytes(dir_ / "sub/real.txt"), "seguido");

    // Giving a file to another user takes root.
    if (::geteuid() != 0) GTEST_SKIP() << "the owner rule needs root to give a link to another user";
    fs::create_directories(dir_ / "tmp");
    fs::permissions(dir_ / "tmp", fs::perms::all | fs::perms::sticky_bit);
    ASSERT_EQ(::chown((dir_ / "tmp").c_str(), ::geteuid() + 2, ::getegid()), 0) << "the tests run as root";
    fs::create_symlink("../sub/real.txt", dir_ / "tmp/alheio.txt");
    ASSERT_EQ(::lchown((dir_ / "tmp/alheio.txt").c_str(), ::geteuid() + 1, ::getegid()), 0);
    EXPECT_THROW(writeFileAtomically(dir_ / "tmp/alheio.txt", "x", {LinkPolicy::FollowOwn}), FileWriteError);
    ASSERT_EQ(::lchown((dir_ / "tmp/alheio.txt").c_str(), ::geteuid() + 2, ::getegid()), 0);
    writeFileAtomically(dir_ / "tmp/alheio.txt", "do dono", {LinkPolicy::FollowOwn});
    EXPECT_EQ(readFileBytes(dir_ / "sub/real.txt"), "do dono");
    EXPECT_EQ(entries(dir_ / "sub"), 1u);
}

} // namespace
} // namespace zav
