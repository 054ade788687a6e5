// The CEA-861 extension block: header, data block walk, video data block and
// the HDMI vendor-specific block.
#include "edid_builder.h"
#include "errors.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace tessarin {
namespace {

using test::CeaOf;
using test::EdidBuilder;

TEST(CeaHeader, SupportFlagsNativeCountAndStorage)
{
    const CCEA861 some = CeaOf(EdidBuilder().Cea(4, 0x5F)); // 4:2:2 and basic audio
    EXPECT_EQ(some.RevisionNumber(), 3);
    EXPECT_TRUE(some.IsDTVMonitorSupport(0) && some.IsDTVMonitorSupport(2));
    EXPECT_FALSE(some.IsDTVMonitorSupport(1) || some.IsDTVMonitorSupport(3));
    EXPECT_EQ(some.NumberOfNativeFormats(), 15);
    EXPECT_EQ(CeaOf(EdidBuilder().Cea(4, 0xF1)).NumberOfNativeFormats(), 1);
    for (std::int32_t bad : {4, -5, INT_MAX, INT_MIN})
        EXPECT_THROW(static_cast<void>(some.IsDTVMonitorSupport(bad)), OverflowError) << bad;

    // A source ending early keeps the bytes stored before the first missing one.
    CCEA861 cea = CeaOf(EdidBuilder().Cea(4).Ext(127, {0xAB}));
    EXPECT_THROW(cea.Update_CEA_Data(std::vector<std::uint8_t>(100, 0x77), 0), IndexError);
    EXPECT_EQ(cea.RawEDIDCEAData()[99], 0x77);
    EXPECT_EQ(cea.RawEDIDCEAData()[127], 0xAB);
    EXPECT_THROW(cea.Update_CEA_Data(std::vector<std::uint8_t>(256), 32767), IndexError);
}

TEST(CeaDataBlocks, WalkFindsTheFirstBlockOfATag)
{
    const CCEA861 cea =
        CeaOf(EdidBuilder().Cea(19).Block(1, {9, 0x57, 7}).Block(2, {0x90, 4, 16, 31}).Block(3, {3, 12, 0, 16, 0}));
    EXPECT_EQ(cea.FindDataBlock(1), 4);
    EXPECT_EQ(cea.FindDataBlock(2), 8);
    EXPECT_EQ(cea.FindDataBlock(3), 13);
    EXPECT_EQ(cea.FindDataBlock(4), -1);
    EXPECT_EQ(cea.NumberOfVideoCodes(), 4);

    // Empty blocks are stepped over; a second block of the same tag is never seen.
    const CCEA861 twice = CeaOf(EdidBuilder().Cea(12).Block(7, {}).Block(2, {0x01}).Block(2, {16, 17, 18}));
    EXPECT_EQ(twice.FindDataBlock(2), 5);
    EXPECT_EQ(twice.NumberOfVideoCodes(), 1);
}

TEST(CeaDataBlocks, CollectionEndsAtTheDescriptorOffset)
{
    // A block behind the collection is not found; one that starts inside and runs past it is.
    EXPECT_EQ(CeaOf(EdidBuilder().Cea(10).Block(1, {1, 2, 3, 4, 5}).Block(2, {1})).FindDataBlock(2), -1);
    const CCEA861 overrun = CeaOf(EdidBuilder().Cea(6).Block(2, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(overrun.FindDataBlock(2), 4);
    EXPECT_EQ(overrun.NumberOfVideoCodes(), 10);

    // Headers chained past byte 127 (offset 255): the walk's next read is outside the block.
    EdidBuilder far;
    far.Cea(0xFF);
    for (std::size_t x = 4; x < 128; x += 32)
        far.Ext(x, {0xFF}); // tag 7, length 31
    const CCEA861 cea = CeaOf(far);
    EXPECT_THROW(static_cast<void>(cea.FindDataBlock(2)), IndexError);
    EXPECT_EQ(cea.NumberOfVideoCodes(), 0);
    EXPECT_FALSE(cea.Support60Hz2DFormat());
}

TEST(CeaDataBlocks, OneObjectUpdatedAgainAnswersForItsNewBytes)
{
    // The blocks every property looks for move, vanish and walk off the block
    // between updates of the same object; a source ending early leaves a mix.
    const EdidBuilder first = EdidBuilder().Cea(20).Block(2, {0x90, 4}).Block(3, {3, 12, 0, 16, 0, 0x80, 45});
    const EdidBuilder moved = EdidBuilder().Cea(30).Block(1, {9, 7}).Block(3, {3, 12, 0}).Block(2, {16, 31, 1});
    const EdidBuilder none = EdidBuilder().Cea(4);
    EdidBuilder chained;
    chained.Cea(0xFF);
    for (std::size_t x = 4; x < 128; x += 32)
        chained.Ext(x, {0xFF});
    const EdidBuilder& far = chained;
    CCEA861 cea;
    const auto expectSameAnswers = [&](const CCEA861& fresh, const char* step) {
        for (std::int32_t tag : {2, 3}) {
            std::int16_t want = 0;
            try {
                want = fresh.FindDataBlock(tag);
            } catch (const IndexError&) {
                EXPECT_THROW(static_cast<void>(cea.FindDataBlock(tag)), IndexError) << step;
                continue;
            }
            EXPECT_EQ(cea.FindDataBlock(tag), want) << step << " tag " << tag;
        }
        EXPECT_EQ(cea.NumberOfVideoCodes(), fresh.NumberOfVideoCodes()) << step;
        EXPECT_EQ(cea.Support60Hz2DFormat(), fresh.Support60Hz2DFormat()) << step;
    };
    for (const auto& [edid, step] : {std::pair{&first, "first"}, std::pair{&moved, "moved"},
                                     std::pair{&none, "none"}, std::pair{&far, "far"}, std::pair{&first, "again"}}) {
        cea.Update_CEA_Data(edid->Bytes(), 128);
        expectSameAnswers(CeaOf(*edid), step);
    }
    EXPECT_EQ(cea.VendorSpecificRegistrationIdentifier(), "0xC03 (HDMI)");

    // The first 20 bytes of `moved` over `first`: its header, `first`'s blocks behind it.
    std::vector<std::uint8_t> head(moved.Bytes().begin() + 128, moved.Bytes().begin() + 148);
    EXPECT_THROW(cea.Update_CEA_Data(head, 0), IndexError);
    std::vector<std::uint8_t> mixed(first.Bytes().begin(), first.Bytes().end());
    std::copy(head.begin(), head.end(), mixed.begin() + 128);
    CCEA861 fresh;
    fresh.Update_CEA_Data(mixed, 128);
    expectSameAnswers(fresh, "partial");
}

TEST(CeaVideo, DescriptorsNameTheirVicAndNativeFlag)
{
    const CCEA861 cea =
        CeaOf(EdidBuilder().Cea(32).Block(2, {0x90, 0x04, 0x3B, 0x00, 0xBB, 0x80, 0xFF, 0xBA}).Block(4, {0}));
    ASSERT_EQ(cea.NumberOfVideoCodes(), 8);
    EXPECT_EQ(cea.VideoFormatString(1), "1920x1080p @ 59.94/60Hz");
    EXPECT_TRUE(cea.IsNativeVideoFormat(1));
    EXPECT_EQ(cea.VideoFormatString(2), "1280x720p @ 59.94/60Hz");
    EXPECT_FALSE(cea.IsNativeVideoFormat(2));
    for (std::uint8_t n : std::initializer_list<std::uint8_t>{0, 3, 4, 5, 6, 7, 9, 255})
        EXPECT_EQ(cea.VideoFormatString(n), "Error") << int(n);
    EXPECT_EQ(cea.VideoFormatString(8), "720(1440)x480i @ 239.76/240Hz");
    EXPECT_TRUE(cea.IsNativeVideoFormat(8));
    EXPECT_FALSE(cea.IsNativeVideoFormat(0));
    EXPECT_FALSE(cea.IsNativeVideoFormat(9)); // the next header has bit 7 set

    const CCEA861 none = CeaOf(EdidBuilder().Cea(40).Block(1, {0x09, 0x57, 0x07}));
    EXPECT_EQ(none.NumberOfVideoCodes(), 0);
    EXPECT_EQ(none.VideoFormatString(1), "Error");
    EXPECT_FALSE(none.IsNativeVideoFormat(1));
}

TEST(CeaVideo, FiftyAndSixtyHertzSupport)
{
    using Case = std::tuple<std::vector<std::uint8_t>, bool, bool>; // VICs, 50 Hz, 60 Hz
    for (const auto& [vics, fifty, sixty] : std::initializer_list<Case>{
             {{39}, true, false}, {{0x81}, false, true}, {{32, 33, 34, 40, 46, 52, 56}, false, false},
             {{59, 0, 17}, true, false}, {{36, 37}, true, true}, {{}, false, false}}) {
        const CCEA861 cea = CeaOf(EdidBuilder().Cea(40).Block(2, vics));
        EXPECT_EQ(cea.Support50Hz2DFormat(), fifty) << testing::PrintToString(vics);
        EXPECT_EQ(cea.Support60Hz2DFormat(), sixty) << testing::PrintToString(vics);
    }
}

// A vendor block after a one-byte audio block (so V = 6), followed by a block of
// 0xFF bytes that must never show through a short vendor block.
CCEA861 WithVendorBlock(std::initializer_list<std::uint8_t> payload)
{
    return CeaOf(EdidBuilder().Cea(100).Block(1, {0x09}).Block(3, payload).Block(7, {255, 255, 255, 255, 255, 255}));
}

// Supports_AI, 48, 36 and 30 bpp, YCbCr 4:4:4, dual-link DVI.
using Flags = std::array<bool, 6>;
Flags VendorFlags(const CCEA861& c)
{
    return {c.VendorSpecificSupports_Al(), c.Supports48bpp(), c.Supports36bpp(),
            c.Supports30bpp(),             c.SupportsYCbCr(), c.SupportsDUALDVI()};
}

// Information, 3D_present, structure-all, mask; frame packing, top-and-bottom, side-by-side.
using ThreeD = std::array<bool, 7>;
ThreeD ThreeDBits(const CCEA861& c)
{
    return {c.HDMI_3D_Information_Present(),  c.HDMI_3D_Present(),              c.HDMI_3D_Structure_All_Present(),
            c.HDMI_3D_Mask_Present(),         c.HDMI_3D_FramePacking_Support(), c.HDMI_3D_TopAndBottom_Support(),
            c.HDMI_3D_SideBySide_Support()};
}

TEST(CeaVendor, IdentifierAddressFlagsAndClock)
{
    using Id = std::pair<std::array<std::uint8_t, 3>, const char*>;
    for (auto [b, text] : std::initializer_list<Id>{{{0x03, 0x0C, 0x00}, "0xC03 (HDMI)"}, {{0, 0, 0}, "0x0"},
                                                    {{0xD8, 0x5D, 0xC4}, "0xC45DD8"}, {{3, 12, 1}, "0x10C03"}})
        EXPECT_EQ(WithVendorBlock({b[0], b[1], b[2], 0x10, 0x00}).VendorSpecificRegistrationIdentifier(), text);
    EXPECT_EQ(WithVendorBlock({3, 12, 0, 0x10, 0x00}).VendorSpecificPhysicalAddress(), "1.0.0.0");
    EXPECT_EQ(WithVendorBlock({3, 12, 0, 0x2A, 0x0F}).VendorSpecificPhysicalAddress(), "2.A.0.F");

    const CCEA861 all = WithVendorBlock({3, 12, 0, 0x10, 0x00, 0xF9, 0x2D});
    EXPECT_EQ(VendorFlags(all), (Flags{1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(all.Max_TMDS_Clock(), 225);
    const CCEA861 one = WithVendorBlock({3, 12, 0, 0x10, 0x00, 0x26, 0xFF});
    EXPECT_EQ(VendorFlags(one), (Flags{0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(one.Max_TMDS_Clock(), 1275);
}

TEST(CeaVendor, ThreeDFieldsFollowLatencyBitsAndVicLength)
{
    for (auto [b8, offset] : std::initializer_list<std::pair<std::uint8_t, int>>{
             {0xC0, 13}, {0x40, 11}, {0x80, 11}, {0x00, 9}, {0x3F, 9}}) {
        EdidBuilder edid;
        edid.Cea(100).Block(3, {3, 12, 0, 0x10, 0, 0, 0, b8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
        const CCEA861 cea = CeaOf(edid.Ext(4 + static_cast<std::size_t>(offset), {0x80}));
        EXPECT_EQ(cea.HDMI_Video_Position(), 4 + offset) << int(b8);
        EXPECT_TRUE(cea.HDMI_3D_Present()) << int(b8);
    }

    // P = V + 9; P+1 = 0x3F gives N = 1, so side-by-side sits at P+3 and frame
    // packing and top-and-bottom at P+4. P+2 is a decoy.
    const CCEA861 a = WithVendorBlock({3, 12, 0, 0x10, 0, 0, 0, 0, 0x80, 0x3F, 0x41, 0x01, 0x40});
    EXPECT_EQ(a.HDMI_Video_Position(), 6 + 9);
    EXPECT_EQ(a.HDMI_VIC_Length(), 1);
    EXPECT_EQ(ThreeDBits(a), (ThreeD{1, 1, 0, 0, 0, 1, 1}));
    const CCEA861 b = WithVendorBlock({3, 12, 0, 0x10, 0, 0, 0, 0, 0x80, 0xE0, 0x41, 0, 0, 0, 0, 0, 0, 0, 0x01});
    EXPECT_EQ(b.HDMI_VIC_Length(), 7);
    EXPECT_EQ(ThreeDBits(b), (ThreeD{1, 1, 0, 0, 1, 0, 0}));
}

TEST(CeaVendor, PresenceBitsAndImageSize)
{
    using Case = std::tuple<std::uint8_t, ThreeD, const char*>;
    const char* none = "No Additional Information";
    for (auto [p, bits, image] : std::initializer_list<Case>{
             {0x80, {1, 1, 0, 0, 0, 0, 0}, none},
             {0x40, {1, 0, 1, 1, 0, 0, 0}, none},
             {0x20, {1, 0, 1, 0, 0, 0, 0}, none},
             {0x08, {}, "Aspect ratio is correct but Sizes are not guaranteed"},
             {0x10, {}, "Aspect ratio is correct and Sizes are rounded to the nearest 1cm"},
             {0x18, {}, "The indicated size must be multiplied by 5"}}) {
        const CCEA861 cea = WithVendorBlock({3, 12, 0, 0x10, 0, 0, 0, 0, p, 0});
        EXPECT_EQ(ThreeDBits(cea), bits) << int(p);
        EXPECT_EQ(cea.HDMI_Image_Size(), image) << int(p);
    }
}

TEST(CeaVendor, FieldsPastAShortBlockReadAsZero)
{
    const CCEA861 minimal = WithVendorBlock({3, 12, 0, 0x21, 0x00});
    EXPECT_EQ(minimal.VendorSpecificPhysicalAddress(), "2.1.0.0");
    EXPECT_EQ(VendorFlags(minimal), Flags{});
    EXPECT_EQ(minimal.Max_TMDS_Clock(), 0);
    EXPECT_EQ(minimal.HDMI_Video_Position(), 6 + 9);
    EXPECT_EQ(ThreeDBits(minimal), ThreeD{});
    EXPECT_EQ(minimal.HDMI_Image_Size(), "No Additional Information");

    EXPECT_EQ(WithVendorBlock({3, 12, 0, 0x10, 0x00, 0x80, 0x1E}).HDMI_Video_Position(), 6 + 9);
    EXPECT_EQ(ThreeDBits(WithVendorBlock({3, 12, 0, 0x10, 0, 0, 0, 0, 0x80, 0x20})), (ThreeD{1, 1, 0, 0, 0, 0, 0}));

    const CCEA861 empty = WithVendorBlock({});
    EXPECT_EQ(empty.VendorSpecificRegistrationIdentifier(), "0x0");
    EXPECT_EQ(empty.VendorSpecificPhysicalAddress(), "0.0.0.0");
}

TEST(CeaVendor, FieldInsideTheBlockButPastByte127IsAnIndexError)
{
    // Fillers of length 31, 31, 31 and 19 put the vendor block's header at 120.
    EdidBuilder edid;
    edid.Cea(127).Ext(4, {0xFF}).Ext(36, {0xFF}).Ext(68, {0xFF}).Ext(100, {0xF3});
    edid.Ext(120, {0x6F, 0x03, 0x0C, 0x00, 0x10, 0x00, 0x80, 0x1E}); // length 15 reaches byte 135
    const CCEA861 cea = CeaOf(edid);
    ASSERT_EQ(cea.FindDataBlock(3), 120);
    EXPECT_TRUE(cea.VendorSpecificSupports_Al());
    EXPECT_EQ(cea.Max_TMDS_Clock(), 150);
    EXPECT_THROW(static_cast<void>(cea.HDMI_Video_Position()), IndexError);
    EXPECT_THROW(static_cast<void>(cea.HDMI_3D_Information_Present()), IndexError);
    EXPECT_THROW(static_cast<void>(cea.HDMI_Image_Size()), IndexError);
    EXPECT_THROW(static_cast<void>(cea.HDMI_3D_FramePacking_Support()), IndexError);

    // The same bytes with length 7: byte 128 lies outside the block and reads as 0.
    EXPECT_FALSE(CeaOf(edid.Ext(120, {0x67})).HDMI_3D_Information_Present());

    // A header on byte 127 itself, length 3.
    EdidBuilder last;
    last.Cea(128).Ext(4, {0xFF}).Ext(36, {0xFF}).Ext(68, {0xFF}).Ext(100, {0xFA}).Ext(127, {0x63});
    const CCEA861 edge = CeaOf(last);
    ASSERT_EQ(edge.FindDataBlock(3), 127);
    EXPECT_THROW(static_cast<void>(edge.VendorSpecificRegistrationIdentifier()), IndexError);
    EXPECT_EQ(edge.VendorSpecificPhysicalAddress(), "0.0.0.0");
}

TEST(CeaVendor, NoVendorBlockMeansNothingSupported)
{
    // A vendor block behind the collection's end, and one in a collection too small to hold any.
    for (const CCEA861& cea :
         {CeaOf(EdidBuilder().Cea(12).Block(2, {16}).Block(1, {9}).Ext(12, {0x78, 3, 12, 0, 16, 0, 255, 255, 224})),
          CeaOf(EdidBuilder().Cea(3).Ext(4, {0x78, 3, 12, 0, 16, 0, 255, 255, 224}))}) {
        EXPECT_EQ(cea.FindDataBlock(3), -1);
        EXPECT_EQ(cea.VendorSpecificRegistrationIdentifier(), "");
        EXPECT_EQ(cea.VendorSpecificPhysicalAddress(), "");
        EXPECT_EQ(VendorFlags(cea), Flags{});
        EXPECT_EQ(cea.Max_TMDS_Clock(), 0);
        EXPECT_EQ(cea.HDMI_Video_Position(), -1);
        EXPECT_EQ(ThreeDBits(cea), ThreeD{});
        EXPECT_EQ(cea.HDMI_Image_Size(), "No Additional Information");
    }
}

} // namespace
} // namespace tessarin
