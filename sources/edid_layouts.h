#pragma once
// The layouts in which people carry EDIDs, recognised from the bytes alone:
// the raw bytes (a file of their own or a DRM connector's `edid`), the ".edd"
// file, hex text as dump tools, edid-decode and hardware-probe reports write
// it, `xrandr --verbose` and `--props` output, C array initialisers, base64
// and Windows `.reg` exports.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessarin {

// 256 blocks: the most an EDID can address.
inline constexpr std::size_t kMaxEdidBytes = 256 * 128;

// One EDID of an input: its bytes as found (every block, at most
// kMaxEdidBytes), and the name the layout gives it (xrandr's output, the
// registry key, the C array), or "".
struct FoundEdid {
    std::vector<std::uint8_t> bytes;
    std::string name;
};

struct LayoutRead {
    // Every EDID found, in the order the input holds them. One for raw bytes
    // and ".edd"; text layouts yield each EDID that starts with its header.
    std::vector<FoundEdid> edids;
    // The layout recognised ("raw binary", ".edd", "hex text", ...), or ""
    // when none held an EDID.
    std::string layout;
    // An ".edd" table was found but a row of it is not hex.
    bool eddTableUnreadable = false;
};

// Tries the layouts in turn; the first that yields an EDID wins. An ".edd"
// file's bytes are taken as its table gives them, whatever they are (the
// caller applies its acceptance test); everything else starts with the
// EDID header.
LayoutRead ReadEdidLayouts(std::string_view data);

// Names the layouts ReadEdidLayouts() tries, for a refusal.
inline constexpr const char* kLayoutsTried =
    "neither a raw EDID nor an .edd file with a hex table, and no EDID in it as hex text, "
    "xrandr output, a C array, base64 or a Windows .reg export";

} // namespace tessarin
