#pragma once
// What the report routines share: one step at a time, and values as text.
#include "errors.h"
#include "number_format.h"
#include "rtf_encoding.h"

#include <array>
#include <charconv>
#include <concepts>
#include <cstdint>
#include <cstring>
#include <span>
#include <stdexcept>
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

// A value of a few dozen characters, built where it is used: the report
// writes some two hundred of them, and none needs the heap.
class ShortText {
public:
    ShortText() = default;
    ShortText(std::string_view text) { *this += text; }

    ShortText& operator+=(std::string_view text)
    {
        std::memcpy(Extend(text.size()), text.data(), text.size());
        return *this;
    }
    // `count` more characters, for the caller to write.
    char* Extend(std::size_t count)
    {
        if (count > sizeof data_ - size_)
            throw std::length_error("report value longer than a short text");
        size_ += count;
        return data_ + size_ - count;
    }
    // At most `most` more characters, written by `write(out)`, which returns
    // the end of what it wrote.
    template <class Write>
    ShortText& Append(std::size_t most, Write&& write)
    {
        char* const out = Extend(most);
        size_ = static_cast<std::size_t>(write(out) - data_);
        return *this;
    }
    ShortText& operator+=(char c) { return *this += std::string_view(&c, 1); }
    friend ShortText operator+(ShortText left, std::string_view right) { return left += right; }
    friend ShortText operator+(ShortText left, const ShortText& right) { return left += right.view(); }
    friend ShortText operator+(std::string_view left, const ShortText& right) { return ShortText(left) += right; }

    std::string_view view() const { return {data_, size_}; }
    operator std::string_view() const { return view(); }

private:
    char data_[64];
    std::size_t size_ = 0;
};

inline ShortText Decimal(std::integral auto value)
{
    constexpr std::size_t kMost = 24; // any 64-bit value
    ShortText text;
    text.Append(kMost, [value](char* out) { return std::to_chars(out, out + kMost, value).ptr; });
    return text;
}

inline ShortText Real(float value, char decimalSeparator)
{
    ShortText text;
    text.Append(kFormattedSingleCapacity, [&](char* out) {
        return out + FormatSingle(value, decimalSeparator, std::span<char, kFormattedSingleCapacity>(out, kFormattedSingleCapacity));
    });
    return text;
}

inline std::string_view YesNo(bool value)
{
    return value ? "True" : "False";
}

// Decoder texts can hold what a monitor stored; none may break the document.
inline std::string Text(std::string value)
{
    if (NeedsNoRtfEscape(value))
        return value;
    return EscapeRtfText(value);
}

// A text of the program's own tables as the document takes it: the text
// itself, unless something in it must be escaped. Used where it is made.
class TableText {
public:
    explicit TableText(std::string_view value) : view_(value)
    {
        if (!NeedsNoRtfEscape(value)) {
            escaped_ = EscapeRtfText(value);
            view_ = escaped_;
        }
    }
    TableText(const TableText&) = delete;
    TableText& operator=(const TableText&) = delete;
    operator std::string_view() const { return view_; }

private:
    std::string escaped_;
    std::string_view view_;
};

// One row of a raw dump: " XX" for each byte (a row holds 16), then a tab.
inline ShortText HexRow(std::span<const std::uint8_t> bytes)
{
    // " XX" of every byte, and a fourth character that the next is written over.
    static constexpr auto kCells = [] {
        constexpr char kHex[] = "0123456789ABCDEF";
        std::array<std::array<char, 4>, 256> cells{};
        for (std::size_t b = 0; b < cells.size(); ++b)
            cells[b] = {' ', kHex[b >> 4], kHex[b & 0xF], ' '};
        return cells;
    }();
    static constexpr std::string_view kTab = "\\tab ";
    ShortText row;
    char* out = row.Extend(bytes.size() * 3 + kTab.size());
    for (const std::uint8_t byte : bytes) {
        std::memcpy(out, kCells[byte].data(), 4);
        out += 3;
    }
    std::memcpy(out, kTab.data(), kTab.size());
    return row;
}

inline ShortText HexLabel(unsigned offset)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    ShortText label;
    char* out = label.Extend(4);
    out[0] = '0';
    out[1] = 'x';
    out[2] = kHex[(offset >> 4) & 0xF];
    out[3] = kHex[offset & 0xF];
    return label;
}

} // namespace tessarin::report_steps
