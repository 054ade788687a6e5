#pragma once
// Windows's monitor store: the registry's DISPLAY tree itself, read through
// advapi32. Paths are a hive prefix ("HKLM\", "HKCU\", ...) and a key path:
//
//   HKLM\SYSTEM\CurrentControlSet\Enum\DISPLAY\<model>\<instance>
//       HardwareID (multi-string), DeviceDesc, Mfg
//   ...\<instance>\Control                   while the monitor is active
//   ...\<instance>\Device Parameters         EDID (binary)
//
// Every call opens the keys it reads and closes them again: nothing is kept
// between calls, so the list and a later read each see the registry as it
// is then. Texts cross this interface as UTF-8.
#include "monitor_store.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tessarin {

inline constexpr const char* kRegistryDisplayKey = "HKLM\\SYSTEM\\CurrentControlSet\\Enum\\DISPLAY\\";

class RegistryMonitorStore final : public MonitorStore {
public:
    // `displayKey`: where the model keys are, ending in a backslash; the
    // tests point it at a tree of their own under HKCU.
    explicit RegistryMonitorStore(std::string displayKey = kRegistryDisplayKey);

    std::string DisplayKey() const override;
    std::vector<std::string> EnumKeys(const std::string& path) const override;
    // Device texts as a person reads them (ShownDeviceText).
    std::optional<std::string> ReadString(const std::string& path, const std::string& name) const override;
    std::optional<std::vector<std::string>> ReadMultiString(const std::string& path,
                                                            const std::string& name) const override;
    std::optional<std::vector<std::uint8_t>> ReadBinary(const std::string& path,
                                                        const std::string& name) const override;

private:
    std::string displayKey_;
};

// The root value the path's hive prefix selects, numbered as the registry
// API numbers its hives (HKEY_LOCAL_MACHINE is 0x80000002): "HKCR\" and
// "HKR\" the classes root, "HKCU\", "HKLM\", "HKU\", "HKCC\". Nothing for
// any other prefix, and for a path without a backslash.
std::optional<std::uint32_t> GetRegistryRoot(std::string_view path);

// Windows keeps a device's description and maker as a reference into the
// driver's INF file, followed by the text the installer found there:
// "@monitor.inf,%generic.monitor%;Generic PnP Monitor". That text is what
// the user knows the device by; a value in that form gives it, any other
// value is shown as it is.
std::string ShownDeviceText(std::string_view value);

} // namespace tessarin
