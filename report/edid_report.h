#pragma once
// The three report routines: the base block, one detailed timing, and the
// CEA-861 extension, written through a ReportWriter from the decoder's values.
#include <cstdint>

namespace tessarin {

class CEDIDParser;
class ReportWriter;
namespace complete {
struct CompleteDecode;
}

struct ReportContext {
    ReportWriter& writer;
    // Not const: the routines select detailed-timing slots on it.
    CEDIDParser& parser;
    // Between the whole and fractional part of reals (the user's locale).
    char decimalSeparator = '.';
    // When given, the complete decode follows the standard report.
    const complete::CompleteDecode* complete = nullptr;
};

// The complete report of the EDID the parser holds, published to the view.
// A value the decoder cannot give leaves its one line out; the report is
// always completed.
void DisplayEDIDBase(const ReportContext& report);
// The 128 base-block bytes in eight rows of sixteen.
void DisplayRawBaseData(const ReportContext& report);
// The lines of detailed-timing slot `index` (its title is the caller's). A
// value the decoder cannot give ends this timing's lines, by exception.
void DisplayDetailedTiming(const ReportContext& report, std::uint8_t index);
// The extension's title, root node and sections; the caller checks that the
// parser holds a CEA-861 extension.
void DisplayEDIDCEA(const ReportContext& report);
// The 128 extension bytes, labelled with their offsets 0x80 to 0xF0.
void DisplayRawCEAData(const ReportContext& report);

} // namespace tessarin
