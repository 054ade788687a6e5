#include "windows_system.h"

#include <QString>

#include <windows.h>

#include <vector>

namespace tessarin {
namespace {

// A text value (REG_SZ, or REG_EXPAND_SZ expanded); nullopt when the key or
// the value is missing or holds something else. Read-only access: full
// access to the local machine's keys needs an administrator.
std::optional<std::wstring> RegistryText(HKEY root, const wchar_t* keyName, const wchar_t* valueName)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, keyName, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return std::nullopt;
    DWORD type = 0;
    DWORD bytes = 0;
    std::optional<std::wstring> text;
    if (RegQueryValueExW(key, valueName, nullptr, &type, nullptr, &bytes) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ)) {
        // Room for a terminating NUL the stored value may lack.
        std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1, L'\0');
        DWORD size = bytes;
        if (RegQueryValueExW(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) ==
                ERROR_SUCCESS &&
            size <= bytes)
            text = std::wstring(buffer.data()); // up to the first NUL
    }
    RegCloseKey(key);
    if (text && type == REG_EXPAND_SZ) {
        const DWORD length = ExpandEnvironmentStringsW(text->c_str(), nullptr, 0);
        std::vector<wchar_t> expanded(length + 1, L'\0');
        if (length == 0 || ExpandEnvironmentStringsW(text->c_str(), expanded.data(), length + 1) == 0)
            return std::nullopt;
        text = std::wstring(expanded.data());
    }
    return text;
}

} // namespace

std::optional<std::string> WindowsCaption(std::string_view productName, std::uint32_t build)
{
    std::string name(productName);
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    if (name.empty())
        return std::nullopt;
    constexpr std::string_view kMaker = "Microsoft ";
    if (!name.starts_with(kMaker))
        name.insert(0, kMaker);
    constexpr std::string_view kTen = "Microsoft Windows 10";
    constexpr std::uint32_t kFirstBuildOf11 = 22000;
    if (build >= kFirstBuildOf11 && name.starts_with(kTen) &&
        (name.size() == kTen.size() || name[kTen.size()] == ' '))
        name.replace(kTen.size() - 2, 2, "11");
    return name;
}

std::optional<std::string> ReadWindowsCaption()
{
    constexpr const wchar_t* kCurrentVersion = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
    const std::optional<std::wstring> name = RegistryText(HKEY_LOCAL_MACHINE, kCurrentVersion, L"ProductName");
    if (!name)
        return std::nullopt;
    const std::optional<std::wstring> build
        = RegistryText(HKEY_LOCAL_MACHINE, kCurrentVersion, L"CurrentBuildNumber");
    bool isNumber = false;
    const std::uint32_t number = build ? QString::fromStdWString(*build).toUInt(&isNumber) : 0;
    return WindowsCaption(QString::fromStdWString(*name).toStdString(), isNumber ? number : 0);
}

std::optional<std::uint64_t> ReadWindowsMemoryKilobytes()
{
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof(status);
    if (!GlobalMemoryStatusEx(&status))
        return std::nullopt;
    return status.ullTotalPhys / 1024;
}

std::wstring SysInfoProgramPath(HKEY root)
{
    if (auto path = RegistryText(root, L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", L"PATH"))
        return *path;
    const std::optional<std::wstring> folder
        = RegistryText(root, L"SOFTWARE\\Microsoft\\Shared Tools Location", L"MSINFO");
    if (!folder)
        return {};
    const std::wstring program = *folder + L"\\MSINFO32.EXE";
    const DWORD attributes = GetFileAttributesW(program.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return {};
    return program;
}

std::wstring SysInfoProgramPath()
{
    return SysInfoProgramPath(HKEY_LOCAL_MACHINE);
}

} // namespace tessarin
