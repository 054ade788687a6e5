#pragma once
// The ".edd" file: a hex dump of the EDID, readable in any text editor,
// followed by a summary of the first detailed timing for the human reader.
#include <cstdint>
#include <filesystem>
#include <istream>
#include <span>
#include <string>
#include <vector>

namespace tessarin {

class CEDIDParser;

// The complete file text for `edid` (CR LF line ends). Rows are written for
// every complete 16 bytes up to 256; the 14 summary lines, read from slot 1
// of `parser`, follow only a full 16-row table. Empty or single-byte data
// gives an empty text.
std::string FormatDataFile(std::span<const std::uint8_t> edid, const CEDIDParser& parser,
                           char decimalSeparator);

// Writes FormatDataFile() to `strFileName` through a temporary file in the same
// folder renamed over the target, so an existing file survives any failure.
// Returns false, writing nothing, when there is no EDID to save (fewer than
// two bytes) or when the file cannot be written.
bool SaveDataFile(const std::filesystem::path& strFileName, std::span<const std::uint8_t> CurrentEDID,
                  const CEDIDParser& parser, char decimalSeparator);

// Re-creates CurrentEDID as 256 zero bytes and fills it from the hex table.
// True when the table was read, also when the file ends early; false when
// the file cannot be opened or a two-character token is not hex. Reads in
// bounded memory whatever the file holds.
bool LoadDataFile(const std::filesystem::path& strFileName, std::vector<std::uint8_t>& CurrentEDID);
bool LoadDataFile(std::istream& in, std::vector<std::uint8_t>& CurrentEDID);

// The decimal separator of the user's locale ('.' when it cannot be known).
char UserDecimalSeparator();

} // namespace tessarin
