// What the three report routines choose to show, on EDIDs made for the case.
#include "report_test_support.h"

#include <gtest/gtest.h>

namespace tessarin::test {
namespace {

std::size_t CountLines(const BuiltReport& r, std::string_view prefix)
{
    return static_cast<std::size_t>(std::count_if(r.lines.begin(), r.lines.end(),
                                                  [&](const std::string& l) { return l.starts_with(prefix); }));
}

// The lines of the section titled `title`, up to the next section title.
std::vector<std::string> Section(const BuiltReport& r, std::string_view title, int occurrence = 1)
{
    const std::string heading = std::string(title) + ":";
    std::vector<std::string> lines;
    auto it = r.lines.begin();
    for (int i = 0; i < occurrence && it != r.lines.end(); ++i)
        it = std::find(i == 0 ? it : it + 1, r.lines.end(), heading);
    if (it == r.lines.end())
        return lines;
    for (++it; it != r.lines.end() && !(it->ends_with(":") && !it->starts_with("\t")); ++it)
        if (!it->empty())
            lines.push_back(*it);
    return lines;
}

TEST(BaseReport, RealsUseTheGivenDecimalSeparator)
{
    BuiltReport r;
    Build(r, MakeEdid(), ',');
    EXPECT_TRUE(HasLine(r, "\tMax Display Size : \t24 Inches"));
    EXPECT_TRUE(HasLine(r, "\tRed : \tx = 0,64 - y = 0,33"));
    EXPECT_TRUE(HasLine(r, "\tDisplay Gamma : \t2,2"));
    EXPECT_TRUE(HasLine(r, "\tPixel Clock : \t148,5 Mhz"));
}

TEST(BaseReport, EmptyStandardTimingSectionAndPackedDetailedTimings)
{
    Edid e = MakeEdid();
    PutText(e, 2, 0xFC, {'N', 'a', 'm', 'e', 0x0A});
    Put(e, 90, {0x01, 0x1D, 0x00, 0x72}); // descriptor 3: a timing
    BuiltReport r;
    Build(r, e);
    EXPECT_TRUE(Section(r, "Standard Timing").empty());
    // Descriptor 3 is packed into slot 2 and numbered by its slot.
    EXPECT_EQ(CountLines(r, "Detailed Timing #"), 1u);
    EXPECT_EQ(Section(r, "Detailed Timing #2").at(0), "\tPixel Clock : \t74.25 Mhz");
    EXPECT_EQ(Section(r, "Detailed Timing #2").size(), 17u);
}

TEST(BaseReport, WithoutCeaExtensionTheReportEndsAfterTheRawDump)
{
    for (const std::uint8_t tag : {std::uint8_t{0x00}, std::uint8_t{0x40}, std::uint8_t{0x10}}) {
        Edid e = MakeEdid();
        e[126] = 1;
        e[128] = tag;
        BuiltReport r;
        Build(r, e);
        ASSERT_GE(r.lines.size(), 10u);
        EXPECT_TRUE(r.lines[r.lines.size() - 10].starts_with("0x70\t")) << int{tag};
        EXPECT_EQ(CountLines(r, "0x"), 8u);
        EXPECT_EQ(r.tree.Find("RCEA"), nullptr);
    }
}

TEST(BaseReport, HostileMonitorTextsCannotBreakTheDocument)
{
    Edid e = MakeEdid();
    PutText(e, 2, 0xFC, {'{', '\\', 'p', 'a', 'r', '}', 0xE9, 0x0D, 0x80, 0x81, 'x', 0x09, 'y'});
    PutText(e, 3, 0xFF, {'}', '}', '}', '\\', '\'', '4', '1', '{', '\\', '*', 0x0C, 0x7F, 0xB0});
    Put(e, 8, {0x73, 0x9C}); // maker letters "\\\" (code 28 three times)
    BuiltReport hostile;
    Build(hostile, e);
    BuiltReport plain;
    Build(plain, MakeEdid());

    EXPECT_NE(hostile.rtf.find(R"(\{\\par\}\'e9?\'80?x?y)"), std::string::npos);
    EXPECT_NE(hostile.rtf.find(R"(\}\}\}\\'41\{\\*??\'b0)"), std::string::npos);
    EXPECT_TRUE(HasLine(hostile, "\tMonitor Name : \t{\\par}\u00E9?\u20AC?x?y"));
    EXPECT_TRUE(HasLine(hostile, "\tMonitor Serial Number : \t}}}\\'41{\\*??\u00B0"));
    EXPECT_TRUE(HasLine(hostile, "\tManufacturer Name : \t\\\\\\"));
    // Same lines, same sections and tags as a harmless report.
    EXPECT_EQ(hostile.lines.size(), plain.lines.size());
    ASSERT_EQ(hostile.tree.Nodes().size(), plain.tree.Nodes().size());
    for (std::size_t i = 0; i < plain.tree.Nodes().size(); ++i)
        EXPECT_EQ(hostile.tree.Nodes()[i].key, plain.tree.Nodes()[i].key);
    // The document is one group, closed by its last byte only.
    int depth = 0;
    for (std::size_t i = 0; i < hostile.rtf.size(); ++i) {
        const char c = hostile.rtf[i];
        if (c == '\\') {
            ++i;
        } else if (c == '{') {
            ++depth;
        } else if (c == '}' && --depth == 0) {
            EXPECT_EQ(i, hostile.rtf.size() - 1);
        }
    }
    EXPECT_EQ(depth, 0);
}

TEST(CeaReport, EmptyExtensionWritesItsFixedSections)
{
    Edid e = MakeEdid();
    PutCea(e, {}, 4);
    BuiltReport r;
    Build(r, e);
    std::vector<std::string> titles;
    for (const auto& node : r.tree.Nodes())
        if (node.parentKey == "RCEA")
            titles.push_back(node.text);
    const std::vector<std::string> expected = {"Information", "DTV Monitor Support", "Video Short Description",
                                               "Vendor Specific Data Block (VSDB)", "RAW Data"};
    EXPECT_EQ(titles, expected);
    EXPECT_EQ(Section(r, "Video Short Description"), std::vector<std::string>{"\tVideo Formats :\t"});
    // Without a vendor block: empty texts, flags false, clock 0.
    EXPECT_TRUE(HasLine(r, "\t24-bit IEEE Registration Indentifier :\t"));
    EXPECT_TRUE(HasLine(r, "\tMax TMDS_Clock :\t0 Mhz"));
    EXPECT_TRUE(r.lines[r.lines.size() - 10].starts_with("0xF0\t"));
}

TEST(CeaReport, VideoFormatsAndExtensionTimings)
{
    Edid e = MakeEdid();
    PutCea(e, {0x43, 0x90, 0x04, 0x3B}, 8);
    Put(e, 136, {0x02, 0x3A, 0x80, 0x18}); // two timings from extension byte 8
    Put(e, 154, {0x01, 0x1D, 0x00, 0x72});
    BuiltReport r;
    Build(r, e);
    const std::vector<std::string> formats = {"\tVideo Formats :\t", "\t\t1920x1080p @ 59.94/60Hz (Native)",
                                              "\t\t1280x720p @ 59.94/60Hz", "\t\tError"};
    EXPECT_EQ(Section(r, "Video Short Description"), formats);
    ASSERT_NE(r.tree.Find("RCEA"), nullptr);
    int extensionTimings = 0;
    for (const auto& node : r.tree.Nodes())
        if (node.parentKey == "RCEA" && node.text.starts_with("Detailed Timing #")) {
            EXPECT_EQ(node.text, "Detailed Timing #" + std::to_string(++extensionTimings));
        }
    EXPECT_EQ(extensionTimings, 2);
    EXPECT_EQ(Section(r, "Detailed Timing #2").at(0), "\tPixel Clock : \t74.25 Mhz");
}

// An HDMI vendor block with the given byte P (3D flags) and video codes.
BuiltReport Hdmi3D(std::initializer_list<std::uint8_t> vics, std::uint8_t flags)
{
    Edid e = MakeEdid();
    std::vector<std::uint8_t> blocks{static_cast<std::uint8_t>(0x40 | vics.size())};
    blocks.insert(blocks.end(), vics);
    const std::uint8_t vsdb[] = {0x6C, 0x03, 0x0C, 0x00, 0x10, 0x00, 0x80, 0x2D, 0x20, flags, 0x00, 0x41, 0x41};
    blocks.insert(blocks.end(), std::begin(vsdb), std::end(vsdb));
    e[126] = 1;
    Put(e, 128, {0x02, 0x03, static_cast<std::uint8_t>(4 + blocks.size()), 0x00});
    std::copy(blocks.begin(), blocks.end(), e.begin() + 132);
    BuiltReport r;
    Build(r, e);
    return r;
}

TEST(CeaReport, MandatoryThreeDListFollowsTheVideoRates)
{
    const auto list = [](const BuiltReport& r) {
        std::vector<std::string> lines = Section(r, "HDMI 3D Data");
        auto mandatory = std::find(lines.begin(), lines.end(), "\tMandatory 3D Format :\t");
        return mandatory == lines.end() ? std::vector<std::string>{"<none>"}
                                        : std::vector<std::string>(mandatory + 1, lines.end());
    };
    const auto fifty = list(Hdmi3D({31}, 0x80));
    ASSERT_EQ(fifty.size(), 5u);
    EXPECT_EQ(fifty[0], "\t\t1920x1080p @23.98 / 24Hz Frame packing");
    const auto sixty = list(Hdmi3D({16}, 0x80));
    ASSERT_EQ(sixty.size(), 5u);
    EXPECT_EQ(sixty[0], "\t\t1920x1080p @23.98/24Hz Frame packing");
    const auto both = list(Hdmi3D({16, 31}, 0x80));
    ASSERT_EQ(both.size(), 8u);
    EXPECT_EQ(both[7], "\t\t1280x720p @50Hz Top-and-Bottom");
    EXPECT_TRUE(list(Hdmi3D({32}, 0x80)).empty());

    // 3D_Multi_present only: the section's four lines and no mandatory list.
    const BuiltReport multi = Hdmi3D({16}, 0x20);
    EXPECT_EQ(Section(multi, "HDMI 3D Data").size(), 4u);
    EXPECT_EQ(list(multi), std::vector<std::string>{"<none>"});
    EXPECT_TRUE(Section(Hdmi3D({16}, 0x00), "HDMI 3D Data").empty());
    EXPECT_TRUE(HasLine(multi, "\t24-bit IEEE Registration Indentifier :\t0xC03 (HDMI)"));
    EXPECT_TRUE(HasLine(multi, "\tMax TMDS_Clock :\t225 Mhz"));
}

TEST(CeaReport, ValueBeyondTheBlockLeavesOnlyItsOwnLineOut)
{
    // A vendor block whose header sits at extension byte 124 with a length
    // reaching past byte 127: its identifier reads, the later fields throw.
    Edid e = MakeEdid();
    e[126] = 1;
    Put(e, 128, {0x02, 0x03, 127, 0x00});
    Put(e, 132, {0x1F}); // filler blocks, tag 0, chaining 4 -> 36 -> 68 -> 100 -> 124
    Put(e, 164, {0x1F});
    Put(e, 196, {0x1F});
    Put(e, 228, {0x17});
    Put(e, 252, {0x6A, 0x03, 0x0C, 0x00});
    BuiltReport r;
    Build(r, e);
    const std::vector<std::string> vsdb = {"\t24-bit IEEE Registration Indentifier :\t0xC03 (HDMI)"};
    EXPECT_EQ(Section(r, "Vendor Specific Data Block (VSDB)"), vsdb);
    EXPECT_TRUE(Section(r, "HDMI 3D Data").empty());
    EXPECT_EQ(Section(r, "RAW Data", 2).size(), 8u); // the report goes on
}

} // namespace
} // namespace tessarin::test
