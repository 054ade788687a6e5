// Whole real EDIDs from tests/data, each value checked by hand against the
// bytes and an independent EDID decoder.
#include "edid_builder.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

int ValidExtensionSlots(const CEDIDParser& parser)
{
    int count = 0;
    for (std::int32_t slot = 5; slot <= 10; ++slot)
        count += parser.DetailedTiming(slot).isValid() ? 1 : 0;
    return count;
}

TEST(RealEdid, HdmiTelevisionWithThreeDSupport)
{
    CEDIDParser parser;
    ASSERT_TRUE(parser.UpdateEDIDDataFromArray(test::LoadTestEdid("GSM-7045A2DA2452.bin")));
    EXPECT_EQ(parser.IDManufacturerName(), "LG Electronics Inc. (GoldStar Technology, Inc.)");
    EXPECT_EQ(parser.YearOfManufacture(), 2012);
    EXPECT_FLOAT_EQ(parser.DisplaySize(), 72.3f);
    EXPECT_FLOAT_EQ(parser.BlueY(), 0.060f);
    for (std::int32_t e : {0, 1, 2, 3, 4, 5, 6, 7, 10, 11, 12, 13, 14, 15, 16, 17, 27})
        EXPECT_EQ(parser.EstablishedTimingsSupported(e), e == 0 || e == 5 || e == 7 || e == 13) << e;
    EXPECT_EQ(parser.StandardTimingYResolution(4), 864);
    EXPECT_EQ(parser.DetailedTiming(2).HorizontalActive(), 1360);
    EXPECT_FALSE(parser.DetailedTiming(3).isValid());
    EXPECT_EQ(parser.MonitorName(), "LG TV");
    EXPECT_EQ(parser.MaximumPixelClock(), 160);

    ASSERT_EQ(parser.TypeOfExtensionBlock(), 2);
    const CCEA861* cea = parser.edidCEA861();
    EXPECT_EQ(cea->NumberOfVideoCodes(), 8);
    EXPECT_EQ(cea->VideoFormatString(2), "1920x1080p @ 29.97/30Hz");
    EXPECT_FALSE(cea->Support50Hz2DFormat());
    EXPECT_EQ(cea->Max_TMDS_Clock(), 150);
    EXPECT_EQ(cea->HDMI_Video_Position(), 26);
    EXPECT_TRUE(cea->HDMI_3D_Present() && cea->HDMI_3D_Mask_Present());
    EXPECT_TRUE(cea->HDMI_3D_SideBySide_Support() && cea->HDMI_3D_TopAndBottom_Support());
    EXPECT_FALSE(cea->HDMI_3D_FramePacking_Support());
    EXPECT_EQ(ValidExtensionSlots(parser), 4);
    EXPECT_FLOAT_EQ(parser.DetailedTiming(8).PixelClock(), 138.62f);
}

TEST(RealEdid, HdmiTelevisionWithLatencyFreeVendorBlock)
{
    CEDIDParser parser;
    ASSERT_TRUE(parser.UpdateEDIDDataFromArray(test::LoadTestEdid("SNY-edid-decode-sony-kd55xd-hdmi.bin")));
    EXPECT_EQ(parser.MonitorName(), "SONY TV  *02");
    const CCEA861* cea = parser.edidCEA861();
    EXPECT_EQ(cea->NumberOfVideoCodes(), 23);
    EXPECT_EQ(cea->VideoFormatString(1), "Error"); // VIC 93 is beyond the table
    EXPECT_EQ(cea->VideoFormatString(5), "1920x1080p @ 50Hz");
    EXPECT_TRUE(cea->Supports36bpp() && cea->SupportsYCbCr());
    EXPECT_FALSE(cea->Supports48bpp());
    EXPECT_EQ(cea->HDMI_Video_Position(), 51);
    EXPECT_EQ(cea->HDMI_Image_Size(), "Aspect ratio is correct and Sizes are rounded to the nearest 1cm");
    EXPECT_EQ(cea->HDMI_VIC_Length(), 4);
    EXPECT_TRUE(cea->HDMI_3D_SideBySide_Support() && cea->HDMI_3D_TopAndBottom_Support());
    EXPECT_EQ(ValidExtensionSlots(parser), 1);
}

TEST(RealEdid, SixExtensionTimingsAndNoDataBlocks)
{
    CEDIDParser parser;
    ASSERT_TRUE(parser.UpdateEDIDDataFromArray(test::LoadTestEdid("AYN-F8A24EFB9FD3.bin")));
    EXPECT_EQ(ValidExtensionSlots(parser), 6);
    EXPECT_EQ(parser.DetailedTiming(10).VerticalActive(), 1366);
    EXPECT_EQ(parser.edidCEA861()->VendorSpecificRegistrationIdentifier(), "");
}

TEST(RealEdid, OlderMonitorsAndOtherExtensions)
{
    CEDIDParser parser; // 128-byte files, zero-padded as the sources do
    ASSERT_TRUE(parser.UpdateEDIDDataFromArray(test::LoadTestEdid("ADI-6060E8A29762.bin")));
    EXPECT_EQ(parser.IDManufacturerName(), "ADI Corporation");
    EXPECT_EQ(parser.AnalogSignalProperties(), "Separate Sync - 0.700V/0.000V (0.700 Vp-p)");
    EXPECT_FLOAT_EQ(parser.DisplaySize(), 14.9f);
    EXPECT_EQ(parser.MonitorSerialNumber(), "0966");

    ASSERT_TRUE(parser.UpdateEDIDDataFromArray(test::LoadTestEdid("APP-edid-decode-apple-cinemahd-30-dvi.bin")));
    EXPECT_EQ(parser.TypeOfExtensionBlock(), 64);
    EXPECT_EQ(parser.MonitorName(), "Cinema HD");
    EXPECT_EQ(parser.MonitorSerialNumber(), "CY73602KXMP");
}

} // namespace
} // namespace tessarin
