#pragma once
// One input of tessarin-report turned into the 256 bytes the decoder takes.
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace tessarin {

struct EdidInput {
    std::vector<std::uint8_t> edid; // 256 bytes when `error` is empty
    std::string error;              // why the input is refused
};

// A raw binary EDID (the stream starts with 00 FF FF FF FF FF FF 00): its
// first 256 bytes, zero-padded when shorter. Anything else is read as an
// ".edd" file. Either way the bytes must then pass the acceptance test of
// the file command: byte 1 is 0xFF and byte 8 is not 0. Reads 256 bytes of
// a raw EDID and at most 1 MiB of anything else, so a huge or endless stream
// costs little more than an EDID.
EdidInput ReadEdidInput(std::istream& in);

// As above for a file named on the command line (UTF-8).
EdidInput ReadEdidFile(const std::string& path);

} // namespace tessarin
