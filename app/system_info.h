#pragma once
// The two information lines under the tree and the program-wide flags that
// go with them, read once at start-up.
#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <string_view>

namespace tessarin {

struct SystemInfo {
    std::string osLine;     // lblOS; empty when the system does not say
    std::string memoryLine; // lblMemory; empty when the system does not say
    bool IsOS64Bit = false;
    bool IsWindows7 = false;
};

// What this machine says: the OS name (on Linux the PRETTY_NAME of
// os-release, on Windows its product name) with its word size, and the
// total memory (on Linux MemTotal of /proc/meminfo).
SystemInfo ReadSystemInfo(char decimalSeparator);

// PRETTY_NAME of an os-release file: KEY=value lines, the value in shell
// quoting (double or single quotes, backslash escapes); nullopt without one.
std::optional<std::string> OsReleasePrettyName(std::istream& osRelease);

// MemTotal of /proc/meminfo in kilobytes; nullopt without one.
std::optional<std::uint64_t> MemTotalKilobytes(std::istream& meminfo);

// "Total Memory = " and the gigabytes in the pattern "##.0" (one decimal,
// no zero before the separator below 1), then "GB": ".5GB", "15.5GB".
std::string MemoryLine(std::uint64_t kilobytes, char decimalSeparator);

// The caption and " 64-bit" or " 32-bit".
std::string OsLine(std::string_view caption, bool is64Bit);

// Whether an architecture name as Qt gives it (QSysInfo) is a 64-bit one.
bool IsArchitecture64Bit(std::string_view architecture);

} // namespace tessarin
