#include "rtf_encoding.h"

#include "layout_text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <limits>

namespace tessarin {
namespace {

// Code points of bytes 0x80..0x9F; the rest of the code page is Latin-1.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char32_t kInvalid = 0xFFFFFFFF;

// Decodes one UTF-8 sequence at `pos` and moves past it; a malformed or
// overlong sequence gives kInvalid and skips one byte.
char32_t NextCodePoint(std::string_view text, std::size_t& pos)
{
    const auto lead = static_cast<unsigned char>(text[pos++]);
    if (lead < 0x80)
        return lead;
    int extra = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        value = lead & 0x1Fu;
        minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        value = lead & 0x0Fu;
        minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        value = lead & 0x07u;
        minimum = 0x10000;
    } else {
        return kInvalid;
    }
    std::size_t p = pos;
    for (int i = 0; i < extra; ++i, ++p) {
        if (p >= text.size())
            return kInvalid;
        const auto next = static_cast<unsigned char>(text[p]);
        if ((next & 0xC0) != 0x80)
            return kInvalid;
        value = (value << 6) | (next & 0x3Fu);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return kInvalid;
    pos = p;
    return value;
}

// The Windows-1252 byte of a code point, or -1 when the code page lacks it.
int ToWindows1252(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<int>(c);
    for (std::size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == c)
            return static_cast<int>(0x80 + i);
    return -1;
}

bool IsControl(char32_t c)
{
    return c < 0x20 || c == 0x7F || (c >= 0x80 && c <= 0x9F);
}

// Where the stretch of ASCII from `pos` ends: a whole document's markup is
// looked at, eight bytes at a time.
std::size_t AsciiEnd(std::string_view text, std::size_t pos)
{
    constexpr std::uint64_t kHigh = 0x8080808080808080u;
    while (text.size() - pos >= 8) {
        std::uint64_t x = 0;
        std::memcpy(&x, text.data() + pos, 8);
        if ((x & kHigh) != 0)
            break;
        pos += 8;
    }
    while (pos < text.size() && static_cast<unsigned char>(text[pos]) < 0x80)
        ++pos;
    return pos;
}

// Where the stretch from `pos` of printable ASCII but "\", "{" and "}" (and
// tabs, with `Tabs`) ends.
template <bool Tabs>
std::size_t PlainEnd(std::string_view rtf, std::size_t pos)
{
    static constexpr auto kPlain = [] {
        std::array<bool, 256> plain{};
        for (int c = 0x20; c < 0x7F; ++c)
            plain[static_cast<std::size_t>(c)] = c != '\\' && c != '{' && c != '}';
        plain['\t'] = Tabs;
        return plain;
    }();
    // Eight bytes at a time while none needs a look: a report is thousands
    // of short plain texts, and a byte-by-byte table look-up was most of the
    // cost of taking them in. The tests flag, exactly for the first flagged
    // byte, those of 0x80 and up, those below 0x20, "\", and 0x7B-0x7F
    // ("{", "}" and a few plain ones, which the byte loop then takes).
    constexpr std::uint64_t kOnes = 0x0101010101010101u;
    constexpr std::uint64_t kHigh = 0x8080808080808080u;
    while (rtf.size() - pos >= 8) {
        std::uint64_t x = 0;
        std::memcpy(&x, rtf.data() + pos, 8);
        const std::uint64_t backslash = x ^ (0x5C * kOnes);
        const std::uint64_t flagged =
            (x | (x - 0x20 * kOnes) | ((backslash - kOnes) & ~backslash) | ((x & ~kHigh) + 0x05 * kOnes)) & kHigh;
        if (flagged != 0) {
            if constexpr (std::endian::native == std::endian::little)
                pos += static_cast<std::size_t>(std::countr_zero(flagged)) / 8;
            break;
        }
        pos += 8;
    }
    while (pos < rtf.size() && kPlain[static_cast<unsigned char>(rtf[pos])])
        ++pos;
    return pos;
}

} // namespace

std::string Utf8ToWindows1252(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    AppendAsWindows1252(utf8, out);
    return out;
}

void AppendAsWindows1252(std::string_view utf8, std::string& out)
{
    for (std::size_t pos = 0; pos < utf8.size();) {
        if (static_cast<unsigned char>(utf8[pos]) < 0x80) { // the common case, markup included
            const std::size_t start = pos;
            pos = AsciiEnd(utf8, pos);
            out.append(utf8.substr(start, pos - start));
            continue;
        }
        const char32_t c = NextCodePoint(utf8, pos);
        const int b = c == kInvalid ? -1 : ToWindows1252(c);
        out.push_back(b < 0 ? '?' : static_cast<char>(b));
    }
}

std::string EscapeRtfText(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    AppendRtfEscaped(utf8, out);
    return out;
}

void AppendRtfEscaped(std::string_view utf8, std::string& out)
{
    static constexpr char kHex[] = "0123456789abcdef";
    // Printable ASCII that needs no escape, nearly all a monitor's texts
    // hold, is copied a stretch at a time.
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::size_t plain = pos;
        pos = PlainEnd<false>(utf8, pos);
        out.append(utf8.substr(plain, pos - plain));
        if (pos == utf8.size())
            break;
        const char32_t c = NextCodePoint(utf8, pos);
        if (c == U'\\' || c == U'{' || c == U'}') {
            out.push_back('\\');
            out.push_back(static_cast<char>(c));
        } else if (c == kInvalid || IsControl(c)) {
            out.push_back('?');
        } else if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else {
            const int b = ToWindows1252(c);
            if (b < 0) {
                out.push_back('?');
            } else {
                out += "\\'";
                out.push_back(kHex[(b >> 4) & 0xF]);
                out.push_back(kHex[b & 0xF]);
            }
        }
    }
}

