#pragma once
// Loading the monitor picked in the selection dialog, and the store this
// platform's read command walks.
#include "monitor_store.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <vector>

namespace tessarin {

class CEDIDParser;

// Reads monitor `index` of a fresh walk. When it has an EDID: CurrentEDID
// holds its 256 bytes, "data.vxr" is written to the first of `cacheFolders`
// that takes it (none given: no cache; a failure is ignored), the parser has
// the bytes, and the result is true. Otherwise false, and neither
// CurrentEDID nor the parser changes, so the report on screen and the bytes
// an ".edd" save would write stay those of the same EDID.
// `allBytes`, when given, gets every byte of the EDID read (see
// GetMonitorEDIDBytes), for the complete decode.
bool LoadRegistryEDID(const MonitorStore& store, std::int16_t index, std::vector<std::uint8_t>& CurrentEDID,
                      CEDIDParser& parser, std::span<const std::filesystem::path> cacheFolders,
                      std::vector<std::uint8_t>* allBytes = nullptr);

// The store of this platform: on Linux the DRM connectors under /sys/class/drm,
// on Windows the registry's DISPLAY tree.
std::unique_ptr<MonitorStore> OpenSystemMonitorStore();

} // namespace tessarin
