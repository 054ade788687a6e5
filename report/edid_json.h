#pragma once
// The EDID as data for scripts: every value of the report, typed, in a
// versioned JSON form (docs/edid-report.schema.json describes it).
#include <nlohmann/json.hpp>

#include <cstdint>
#include <utility>
#include <vector>
#include <span>
#include <string>

namespace tessarin {

inline constexpr int kJsonSchemaVersion = 1;

// `edid` as read (every block). `redacted`: the bytes are a redacted copy.
nlohmann::ordered_json EdidJson(std::span<const std::uint8_t> edid, bool redacted);

// The document as text, two-space indented, ending with a line end.
std::string EdidJsonText(std::span<const std::uint8_t> edid, bool redacted);

// Every leaf as "path" -> value text ("standard.identification.year_of_manufacture"
// -> "2012", "blocks[1].checksum_valid" -> "false"), in document order, for
// comparing two EDIDs.
std::vector<std::pair<std::string, std::string>> FlattenJson(const nlohmann::ordered_json& json);

} // namespace tessarin