void AppendWindows1252AsUtf8(std::uint8_t byte, std::string& out)
{
    char32_t c = byte;
    if (byte >= 0x80 && byte <= 0x9F)
        c = kHighControls[static_cast<std::size_t>(byte - 0x80)];
    AppendUtf8(c, out);
}

int ReadRtfHexByte(std::string_view rtf, std::size_t& pos)
{
    const int high = pos < rtf.size() ? layouts::HexDigit(rtf[pos]) : -1;
    const int low = pos + 1 < rtf.size() ? layouts::HexDigit(rtf[pos + 1]) : -1;
    if (high < 0 || low < 0)
        return -1;
    pos += 2;
    return high * 16 + low;
}

RtfControlWord ReadRtfControlWord(std::string_view rtf, std::size_t& pos)
{
    const auto isLetter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    RtfControlWord word;
    const std::size_t start = pos;
    while (pos < rtf.size() && isLetter(rtf[pos]))
        ++pos;
    word.name = rtf.substr(start, pos - start);
    bool negative = false;
    if (pos + 1 < rtf.size() && rtf[pos] == '-' && isDigit(rtf[pos + 1])) {
        negative = true;
        ++pos;
    }
    std::int64_t value = 0;
    while (pos < rtf.size() && isDigit(rtf[pos])) {
        word.hasParameter = true;
        value = std::min<std::int64_t>(value * 10 + (rtf[pos] - '0'), std::numeric_limits<std::int32_t>::max());
        ++pos;
    }
    word.parameter = static_cast<std::int32_t>(negative ? -value : value);
    if (pos < rtf.size() && rtf[pos] == ' ')
        ++pos;
    return word;
}

void AppendUtf8(char32_t c, std::string& out)
{
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

std::size_t AppendShownCharacter(std::string_view utf8, std::size_t pos, std::string& out)
{
    const std::size_t start = pos;
    const char32_t c = NextCodePoint(utf8, pos);
    const int b = c == kInvalid ? -1 : ToWindows1252(c);
    if (b < 0 || IsControl(c))
        out.push_back('?');
    else
        out.append(utf8.substr(start, pos - start));
    return pos;
}

void AppendShownByte(std::uint8_t byte, std::string& out)
{
    const bool unassigned = byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
    if (byte < 0x20 || byte == 0x7F || unassigned)
        out.push_back('?');
    else
        AppendWindows1252AsUtf8(byte, out);
}


std::size_t PlainTextEnd(std::string_view rtf, std::size_t pos)
{
    return PlainEnd<true>(rtf, pos);
}

bool NeedsNoRtfEscape(std::string_view utf8)
{
    // A tab is plain in the document, but the escape makes it '?'.
    return PlainEnd<false>(utf8, 0) == utf8.size();
}

} // namespace tessarin
