// The monitor walk over fake sysfs DRM trees: which connectors are listed,
// in which order, what their entries say, and what is read back.
#include "drm_monitor_store.h"
#include "edid_parser.h"
#include "fake_drm_tree.h"
#include "monitor_walk.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace tessarin {
namespace {

namespace fs = std::filesystem;
using test::FakeDrmTree;
using test::ReadBytes;

const fs::path kData = TESSARIN_TEST_DATA;

std::vector<std::uint8_t> Padded(std::vector<std::uint8_t> bytes)
{
    bytes.resize(256, 0);
    return bytes;
}

class DrmStore : public ::testing::Test {
protected:
    const std::vector<std::uint8_t> lg_ = ReadBytes(kData / "GSM-7045A2DA2452.bin");        // "LG TV", 256
    const std::vector<std::uint8_t> acer_ = ReadBytes(kData / "ACR-D14980399AEF.bin");      // "GN246HL", 128
    const std::vector<std::uint8_t> daewoo_ = ReadBytes(kData / "DWE-BA7CED78EA62.bin");    // no name, 128
    const std::vector<std::uint8_t> samsung_ = ReadBytes(kData / "SAM-0D66531D4F35.bin");   // "SAMSUNG", 256
};

TEST_F(DrmStore, ConnectorsWithAnEDIDAreListedByCardThenConnectorInNaturalOrder)
{
    FakeDrmTree tree("order");
    tree.AddConnector("card10-DP-1", lg_);
    tree.AddConnector("card2-HDMI-A-1", acer_, "disconnected");
    tree.AddConnector("card2-DP-10", samsung_);
    tree.AddConnector("card2-DP-2", daewoo_);
    tree.AddConnector("card2-eDP-1", {});                 // nothing attached
    tree.AddConnector("card2-Writeback-1", {}, "unknown");
    DrmMonitorStore store(tree.Root());

    EXPECT_EQ(store.EnumKeys(store.DisplayKey()), (std::vector<std::string>{"card2", "card10"}));
    EXPECT_EQ(BuildDisplayList(store, false),
              (std::vector<std::string>{
                  "Unknown monitor (card2-DP-2) ; Daewoo Telecom Ltd | -1",
                  "SAMSUNG (card2-DP-10) ; Samsung | -1",
                  "GN246HL (card2-HDMI-A-1) ; ACR | 0",
                  "LG TV (card10-DP-1) ; LG Electronics Inc. (GoldStar Technology, Inc.) | -1",
              }));
    EXPECT_EQ(BuildDisplayList(store, true), (std::vector<std::string>{"DWE0000", "SAM7016", "ACR02F9", "GSM0001"}));
    // Index 2 reads the third entry; a 128-byte EDID comes back as 256 bytes.
    EXPECT_EQ(GetMonitorEDID(store, 2), Padded(acer_));
    EXPECT_EQ(GetMonitorEDID(store, 3), lg_);
    EXPECT_TRUE(GetMonitorEDID(store, 4).empty());
}

TEST_F(DrmStore, OnlyAConnectedStatusMakesAMonitorActive)
{
    FakeDrmTree tree("status");
    tree.AddConnector("card0-DP-1", lg_, "disconnected");
    tree.AddConnector("card0-DP-2", lg_, "unknown");
    tree.AddConnector("card0-DP-3", lg_, "connected");
    const fs::path noStatus = tree.AddConnector("card0-DP-4", lg_);
    fs::remove(noStatus / "status");
    DrmMonitorStore store(tree.Root());

    const std::vector<std::string> list = BuildDisplayList(store, false);
    ASSERT_EQ(list.size(), 4u);
    EXPECT_TRUE(list[0].ends_with(" | 0"));
    EXPECT_TRUE(list[1].ends_with(" | 0"));
    EXPECT_TRUE(list[2].ends_with(" | -1"));
    EXPECT_TRUE(list[3].ends_with(" | 0"));
    EXPECT_EQ(FirstActiveEntry(list), 2);
}

TEST_F(DrmStore, LongerEDIDsAreCutAfterByte255)
{
    FakeDrmTree tree("sizes");
    std::vector<std::uint8_t> long512 = lg_;
    long512.resize(512, 0xAB);
    tree.AddConnector("card0-DP-1", long512);
    tree.AddConnector("card0-DP-2", lg_);
    DrmMonitorStore store(tree.Root());

    EXPECT_EQ(store.ReadBinary("DRM\\card0\\card0-DP-1\\Device Parameters", "EDID"), long512);
    EXPECT_EQ(GetMonitorEDID(store, 0), lg_);
    EXPECT_EQ(GetMonitorEDID(store, 1), lg_);
}

#ifndef _WIN32
// FIFOs, symbolic links and backslashes in file names are POSIX things.
TEST_F(DrmStore, UnreadableConnectorsAreLeftOutAndNothingBlocks)
{
    FakeDrmTree tree("unreadable");
    tree.AddConnector("card0-DP-1", lg_);
    // An edid that is a folder, a dangling link, and a pipe that would block
    // a reader forever.
    const fs::path folder = tree.AddConnector("card0-DP-2", {});
    fs::remove(folder / "edid");
    fs::create_directory(folder / "edid");
    const fs::path dangling = tree.AddConnector("card0-DP-3", {});
    fs::remove(dangling / "edid");
    fs::create_symlink(tree.Root() / "nowhere", dangling / "edid");
    const fs::path pipe = tree.AddConnector("card0-DP-4", {});
    fs::remove(pipe / "edid");
    ASSERT_EQ(::mkfifo((pipe / "edid").c_str(), 0600), 0);
    // A status that is a folder reads as not connected.
    const fs::path oddStatus = tree.AddConnector("card0-DP-5", acer_);
    fs::remove(oddStatus / "status");
    fs::create_directory(oddStatus / "status");
    // Not connectors: a file named like one, and a name whose backslash
    // would split the walk's paths.
    std::ofstream(tree.Root() / "card0-DP-6") << "a file";
    tree.AddConnector("card0-DP\\7", lg_);
    DrmMonitorStore store(tree.Root());

    EXPECT_EQ(store.EnumKeys("DRM\\card0"), (std::vector<std::string>{"card0-DP-1", "card0-DP-5"}));
    EXPECT_EQ(BuildDisplayList(store, false),
              (std::vector<std::string>{"LG TV (card0-DP-1) ; LG Electronics Inc. (GoldStar Technology, Inc.) | -1",
                                        "GN246HL (card0-DP-5) ; ACR | 0"}));
}
#endif

TEST_F(DrmStore, NoDRMAtAllIsAnEmptyList)
{
    for (const fs::path& root : {fs::path("/nonexistent/tessarin/drm"), fs::path(kData / "README.md")}) {
        DrmMonitorStore store(root);
        EXPECT_TRUE(BuildDisplayList(store, false).empty());
        EXPECT_TRUE(GetMonitorEDID(store, 0).empty());
    }
    FakeDrmTree tree("nothing-attached");
    tree.AddConnector("card0-HDMI-A-1", {}, "disconnected");
    DrmMonitorStore store(tree.Root());
    EXPECT_TRUE(BuildDisplayList(store, false).empty());
}

TEST_F(DrmStore, PathsOutsideTheTreeFindNothing)
{
    FakeDrmTree tree("paths");
    tree.AddConnector("card0-DP-1", lg_);
    DrmMonitorStore store(tree.Root());

    EXPECT_TRUE(store.EnumKeys("DRM\\card1\\card0-DP-1").empty());
    EXPECT_FALSE(store.ReadString("DRM\\card0\\..\\card0-DP-1", "DeviceDesc"));
    EXPECT_FALSE(store.ReadString("DRM\\card0\\card0-DP-1\\..\\..\\card0-DP-1", "DeviceDesc"));
    EXPECT_FALSE(store.ReadBinary("DRM\\card0\\card0-DP-1", "EDID"));
    EXPECT_FALSE(store.ReadBinary("DRM\\card0\\card0-DP-2\\Device Parameters", "EDID"));
}

TEST(NaturalOrder, NumbersCompareByValue)
{
    std::vector<std::string> names = {"card0-DP-10", "card10-DP-1", "card0-eDP-1", "card0-DP-2", "card2-DP-1",
                                      "card0-DP-1", "card0-DP-02", "card0-HDMI-A-1", "card0-DP", "card0-HDMI-1"};
    std::sort(names.begin(), names.end(), NaturalLess);
    EXPECT_EQ(names, (std::vector<std::string>{"card0-DP", "card0-DP-1", "card0-DP-02", "card0-DP-2", "card0-DP-10",
                                               "card0-eDP-1", "card0-HDMI-1", "card0-HDMI-A-1", "card2-DP-1",
                                               "card10-DP-1"}));
}

} // namespace
} // namespace tessarin
