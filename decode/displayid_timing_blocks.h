#pragma once
// The DisplayID data blocks about timings and refresh, for the DisplayID
// block reader: type I and VII detailed timings, the VESA DMT bitmap, dynamic
// timing range limits and adaptive sync ranges. Each takes the whole data
// block (tag, revision, payload length, payload), long enough for what its
// tag promises, and adds to a section the caller has titled.
#include "bits.h"
#include "complete_decode.h"
#include "field_writer.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace tessarin::complete::displayid {

using Bytes = std::span<const std::uint8_t>;

inline constexpr std::size_t kHeader = 3; // tag, revision, payload length

inline unsigned Le16(Bytes b, std::size_t i) { return b[i] | static_cast<unsigned>(b[i + 1]) << 8; }
// Chromaticities: 12 bits in a byte and a half, low byte first.
inline double ChromaLowFirst(Bytes b, std::size_t i) { return (b[i] | get_bit_range(b[i + 1], 3, 0) << 8) / 4096.0; }
inline double ChromaHighFirst(Bytes b, std::size_t i)
{
    return (get_bit_range(b[i], 7, 4) | static_cast<unsigned>(b[i + 1]) << 4) / 4096.0;
}
inline unsigned Le24(Bytes b, std::size_t i) { return Le16(b, i) | static_cast<unsigned>(b[i + 2]) << 16; }

// Type I only where the library read nothing of it.
void TypeITimings(Section& s, const FieldWriter& w, Bytes block);
void TypeViiTimings(Section& s, const FieldWriter& w, Bytes block);
void DmtTimings(Section& s, const FieldWriter& w, Bytes block);
void DynamicRange(Section& s, const FieldWriter& w, Bytes block);
void AdaptiveSync(Section& s, const FieldWriter& w, Bytes block);

} // namespace tessarin::complete::displayid
