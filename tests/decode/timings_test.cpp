// Established and standard timings, descriptor slots and monitor texts of the
// base block.
#include "edid_builder.h"
#include "errors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>

namespace tessarin {
namespace {

using test::EdidBuilder;
using test::Load;
using test::MonitorDescriptor;
using test::TextDescriptor;
using test::TimingWithClock;

TEST(EstablishedTimings, SupportFollowsTheNamedBitsOnly)
{
    // Every bit set: the unused bits of byte 37 name no timing.
    CEDIDParser parser;
    constexpr std::int32_t valid[] = {0, 1, 2, 3, 4, 5, 6, 7, 10, 11, 12, 13, 14, 15, 16, 17, 27};
    Load(parser, EdidBuilder().Set(35, {0xFF, 0xFF, 0xFF}));
    for (std::int32_t e = -2; e <= 30; ++e) {
        const bool isValid = std::ranges::find(valid, e) != std::end(valid);
        EXPECT_EQ(parser.EstablishedTimingsSupported(e), isValid) << e;
        EXPECT_EQ(parser.EstablishedTimingsString(e).empty(), !isValid) << e;
        EXPECT_EQ(parser.EstablishedTimingsVerticalActive(e).empty(), !isValid) << e;
    }
    EXPECT_EQ(parser.EstablishedTimingsString(14), "1024 x 768 @ 87Hz(I) IBM)");
    EXPECT_EQ(parser.EstablishedTimingsHorizontalActive(27), 1152);
    EXPECT_EQ(parser.EstablishedTimingsVerticalActive(27), "870");
}

TEST(EstablishedTimings, PixelFrequencyUsesTheSelectedSlotsBlanking)
{
    test::Descriptor timing = TimingWithClock(6500);
    timing[3] = 0x40; // horizontal blanking 0x140 = 320
    timing[4] = 0x01;
    timing[6] = 38; // vertical blanking
    CEDIDParser parser;
    Load(parser, EdidBuilder().BaseDescriptor(1, timing));
    EXPECT_FLOAT_EQ(parser.EstablishedTimingPixelFrequency(13), 64.99584f); // 1344 x 806 x 60
    EXPECT_EQ(parser.EstablishedTimingPixelFrequency(9), 0.0f);
    parser.DetailedTimingIndex(2); // an empty slot: no blanking
    EXPECT_FLOAT_EQ(parser.EstablishedTimingPixelFrequency(13), 47.18592f);
    parser.DetailedTimingIndex(11);
    EXPECT_THROW(static_cast<void>(parser.EstablishedTimingPixelFrequency(13)), IndexError);
}

TEST(StandardTimings, PairsDecodeWithHalfToEvenHeight)
{
    using Case = std::tuple<std::uint8_t, std::uint8_t, int, int, int, float>; // b1, b2, x, y, Hz, aspect
    for (auto [b1, b2, x, y, hz, aspect] : std::initializer_list<Case>{
             {0xD1, 0xC0, 1920, 1080, 60, 0.5625f}, {0x81, 0x80, 1280, 1024, 60, 0.8f}, {0x31, 0x40, 640, 480, 60, 0.75f},
             {0x81, 0x0F, 1280, 0, 75, 0.0f}, {0x02, 0xC0, 264, 148, 60, 0.5625f}, // 148.5 -> 148
             {0xFF, 0xFF, 2288, 1287, 123, 0.5625f}, {0x81, 0x00, 0, 0, 0, 0.0f}, {0x01, 0x01, 0, 0, 0, 0.0f},
             {0x01, 0xC0, 0, 0, 0, 0.0f}}) {
        CEDIDParser parser;
        Load(parser, EdidBuilder().Set(52, {b1, b2})); // record 8
        SCOPED_TRACE(testing::Message() << std::hex << int(b1) << " " << int(b2));
        EXPECT_EQ(parser.StandardTimingXResolution(8), x);
        EXPECT_EQ(parser.StandardTimingYResolution(8), y);
        EXPECT_EQ(parser.StandardTimingVerticalFrequency(8), hz);
        EXPECT_FLOAT_EQ(parser.StandardTimingAspectRatio(8), aspect);
        EXPECT_EQ(parser.StandardTimingEnable(8), hz != 0);
    }
}

TEST(StandardTimings, RecordsAreOneToEight)
{
    CEDIDParser parser;
    Load(parser, EdidBuilder());
    for (std::uint8_t bad : std::initializer_list<std::uint8_t>{0, 9, 255})
        EXPECT_THROW(static_cast<void>(parser.StandardTimingEnable(bad)), IndexError) << int(bad);
}

TEST(DescriptorSlots, BaseTimingsArePackedWithoutGaps)
{
    CEDIDParser parser;
    Load(parser, EdidBuilder()
                     .BaseDescriptor(1, TimingWithClock(1000))
                     .BaseDescriptor(2, TextDescriptor(0xFC, "Name\n"))
                     .BaseDescriptor(3, TimingWithClock(3000))
                     .BaseDescriptor(4, MonitorDescriptor(0xFD, {50, 75, 30, 83, 17})));
    EXPECT_FLOAT_EQ(parser.DetailedTiming(2).PixelClock(), 30.0f);
    for (std::int32_t slot = 3; slot <= 10; ++slot)
        EXPECT_FALSE(parser.DetailedTiming(slot).isValid()) << slot;

    // Only bytes 0..2 all zero mark a monitor descriptor; descriptor 1 is always a timing.
    test::Descriptor thirdByteOnly{0, 0, 1};
    Load(parser, EdidBuilder()
                     .BaseDescriptor(1, TextDescriptor(0xFC, "First"))
                     .BaseDescriptor(2, thirdByteOnly)
                     .BaseDescriptor(3, TimingWithClock(3000))
                     .BaseDescriptor(4, TimingWithClock(4000)));
    for (std::int32_t slot = 1; slot <= 4; ++slot)
        EXPECT_TRUE(parser.DetailedTiming(slot).isValid()) << slot;
    EXPECT_FLOAT_EQ(parser.DetailedTiming(4).PixelClock(), 40.0f);
    EXPECT_EQ(parser.MonitorName(), "");

    // The next load starts from clear slots, bytes included.
    Load(parser, EdidBuilder());
    for (std::int32_t slot = 2; slot <= 4; ++slot)
        EXPECT_EQ(parser.DetailedTiming(slot).DescriptorData(), test::Descriptor{}) << slot;
}

TEST(DescriptorSlots, SelectedSlotIsCheckedAtEveryRead)
{
    test::Descriptor second = TimingWithClock(7425);
    second[17] = 0x40;
    CEDIDParser parser;
    Load(parser, EdidBuilder().BaseDescriptor(1, TimingWithClock(14850)).BaseDescriptor(2, second));
    EXPECT_FLOAT_EQ(parser.PixelClock(), 148.5f);
    parser.DetailedTimingIndex(2);
    EXPECT_FLOAT_EQ(parser.PixelClock(), 74.25f);
    EXPECT_EQ(parser.StereoDisplay(), "Stereo, left stereo sync high");
    parser.DetailedTimingIndex(3);
    EXPECT_FALSE(parser.DetailedTimingIsValid());
    for (std::int32_t bad : {0, -1, 11, 1000}) {
        parser.DetailedTimingIndex(bad);
        EXPECT_THROW(static_cast<void>(parser.DetailedTimingIsValid()), IndexError) << bad;
        EXPECT_THROW(static_cast<void>(parser.StereoDisplay()), IndexError) << bad;
        EXPECT_THROW(static_cast<void>(parser.DetailedTiming(bad)), IndexError) << bad;
    }
}

std::string NameOf(std::initializer_list<std::uint8_t> data)
{
    CEDIDParser parser;
    parser.UpdateEDIDDataFromArray(EdidBuilder().BaseDescriptor(3, MonitorDescriptor(0xFC, data)).Bytes());
    return parser.MonitorName();
}

TEST(MonitorTexts, LineFeedsNulsSpacesAndCodePage)
{
    EXPECT_EQ(NameOf({'D', 'E', 'L', 'L', ' ', 'U', '2', '4', 0x0A, ' ', ' ', ' ', ' '}), "DELL U24");
    EXPECT_EQ(NameOf({'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 'M'}), "ABCDEFGHIJKLM");
    EXPECT_EQ(NameOf({' ', ' ', 'N', 'a', 'm', 'e', 0x0A}), "Name");
    EXPECT_EQ(NameOf({'A', 'B', 0x0A, 'C', 'D', ' '}), "ABCD");      // text after the line feed stays
    EXPECT_EQ(NameOf({' ', 0x00, ' ', 'A', 0x00, 'B', 0x00}), "AB"); // NULs go before the trim
    EXPECT_EQ(NameOf({}), "");

    EXPECT_EQ(NameOf({'C', 'a', 'f', 0xE9, 0x0A}), "Caf\u00e9");
    EXPECT_EQ(NameOf({0x80, '1', 0x9F}), "\u20ac1\u0178");
    EXPECT_EQ(NameOf({0x09, 'X', 0x0D, 0xA0}), "\tX\r\u00a0"); // only U+0020 is trimmed
    // Hostile bytes still give well-formed UTF-8: unassigned 0x81 is U+0081.
    std::string ys;
    for (int i = 0; i < 12; ++i)
        ys += "\u00ff";
    EXPECT_EQ(NameOf({0x81, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}), "\xC2\x81" + ys);
}

} // namespace
} // namespace tessarin
