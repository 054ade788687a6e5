#pragma once
// The display information extension block (tag 0x40), read from its bytes:
// the library leaves it undecoded.
#include "complete_decode.h"
#include "field_writer.h"

#include <cstdint>
#include <span>

namespace tessarin::complete {

// Its sections (digital interface, display device, capabilities, transfer
// characteristics) as children of `s`, which the caller has titled.
void DecodeDisplayInformationExtension(std::span<const std::uint8_t, 128> block, const FieldWriter& w, Section& s);

} // namespace tessarin::complete
