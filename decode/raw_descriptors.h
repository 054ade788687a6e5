#pragma once
// 18-byte descriptors read from their bytes, for those the EDID library
// passes over (it drops a descriptor it finds fault with): detailed timings,
// range limits and the text descriptors. Same keys as the library's sections.
#include "complete_decode.h"
#include "field_writer.h"

#include <cstdint>
#include <span>

namespace tessarin::complete {

Section DetailedTimingFromBytes(std::span<const std::uint8_t, 18> d, int number, const FieldWriter& w);
// Range limits (0xFD) and the texts (0xFF, 0xFE, 0xFC): fields added to `s`.
// False for any other tag.
bool DisplayDescriptorFromBytes(std::span<const std::uint8_t, 18> d, Section& s, const FieldWriter& w);

} // namespace tessarin::complete
