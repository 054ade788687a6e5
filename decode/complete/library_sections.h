#pragma once
// Inside DisplayInfo only: the library's structures read into sections. The
// library's C headers are included here and nowhere outside this folder.
#include "complete_decode.h"
#include "field_writer.h"

extern "C" {
#include <libdisplay-info/cta.h>
#include <libdisplay-info/displayid.h>
#include <libdisplay-info/dmt.h>
#include <libdisplay-info/edid.h>
#include <libdisplay-info/info.h>
}

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tessarin::complete::library {

// An empty section with its title and kind.
inline Section Make(Text title, FixedText key)
{
    Section s;
    s.title = std::move(title);
    s.key = key;
    return s;
}

Section DetailedTiming(const di_edid_detailed_timing_def& t, int number, const FieldWriter& w);
Section BaseBlock(const di_info* info, std::span<const std::uint8_t, 128> base, const FieldWriter& w);
// Returns the block's code (see LibraryDataBlock) and its section.
unsigned CtaDataBlock(const di_cta_data_block* block, std::vector<std::uint8_t>& svdVics, Section& out,
                      const FieldWriter& w);
Section CtaHeader(const di_edid_cta* cta, const FieldWriter& w);
Section DisplayIdHeader(const di_displayid* displayid, const FieldWriter& w);
Section DisplayIdDataBlock(const di_displayid_data_block* block, const FieldWriter& w);
// A VIC as one line: "1280x720p 24.000 Hz 16:9 59.400 MHz (native)".
Section Vic(unsigned vic, bool native, const FieldWriter& w);

} // namespace tessarin::complete::library
