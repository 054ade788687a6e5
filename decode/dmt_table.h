#pragma once
// The VESA Display Monitor Timings by their one-byte ID, as DisplayID's
// timing bitmaps name them.
#include <cstdint>

namespace tessarin {

struct DmtMode {
    std::uint8_t id;
    std::int16_t width;
    std::int16_t height;
    double hz; // nominal vertical rate
    bool interlaced;
    bool reducedBlanking;
};

// The row for `id`, or nullptr for an ID the table does not define.
const DmtMode* FindDmtMode(unsigned id) noexcept;

} // namespace tessarin
