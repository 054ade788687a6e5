#include "detailed_timing.h"

#include "bits.h"
#include "errors.h"

#include <algorithm>

namespace tessarin {

namespace {

// Upper bits in a shared byte, low eight bits in a byte of their own.
std::int16_t combine(unsigned upper, std::uint8_t low) noexcept
{
    return static_cast<std::int16_t>(upper * 256u + low);
}

} // namespace

void CDetailedTiming::UpdateDetailedTiming(std::span<const std::uint8_t> bytData, std::int16_t intStart)
{
    if (intStart < 0 || static_cast<std::size_t>(intStart) + Size > bytData.size())
        throw IndexError("detailed timing descriptor outside its source");
    std::copy_n(bytData.begin() + intStart, Size, data_.begin());
    valid_ = true;
}

float CDetailedTiming::PixelClock() const noexcept
{
    const unsigned tenKHz = data_[1] * 256u + data_[0];
    return static_cast<float>(tenKHz / 100.0);
}

std::int16_t CDetailedTiming::HorizontalActive() const noexcept { return combine(get_bit_range(data_[4], 7, 4), data_[2]); }
std::int16_t CDetailedTiming::HorizontalBlanking() const noexcept { return combine(get_bit_range(data_[4], 3, 0), data_[3]); }
std::int16_t CDetailedTiming::VerticalActive() const noexcept { return combine(get_bit_range(data_[7], 7, 4), data_[5]); }
std::int16_t CDetailedTiming::VerticalBlanking() const noexcept { return combine(get_bit_range(data_[7], 3, 0), data_[6]); }

std::int16_t CDetailedTiming::HorizontalSyncOffset() const noexcept
{
    return static_cast<std::int16_t>((get_bit_range(data_[11], 7, 6) << 8) | data_[8]);
}

std::int16_t CDetailedTiming::HorizontalSyncPulseWidth() const noexcept
{
    return static_cast<std::int16_t>((get_bit_range(data_[11], 5, 4) << 8) | data_[9]);
}

std::int16_t CDetailedTiming::VerticalSyncOffset() const noexcept
{
    return static_cast<std::int16_t>((get_bit_range(data_[11], 3, 2) << 4) | get_bit_range(data_[10], 7, 4));
}

std::int16_t CDetailedTiming::VerticalSyncPulseWidth() const noexcept
{
    return static_cast<std::int16_t>((get_bit_range(data_[11], 1, 0) << 4) | get_bit_range(data_[10], 3, 0));
}

std::int16_t CDetailedTiming::HorizontalSize() const noexcept { return combine(get_bit_range(data_[14], 7, 4), data_[12]); }
std::int16_t CDetailedTiming::VerticalSize() const noexcept { return combine(get_bit_range(data_[14], 3, 0), data_[13]); }
std::int16_t CDetailedTiming::HorizontalBorder() const noexcept { return data_[15]; }
std::int16_t CDetailedTiming::VerticalBorder() const noexcept { return data_[16]; }
bool CDetailedTiming::Interlaced() const noexcept { return IsBitSet(data_[17], 7); }

std::string CDetailedTiming::StereoDisplay() const
{
    switch (get_bit_range(data_[17], 6, 5)) {
    case 0: return "Normal display (no stereo)";
    case 1: return "Stereo, right stereo sync high";
    case 2: return "Stereo, left stereo sync high";
    default: return "Undefined";
    }
}

std::int32_t CDetailedTiming::InputType() const noexcept
{
    return static_cast<std::int32_t>(get_bit_range(data_[17], 4, 3));
}

bool CDetailedTiming::VerticalPolarity() const noexcept { return IsBitSet(data_[17], 2); }
bool CDetailedTiming::HorizontalPolarity() const noexcept { return IsBitSet(data_[17], 1); }

} // namespace tessarin
