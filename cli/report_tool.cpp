#include "report_tool.h"

#include "command_line.h"
#include "drm_monitor_store.h"
#include "edd_file.h"
#include "edid_input.h"
#include "edid_parser.h"
#include "edid_report.h"
#include "headless_view.h"
#include "monitor_load.h"
#include "monitor_walk.h"
#include "replace_file.h"
#include "report_writer.h"
#include "utf8_path.h"
#ifdef _WIN32
#include "registry_monitor_store.h"
#endif
#ifdef TESSARIN_COMPLETE_DECODE
#include "complete_decoder.h"
#endif

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>

namespace tessarin {
namespace {

namespace fs = std::filesystem;

constexpr const char* kProgram = "tessarin-report";

// The report's files and standard output have no section tree: its nodes
// are dropped rather than kept in a tree nobody reads, which cost as much as
// a tenth of a report.
class NoSectionTree final : public SectionTree {
public:
    void Clear() override {}
    bool AddNode(const std::string&, const std::string&, const std::string&, bool, const std::string&) override
    {
        return true;
    }
    void EnsureVisible(const std::string&) override {}
};

// `edid` holds every byte read, at least 256: the decoder takes the first
// 256, the complete decode all of them.
std::string Render(OutputFormat format, bool standard, std::span<const std::uint8_t> edid, char separator)
{
    CEDIDParser parser;
    std::vector<std::uint8_t> first(CEDIDParser::EDIDSize, 0);
    std::copy_n(edid.begin(), std::min(edid.size(), first.size()), first.begin());
    parser.UpdateEDIDDataFromArray(first);
    if (format == OutputFormat::Edd)
        return FormatDataFile(first, parser, separator);
    HeadlessReportView view;
    NoSectionTree tree;
    ReportWriter writer(view, tree);
    ReportContext context{writer, parser, separator};
#ifdef TESSARIN_COMPLETE_DECODE
    const complete::CompleteDecode decode = standard ? complete::CompleteDecode{} : complete::DecodeComplete(edid, separator);
    if (!standard)
        context.complete = &decode;
#else
    (void)standard;
#endif
    DisplayEDIDBase(context);
    if (format == OutputFormat::Rtf)
        return writer.CompleteDocument();
    return writer.Document().PlainText();
}

std::string DisplayName(const std::string& input)
{
    return input == "-" ? "standard input" : input;
}

// The file an input gets in --output-dir: its own name with the format's
// extension; standard input is called "stdin".
fs::path OutputNameFor(const std::string& input, OutputFormat format)
{
    fs::path name = input == "-" ? fs::path("stdin") : PathFromUtf8(input).filename();
    name.replace_extension(OutputExtension(format));
    return name;
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
        Write(line_.output, Render(line_.format, line_.standard, allBytes, separator_));
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
        return true;
    }

    void Report(const std::string& input)
    {
        std::optional<fs::path> target = line_.output;
        if (line_.outputDir) {
            const fs::path name = OutputNameFor(input, line_.format);
            // Two inputs of the same name must not overwrite each other's report.
            const auto [earlier, fresh] = written_.emplace(Utf8Name(name), input);
            if (!fresh) {
                Fail(input, "skipped: its output " + Utf8Name(name) + " is that of " +
                                DisplayName(earlier->second));
                return;
            }
            target = *line_.outputDir / name;
        }
        const EdidInput edid = input == "-" ? ReadEdidInput(in_) : ReadEdidFile(input);
        if (!edid.error.empty()) {
            Fail(DisplayName(input), edid.error);
            return;
        }
        Write(target, Render(line_.format, line_.standard, std::span(edid.edid).first(std::max(edid.length, CEDIDParser::EDIDSize)), separator_));
    }

    void Write(const std::optional<fs::path>& target, const std::string& content)
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
        err_ << kProgram << ": " << name << ": " << reason << '\n';
        failed_ = true;
    }

    const CommandLine& line_;
    std::istream& in_;
    std::ostream& out_;
    std::ostream& err_;
    char separator_;
    bool failed_ = false;
    std::map<std::string, std::string> written_; // output name -> input
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
            << "Writes the report of each EDID: a raw binary EDID (all its blocks, up to\n"
               "32 KiB) or an .edd file; '-' reads standard input. The report is followed by\n"
               "the complete decode of every block, where the program was built with\n"
               "libdisplay-info.\n"
               "  --format rtf   the RTF report (default)\n"
               "  --format text  its plain text, one line per paragraph, UTF-8\n"
               "  --format edd   the .edd data file of the EDID\n"
               "  --standard     the report alone, without the complete decode\n"
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
