// How the parser takes a CEA-861 extension: detailed timings into slots 5..10,
// the walk's stop rules, and clearing between loads.
#include "edid_builder.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using test::EdidBuilder;
using test::Load;
using test::TimingWithClock;

// The walk packs slots from 5 upwards, so a count says which ones are valid.
int ValidExtensionSlots(const CEDIDParser& parser)
{
    int count = 0;
    for (std::int32_t slot = 5; slot <= 10; ++slot)
        count += parser.DetailedTiming(slot).isValid() ? 1 : 0;
    return count;
}

EdidBuilder SixExtensionTimings()
{
    EdidBuilder edid;
    edid.Cea(4);
    for (unsigned i = 0; i < 6; ++i) {
        test::Descriptor d = TimingWithClock(static_cast<std::uint16_t>(501 + i));
        d[17] = 0x60; // "Undefined" stereo, to spot leftovers later
        edid.ExtDescriptor(4 + 18 * i, d);
    }
    return edid.Ext(112, {0x11, 0x22, 0x33}); // a seventh would start here: never read
}

TEST(ExtensionSlots, WalkFillsSlotsFiveToTenInBlockOrder)
{
    CEDIDParser parser;
    Load(parser, SixExtensionTimings());
    for (std::int32_t slot = 5; slot <= 10; ++slot)
        EXPECT_FLOAT_EQ(parser.DetailedTiming(slot).PixelClock(), 0.01f * static_cast<float>(496 + slot)) << slot;
    EXPECT_EQ(ValidExtensionSlots(parser), 6);
    EXPECT_FALSE(parser.DetailedTiming(2).isValid());

    // It stops at the first descriptor whose bytes 0..2 are all 0.
    test::Descriptor thirdByteOnly{};
    thirdByteOnly[2] = 0x80;
    Load(parser, EdidBuilder()
                     .Cea(20)
                     .ExtDescriptor(20, TimingWithClock(100))
                     .ExtDescriptor(38, thirdByteOnly)
                     .ExtDescriptor(74, TimingWithClock(400))); // behind the empty one at 56
    EXPECT_EQ(ValidExtensionSlots(parser), 2);
    EXPECT_EQ(parser.DetailedTiming(6).HorizontalActive(), 0x80);
}

TEST(ExtensionSlots, DescriptorMustEndByByte127)
{
    CEDIDParser parser;
    Load(parser, EdidBuilder().Cea(110).ExtDescriptor(110, TimingWithClock(1234))); // checksum is its byte 17
    EXPECT_EQ(ValidExtensionSlots(parser), 1);
    EXPECT_FLOAT_EQ(parser.DetailedTiming(5).PixelClock(), 12.34f);

    // From offset 18 the sixth descriptor ends at byte 125: all six are read.
    EdidBuilder six;
    six.Cea(18);
    for (unsigned i = 0; i < 6; ++i)
        six.ExtDescriptor(18 + 18 * i, TimingWithClock(static_cast<std::uint16_t>(100 + i)));
    Load(parser, six);
    EXPECT_EQ(ValidExtensionSlots(parser), 6);

    for (int d : {111, 120, 127, 128, 200, 255}) {
        EdidBuilder edid;
        edid.Cea(static_cast<std::uint8_t>(d));
        for (std::size_t i = 100; i < 128; ++i)
            edid.Ext(i, {0x5A});
        Load(parser, edid);
        EXPECT_EQ(ValidExtensionSlots(parser), 0) << d;
    }
}

TEST(ExtensionSlots, OffsetBelowFourGivesNoTimingsAndNoBlocks)
{
    for (std::uint8_t d : std::initializer_list<std::uint8_t>{0, 1, 2, 3}) {
        EdidBuilder edid;
        edid.Cea(d, 0xF1).Ext(4, {0x42, 0x90, 0x84, 0x65, 0x03, 0x0C, 0x00, 0x10, 0x00});
        for (std::size_t i = 13; i < 128; ++i)
            edid.Ext(i, {0x33});
        CEDIDParser parser;
        Load(parser, edid);
        EXPECT_EQ(parser.TypeOfExtensionBlock(), 2) << int(d);
        EXPECT_EQ(ValidExtensionSlots(parser), 0) << int(d);
        EXPECT_EQ(parser.edidCEA861()->NumberOfVideoCodes(), 0) << int(d);
        EXPECT_EQ(parser.edidCEA861()->VendorSpecificRegistrationIdentifier(), "") << int(d);
        EXPECT_TRUE(parser.edidCEA861()->IsDTVMonitorSupport(3)) << int(d);
    }

    // Exactly 4: no blocks, and the first timing starts right after the header.
    CEDIDParser parser;
    Load(parser, EdidBuilder().Cea(4).ExtDescriptor(4, TimingWithClock(2700)));
    EXPECT_EQ(parser.edidCEA861()->FindDataBlock(4), -1); // 0x8C, the clock's low byte, is no header
    EXPECT_FLOAT_EQ(parser.DetailedTiming(5).PixelClock(), 27.0f);
}

TEST(ExtensionSlots, EveryLoadStartsFromClearSlots)
{
    CEDIDParser parser;
    Load(parser, SixExtensionTimings());
    parser.DetailedTimingIndex(8);

    Load(parser, EdidBuilder().Cea(4).Ext(1, {1}).ExtDescriptor(4, TimingWithClock(900)));
    EXPECT_EQ(parser.DetailedTimingIndex(), 1);
    EXPECT_EQ(parser.edidCEA861()->RevisionNumber(), 1);
    EXPECT_EQ(ValidExtensionSlots(parser), 1);
    for (std::int32_t slot = 6; slot <= 10; ++slot)
        EXPECT_EQ(parser.DetailedTiming(slot).DescriptorData(), test::Descriptor{}) << slot;
    parser.DetailedTimingIndex(6); // where a report's timing loop stops
    EXPECT_EQ(parser.StereoDisplay(), "Normal display (no stereo)");

    Load(parser, EdidBuilder());
    EXPECT_EQ(parser.TypeOfExtensionBlock(), 0);
    EXPECT_EQ(ValidExtensionSlots(parser), 0);
    EXPECT_EQ(parser.DetailedTiming(5).DescriptorData(), test::Descriptor{});
}

} // namespace
} // namespace tessarin
