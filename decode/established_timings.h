#pragma once
#include <cstdint>
#include <string_view>

namespace tessarin {

struct EstablishedTiming {
    std::int32_t eTiming; // 10 * (byte - 35) + bit
    std::string_view text;
    std::int16_t horizontal;
    std::int16_t vertical;
    std::int16_t hz;
};

// The row for eTiming, or nullptr for one of the unused indexes.
const EstablishedTiming* FindEstablishedTiming(std::int32_t eTiming) noexcept;

} // namespace tessarin
