#include "edid_parser.h"
#include "edid_report.h"
#include "report_steps.h"
#include "report_writer.h"

#include <array>

namespace tessarin {

using namespace report_steps;

namespace {

constexpr const char* kExtensionTitle = "EDID EXTENSION : EIA/CEA-861";

constexpr std::array kMandatory60Hz = {
    "1920x1080p @23.98/24Hz Frame packing",
    "1280x720p @59.94/60Hz Frame packing",
    "1920x1080i @59.94/60Hz Side-by-Side (Half)",
    "1920x1080p @23.98/24Hz Top-and-Bottom",
    "1280x720p @59.94/60Hz Top-and-Bottom",
};
// Added to the 60 Hz list when the sink takes 50 Hz formats as well.
constexpr std::array kMandatory60And50Hz = {
    "1280x720p @50Hz Frame packing",
    "1920x1080i @50Hz Side-by-Side (Half)",
    "1280x720p @50Hz Top-and-Bottom",
};
constexpr std::array kMandatory50Hz = {
    "1920x1080p @23.98 / 24Hz Frame packing",
    "1280x720p @50Hz Frame packing",
    "1920x1080i @50Hz Side-by-Side (Half)",
    "1920x1080p @23.98 / 24Hz Top-and-Bottom",
    "1280x720p @50Hz Top-and-Bottom",
};

void ListLines(ReportWriter& w, std::span<const char* const> lines)
{
    for (const char* line : lines)
        Step([&] { w.AddLabelValue("", line); });
}

void HeaderSections(ReportWriter& w, const CCEA861& cea)
{
    const auto supported = ReportWriter::BooleanToSupportedValue;
    Step([&] { w.AddCEASectionTitle("Information"); });
    Step([&] { w.AddLabelValue("Version Number : ", Decimal(cea.RevisionNumber())); });

    Step([&] { w.AddCEASectionTitle("DTV Monitor Support"); });
    Step([&] { w.AddLabelValue("Under Scan : ", supported(cea.IsDTVMonitorSupport(3))); });
    Step([&] { w.AddLabelValue("Basic Audio : ", supported(cea.IsDTVMonitorSupport(2))); });
    Step([&] { w.AddLabelValue("YCbCr 4:4:4 : ", supported(cea.IsDTVMonitorSupport(1))); });
    Step([&] { w.AddLabelValue("YCbCr 4:2:2 : ", supported(cea.IsDTVMonitorSupport(0))); });
    Step([&] { w.AddLabelValue("Number of native Formats : ", Decimal(cea.NumberOfNativeFormats())); });
}

void VideoSection(ReportWriter& w, const CCEA861& cea)
{
    Step([&] { w.AddCEASectionTitle("Video Short Description"); });
    Step([&] { w.AddLabelValue("Video Formats :", ""); });
    std::int16_t count = 0;
    Step([&] { count = cea.NumberOfVideoCodes(); });
    for (std::int16_t n = 1; n <= count; ++n) {
        const auto bytNum = static_cast<std::uint8_t>(n);
        Step([&] {
            ShortText line(TableText(cea.VideoFormatName(bytNum)));
            w.AddLabelValue("", line += ReportWriter::BooleanToNativeValue(cea.IsNativeVideoFormat(bytNum)));
        });
    }
}

void ExtensionTimings(const ReportContext& report)
{
    CEDIDParser& p = report.parser;
    for (std::int32_t slot = 5; slot <= 10; ++slot) {
        Step([&] { p.DetailedTimingIndex(slot); });
        bool valid = true; // a failing test leaves out only what it guards: the stop
        Step([&] { valid = p.DetailedTimingIsValid(); });
        if (!valid)
            break;
        Step([&] { report.writer.AddCEASectionTitle("Detailed Timing #" + Decimal(slot - 4)); });
        Step([&] { DisplayDetailedTiming(report, static_cast<std::uint8_t>(slot)); });
    }
}

void VendorSection(ReportWriter& w, const CCEA861& cea)
{
    Step([&] { w.AddCEASectionTitle("Vendor Specific Data Block (VSDB)"); });
    Step([&] {
        w.AddLabelValue("24-bit IEEE Registration Indentifier :", Text(cea.VendorSpecificRegistrationIdentifier()));
    });
    Step([&] { w.AddLabelValue("Physical address :", Text(cea.VendorSpecificPhysicalAddress())); });
    Step([&] { w.AddLabelValue("Support_Al (ACP & ISRx packets) :", YesNo(cea.VendorSpecificSupports_Al())); });
    Step([&] { w.AddLabelValue("Supports 48bpp :", YesNo(cea.Supports48bpp())); });
    Step([&] { w.AddLabelValue("Supports 36bpp :", YesNo(cea.Supports36bpp())); });
    Step([&] { w.AddLabelValue("Supports 30bpp :", YesNo(cea.Supports30bpp())); });
    Step([&] { w.AddLabelValue("Supports YCbCr 4:4:4 :", YesNo(cea.SupportsYCbCr())); });
    Step([&] { w.AddLabelValue("Supports DVI dual-link :", YesNo(cea.SupportsDUALDVI())); });
    Step([&] { w.AddLabelValue("Max TMDS_Clock :", Decimal(cea.Max_TMDS_Clock()) + " Mhz"); });
}

void MandatoryFormats(ReportWriter& w, const CCEA861& cea)
{
    // One statement: a test that fails leaves out the whole choice.
    Step([&] {
        if (cea.Support60Hz2DFormat()) {
            ListLines(w, kMandatory60Hz);
            Step([&] {
                if (cea.Support50Hz2DFormat())
                    ListLines(w, kMandatory60And50Hz);
            });
        } else if (cea.Support50Hz2DFormat()) {
            ListLines(w, kMandatory50Hz);
        }
    });
}

void HDMI3DSection(ReportWriter& w, const CCEA861& cea)
{
    Step([&] {
        if (!cea.HDMI_3D_Information_Present())
            return;
        Step([&] { w.AddCEASectionTitle("HDMI 3D Data"); });
        Step([&] { w.AddLabelValue("Image Size Information :", Text(cea.HDMI_Image_Size())); });
        Step([&] { w.AddLabelValue("Frame Packing Support :", YesNo(cea.HDMI_3D_FramePacking_Support())); });
        Step([&] { w.AddLabelValue("Top and Bottom Support :", YesNo(cea.HDMI_3D_TopAndBottom_Support())); });
        Step([&] { w.AddLabelValue("Side By Side Support :", YesNo(cea.HDMI_3D_SideBySide_Support())); });
        Step([&] {
            if (!cea.HDMI_3D_Present())
                return;
            Step([&] { w.AddLabelValue("Mandatory 3D Format :", ""); });
            MandatoryFormats(w, cea);
        });
    });
}

} // namespace

void DisplayEDIDCEA(const ReportContext& report)
{
    ReportWriter& w = report.writer;
    const CCEA861* cea = report.parser.edidCEA861();
    if (cea == nullptr)
        return;
    for (int i = 0; i < 5; ++i)
        Step([&] { w.AddEmptyLine(); });
    Step([&] { w.AddExtensionTitle(kExtensionTitle); });
    Step([&] { w.AddExtensionRootNode(kExtensionTitle); });
    HeaderSections(w, *cea);
    VideoSection(w, *cea);
    ExtensionTimings(report);
    VendorSection(w, *cea);
    HDMI3DSection(w, *cea);
    Step([&] { w.AddCEASectionTitle("RAW Data"); });
    Step([&] { DisplayRawCEAData(report); });
}

void DisplayRawCEAData(const ReportContext& report)
{
    const CCEA861* cea = report.parser.edidCEA861();
    if (cea == nullptr)
        return;
    const auto bytes = cea->RawEDIDCEAData();
    for (unsigned row = 0; row < 8; ++row) {
        Step([&] {
            report.writer.AddRawDataLine(HexLabel(128 + row * 16),
                                         HexRow(std::span(bytes).subspan(row * 16, 16)));
        });
    }
}

} // namespace tessarin
