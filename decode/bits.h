#pragma once
// The two bit helpers every decoder uses, so a field read looks like the
// table it comes from instead of a pile of masks.
#include <cstdint>

namespace tessarin {

// True exactly when bit `bit` (0 = least significant, 0..7) of `value` is 1.
constexpr bool IsBitSet(std::uint8_t value, int bit) noexcept
{
    const unsigned mask = 1u << static_cast<unsigned>(bit & 7);
    return (value & mask) == mask;
}

// Bits high..low of `value`, shifted down to bit 0.
constexpr unsigned get_bit_range(std::uint8_t value, int high, int low) noexcept
{
    const unsigned width = static_cast<unsigned>(high - low + 1);
    return (static_cast<unsigned>(value) >> static_cast<unsigned>(low)) & ((1u << width) - 1u);
}

} // namespace tessarin
