#pragma once
// The text pieces of an ".edd" file: how a byte and a row are written, and
// how a row line is read back. The loader itself streams the file and never
// holds a whole line (edd_table_reader.h); these work on one small line and
// define the result the streaming reader must agree with.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tessarin::edd {

// A space and two upper-case hex digits: " 0A".
std::string FormatHexByte(std::uint8_t value);

// The row label (the start index as a byte, then ':') and `count` bytes from
// `start`. Throws std::out_of_range when those bytes are not all in `bytes`.
std::string FormatHexRow(std::span<const std::uint8_t> bytes, std::size_t start, std::size_t count);

// What a row line holds after its label: leading spaces go; with a '|' only
// what follows the first '|' stays; then only what follows the first ':'.
std::string_view StripRowLabel(std::string_view line);

// Hex digits, most significant first, lower case accepted. No value when a
// character is not a hex digit, when the text is empty, or when it does not
// fit 32 bits.
std::optional<std::uint32_t> HexTextToValue(std::string_view text);

// One token's byte: a two-character token is read as hex (no value when it
// is not hex, which fails the load); any other length stands for 0.
std::optional<std::uint8_t> HexTokenToByte(std::string_view token);

// Takes the next token (split on U+0020 only) off the front of `line`,
// leaving `line` at the space after it, and gives its byte.
std::optional<std::uint8_t> ReadHexByte(std::string_view& line);

// Reads `count` tokens of a row line into bytes[start ...]. False at the
// first token that is not hex; the bytes before it are already stored.
// Throws std::out_of_range when the range is not all in `bytes`.
bool ReadHexRow(std::string_view line, std::span<std::uint8_t> bytes, std::size_t start, std::size_t count);

} // namespace tessarin::edd
