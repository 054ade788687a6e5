#pragma once
// The complete decode's model as JSON: sections as objects keyed as the
// model keys them, fields as typed values, nothing read back from a text.
#include <nlohmann/json.hpp>

#include <cstdint>
#include <span>

namespace tessarin {

// The "complete" member of the JSON form; null where the program is built
// without the complete decode (no libdisplay-info, as on Windows).
nlohmann::ordered_json CompleteJson(std::span<const std::uint8_t> edid);

} // namespace tessarin
