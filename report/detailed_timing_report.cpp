#include "edid_parser.h"
#include "edid_report.h"
#include "report_steps.h"
#include "report_writer.h"

namespace tessarin {

using namespace report_steps;

namespace {

const char* InputTypeName(std::int32_t type)
{
    switch (type) {
    case 0: return "Analog Composite";
    case 1: return "Bipolar Analog Composite";
    case 2: return "Digital Composite";
    case 3: return "Digital Separate";
    default: return nullptr;
    }
}

} // namespace

// No steps of its own: the first value the decoder cannot give ends the
// timing's lines, and the caller goes on with its next statement.
void DisplayDetailedTiming(const ReportContext& report, std::uint8_t index)
{
    ReportWriter& w = report.writer;
    CEDIDParser& p = report.parser;
    const auto pixels = [](std::int16_t value) { return Decimal(value) + " pixels"; };
    const auto lines = [](std::int16_t value) { return Decimal(value) + " lines"; };
    const auto mm = [](std::int16_t value) { return Decimal(value) + " mm"; };

    p.DetailedTimingIndex(index);
    w.AddLabelValue("Pixel Clock : ", Real(p.PixelClock(), report.decimalSeparator) + " Mhz");
    w.AddEmptyLine();
    w.AddLabelValue("Horizontal Active : ", pixels(p.HorizontalActive()));
    w.AddLabelValue("Horizontal Blanking : ", pixels(p.HorizontalBlanking()));
    w.AddLabelValue("Horizontal Sync Offset : ", pixels(p.HorizontalSyncOffset()));
    w.AddLabelValue("Horizontal Sync Pulse Width : ", pixels(p.HorizontalSyncPulseWidth()));
    w.AddLabelValue("Horizontal Border : ", pixels(p.HorizontalBorder()));
    w.AddLabelValue("Horizontal Size : ", mm(p.HorizontalSize()));
    w.AddEmptyLine();
    w.AddLabelValue("Vertical Active : ", lines(p.VerticalActive()));
    w.AddLabelValue("Vertical Blanking : ", lines(p.VerticalBlanking()));
    w.AddLabelValue("Vertical Sync Offset : ", lines(p.VerticalSyncOffset()));
    w.AddLabelValue("Vertical Sync Pulse Width : ", lines(p.VerticalSyncPulseWidth()));
    w.AddLabelValue("Vertical Border : ", lines(p.VerticalBorder()));
    w.AddLabelValue("Vertical Size : ", mm(p.VerticalSize()));
    w.AddEmptyLine();
    if (const char* name = InputTypeName(p.InputType()))
        w.AddLabelValue("Input Type : ", name);
    w.AddLabelValue("Interlaced : ", YesNo(p.Interlaced()));
    w.AddLabelValue("VerticalPolarity : ", YesNo(p.VerticalPolarity()));
    w.AddLabelValue("HorizontalPolarity : ", YesNo(p.HorizontalPolarity()));
}

} // namespace tessarin
