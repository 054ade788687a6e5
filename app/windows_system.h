#pragma once
// What Windows says about itself, for the lines under the tree, and where
// its System Information program is, for the About box. Windows only.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct HKEY__; // windows.h's HKEY, without windows.h in every includer

namespace tessarin {

// The product name as Windows's own management service captions it:
// "Microsoft " before the registry's ProductName ("Windows 10 Pro"), and
// "Windows 11" from build 22000 on, where the registry still says 10.
// nullopt for an empty name.
std::optional<std::string> WindowsCaption(std::string_view productName, std::uint32_t build);

// WindowsCaption of this system's CurrentVersion key; nullopt without one.
std::optional<std::string> ReadWindowsCaption();

// The physical memory in kilobytes; nullopt when Windows does not say.
std::optional<std::uint64_t> ReadWindowsMemoryKilobytes();

// The System Information program as the registry under root (the local
// machine) names it: the "PATH" value of "SOFTWARE\Microsoft\Shared
// Tools\MSINFO"; else "MSINFO32.EXE" in the folder the "MSINFO" value of
// "SOFTWARE\Microsoft\Shared Tools Location" names, when that file exists.
// Empty when neither.
std::wstring SysInfoProgramPath(HKEY__* root);
// SysInfoProgramPath of the local machine.
std::wstring SysInfoProgramPath();

} // namespace tessarin
