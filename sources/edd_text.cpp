#include "edd_text.h"

#include <stdexcept>

namespace tessarin::edd {

namespace {

constexpr char upperHexDigits[] = "0123456789ABCDEF";

void CheckRange(std::size_t size, std::size_t start, std::size_t count)
{
    if (start > size || count > size - start) {
        throw std::out_of_range("edd row outside the byte array");
    }
}

// Only ASCII letters upper-case to A-F, so a plain ASCII test is the whole rule.
std::optional<std::uint32_t> HexDigitValue(char c)
{
    if (c >= '0' && c <= '9') {
        return static_cast<std::uint32_t>(c - '0');
    }
    if (c >= 'A' && c <= 'F') {
        return static_cast<std::uint32_t>(c - 'A' + 10);
    }
    if (c >= 'a' && c <= 'f') {
        return static_cast<std::uint32_t>(c - 'a' + 10);
    }
    return std::nullopt;
}

std::string_view SkipLeadingSpaces(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view{} : text.substr(first);
}

} // namespace

std::string FormatHexByte(std::uint8_t value)
{
    std::string text(" ");
    text += upperHexDigits[value >> 4];
    text += upperHexDigits[value & 0x0F];
    return text;
}

std::string FormatHexRow(std::span<const std::uint8_t> bytes, std::size_t start, std::size_t count)
{
    CheckRange(bytes.size(), start, count);
    // The label is the offset taken as a byte, as the 256-byte table needs.
    std::string row = FormatHexByte(static_cast<std::uint8_t>(start & 0xFF));
    row += ':';
    for (const std::uint8_t value : bytes.subspan(start, count)) {
        row += FormatHexByte(value);
    }
    return row;
}

std::string_view StripRowLabel(std::string_view line)
{
    std::string_view rest = SkipLeadingSpaces(line);
    if (const std::size_t bar = rest.find('|'); bar != std::string_view::npos) {
        rest.remove_prefix(bar + 1);
    }
    if (const std::size_t colon = rest.find(':'); colon != std::string_view::npos) {
        rest.remove_prefix(colon + 1);
    }
    return rest;
}

std::optional<std::uint32_t> HexTextToValue(std::string_view text)
{
    if (text.empty() || text.size() > 8) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (const char c : text) {
        const std::optional<std::uint32_t> digit = HexDigitValue(c);
        if (!digit) {
            return std::nullopt;
        }
        value = value * 16 + *digit;
    }
    return value;
}

std::optional<std::uint8_t> HexTokenToByte(std::string_view token)
{
    if (token.size() != 2) {
        return std::uint8_t{0};
    }
    const std::optional<std::uint32_t> value = HexTextToValue(token);
    if (!value) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(*value);
}

std::optional<std::uint8_t> ReadHexByte(std::string_view& line)
{
    line = SkipLeadingSpaces(line);
    const std::size_t space = line.find(' ');
    const std::string_view token = line.substr(0, space);
    line.remove_prefix(token.size());
    return HexTokenToByte(token);
}

bool ReadHexRow(std::string_view line, std::span<std::uint8_t> bytes, std::size_t start, std::size_t count)
{
    CheckRange(bytes.size(), start, count);
    std::string_view rest = StripRowLabel(line);
    for (std::uint8_t& target : bytes.subspan(start, count)) {
        const std::optional<std::uint8_t> value = ReadHexByte(rest);
        if (!value) {
            return false;
        }
        target = *value;
    }
    return true;
}

} // namespace tessarin::edd
