#include "report_tool.h"

#include "command_line.h"
#include "drm_monitor_store.h"
#include "edd_file.h"
#include "edid_input.h"
#include "edid_json.h"
#include "edid_parser.h"
#include "edid_redact.h"
#include "monitor_load.h"
#include "monitor_walk.h"
#include "replace_file.h"
#include "report_renderer.h"
#include "terminal_text.h"
#include "utf8_path.h"
#ifdef _WIN32
#include "registry_monitor_store.h"
#endif

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <unordered_map>
#include <utility>

namespace tessarin {
namespace {

namespace fs = std::filesystem;

constexpr const char* kProgram = "tessarin-report";

// A name as it may go to a terminal: quoted, its control characters (and
// bytes that are not UTF-8) escaped, when it holds any; else as it is.
std::string DisplayName(const std::string& input)
{
    return input == "-" ? "standard input" : QuoteForTerminal(input);
}

// The file an input gets in --output-dir: its own name with the format's
// extension; standard input is called "stdin".
std::string OutputNameFor(const std::string& input, OutputFormat format)
{
    if (input == "-")
        return std::string("stdin") + OutputExtension(format);
#ifdef _WIN32
    fs::path name = PathFromUtf8(input).filename();
    name.replace_extension(OutputExtension(format));
    return Utf8Name(name);
#else
    // What filename() and replace_extension() make of it, without the two
    // path objects they cost for each of a batch's thousands of inputs: the
    // last dot starts the extension, unless it begins the name or the name
    // is "..".
    const std::size_t slash = input.rfind('/');
    std::string name = input.substr(slash == std::string::npos ? 0 : slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot != 0 && name != "..")
        name.resize(dot);
    return name += OutputExtension(format);
#endif
}

std::unique_ptr<MonitorStore> OpenStore(const CommandLine& line)
{
    if (line.drmRoot)
        return std::make_unique<DrmMonitorStore>(*line.drmRoot);
    return OpenSystemMonitorStore();
}

std::string StoreName(const CommandLine& line)
{
    if (line.drmRoot)
        return Utf8Name(*line.drmRoot);
#ifdef _WIN32
    return kRegistryDisplayKey;
#else
    return kDrmRoot;
#endif
}

class Run {
public:
    Run(const CommandLine& line, std::istream& in, std::ostream& out, std::ostream& err)
        : line_(line)
        , in_(in)
        , out_(out)
        , err_(err)
        , separator_(UserDecimalSeparator())
    {
    }

    int Execute()
    {
        if (line_.listMonitors)
            return ListMonitors();
        if (line_.monitor)
            return ReportMonitor(*line_.monitor);
        if (line_.diff)
            return Diff();
        if (line_.outputDir && !PrepareOutputDir())
            return 1;
        for (const std::string& input : line_.inputs)
            Report(input);
        return failed_ ? 1 : 0;
    }

private:
    int ListMonitors()
    {
        const auto store = OpenStore(line_);
        // Always the form with the active flag: a script needs it more than
        // the model codes.
        const std::vector<std::string> list = BuildDisplayList(*store, false);
        for (std::size_t i = 0; i < list.size(); ++i)
            out_ << i << '\t' << list[i] << '\n';
        out_.flush();
        if (!out_)
            Fail("standard output", "cannot write");
        if (list.empty())
            err_ << kProgram << ": no monitor with an EDID under " << StoreName(line_) << '\n';
        return failed_ ? 1 : 0;
    }

    // The window's road: the picked index applied to a fresh walk. No
    // "data.vxr" here: that copy is the window's.
    int ReportMonitor(std::int16_t index)
    {
        const auto store = OpenStore(line_);
        std::vector<std::uint8_t> edid;
        std::vector<std::uint8_t> allBytes;
        CEDIDParser parser;
        if (!LoadRegistryEDID(*store, index, edid, parser, {}, &allBytes)) {
            const std::size_t count = BuildDisplayList(*store, false).size();
            Fail("monitor " + std::to_string(index),
                 static_cast<std::size_t>(index) < count
                     ? "its EDID cannot be read"
                     : "no such monitor (" + std::to_string(count) + " under " + StoreName(line_) + ")");
            return 1;
        }
        // Every byte read for the complete decode; the decoder and an .edd take the first 256.
        if (allBytes.size() < edid.size())
            allBytes = edid;
        Write(line_.output ? &line_.output->native() : nullptr,
              renderer_.Render(line_.format, line_.standard, allBytes, false, separator_));
        return failed_ ? 1 : 0;
    }

