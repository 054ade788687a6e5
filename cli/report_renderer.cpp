#include "report_renderer.h"

#include "edid_input.h"
#include "edid_json.h"
#include "edid_parser.h"
#include "edid_report.h"
#include "edd_file.h"
#ifdef TESSARIN_COMPLETE_DECODE
#include "complete_decoder.h"
#endif

#include <algorithm>
#include <span>

namespace tessarin {
namespace {

// After the report, as everything added to it comes: what the copy lacks.
void AddRedactedNote(ReportWriter& writer)
{
    writer.AddSectionTitle("Redacted Copy");
    writer.AddLabelValue("Serial numbers : ", "replaced by zeros and spaces");
    writer.AddLabelValue("Checksums : ", "recomputed; each block is as right or wrong as in the original");
    writer.Publish();
}

std::string HexLines(const std::vector<std::uint8_t>& bytes)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 0xF];
        text += (i % 16 == 15 || i + 1 == bytes.size()) ? '\n' : ' ';
    }
    return text;
}

} // namespace

ReportRenderer::ReportRenderer()
    : writer_(view_, tree_)
{
}

std::string_view ReportRenderer::Render(OutputFormat format, bool standard, const std::vector<std::uint8_t>& bytes,
                                        bool redacted, char separator)
{
    if (format == OutputFormat::Bin)
        return std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (format == OutputFormat::Hex)
        return text_ = HexLines(bytes);
    if (format == OutputFormat::Json)
        return text_ = EdidJsonText(bytes, redacted);
    const std::vector<std::uint8_t> first = DecoderBytes(bytes);
    CEDIDParser parser;
    parser.UpdateEDIDDataFromArray(first);
    if (format == OutputFormat::Edd)
        return text_ = FormatDataFile(first, parser, separator);
    writer_.KeepRtf(format == OutputFormat::Rtf);
    ReportContext context{writer_, parser, separator};
#ifdef TESSARIN_COMPLETE_DECODE
    const complete::CompleteDecode decode = standard ? complete::CompleteDecode{} : complete::DecodeComplete(bytes, separator);
    if (!standard)
        context.complete = &decode;
#else
    (void)standard;
#endif
    DisplayEDIDBase(context);
    if (redacted)
        AddRedactedNote(writer_);
    if (format == OutputFormat::Rtf)
        return text_ = writer_.CompleteDocument();
    return PlainText();
}

std::string_view ReportRenderer::PlainText()
{
    const DocumentModel& document = writer_.Document();
    const std::size_t bound = document.PlainTextBound();
    if (plainCapacity_ < bound) {
        plainCapacity_ = std::max(bound, 2 * plainCapacity_);
        plain_ = std::make_unique_for_overwrite<char[]>(plainCapacity_);
    }
    if (const auto size = document.PlainTextInto(std::span<char>(plain_.get(), plainCapacity_)))
        return std::string_view(plain_.get(), *size);
    return text_ = document.PlainText();
}

} // namespace tessarin
