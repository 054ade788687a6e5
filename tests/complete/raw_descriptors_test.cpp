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
        0xA1, 0xB2, 0x63, // image 0x6A1 x 0x3B2 mm
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
        {"image_width_mm", 1697},
        {"image_height_mm", 946},
    };
    EXPECT_EQ(integers, expected);
    EXPECT_EQ(s.title, "Detailed Timing 3");
    EXPECT_EQ(s.summary, "1451x1263 10.674 Hz 46.600 MHz (1697 mm x 946 mm)");
}

} // namespace
} // namespace tessarin
