#include "edid_layouts.h"

#include "edd_table_reader.h"
#include "layout_text.h"

namespace tessarin {
namespace {

using namespace layouts;

// An ".edd" file: the table after its line of hyphens. Taken only when the
// table has rows, so text that merely holds such a line (edid-decode's
// output) goes on to the other layouts.
bool ReadEdd(std::string_view text, LayoutRead& result)
{
    std::vector<std::uint8_t> edid(edd::EddTableReader::TableSize, 0);
    edd::EddTableReader reader(std::span<std::uint8_t, edd::EddTableReader::TableSize>(edid.data(), edid.size()));
    reader.Feed(text);
    reader.Finish();
    if (reader.Failed()) {
        result.eddTableUnreadable = true;
        return false;
    }
    if (reader.RowsRead() == 0)
        return false;
    result.edids.push_back({std::move(edid), {}});
    result.layout = ".edd";
    return true;
}

bool Take(std::vector<FoundEdid> found, const char* layout, LayoutRead& result)
{
    if (found.empty())
        return false;
    result.edids = std::move(found);
    result.layout = layout;
    return true;
}

} // namespace

LayoutRead ReadEdidLayouts(std::string_view data)
{
    LayoutRead result;
    const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(data.data()), data.size());
    if (StartsWithHeader(bytes)) {
        result.edids.push_back({std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(
                                                                              std::min(bytes.size(), kMaxEdidBytes))),
                                {}});
        result.layout = "raw binary";
        return result;
    }
    // Windows writes its .reg exports in UTF-16LE; text editors save UTF-8
    // with a BOM.
    std::string converted;
    std::string_view text = data;
    if (data.starts_with("\xFF\xFE")) {
        converted = Utf16LeToAscii(data.substr(2));
        text = converted;
    } else if (data.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    // The named layouts first: their EDIDs are also hex text, but without names.
    if (Take(FindRegistryEdids(text), "Windows .reg export", result) ||
        Take(FindXrandrEdids(text), "xrandr output", result) || Take(FindCArrays(text), "C array", result) ||
        Take(FindBase64(text), "base64", result))
        return result;
    // edid-decode's output holds a line of hyphens, as ".edd" files do, but
    // no table after it.
    if (!ReadEdd(text, result))
        Take(FindHexDumps(text), "hex text", result);
    return result;
}

} // namespace tessarin
