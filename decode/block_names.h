#pragma once
// The standard's names of CTA-861 data blocks, DisplayID data blocks and
// EDID extensions, by their tags: a part nobody decodes still shows what it is.
#include "complete_decode.h"

#include <cstdint>
#include <string>

namespace tessarin::complete {

struct BlockName {
    Text title;    // "Colorimetry Data Block"
    FixedText key; // "colorimetry_data_block"
};

// `tag` 0..7 from the header byte; `extendedTag` the byte after it (used
// only when tag is 7).
BlockName CtaDataBlockName(unsigned tag, unsigned extendedTag);
// DisplayID data block tags, of versions 1 (0x00..0x13, 0x7F) and 2 (0x20..0x2A, 0x7E), and 0x81 CTA.
BlockName DisplayIdDataBlockName(unsigned tag);
// Byte 0 of an extension block.
BlockName ExtensionName(unsigned tag);

} // namespace tessarin::complete
