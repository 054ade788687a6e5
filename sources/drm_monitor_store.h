#pragma once
// Linux's monitor store: the connectors of the kernel's DRM drivers under
// /sys/class/drm, shown to the monitor walk the way the Windows registry
// shows its DISPLAY tree:
//
//   DRM\<card>                                      model key ("card0")
//   DRM\<card>\<connector>                          instance ("card0-HDMI-A-1")
//       HardwareID  "MONITOR\" + manufacturer ID + product code
//       DeviceDesc  monitor name (or "Unknown monitor") + " (<connector>)"
//       Mfg         the manufacturer's name
//   DRM\<card>\<connector>\Control                  while "connected"
//   DRM\<card>\<connector>\Device Parameters        EDID: the edid file
//
// A connector is an instance when its edid file holds any bytes. Cards and
// connectors come in natural order (card2 before card10, DP-2 before DP-10,
// eDP-1 between DP-1 and HDMI-A-1), the same for every call. Nothing is kept
// between calls.
#include "monitor_store.h"

#include <filesystem>
#include <optional>

namespace tessarin {

class CEDIDParser;

inline constexpr const char* kDrmRoot = "/sys/class/drm";

class DrmMonitorStore final : public MonitorStore {
public:
    explicit DrmMonitorStore(std::filesystem::path root = kDrmRoot);

    std::string DisplayKey() const override;
    std::vector<std::string> EnumKeys(const std::string& path) const override;
    std::optional<std::string> ReadString(const std::string& path, const std::string& name) const override;
    std::optional<std::vector<std::string>> ReadMultiString(const std::string& path,
                                                            const std::string& name) const override;
    std::optional<std::vector<std::uint8_t>> ReadBinary(const std::string& path,
                                                        const std::string& name) const override;

    const std::filesystem::path& Root() const noexcept { return root_; }

private:
    struct Key {
        std::string card;
        std::string connector;
        bool deviceParameters = false;
    };

    std::optional<Key> ParseKey(const std::string& path) const;
    std::vector<std::string> Cards() const;
    std::vector<std::string> Connectors(const std::string& card) const;
    std::optional<std::vector<std::uint8_t>> ConnectorEDID(const std::string& connector) const;
    bool IsConnected(const std::string& connector) const;
    bool Decode(const std::string& connector, CEDIDParser& parser) const;

    std::filesystem::path root_;
};

// Orders names with the digit runs compared as numbers, letters in any case
// alike.
bool NaturalLess(const std::string& a, const std::string& b);

} // namespace tessarin
