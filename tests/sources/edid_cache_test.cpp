// "data.vxr" and the load that writes it: the byte layout, where it goes
// when the program's folder does not take it, and that a failure neither
// blocks the load nor leaves a half-changed state behind.
#include <algorithm>
#include "edid_cache.h"
#include "edid_parser.h"
#include "fake_drm_tree.h"
#include "fake_monitor_store.h"
#include "monitor_load.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;

const fs::path kData = TESSARIN_TEST_DATA;

class EDIDCache : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() /
               ("tessarin-cache-test-" + test::UniqueSuffix() + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "program");
    }
    void TearDown() override { fs::remove_all(dir_); }

    // Three monitors: a 256-byte EDID, a 128-byte one, and one without.
    void FillStore()
    {
        store_.AddInstance("GSM0001", "1", {"MONITOR\\GSM0001"}, "LG TV", "LG", true, lg_);
        store_.AddInstance("ACR02F9", "1", {"MONITOR\\ACR02F9"}, "Acer", "Acer", false, acer_);
        store_.AddInstance("ACR02F9", "2", {"MONITOR\\ACR02F9"}, "Acer", "Acer", false);
    }

    fs::path dir_;
    test::FakeMonitorStore store_;
    const std::vector<std::uint8_t> lg_ = ReadBytes(kData / "GSM-7045A2DA2452.bin");
    const std::vector<std::uint8_t> acer_ = ReadBytes(kData / "ACR-D14980399AEF.bin");
};

TEST_F(EDIDCache, HoldsTheBoundsThenTheBytes)
{
    FillStore();
    std::vector<std::uint8_t> current;
    CEDIDParser parser;
    const std::vector<fs::path> folders = {dir_ / "program"};
    // An older, longer file is replaced whole.
    std::ofstream(dir_ / "program" / "data.vxr") << std::string(1000, 'x');

    ASSERT_TRUE(LoadRegistryEDID(store_, 1, current, parser, folders));
    // Built by copy rather than insert: GCC 12 warns falsely on vector::insert at -O2.
    std::vector<std::uint8_t> expected(260, 0);
    expected[2] = 0xFF;
    std::copy_n(acer_.begin(), std::min<std::size_t>(acer_.size(), 256), expected.begin() + 4);
    EXPECT_EQ(ReadBytes(dir_ / "program" / "data.vxr"), expected);
    EXPECT_EQ(current.size(), 256u);
    EXPECT_EQ(parser.MonitorName(), "GN246HL");

    EXPECT_EQ(FormatEDIDCache({}), "");
    const std::vector<std::uint8_t> largest(32768, 7);
    EXPECT_EQ(FormatEDIDCache(largest).substr(0, 4), std::string("\x00\x00\xFF\x7F", 4));
    const std::vector<std::uint8_t> tooLarge(32769, 7);
    EXPECT_EQ(FormatEDIDCache(tooLarge), "");
}

TEST_F(EDIDCache, GoesToTheNextFolderWhenTheProgramsFolderDoesNotTakeIt)
{
    // A read-only cache file stands for a folder that cannot be written
    // (the tests may run as root, for whom permissions do not stop a write).
    const fs::path readOnly = dir_ / "program" / "data.vxr";
    std::ofstream(readOnly) << "old";
    fs::permissions(readOnly, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const std::vector<std::uint8_t> edid(256, 0x5A);

    const fs::path userCache = dir_ / "cache" / "Tessarin";
    const std::vector<fs::path> folders = {dir_ / "program", userCache};
    EXPECT_EQ(SaveEDIDCache(edid, folders), userCache / "data.vxr");
    EXPECT_EQ(ReadBytes(userCache / "data.vxr").size(), 260u);
    EXPECT_EQ(ReadBytes(readOnly), (std::vector<std::uint8_t>{'o', 'l', 'd'}));

    // A "folder" that is a file takes nothing either.
    std::ofstream(dir_ / "plain-file") << "x";
    const std::vector<fs::path> nowhere = {dir_ / "plain-file", dir_ / "program"};
    EXPECT_FALSE(SaveEDIDCache(edid, nowhere));
    // Windows deletes no read-only file, not even at the end of the test.
    fs::permissions(readOnly, fs::perms::owner_write, fs::perm_options::add);
}

TEST_F(EDIDCache, AFailedWriteDoesNotStopTheLoadAndAFailedLoadChangesNothing)
{
    FillStore();
    std::ofstream(dir_ / "plain-file") << "x";
    const std::vector<fs::path> nowhere = {dir_ / "plain-file"};
    std::vector<std::uint8_t> current;
    CEDIDParser parser;

    ASSERT_TRUE(LoadRegistryEDID(store_, 0, current, parser, nowhere));
    EXPECT_EQ(current, lg_);
    EXPECT_EQ(parser.MonitorName(), "LG TV");

    // No EDID, and an index beyond the list: the shown EDID stays whole.
    const std::vector<fs::path> folders = {dir_ / "program"};
    EXPECT_FALSE(LoadRegistryEDID(store_, 2, current, parser, folders));
    EXPECT_FALSE(LoadRegistryEDID(store_, 3, current, parser, folders));
    EXPECT_FALSE(LoadRegistryEDID(store_, -1, current, parser, folders));
    EXPECT_EQ(current, lg_);
    EXPECT_EQ(parser.MonitorName(), "LG TV");
    EXPECT_FALSE(fs::exists(dir_ / "program" / "data.vxr"));

    // Without folders (the command-line tool) nothing is written.
    EXPECT_TRUE(LoadRegistryEDID(store_, 1, current, parser, {}));
    EXPECT_TRUE(fs::is_empty(dir_ / "program"));
}

} // namespace
} // namespace tessarin
