#pragma once
// The video timing extension block (tag 0x10), read from its bytes: the
// library leaves it undecoded.
#include "complete_decode.h"
#include "field_writer.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tessarin::complete {

// Its detailed timings, CVT codes and standard timings as children of `s`,
// which the caller has titled. Counts that overrun the block are cut to
// what fits, and say so in `problems` (one text each).
void DecodeVideoTimingExtension(std::span<const std::uint8_t, 128> block, const FieldWriter& w, Section& s,
                                std::vector<std::string>& problems);

} // namespace tessarin::complete
