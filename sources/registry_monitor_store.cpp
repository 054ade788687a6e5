#include "registry_monitor_store.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <array>
#include <utility>

namespace tessarin {
namespace {

struct Hive {
    std::string_view prefix;
    std::uint32_t root;
};

// The roots as the registry API numbers them: HKEY_CLASSES_ROOT is
// 0x80000000 and so on.
constexpr std::array<Hive, 6> kHives = {{
    {"HKCR", 0x80000000u},
    {"HKR", 0x80000000u},
    {"HKCU", 0x80000001u},
    {"HKLM", 0x80000002u},
    {"HKU", 0x80000003u},
    {"HKCC", 0x80000005u},
}};

// A registry value may be as large as memory allows; no value the walk
// reads comes near this, so a larger one is refused, not allocated.
constexpr DWORD kLargestValue = 1u << 20;
// The registry allows key names of up to 255 characters.
constexpr DWORD kLongestKeyName = 256;

std::wstring Wide(std::string_view utf8)
{
    if (utf8.empty())
        return {};
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(),
                                           static_cast<int>(utf8.size()), nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                        length);
    return wide;
}

std::string Utf8(std::wstring_view wide)
{
    if (wide.empty())
        return {};
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                           nullptr, nullptr);
    if (length <= 0)
        return {};
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), length, nullptr,
                        nullptr);
    return utf8;
}

// UTF-8 text that converts to nothing converts nothing: a name that is not
// UTF-8 names no key and no value.
bool IsConvertible(std::string_view utf8, const std::wstring& wide)
{
    return utf8.empty() || !wide.empty();
}

class OpenKey {
public:
    // Opens the key a store path names, for reading only.
    explicit OpenKey(std::string_view path)
    {
        const auto root = GetRegistryRoot(path);
        if (!root)
            return;
        std::string_view subkey = path.substr(path.find('\\') + 1);
        while (subkey.ends_with('\\'))
            subkey.remove_suffix(1);
        const std::wstring wideSubkey = Wide(subkey);
        if (!IsConvertible(subkey, wideSubkey))
            return;
        // The hive handles are these very numbers, sign-extended as the
        // system headers define them.
        const auto hive = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(*root)));
        HKEY key = nullptr;
        if (RegOpenKeyExW(hive, wideSubkey.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS)
            key_ = key;
    }
    ~OpenKey()
    {
        if (key_ != nullptr)
            RegCloseKey(key_);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

    HKEY Get() const noexcept { return key_; }

private:
    HKEY key_ = nullptr;
};

struct Value {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

std::optional<Value> QueryValue(const std::string& path, const std::string& name)
{
    const OpenKey key(path);
    const std::wstring wideName = Wide(name);
    if (key.Get() == nullptr || !IsConvertible(name, wideName))
        return std::nullopt;
    Value value;
    DWORD size = 0;
    LSTATUS status = RegQueryValueExW(key.Get(), wideName.c_str(), nullptr, &value.type, nullptr, &size);
    // The value can grow between asking for its size and reading it: ask
    // again, a few times.
    for (int attempt = 0; attempt < 4 && status == ERROR_SUCCESS; ++attempt) {
        if (size > kLargestValue)
            return std::nullopt;
        value.data.resize(size);
        status = RegQueryValueExW(key.Get(), wideName.c_str(), nullptr, &value.type, value.data.data(), &size);
        if (status == ERROR_SUCCESS) {
            value.data.resize(size);
            return value;
        }
        if (status == ERROR_MORE_DATA)
            status = ERROR_SUCCESS;
    }
    return std::nullopt;
}

// UTF-16 units of a string value; an odd last byte is no character.
std::wstring Units(const std::vector<BYTE>& data)
{
    std::wstring units(data.size() / 2, L'\0');
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<wchar_t>(data[2 * i] | (data[2 * i + 1] << 8));
    return units;
}

} // namespace

std::optional<std::uint32_t> GetRegistryRoot(std::string_view path)
{
    const std::size_t slash = path.find('\\');
    if (slash == std::string_view::npos)
        return std::nullopt;
    const std::string_view prefix = path.substr(0, slash);
    for (const Hive& hive : kHives) {
        if (hive.prefix == prefix)
            return hive.root;
    }
    return std::nullopt;
}

std::string ShownDeviceText(std::string_view value)
{
    // The reference part (file name and string key) holds no ';'; the text
    // after it may.
    const std::size_t semicolon = value.find(';');
    if (!value.starts_with('@') || semicolon == std::string_view::npos)
        return std::string(value);
    return std::string(value.substr(semicolon + 1));
}

RegistryMonitorStore::RegistryMonitorStore(std::string displayKey)
    : displayKey_(std::move(displayKey))
{
}

std::string RegistryMonitorStore::DisplayKey() const
{
    return displayKey_;
}

std::vector<std::string> RegistryMonitorStore::EnumKeys(const std::string& path) const
{
    const OpenKey key(path);
    std::vector<std::string> names;
    if (key.Get() == nullptr)
        return names;
    std::wstring name(kLongestKeyName, L'\0');
    for (DWORD index = 0;; ++index) {
        DWORD length = kLongestKeyName;
        const LSTATUS status =
            RegEnumKeyExW(key.Get(), index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        // A key the walk cannot name (none longer exists) is skipped, not
        // the rest of the list.
        if (status == ERROR_SUCCESS)
            names.push_back(Utf8(std::wstring_view(name.data(), length)));
        else if (status != ERROR_MORE_DATA)
            break;
    }
    return names;
}

std::optional<std::string> RegistryMonitorStore::ReadString(const std::string& path, const std::string& name) const
{
    const auto value = QueryValue(path, name);
    if (!value || value->type != REG_SZ)
        return std::nullopt;
    std::wstring text = Units(value->data);
    // Stored with its terminating zero, or without one.
    const std::size_t end = text.find(L'\0');
    if (end != std::wstring::npos)
        text.resize(end);
    return ShownDeviceText(Utf8(text));
}

std::optional<std::vector<std::string>> RegistryMonitorStore::ReadMultiString(const std::string& path,
                                                                              const std::string& name) const
{
    const auto value = QueryValue(path, name);
    if (!value || value->type != REG_MULTI_SZ)
        return std::nullopt;
    const std::wstring units = Units(value->data);
    // Strings each ended by a zero, the list by an empty one (or by the
    // value's end when its writer left that out).
    std::vector<std::string> strings;
    std::wstring_view rest = units;
    while (!rest.empty()) {
        const std::size_t end = rest.find(L'\0');
        const std::wstring_view one = rest.substr(0, end);
        if (one.empty())
            break;
        strings.push_back(Utf8(one));
        if (end == std::wstring_view::npos)
            break;
        rest.remove_prefix(end + 1);
    }
    return strings;
}

std::optional<std::vector<std::uint8_t>> RegistryMonitorStore::ReadBinary(const std::string& path,
                                                                          const std::string& name) const
{
    auto value = QueryValue(path, name);
    if (!value || value->type != REG_BINARY)
        return std::nullopt;
    return std::vector<std::uint8_t>(value->data.begin(), value->data.end());
}

} // namespace tessarin
