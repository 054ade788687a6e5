// DisplayID data blocks read from their bytes, copied out of archive EDIDs
// (named per row) and held against what edid-decode prints for them.
#include "displayid_blocks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <variant>
#include <vector>

namespace tessarin {
namespace {

using complete::FieldValue;
using complete::Section;

std::vector<std::uint8_t> FromHex(const std::string& hex)
{
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(static_cast<std::uint8_t>(std::stoul(hex.substr(i, 2), nullptr, 16)));
    return bytes;
}

struct Expect {
    int child; // -1: the block itself
    const char* key;
    FieldValue value;
};

struct Case {
    const char* name;
    const char* hex;
    std::size_t children;
    std::vector<Expect> fields;
    std::vector<const char*> absent = {}; // fields of the block itself that must not be written
};

const std::vector<Case>& Cases()
{
    static const std::vector<Case> cases = {
        // VXN-FB0CC146668A
        {"product_v2", "20000c848a592114b0d48719102200", 0,
         {{-1, "oui", std::string("84-8A-59")},
          {-1, "product_code", std::int64_t{5153}},
          {-1, "serial_number", std::int64_t{428332208}},
          {-1, "year_of_manufacture", std::int64_t{2034}},
          {-1, "week_of_manufacture", std::int64_t{16}}}},
        // SHP-CF527A3E28FE: a name, no serial number.
        {"product_v2_name", "2000138c52198f15000000002e17074c513133345a31", 0,
         {{-1, "product_code", std::int64_t{5519}}, {-1, "product_id", std::string("LQ134Z1")}}},
        // Model year 2010 rather than a year of manufacture.
        {"product_v1_model_year", "00000c" "207e41" "341200000000ff0a00", 0,
         {{-1, "vendor_id", std::string(" ~A")},
          {-1, "product_code", std::int64_t{0x1234}},
          {-1, "model_year", std::int64_t{2010}}}},
        // XMI-EEFC8DA00B86: bit 0 of the first byte is DMT ID 1.
        {"dmt_bitmap", "07000a08810008040004021000", 8,
         {{0, "dmt_id", std::int64_t{0x04}},
          {1, "dmt_id", std::int64_t{0x09}},
          {3, "width_px", std::int64_t{1280}},
          {3, "height_px", std::int64_t{800}},
          {7, "dmt_id", std::int64_t{0x45}}}},
        // VXN-FB0CC146668A: its base block also says 10 bits per primary.
        {"display_parameters_v2", "21001db80bd007300c200800e4ca51d803b728c20c0045544062ee6319202378", 0,
         {{-1, "image_width_mm", 300.0},
          {-1, "native_width_px", std::int64_t{3120}},
          {-1, "native_height_px", std::int64_t{2080}},
          {-1, "primary_1_x", 2788 / 4096.0},
          {-1, "primary_1_y", 1308 / 4096.0},
          {-1, "white_y", 1348 / 4096.0},
          {-1, "max_luminance_full_cd_m2", 800.0},
          {-1, "max_luminance_10_percent_cd_m2", 1015.0},
          {-1, "native_color_depth", std::string("10 bits")},
          {-1, "device_technology", std::string("Organic LED")},
          {-1, "gamma", 2.2}}},
        // Every field its own value: sizes in whole millimetres, the first
        // luminance "not given" (0x8000), revision 1 with the dark theme bit.
        {"display_parameters_v2_fields",
         "21811d" "58025101000f7008cd" "813a54b2c4a167520f014554" "00804" "05a662e" "9478", 0,
         {{-1, "image_width_mm", 600.0},
          {-1, "image_height_mm", 337.0},
          {-1, "native_height_px", std::int64_t{2160}},
          {-1, "scan_orientation", std::string("Left to right, bottom to top")},
          {-1, "luminance_information", std::string("Guidance for the source")},
          {-1, "cie_coordinates", std::string("CIE 1976")},
          {-1, "integrated_speakers", false},
          {-1, "primary_1_x", 2689 / 4096.0},
          {-1, "primary_1_y", 1347 / 4096.0},
          {-1, "primary_2_x", 1202 / 4096.0},
          {-1, "primary_2_y", 2588 / 4096.0},
          {-1, "primary_3_x", 615 / 4096.0},
          {-1, "primary_3_y", 245 / 4096.0},
          {-1, "white_x", 1281 / 4096.0},
          {-1, "white_y", 1348 / 4096.0},
          {-1, "max_luminance_10_percent_cd_m2", 200.0},
          {-1, "min_luminance_cd_m2", 0.1},
          {-1, "native_color_depth", std::string("12 bits")},
          {-1, "device_technology", std::string("Active-matrix LCD")},
          {-1, "dark_theme_preferred", true},
          {-1, "gamma", 2.2}},
         {"max_luminance_full_cd_m2", "further_bytes"}},
        // VXN-FB0CC146668A: 3120x2080 at 120 Hz, blanking 130 and 80.
        {"type_vii_timing", "2200149fda0c882f0c810007001f001f084f0021000700", 1,
         {{0, "pixel_clock_mhz", 842.4},
          {0, "width_px", std::int64_t{3120}},
          {0, "height_px", std::int64_t{2080}},
          {0, "horizontal_blank_px", std::int64_t{130}},
          {0, "horizontal_offset_px", std::int64_t{8}},
          {0, "horizontal_sync_px", std::int64_t{32}},
          {0, "vertical_blank_lines", std::int64_t{80}},
          {0, "vertical_offset_lines", std::int64_t{34}},
          {0, "vertical_sync_lines", std::int64_t{8}},
          {0, "refresh_rate_hz", 120.0},
          {0, "preferred", true}}},
        // SAM-96496396EB8F (its first timing): type I counts the clock in 10 kHz.
        {"type_i_timing", "030114" "f70b01803f0b4f0007001f003f06ce03c4030500", 1,
         {{0, "pixel_clock_mhz", 686.0},
          {0, "width_px", std::int64_t{2880}},
          {0, "vertical_offset_lines", std::int64_t{965}},
          {0, "preferred", true}}},
        // WAM-863F88C08BB9, which the library refuses.
        {"display_parameters_v1", "01030c8017490d000f700800784d00", 0,
         {{-1, "image_width_mm", 601.6},
          {-1, "image_height_mm", 340.1},
          {-1, "native_height_px", std::int64_t{2160}},
          {-1, "native_width_px", std::int64_t{3840}},
          {-1, "gamma", 2.2},
          {-1, "aspect_ratio", 1.77},
          {-1, "bits_per_color_native", std::int64_t{1}}}},
        // SHP-CF527A3E28FE: revision 1 widens the maximum rate.
        {"dynamic_range", "250109d96f08d96f081e7880", 0,
         {{-1, "min_pixel_clock_mhz", 552.922},
          {-1, "max_pixel_clock_mhz", 552.922},
          {-1, "min_refresh_rate_hz", std::int64_t{30}},
          {-1, "max_refresh_rate_hz", std::int64_t{120}},
          {-1, "seamless_dynamic_timing", true}}},
        // VXN-FB0CC146668A
        {"interface_features", "260009070703000000500000", 0,
         {{-1, "rgb_bpc", std::string("6, 8, 10")},
          {-1, "ycbcr422_bpc", std::string("8, 10")},
          {-1, "ycbcr420_bpc", std::string("None")},
          {-1, "color_space_eotf", std::string("DCI-P3, BT.2020/SMPTE ST 2084")}}},
        // Every byte its own value, and two further colour space and EOTF pairs.
        {"interface_features_fields", "26000b" "3f051f0104a0410002" "6869", 0,
         {{-1, "rgb_bpc", std::string("6, 8, 10, 12, 14, 16")},
          {-1, "ycbcr444_bpc", std::string("6, 10")},
          {-1, "ycbcr422_bpc", std::string("8, 10, 12, 14, 16")},
          {-1, "ycbcr420_bpc", std::string("8")},
          {-1, "ycbcr420_min_pixel_rate_mhz", 297.0},
          {-1, "audio_rates_khz", std::string("32, 48")},
          {-1, "color_space_eotf", std::string("sRGB, BT.2020/SMPTE ST 2084")},
          {-1, "additional_color_space_eotf", std::string("BT.2020/SMPTE ST 2084, BT.2020/Hybrid log-gamma")}},
         {"color_space_eotf_2", "further_bytes"}},
        // APP-7791A79DE7B8
        {"container_id", "290010" "6137cf3ef87e4fcda1cf41283a5a8240", 0,
         {{-1, "container_id", std::string("6137cf3e-f87e-4fcd-a1cf-41283a5a8240")}}},
        // ACR-0E19C16BAA99: interface type and link count share a byte.
        {"display_interface", "0f000aa4140e0e070120450000", 0,
         {{-1, "interface_type", std::string("DisplayPort")},
          {-1, "links", std::int64_t{4}},
          {-1, "interface_version", std::string("1.4")},
          {-1, "rgb_bpc", std::string("8, 10, 12")},
          {-1, "ycbcr422_bpc", std::string("8, 10, 12")},
          {-1, "content_protection", std::string("HDCP 2.0")},
          {-1, "spread_spectrum", std::string("Down spread 0.5%")}}},
        // ACR-0E19C16BAA99: three primaries and one white point.
        {"color_characteristics", "02010d31fa3a4e2c23b45d020d014554", 4,
         {{-1, "cie_coordinates", std::string("CIE 1931 (x, y)")},
          {0, "x", 2810 / 4096.0},
          {0, "y", 1251 / 4096.0},
          {2, "y", 208 / 4096.0},
          {3, "x", 1281 / 4096.0},
          {3, "number", std::int64_t{0}}}},
        // SHP-1126849FD47B: two ranges of six bytes.
        {"adaptive_sync", "2b000c27003ca400002700303b0000", 2,
         {{0, "native_panel_range", true},
          {0, "seamless_transition", true},
          {0, "min_refresh_rate_hz", std::int64_t{60}},
          {0, "max_refresh_rate_hz", std::int64_t{165}},
          {1, "min_refresh_rate_hz", std::int64_t{48}},
          {1, "max_refresh_rate_hz", std::int64_t{60}}}},
        // The maximum rate's two high bits, the average V-total and the
        // duration steps of a quarter millisecond.
        {"adaptive_sync_fields", "2b0006" "040a302b0106", 1,
         {{0, "average_vtotal", std::string("Fixed, and adaptive V-total")},
          {0, "max_duration_increase_ms", 2.5},
          {0, "max_duration_decrease_ms", 1.5},
          {0, "min_refresh_rate_hz", std::int64_t{48}},
          {0, "max_refresh_rate_hz", std::int64_t{300}}}},
    };
    return cases;
}

class DisplayIdBlocks : public testing::TestWithParam<Case> {};

TEST_P(DisplayIdBlocks, DecodesAsEdidDecodeDoes)
{
    const Case& c = GetParam();
    Section s;
    ASSERT_TRUE(complete::DecodeDisplayIdDataBlock(FromHex(c.hex), complete::FieldWriter(), s));
    ASSERT_EQ(s.children.size(), c.children);
    for (const Expect& e : c.fields) {
        const Section& part = e.child < 0 ? s : s.children[static_cast<std::size_t>(e.child)];
        const auto f =
            std::find_if(part.fields.begin(), part.fields.end(), [&](const auto& x) { return x.key == e.key; });
        ASSERT_NE(f, part.fields.end()) << e.key;
        if (std::holds_alternative<double>(e.value))
            EXPECT_NEAR(std::get<double>(f->value), std::get<double>(e.value), 1e-3) << e.key;
        else
            EXPECT_EQ(f->value, e.value) << e.key;
    }
    for (const char* key : c.absent)
        EXPECT_TRUE(std::none_of(s.fields.begin(), s.fields.end(), [&](const auto& x) { return x.key == key; }))
            << key;
}

INSTANTIATE_TEST_SUITE_P(Archive, DisplayIdBlocks, testing::ValuesIn(Cases()),
                         [](const testing::TestParamInfo<Case>& row) { return std::string(row.param.name); });

// A block shorter than its tag promises is left to the caller, untouched;
// an unknown tag too.
TEST(DisplayIdBlocksRefused, ShortOrUnknownBlocksAreNotRead)
{
    for (const char* hex : {"21000a0102030405060708090a", "22001300000000000000000000000000000000000000",
                            "2000050102030405", "7f0003010203",
                            // nine points counted, three given; an interface block one byte short
                            "02010d36fa3a4e2c23b45d020d014554", "0f0009a4140e0e0701204500",
                            // eight bytes where nine are due: a layout of its own (ACR-2EB3D5007499)
                            "26000807070303e07f0000"}) {
        Section s;
        EXPECT_FALSE(complete::DecodeDisplayIdDataBlock(FromHex(hex), complete::FieldWriter(), s)) << hex;
        EXPECT_TRUE(s.fields.empty() && s.children.empty()) << hex;
    }
}

// A vendor ID with a byte outside printable ASCII, below or above it, in any
// of its three places, is shown as hex.
TEST(DisplayIdProduct, UnprintableVendorIdsAreHex)
{
    for (std::size_t at = 3; at < 6; ++at) {
        for (const std::uint8_t bad : {std::uint8_t{0x1F}, std::uint8_t{0x7F}}) {
            std::vector<std::uint8_t> block = FromHex("00000c" "414243" "341200000000ff0a00");
            block[at] = bad;
            char hex[16];
            std::snprintf(hex, sizeof hex, "%02X-%02X-%02X", block[3], block[4], block[5]);
            Section s;
            ASSERT_TRUE(complete::DecodeDisplayIdDataBlock(block, complete::FieldWriter(), s));
            const auto f =
                std::find_if(s.fields.begin(), s.fields.end(), [](const auto& x) { return x.key == "vendor_id"; });
            ASSERT_NE(f, s.fields.end());
            EXPECT_EQ(f->value, FieldValue(std::string(hex))) << hex;
        }
    }
}

TEST(HalfFloat, NormalSubnormalAndSpecial)
{
    EXPECT_DOUBLE_EQ(complete::HalfToDouble(0x3C00), 1.0);
    EXPECT_DOUBLE_EQ(complete::HalfToDouble(0x5A40), 200.0);
    EXPECT_DOUBLE_EQ(complete::HalfToDouble(0x0001), std::ldexp(1.0, -24));
    EXPECT_TRUE(std::isnan(complete::HalfToDouble(0x7C00)));
}

} // namespace
} // namespace tessarin
