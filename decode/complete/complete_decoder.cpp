#include "complete_decoder.h"

#include "block_names.h"
#include "display_info.h"
#include "display_information_extension.h"
#include "extension_sections.h"
#include "field_writer.h"
#include "video_timing_extension.h"

#include <algorithm>
#include <numeric>
#include <string>
#include <string_view>

namespace tessarin::complete {

namespace {

constexpr std::size_t kBlock = 128;

std::uint8_t ExpectedChecksum(std::span<const std::uint8_t> block)
{
    const unsigned sum = std::accumulate(block.begin(), block.begin() + 127, 0u);
    return static_cast<std::uint8_t>((256 - sum % 256) % 256);
}

std::string Hex(std::uint8_t value)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    return std::string("0x") + kHex[value >> 4] + kHex[value & 0xF];
}

std::string BlockType(std::span<const std::uint8_t> edid, std::size_t index)
{
    return index == 0 ? std::string("Base Block") : ExtensionName(edid[index * kBlock]).title.str();
}

void Checksums(CompleteDecode& d, std::span<const std::uint8_t> edid, std::size_t blocks)
{
    d.checksums.reserve(blocks);
    for (std::size_t i = 0; i < blocks; ++i) {
        const auto block = edid.subspan(i * kBlock, kBlock);
        BlockChecksum c{static_cast<int>(i), BlockType(edid, i), block[127], ExpectedChecksum(block)};
        if (!c.valid())
            d.findings.push_back({Finding::Source::Checksum, "Block " + std::to_string(i) + " (" + c.type +
                                                                 "): checksum " + Hex(c.stored) +
                                                                 " invalid, should be " + Hex(c.expected)});
        d.checksums.push_back(std::move(c));
    }
}

void LengthProblem(CompleteDecode& d, std::string text)
{
    d.findings.push_back({Finding::Source::Length, text});
    d.lengthProblems.push_back(std::move(text));
}

// The library refuses some EDIDs real monitors send (a bad checksum, an
// extension of 0xFF). Tries the bytes as read, then with every checksum
// recomputed, then the base block alone; says which it took.
std::unique_ptr<DisplayInfo> ParseWithRepairs(std::vector<std::uint8_t> bytes, CompleteDecode& d, bool& baseOnly)
{
    baseOnly = false;
    if (auto info = DisplayInfo::Parse(bytes))
        return info;
    for (std::size_t i = 0; i + kBlock <= bytes.size(); i += kBlock)
        bytes[i + 127] = ExpectedChecksum(std::span(bytes).subspan(i, kBlock));
    if (auto info = DisplayInfo::Parse(bytes)) {
        d.findings.push_back({Finding::Source::Repair,
                              "The EDID library refused the EDID as read; it decoded a copy with every block's "
                              "checksum recomputed (the checksums above are as read)"});
        return info;
    }
    bytes.resize(kBlock);
    bytes[126] = 0;
    bytes[127] = ExpectedChecksum(bytes);
    baseOnly = true;
    if (auto info = DisplayInfo::Parse(bytes)) {
        d.findings.push_back({Finding::Source::Repair,
                              "The EDID library refused the EDID as read and with its checksums recomputed; it "
                              "decoded the base block alone, and the extensions are decoded here without it"});
        return info;
    }
    d.findings.push_back({Finding::Source::Repair,
                          "The EDID library refused the EDID, even its base block alone; the base block is "
                          "shown as bytes"});
    return nullptr;
}

// The library groups its messages under a heading per block ("Block 1,
// CTA-861 Extension Block:" then indented lines): each finding names its block.
void LibraryMessages(CompleteDecode& d, const std::string& messages)
{
    std::string heading;
    const std::string_view all = messages;
    std::size_t start = 0;
    while (start < all.size()) {
        std::size_t end = all.find('\n', start);
        if (end == std::string_view::npos)
            end = all.size();
        const std::string_view line = all.substr(start, end - start);
        start = end + 1;
        const auto first = line.find_first_not_of(' ');
        if (first == std::string_view::npos)
            continue;
        if (first == 0 && line.ends_with(':')) {
            heading.assign(line);
            heading += ' ';
        } else {
            std::string text = heading;
            text += line.substr(first);
            d.findings.push_back({Finding::Source::Library, std::move(text)});
        }
    }
}

int CountBytesOnly(const Section& s)
{
    int n = s.bytesOnly ? 1 : 0;
    for (const Section& c : s.children)
        n += CountBytesOnly(c);
    return n;
}

bool AllZero(std::span<const std::uint8_t> bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0; });
}

} // namespace

