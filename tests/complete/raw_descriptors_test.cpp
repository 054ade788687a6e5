// A detailed timing the EDID library drops is read from its bytes: every
// field that spreads over two bytes takes its high bits from the right
// place. Each high-bit group below is distinct, so a field read from the
// wrong bits or nibble shows as a wrong number.
#include "raw_descriptors.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>
#include <variant>
#include <vector>

namespace tessarin {
namespace {

TEST(RawDescriptors, DetailedTimingTakesEveryHighBitFromItsPlace)
{
    const std::array<std::uint8_t, 18> dtd = {
        0x34, 0x12,       // 46.60 MHz
        0xAB, 0xCD, 0x53, // horizontal active 0x5AB, blank 0x3CD
        0xEF, 0x1A, 0x42, // vertical active 0x4EF, blank 0x21A
        0xF1, 0xE2,       // horizontal front porch and sync, low bytes
        0xB7,             // vertical front porch and sync, low nibbles
        0x99,             // their high bits: 2, 1, 2, 1
        0x4E, 0xB2, 0x63, // image 0x64E x 0x3B2 mm; no 2-bit group of 0x4E matches 0x99's
        0x00, 0x00, 0x1E};
    const complete::Section s = complete::DetailedTimingFromBytes(dtd, 3, complete::FieldWriter());
    std::map<std::string, std::int64_t> integers;
    for (const complete::Field& f : s.fields)
        if (const auto* value = std::get_if<std::int64_t>(&f.value))
            integers[std::string(f.key)] = *value;
    const std::map<std::string, std::int64_t> expected = {
        {"width_px", 1451},
        {"height_px", 1263},
        {"horizontal_blank_px", 973},
        {"horizontal_front_porch_px", 753},
        {"horizontal_sync_px", 482},
        {"vertical_blank_lines", 538},
        {"vertical_front_porch_lines", 43},
        {"vertical_sync_lines", 23},
        {"image_width_mm", 1614},
        {"image_height_mm", 946},
    };
    EXPECT_EQ(integers, expected);
    EXPECT_EQ(s.title, "Detailed Timing 3");
    EXPECT_EQ(s.summary, "1451x1263 10.674 Hz 46.600 MHz (1614 mm x 946 mm)");
}

// Descriptors the library leaves out: the range limits take 255 more on
// exactly the rate whose offset bit is set, a text ends at its line feed
// and loses its padding, and any other tag is not ours to read.
TEST(RawDescriptors, DisplayDescriptorsReadTheirOwnBytes)
{
    const auto integers = [](const complete::Section& s) {
        std::map<std::string, std::int64_t> out;
        for (const complete::Field& f : s.fields)
            if (const auto* value = std::get_if<std::int64_t>(&f.value))
                out[std::string(f.key)] = *value;
        return out;
    };
    const std::vector<std::pair<std::uint8_t, std::array<std::int64_t, 4>>> offsets = {
        {0x00, {48, 75, 30, 80}},  {0x02, {48, 330, 30, 80}},  {0x03, {303, 330, 30, 80}},
        {0x08, {48, 75, 30, 335}}, {0x0C, {48, 75, 285, 335}},
    };
    for (const auto& [flags, rates] : offsets) {
        const std::array<std::uint8_t, 18> d = {0, 0, 0, 0xFD, flags, 48, 75, 30, 80, 60, 0, 0x0A};
        complete::Section s;
        ASSERT_TRUE(complete::DisplayDescriptorFromBytes(d, s, complete::FieldWriter()));
        const std::map<std::string, std::int64_t> expected = {{"min_vertical_rate_hz", rates[0]},
                                                              {"max_vertical_rate_hz", rates[1]},
                                                              {"min_horizontal_rate_khz", rates[2]},
                                                              {"max_horizontal_rate_khz", rates[3]}};
        EXPECT_EQ(integers(s), expected) << int{flags};
        EXPECT_EQ(std::get<double>(s.fields.back().value), 600.0);
    }
    for (const int tag : {0xFF, 0xFE, 0xFC}) {
        const std::array<std::uint8_t, 18> d = {0,   0,   0,   static_cast<std::uint8_t>(tag), 0, 'A', 'B',
                                                ' ', 'C', ' ', ' ', 0x0A, 'x', 'x'};
        complete::Section s;
        ASSERT_TRUE(complete::DisplayDescriptorFromBytes(d, s, complete::FieldWriter()));
        ASSERT_EQ(s.fields.size(), 1u);
        EXPECT_EQ(std::get<complete::Text>(s.fields[0].value).str(), "AB C");
    }
    for (const int tag : {0xFB, 0xFA, 0xF7, 0x10, 0x00}) {
        const std::array<std::uint8_t, 18> d = {0, 0, 0, static_cast<std::uint8_t>(tag), 0xFF, 'A'};
        complete::Section s;
        EXPECT_FALSE(complete::DisplayDescriptorFromBytes(d, s, complete::FieldWriter())) << tag;
        EXPECT_TRUE(s.fields.empty());
    }
}

} // namespace
} // namespace tessarin
