#pragma once
// Reads every property of a decoded EDID the way the report does: each read on
// its own, a DecodeError costing only that one value. The tests, the fuzzers
// and the benchmark share it, so "every property" means the same everywhere.
#include <cstdint>

namespace tessarin {

class CEDIDParser;

// Whether to also ask for numbers outside each indexed property's range
// (slot 0 and 11, record 9, the extremes of the index types...). Each such read
// throws, and an exception costs more than decoding a whole EDID; the report
// never makes them.
enum class OutOfRange { Skip, Probe };

// Reads every property of `parser`, every index of the indexed ones and every
// slot, and returns a checksum of the values read and of where DecodeError was
// thrown. Any other exception escapes: it is a fault, not bad EDID bytes.
// Takes the parser mutable because slots are selected through
// DetailedTimingIndex; the index is restored before returning.
//
// The extension's properties are read whenever edidCEA861() is non-null, but
// they count in the checksum only when the current EDID carries the extension
// (TypeOfExtensionBlock() == 2): the checksum is what a report of this EDID
// could show, so equal bytes give equal checksums whatever was loaded before.
std::uint64_t ReadEveryProperty(CEDIDParser& parser, OutOfRange outOfRange = OutOfRange::Probe);

} // namespace tessarin
