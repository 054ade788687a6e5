// tessarin-report without --drm-root reads the system's own monitor store:
// the DRM connectors on Linux, the registry's DISPLAY key on Windows (under
// wine in CI, where a fresh prefix holds a monitor without an EDID).
#include "monitor_load.h"
#include "monitor_walk.h"
#include "point_separator.h"
#include "report_tool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace tessarin {
namespace {

#ifdef _WIN32
const std::string kSystemStore = "HKLM\\SYSTEM\\CurrentControlSet\\Enum\\DISPLAY\\";
#else
const std::string kSystemStore = "/sys/class/drm";
#endif

struct Result {
    int status;
    std::string out;
    std::string err;
};

Result RunTool(std::vector<std::string> args)
{
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunReportTool(args, in, out, err);
    return {status, out.str(), err.str()};
}

TEST(SystemStore, TheToolListsAndReadsTheSystemsOwnMonitors)
{
    test::UsePointDecimalSeparator();
    const auto store = OpenSystemMonitorStore();
    const std::vector<std::string> list = BuildDisplayList(*store, false);

    const Result listed = RunTool({"--monitors"});
    EXPECT_EQ(listed.status, 0);
    std::string expected;
    for (std::size_t i = 0; i < list.size(); ++i)
        expected += std::to_string(i) + '\t' + list[i] + '\n';
    EXPECT_EQ(listed.out, expected);
    EXPECT_EQ(listed.err, list.empty() ? "tessarin-report: no monitor with an EDID under " + kSystemStore + "\n" : "");

    // Each monitor either reports or says why not; one past the end names
    // the store it counted in.
    for (std::size_t i = 0; i < std::min<std::size_t>(list.size(), 8); ++i) {
        const std::string index = std::to_string(i);
        const Result one = RunTool({"--monitor", index, "--format", "edd"});
        if (GetMonitorEDID(*store, static_cast<std::int16_t>(i)).empty()) {
            EXPECT_EQ(one.status, 1) << index;
            EXPECT_EQ(one.err, "tessarin-report: monitor " + index + ": its EDID cannot be read\n");
        } else {
            EXPECT_EQ(one.status, 0) << index;
            EXPECT_TRUE(one.out.starts_with("EDID DATA\r\n")) << index;
        }
    }
    const std::string past = std::to_string(list.size());
    const Result beyond = RunTool({"--monitor", past});
    EXPECT_EQ(beyond.status, 1);
    EXPECT_EQ(beyond.err,
              "tessarin-report: monitor " + past + ": no such monitor (" + past + " under " + kSystemStore + ")\n");
}

} // namespace
} // namespace tessarin
