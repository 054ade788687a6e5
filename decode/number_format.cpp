#include "number_format.h"

#include <cctype>
#include <charconv>

namespace tessarin {

std::string FormatSingle(float value, char decimalSeparator)
{
    // Seven significant digits is all a single holds; the general form drops
    // trailing zeros and the separator of whole values, which is the form we
    // show. to_chars gives what printf's "%.7G" gives, at a fraction of its
    // cost (a report formats dozens), but in lower case: "1E+10", "INF".
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

} // namespace tessarin
