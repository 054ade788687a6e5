#pragma once
// The complete decode of an EDID: every block present, with its checksum as
// read, decoded by the EDID library where it reaches and by our own
// decoders (vendor blocks, block names) where it does not; whatever neither
// decodes is kept as bytes.
#include "complete_decode.h"

#include <cstdint>
#include <span>

namespace tessarin::complete {

// Up to 256 blocks; bytes past that are left out with a finding.
inline constexpr std::size_t kMaxEdidBytes = 256 * 128;

// `edid` is every byte read, not padded. Reals in the field texts use
// `decimalSeparator`. Never throws for any input.
CompleteDecode DecodeComplete(std::span<const std::uint8_t> edid, char decimalSeparator = '.');

} // namespace tessarin::complete
