// The layouts that name their EDIDs (xrandr's outputs, registry keys, C
// arrays) and base64.
#include "edid_layouts.h"
#include "layout_text.h"

namespace tessarin::layouts {
namespace {

bool IsHexText(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return HexDigit(c) >= 0; });
}

std::vector<std::uint8_t> HexBytes(std::string_view digits)
{
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i + 1 < digits.size(); i += 2)
        bytes.push_back(static_cast<std::uint8_t>(HexDigit(digits[i]) * 16 + HexDigit(digits[i + 1])));
    return bytes;
}

// "HDMI-1 connected primary 1920x1080+0+0 ..." and its kin start an output
// at the line's first column; the name is the first word.
std::string_view XrandrOutputName(std::string_view line)
{
    if (line.empty() || IsSpace(line.front()))
        return {};
    const std::size_t space = line.find(' ');
    if (space == std::string_view::npos)
        return {};
    const std::string_view rest = line.substr(space + 1);
    if (rest.starts_with("connected") || rest.starts_with("disconnected") || rest.starts_with("unknown connection"))
        return line.substr(0, space);
    return {};
}

bool IsIdentifierChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// The text with C and C++ comments blanked out, offsets kept.
std::string WithoutComments(std::string_view text)
{
    std::string out(text);
    for (std::size_t i = 0; i + 1 < out.size(); ++i) {
        if (out[i] == '/' && out[i + 1] == '/') {
            for (; i < out.size() && out[i] != '\n'; ++i)
                out[i] = ' ';
        } else if (out[i] == '/' && out[i + 1] == '*') {
            const std::size_t end = out.find("*/", i + 2);
            const std::size_t stop = end == std::string::npos ? out.size() : end + 2;
            for (; i < stop; ++i)
                if (out[i] != '\n')
                    out[i] = ' ';
        }
    }
    return out;
}

// The name of the array whose initialiser opens at `brace`: the identifier
// before "[...] =" (or "[] {" in C++).
std::string ArrayName(std::string_view text, std::size_t brace)
{
    // A declaration is short: looking further back would make many arrays
    // in one text cost the square of its length.
    constexpr std::size_t kReach = 256;
    const std::size_t from = brace > kReach ? brace - kReach : 0;
    std::size_t i = text.substr(from, brace - from).rfind('[');
    if (i == std::string_view::npos)
        return {};
    i += from;
    if (text.find_first_of(";{}", i) < brace)
        return {};
    while (i > 0 && IsSpace(text[i - 1]))
        --i;
    const std::size_t end = i;
    while (i > 0 && IsIdentifierChar(text[i - 1]))
        --i;
    return std::string(text.substr(i, end - i));
}

