#include "number_format.h"

#include <cstdio>

namespace tessarin {

std::string FormatSingle(float value, char decimalSeparator)
{
    // Seven significant digits is all a single holds; %g drops trailing
    // zeros and the separator of whole values, which is the form we show.
    char buffer[32];
    const int n = std::snprintf(buffer, sizeof buffer, "%.7G", static_cast<double>(value));
    std::string text(buffer, n > 0 ? static_cast<std::size_t>(n) : 0u);
    for (char& c : text)
        if (c == '.')
            c = decimalSeparator;
    return text;
}

} // namespace tessarin
