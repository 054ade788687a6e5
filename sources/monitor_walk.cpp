#include "monitor_walk.h"

#include <algorithm>
#include <limits>

namespace tessarin {
namespace {

constexpr std::size_t kEDIDSize = 256;

std::string AsciiLower(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return lower;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && AsciiLower(a) == AsciiLower(b);
}

// A value goes into a one-line entry whose bar the dialog looks for: a line
// break would split the entry, and a bar inside a description would be taken
// for the separator, cutting the name short and deciding the active monitor
// from the wrong characters. Both become harmless look-alikes.
std::string OneLine(std::string_view value)
{
    static constexpr std::string_view kBrokenBar = "\xC2\xA6";
    std::string line;
    line.reserve(value.size());
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '|')
            line += kBrokenBar;
        else if (byte < 0x20 || byte == 0x7F)
            line += ' ';
        else
            line += c;
    }
    return line;
}

std::string ValueOrError(const std::optional<std::string>& value)
{
    return value ? OneLine(*value) : std::string(kValueError);
}

// Cuts UTF-8 text after `count` characters, never inside one.
std::string FirstCharacters(const std::string& text, std::size_t count)
{
    std::size_t seen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool startsCharacter = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
        if (startsCharacter && seen++ == count)
            return text.substr(0, i);
    }
    return text;
}

std::string HardwareModel(const MonitorStore& store, const std::string& key)
{
    const auto ids = store.ReadMultiString(key, "HardwareID");
    if (!ids || ids->empty())
        return std::string(kValueError);
    const std::string& first = ids->front();
    const std::size_t slash = first.find('\\');
    return OneLine(slash == std::string::npos ? first : first.substr(slash + 1));
}

std::string DescribedEntry(const MonitorStore& store, const std::string& key)
{
    std::string name = ValueOrError(store.ReadString(key, "DeviceDesc")) + " ; " +
                       ValueOrError(store.ReadString(key, "Mfg"));
    // The blank before the bar counts as well.
    name = FirstCharacters(name, kMaxEntryNameLength - 1);
    return name + " | " + (IsActiveMonitorKey(store, key) ? "-1" : "0");
}

std::vector<std::string> MonitorKeys(const MonitorStore& store)
{
    return GetMonitorKeys(store, GetDisplayInstanceKeys(store));
}

bool IsNoKeys(const std::vector<std::string>& keys)
{
    return keys.size() == 1 && keys.front() == kNoKeys;
}

} // namespace

std::vector<std::string> GetDisplayInstanceKeys(const MonitorStore& store)
{
    const std::string display = store.DisplayKey();
    const std::vector<std::string> models = store.EnumKeys(display);
    if (models.empty())
        return {std::string(kNoKeys)};
    std::vector<std::string> keys;
    for (const std::string& model : models) {
        for (const std::string& instance : store.EnumKeys(display + model))
            keys.push_back(display + model + "\\" + instance);
    }
    return keys;
}

bool IsMonitorKey(const MonitorStore& store, const std::string& key)
{
    const auto ids = store.ReadMultiString(key, "HardwareID");
    if (!ids)
        return false;
    return std::any_of(ids->begin(), ids->end(),
                       [](const std::string& id) { return AsciiLower(id).starts_with("monitor\\"); });
}

std::vector<std::string> GetMonitorKeys(const MonitorStore& store, const std::vector<std::string>& keys)
{
    std::vector<std::string> monitors;
    for (const std::string& key : keys) {
        if (IsMonitorKey(store, key))
            monitors.push_back(key);
    }
    if (monitors.empty())
        return {std::string(kNoKeys)};
    return monitors;
}

bool IsActiveMonitorKey(const MonitorStore& store, const std::string& key)
{
    const std::vector<std::string> subkeys = store.EnumKeys(key);
    return std::any_of(subkeys.begin(), subkeys.end(),
                       [](const std::string& name) { return EqualsIgnoringCase(name, "control"); });
}

std::vector<std::string> BuildDisplayList(const MonitorStore& store, bool IsWindows7)
{
    const std::vector<std::string> keys = MonitorKeys(store);
    if (IsNoKeys(keys))
        return {};
    std::vector<std::string> list;
    list.reserve(keys.size());
    for (const std::string& key : keys)
        list.push_back(IsWindows7 ? HardwareModel(store, key) : DescribedEntry(store, key));
    return list;
}

std::vector<std::uint8_t> GetEDIDFromKey(const MonitorStore& store, const std::string& key)
{
    auto edid = store.ReadBinary(key + "\\Device Parameters", "EDID");
    if (!edid || edid->empty())
        return {};
    edid->resize(kEDIDSize, 0);
    return std::move(*edid);
}

std::vector<std::uint8_t> GetMonitorEDID(const MonitorStore& store, std::int16_t index)
{
    const std::vector<std::string> keys = MonitorKeys(store);
    if (index < 0 || static_cast<std::size_t>(index) >= keys.size() || IsNoKeys(keys))
        return {};
    return GetEDIDFromKey(store, keys[static_cast<std::size_t>(index)]);
}

std::vector<std::uint8_t> GetMonitorEDIDBytes(const MonitorStore& store, std::int16_t index)
{
    const std::vector<std::string> keys = MonitorKeys(store);
    if (index < 0 || static_cast<std::size_t>(index) >= keys.size() || IsNoKeys(keys))
        return {};
    auto edid = store.ReadBinary(keys[static_cast<std::size_t>(index)] + "\\Device Parameters", "EDID");
    return edid ? std::move(*edid) : std::vector<std::uint8_t>{};
}

std::string ExtractName(std::string_view strData)
{
    return std::string(strData.substr(0, strData.find('|')));
}

std::int16_t FirstActiveEntry(std::span<const std::string> displayList)
{
    const std::size_t last = std::min<std::size_t>(displayList.size(), std::numeric_limits<std::int16_t>::max() + 1u);
    for (std::size_t i = 0; i < last; ++i) {
        const std::string_view entry = displayList[i];
        const std::size_t bar = entry.find('|');
        const std::size_t start = bar == std::string_view::npos ? 0 : bar + 1;
        if (entry.substr(start, 2) != " 0")
            return static_cast<std::int16_t>(i);
    }
    return -1;
}

} // namespace tessarin
