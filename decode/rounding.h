#pragma once
#include <cmath>

namespace tessarin {

// Nearest whole number, exact halves to the even one ("banker's rounding"),
// independent of the floating-point environment's rounding mode.
inline double RoundHalfEven(double x) noexcept
{
    const double lower = std::floor(x);
    const double fraction = x - lower;
    if (fraction > 0.5)
        return lower + 1.0;
    if (fraction < 0.5)
        return lower;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

} // namespace tessarin