// One initialiser value: 0x hex or decimal, up to 255, an integer suffix allowed.
bool ArrayValue(std::string_view token, std::uint8_t& value)
{
    while (!token.empty() && (token.back() == 'u' || token.back() == 'U'))
        token.remove_suffix(1);
    unsigned number = 0;
    if (token.size() > 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X')) {
        token.remove_prefix(2);
        if (!IsHexText(token) || token.size() > 2)
            return false;
        for (char c : token)
            number = number * 16 + static_cast<unsigned>(HexDigit(c));
    } else {
        if (token.empty() || token.size() > 3 ||
            !std::all_of(token.begin(), token.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return false;
        for (char c : token)
            number = number * 10 + static_cast<unsigned>(c - '0');
    }
    if (number > 255)
        return false;
    value = static_cast<std::uint8_t>(number);
    return true;
}

int Base64Value(char c)
{
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+' || c == '-')
        return 62;
    if (c == '/' || c == '_')
        return 63;
    return -1;
}

} // namespace

std::vector<FoundEdid> FindXrandrEdids(std::string_view text)
{
    std::vector<FoundEdid> found;
    std::string output;
    std::string hex;
    bool inEdid = false;
    const auto finish = [&] {
        if (inEdid)
            SplitAtHeaders(HexBytes(hex), found, output);
        inEdid = false;
        hex.clear();
    };
    for (std::string_view line : SplitLines(text)) {
        const std::string_view trimmed = Trim(line);
        if (inEdid && IsHexText(trimmed)) {
            hex += trimmed;
            continue;
        }
        finish();
        if (const std::string_view name = XrandrOutputName(line); !name.empty())
            output = name;
        else if (!output.empty() && trimmed == "EDID:")
            inEdid = true;
    }
    finish();
    return found;
}

std::vector<FoundEdid> FindRegistryEdids(std::string_view text)
{
    std::vector<FoundEdid> found;
    std::string key;
    std::string value; // a value line with its continuations joined
    bool continued = false;
    const auto finish = [&] {
        constexpr std::string_view kEdidValue = "\"edid\"=hex:";
        std::string lower;
        for (char c : value.substr(0, kEdidValue.size()))
            lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        if (lower == kEdidValue) {
            std::vector<std::uint8_t> bytes;
            std::string_view rest = std::string_view(value).substr(kEdidValue.size());
            std::size_t start = 0;
            while (start <= rest.size()) {
                const std::size_t comma = std::min(rest.find(',', start), rest.size());
                const std::string_view item = Trim(rest.substr(start, comma - start));
                if (item.size() != 2 || !IsHexText(item))
                    break;
                bytes.push_back(HexBytes(item)[0]);
                start = comma + 1;
            }
            SplitAtHeaders(bytes, found, key);
        }
        value.clear();
    };
    for (std::string_view line : SplitLines(text)) {
        line = Trim(line);
        if (!continued) {
            finish();
            if (line.size() > 2 && line.front() == '[' && line.back() == ']') {
                key = line.substr(1, line.size() - 2);
                continue;
            }
        }
        continued = !line.empty() && line.back() == '\\';
        value += continued ? line.substr(0, line.size() - 1) : line;
    }
    finish();
    return found;
}

std::vector<FoundEdid> FindCArrays(std::string_view original)
{
    std::vector<FoundEdid> found;
    const std::string text = WithoutComments(original);
    std::size_t brace = text.find('{');
    while (brace != std::string::npos) {
        const std::size_t close = text.find('}', brace);
        if (close == std::string::npos)
            break;
        std::vector<std::uint8_t> bytes;
        bool valid = true;
        std::string_view body = std::string_view(text).substr(brace + 1, close - brace - 1);
        std::size_t start = 0;
        while (valid && start < body.size()) {
            const std::size_t comma = std::min(body.find(',', start), body.size());
            const std::string_view item = Trim(body.substr(start, comma - start));
            std::uint8_t value = 0;
            // Only the last item may be empty: a trailing comma.
            valid = item.empty() ? comma == body.size() : ArrayValue(item, value);
            if (!item.empty())
                bytes.push_back(value);
            start = comma + 1;
        }
        if (valid && StartsWithHeader(bytes))
            SplitAtHeaders(bytes, found, ArrayName(text, brace));
        brace = text.find('{', close);
    }
    return found;
}

std::vector<FoundEdid> FindBase64(std::string_view text)
{
    // The header 00 FF FF FF FF FF FF 00 encodes as this wherever an EDID's
    // base64 starts.
    constexpr std::string_view kHeaderBase64 = "AP///////wA";
    std::vector<FoundEdid> found;
    std::size_t at = text.find(kHeaderBase64);
    while (at != std::string_view::npos) {
        std::vector<std::uint8_t> bytes;
        std::uint32_t bits = 0;
        int bitCount = 0;
        std::size_t i = at;
        for (; i < text.size(); ++i) {
            const int value = Base64Value(text[i]);
            if (value < 0) {
                if (IsSpace(text[i]))
                    continue;
                break;
            }
            bits = (bits << 6) | static_cast<std::uint32_t>(value);
            bitCount += 6;
            if (bitCount >= 8) {
                bitCount -= 8;
                bytes.push_back(static_cast<std::uint8_t>(bits >> bitCount));
                bits &= (1u << bitCount) - 1;
            }
        }
        SplitAtHeaders(bytes, found);
        at = text.find(kHeaderBase64, i);
    }
    return found;
}

std::string Utf16LeToAscii(std::string_view data)
{
    std::string text;
    text.reserve(data.size() / 2);
    for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
        const unsigned unit = static_cast<unsigned>(static_cast<unsigned char>(data[i])) |
                              (static_cast<unsigned>(static_cast<unsigned char>(data[i + 1])) << 8u);
        text += unit < 0x80 ? static_cast<char>(unit) : '?';
    }
    return text;
}

} // namespace tessarin::layouts
