#pragma once
// Names from the command line and from inputs go to a terminal: a newline or
// an escape sequence in a file name must show as text, never act.
#include <string>
#include <string_view>

namespace tessarin {

// `text` unchanged when it is UTF-8 without control characters; otherwise in
// single quotes with C0 and C1 controls, DEL, backslash, quote and bytes that
// are not UTF-8 written as escapes (\n, \t, \r, \\, \', \xNN).
inline std::string QuoteForTerminal(std::string_view text)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string quoted = "'";
    bool needed = false;
    const auto escape = [&](unsigned char c) {
        needed = true;
        switch (c) {
        case '\n': quoted += "\\n"; return;
        case '\t': quoted += "\\t"; return;
        case '\r': quoted += "\\r"; return;
        default: quoted += "\\x"; quoted += kDigits[c >> 4]; quoted += kDigits[c & 0xF];
        }
    };
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::size_t length = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
        for (std::size_t k = 1; k < length; ++k)
            if (i + k >= text.size() || (static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                length = 0;
        // U+0080..U+009F: C1 controls, CSI among them, in two bytes.
        const bool c1 = length == 2 && c == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0;
        if (length == 0 || c1) {
            escape(c);
            ++i;
            if (c1) {
                escape(static_cast<unsigned char>(text[i]));
                ++i;
            }
            continue;
        }
        if (length == 1 && (c < 0x20 || c == 0x7F)) {
            escape(c);
        } else if (length == 1 && (c == '\\' || c == '\'')) {
            quoted += '\\';
            quoted += static_cast<char>(c);
        } else {
            quoted.append(text.substr(i, length));
        }
        i += length;
    }
    return needed ? quoted + "'" : std::string(text);
}

} // namespace tessarin
