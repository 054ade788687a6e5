#include "complete_report.h"

#include "complete_decode.h"
#include "report_steps.h"
#include "report_writer.h"

#include <cstdio>
#include <span>

namespace tessarin {

using namespace report_steps;
using complete::Section;

namespace {

constexpr const char* kTitle = "EDID COMPLETE DECODE";

std::string HexByte(std::uint8_t value)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", value);
    return text;
}

void RawBytes(ReportWriter& w, std::span<const std::uint8_t> bytes)
{
    for (std::size_t row = 0; row * 16 < bytes.size(); ++row) {
        const auto line = bytes.subspan(row * 16, std::min<std::size_t>(16, bytes.size() - row * 16));
        Step([&] { w.AddRawDataLine(HexLabel(static_cast<unsigned>(row * 16)), HexRow(line)); });
    }
}

// Everything in the model may hold what a monitor stored (names, strings):
// all of it is escaped.
void Body(ReportWriter& w, const Section& s, int depth)
{
    for (const complete::Field& f : s.fields)
        Step([&] { w.AddLabelValue(Text(f.label) + " : ", Text(f.text)); });
    if (s.bytesOnly)
        Step([&] {
            w.AddLabelValue("Not decoded : ", Text(s.title) + ", " + std::to_string(s.bytes.size()) + " bytes as read");
        });
    if (!s.bytes.empty())
        RawBytes(w, s.bytes);
    for (const Section& child : s.children) {
        if (!child.summary.empty() && child.children.empty() && child.bytes.empty()) {
            Step([&] { w.AddLabelValue(Text(child.title) + " : ", Text(child.summary)); });
            continue;
        }
        // The data blocks of an extension and the parts of the base block
        // get tree nodes; what lies deeper is a heading line.
        Step([&] { w.AddSubsectionTitle(Text(child.title), depth == 0); });
        if (!child.summary.empty())
            Step([&] { w.AddLabelValue("", Text(child.summary)); });
        Body(w, child, depth + 1);
    }
}

void Checksums(ReportWriter& w, const complete::CompleteDecode& d)
{
    Step([&] { w.AddCompleteSectionTitle("Checksums"); });
    for (const complete::BlockChecksum& c : d.checksums) {
        std::string line = "Block " + std::to_string(c.block) + " (" + c.type + "): checksum " + HexByte(c.stored);
        line += c.valid() ? " valid" : " invalid, should be " + HexByte(c.expected);
        Step([&] { w.AddLabelValue("", Text(line)); });
    }
    for (const std::string& problem : d.lengthProblems)
        Step([&] { w.AddLabelValue("", Text(problem)); });
}

void Findings(ReportWriter& w, const complete::CompleteDecode& d)
{
    Step([&] { w.AddCompleteSectionTitle("Findings"); });
    if (d.findings.empty())
        Step([&] { w.AddLabelValue("", "None"); });
    for (const complete::Finding& f : d.findings)
        Step([&] { w.AddLabelValue("", Text(f.text)); });
}

} // namespace

void DisplayCompleteDecode(ReportWriter& w, const complete::CompleteDecode& d)
{
    for (int i = 0; i < 5; ++i)
        Step([&] { w.AddEmptyLine(); });
    Step([&] { w.AddExtensionTitle(kTitle); });
    Step([&] { w.AddCompleteRootNode(kTitle); });
    Checksums(w, d);
    Step([&] { w.AddCompleteSectionTitle(Text(d.base.title)); });
    Body(w, d.base, 0);
    for (const Section& extension : d.extensions) {
        Step([&] { w.AddCompleteSectionTitle(Text(extension.title)); });
        Body(w, extension, 0);
    }
    Findings(w, d);
}

} // namespace tessarin
