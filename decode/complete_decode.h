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
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tessarin::complete {

// A key or label: a literal or an entry of a static table, never a text
// built at run time (whoever holds it keeps only a view of it).
class FixedText {
public:
    constexpr FixedText() = default;
    constexpr FixedText(const char* text) : text_(text) {}
    FixedText(const std::string&) = delete;
    constexpr operator std::string_view() const { return text_; }
    friend constexpr bool operator==(FixedText a, std::string_view b) noexcept { return a.text_ == b; }

private:
    std::string_view text_;
};

// A text of the model. Most are fixed ("Yes", "Standard timing", a block's
// name) and are kept as a view of the literal; the rest are made at run time
// ("1920 pixels", "Detailed Timing 2") and owned. A report holds thousands:
// copying the fixed ones into strings of their own was most of its cost.
// Reads as a std::string_view.
class Text {
public:
    Text() noexcept = default;
    Text(FixedText fixed) noexcept : fixed_(fixed) {}
    // A literal or a static table's entry, as FixedText; a text in a buffer
    // of the caller's (char*) must be made into a std::string first.
    Text(const char* fixed) noexcept : fixed_(fixed) {}
    Text(char*) = delete;
    Text(std::string made) noexcept : made_(std::move(made)) {}

    operator std::string_view() const noexcept { return fixed_.data() != nullptr ? fixed_ : std::string_view(made_); }
    std::string_view view() const noexcept { return *this; }
    bool empty() const noexcept { return view().empty(); }
    std::size_t size() const noexcept { return view().size(); }
    std::string str() const { return std::string(view()); }
    // The owned text, to append to; a fixed one is copied into it first.
    std::string& Made()
    {
        if (fixed_.data() != nullptr) {
            made_.assign(fixed_);
            fixed_ = {};
        }
        return made_;
    }

    friend bool operator==(const Text& a, const Text& b) noexcept { return a.view() == b.view(); }
    friend bool operator==(const Text& a, std::string_view b) noexcept { return a.view() == b; }
    friend std::string operator+(std::string a, const Text& b) { return std::move(a.append(b.view())); }

private:
    std::string_view fixed_; // null data: the text is `made_`
    std::string made_;
};

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
