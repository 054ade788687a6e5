#include "field_writer.h"

#include <charconv>
#include <cmath>

namespace tessarin::complete {

namespace {

// Most texts fit the string's own buffer; a longer one gets its room at once.
std::string WithUnit(std::string_view number, std::string_view unit)
{
    std::string text;
    if (number.size() + 1 + unit.size() > text.capacity())
        text.reserve(number.size() + 1 + unit.size());
    text += number;
    if (!unit.empty()) {
        text += ' ';
        text += unit;
    }
    return text;
}

std::string_view IntegerText(char (&buffer)[24], std::int64_t value)
{
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return {buffer, static_cast<std::size_t>(end - buffer)};
}

// Sections hold a handful of fields or a few dozen: room for eight at the
// first saves the smallest steps of the vector's growth. Braces, not
// emplace_back: clang 14 cannot make an aggregate from parentheses.
template <class Value>
void Add(Section& s, FixedText key, FixedText label, Value&& value, std::string&& text)
{
    if (s.fields.capacity() == 0)
        s.fields.reserve(8);
    s.fields.push_back(Field{key, label, std::forward<Value>(value), std::move(text)});
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
    AppendInteger(out, width);
    out += 'x';
    AppendInteger(out, height);
    out += interlaced ? "i " : " ";
    w.AppendReal(out, refreshHz, 3);
    out += " Hz";
}

void FieldWriter::Flag(Section& s, FixedText key, FixedText label, bool value) const
{
    Add(s, key, label, value, value ? "Yes" : "No");
}

void FieldWriter::Integer(Section& s, FixedText key, FixedText label, std::int64_t value,
                          std::string_view unit) const
{
    char buffer[24];
    Add(s, key, label, value, WithUnit(IntegerText(buffer, value), unit));
}

void FieldWriter::Real(Section& s, FixedText key, FixedText label, double value, int decimals,
                       std::string_view unit) const
{
    std::string text; // "59.940 Hz" fits the string's own buffer
    AppendReal(text, value, decimals);
    if (!unit.empty()) {
        text += ' ';
        text += unit;
    }
    Add(s, key, label, value, std::move(text));
}

void FieldWriter::Hex(Section& s, FixedText key, FixedText label, std::int64_t value, int digits) const
{
    char buffer[24];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, static_cast<unsigned long long>(value), 16);
    std::string text = "0x";
    for (int pad = digits - static_cast<int>(end - buffer); pad > 0; --pad)
        text += '0';
    for (const char* c = buffer; c != end; ++c)
        text += *c >= 'a' ? static_cast<char>(*c - 'a' + 'A') : *c;
    Add(s, key, label, value, std::move(text));
}

void FieldWriter::Text(Section& s, FixedText key, FixedText label, std::string value) const
{
    std::string text = value;
    Add(s, key, label, std::move(value), std::move(text));
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

void FieldWriter::AppendReal(std::string& out, double value, int decimals) const
{
    if (!std::isfinite(value))
        value = 0.0;
    const std::size_t start = out.size();
    std::uint64_t count = 0;
    if (ScaledCount(std::fabs(value), decimals, count)) {
        // Fixed notation of `count` units of 10^-decimals; the sign is kept
        // for a negative value that rounds to zero, as printf keeps it.
        char digits[24];
        char* end = std::to_chars(digits, digits + sizeof digits, count).ptr;
        int length = static_cast<int>(end - digits);
        if (std::signbit(value))
            out += '-';
        if (length <= decimals) {
            out += '0';
            if (decimals > 0)
                out += '.';
            out.append(static_cast<std::size_t>(decimals - length), '0');
            out.append(digits, end);
        } else {
            out.append(digits, static_cast<std::size_t>(length - decimals));
            if (decimals > 0) {
                out += '.';
                out.append(end - decimals, end);
            }
        }
    } else {
        // Fixed notation rounds the binary value exactly, as printf's "%.*f"
        // does; the largest double takes 309 digits before the point.
        char buffer[400];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals).ptr;
        out.append(buffer, end);
    }
    if (separator_ != '.')
        for (std::size_t i = start; i < out.size(); ++i)
            if (out[i] == '.')
                out[i] = separator_;
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

Section BytesOnlySection(std::string title, std::string key, std::span<const std::uint8_t> bytes)
{
    Section s;
    s.title = std::move(title);
    s.key = std::move(key);
    s.bytes.assign(bytes.begin(), bytes.end());
    s.bytesOnly = true;
    return s;
}

} // namespace tessarin::complete
