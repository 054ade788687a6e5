#include "command_line.h"

#include "utf8_path.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace tessarin {
namespace {

std::optional<OutputFormat> ParseFormat(std::string_view name)
{
    if (name == "rtf")
        return OutputFormat::Rtf;
    if (name == "text")
        return OutputFormat::Text;
    if (name == "edd")
        return OutputFormat::Edd;
    return std::nullopt;
}

// A list index: decimal digits only, within the dialog's 16-bit index.
std::optional<std::int16_t> ParseMonitorIndex(std::string_view text)
{
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    if (text.empty() || text.size() > 5 || !std::all_of(text.begin(), text.end(), isDigit))
        return std::nullopt;
    const int value = std::stoi(std::string(text));
    if (value > 32767)
        return std::nullopt;
    return static_cast<std::int16_t>(value);
}

// The monitor options against each other and against the file options.
bool CheckMonitorOptions(const CommandLine& line, bool formatGiven, std::string& error)
{
    if (line.listMonitors && line.monitor) {
        error = "--monitors and --monitor exclude each other";
        return false;
    }
    if (!line.listMonitors && !line.monitor) {
        if (!line.drmRoot)
            return true;
        error = "--drm-root goes with --monitors or --monitor";
        return false;
    }
    if (!line.inputs.empty()) {
        error = "--monitors and --monitor take no INPUT";
        return false;
    }
    if (line.outputDir) {
        error = "--monitors and --monitor write no folder of files (use --output FILE with --monitor)";
        return false;
    }
    if (line.listMonitors && (formatGiven || line.output)) {
        error = "--monitors prints its list: no --format or --output";
        return false;
    }
    return true;
}

} // namespace

bool ParseCommandLine(std::span<const std::string> args, CommandLine& line, std::string& error)
{
    line = CommandLine{};
    bool formatGiven = false;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg == "-" || !arg.starts_with("-")) {
            line.inputs.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            line.help = true;
            continue;
        }
        if (arg == "--version") {
            line.version = true;
            continue;
        }
        if (arg == "--monitors") {
            line.listMonitors = true;
            continue;
        }
        if (arg == "--standard") {
            line.standard = true;
            continue;
        }
        // "--name value" or "--name=value"
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        if (name != "--format" && name != "--output" && name != "--output-dir" && name != "--monitor" &&
            name != "--drm-root") {
            error = "unknown option '" + arg + "'";
            return false;
        }
        std::string value;
        if (equals != std::string::npos) {
            value = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            error = name + " needs a value";
            return false;
        }
        if (value.empty()) {
            error = name + " needs a value";
            return false;
        }
        if (name == "--format") {
            const auto format = ParseFormat(value);
            if (!format) {
                error = "unknown format '" + value + "' (rtf, text or edd)";
                return false;
            }
            if (formatGiven) {
                error = "--format given twice";
                return false;
            }
            formatGiven = true;
            line.format = *format;
        } else if (name == "--monitor") {
            const auto index = ParseMonitorIndex(value);
            if (!index) {
                error = "--monitor needs a list index from 0 to 32767, not '" + value + "'";
                return false;
            }
            if (line.monitor) {
                error = "--monitor given twice";
                return false;
            }
            line.monitor = index;
        } else {
            auto& target = name == "--output" ? line.output : name == "--output-dir" ? line.outputDir : line.drmRoot;
            if (target) {
                error = name + " given twice";
                return false;
            }
            target = PathFromUtf8(value);
        }
    }
    if (line.help || line.version)
        return true;
    if (line.output && line.outputDir) {
        error = "--output and --output-dir exclude each other";
        return false;
    }
    if (!CheckMonitorOptions(line, formatGiven, error))
        return false;
    if (line.listMonitors || line.monitor)
        return true;
    if (line.inputs.empty()) {
        error = "no input";
        return false;
    }
    if (line.inputs.size() > 1 && !line.outputDir) {
        error = "several inputs need --output-dir DIR";
        return false;
    }
    if (std::count(line.inputs.begin(), line.inputs.end(), "-") > 1) {
        error = "standard input ('-') can be read only once";
        return false;
    }
    return true;
}

const char* OutputExtension(OutputFormat format)
{
    switch (format) {
    case OutputFormat::Rtf: return ".rtf";
    case OutputFormat::Text: return ".txt";
    case OutputFormat::Edd: return ".edd";
    }
    return "";
}

} // namespace tessarin
