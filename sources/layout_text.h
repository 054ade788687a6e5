#pragma once
// What the layout readers share: each reader, and small text helpers.
#include "edid_layouts.h"

#include <algorithm>
#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessarin::layouts {

// Each layout's reader over text.
std::vector<FoundEdid> FindHexDumps(std::string_view text);
std::vector<FoundEdid> FindXrandrEdids(std::string_view text);
std::vector<FoundEdid> FindRegistryEdids(std::string_view text);
std::vector<FoundEdid> FindCArrays(std::string_view text);
std::vector<FoundEdid> FindBase64(std::string_view text);
// UTF-16LE text (after its BOM) as UTF-8; characters outside ASCII become '?',
// which no layout needs.
std::string Utf16LeToAscii(std::string_view data);

inline constexpr std::array<std::uint8_t, 8> kEdidHeader = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};

inline int HexDigit(char c) noexcept
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

inline bool IsSpace(char c) noexcept
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

inline std::string_view Trim(std::string_view text) noexcept
{
    while (!text.empty() && IsSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

inline std::vector<std::string_view> SplitWhitespace(std::string_view text)
{
    std::vector<std::string_view> tokens;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsSpace(text[i]))
            ++i;
        const std::size_t start = i;
        while (i < text.size() && !IsSpace(text[i]))
            ++i;
        if (i > start)
            tokens.push_back(text.substr(start, i - start));
    }
    return tokens;
}

// Lines end at LF, CR LF or a lone CR.
inline std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || text[i] == '\r') {
            lines.push_back(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

inline bool StartsWithHeader(std::span<const std::uint8_t> bytes) noexcept
{
    return bytes.size() >= kEdidHeader.size() && std::equal(kEdidHeader.begin(), kEdidHeader.end(), bytes.begin());
}

// Every EDID in a run of bytes: from each header to the next one that starts
// a block of its own (128 bytes on), at most kMaxEdidBytes each. Bytes before
// the first header belong to no EDID.
inline void SplitAtHeaders(std::span<const std::uint8_t> bytes, std::vector<FoundEdid>& found, std::string name = {})
{
    const auto header = [&](std::size_t at) { return StartsWithHeader(bytes.subspan(at)); };
    std::size_t at = 0;
    while (at < bytes.size() && !header(at))
        ++at;
    while (at < bytes.size()) {
        std::size_t end = at + 128;
        while (end < bytes.size() && !header(end))
            end += 128;
        end = std::min({end, bytes.size(), at + kMaxEdidBytes});
        found.push_back({std::vector<std::uint8_t>(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                                                   bytes.begin() + static_cast<std::ptrdiff_t>(end)),
                         name});
        at = end;
        while (at < bytes.size() && !header(at))
            ++at;
    }
}

} // namespace tessarin::layouts
