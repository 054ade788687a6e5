#include "field_writer.h"

#include <cmath>
#include <cstdio>

namespace tessarin::complete {

namespace {

std::string WithUnit(std::string text, std::string_view unit)
{
    if (!unit.empty()) {
        text += ' ';
        text += unit;
    }
    return text;
}

} // namespace

void FieldWriter::Flag(Section& s, std::string key, std::string label, bool value) const
{
    s.fields.push_back({std::move(key), std::move(label), value, value ? "Yes" : "No"});
}

void FieldWriter::Integer(Section& s, std::string key, std::string label, std::int64_t value,
                          std::string_view unit) const
{
    s.fields.push_back({std::move(key), std::move(label), value, WithUnit(std::to_string(value), unit)});
}

void FieldWriter::Real(Section& s, std::string key, std::string label, double value, int decimals,
                       std::string_view unit) const
{
    s.fields.push_back({std::move(key), std::move(label), value, WithUnit(FormatReal(value, decimals), unit)});
}

void FieldWriter::Hex(Section& s, std::string key, std::string label, std::int64_t value, int digits) const
{
    char text[32];
    std::snprintf(text, sizeof text, "0x%0*llX", digits, static_cast<unsigned long long>(value));
    s.fields.push_back({std::move(key), std::move(label), value, text});
}

void FieldWriter::Text(Section& s, std::string key, std::string label, std::string value) const
{
    std::string text = value;
    s.fields.push_back({std::move(key), std::move(label), std::move(value), std::move(text)});
}

void FieldWriter::Bytes(Section& s, std::string key, std::string label, std::span<const std::uint8_t> bytes) const
{
    Text(s, std::move(key), std::move(label), HexBytes(bytes));
}

std::string FieldWriter::FormatReal(double value, int decimals) const
{
    if (!std::isfinite(value))
        value = 0.0;
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    std::string result = text;
    if (separator_ != '.')
        for (char& c : result)
            if (c == '.')
                c = separator_;
    return result;
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
