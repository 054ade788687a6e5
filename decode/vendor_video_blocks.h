#pragma once
// The vendor-specific video and audio data blocks of a CTA-861 extension
// (extended tags 1 and 17), which the EDID library leaves undecoded: Dolby
// Vision and HDR10+ video capabilities, Dolby's audio block; any other
// company's block as its OUI and bytes.
#include "complete_decode.h"
#include "field_writer.h"

#include <cstdint>
#include <span>

namespace tessarin::complete {

inline constexpr std::uint32_t kOuiDolby = 0x00D046;
inline constexpr std::uint32_t kOuiHdr10Plus = 0x90848B;

// `block` is the whole data block: its tag/length byte, the extended tag,
// the OUI (least significant byte first), then the payload. A block shorter
// than its OUI, or too short for the fields its version has, is shown as
// bytes.
Section DecodeVendorSpecificVideoDataBlock(std::span<const std::uint8_t> block, const FieldWriter& w);
Section DecodeVendorSpecificAudioDataBlock(std::span<const std::uint8_t> block, const FieldWriter& w);

// The ST 2084 (PQ) curve: a 12-bit code to cd/m².
double PqCodeToLuminance(unsigned code);

} // namespace tessarin::complete
