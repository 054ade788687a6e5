#pragma once
// One input of tessarin-report turned into the 256 bytes the decoder takes.
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace tessarin {

struct EdidInput {
    // At least 256 bytes when `error` is empty: the decoder takes the first
    // 256, the complete decode the first `length`.
    std::vector<std::uint8_t> edid;
    std::string error;      // why the input is refused
    std::size_t length = 0; // the bytes the input held (a raw EDID: up to 32 KiB)
};

// A raw binary EDID (the stream starts with 00 FF FF FF FF FF FF 00): all
// its blocks up to 256 of them (32 KiB), zero-padded to 256 bytes when
// shorter. Anything else is read as an ".edd" file (256 bytes). Either way
// the bytes must then pass the acceptance test of the file command: byte 1
// is 0xFF and byte 8 is not 0. Reads at most 32 KiB of a raw EDID and 1 MiB
// of anything else, so a huge or endless stream costs little more than an
// EDID.
EdidInput ReadEdidInput(std::istream& in);

// As above for a file named on the command line (UTF-8).
EdidInput ReadEdidFile(const std::string& path);

} // namespace tessarin
