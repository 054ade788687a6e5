#include "edid_redact.h"

#include <algorithm>

namespace tessarin {
namespace {

constexpr std::size_t kBlock = 128;

// Blanks an 18-byte descriptor at `at` when it is a serial-number one.
bool BlankSerialDescriptor(std::vector<std::uint8_t>& edid, std::size_t at)
{
    if (at + 18 > edid.size() || edid[at] != 0 || edid[at + 1] != 0 || edid[at + 2] != 0 || edid[at + 3] != 0xFF)
        return false;
    const auto text = edid.begin() + static_cast<std::ptrdiff_t>(at + 5);
    if (std::all_of(text, text + 13, [](std::uint8_t c) { return c == ' '; }))
        return false;
    std::fill(text, text + 13, ' ');
    return true;
}

} // namespace

RedactedEdid RedactEdid(std::span<const std::uint8_t> edid)
{
    RedactedEdid result{{edid.begin(), edid.end()}, 0};
    std::vector<std::uint8_t>& bytes = result.bytes;
    if (bytes.size() >= 16 && std::any_of(bytes.begin() + 12, bytes.begin() + 16, [](std::uint8_t b) { return b; })) {
        std::fill(bytes.begin() + 12, bytes.begin() + 16, 0);
        ++result.fieldsBlanked;
    }
    for (std::size_t at : {54u, 72u, 90u, 108u})
        result.fieldsBlanked += BlankSerialDescriptor(bytes, at);
    for (std::size_t block = kBlock; block + kBlock <= bytes.size(); block += kBlock) {
        const std::uint8_t offset = bytes[block + 2];
        if (bytes[block] != 0x02 || offset < 4)
            continue;
        for (std::size_t at = block + offset; at + 18 <= block + kBlock - 1; at += 18)
            result.fieldsBlanked += BlankSerialDescriptor(bytes, at);
    }
    for (std::size_t block = 0; block + kBlock <= bytes.size(); block += kBlock) {
        unsigned before = 0;
        unsigned after = 0;
        for (std::size_t i = block; i < block + kBlock - 1; ++i) {
            before += edid[i];
            after += bytes[i];
        }
        bytes[block + kBlock - 1] = static_cast<std::uint8_t>(edid[block + kBlock - 1] + before - after);
    }
    return result;
}

} // namespace tessarin
