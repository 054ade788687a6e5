#pragma once
// Adds typed fields to a section of the complete decode, each with the text
// the report shows, so every decoder formats numbers and units alike.
#include "complete_decode.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tessarin::complete {

class FieldWriter {
public:
    explicit FieldWriter(char decimalSeparator = '.') : separator_(decimalSeparator) {}

    // "Yes" / "No".
    void Flag(Section& s, FixedText key, FixedText label, bool value) const;
    // "360 MHz"; `unit` may be empty.
    void Integer(Section& s, FixedText key, FixedText label, std::int64_t value, std::string_view unit = {}) const;
    // `decimals` fixed digits after the separator: "408.76 cd/m²".
    void Real(Section& s, FixedText key, FixedText label, double value, int decimals,
              std::string_view unit = {}) const;
    // The library's single-precision values, widened.
    void Real(Section& s, FixedText key, FixedText label, float value, int decimals,
              std::string_view unit = {}) const
    {
        Real(s, key, label, static_cast<double>(value), decimals, unit);
    }
    // An integer code shown in hexadecimal, at least `digits` wide: "0xE6".
    void Hex(Section& s, FixedText key, FixedText label, std::int64_t value, int digits = 2) const;
    void Text(Section& s, FixedText key, FixedText label, std::string value) const;
    // A literal is kept as a view, never copied.
    template <std::size_t N>
    void Text(Section& s, FixedText key, FixedText label, const char (&literal)[N]) const
    {
        Fixed(s, key, label, literal);
    }
    // A text made in a local buffer is not a literal: it goes as a std::string.
    template <std::size_t N>
    void Text(Section& s, FixedText key, FixedText label, char (&buffer)[N]) const = delete;
    // A text of a static table (a name by code), kept as a view.
    void Fixed(Section& s, FixedText key, FixedText label, FixedText value) const;
    // A run of bytes as "01 02 0A ...", kept as that text.
    void Bytes(Section& s, FixedText key, FixedText label, std::span<const std::uint8_t> bytes) const;

    std::string FormatReal(double value, int decimals) const;
    std::string FormatReal(float value, int decimals) const { return FormatReal(static_cast<double>(value), decimals); }
    // The same text, appended: summaries are built in one string.
    void AppendReal(std::string& out, double value, int decimals) const;
    char separator() const noexcept { return separator_; }

    // Room for any real's text: the largest double takes 309 digits before
    // the point, and decimals are at most a few dozen.
    static constexpr std::size_t kRealBuffer = 400;
    // The text of AppendReal in `buffer`.
    std::string_view RealText(char (&buffer)[kRealBuffer], double value, int decimals) const;

private:
    char separator_;
};

// Decimal digits appended, as std::to_string gives them.
void AppendInteger(std::string& out, std::int64_t value);

// "1920x1080 60.000 Hz" appended (an "i" after the height for interlaced):
// how every timing's summary starts, whoever decoded it.
void AppendTiming(std::string& out, std::int64_t width, std::int64_t height, double refreshHz, const FieldWriter& w,
                  bool interlaced = false);

// "01 02 0A": upper-case hexadecimal pairs separated by spaces.
std::string HexBytes(std::span<const std::uint8_t> bytes);

// A section holding only the bytes of a part nobody decodes here.
Section BytesOnlySection(Text title, FixedText key, std::span<const std::uint8_t> bytes);

} // namespace tessarin::complete
