#include "number_format.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace tessarin {

namespace {

// printf's "%.7G" through to_chars: exact for every value, but its
// fixed-precision path costs several hundred instructions a call.
std::string GeneralSevenDigits(float value, char decimalSeparator)
{
    char buffer[32];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value), std::chars_format::general, 7);
    std::string text(buffer, error == std::errc{} ? end : buffer);
    for (char& c : text) {
        if (c == '.')
            c = decimalSeparator;
        else
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

// The values a report shows (1E-4 <= |v| < 1E7) are written in fixed
// notation by "%.7G". A single times a power of ten up to 1E10 is exact in a
// double (24 + 24 significant bits), so the seven digits can be rounded from
// the exact product, ties to even as printf does. Returns false where this
// does not apply and the general route must be taken.
bool FixedSevenDigits(float value, char decimalSeparator, std::string& text)
{
    static constexpr std::array<double, 11> kPowers{1e0, 1e1, 1e2, 1e3, 1e4, 1e5,
                                                    1e6, 1e7, 1e8, 1e9, 1e10};
    const double magnitude = std::fabs(static_cast<double>(value));
    if (!(magnitude >= 1e-4 && magnitude < 1e7)) // NaN fails too
        return false;
    // The number of decimals: the power that brings the value to seven
    // integer digits.
    std::size_t decimals = 0;
    double scaled = magnitude;
    while (scaled < 1e6) {
        if (++decimals >= kPowers.size())
            return false;
        scaled = magnitude * kPowers[decimals];
    }
    auto digits = static_cast<std::uint32_t>(scaled);
    const double fraction = scaled - digits;
    if (fraction > 0.5 || (fraction == 0.5 && (digits & 1u) != 0))
        ++digits;
    if (digits >= 10'000'000) // rounded up into the next decade
        return false;

    char buffer[24];
    char* out = buffer;
    if (std::signbit(value))
        *out++ = '-';
    std::array<char, 7> d;
    for (std::size_t i = d.size(); i-- > 0; digits /= 10)
        d[i] = static_cast<char>('0' + digits % 10);
    // Seven decimals or more put the first digit after the separator.
    const std::size_t whole = decimals < d.size() ? d.size() - decimals : 0;
    std::size_t last = d.size(); // one past the last digit written
    while (last > whole && d[last - 1] == '0')
        --last;
    if (whole == 0) {
        *out++ = '0';
        *out++ = decimalSeparator;
        for (std::size_t z = d.size(); z < decimals; ++z)
            *out++ = '0';
        for (std::size_t i = 0; i < last; ++i)
            *out++ = d[i];
    } else {
        for (std::size_t i = 0; i < whole; ++i)
            *out++ = d[i];
        if (last > whole) {
            *out++ = decimalSeparator;
            for (std::size_t i = whole; i < last; ++i)
                *out++ = d[i];
        }
    }
    text.assign(buffer, out);
    return true;
}

} // namespace

std::string FormatSingle(float value, char decimalSeparator)
{
    // Seven significant digits is all a single holds; the general form drops
    // trailing zeros and the separator of whole values, which is the form we
    // show: what printf's "%.7G" gives ("1E+10", "INF").
    std::string text;
    if (FixedSevenDigits(value, decimalSeparator, text))
        return text;
    return GeneralSevenDigits(value, decimalSeparator);
}

} // namespace tessarin
