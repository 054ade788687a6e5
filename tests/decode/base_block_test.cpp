// Loading, identification and basic display parameters of the base block.
#include "edid_builder.h"
#include "edid_redact.h"
#include "errors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

namespace tessarin {
namespace {

using test::EdidBuilder;
using test::Load;

TEST(EdidLoading, OnlyExactly256BytesAreTaken)
{
    CEDIDParser parser;
    EXPECT_EQ(parser.DetailedTimingIndex(), 0);
    EXPECT_THROW(static_cast<void>(parser.PixelClock()), IndexError); // no slot selected yet

    Load(parser, EdidBuilder().Set(8, {0x10, 0xAC}).Set(126, {1}).Set(128, {0x40}));
    parser.DetailedTimingIndex(3);
    const auto before = parser.RawEDIDBaseData();
    EdidBuilder samsung;
    samsung.Set(8, {0x4C, 0x2D});
    for (std::size_t size : {0u, 1u, 128u, 255u, 257u, 512u}) {
        std::vector<std::uint8_t> other(samsung.Bytes().begin(), samsung.Bytes().end());
        other.resize(size, 0);
        EXPECT_FALSE(parser.UpdateEDIDDataFromArray(other)) << size;
        EXPECT_EQ(parser.RawEDIDBaseData(), before) << size;
        EXPECT_EQ(parser.ManufacturerID(), "DEL") << size;
        EXPECT_EQ(parser.DetailedTimingIndex(), 3) << size;
        EXPECT_EQ(parser.TypeOfExtensionBlock(), 64) << size;
    }
    EXPECT_TRUE(parser.UpdateEDIDDataFromArray(samsung.Bytes()));
    EXPECT_EQ(parser.ManufacturerID(), "SAM");
    EXPECT_EQ(parser.DetailedTimingIndex(), 1);
    EXPECT_EQ(parser.TypeOfExtensionBlock(), 0);
}

TEST(EdidLoading, ExtensionTypeFollowsCountAndTag)
{
    using Case = std::tuple<std::uint8_t, std::uint8_t, std::int32_t>; // byte 126, byte 128, type
    for (auto [count, tag, type] : std::initializer_list<Case>{{1, 0x40, 64}, {0, 0x02, 0}, {1, 0x02, 2},
                                                               {2, 0x02, 2}, {1, 0xF0, 0}}) {
        CEDIDParser parser;
        Load(parser, EdidBuilder().Set(126, {count}).Set(128, {tag, 3, 4}));
        EXPECT_EQ(parser.TypeOfExtensionBlock(), type) << int(count) << "/" << int(tag);
        EXPECT_EQ(parser.edidCEA861() != nullptr, type == 2) << int(count) << "/" << int(tag);
    }
}

TEST(Identification, ProductSerialAndDate)
{
    CEDIDParser parser;
    Load(parser, EdidBuilder().Set(10, {0x1F, 0x0A, 0xFF, 0xFF, 0xFF, 0xFF, 255, 255, 1, 4}));
    EXPECT_EQ(parser.IDProductId(), "0A1F");
    EXPECT_EQ(parser.IDSerialNumber(), "4294967295"); // unsigned, all 32 bits
    EXPECT_EQ(parser.WeekOfManufacture(), 255);
    EXPECT_EQ(parser.YearOfManufacture(), 2245);
    EXPECT_EQ(parser.EDIDRevision(), 4);
}

TEST(DisplayParameters, DiagonalRoundsThroughSingleThenHalfToEven)
{
    // 71 x 187 is 78.74999938 in double but exactly 78.75 once held as a single:
    // a half, which goes to the even digit.
    using Case = std::tuple<std::uint8_t, std::uint8_t, float>;
    for (auto [h, v, inches] : std::initializer_list<Case>{{52, 32, 24.0f}, {0, 0, 0.0f}, {71, 187, 78.8f},
                                                           {160, 90, 72.3f}, {0, 10, 3.9f}, {255, 255, 142.0f}}) {
        CEDIDParser parser;
        Load(parser, EdidBuilder().Set(21, {h, v}));
        EXPECT_FLOAT_EQ(parser.DisplaySize(), inches) << int(h) << "x" << int(v);
        EXPECT_EQ(parser.MaxHorizontalImageSize(), h * 10);
        EXPECT_EQ(parser.MaxVerticalImageSize(), v * 10);
    }
}

// Redaction blanks the serials and nothing else: a detailed timing whose
// bytes 1 to 3 happen to read 00 00 FF is no serial-number descriptor, nor
// is a name.
TEST(EdidRedaction, OnlySerialDescriptorsAreBlanked)
{
    test::Descriptor timing = test::TimingWithClock(0x0010);
    timing[3] = 0xFF;
    timing[5] = 'A';
    EdidBuilder edid;
    edid.Set(12, {1, 2, 3, 4})
        .BaseDescriptor(1, timing)
        .BaseDescriptor(2, test::TextDescriptor(0xFF, "SN123"))
        .BaseDescriptor(3, test::TextDescriptor(0xFC, "NAME"));
    const RedactedEdid r = RedactEdid(edid.Bytes());
    const std::vector<std::uint8_t> in(edid.Bytes().begin(), edid.Bytes().end());
    std::vector<std::uint8_t> expected = in;
    std::fill(expected.begin() + 12, expected.begin() + 16, 0);
    std::fill(expected.begin() + 72 + 5, expected.begin() + 90, ' ');
    expected[127] = static_cast<std::uint8_t>(expected[127] + 1 + 2 + 3 + 4 + 'S' + 'N' + '1' + '2' + '3' - 13 * ' ');
    EXPECT_EQ(r.bytes, expected);
    EXPECT_EQ(r.fieldsBlanked, 2);

    // An extension without data blocks: its first descriptor at byte 4.
    edid.Cea(4).ExtDescriptor(4, test::TextDescriptor(0xFF, "SN9"));
    const RedactedEdid e = RedactEdid(edid.Bytes());
    EXPECT_EQ(e.fieldsBlanked, 3);
    EXPECT_EQ(std::string(e.bytes.begin() + 128 + 4 + 5, e.bytes.begin() + 128 + 4 + 18), std::string(13, ' '));
}

} // namespace
} // namespace tessarin
