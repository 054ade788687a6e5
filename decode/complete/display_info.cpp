#include "display_info.h"

#include "library_sections.h"

#include <algorithm>

namespace tessarin::complete {

void DisplayInfo::Destroy::operator()(di_info* info) const noexcept { di_info_destroy(info); }

DisplayInfo::DisplayInfo(di_info* info, std::span<const std::uint8_t> edid)
    : info_(info)
    , bytes_(edid.begin(), edid.end())
{
}

DisplayInfo::~DisplayInfo() = default;

std::unique_ptr<DisplayInfo> DisplayInfo::Parse(std::span<const std::uint8_t> edid)
{
    if (edid.size() < 128)
        return nullptr;
    di_info* info = di_info_parse_edid(edid.data(), edid.size());
    if (info == nullptr)
        return nullptr;
    return std::unique_ptr<DisplayInfo>(new DisplayInfo(info, edid));
}

std::string DisplayInfo::FailureMessages() const
{
    const char* messages = di_info_get_failure_msg(info_.get());
    return messages == nullptr ? std::string() : std::string(messages);
}

Section DisplayInfo::BaseBlock(const FieldWriter& w) const
{
    return library::BaseBlock(info_.get(), std::span<const std::uint8_t, 128>(bytes_.data(), 128), w);
}

Section DisplayInfo::Vic(unsigned vic, bool native, const FieldWriter& w)
{
    return library::Vic(vic, native, w);
}

std::vector<LibraryExtension> DisplayInfo::Extensions(const FieldWriter& w) const
{
    std::vector<LibraryExtension> result;
    const di_edid* edid = di_info_get_edid(info_.get());
    if (edid == nullptr)
        return result;
    const auto count = [](auto* list) {
        std::size_t n = 0;
        for (; list != nullptr && *list != nullptr; ++list)
            ++n;
        return n;
    };
    result.reserve(count(di_edid_get_extensions(edid)));
    for (auto* ext = di_edid_get_extensions(edid); ext != nullptr && *ext != nullptr; ++ext) {
        LibraryExtension e;
        e.tag = static_cast<unsigned>(di_edid_ext_get_tag(*ext));
        if (const di_edid_cta* cta = di_edid_ext_get_cta(*ext)) {
            e.header = library::CtaHeader(cta, w);
            std::vector<std::uint8_t> vics; // for the 4:2:0 capability map
            e.dataBlocks.reserve(count(di_edid_cta_get_data_blocks(cta)));
            e.detailedTimings.reserve(count(di_edid_cta_get_detailed_timing_defs(cta)));
            for (auto* b = di_edid_cta_get_data_blocks(cta); b != nullptr && *b != nullptr; ++b) {
                LibraryDataBlock block;
                block.code = library::CtaDataBlock(*b, vics, block.section, w);
                e.dataBlocks.push_back(std::move(block));
            }
            int number = 0;
            for (auto* t = di_edid_cta_get_detailed_timing_defs(cta); t != nullptr && *t != nullptr; ++t)
                e.detailedTimings.push_back(library::DetailedTiming(**t, ++number, w));
        } else if (const di_displayid* id = di_edid_ext_get_displayid(*ext)) {
            e.header = library::DisplayIdHeader(id, w);
            e.dataBlocks.reserve(count(di_displayid_get_data_blocks(id)));
            for (auto* b = di_displayid_get_data_blocks(id); b != nullptr && *b != nullptr; ++b) {
                LibraryDataBlock block;
                block.code = static_cast<unsigned>(di_displayid_data_block_get_tag(*b));
                block.section = library::DisplayIdDataBlock(*b, w);
                e.dataBlocks.push_back(std::move(block));
            }
        }
        result.push_back(std::move(e));
    }
    return result;
}

} // namespace tessarin::complete