    bool PrepareOutputDir()
    {
        std::error_code ec;
        fs::create_directories(*line_.outputDir, ec);
        if (!fs::is_directory(*line_.outputDir, ec)) {
            Fail(Utf8Name(*line_.outputDir), "cannot create the output folder");
            return false;
        }
        written_.reserve(line_.inputs.size());
#ifndef _WIN32
        outputPrefix_ = line_.outputDir->native();
        if (!outputPrefix_.ends_with('/'))
            outputPrefix_ += '/';
#endif
        return true;
    }

    void Report(const std::string& input)
    {
        const fs::path::string_type* target = line_.output ? &line_.output->native() : nullptr;
        if (line_.outputDir) {
            std::string name = OutputNameFor(input, line_.format);
#ifdef _WIN32
            file_ = (*line_.outputDir / PathFromUtf8(name)).native();
#else
            file_.assign(outputPrefix_).append(name);
#endif
            target = &file_;
            // Two inputs of the same name must not overwrite each other's report.
            const auto [earlier, fresh] = written_.try_emplace(std::move(name), &input);
            if (!fresh) {
                Fail(input, "skipped: its output " + earlier->first + " is that of " + DisplayName(*earlier->second));
                return;
            }
        }
        std::vector<std::uint8_t> bytes;
        if (!Load(input, bytes))
            return;
        Write(target, renderer_.Render(line_.format, line_.standard, bytes, line_.redact, separator_));
    }

    // The one EDID of `input` that --pick names (or the only one), redacted
    // when asked.
    bool Load(const std::string& input, std::vector<std::uint8_t>& bytes)
    {
        EdidInput edid = input == "-" ? ReadEdidInput(in_) : ReadEdidFile(input);
        if (!edid.error.empty()) {
            Fail(DisplayName(input), edid.error);
            return false;
        }
        std::size_t index = 0;
        if (line_.pick) {
            std::string error;
            const auto picked = PickEdid(edid, *line_.pick, error);
            if (!picked) {
                Fail(DisplayName(input), error);
                return false;
            }
            index = *picked;
        } else if (edid.edids.size() > 1) {
            std::string list;
            constexpr std::size_t kShown = 10;
            for (std::size_t i = 0; i < std::min(edid.edids.size(), kShown); ++i)
                list += (i ? ", " : "") + std::to_string(i + 1) +
                        (edid.edids[i].name.empty() ? "" : " " + QuoteForTerminal(edid.edids[i].name));
            if (edid.edids.size() > kShown)
                list += ", ...";
            Fail(DisplayName(input), "holds " + std::to_string(edid.edids.size()) + " EDIDs (" + list +
                                         "): choose one with --pick N or --pick NAME");
            return false;
        }
        bytes = std::move(edid.edids[index].bytes);
        if (line_.redact)
            bytes = RedactEdid(bytes).bytes;
        return true;
    }

    // Field, value in A, value in B, tab-separated, one difference a line.
    int Diff()
    {
        std::vector<std::uint8_t> a;
        std::vector<std::uint8_t> b;
        if (!Load(line_.inputs[0], a) || !Load(line_.inputs[1], b))
            return 2;
        // A's fields in its order, then those only B has.
        const auto left = FlattenJson(EdidJson(a, line_.redact));
        const auto right = FlattenJson(EdidJson(b, line_.redact));
        const std::map<std::string, std::string> rightValues(right.begin(), right.end());
        const std::map<std::string, std::string> leftValues(left.begin(), left.end());
        bool differ = false;
        const auto show = [&](const std::string& field, const std::string& inA, const std::string& inB) {
            differ = true;
            out_ << field << '\t' << inA << '\t' << inB << '\n';
        };
        for (const auto& [field, value] : left) {
            const auto other = rightValues.find(field);
            if (other == rightValues.end())
                show(field, value, "(none)");
            else if (other->second != value)
                show(field, value, other->second);
        }
        for (const auto& [field, value] : right)
            if (!leftValues.count(field))
                show(field, "(none)", value);
        out_.flush();
        return differ ? 1 : 0;
    }

