#pragma once
// "data.vxr": a copy of the last EDID read from the system's monitor store,
// for other tools of the maker to pick up. The program never reads it back.
// Little-endian: the array's lower index bound (int16, 0), its upper bound
// (int16, 255 for an EDID), then the bytes; a 256-byte EDID gives 260 bytes.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

namespace tessarin {

inline constexpr const char* kEDIDCacheName = "data.vxr";

// The file's content for `bytes`; empty when there are no bytes or more than
// a 16-bit upper bound can name.
std::string FormatEDIDCache(std::span<const std::uint8_t> bytes);

// Writes "data.vxr" into the first of `folders` that takes it, creating the
// folder when needed and replacing an older file atomically. Returns the
// file written, or nothing when no folder took it; never throws: the load
// that calls it goes on either way.
std::optional<std::filesystem::path> SaveEDIDCache(std::span<const std::uint8_t> CurrentEDID,
                                                   std::span<const std::filesystem::path> folders) noexcept;

} // namespace tessarin
