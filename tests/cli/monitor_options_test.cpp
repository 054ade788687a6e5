// tessarin-report's --monitors, --monitor N and --drm-root over fake sysfs
// trees: the list a script reads, the report of one monitor, and what is
// refused.
#include "fake_drm_tree.h"
#include "point_separator.h"
#include "report_tool.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tessarin {
namespace {

namespace fs = std::filesystem;
using test::FakeDrmTree;
using test::ReadBytes;

const fs::path kData = TESSARIN_TEST_DATA;

class MonitorOptions : public ::testing::Test {
protected:
    MonitorOptions()
        : tree_(::testing::UnitTest::GetInstance()->current_test_info()->name())
    {
        test::UsePointDecimalSeparator();
    }

    // Two cards, as a laptop with a docking station shows them: the
    // connected, the disconnected, one without EDID, 128/256/512 bytes.
    void FillTree()
    {
        std::vector<std::uint8_t> long512 = ReadBytes(kData / "SAM-0D66531D4F35.bin");
        long512.resize(512, 0x77);
        tree_.AddConnector("card0-eDP-1", ReadBytes(kData / "ACR-D14980399AEF.bin"));
        tree_.AddConnector("card0-HDMI-A-1", {}, "disconnected");
        tree_.AddConnector("card0-DP-1", ReadBytes(kData / "GSM-7045A2DA2452.bin"), "disconnected");
        tree_.AddConnector("card1-DP-3", long512);
    }

    int Run(std::vector<std::string> args)
    {
        std::istringstream in;
        out_.str("");
        err_.str("");
        return RunReportTool(args, in, out_, err_);
    }

    std::string Root() const { return tree_.Root().string(); }

    FakeDrmTree tree_;
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(MonitorOptions, ListsEveryMonitorWithItsIndex)
{
    FillTree();
    EXPECT_EQ(Run({"--monitors", "--drm-root", Root()}), 0);
    EXPECT_EQ(out_.str(), "0\tLG TV (card0-DP-1) ; LG Electronics Inc. (GoldStar Technology, Inc.) | 0\n"
                          "1\tGN246HL (card0-eDP-1) ; ACR | -1\n"
                          "2\tSAMSUNG (card1-DP-3) ; Samsung | -1\n");
    EXPECT_EQ(err_.str(), "");
}

TEST_F(MonitorOptions, ReportsAMonitorLikeItsEDIDFile)
{
    FillTree();
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"0", "GSM-7045A2DA2452.bin"}, {"1", "ACR-D14980399AEF.bin"}, {"2", "SAM-0D66531D4F35.bin"}};
    for (const auto& [index, file] : cases) {
        ASSERT_EQ(Run({"--standard", "--format", "text", (kData / file).string()}), 0);
        const std::string fromFile = out_.str();
        EXPECT_EQ(Run({"--monitor", index, "--standard", "--format=text", "--drm-root=" + Root()}), 0) << err_.str();
        EXPECT_EQ(out_.str(), fromFile) << "monitor " << index;
    }
#ifdef TESSARIN_COMPLETE_DECODE
    // The complete decode takes every byte of the connector's 512: four blocks.
    ASSERT_EQ(Run({"--monitor", "2", "--format", "text", "--drm-root", Root()}), 0);
    EXPECT_NE(out_.str().find("Block 3 (Unknown Extension Block 0x77)"), std::string::npos);
#endif

    // To a file, in another format; no cache file is left anywhere near.
    const fs::path output = tree_.Root() / "report.edd";
    ASSERT_EQ(Run({"--monitor", "2", "--format", "edd", "--output", output.string(), "--drm-root", Root()}), 0);
    EXPECT_NE(ReadBytes(output).size(), 0u);
    EXPECT_EQ(out_.str(), "");
    for (const auto& entry : fs::recursive_directory_iterator(tree_.Root()))
        EXPECT_NE(entry.path().filename(), "data.vxr");
}

TEST_F(MonitorOptions, AMissingMonitorOrAMissingTreeIsSaidOnStandardError)
{
    FillTree();
    EXPECT_EQ(Run({"--monitor", "3", "--drm-root", Root()}), 1);
    EXPECT_EQ(out_.str(), "");
    EXPECT_EQ(err_.str(), "tessarin-report: monitor 3: no such monitor (3 under " + Root() + ")\n");

    const std::string nowhere = (tree_.Root() / "absent").string();
    EXPECT_EQ(Run({"--monitors", "--drm-root", nowhere}), 0);
    EXPECT_EQ(out_.str(), "");
    EXPECT_EQ(err_.str(), "tessarin-report: no monitor with an EDID under " + nowhere + "\n");
    EXPECT_EQ(Run({"--monitor", "0", "--drm-root", nowhere}), 1);
    EXPECT_EQ(out_.str(), "");
}

TEST_F(MonitorOptions, MisusedOptionsAreUsageErrors)
{
    const std::string bin = (kData / "GSM-7045A2DA2452.bin").string();
    const std::vector<std::vector<std::string>> cases = {
        {"--monitors", bin},
        {"--monitor", "0", bin},
        {"--monitors", "--monitor", "0"},
        {"--monitor", "-1"},
        {"--monitor", "x1"},
        {"--monitor", "32768"},
        {"--monitor", ""},
        {"--monitor"},
        {"--monitor", "0", "--monitor", "1"},
        {"--monitor", "0", "--output-dir", Root()},
        {"--monitors", "--format", "text"},
        {"--monitors", "--output", "list.txt"},
        {"--drm-root", Root(), bin},
        {"--monitors", "--drm-root"},
    };
    for (const auto& args : cases) {
        EXPECT_EQ(Run(args), 2) << ::testing::PrintToString(args);
        EXPECT_NE(err_.str().find("usage: tessarin-report"), std::string::npos);
        EXPECT_EQ(out_.str(), "");
    }
    EXPECT_EQ(Run({"--monitor", "32767", "--drm-root", Root()}), 1);
}

} // namespace
} // namespace tessarin
