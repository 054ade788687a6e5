// Whole extension blocks read from their bytes, copied out of archive EDIDs
// (named per row) and held against what edid-decode prints for them.
#include "display_information_extension.h"
#include "video_timing_extension.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <variant>
#include <vector>

namespace tessarin {
namespace {

using complete::FieldValue;
using complete::Section;

std::array<std::uint8_t, 128> Block(const std::string& hex)
{
    std::array<std::uint8_t, 128> bytes{};
    for (std::size_t i = 0; i + 1 < hex.size() && i / 2 < bytes.size(); i += 2)
        bytes[i / 2] = static_cast<std::uint8_t>(std::stoul(hex.substr(i, 2), nullptr, 16));
    return bytes;
}

struct Expect {
    std::vector<int> path; // child indices from the block's section
    const char* key;
    FieldValue value;
};

const FieldValue* Find(const Section& top, const Expect& e)
{
    const Section* s = &top;
    for (const int i : e.path) {
        if (static_cast<std::size_t>(i) >= s->children.size())
            return nullptr;
        s = &s->children[static_cast<std::size_t>(i)];
    }
    const auto f = std::find_if(s->fields.begin(), s->fields.end(), [&](const auto& x) { return x.key == e.key; });
    return f == s->fields.end() ? nullptr : &f->value;
}

void Check(const Section& s, const std::vector<Expect>& expects)
{
    for (const Expect& e : expects) {
        const FieldValue* v = Find(s, e);
        ASSERT_NE(v, nullptr) << e.key;
        if (std::holds_alternative<double>(e.value))
            EXPECT_NEAR(std::get<double>(*v), std::get<double>(e.value), 1e-3) << e.key;
        else
            EXPECT_EQ(*v, e.value) << e.key;
    }
}

// The rest of each block is zero up to its checksum.
constexpr const char* kDualLink = // APP-024A0CC227EF
    "40010300000000c84801a500a5000102031919a8000000000000400000";
constexpr const char* kSingleLink = // APP-0474C632C268: its device bytes sit one place late
    "400102000000007e2401a500ffff031a1aa801000000000040";
constexpr const char* kSun = // SUN-29C7B91FA466: every capability set, and a white curve of 45 entries
    "400102c0100209002419a500ffff0102031b1ba80c60b01d0820420101800000080808080808d0"
    "000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
    "6d00000000000101010203040507090c0f1215191d22272d343b42494f58626b747c858f9da7b2bbc2d1dbe9f1f8";
constexpr const char* kVideoTimings = // DLM-04963C21B2E3: two timings, three CVT codes, one standard timing
    "10010203014d2156a251001e3048883a0000000000001c730ad0b020e0141018403a0000000000001c1f10106714101b2410e1c0";

TEST(DisplayInformationExtension, DecodesAsEdidDecodeDoes)
{
    const std::vector<std::pair<const char*, std::vector<Expect>>> cases = {
        {kDualLink,
         {{{0}, "interface", std::string("DVI Dual Link - High Resolution")},
          {{0}, "data_enable_polarity", std::string("High")},
          {{0}, "shift_clock_edge", std::string("Not specified")},
          {{0}, "hdcp", true},
          {{0}, "data_format", std::string("48-Bit MSB-Aligned RGB (Dual Link - High Resolution)")},
          {{0}, "max_pixel_clock_per_link_mhz", std::int64_t{165}},
          {{0}, "crossover_frequency_mhz", std::int64_t{165}},
          {{1}, "subpixel_configuration", std::string("Stripe")},
          {{1}, "horizontal_pitch_mm", 0.25},
          {{1}, "view_direction", std::string("Direct")},
          {{1}, "physical_implementation", std::string("Desktop or personal display")},
          {{1}, "fixed_pixel_format", true},
          {{3}, "transfer_characteristics", std::string("None")}}},
        {kSingleLink,
         {{{0}, "data_enable_available", false},
          {{0}, "shift_clock_edge", std::string("Both edges")},
          {{0}, "double_clocking", true},
          {{0}, "packetized_video", true},
          {{0}, "crossover_frequency_mhz", std::string("None (single link)")},
          {{1}, "subpixel_layout", std::string("Quad Pixel - G at bottom left & top right")},
          {{1}, "subpixel_shape", std::string("Unknown (0x1A)")},
          {{1}, "horizontal_pitch_mm", 1.68},
          {{1}, "fixed_pixel_format", false}}},
        {kSun,
         {{{2}, "scaler_on_board", true},
          {{2}, "interlaced_video", false},
          {{2}, "frame_rate_conversion", std::string("Both converted to single frequencies")},
          {{2}, "vertical_frequency_hz", 76.0},
          {{2}, "horizontal_frequency_khz", 82.0},
          {{2}, "orientation_kind", std::string("Fixed orientation")},
          {{2}, "scan_direction_code", std::int64_t{2}},
          {{2}, "red_bits", std::int64_t{8}},
          {{2}, "cr_bits", std::int64_t{8}},
          {{2}, "zoom_mode", true},
          {{2}, "squeeze_mode", false},
          {{2}, "variable_mode", true},
          {{3}, "transfer_characteristics", std::string("White curve")},
          {{3}, "curve_entries", std::int64_t{45}}}},
    };
    for (const auto& [hex, expects] : cases) {
        Section s;
        complete::DecodeDisplayInformationExtension(Block(hex), complete::FieldWriter(), s);
        ASSERT_EQ(s.children.size(), 4u);
        Check(s, expects);
    }
}

TEST(VideoTimingExtension, ListsFollowOneAnother)
{
    Section s;
    std::vector<std::string> problems;
    complete::DecodeVideoTimingExtension(Block(kVideoTimings), complete::FieldWriter(), s, problems);
    EXPECT_TRUE(problems.empty());
    ASSERT_EQ(s.children.size(), 3u);
    EXPECT_EQ(s.children[0].children.size(), 2u);
    EXPECT_EQ(s.children[1].children.size(), 3u);
    Check(s, {{{0, 0}, "width_px", std::int64_t{1366}},
              {{0, 1}, "pixel_clock_mhz", 26.75},
              {{1, 0}, "lines", std::int64_t{576}},
              {{1, 0}, "aspect_ratio", std::string("4:3")},
              {{1, 2}, "lines", std::int64_t{1080}},
              {{1, 2}, "rates", std::string("50 Hz")},
              {{1, 2}, "preferred_refresh_hz", std::int64_t{50}},
              {{2, 0}, "width_px", std::int64_t{2048}},
              {{2, 0}, "height_px", std::int64_t{1152}},
              {{2, 0}, "refresh_rate_hz", std::int64_t{60}}});
}

// Counts that promise more than the block holds: what fits is read, the
// rest is named, and nothing is read from past the block.
TEST(VideoTimingExtension, CountsPastTheBlockAreCut)
{
    auto block = Block(kVideoTimings);
    block[2] = 7;   // 7 timings: only 6 fit in 122 bytes
    block[3] = 200; // 14 bytes left: 4 CVT codes, then the standard timing's 2
    Section s;
    std::vector<std::string> problems;
    complete::DecodeVideoTimingExtension(block, complete::FieldWriter(), s, problems);
    ASSERT_EQ(s.children.size(), 3u);
    EXPECT_EQ(s.children[0].children.size(), 6u);
    EXPECT_EQ(s.children[1].children.size(), 4u);
    EXPECT_EQ(s.children[2].children.size(), 1u);
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0], "7 detailed timings announced, room for 6");
    EXPECT_EQ(problems[1], "200 CVT codes announced, room for 4");
}

} // namespace
} // namespace tessarin