CompleteDecode DecodeComplete(std::span<const std::uint8_t> edid, char decimalSeparator)
{
    const FieldWriter w(decimalSeparator);
    CompleteDecode d;
    if (edid.size() > kMaxEdidBytes) {
        LengthProblem(d, std::to_string(edid.size() - kMaxEdidBytes) + " bytes after the first 256 blocks are left out");
        edid = edid.first(kMaxEdidBytes);
    }
    const std::size_t blocks = edid.size() / kBlock;
    const std::size_t tail = edid.size() % kBlock;
    Checksums(d, edid, blocks);
    if (blocks == 0) {
        LengthProblem(d, "Only " + std::to_string(edid.size()) + " bytes: a base block takes 128");
        d.base = BytesOnlySection("Base Block", "base_block", edid);
        d.bytesOnlyParts = 1;
        return d;
    }
    const std::size_t announced = edid[126];
    const std::size_t present = blocks - 1;
    if (present < announced)
        LengthProblem(d, "The base block announces " + std::to_string(announced) + " extension block" +
                             (announced == 1 ? "" : "s") + "; " + std::to_string(present) + " present");
    if (tail != 0)
        LengthProblem(d, "The last " + std::to_string(tail) + " bytes are not a whole block");

    const std::size_t handed = std::min(announced, present);
    bool baseOnly = false;
    const auto info = ParseWithRepairs(std::vector<std::uint8_t>(edid.begin(), edid.begin() + static_cast<std::ptrdiff_t>((1 + handed) * kBlock)),
                                       d, baseOnly);
    std::vector<LibraryExtension> libraryExtensions;
    if (info != nullptr) {
        LibraryMessages(d, info->FailureMessages());
        d.base = info->BaseBlock(w);
        if (!baseOnly)
            libraryExtensions = info->Extensions(w);
    } else {
        d.base = BytesOnlySection("Base Block", "base_block", edid.first(kBlock));
    }

    // Blocks past the extension count: the library gets a copy that
    // announces them, so they are decoded like the others.
    std::vector<LibraryExtension> unannounced;
    bool extraData = false;
    for (std::size_t i = announced + 1; i <= present; ++i)
        extraData = extraData || !AllZero(edid.subspan(i * kBlock, kBlock));
    if (extraData) {
        std::vector<std::uint8_t> copy(edid.begin(), edid.begin() + static_cast<std::ptrdiff_t>((1 + present) * kBlock));
        copy[126] = static_cast<std::uint8_t>(present);
        for (std::size_t i = 0; i + kBlock <= copy.size(); i += kBlock)
            copy[i + 127] = ExpectedChecksum(std::span(copy).subspan(i, kBlock));
        if (const auto all = DisplayInfo::Parse(copy)) {
            unannounced = all->Extensions(w);
            d.findings.push_back({Finding::Source::Repair,
                                  "The blocks past the extension count were decoded from a copy whose count "
                                  "announces them"});
        }
    }

    d.extensions.reserve(present);
    for (std::size_t i = 1; i <= present; ++i) {
        const auto block = std::span<const std::uint8_t, kBlock>(edid.data() + i * kBlock, kBlock);
        const int number = static_cast<int>(i);
        if (i > announced) {
            // Padding behind a short EDID is common and says nothing.
            if (AllZero(block)) {
                d.findings.push_back({Finding::Source::Length, "Block " + std::to_string(i) +
                                                                   " is not announced by the extension count "
                                                                   "and holds only zeros"});
                continue;
            }
            d.findings.push_back({Finding::Source::Length, "Block " + std::to_string(i) +
                                                               " is not announced by the extension count; it "
                                                               "is decoded all the same"});
        }
        LibraryExtension* library = nullptr;
        std::vector<LibraryExtension>& source = i > announced ? unannounced : libraryExtensions;
        if (i - 1 < source.size() && source[i - 1].tag == block[0])
            library = &source[i - 1];
        Section s;
        if (block[0] == 0x02) {
            s = CtaExtension(block, number, library, w, d.findings);
        } else if (block[0] == 0x70) {
            s = DisplayIdExtension(block, number, library, w, d.findings);
        } else if (block[0] == 0xF0) {
            s = BlockMapExtension(block, number, w);
        } else if (block[0] == 0x40) {
            const BlockName name = ExtensionName(block[0]);
            s.title = "Block " + std::to_string(i) + ": " + name.title;
            s.key = name.key;
            DecodeDisplayInformationExtension(block, w, s);
        } else if (block[0] == 0x10) {
            const BlockName name = ExtensionName(block[0]);
            s.title = "Block " + std::to_string(i) + ": " + name.title;
            s.key = name.key;
            std::vector<std::string> problems;
            DecodeVideoTimingExtension(block, w, s, problems);
            for (const std::string& p : problems)
                d.findings.push_back({Finding::Source::Decoder, "Block " + std::to_string(i) + ": " + p});
        } else {
            const BlockName name = ExtensionName(block[0]);
            s = BytesOnlySection("Block " + std::to_string(i) + ": " + name.title, name.key, block);
        }
        d.extensions.push_back(std::move(s));
    }

    d.bytesOnlyParts = CountBytesOnly(d.base);
    for (const Section& e : d.extensions)
        d.bytesOnlyParts += CountBytesOnly(e);
    return d;
}

} // namespace tessarin::complete
