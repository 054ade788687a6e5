// Each layout's fixture, made by the program that writes the layout, reads
// back to the bytes of the EDID it was made from.
#include "edid_input.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include "test_files.h"

namespace tessarin {
namespace {

namespace fs = std::filesystem;
using test::ReadText;
const fs::path kData = TESSARIN_TEST_DATA;

std::vector<std::uint8_t> Bytes(const std::string& name)
{
    const std::string text = ReadText(kData / (name + ".bin"));
    return {text.begin(), text.end()};
}

struct Expected {
    std::string edid; // tests/data/<edid>.bin
    std::string name;
};

struct LayoutCase {
    const char* fixture; // in tests/data/layouts
    const char* layout;
    std::vector<Expected> edids;
};

const std::string kKey = "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Enum\\DISPLAY\\";

TEST(EdidLayouts, EveryFixtureReadsBackToItsEdids)
{
    const std::vector<LayoutCase> cases = {
        {"edid", "raw binary", {{"ADI-6060E8A29762", ""}}},
        {"GSM-7045A2DA2452.edd", ".edd", {{"GSM-7045A2DA2452", ""}}},
        {"AOC-1C42FD9DA200.xxd", "hex text", {{"AOC-1C42FD9DA200", ""}}},
        {"CPQ-227CE6ADB604.xxd-plain", "hex text", {{"CPQ-227CE6ADB604", ""}}},
        {"ACB-690FBA877DE8.hexdump", "hex text", {{"ACB-690FBA877DE8", ""}}},
        {"ACI-0E85B97CA749.od", "hex text", {{"ACI-0E85B97CA749", ""}}},
        {"ACI-0E85B97CA749.od-octal", "hex text", {{"ACI-0E85B97CA749", ""}}},
        {"SNY-edid-decode-sony-kd55xd-hdmi.edid-decode", "hex text", {{"SNY-edid-decode-sony-kd55xd-hdmi", ""}}},
        {"APP-edid-decode-apple-cinemahd-30-dvi.hw-probe", "hex text",
         {{"APP-edid-decode-apple-cinemahd-30-dvi", ""}}},
        {"GSM-SAM.xrandr-verbose", "xrandr output", {{"GSM-7045A2DA2452", "HDMI-1"}, {"SAM-0D66531D4F35", "DP-1"}}},
        {"CAS-64E414E43522.xrandr-props", "xrandr output", {{"CAS-64E414E43522", "VGA-1"}}},
        {"DWE-BA7CED78EA62.c", "C array", {{"DWE-BA7CED78EA62", "dwe_edid"}}},
        {"AYN-F8A24EFB9FD3.b64", "base64", {{"AYN-F8A24EFB9FD3", ""}}},
        {"ACR-D14980399AEF.reg", "Windows .reg export",
         {{"ACR-D14980399AEF", kKey + "ACR02F9\\5&2b0c6e0&0&UID4352\\Device Parameters"}}},
        {"CPQ-ADI.utf8.reg", "Windows .reg export",
         {{"CPQ-227CE6ADB604", kKey + "CPQ1421\\4&1a2b3c4d&0&12345678&00&02\\Device Parameters"},
          {"ADI-6060E8A29762", kKey + "ADI1D58\\5&3c1f2a9&0&UID256\\Device Parameters"}}},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.fixture);
        const EdidInput input = ReadEdidFile((kData / "layouts" / c.fixture).string());
        ASSERT_EQ(input.error, "");
        EXPECT_EQ(input.layout, c.layout);
        ASSERT_EQ(input.edids.size(), c.edids.size());
        for (std::size_t i = 0; i < c.edids.size(); ++i) {
            std::vector<std::uint8_t> expected = Bytes(c.edids[i].edid);
            if (input.layout == ".edd") // the table always holds 256 bytes
                expected.resize(256, 0);
            EXPECT_EQ(input.edids[i].bytes, expected) << c.edids[i].edid;
            EXPECT_EQ(input.edids[i].name, c.edids[i].name);
        }
    }

    // A UTF-16 export cut right after its last value, without the line ends
    // regedit writes, still gives every byte.
    std::string cut = ReadText(kData / "layouts" / "ACR-D14980399AEF.reg");
    cut.resize(cut.size() - 8);
    const EdidInput unterminated = ReadEdidData(cut);
    ASSERT_EQ(unterminated.edids.size(), 1u);
    EXPECT_EQ(unterminated.edids[0].bytes, Bytes("ACR-D14980399AEF"));
}

TEST(EdidLayouts, TextWithoutAnEdidIsRefusedNamingTheLayoutsTried)
{
    // Random bytes, UTF-16 prose, an ".edd" file without its table, and hex
    // that does not start with the header.
    for (const std::string& text : {std::string("\x94\x13\x00\x7f\xe2 junk", 10), std::string("\xFF\xFEh\0i\0", 6),
                                   std::string("EDID DATA\r\n\r\nPixelClock = 148.5\r\n"),
                                   std::string("01 02 03 04 05 06 07 08 09 0a\n")}) {
        const EdidInput input = ReadEdidData(text);
        EXPECT_TRUE(input.edids.empty());
        EXPECT_EQ(input.error, kLayoutsTried) << text;
    }
}

TEST(EdidLayouts, DumpsSplitAtEachHeaderAndPickFindsThemByNumberOrName)
{
    const std::string a = ReadText(kData / "CPQ-227CE6ADB604.bin");
    const std::string b = ReadText(kData / "GSM-7045A2DA2452.bin");
    std::ostringstream hex;
    static constexpr char kDigits[] = "0123456789abcdef";
    for (const std::string& edid : {a, b}) // one EDID a line, bytes apart
        for (std::size_t i = 0; i < edid.size(); ++i)
            hex << kDigits[static_cast<unsigned char>(edid[i]) >> 4] << kDigits[edid[i] & 0xF]
                << (i + 1 == edid.size() ? '\n' : ' ');
    const EdidInput both = ReadEdidData(hex.str());
    ASSERT_EQ(both.edids.size(), 2u);
    EXPECT_EQ(both.edids[0].bytes.size(), 128u);
    EXPECT_EQ(both.edids[1].bytes.size(), 256u);

    const EdidInput xrandr = ReadEdidFile((kData / "layouts" / "GSM-SAM.xrandr-verbose").string());
    std::string error;
    EXPECT_EQ(PickEdid(xrandr, "2", error), 1u);
    EXPECT_EQ(PickEdid(xrandr, "DP-1", error), 1u);
    EXPECT_EQ(PickEdid(xrandr, "hdmi", error), 0u);
    EXPECT_EQ(PickEdid(xrandr, "3", error), std::nullopt);
    EXPECT_EQ(error, "--pick 3: the input holds 2 EDIDs");
    EXPECT_EQ(PickEdid(xrandr, "-", error), std::nullopt); // in both names
    EXPECT_EQ(PickEdid(xrandr, "VGA", error), std::nullopt);
    EXPECT_EQ(error, "--pick VGA: no EDID of that name (HDMI-1, DP-1)");
}

} // namespace
} // namespace tessarin
