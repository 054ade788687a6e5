#pragma once
// What the report routines share: one step at a time, and values as text.
#include "errors.h"
#include "number_format.h"
#include "rtf_encoding.h"

#include <concepts>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tessarin::report_steps {

// Runs one statement of a report. A value the decoder cannot give leaves
// that statement out and the report goes on; anything else is a fault of
// ours and is not hidden.
template <class Statement>
void Step(Statement&& statement)
{
    try {
        statement();
    } catch (const DecodeError&) {
    }
}

inline std::string Decimal(std::integral auto value)
{
    return std::to_string(value);
}

inline std::string Real(float value, char decimalSeparator)
{
    return FormatSingle(value, decimalSeparator);
}

inline std::string YesNo(bool value)
{
    return value ? "True" : "False";
}

// Decoder texts can hold what a monitor stored; none may break the document.
inline std::string Text(const std::string& value)
{
    return EscapeRtfText(value);
}

// One row of a raw dump: " XX" for each byte, then a tab.
inline std::string HexRow(std::span<const std::uint8_t> bytes)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    static constexpr std::string_view kTab = "\\tab ";
    std::string row;
    row.reserve(bytes.size() * 3 + kTab.size()); // one allocation, not four
    for (const std::uint8_t byte : bytes) {
        row += ' ';
        row += kHex[byte >> 4];
        row += kHex[byte & 0xF];
    }
    row += kTab;
    return row;
}

inline std::string HexLabel(unsigned offset)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    return std::string("0x") + kHex[(offset >> 4) & 0xF] + kHex[offset & 0xF];
}

} // namespace tessarin::report_steps
