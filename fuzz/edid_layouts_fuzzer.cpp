// Any bytes through the layout detector. Whatever it finds must be an EDID
// it could have found (the header first, within the size limit), and the
// first one must read back from its own hex dump.
#include "edid_input.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const tessarin::EdidInput input =
        tessarin::ReadEdidData(std::string_view(reinterpret_cast<const char*>(data), size));
    if (input.edids.empty() != !input.error.empty())
        std::abort();
    for (const tessarin::FoundEdid& edid : input.edids) {
        if (edid.bytes.empty() || edid.bytes.size() > tessarin::kMaxEdidBytes)
            std::abort();
        if (input.layout != ".edd" && (edid.bytes[0] != 0 || edid.bytes[1] != 0xFF || edid.bytes[7] != 0))
            std::abort();
    }
    if (input.edids.empty())
        return 0;
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (const std::uint8_t byte : input.edids.front().bytes) {
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 0xF];
        hex += ' ';
    }
    const tessarin::EdidInput again = tessarin::ReadEdidData(hex);
    // Raw bytes are kept whole; every text layout parts a dump at each header.
    const bool split = input.layout != ".edd" && input.layout != "raw binary";
    if (split && (again.edids.empty() || again.edids.front().bytes != input.edids.front().bytes))
        std::abort();
    return 0;
}