    // To standard output when `target` is nullptr.
    void Write(const fs::path::string_type* target, std::string_view content)
    {
        if (!target) {
            out_.write(content.data(), static_cast<std::streamsize>(content.size()));
            out_.flush();
            if (!out_)
                Fail("standard output", "cannot write");
        } else if (!ReplaceFileContent(*target, content)) {
            Fail(Utf8Name(*target), "cannot write");
        }
    }

    void Fail(const std::string& name, const std::string& reason)
    {
        err_ << kProgram << ": " << QuoteForTerminal(name) << ": " << reason << '\n';
        failed_ = true;
    }

    const CommandLine& line_;
    std::istream& in_;
    std::ostream& out_;
    std::ostream& err_;
    char separator_;
    bool failed_ = false;
    // Output name -> the input it is that of (line_'s, which outlive this).
    std::unordered_map<std::string, const std::string*> written_;
    std::string outputPrefix_; // the output folder, ending in a separator
    fs::path::string_type file_; // the output file of the input in hand
    ReportRenderer renderer_;
};

} // namespace

int RunReportTool(std::span<const std::string> args, std::istream& in, std::ostream& out, std::ostream& err)
{
    CommandLine line;
    std::string error;
    if (!ParseCommandLine(args, line, error)) {
        err << kProgram << ": " << error << '\n' << kUsage << '\n';
        return 2;
    }
    if (line.help) {
        out << kUsage << "\n\n"
            << "Writes the report of each EDID. An input is a raw binary EDID (all its blocks,\n"
               "up to 256), an .edd file, hex text (xxd, hexdump -C, od, edid-decode), xrandr\n"
               "--verbose or --props output, a C array, base64 or a Windows .reg export; '-'\n"
               "reads standard input. The report is followed by the complete decode of every\n"
               "block, where the program was built with libdisplay-info.\n"
               "  --format rtf   the RTF report (default)\n"
               "  --format text  its plain text, one line per paragraph, UTF-8\n"
               "  --format edd   the .edd data file of the EDID\n"
               "  --format bin   the EDID's bytes as read, every block\n"
               "  --format hex   the same as hex text, 16 bytes a line\n"
               "  --format json  every value of the report, typed (docs/edid-report.schema.json)\n"
               "  --standard     the report alone, without the complete decode\n"
               "  --pick N|NAME  the EDID to take from an input holding several: its number\n"
               "                 (from 1) or its name (xrandr output, registry key, C array)\n"
               "  --redact       serial numbers blanked, checksums recomputed\n"
               "  --diff A B     the fields in which two EDIDs differ, one a line: field, value\n"
               "                 in A, value in B; exit 0 same, 1 different, 2 error\n"
               "  --output FILE  write to FILE instead of standard output\n"
               "  --output-dir DIR  one file per input in DIR, named after the input\n"
               "  --monitors     list the monitors of the system's store (Linux: the DRM\n"
               "                 connectors with an EDID; Windows: the monitors of the\n"
               "                 registry's DISPLAY key), one a line: index, tab, then\n"
               "                 description ; manufacturer | -1 (connected) or 0 (not)\n"
               "  --monitor N    the report of monitor N of that list\n"
               "  --drm-root DIR read the DRM connectors from DIR, not /sys/class/drm\n"
               "  --help         this text\n"
               "  --version      the program's version\n";
        return 0;
    }
    if (line.version) {
        out << kProgram << ' ' << TESSARIN_VERSION << '\n';
        return 0;
    }
    return Run(line, in, out, err).Execute();
}

} // namespace tessarin
