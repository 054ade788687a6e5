#pragma once
// The complete decode of an EDID as plain values: what the report's third
// part shows and what exports are written from. It is a tree: every block of
// the EDID is a Section, its parts are child Sections, and each fact is a
// Field that carries both its typed value and the text the report shows, so
// no consumer ever has to read a number back out of a text.
//
// Keys are stable snake_case identifiers meant for machines (JSON, diffs):
//  - a Section's key names its kind ("base_block", "cta861_extension",
//    "audio_data_block", "short_audio_descriptor", "vendor_specific_data_block_hdmi_forum");
//    siblings may share a key (two audio blocks, thirteen VICs), so a
//    consumer keeps them in order, as a list;
//  - a Field's key names the fact and ends with its unit where it has one
//    ("max_luminance_cd_m2", "pixel_clock_mhz", "max_refresh_rate_hz").
// Titles and labels are English for people; the report uses them as they
// stand. Field text is ready to show (units included, the caller's decimal
// separator). Nothing here comes from a parse of any text.
#include "model_text.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tessarin::complete {

// Numbers stay numbers: counts and codes are integers, measured quantities
// (luminances, rates, chromaticities) reals, names and lists strings.
using FieldValue = std::variant<bool, std::int64_t, double, Text>;

// Keys and labels are fixed texts of the decoders (literals, static tables):
// a report holds thousands of fields, and none needs its own copy of them.
struct Field {
    std::string_view key;   // snake_case, the unit in the name
    std::string_view label; // "Max luminance"
    FieldValue value;
    Text text; // "408.76 cd/m²"
};

struct Section {
    Text title;           // the standard's name: "Audio Data Block"
    FixedText key;        // snake_case kind of the section
    // When not empty, the report shows the section as this one line after
    // its title ("VIC 60" then "1280x720p 24.000 Hz 16:9 59.400 MHz"); its
    // fields then carry the same facts for machines.
    std::string summary;
    std::vector<Field> fields;
    std::vector<Section> children;
    // The bytes of a part nobody decodes here (an unknown data block, a
    // vendor block of an unknown company, an unknown extension): as read,
    // header included. Empty for a decoded part.
    std::vector<std::uint8_t> bytes;
    // True when `bytes` is all there is to say about this part.
    bool bytesOnly = false;
};

// One 128-byte block's checksum as it was read: blocks are never shown with
// a repaired checksum.
struct BlockChecksum {
    int block = 0;           // 0 = base block
    std::string type;        // "Base", "CTA-861", "DisplayID", "Block Map", ...
    std::uint8_t stored = 0; // byte 127 as read
    std::uint8_t expected = 0; // the byte that makes the block sum to 0 mod 256
    bool valid() const noexcept { return stored == expected; }
};

struct Finding {
    enum class Source {
        Library,  // a conformance message of the EDID library
        Checksum, // a block whose checksum does not match
        Length,   // fewer bytes than the extension count says, or a partial block
        Repair,   // the library refused the bytes as read and was given a repaired copy
        Decoder,  // ours: a data block that runs past its extension, an unknown tag, ...
    };
    Source source = Source::Decoder;
    std::string text;
};

struct CompleteDecode {
    std::vector<BlockChecksum> checksums;
    // Length problems, also listed among the findings; the report shows
    // them with the checksums.
    std::vector<std::string> lengthProblems;
    Section base;                     // key "base_block"
    std::vector<Section> extensions;  // one per extension block present, in order
    std::vector<Finding> findings;
    // Data blocks, descriptors and extensions shown as bytes only, for the
    // corpus sweep's count.
    int bytesOnlyParts = 0;
};

} // namespace tessarin::complete
