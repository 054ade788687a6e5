#include "field_writer.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace tessarin::complete {

namespace {

std::string_view IntegerText(char (&buffer)[24], std::int64_t value)
{
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return {buffer, static_cast<std::size_t>(end - buffer)};
}

// A field made in place at the end of the section's list: no temporary to
// move. Sections hold a handful of fields or a few dozen: room for eight at
// the first saves the smallest steps of the vector's growth.
Field& NewField(Section& s, FixedText key, FixedText label)
{
    if (s.fields.capacity() == 0)
        s.fields.reserve(8);
    Field& f = s.fields.emplace_back();
    f.key = key;
    f.label = label;
    return f;
}

// "number unit" as the field's own text.
void SetWithUnit(Text& text, std::string_view number, std::string_view unit)
{
    if (unit.empty())
        text.Assign(number);
    else
        text.Assign(number, unit);
}

} // namespace

void AppendInteger(std::string& out, std::int64_t value)
{
    char buffer[24];
    out += IntegerText(buffer, value);
}

void AppendTiming(std::string& out, std::int64_t width, std::int64_t height, double refreshHz, const FieldWriter& w,
                  bool interlaced)
{
    char buffer[24];
    const std::string_view wide = IntegerText(buffer, width);
    out += wide;
    out += 'x';
    AppendInteger(out, height);
    out += interlaced ? "i " : " ";
    w.AppendReal(out, refreshHz, 3);
    out += " Hz";
}

void FieldWriter::Flag(Section& s, FixedText key, FixedText label, bool value) const
{
    Field& f = NewField(s, key, label);
    f.value = value;
    f.text = FixedText(value ? "Yes" : "No");
}

void FieldWriter::Integer(Section& s, FixedText key, FixedText label, std::int64_t value,
                          std::string_view unit) const
{
    Field& f = NewField(s, key, label);
    f.value.emplace<std::int64_t>(value);
    char buffer[24];
    SetWithUnit(f.text, IntegerText(buffer, value), unit);
}

void FieldWriter::Real(Section& s, FixedText key, FixedText label, double value, int decimals,
                       std::string_view unit) const
{
    Field& f = NewField(s, key, label);
    f.value.emplace<double>(value);
    char buffer[kRealBuffer];
    SetWithUnit(f.text, RealText(buffer, value, decimals), unit);
}

void FieldWriter::Hex(Section& s, FixedText key, FixedText label, std::int64_t value, int digits) const
{
    char buffer[24];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, static_cast<unsigned long long>(value), 16);
    char text[48] = {'0', 'x'};
    std::size_t n = 2;
    for (int pad = digits - static_cast<int>(end - buffer); pad > 0 && n < 24; --pad)
        text[n++] = '0';
    for (const char* c = buffer; c != end; ++c)
        text[n++] = *c >= 'a' ? static_cast<char>(*c - 'a' + 'A') : *c;
    Field& f = NewField(s, key, label);
    f.value.emplace<std::int64_t>(value);
    f.text.Assign({text, n});
}

void FieldWriter::Text(Section& s, FixedText key, FixedText label, std::string value) const
{
    Field& f = NewField(s, key, label);
    f.text.Assign(value);
    f.value.emplace<complete::Text>(value);
}

void FieldWriter::Fixed(Section& s, FixedText key, FixedText label, FixedText value) const
{
    Field& f = NewField(s, key, label);
    f.value.emplace<complete::Text>(value);
    f.text = value;
}

void FieldWriter::Bytes(Section& s, FixedText key, FixedText label, std::span<const std::uint8_t> bytes) const
{
    Text(s, key, label, HexBytes(bytes));
}

std::string FieldWriter::FormatReal(double value, int decimals) const
{
    std::string text;
    AppendReal(text, value, decimals);
    return text;
}

namespace {

// The value rounded to `decimals` digits as an integer count of their unit,
// when that rounding is beyond doubt: the scaled value lies clearly off the
// halfway point between two counts. False leaves it to the exact path.
bool ScaledCount(double magnitude, int decimals, std::uint64_t& count)
{
    static constexpr double kScale[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6};
    if (decimals < 0 || decimals > 6)
        return false;
    const double scaled = magnitude * kScale[decimals];
    if (!(scaled < 1e15))
        return false;
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    // The product is within a few units of its last place of the exact one.
    const double doubt = 1e-9 + scaled * 1e-15;
    if (std::fabs(fraction - 0.5) <= doubt)
        return false;
    count = static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
    return true;
}

} // namespace

std::string_view FieldWriter::RealText(char (&buffer)[kRealBuffer], double value, int decimals) const
{
    if (!std::isfinite(value))
        value = 0.0;
    std::uint64_t count = 0;
    if (ScaledCount(std::fabs(value), decimals, count)) {
        // Fixed notation of `count` units of 10^-decimals, written from the
        // right at the buffer's end; the sign is kept for a negative value
        // that rounds to zero, as printf keeps it.
        char* const end = buffer + kRealBuffer;
        char* out = end;
        for (int i = 0; i < decimals; ++i) {
            *--out = static_cast<char>('0' + count % 10);
            count /= 10;
        }
        if (decimals > 0)
            *--out = separator_;
        do {
            *--out = static_cast<char>('0' + count % 10);
            count /= 10;
        } while (count != 0);
        if (std::signbit(value))
            *--out = '-';
        return {out, static_cast<std::size_t>(end - out)};
    }
    // Fixed notation rounds the binary value exactly, as printf's "%.*f"
    // does; the largest double takes 309 digits before the point.
    char* const out = std::to_chars(buffer, buffer + kRealBuffer, value, std::chars_format::fixed, decimals).ptr;
    if (separator_ != '.')
        std::replace(buffer, out, '.', separator_);
    return {buffer, static_cast<std::size_t>(out - buffer)};
}

void FieldWriter::AppendReal(std::string& out, double value, int decimals) const
{
    char buffer[kRealBuffer];
    out += RealText(buffer, value, decimals);
}

std::string HexBytes(std::span<const std::uint8_t> bytes)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 3);
    for (const std::uint8_t b : bytes) {
        if (!text.empty())
            text += ' ';
        text += kHex[b >> 4];
        text += kHex[b & 0xF];
    }
    return text;
}

Section BytesOnlySection(Text title, FixedText key, std::span<const std::uint8_t> bytes)
{
    Section s;
    s.title = std::move(title);
    s.key = key;
    s.bytes.assign(bytes.begin(), bytes.end());
    s.bytesOnly = true;
    return s;
}

} // namespace tessarin::complete
