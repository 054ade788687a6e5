#include "complete_report.h"
#include "edid_parser.h"
#include "edid_report.h"
#include "report_steps.h"
#include "report_writer.h"

namespace tessarin {

using namespace report_steps;

namespace {

void VendorSection(ReportWriter& w, const CEDIDParser& p)
{
    Step([&] { w.AddSectionTitle("Vendor/Product Identification"); });
    Step([&] { w.AddLabelValue("Monitor Name : ", Text(p.MonitorName())); });
    Step([&] { w.AddLabelValue("Monitor Serial Number : ", Text(p.MonitorSerialNumber())); });
    Step([&] { w.AddLabelValue("Manufacturer Name : ", Text(p.IDManufacturerName())); });
    Step([&] { w.AddLabelValue("Product Id : ", Text(p.IDProductId())); });
    Step([&] { w.AddLabelValue("Serial Number : ", Text(p.IDSerialNumber())); });
    Step([&] { w.AddLabelValue("Week Of Manufacture : ", Decimal(p.WeekOfManufacture())); });
    Step([&] { w.AddLabelValue("Year Of Manufacture : ", Decimal(p.YearOfManufacture())); });
    Step([&] {
        std::string version = "V";
        version += Decimal(p.EDIDVersion()) + "." + Decimal(p.EDIDRevision());
        w.AddLabelValue("EDIDVersion : ", version);
    });
    Step([&] { w.AddLabelValue("Number Of Extension Flag : ", Decimal(p.NumberOfExtensionFlag())); });
}

void DisplayParametersSection(ReportWriter& w, const CEDIDParser& p, char separator)
{
    Step([&] { w.AddSectionTitle("Display parameters"); });
    Step([&] { w.AddLabelValue("Video Input Definition : ", Text(p.VideoInputDefinition())); });
    Step([&] {
        if (p.VideoInputDefinition() == "Analog Signal")
            Step([&] { w.AddLabelValue(" Analog Signal Properties : ", Text(p.AnalogSignalProperties())); });
        else
            Step([&] { w.AddLabelValue("DFP1X Compatible Interface : ", YesNo(p.DFP1XCompatibleInterface())); });
    });
    Step([&] { w.AddLabelValue("Max Horizontal Image Size : ", Decimal(p.MaxHorizontalImageSize()) + " mm"); });
    Step([&] { w.AddLabelValue("Max Vertical Image Size : ", Decimal(p.MaxVerticalImageSize()) + " mm"); });
    Step([&] { w.AddLabelValue("Max Display Size : ", Real(p.DisplaySize(), separator) + " Inches"); });
}

void PowerSection(ReportWriter& w, const CEDIDParser& p)
{
    const auto supported = ReportWriter::BooleanToSupportedValue;
    Step([&] { w.AddSectionTitle("Power Management and Features"); });
    Step([&] { w.AddLabelValue("Standby : ", supported(p.StandbySupported())); });
    Step([&] { w.AddLabelValue("Suspend : ", supported(p.SuspendSupported())); });
    Step([&] { w.AddLabelValue("ActiveOff : ", supported(p.ActiveOffSupported())); });
    Step([&] { w.AddLabelValue("Video Input : ", Decimal(p.DisplayType())); });
    Step([&] { w.AddLabelValue("sRGB Default ColorSpace : ", YesNo(p.sRGBDefaultColorSpace())); });
    Step([&] { w.AddLabelValue("Default GTF : ", supported(p.DefaultGTFSupported())); });
    Step([&] { w.AddLabelValue("Prefered Timing Mode : ", YesNo(p.PreferedTimingMode())); });
}

const char* DisplayTypeName(std::int32_t type)
{
    switch (type) {
    case 0: return "Monochrome";
    case 1: return "RGB Color Display";
    case 2: return "Non RGB Color Display";
    case 3: return "Undifined";
    default: return nullptr;
    }
}

void ColourSection(ReportWriter& w, const CEDIDParser& p, char separator)
{
    const auto xy = [&](float x, float y) {
        return "x = " + Real(x, separator) + " - y = " + Real(y, separator);
    };
    Step([&] { w.AddSectionTitle("Gamma/Color and Etablished Timings"); });
    Step([&] { w.AddLabelValue("Display Gamma : ", Real(p.DisplayGamma(), separator)); });
    Step([&] { w.AddLabelValue("Red : ", xy(p.RedX(), p.RedY())); });
    Step([&] { w.AddLabelValue("Green : ", xy(p.GreenX(), p.GreenY())); });
    Step([&] { w.AddLabelValue("Blue : ", xy(p.BlueX(), p.BlueY())); });
    Step([&] { w.AddLabelValue("White : ", xy(p.WhiteX(), p.WhiteY())); });
    Step([&] { w.AddEmptyLine(); });
    Step([&] { w.AddLabelValue("Etablished Timings : ", ""); });
    for (std::int32_t eTiming = 0; eTiming <= 27; ++eTiming) {
        Step([&] {
            if (p.EstablishedTimingsSupported(eTiming))
                Step([&] { w.AddLabelValue("", TableText(p.EstablishedTimingsName(eTiming))); });
        });
    }
    Step([&] { w.AddEmptyLine(); });
    Step([&] {
        if (const char* name = DisplayTypeName(p.DisplayType()))
            Step([&] { w.AddLabelValue("Display Type : ", name); });
    });
}

void StandardTimingSection(ReportWriter& w, const CEDIDParser& p)
{
    Step([&] { w.AddSectionTitle("Standard Timing"); });
    for (std::uint8_t id = 1; id <= 8; ++id) {
        Step([&] {
            if (!p.StandardTimingEnable(id))
                return;
            Step([&] { w.AddEmptyLine(); });
            Step([&] { w.AddLabelValue("Standard Timings n\u00B0", Decimal(id)); });
            Step([&] { w.AddLabelValue("X Resolution : ", Decimal(p.StandardTimingXResolution(id))); });
            Step([&] { w.AddLabelValue("Y Resolution : ", Decimal(p.StandardTimingYResolution(id))); });
            Step([&] {
                w.AddLabelValue("Vertical Frequency : ", Decimal(p.StandardTimingVerticalFrequency(id)));
            });
        });
    }
}

void DetailedTimingSections(const ReportContext& report)
{
    ReportWriter& w = report.writer;
    CEDIDParser& p = report.parser;
    Step([&] { w.AddSectionTitle("Preferred Detailed Timing"); });
    Step([&] { DisplayDetailedTiming(report, 1); });
    for (std::uint8_t index = 2; index <= 4; ++index) {
        Step([&] { p.DetailedTimingIndex(index); });
        bool valid = true; // a failing test leaves out only what it guards: the stop
        Step([&] { valid = p.DetailedTimingIsValid(); });
        if (!valid)
            break;
        Step([&] { w.AddSectionTitle("Detailed Timing #" + Decimal(index)); });
        Step([&] { DisplayDetailedTiming(report, index); });
    }
}

void RangeLimitSection(ReportWriter& w, const CEDIDParser& p)
{
    Step([&] { w.AddSectionTitle("Monitor Range Limit"); });
    Step([&] { w.AddLabelValue("Maximum Vertical Frequency : ", Decimal(p.MaximumVerticalFrequency()) + " Hz"); });
    Step([&] { w.AddLabelValue("Minimum Vertical Frequency : ", Decimal(p.MinimumVerticalFrequency()) + " Hz"); });
    Step([&] {
        w.AddLabelValue("Maximum Horizontal Frequency : ", Decimal(p.MaximumHorizontalFrequency()) + " KHz");
    });
    Step([&] {
        w.AddLabelValue("Minimum Horizontal Frequency : ", Decimal(p.MinimumHorizontalFrequency()) + " KHz");
    });
    Step([&] { w.AddLabelValue("Maximum Pixel Clock : ", Decimal(p.MaximumPixelClock()) + " MHz"); });
}

} // namespace

void DisplayEDIDBase(const ReportContext& report)
{
    ReportWriter& w = report.writer;
    CEDIDParser& p = report.parser;
    Step([&] { w.StartReport(); });
    Step([&] { w.AddBaseRootNode(p); });
    VendorSection(w, p);
    DisplayParametersSection(w, p, report.decimalSeparator);
    PowerSection(w, p);
    ColourSection(w, p, report.decimalSeparator);
    StandardTimingSection(w, p);
    DetailedTimingSections(report);
    RangeLimitSection(w, p);
    Step([&] { w.AddSectionTitle("Stereo Display"); });
    Step([&] { w.AddLabelValue("Stereo Display : ", Text(p.StereoDisplay())); });
    Step([&] { w.AddSectionTitle("RAW Data"); });
    Step([&] { DisplayRawBaseData(report); });
    Step([&] {
        if (p.TypeOfExtensionBlock() == 2 && p.edidCEA861() != nullptr)
            Step([&] { DisplayEDIDCEA(report); });
    });
    // So that the last section can still be scrolled to the top of the pane.
    for (int i = 0; i < 9; ++i)
        Step([&] { w.AddEmptyLine(); });
    if (report.complete != nullptr) {
        DisplayCompleteDecode(w, *report.complete);
        for (int i = 0; i < 9; ++i)
            Step([&] { w.AddEmptyLine(); });
    }
    w.Publish();
}

void DisplayRawBaseData(const ReportContext& report)
{
    const auto bytes = report.parser.RawEDIDBaseData();
    for (unsigned row = 0; row < 8; ++row) {
        Step([&] {
            report.writer.AddRawDataLine(HexLabel(row * 16),
                                         HexRow(std::span(bytes).subspan(row * 16, 16)));
        });
    }
}

} // namespace tessarin
