#pragma once
// One input (a file, standard input, pasted or dropped text) turned into the
// EDIDs it holds, in whichever layout it carries them.
#include "edid_layouts.h"

#include <cstdint>
#include <istream>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessarin {

struct EdidInput {
    // Every EDID that passed the acceptance test, in input order; empty
    // exactly when `error` is set.
    std::vector<FoundEdid> edids;
    std::string layout; // as ReadEdidLayouts() names it
    std::string error;  // why the input is refused
};

// Reads at most kMaxInputBytes (an endless stream costs no more) and finds
// its EDIDs. Each must pass the acceptance test of the file command: byte 1
// is 0xFF and byte 8 is not 0.
EdidInput ReadEdidInput(std::istream& in);
// As above for bytes already held (clipboard text, a drop), of which the
// first kMaxInputBytes are looked at.
EdidInput ReadEdidData(std::string_view data);
// As above for a file named in UTF-8.
EdidInput ReadEdidFile(const std::string& path);

// The most of an input that is looked at: far more than any text form of the
// largest EDID.
inline constexpr std::size_t kMaxInputBytes = 4 << 20;

// The EDID `pick` names: its 1-based position, or its name (exactly, else the
// one name that holds it, ignoring case). nullopt with `error` set otherwise.
std::optional<std::size_t> PickEdid(const EdidInput& input, std::string_view pick, std::string& error);

// The 256 bytes the decoder takes: the first two blocks, zero-padded.
std::vector<std::uint8_t> DecoderBytes(std::span<const std::uint8_t> edid);

} // namespace tessarin
