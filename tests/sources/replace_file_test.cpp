// What a save does to the thing it replaces: a file keeps its mode and owner,
// a link keeps pointing where it did, a device or FIFO is never renamed over.
#include "fake_drm_tree.h"
#include "replace_file.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <cerrno>
#include <cstring>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

namespace tessarin {
namespace {

namespace fs = std::filesystem;

class ReplaceFile : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(dir_ / "sub"); }
    void TearDown() override { fs::remove_all(dir_); }

    static void Write(const fs::path& path, const std::string& text) { std::ofstream(path) << text; }
    static std::string Read(const fs::path& path)
    {
        std::ostringstream text;
        text << std::ifstream(path).rdbuf();
        return text.str();
    }
    static struct stat Stat(const fs::path& path)
    {
        struct stat status{};
        EXPECT_EQ(lstat(path.c_str(), &status), 0) << path;
        return status;
    }
    // Nothing left behind: no temporary beside what a test made.
    void ExpectListing(std::set<std::string> names) const
    {
        names.insert("sub");
        std::set<std::string> found;
        for (const auto& entry : fs::directory_iterator(dir_))
            found.insert(entry.path().filename().string());
        EXPECT_EQ(found, names);
    }

    const fs::path dir_ = fs::temp_directory_path() / ("tessarin-replace-test-" + test::UniqueSuffix());
};

TEST_F(ReplaceFile, TheNewFileKeepsTheOldModeAndOwnerAndSplitsAHardLink)
{
    const fs::path file = dir_ / "private.rtf";
    Write(file, "old");
    ASSERT_EQ(chmod(file.c_str(), 0640), 0);
    ASSERT_TRUE(geteuid() != 0 || chown(file.c_str(), 1234, 5678) == 0); // as root, someone else's
    const struct stat before = Stat(file);
    fs::create_hard_link(file, dir_ / "other-name.rtf");

    ASSERT_TRUE(ReplaceFileContent(file, "new"));
    EXPECT_EQ(Read(file), "new");
    const struct stat after = Stat(file);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_TRUE(after.st_uid == before.st_uid && after.st_gid == before.st_gid);
    EXPECT_EQ(Read(dir_ / "other-name.rtf"), "old");
    ExpectListing({"other-name.rtf", "private.rtf"});
}

TEST_F(ReplaceFile, ALinkIsWrittenThroughAndKept)
{
    Write(dir_ / "sub" / "real.edd", "old");
    ASSERT_EQ(chmod((dir_ / "sub" / "real.edd").c_str(), 0600), 0);
    fs::create_symlink("sub/real.edd", dir_ / "link.edd");
    fs::create_symlink("link.edd", dir_ / "link-to-link.edd");
    fs::create_symlink("sub/not-yet.edd", dir_ / "dangling.edd");
    fs::create_symlink("loop-b", dir_ / "loop-a");
    fs::create_symlink("loop-a", dir_ / "loop-b");

    ASSERT_TRUE(ReplaceFileContent(dir_ / "link-to-link.edd", "new"));
    EXPECT_EQ(Read(dir_ / "sub" / "real.edd"), "new");
    EXPECT_EQ(Stat(dir_ / "sub" / "real.edd").st_mode & 07777, 0600u);
    EXPECT_EQ(fs::read_symlink(dir_ / "link.edd"), "sub/real.edd");
    EXPECT_EQ(fs::read_symlink(dir_ / "link-to-link.edd"), "link.edd");

    // A link to a file that does not exist yet creates that file.
    ASSERT_TRUE(ReplaceFileContent(dir_ / "dangling.edd", "made"));
    EXPECT_EQ(Read(dir_ / "sub" / "not-yet.edd"), "made");
    EXPECT_TRUE(fs::is_symlink(dir_ / "dangling.edd"));

    EXPECT_FALSE(ReplaceFileContent(dir_ / "loop-a", "x"));
    ExpectListing({"dangling.edd", "link-to-link.edd", "link.edd", "loop-a", "loop-b"});
}

TEST_F(ReplaceFile, ADeviceIsWrittenInPlace)
{
    // The memory devices: 3 takes anything, 7 is always full.
    for (const unsigned minor : {3u, 7u}) {
        const fs::path node = dir_ / std::to_string(minor);
        if (mknod(node.c_str(), S_IFCHR | 0666, makedev(1, minor)) != 0)
            GTEST_SKIP() << "no device nodes here: " << std::strerror(errno);
        EXPECT_EQ(ReplaceFileContent(node, "report"), minor == 3) << minor;
        const struct stat after = Stat(node);
        EXPECT_TRUE(S_ISCHR(after.st_mode) && after.st_rdev == makedev(1, minor)) << minor;
    }
    ExpectListing({"3", "7"});
}

TEST_F(ReplaceFile, AFifoIsWrittenInPlaceAndASocketRefused)
{
    const fs::path fifo = dir_ / "pipe";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    // A reader already waiting, so the writer's open does not block.
    const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_NE(reader, -1);
    EXPECT_TRUE(ReplaceFileContent(fifo, "through the pipe"));
    char received[32] = {};
    EXPECT_EQ(read(reader, received, sizeof received), 16);
    EXPECT_STREQ(received, "through the pipe");
    close(reader);
    EXPECT_TRUE(fs::is_fifo(fifo));

    const fs::path socketPath = dir_ / "socket";
    const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_NE(listener, -1);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(socketPath.native().size(), sizeof address.sun_path);
    socketPath.native().copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    EXPECT_FALSE(ReplaceFileContent(socketPath, "x"));
    EXPECT_TRUE(fs::is_socket(socketPath));
    close(listener);
    ExpectListing({"pipe", "socket"});
}

} // namespace
} // namespace tessarin
#endif
