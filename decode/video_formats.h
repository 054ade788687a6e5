#pragma once
// Names of the CEA-861 video identification codes 1..58.
#include <array>
#include <cstddef>
#include <string_view>

namespace tessarin {

inline constexpr std::size_t VideoFormatCount = 58;

// Row k holds the name of VIC k + 1.
// In VIC order. The irregular rows are the system's own names and stay as
// they are: "2880x288" without p/i, the capital X of VICs 52-53, "23.97/24Hz".
inline constexpr std::array<std::string_view, VideoFormatCount> kVideoFormats{
    "640x480p @ 60Hz",                // 1
    "720x480p @ 59.94/60Hz",
    "720x480p @ 59.94/60Hz-W",
    "1280x720p @ 59.94/60Hz",
    "1920x1080i @ 59.94/60Hz",        // 5
    "720(1440)x480i @ 59.94/60Hz",
    "720(1440)x480i @ 59.94/60Hz-W",
    "720(1440)x240p @ 59.94/60Hz",
    "720(1440)x240p @ 59.94/60Hz-W",
    "2880x480i @ 59.94/60Hz",         // 10
    "2880x480i @ 59.94/60Hz-W",
    "2880x240p @ 59.94/60Hz",
    "2880x240p @ 59.94/60Hz-W",
    "1440x480p @ 59.94/60Hz",
    "1440x480p @ 59.94/60Hz-W",       // 15
    "1920x1080p @ 59.94/60Hz",
    "720x576p @ 50Hz",
    "720x576p @ 50Hz-W",
    "1280x720p @ 50Hz",
    "1920x1080i @ 50Hz",              // 20
    "720(1440)x576i @ 50Hz",
    "720(1440)x576i @ 50Hz-W",
    "720(1440)x288p @ 50Hz",
    "720(1440)x288p @ 50Hz-W",
    "2880x576i @ 50Hz",               // 25
    "2880x576i @ 50Hz-W",
    "2880x288 @ 50Hz",
    "2880x288 @ 50Hz-W",
    "1440x576p @ 50Hz",
    "1440x576p @ 50Hz-W",             // 30
    "1920x1080p @ 50Hz",
    "1920x1080p @ 23.97/24Hz",
    "1920x1080p @ 25Hz",
    "1920x1080p @ 29.97/30Hz",
    "2880x480p @ 59.94/60Hz",         // 35
    "2880x480p @ 59.94/60Hz-W",
    "2880x576p @ 50Hz",
    "2880x576p @ 50Hz-W",
    "1920x1080i (1250 total) @ 50Hz",
    "1920x1080i @ 100Hz",             // 40
    "1280x720p @ 100Hz",
    "720x576p @ 100Hz",
    "720x576p @ 100Hz-W",
    "720(1440)x576i @ 100Hz",
    "720(1440)x576i @ 100Hz-W",       // 45
    "1920x1080i @ 119.88/120Hz",
    "1280x720p @ 119.88/120Hz",
    "720x480p @ 119.88/120Hz",
    "720x480p @ 119.88/120Hz-W",
    "720(1440)x480i @ 119.88/120Hz",  // 50
    "720(1440)x480i @ 119.88/120Hz-W",
    "720X576p @ 200Hz",
    "720X576p @ 200Hz-W",
    "720(1440)x576i @ 200Hz",
    "720(1440)x576i @ 200Hz-W",       // 55
    "720x480p @ 239.76/240Hz",
    "720x480p @ 239.76/240Hz-W",
    "720(1440)x480i @ 239.76/240Hz",  // 58
};

} // namespace tessarin
