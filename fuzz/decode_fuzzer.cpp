// Any bytes, as the decoder would get them from a file or a device: the first
// 256 zero-padded, then every property read. The raw input goes in too, to
// prove that a buffer of any other size is turned away and changes nothing.
// Where the build has it, the complete decode takes all the bytes (up to
// 32 KiB) and its report is written after the standard one.
#include "edid_parser.h"
#include "property_walk.h"
#ifdef TESSARIN_COMPLETE_DECODE
#include "complete_decoder.h"
#include "edid_report.h"
#include "headless_view.h"
#include "report_writer.h"
#endif

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using tessarin::CEDIDParser;
    using tessarin::OutOfRange;
    const std::span<const std::uint8_t> raw(data, size);
    static const std::uint64_t empty = [] {
        CEDIDParser fresh;
        return tessarin::ReadEveryProperty(fresh, OutOfRange::Skip);
    }();

    CEDIDParser parser;
    if (parser.UpdateEDIDDataFromArray(raw) != (size == CEDIDParser::EDIDSize))
        std::abort();
    if (size != CEDIDParser::EDIDSize && tessarin::ReadEveryProperty(parser, OutOfRange::Skip) != empty)
        std::abort();

    std::array<std::uint8_t, CEDIDParser::EDIDSize> edid{};
    std::copy_n(raw.begin(), std::min(size, edid.size()), edid.begin());
    if (!parser.UpdateEDIDDataFromArray(edid))
        std::abort();
    const std::uint64_t loaded = tessarin::ReadEveryProperty(parser);

    // A refused buffer after a load leaves the loaded EDID as it was.
    if (size != CEDIDParser::EDIDSize) {
        if (parser.UpdateEDIDDataFromArray(raw) || tessarin::ReadEveryProperty(parser) != loaded)
            std::abort();
    }

#ifdef TESSARIN_COMPLETE_DECODE
    const auto decode = tessarin::complete::DecodeComplete(raw);
    if (decode.checksums.size() != std::min(size, tessarin::complete::kMaxEdidBytes) / 128)
        std::abort();
    tessarin::HeadlessReportView view;
    tessarin::HeadlessSectionTree tree;
    tessarin::ReportWriter writer(view, tree);
    tessarin::ReportContext context{writer, parser, '.'};
    context.complete = &decode;
    tessarin::DisplayEDIDBase(context);
    // The standard report stays the prefix of the complete one.
    tessarin::HeadlessReportView standardView;
    tessarin::HeadlessSectionTree standardTree;
    tessarin::ReportWriter standard(standardView, standardTree);
    tessarin::DisplayEDIDBase(tessarin::ReportContext{standard, parser, '.'});
    if (!writer.ReportDocument().starts_with(standard.ReportDocument()))
        std::abort();
#endif
    return 0;
}
