#include "established_timings.h"

#include <array>

namespace tessarin {

namespace {

// Byte 35 bits 0-7 are indexes 0-7, byte 36 bits 0-7 are 10-17, byte 37 bit 7 is 27.
constexpr auto kEstablishedTimings = std::to_array<EstablishedTiming>({
    {0, "800 x 600 @ 60Hz (VESA)", 800, 600, 60},
    {1, "800 x 600 @ 56Hz (VESA)", 800, 600, 56},
    {2, "640 x 480 @ 75Hz (VESA)", 640, 480, 75},
    {3, "640 x 480 @ 72Hz (VESA)", 640, 480, 72},
    {4, "640 x 480 @ 67Hz (Apple, Mac II)", 640, 480, 67},
    {5, "640 x 480 @ 60Hz (IBM, VGA)", 640, 480, 60},
    {6, "720 x 400 @ 88Hz (IBM, XGA2)", 720, 400, 88},
    {7, "720 x 400 @ 70Hz (IBM, VGA)", 720, 400, 70},
    {10, "1280 x 1024 @ 75Hz (VESA)", 1280, 1024, 75},
    {11, "1024 x 768 @ 75Hz (VESA)", 1024, 768, 75},
    {12, "1024 x 768 @ 70Hz (VESA)", 1024, 768, 70},
    {13, "1024 x 768 @ 60Hz (VESA)", 1024, 768, 60},
    {14, "1024 x 768 @ 87Hz(I) IBM)", 1024, 768, 87},
    {15, "832 x 624 @ 75Hz (Apple, Mac II)", 832, 624, 75},
    {16, "800 x 600 @ 75Hz (VESA)", 800, 600, 75},
    {17, "800 x 600 @ 72Hz (VESA)", 800, 600, 72},
    {27, "1152 x 870 @ 75Hz (Apple, Mac II)", 1152, 870, 75},
});

// eTiming 0..27 to its row, or nullptr: a report asks for every index.
constexpr auto kByIndex = [] {
    std::array<const EstablishedTiming*, 28> rows{};
    for (const EstablishedTiming& row : kEstablishedTimings)
        rows[static_cast<std::size_t>(row.eTiming)] = &row;
    return rows;
}();

} // namespace

const EstablishedTiming* FindEstablishedTiming(std::int32_t eTiming) noexcept
{
    if (eTiming < 0 || eTiming >= static_cast<std::int32_t>(kByIndex.size()))
        return nullptr;
    return kByIndex[static_cast<std::size_t>(eTiming)];
}

} // namespace tessarin
