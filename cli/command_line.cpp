#include "command_line.h"

#include <algorithm>
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
        // "--name value" or "--name=value"
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        if (name != "--format" && name != "--output" && name != "--output-dir") {
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
        } else {
            auto& target = name == "--output" ? line.output : line.outputDir;
            if (target) {
                error = name + " given twice";
                return false;
            }
            target = std::filesystem::path(value);
        }
    }
    if (line.help)
        return true;
    if (line.output && line.outputDir) {
        error = "--output and --output-dir exclude each other";
        return false;
    }
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
