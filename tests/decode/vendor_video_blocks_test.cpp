// The vendor-specific video and audio blocks, Microsoft's vendor block and
// the extension override,
// read from blocks copied out of archive EDIDs (named per row) and held
// against what edid-decode prints for them.
#include "vendor_blocks.h"
#include "vendor_video_blocks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <variant>
#include <vector>

namespace tessarin {
namespace {

using complete::FieldValue;
using complete::Section;

using Decoder = Section (*)(std::span<const std::uint8_t>, const complete::FieldWriter&);

struct Expect {
    const char* key;
    FieldValue value;
};

struct Case {
    const char* name;
    Decoder decode;
    std::vector<std::uint8_t> block;
    const char* sectionKey;
    bool bytesOnly;
    std::vector<Expect> fields;
};

const std::vector<Case>& Cases()
{
    using complete::DecodeVendorSpecificAudioDataBlock;
    using complete::DecodeVendorSpecificVideoDataBlock;
    static const std::vector<Case> cases = {
        // VIZ-EF3F4491685D: 12-bit chromaticities and PQ codes split over nibbles.
        {"dolby_v0", DecodeVendorSpecificVideoDataBlock,
         {0xF9, 0x01, 0x46, 0xD0, 0x00, 0x00, 0x34, 0xAD, 0x4E, 0xE6, 0x41, 0xA8, 0x0B, 0x27,
          0x0C, 0x14, 0x50, 0x54, 0xCC, 0x07, 0xB5, 0x28, 0x00, 0x00, 0x00, 0x00},
         "vendor_specific_video_data_block_dolby", false,
         {{"version", std::int64_t{0}},
          {"dm_version", std::string("2.8")},
          {"target_min_pq_code", std::int64_t{124}},
          {"target_max_pq_code", std::int64_t{2908}},
          {"red_x", 2771 / 4096.0},
          {"red_y", 1252 / 4096.0},
          {"white_x", 1281 / 4096.0},
          {"white_y", 1348 / 4096.0}}},
        // VIZ-F4025D01B621: the short form, primaries packed into spare bits.
        {"dolby_v1_short", DecodeVendorSpecificVideoDataBlock,
         {0xEB, 0x01, 0x46, 0xD0, 0x00, 0x22, 0x0A, 0x39, 0x51, 0x59, 0x99, 0xAA},
         "vendor_specific_video_data_block_dolby", false,
         {{"version", std::int64_t{1}},
          {"supports_2160p60", true},
          {"ycbcr422_12bit", false},
          {"global_dimming", false},
          {"colorimetry", std::string("P3-D65")},
          {"interface", std::string("Standard and low latency")},
          {"target_max_luminance_cd_m2", 350.0},
          {"red_x", 0.70703125},
          {"red_y", 0.29296875},
          {"green_x", 0.171875},
          {"green_y", 0.796875},
          {"blue_x", 0.1328125},
          {"blue_y", 0.046875}}},
        // VES-827038FFB411: the long form, a byte per coordinate.
        {"dolby_v1_long", DecodeVendorSpecificVideoDataBlock,
         {0xEE, 0x01, 0x46, 0xD0, 0x00, 0x27, 0x0D, 0x3E, 0x00, 0xA5, 0x53, 0x4B, 0x96, 0x27, 0x0D},
         "vendor_specific_video_data_block_dolby", false,
         {{"ycbcr422_12bit", true},
          {"global_dimming", true},
          {"dm_version", std::string("3.x")},
          {"colorimetry", std::string("BT.709")},
          {"target_max_luminance_cd_m2", 400.0},
          {"red_x", 0.64453125},
          {"blue_y", 0.05078125}}},
        // XXX-F96C8500EAFF
        {"dolby_v2", DecodeVendorSpecificVideoDataBlock,
         {0xEB, 0x01, 0x46, 0xD0, 0x00, 0x44, 0x4F, 0x42, 0x8C, 0x50, 0x57, 0x8D},
         "vendor_specific_video_data_block_dolby", false,
         {{"version", std::int64_t{2}},
          {"backlight_control", false},
          {"global_dimming", true},
          {"backlight_min_luminance_cd_m2", std::int64_t{100}},
          {"interface", std::string("Standard and low latency")},
          {"bit_depth_444", std::string("Not supported")},
          {"target_min_pq_code", std::int64_t{180}},
          {"target_max_pq_code", std::int64_t{2575}},
          {"red_x", 0.6640625},
          {"red_y", 0.31640625},
          {"green_x", 0.2734375},
          {"green_y", 0.65625},
          {"blue_x", 0.15234375},
          {"blue_y", 0.05078125}}},
        // A version 2 block cut short: what is there is kept as bytes.
        {"dolby_v2_short", DecodeVendorSpecificVideoDataBlock,
         {0xE7, 0x01, 0x46, 0xD0, 0x00, 0x44, 0x4F}, "vendor_specific_video_data_block_dolby", true,
         {{"version", std::int64_t{2}}}},
        // SAM-FE59F53CE984: 0x79 is version 1, not 121.
        {"hdr10plus", DecodeVendorSpecificVideoDataBlock, {0xE5, 0x01, 0x8B, 0x84, 0x90, 0x79},
         "vendor_specific_video_data_block_hdr10plus", false,
         {{"oui", std::string("90-84-8B")},
          {"application_version", std::int64_t{1}},
          {"full_frame_peak_luminance_index", std::int64_t{2}},
          {"peak_luminance_index", std::int64_t{7}}}},
        {"video_other_company", DecodeVendorSpecificVideoDataBlock, {0xE6, 0x01, 0x02, 0x03, 0x04, 0x10, 0x11},
         "vendor_specific_video_data_block", true, {{"oui", std::string("04-03-02")}}},
        // XXX-F96C8500EAFF
        {"dolby_audio", DecodeVendorSpecificAudioDataBlock, {0xE6, 0x11, 0x46, 0xD0, 0x00, 0x70, 0x80},
         "vendor_specific_audio_data_block_dolby", false,
         {{"version", std::int64_t{1}},
          {"headphone_playback_only", false},
          {"height_speaker_zone", true},
          {"center_speaker_zone", true},
          {"mat_pcm_48khz_only", false}}},
        // SPT-9ECFD9F8241A
        {"audio_other_company", DecodeVendorSpecificAudioDataBlock, {0xE6, 0x11, 0x02, 0x03, 0x04, 0x10, 0x11},
         "vendor_specific_audio_data_block", true, {{"oui", std::string("04-03-02")}}},
        {"audio_without_oui", DecodeVendorSpecificAudioDataBlock, {0xE2, 0x11, 0x46},
         "vendor_specific_audio_data_block", true, {}},
        // SEC-851AE141FCD9: a headset's block, its container ID in byte order.
        {"microsoft", complete::DecodeVendorSpecificDataBlock,
         {0x75, 0x5C, 0x12, 0xCA, 0x01, 0x07, 0x25, 0x27, 0x10, 0x7B, 0x19,
          0xA4, 0x48, 0xD3, 0x94, 0x89, 0x0C, 0x3B, 0x53, 0xFF, 0xEA, 0xDB},
         "vendor_specific_data_block_microsoft", false,
         {{"version", std::int64_t{1}},
          {"primary_use_case", std::string("Virtual reality headset")},
          {"container_id", std::string("2527107b-19a4-48d3-9489-0c3b53ffeadb")}}},
        {"microsoft_short", complete::DecodeVendorSpecificDataBlock, {0x67, 0x5C, 0x12, 0xCA, 0x01, 0x07, 0x25, 0x27},
         "vendor_specific_data_block_microsoft", true, {{"oui", std::string("CA-12-5C")}}},
        // SAM-F87F1BF951E8
        {"extension_override", complete::DecodeHdmiForumExtensionOverride, {0xE2, 0x78, 0x03},
         "hdmi_forum_edid_extension_override_data_block", false, {{"extension_block_count", std::int64_t{3}}}},
    };
    return cases;
}

class VendorVideoBlocks : public testing::TestWithParam<Case> {};

TEST_P(VendorVideoBlocks, DecodesAsEdidDecodeDoes)
{
    const Case& c = GetParam();
    const Section s = c.decode(c.block, complete::FieldWriter());
    EXPECT_EQ(s.key, c.sectionKey);
    EXPECT_EQ(s.bytesOnly, c.bytesOnly);
    if (c.bytesOnly) {
        EXPECT_EQ(s.bytes, c.block);
    }
    for (const Expect& e : c.fields) {
        const auto f = std::find_if(s.fields.begin(), s.fields.end(), [&](const auto& x) { return x.key == e.key; });
        ASSERT_NE(f, s.fields.end()) << e.key;
        if (std::holds_alternative<double>(e.value))
            EXPECT_NEAR(std::get<double>(f->value), std::get<double>(e.value), 1e-9) << e.key;
        else
            EXPECT_EQ(f->value, e.value) << e.key;
    }
}

INSTANTIATE_TEST_SUITE_P(Archive, VendorVideoBlocks, testing::ValuesIn(Cases()),
                         [](const testing::TestParamInfo<Case>& row) { return std::string(row.param.name); });

// Both ends of the curve and edid-decode's values for the codes above.
TEST(PqCurve, MapsCodesToLuminance)
{
    EXPECT_DOUBLE_EQ(complete::PqCodeToLuminance(0), 0.0);
    EXPECT_NEAR(complete::PqCodeToLuminance(4095), 10000.0, 1e-6);
    EXPECT_NEAR(complete::PqCodeToLuminance(124), 0.02015421, 1e-8);
    EXPECT_NEAR(complete::PqCodeToLuminance(2908), 681.69, 0.01);
}

} // namespace
} // namespace tessarin
