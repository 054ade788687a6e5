#pragma once
// File names on tessarin-report's command line are UTF-8 on every system:
// on Windows main() converts the wide arguments, so a name outside the
// system's ANSI code page (Cyrillic on a Western system, anything on a
// Greek one) still names its file. Paths are made from that text and shown
// in it this way, never through the narrow code page.
#include <filesystem>
#include <string>
#include <string_view>

namespace tessarin {

inline std::filesystem::path PathFromUtf8(std::string_view utf8)
{
    try {
        return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
    } catch (const std::exception&) {
        // Not UTF-8 (only a caller in-process can pass that): the bytes as
        // they are, a name that is then not found.
        return std::filesystem::path(std::string(utf8));
    }
}

inline std::string Utf8Name(const std::filesystem::path& path)
{
    try {
        const std::u8string name = path.u8string();
        return std::string(name.begin(), name.end());
    } catch (const std::exception&) {
        return "(a name that is not text)";
    }
}

} // namespace tessarin
