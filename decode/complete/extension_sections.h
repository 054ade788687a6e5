#pragma once
// One extension block walked in its bytes, its parts paired with what the
// EDID library made of them.
#include "complete_decode.h"
#include "display_info.h"
#include "field_writer.h"

#include <cstdint>
#include <span>
#include <vector>

namespace tessarin::complete {

// `library` is null when the library did not reach this block; its sections
// are moved out. Findings of ours (a data block that runs past the block,
// ...) are appended.
Section CtaExtension(std::span<const std::uint8_t, 128> block, int number, LibraryExtension* library,
                     const FieldWriter& w, std::vector<Finding>& findings);
Section DisplayIdExtension(std::span<const std::uint8_t, 128> block, int number, LibraryExtension* library,
                           const FieldWriter& w, std::vector<Finding>& findings);
// The tags a block map gives the blocks after it.
Section BlockMapExtension(std::span<const std::uint8_t, 128> block, int number, const FieldWriter& w);

} // namespace tessarin::complete
