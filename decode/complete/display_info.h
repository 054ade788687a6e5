#pragma once
// The one owner of the EDID library's parse (libdisplay-info). It reads the
// library's structures into sections of the complete decode, so no other
// code sees a pointer of the library's.
#include "complete_decode.h"
#include "field_writer.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

struct di_info;

namespace tessarin::complete {

// A data block the library decoded, in the order it lists them. `code`
// identifies the kind as the bytes do: tag << 8, plus the extended tag for
// tag 7 (so 0x0706 is the HDR static metadata block); DisplayID blocks carry
// their own tag.
struct LibraryDataBlock {
    unsigned code = 0;
    Section section; // no fields nor children: the library names it but gives nothing
};

struct LibraryExtension {
    unsigned tag = 0;      // byte 0 of the extension block
    Section header;        // CTA-861: revision and flags; DisplayID: version and product type
    std::vector<LibraryDataBlock> dataBlocks;
    std::vector<Section> detailedTimings; // CTA-861 only
};

class DisplayInfo {
public:
    // Null when the library refuses the bytes.
    static std::unique_ptr<DisplayInfo> Parse(std::span<const std::uint8_t> edid);
    ~DisplayInfo();
    DisplayInfo(const DisplayInfo&) = delete;
    DisplayInfo& operator=(const DisplayInfo&) = delete;

    // The library's conformance messages, one per line; "" when it has none.
    std::string FailureMessages() const;
    // The base block in full.
    Section BaseBlock(const FieldWriter& w) const;
    // The extensions the library parsed, in order.
    std::vector<LibraryExtension> Extensions(const FieldWriter& w) const;

    // A VIC from the library's table as one line ("1280x720p 24.000 Hz 16:9
    // 59.400 MHz"), for VICs read from bytes the library did not reach.
    static Section Vic(unsigned vic, bool native, const FieldWriter& w);

private:
    struct Destroy {
        void operator()(di_info* info) const noexcept;
    };
    DisplayInfo(di_info* info, std::span<const std::uint8_t> edid);

    std::unique_ptr<di_info, Destroy> info_;
    std::vector<std::uint8_t> bytes_; // what the library was given
};

} // namespace tessarin::complete
