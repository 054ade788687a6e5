#pragma once
// A monitor store held in memory, laid out like the registry's DISPLAY tree,
// for the walk's and the dialog's tests.
#include "monitor_store.h"

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace tessarin::test {

class FakeMonitorStore final : public MonitorStore {
public:
    static constexpr const char* kDisplay = "HKLM\\SYSTEM\\CurrentControlSet\\Enum\\DISPLAY\\";

    struct Key {
        std::vector<std::string> subkeys;
        std::map<std::string, std::string> strings;
        std::map<std::string, std::vector<std::string>> multiStrings;
        std::map<std::string, std::vector<std::uint8_t>> binaries;
    };

    // An instance under `model`: its hardware IDs, description and maker,
    // and a Device Parameters subkey holding `edid` (none when empty).
    Key& AddInstance(const std::string& model, const std::string& instance, std::vector<std::string> hardwareIds,
                     const std::string& description, const std::string& maker, bool active,
                     std::vector<std::uint8_t> edid = {})
    {
        AddSubkey(kDisplay, model);
        AddSubkey(kDisplay + model, instance);
        const std::string path = kDisplay + model + "\\" + instance;
        Key& key = keys_[path];
        key.multiStrings["HardwareID"] = std::move(hardwareIds);
        key.strings["DeviceDesc"] = description;
        key.strings["Mfg"] = maker;
        if (active)
            AddSubkey(path, "Control");
        AddSubkey(path, "Device Parameters");
        if (!edid.empty())
            keys_[path + "\\Device Parameters"].binaries["EDID"] = std::move(edid);
        return key;
    }

    void AddSubkey(const std::string& parent, const std::string& name)
    {
        auto& subkeys = keys_[parent].subkeys;
        if (std::find(subkeys.begin(), subkeys.end(), name) == subkeys.end())
            subkeys.push_back(name);
        keys_.try_emplace(parent + (parent.ends_with("\\") ? "" : "\\") + name);
    }

    Key& At(const std::string& path) { return keys_[path]; }

    std::string DisplayKey() const override { return kDisplay; }
    std::vector<std::string> EnumKeys(const std::string& path) const override
    {
        const auto it = keys_.find(path);
        return it == keys_.end() ? std::vector<std::string>{} : it->second.subkeys;
    }
    std::optional<std::string> ReadString(const std::string& path, const std::string& name) const override
    {
        return Find(&Key::strings, path, name);
    }
    std::optional<std::vector<std::string>> ReadMultiString(const std::string& path,
                                                            const std::string& name) const override
    {
        return Find(&Key::multiStrings, path, name);
    }
    std::optional<std::vector<std::uint8_t>> ReadBinary(const std::string& path,
                                                        const std::string& name) const override
    {
        return Find(&Key::binaries, path, name);
    }

private:
    template <typename T>
    std::optional<T> Find(std::map<std::string, T> Key::*values, const std::string& path,
                          const std::string& name) const
    {
        const auto key = keys_.find(path);
        if (key == keys_.end())
            return std::nullopt;
        const auto value = (key->second.*values).find(name);
        if (value == (key->second.*values).end())
            return std::nullopt;
        return value->second;
    }

    std::map<std::string, Key> keys_;
};

} // namespace tessarin::test
