#pragma once
// Names of the CEA-861 video identification codes 1..58.
#include <array>
#include <cstddef>
#include <string_view>

namespace tessarin {

inline constexpr std::size_t VideoFormatCount = 58;

// Row k holds the name of VIC k + 1.
extern const std::array<std::string_view, VideoFormatCount> kVideoFormats;

} // namespace tessarin
