#include "system_info.h"

#include <QString>
#include <QSysInfo>

#include <fstream>
#include <limits>

#ifdef _WIN32
#include "windows_system.h"
#endif

namespace tessarin {
namespace {

std::string Trim(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t\r") - first + 1));
}

// A value in the shell quoting os-release allows.
std::string Unquote(std::string_view value)
{
    std::string out;
    char quote = 0;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (quote == '\'') {
            if (c == '\'')
                quote = 0;
            else
                out += c;
        } else if (c == '\\' && i + 1 < value.size()) {
            out += value[++i];
        } else if (c == '"' || (c == '\'' && quote == 0)) {
            quote = quote == c ? 0 : c;
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

std::optional<std::string> OsReleasePrettyName(std::istream& osRelease)
{
    std::string line;
    std::optional<std::string> name;
    while (std::getline(osRelease, line)) {
        const std::string entry = Trim(line);
        constexpr std::string_view kKey = "PRETTY_NAME=";
        if (entry.starts_with(kKey))
            name = Unquote(std::string_view(entry).substr(kKey.size()));
    }
    return name;
}

std::optional<std::uint64_t> MemTotalKilobytes(std::istream& meminfo)
{
    std::uint64_t value = 0;
    std::string line;
    while (std::getline(meminfo, line)) {
        if (!line.starts_with("MemTotal:"))
            continue;
        std::size_t pos = line.find_first_of("0123456789");
        if (pos == std::string::npos)
            return std::nullopt;
        for (; pos < line.size() && line[pos] >= '0' && line[pos] <= '9'; ++pos) {
            if (value > (std::numeric_limits<std::uint64_t>::max() - 9) / 10)
                return std::nullopt;
            value = value * 10 + static_cast<std::uint64_t>(line[pos] - '0');
        }
        return value;
    }
    return std::nullopt;
}

std::string MemoryLine(std::uint64_t kilobytes, char decimalSeparator)
{
    constexpr std::uint64_t kPerGigabyte = 1048576;
    // Tenths, rounded half away from zero as the pattern rounds.
    const std::uint64_t tenths = kilobytes / kPerGigabyte * 10 +
                                 ((kilobytes % kPerGigabyte) * 10 + kPerGigabyte / 2) / kPerGigabyte;
    const std::uint64_t whole = tenths / 10;
    std::string line = "Total Memory = ";
    if (whole > 0)
        line += std::to_string(whole);
    line += decimalSeparator;
    line += static_cast<char>('0' + tenths % 10);
    return line + "GB";
}

std::string OsLine(std::string_view caption, bool is64Bit)
{
    return std::string(caption) + (is64Bit ? " 64-bit" : " 32-bit");
}

bool IsArchitecture64Bit(std::string_view architecture)
{
    return architecture.find("64") != std::string_view::npos || architecture == "s390x" ||
           architecture == "sparcv9";
}

SystemInfo ReadSystemInfo(char decimalSeparator)
{
    SystemInfo info;
    // The OS's word size, not the program's: a 32-bit build on a 64-bit
    // kernel says 64-bit.
    info.IsOS64Bit = IsArchitecture64Bit(QSysInfo::currentCpuArchitecture().toStdString());

#ifdef _WIN32
    // Not os-release: under wine that would be the Linux beneath.
    std::optional<std::string> caption = ReadWindowsCaption();
#else
    std::optional<std::string> caption;
    for (const char* path : {"/etc/os-release", "/usr/lib/os-release"}) {
        std::ifstream file(path);
        if (file && (caption = OsReleasePrettyName(file)))
            break;
    }
#endif
    if (!caption || caption->empty())
        caption = QSysInfo::prettyProductName().toStdString();
    if (!caption->empty())
        info.osLine = OsLine(*caption, info.IsOS64Bit);
#ifdef Q_OS_WIN
    info.IsWindows7 = caption->find("Windows 7") != std::string::npos;
#endif

#ifdef _WIN32
    if (const auto kilobytes = ReadWindowsMemoryKilobytes())
#else
    std::ifstream meminfo("/proc/meminfo");
    if (const auto kilobytes = MemTotalKilobytes(meminfo))
#endif
        info.memoryLine = MemoryLine(*kilobytes, decimalSeparator);
    return info;
}

} // namespace tessarin
