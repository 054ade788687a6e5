#include "drm_monitor_store.h"

#include "edid_parser.h"

#include <algorithm>
#include <fstream>
#include <string_view>
#include <system_error>

namespace tessarin {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kDisplayKey = "DRM\\";
constexpr std::string_view kDeviceParameters = "Device Parameters";
// 255 extensions and the base block: no EDID is longer, so a file that is
// (a copied tree can hold anything) costs no more than the longest EDID.
constexpr std::size_t kLongestEDID = 256 * 128;
constexpr std::size_t kLongestStatus = 64;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

unsigned char LowerAscii(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

// "card<digits>" from a connector's name "card<digits>-<name>", or nothing.
std::optional<std::string> CardOf(std::string_view connector)
{
    if (!connector.starts_with("card"))
        return std::nullopt;
    std::size_t end = 4;
    while (end < connector.size() && IsDigit(connector[end]))
        ++end;
    if (end == 4 || end + 1 >= connector.size() || connector[end] != '-')
        return std::nullopt;
    return std::string(connector.substr(0, end));
}

// Reads at most `limit` bytes of a regular file: never a directory, a
// device or a pipe that would block. Nothing when it cannot be read.
std::optional<std::string> ReadSmallFile(const fs::path& path, std::size_t limit)
{
    std::error_code error;
    if (!fs::is_regular_file(path, error))
        return std::nullopt;
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    std::string content(limit, '\0');
    file.read(content.data(), static_cast<std::streamsize>(limit));
    if (file.bad())
        return std::nullopt;
    content.resize(static_cast<std::size_t>(file.gcount()));
    return content;
}

std::vector<std::string> SplitKey(std::string_view path)
{
    std::vector<std::string> parts;
    while (!path.empty()) {
        const std::size_t slash = path.find('\\');
        parts.emplace_back(path.substr(0, slash));
        if (slash == std::string_view::npos)
            break;
        path.remove_prefix(slash + 1);
    }
    return parts;
}

} // namespace

bool NaturalLess(const std::string& a, const std::string& b)
{
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            std::size_t endA = i;
            std::size_t endB = j;
            while (endA < a.size() && IsDigit(a[endA]))
                ++endA;
            while (endB < b.size() && IsDigit(b[endB]))
                ++endB;
            // Leading zeros do not make a number larger.
            std::size_t startA = i;
            std::size_t startB = j;
            while (startA + 1 < endA && a[startA] == '0')
                ++startA;
            while (startB + 1 < endB && b[startB] == '0')
                ++startB;
            const std::string_view numberA(a.data() + startA, endA - startA);
            const std::string_view numberB(b.data() + startB, endB - startB);
            if (numberA.size() != numberB.size())
                return numberA.size() < numberB.size();
            if (numberA != numberB)
                return numberA < numberB;
            i = endA;
            j = endB;
            continue;
        }
        // "eDP-1" sorts among "DP-1" and "HDMI-A-1", not after them.
        const unsigned char lowerA = LowerAscii(a[i]);
        const unsigned char lowerB = LowerAscii(b[j]);
        if (lowerA != lowerB)
            return lowerA < lowerB;
        ++i;
        ++j;
    }
    if (a.size() - i != b.size() - j)
        return a.size() - i < b.size() - j;
    // Equal but for case or leading zeros: any fixed order will do.
    return a < b;
}

DrmMonitorStore::DrmMonitorStore(fs::path root)
    : root_(std::move(root))
{
}

std::string DrmMonitorStore::DisplayKey() const { return std::string(kDisplayKey); }

std::optional<DrmMonitorStore::Key> DrmMonitorStore::ParseKey(const std::string& path) const
{
    if (!path.starts_with(kDisplayKey))
        return std::nullopt;
    const std::vector<std::string> parts = SplitKey(std::string_view(path).substr(kDisplayKey.size()));
    Key key;
    if (parts.size() > 3 || std::any_of(parts.begin(), parts.end(), [](const auto& p) { return p.empty(); }))
        return std::nullopt;
    if (parts.size() >= 1)
        key.card = parts[0];
    if (parts.size() >= 2) {
        key.connector = parts[1];
        if (CardOf(key.connector) != key.card)
            return std::nullopt;
    }
    if (parts.size() == 3) {
        if (parts[2] != kDeviceParameters)
            return std::nullopt;
        key.deviceParameters = true;
    }
    return key;
}

