#pragma once
#include <cstddef>
#include <span>
#include <string>

namespace tessarin {

// A single-precision value in its shortest general form with at most seven
// significant digits ("148.5", "65", "0.64"), with the given decimal separator.
std::string FormatSingle(float value, char decimalSeparator = '.');

// The same written to `out`, without the heap; returns its length.
inline constexpr std::size_t kFormattedSingleCapacity = 16; // "-1.234567E-38"
std::size_t FormatSingle(float value, char decimalSeparator, std::span<char, kFormattedSingleCapacity> out);

} // namespace tessarin
