#pragma once
// The vendor-specific data blocks of a CTA-861 extension, which the EDID
// library leaves undecoded: HDMI, HDMI Forum (and its Sink Capability block,
// which carries the same fields), AMD's FreeSync block; any other company's
// block as its OUI and bytes (named where the company is known: Microsoft's
// block is decoded, NVIDIA's and MStar's are not documented).
#include "complete_decode.h"
#include "field_writer.h"

#include <cstdint>
#include <span>

namespace tessarin::complete {

inline constexpr std::uint32_t kOuiHdmi = 0x000C03;
inline constexpr std::uint32_t kOuiHdmiForum = 0xC45DD8;
inline constexpr std::uint32_t kOuiAmd = 0x00001A;
inline constexpr std::uint32_t kOuiMicrosoft = 0xCA125C;
inline constexpr std::uint32_t kOuiNvidia = 0x00044B;
inline constexpr std::uint32_t kOuiMstar = 0x0014B9;

// `block` is the whole data block: its tag/length byte, the OUI (least
// significant byte first), then the payload. A block shorter than its OUI is
// shown as bytes. Bytes past what is decoded are listed as such.
Section DecodeVendorSpecificDataBlock(std::span<const std::uint8_t> block, const FieldWriter& w);

// Extended tag 0x79: header, extended tag, two reserved bytes, then the
// fields of the HDMI Forum block from its version on.
Section DecodeHdmiForumSinkCapability(std::span<const std::uint8_t> block, const FieldWriter& w);

// Extended tag 0x78: header, extended tag, then the number of extension
// blocks the sink really has, which the base block's count (at most 1 for
// HDMI) understates.
Section DecodeHdmiForumExtensionOverride(std::span<const std::uint8_t> block, const FieldWriter& w);

// A 16-byte container ID as Windows writes it: "6137cf3e-f87e-4fcd-...".
std::string ContainerIdText(std::span<const std::uint8_t, 16> id);

// "C4-5D-D8": as the registry writes an OUI, most significant byte first.
std::string OuiText(std::uint32_t oui);

} // namespace tessarin::complete
