// The 18-byte detailed timing descriptor, field by field.
#include "detailed_timing.h"
#include "errors.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace tessarin {
namespace {

using Bytes = std::array<std::uint8_t, CDetailedTiming::Size>;

CDetailedTiming Fed(const Bytes& bytes)
{
    CDetailedTiming timing;
    timing.UpdateDetailedTiming(bytes, 0);
    return timing;
}

Bytes FlagsByte(std::uint8_t b17)
{
    Bytes bytes{};
    bytes[17] = b17;
    return bytes;
}

// The twelve numeric fields in table order, so one comparison shows which moved.
std::array<int, 12> Numbers(const CDetailedTiming& t)
{
    return {t.HorizontalActive(),   t.HorizontalBlanking(),     t.VerticalActive(), t.VerticalBlanking(),
            t.HorizontalSyncOffset(), t.HorizontalSyncPulseWidth(), t.VerticalSyncOffset(),
            t.VerticalSyncPulseWidth(), t.HorizontalSize(),      t.VerticalSize(),   t.HorizontalBorder(),
            t.VerticalBorder()};
}

TEST(DetailedTiming, EachFieldReadsOnlyItsOwnBits)
{
    struct Case {
        std::size_t byte;
        std::uint8_t value;
        std::size_t field; // index into Numbers()
        int expected;
    };
    const Case cases[] = {{2, 0xFF, 0, 255},  {4, 0xF0, 0, 3840}, {3, 0xFF, 1, 255},  {4, 0x0F, 1, 3840},
                          {5, 0xFF, 2, 255},  {7, 0xF0, 2, 3840}, {6, 0xFF, 3, 255},  {7, 0x0F, 3, 3840},
                          {8, 0xFF, 4, 255},  {11, 0xC0, 4, 768}, {9, 0xFF, 5, 255},  {11, 0x30, 5, 768},
                          {10, 0xF0, 6, 15},  {11, 0x0C, 6, 48},  {10, 0x0F, 7, 15},  {11, 0x03, 7, 48},
                          {12, 0xFF, 8, 255}, {14, 0xF0, 8, 3840}, {13, 0xFF, 9, 255}, {14, 0x0F, 9, 3840},
                          {15, 0xFF, 10, 255}, {16, 0xFF, 11, 255}};
    for (const Case& c : cases) {
        Bytes bytes{};
        bytes[c.byte] = c.value;
        std::array<int, 12> expected{};
        expected[c.field] = c.expected;
        EXPECT_EQ(Numbers(Fed(bytes)), expected) << "byte " << c.byte << " = " << int(c.value);
    }

    Bytes all{};
    all.fill(0xFF);
    const CDetailedTiming t = Fed(all);
    EXPECT_EQ(Numbers(t), (std::array<int, 12>{4095, 4095, 4095, 4095, 1023, 1023, 63, 63, 4095, 4095, 255, 255}));
    EXPECT_FLOAT_EQ(t.PixelClock(), 655.35f); // unsigned: never negative
    EXPECT_FLOAT_EQ(Fed({0x40, 0x9C}).PixelClock(), 400.0f);
}

TEST(DetailedTiming, FlagsByte)
{
    using Stereo = std::pair<std::uint8_t, const char*>;
    for (auto [b17, text] : std::initializer_list<Stereo>{{0x01, "Normal display (no stereo)"},
                                                         {0x20, "Stereo, right stereo sync high"},
                                                         {0x40, "Stereo, left stereo sync high"},
                                                         {0x60, "Undefined"}, {0x61, "Undefined"}})
        EXPECT_EQ(Fed(FlagsByte(b17)).StereoDisplay(), text) << int(b17);

    const CDetailedTiming a = Fed(FlagsByte(0x8A)); // interlaced, input 1, horizontal polarity
    EXPECT_TRUE(a.Interlaced() && a.HorizontalPolarity());
    EXPECT_FALSE(a.VerticalPolarity());
    EXPECT_EQ(a.InputType(), 1);
    const CDetailedTiming b = Fed(FlagsByte(0x14)); // input 2, vertical polarity
    EXPECT_FALSE(b.Interlaced() || b.HorizontalPolarity());
    EXPECT_TRUE(b.VerticalPolarity());
    EXPECT_EQ(b.InputType(), 2);
}

TEST(DetailedTiming, UpdateTakesEighteenBytesInsideTheSourceOrNothing)
{
    EXPECT_FALSE(CDetailedTiming().isValid());
    EXPECT_TRUE(Fed(Bytes{}).isValid()); // zero bytes are still a fed slot

    std::vector<std::uint8_t> source(20);
    for (std::size_t i = 0; i < source.size(); ++i)
        source[i] = static_cast<std::uint8_t>(i + 1);
    CDetailedTiming t;
    for (std::int16_t bad : {std::int16_t{3}, std::int16_t{-1}, std::int16_t{32767}, std::int16_t{-32768}}) {
        EXPECT_THROW(t.UpdateDetailedTiming(source, bad), IndexError) << bad;
        EXPECT_FALSE(t.isValid()) << bad;
    }
    t.UpdateDetailedTiming(source, 2);
    EXPECT_EQ(t.DescriptorData()[17], 20);
    EXPECT_THROW(t.UpdateDetailedTiming(std::span<const std::uint8_t>(source).first(17), 0), IndexError);
    EXPECT_EQ(t.DescriptorData()[0], 3); // unchanged by the failed update
}

} // namespace
} // namespace tessarin
