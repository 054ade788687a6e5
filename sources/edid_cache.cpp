#include "edid_cache.h"

#include "replace_file.h"

#include <exception>
#include <limits>
#include <system_error>

namespace tessarin {
namespace {

void AppendInt16(std::string& out, std::int16_t value)
{
    const auto bits = static_cast<std::uint16_t>(value);
    out += static_cast<char>(bits & 0xFFu);
    out += static_cast<char>(bits >> 8u);
}

} // namespace

std::string FormatEDIDCache(std::span<const std::uint8_t> bytes)
{
    if (bytes.empty() || bytes.size() - 1 > static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max()))
        return {};
    std::string content;
    content.reserve(4 + bytes.size());
    AppendInt16(content, 0);
    AppendInt16(content, static_cast<std::int16_t>(bytes.size() - 1));
    content.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return content;
}

std::optional<std::filesystem::path> SaveEDIDCache(std::span<const std::uint8_t> CurrentEDID,
                                                   std::span<const std::filesystem::path> folders) noexcept
{
    try {
        const std::string content = FormatEDIDCache(CurrentEDID);
        if (content.empty())
            return std::nullopt;
        for (const std::filesystem::path& folder : folders) {
            if (folder.empty())
                continue;
            std::error_code error;
            std::filesystem::create_directories(folder, error);
            const std::filesystem::path target = folder / kEDIDCacheName;
            if (ReplaceFileContent(target, content))
                return target;
        }
    } catch (const std::exception&) {
        // An allocation failure here must not cost the load its EDID.
    }
    return std::nullopt;
}

} // namespace tessarin
