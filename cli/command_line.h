#pragma once
// The arguments of tessarin-report.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tessarin {

enum class OutputFormat { Rtf, Text, Edd };

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
};

inline constexpr const char* kUsage =
    "usage: tessarin-report [--format rtf|text|edd] [--standard] [--output FILE | --output-dir DIR] INPUT...\n"
    "       tessarin-report --monitors [--drm-root DIR]\n"
    "       tessarin-report --monitor N [--format rtf|text|edd] [--standard] [--output FILE] [--drm-root DIR]";

// Parses the arguments after the program name. On a usage error returns
// false with `error` saying what is wrong.
bool ParseCommandLine(std::span<const std::string> args, CommandLine& line, std::string& error);

// ".rtf", ".txt" or ".edd".
const char* OutputExtension(OutputFormat format);

} // namespace tessarin
