#pragma once
// The arguments of tessarin-report.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tessarin {

enum class OutputFormat { Rtf, Text, Edd, Bin, Hex, Json };

struct CommandLine {
    OutputFormat format = OutputFormat::Rtf;
    std::optional<std::filesystem::path> output;
    std::optional<std::filesystem::path> outputDir;
    std::vector<std::string> inputs; // "-" is standard input
    bool help = false;
    // The standard report alone, without the complete decode that follows it.
    bool standard = false;
    bool version = false;
    // The system's monitor store instead of inputs: its list, or one monitor
    // of it by list index; on Linux under /sys/class/drm unless drmRoot says.
    bool listMonitors = false;
    std::optional<std::int16_t> monitor;
    std::optional<std::filesystem::path> drmRoot;
    // Which EDID of an input holding several: 1-based number or name.
    std::optional<std::string> pick;
    // Serial numbers blanked, checksums recomputed.
    bool redact = false;
    // The two inputs compared field by field instead of reported.
    bool diff = false;
};

inline constexpr const char* kUsage =
    "usage: tessarin-report [--format rtf|text|edd|bin|hex|json] [--standard] [--pick N|NAME] [--redact]\n"
    "                       [--output FILE | --output-dir DIR] INPUT...\n"
    "       tessarin-report --diff [--pick N|NAME] [--redact] A B\n"
    "       tessarin-report --monitors [--drm-root DIR]\n"
    "       tessarin-report --monitor N [--format rtf|text|edd] [--standard] [--output FILE] [--drm-root DIR]";

// Parses the arguments after the program name. On a usage error returns
// false with `error` saying what is wrong.
bool ParseCommandLine(std::span<const std::string> args, CommandLine& line, std::string& error);

// ".rtf", ".txt", ".edd", ".bin", ".hex" or ".json".
const char* OutputExtension(OutputFormat format);

} // namespace tessarin
