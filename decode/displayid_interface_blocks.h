#pragma once
// The first DisplayID version's blocks about the link and the colour of the
// display, for the DisplayID block reader: display interface and colour
// characteristics. Each takes the whole data block (tag, revision, payload
// length, payload), long enough for what its tag promises.
#include "complete_decode.h"
#include "field_writer.h"

#include <cstdint>
#include <span>

namespace tessarin::complete::displayid {

// At least ten payload bytes.
void DisplayInterface(Section& s, const FieldWriter& w, std::span<const std::uint8_t> block);
// Three bytes for each primary and white point the first payload byte counts.
void ColorCharacteristics(Section& s, const FieldWriter& w, std::span<const std::uint8_t> block);

} // namespace tessarin::complete::displayid
