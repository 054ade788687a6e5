#include "extension_sections.h"

#include "bits.h"
#include "block_names.h"
#include "displayid_blocks.h"
#include "raw_descriptors.h"
#include "vendor_blocks.h"
#include "vendor_video_blocks.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <utility>

namespace tessarin::complete {

namespace {

using Bytes = std::span<const std::uint8_t>;

// The library's data blocks by kind, each kind in order. A kind is paired
// with the bytes only when both count the same number of blocks of it: a
// block the library skipped would otherwise shift the others.
class LibraryBlocks {
public:
    // `rawCodes`: the kinds of the blocks read from the bytes, in order.
    LibraryBlocks(LibraryExtension* library, const std::vector<unsigned>& rawCodes)
    {
        if (library == nullptr)
            return;
        // A few dozen blocks at most: counting again for each is cheaper
        // than building maps.
        const auto& decoded = library->dataBlocks;
        for (LibraryDataBlock& b : library->dataBlocks) {
            const auto same = [&](const LibraryDataBlock& other) { return other.code == b.code; };
            if (std::count(rawCodes.begin(), rawCodes.end(), b.code) == std::count_if(decoded.begin(), decoded.end(), same))
                blocks_.push_back({b.code, &b.section});
        }
    }

    // The library's section for the next raw block of this kind, or null.
    Section* Next(unsigned code)
    {
        for (Entry& e : blocks_)
            if (e.code == code && e.section != nullptr)
                return std::exchange(e.section, nullptr);
        return nullptr;
    }

private:
    struct Entry {
        unsigned code = 0;
        Section* section = nullptr; // null once taken
    };
    std::vector<Entry> blocks_;
};

bool Empty(const Section& s) { return s.fields.empty() && s.children.empty(); }

std::int64_t WidthOf(const Section& timing)
{
    for (const Field& f : timing.fields)
        if (f.key == "width_px" && std::holds_alternative<std::int64_t>(f.value))
            return std::get<std::int64_t>(f.value);
    return -1;
}

Section Named(const BlockName& name)
{
    Section s;
    s.title = name.title;
    s.key = name.key;
    return s;
}

std::string BlockLabel(int number) { return "Block " + std::to_string(number); }

// ---- CTA-861

struct RawDataBlock {
    Bytes bytes; // header included
    unsigned tag = 0;
    unsigned extendedTag = 0;
    unsigned code() const { return tag << 8 | (tag == 7 ? extendedTag : 0); }
};

Section CtaHeaderFromBytes(Bytes block, const FieldWriter& w)
{
    Section s;
    s.title = FixedText("CTA-861 Header");
    s.key = "cta861_header";
    w.Integer(s, "revision", "Revision", block[1]);
    w.Flag(s, "it_underscan", "Underscans IT formats", IsBitSet(block[3], 7));
    w.Flag(s, "basic_audio", "Basic audio", IsBitSet(block[3], 6));
    w.Flag(s, "ycbcr444", "YCbCr 4:4:4", IsBitSet(block[3], 5));
    w.Flag(s, "ycbcr422", "YCbCr 4:2:2", IsBitSet(block[3], 4));
    w.Integer(s, "native_detailed_timings", "Native detailed timings", get_bit_range(block[3], 3, 0));
    return s;
}

// Video data block read from its bytes: from CTA-861-F on, codes 193 and up
// are VICs of their own, never native; 129..192 are VICs 1..64 marked native.
void SvdsFromBytes(Section& s, Bytes payload, const FieldWriter& w)
{
    for (const std::uint8_t svd : payload) {
        const bool native = svd >= 129 && svd <= 192;
        s.children.push_back(DisplayInfo::Vic(native ? svd & 0x7F : svd, native, w));
    }
}

Section CtaDataBlock(const RawDataBlock& raw, Section* decoded, const FieldWriter& w)
{
    const BlockName name = CtaDataBlockName(raw.tag, raw.extendedTag);
    if (raw.tag == 3)
        return DecodeVendorSpecificDataBlock(raw.bytes, w);
    if (raw.tag == 7 && raw.extendedTag == 121)
        return DecodeHdmiForumSinkCapability(raw.bytes, w);
    if (raw.tag == 7 && raw.extendedTag == 120)
        return DecodeHdmiForumExtensionOverride(raw.bytes, w);
    if (raw.tag == 7 && raw.extendedTag == 1)
        return DecodeVendorSpecificVideoDataBlock(raw.bytes, w);
    if (raw.tag == 7 && raw.extendedTag == 17)
        return DecodeVendorSpecificAudioDataBlock(raw.bytes, w);
    Section s = Named(name);
    if (decoded != nullptr && !Empty(*decoded)) {
        s.fields = std::move(decoded->fields);
        s.children = std::move(decoded->children);
        return s;
    }
    if (raw.tag == 2) {
        SvdsFromBytes(s, raw.bytes.subspan(1), w);
        if (s.children.empty())
            w.Text(s, "vics", "VICs", "None");
        return s;
    }
    return BytesOnlySection(name.title, name.key, raw.bytes);
}

// A bare EDID, base block and one CTA-861 extension, whose extension holds
// `dataBlocks` (at most 123 bytes) and no detailed timings; both checksums valid.
std::array<std::uint8_t, 256> EdidCarrying(Bytes dataBlocks)
{
    std::array<std::uint8_t, 256> edid{};
    constexpr std::array<std::uint8_t, 8> kHeader = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
    std::copy(kHeader.begin(), kHeader.end(), edid.begin());
    edid[8] = 0x04; // maker "AAA"
    edid[9] = 0x21;
    edid[18] = 1; // EDID 1.4
    edid[19] = 4;
    edid[126] = 1; // one extension
    edid[128] = 0x02;
    edid[129] = 3;
    edid[130] = static_cast<std::uint8_t>(4 + dataBlocks.size());
    std::copy(dataBlocks.begin(), dataBlocks.end(), edid.begin() + 132);
    for (const std::size_t last : {127u, 255u}) {
        unsigned sum = 0;
        for (std::size_t i = last - 127; i < last; ++i)
            sum += edid[i];
        edid[last] = static_cast<std::uint8_t>(-sum & 0xFF);
    }
    return edid;
}

// CTA-861 data blocks carried in a DisplayID block. The library reads such
// blocks only from a CTA-861 extension, so it is handed a bare EDID whose one
// extension holds them, and its sections are paired with the bytes as usual.
Section CtaInsideDisplayId(const BlockName& name, Bytes block, const FieldWriter& w)
{
    Section s = Named(name);
    const Bytes payload = block.subspan(3);
    std::vector<RawDataBlock> raws;
    std::vector<unsigned> codes;
    std::size_t x = 0;
    while (x < payload.size()) {
        const unsigned length = get_bit_range(payload[x], 4, 0);
        if (x + 1 + length > payload.size())
            break;
        RawDataBlock raw;
        raw.tag = get_bit_range(payload[x], 7, 5);
        raw.bytes = payload.subspan(x, length + 1);
        raw.extendedTag = raw.tag == 7 && length >= 1 ? payload[x + 1] : 0;
        raws.push_back(raw);
        codes.push_back(raw.code());
        x += length + 1;
    }
    std::vector<LibraryExtension> library;
    constexpr std::size_t kDataArea = 123; // bytes 4..126 of an extension
    if (x <= kDataArea)
        if (const auto info = DisplayInfo::Parse(EdidCarrying(payload.first(x))))
            library = info->Extensions(w);
    LibraryBlocks blocks(library.empty() ? nullptr : &library.front(), codes);
    for (const RawDataBlock& raw : raws)
        s.children.push_back(CtaDataBlock(raw, blocks.Next(raw.code()), w));
    if (x < payload.size())
        s.children.push_back(BytesOnlySection("Truncated Data Block", "truncated_data_block", payload.subspan(x)));
    return s;
}

} // namespace

Section CtaExtension(std::span<const std::uint8_t, 128> block, int number, LibraryExtension* library,
                     const FieldWriter& w, std::vector<Finding>& findings)
{
    Section s = Named(ExtensionName(block[0]));
    s.title = BlockLabel(number) + ": " + s.title;
    const auto finding = [&](const std::string& text) {
        findings.push_back({Finding::Source::Decoder, BlockLabel(number) + ": " + text});
    };
    // Data blocks from byte 4 up to the detailed timings' offset.
    const unsigned dtdOffset = block[2];
    const unsigned end = dtdOffset == 0 ? 4 : std::min(dtdOffset, 127u);
    if (dtdOffset != 0 && dtdOffset < 4)
        finding("detailed timing offset " + std::to_string(dtdOffset) + " lies inside the header");
    std::vector<RawDataBlock> raws;
    std::vector<unsigned> codes;
    raws.reserve(16);
    codes.reserve(16);
    std::vector<Section> truncated;
    for (unsigned x = 4; x < end;) {
        const unsigned length = get_bit_range(block[x], 4, 0);
        RawDataBlock raw;
        raw.tag = get_bit_range(block[x], 7, 5);
        if (x + 1 + length > end) {
            finding("a data block at offset " + std::to_string(x) + " runs past the data block area; its " +
                    std::to_string(end - x) + " bytes are shown as they are");
            truncated.push_back(
                BytesOnlySection("Truncated Data Block", "truncated_data_block", Bytes(block).subspan(x, end - x)));
            break;
        }
        raw.bytes = Bytes(block).subspan(x, length + 1);
        raw.extendedTag = raw.tag == 7 && length >= 1 ? block[x + 1] : 0;
        raws.push_back(raw);
        codes.push_back(raw.code());
        x += length + 1;
    }
    // The header, the data blocks and at most six detailed timings.
    s.children.reserve(1 + raws.size() + truncated.size() + 6);
    s.children.push_back(library != nullptr ? std::move(library->header) : CtaHeaderFromBytes(block, w));
    LibraryBlocks blocks(library, codes);
    for (const RawDataBlock& raw : raws)
        s.children.push_back(CtaDataBlock(raw, blocks.Next(raw.code()), w));
    for (Section& t : truncated)
        s.children.push_back(std::move(t));

    // Detailed timings from the offset until a zero pixel clock.
    if (dtdOffset >= 4) {
        std::size_t index = 0;
        std::size_t taken = 0; // of the library's, which drops a timing it finds fault with
        for (unsigned x = dtdOffset; x + 18 <= 127; x += 18) {
            if (block[x] == 0 && block[x + 1] == 0)
                break;
            const auto width = static_cast<std::int64_t>(block[x + 2] | (block[x + 4] >> 4) << 8);
            Section* decoded = library != nullptr && taken < library->detailedTimings.size()
                                   ? &library->detailedTimings[taken]
                                   : nullptr;
            if (decoded != nullptr && WidthOf(*decoded) == width) {
                s.children.push_back(std::move(*decoded));
                ++taken;
            }
            else
                s.children.push_back(DetailedTimingFromBytes(
                    std::span<const std::uint8_t, 18>(block.data() + x, 18), static_cast<int>(index) + 1, w));
            ++index;
        }
    }
    return s;
}

Section DisplayIdExtension(std::span<const std::uint8_t, 128> block, int number, LibraryExtension* library,
                           const FieldWriter& w, std::vector<Finding>& findings)
{
    Section s = Named(ExtensionName(block[0]));
    s.title = BlockLabel(number) + ": " + s.title;
    if (library != nullptr && !Empty(library->header)) {
        s.children.push_back(std::move(library->header));
    } else {
        Section header;
        header.title = FixedText("DisplayID Header");
        header.key = "displayid_header";
        w.Text(header, "version", "Version", std::to_string(block[1] >> 4) + "." + std::to_string(block[1] & 0xF));
        w.Integer(header, "product_type_code", "Product type (code)", block[3]);
        s.children.push_back(std::move(header));
    }
    // Section: version, byte count, product type, extension count, then
    // data blocks of tag, revision, length; the section checksum follows.
    const unsigned sectionEnd = std::min(5u + block[2], 126u);
    std::vector<std::pair<unsigned, Bytes>> raws;
    std::vector<unsigned> codes;
    for (unsigned x = 5; x + 3 <= sectionEnd;) {
        const unsigned length = block[x + 2];
        if (block[x] == 0 && block[x + 1] == 0 && length == 0)
            break; // padding
        if (x + 3 + length > sectionEnd) {
            findings.push_back({Finding::Source::Decoder, BlockLabel(number) + ": a DisplayID data block at offset " +
                                                              std::to_string(x) + " runs past its section"});
            break;
        }
        raws.emplace_back(block[x], Bytes(block).subspan(x, 3 + length));
        codes.push_back(block[x]);
        x += 3 + length;
    }
    LibraryBlocks blocks(library, codes);
    for (const auto& [tag, bytes] : raws) {
        const BlockName name = DisplayIdDataBlockName(tag);
        Section* decoded = blocks.Next(tag);
        if (decoded != nullptr && !Empty(*decoded)) {
            Section d = Named(name);
            d.fields = std::move(decoded->fields);
            d.children = std::move(decoded->children);
            s.children.push_back(std::move(d));
        } else if (tag == 0x81) {
            s.children.push_back(CtaInsideDisplayId(name, bytes, w));
        } else if (Section d = Named(name); DecodeDisplayIdDataBlock(bytes, w, d)) {
            s.children.push_back(std::move(d));
        } else {
            s.children.push_back(BytesOnlySection(name.title, name.key, bytes));
        }
    }
    return s;
}

Section BlockMapExtension(std::span<const std::uint8_t, 128> block, int number, const FieldWriter& w)
{
    Section s = Named(ExtensionName(block[0]));
    s.title = BlockLabel(number) + ": " + s.title;
    // Byte k names the tag of the block k places after the map; 0 is unused.
    for (unsigned k = 1; k < 127; ++k) {
        if (block[k] == 0)
            continue;
        char tag[8];
        std::snprintf(tag, sizeof tag, "0x%02X", block[k]);
        Section entry;
        entry.title = FixedText("Mapped block");
        entry.key = "mapped_block";
        entry.summary = BlockLabel(number + static_cast<int>(k)) + ", " + ExtensionName(block[k]).title + " (" + tag + ")";
        w.Integer(entry, "block_number", "Block", number + static_cast<int>(k));
        w.Hex(entry, "tag", "Tag", block[k]);
        s.children.push_back(std::move(entry));
    }
    if (s.children.empty())
        w.Text(s, "blocks", "Blocks", "None");
    return s;
}

} // namespace tessarin::complete
