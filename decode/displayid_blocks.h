#pragma once
// DisplayID data blocks the EDID library leaves undecoded, read from their
// bytes: product identification, the second version's display parameters,
// display interface features and container ID here; the timing blocks (type
// VII, the VESA DMT bitmap, dynamic range limits, adaptive sync) in
// displayid_timing_blocks.h.
#include "complete_decode.h"
#include "field_writer.h"

#include <cstdint>
#include <span>

namespace tessarin::complete {

// `block` is the whole data block: tag, revision, payload length, payload.
// Adds the block's fields and child sections to `s`, which the caller has titled.
// False, with `s` untouched, when the tag is not one of those read here or
// the block is too short for what its tag promises: the caller then shows
// its bytes.
bool DecodeDisplayIdDataBlock(std::span<const std::uint8_t> block, const FieldWriter& w, Section& s);

// A 16-bit IEEE 754 half-precision number as a double; NaN for an infinity
// or a NaN.
double HalfToDouble(std::uint16_t half);

} // namespace tessarin::complete
