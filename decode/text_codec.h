#pragma once
#include <cstdint>
#include <span>
#include <string>

namespace tessarin {

// Monitor descriptor texts are 8-bit Windows-1252; we keep UTF-8 everywhere.
// The five codes 1252 leaves unassigned map to the C1 controls, as Windows does.
std::string Windows1252ToUtf8(std::span<const std::uint8_t> bytes);

} // namespace tessarin
