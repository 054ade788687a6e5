#pragma once
// An EDID fit to share: the serial numbers that identify one unit blanked.
#include <cstdint>
#include <span>
#include <vector>

namespace tessarin {

struct RedactedEdid {
    std::vector<std::uint8_t> bytes;
    // Serial fields changed (the ID serial number, serial-number descriptors).
    int fieldsBlanked = 0;
};

// The ID serial number (bytes 12 to 15) becomes zeros and the text of every
// serial-number descriptor (tag 0xFF, in the base block and in the detailed
// timing area of CEA-861 extensions) spaces. Each changed block's checksum
// moves by what its other bytes lost, so a block that summed to 0 still does
// and one that did not stays as wrong as it was.
RedactedEdid RedactEdid(std::span<const std::uint8_t> edid);

} // namespace tessarin
