#pragma once
// The system's store of monitor EDIDs, seen the way the Windows registry
// shows it: keys holding subkeys and named values, addressed by paths whose
// parts are separated by backslashes. The monitor walk (monitor_walk.h) runs
// over this interface unchanged on every platform; each platform maps its
// own store onto it (drm_monitor_store.h on Linux).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tessarin {

class MonitorStore {
public:
    MonitorStore() = default;
    MonitorStore(const MonitorStore&) = delete;
    MonitorStore& operator=(const MonitorStore&) = delete;
    virtual ~MonitorStore() = default;

    // The key whose subkeys are the monitor models, ending in a backslash.
    virtual std::string DisplayKey() const = 0;

    // The names of the subkeys of `path`, in the store's own order. Empty
    // both when the key has none and when it does not exist: the walk needs
    // no difference between the two.
    virtual std::vector<std::string> EnumKeys(const std::string& path) const = 0;

    // The value `name` of the key `path`; nullopt when the key or the value
    // does not exist, cannot be read, or holds another type. Texts are UTF-8.
    virtual std::optional<std::string> ReadString(const std::string& path, const std::string& name) const = 0;
    virtual std::optional<std::vector<std::string>> ReadMultiString(const std::string& path,
                                                                    const std::string& name) const = 0;
    virtual std::optional<std::vector<std::uint8_t>> ReadBinary(const std::string& path,
                                                                const std::string& name) const = 0;
};

} // namespace tessarin
