#include "monitor_load.h"

#include "drm_monitor_store.h"
#include "edid_cache.h"
#include "edid_parser.h"
#include "monitor_walk.h"
#ifdef _WIN32
#include "registry_monitor_store.h"
#endif

namespace tessarin {

bool LoadRegistryEDID(const MonitorStore& store, std::int16_t index, std::vector<std::uint8_t>& CurrentEDID,
                      CEDIDParser& parser, std::span<const std::filesystem::path> cacheFolders,
                      std::vector<std::uint8_t>* allBytes)
{
    std::vector<std::uint8_t> edid = GetMonitorEDID(store, index);
    if (edid.empty())
        return false;
    SaveEDIDCache(edid, cacheFolders);
    if (!parser.UpdateEDIDDataFromArray(edid))
        return false;
    CurrentEDID = std::move(edid);
    if (allBytes != nullptr) {
        *allBytes = GetMonitorEDIDBytes(store, index);
        if (allBytes->size() < 128) // a short read: what the decoder was given
            *allBytes = CurrentEDID;
    }
    return true;
}

std::unique_ptr<MonitorStore> OpenSystemMonitorStore()
{
#ifdef _WIN32
    return std::make_unique<RegistryMonitorStore>();
#else
    return std::make_unique<DrmMonitorStore>();
#endif
}

} // namespace tessarin