std::optional<std::vector<std::uint8_t>> DrmMonitorStore::ConnectorEDID(const std::string& connector) const
{
    const auto content = ReadSmallFile(root_ / connector / "edid", kLongestEDID);
    if (!content)
        return std::nullopt;
    return std::vector<std::uint8_t>(content->begin(), content->end());
}

bool DrmMonitorStore::IsConnected(const std::string& connector) const
{
    auto status = ReadSmallFile(root_ / connector / "status", kLongestStatus);
    if (!status)
        return false;
    while (!status->empty() && (status->back() == '\n' || status->back() == ' ' || status->back() == '\r'))
        status->pop_back();
    return *status == "connected";
}

std::vector<std::string> DrmMonitorStore::Connectors(const std::string& card) const
{
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(root_, error), end; !error && it != end; it.increment(error)) {
        std::string name = it->path().filename().string();
        const auto owner = CardOf(name);
        // A backslash would split the name in the walk's paths.
        if (!owner || (!card.empty() && *owner != card) || name.find('\\') != std::string::npos)
            continue;
        std::error_code ignored;
        if (!it->is_directory(ignored))
            continue;
        const auto edid = ConnectorEDID(name);
        if (edid && !edid->empty())
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(), NaturalLess);
    return names;
}

std::vector<std::string> DrmMonitorStore::Cards() const
{
    std::vector<std::string> cards;
    for (const std::string& connector : Connectors(""))
        cards.push_back(*CardOf(connector));
    std::sort(cards.begin(), cards.end(), NaturalLess);
    cards.erase(std::unique(cards.begin(), cards.end()), cards.end());
    return cards;
}

std::vector<std::string> DrmMonitorStore::EnumKeys(const std::string& path) const
{
    const auto key = ParseKey(path);
    if (!key || key->deviceParameters)
        return {};
    if (key->card.empty())
        return Cards();
    if (key->connector.empty())
        return Connectors(key->card);
    const auto edid = ConnectorEDID(key->connector);
    if (!edid || edid->empty())
        return {};
    if (IsConnected(key->connector))
        return {"Control", std::string(kDeviceParameters)};
    return {std::string(kDeviceParameters)};
}

bool DrmMonitorStore::Decode(const std::string& connector, CEDIDParser& parser) const
{
    auto edid = ConnectorEDID(connector);
    if (!edid || edid->empty())
        return false;
    edid->resize(CEDIDParser::EDIDSize, 0);
    return parser.UpdateEDIDDataFromArray(*edid);
}

std::optional<std::string> DrmMonitorStore::ReadString(const std::string& path, const std::string& name) const
{
    const auto key = ParseKey(path);
    if (!key || key->connector.empty() || key->deviceParameters || (name != "DeviceDesc" && name != "Mfg"))
        return std::nullopt;
    CEDIDParser parser;
    if (!Decode(key->connector, parser))
        return std::nullopt;
    if (name == "Mfg")
        return parser.IDManufacturerName();
    std::string description = parser.MonitorName();
    if (description.empty())
        description = "Unknown monitor";
    return description + " (" + key->connector + ")";
}

std::optional<std::vector<std::string>> DrmMonitorStore::ReadMultiString(const std::string& path,
                                                                         const std::string& name) const
{
    const auto key = ParseKey(path);
    if (!key || key->connector.empty() || key->deviceParameters || name != "HardwareID")
        return std::nullopt;
    CEDIDParser parser;
    if (!Decode(key->connector, parser))
        return std::nullopt;
    return std::vector<std::string>{"MONITOR\\" + parser.ManufacturerID() + parser.IDProductId()};
}

std::optional<std::vector<std::uint8_t>> DrmMonitorStore::ReadBinary(const std::string& path,
                                                                     const std::string& name) const
{
    const auto key = ParseKey(path);
    if (!key || !key->deviceParameters || name != "EDID")
        return std::nullopt;
    auto edid = ConnectorEDID(key->connector);
    if (!edid || edid->empty())
        return std::nullopt;
    return edid;
}

} // namespace tessarin
