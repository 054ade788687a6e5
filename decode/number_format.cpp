#include "number_format.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace tessarin {

namespace {

using Out = std::span<char, kFormattedSingleCapacity>;

// printf's "%.7G" through to_chars: exact for every value, but its
// fixed-precision path costs several hundred instructions a call.
std::size_t GeneralSevenDigits(float value, char decimalSeparator, Out out)
{
    const auto [end, error] =
        std::to_chars(out.data(), out.data() + out.size(), static_cast<double>(value), std::chars_format::general, 7);
    if (error != std::errc{})
        return 0;
    for (char* c = out.data(); c != end; ++c) {
        if (*c == '.')
            *c = decimalSeparator;
        else
            *c = static_cast<char>(std::toupper(static_cast<unsigned char>(*c)));
    }
    return static_cast<std::size_t>(end - out.data());
}

// The values a report shows (zero and 1E-4 <= |v| < 1E7) are written in
// fixed notation by "%.7G". A single times a power of ten up to 1E10 is
// exact in a double (24 + 24 significant bits), so the seven digits can be
// rounded from the exact product, ties to even as printf does. Returns 0
// where this does not apply and the general route must be taken.
std::size_t FixedSevenDigits(float value, char decimalSeparator, Out out)
{
    static constexpr std::array<double, 11> kPowers{1e0, 1e1, 1e2, 1e3, 1e4, 1e5,
                                                    1e6, 1e7, 1e8, 1e9, 1e10};
    char* o = out.data();
    if (std::signbit(value))
        *o++ = '-';
    const double magnitude = std::fabs(static_cast<double>(value));
    if (magnitude == 0) {
        *o++ = '0';
        return static_cast<std::size_t>(o - out.data());
    }
    if (!(magnitude >= 1e-4 && magnitude < 1e7)) // NaN fails too
        return 0;
    // The number of decimals: the power that brings the value to seven
    // integer digits.
    std::size_t decimals = 0;
    double scaled = magnitude;
    while (scaled < 1e6) {
        if (++decimals >= kPowers.size())
            return 0;
        scaled = magnitude * kPowers[decimals];
    }
    auto digits = static_cast<std::uint32_t>(scaled);
    const double fraction = scaled - digits;
    if (fraction > 0.5 || (fraction == 0.5 && (digits & 1u) != 0))
        ++digits;
    if (digits >= 10'000'000) // rounded up into the next decade
        return 0;

    // The general form drops the trailing zeros of the fraction. Seven
    // digits or more of fraction leave the first one nonzero.
    while (decimals > 0 && digits % 10 == 0) {
        digits /= 10;
        --decimals;
    }
    char text[8];
    const auto length = static_cast<std::size_t>(std::to_chars(text, text + sizeof text, digits).ptr - text);
    if (decimals >= length) {
        *o++ = '0';
        *o++ = decimalSeparator;
        for (std::size_t z = length; z < decimals; ++z)
            *o++ = '0';
        std::memcpy(o, text, length);
        o += length;
    } else {
        const std::size_t whole = length - decimals;
        std::memcpy(o, text, whole);
        o += whole;
        if (decimals > 0) {
            *o++ = decimalSeparator;
            std::memcpy(o, text + whole, decimals);
            o += decimals;
        }
    }
    return static_cast<std::size_t>(o - out.data());
}

} // namespace

std::size_t FormatSingle(float value, char decimalSeparator, std::span<char, kFormattedSingleCapacity> out)
{
    // Seven significant digits is all a single holds; the general form drops
    // trailing zeros and the separator of whole values, which is the form we
    // show: what printf's "%.7G" gives ("1E+10", "INF").
    if (const std::size_t length = FixedSevenDigits(value, decimalSeparator, out))
        return length;
    return GeneralSevenDigits(value, decimalSeparator, out);
}

std::string FormatSingle(float value, char decimalSeparator)
{
    std::array<char, kFormattedSingleCapacity> text;
    return std::string(text.data(), FormatSingle(value, decimalSeparator, text));
}

} // namespace tessarin
