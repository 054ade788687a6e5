#include "complete_report.h"

#include "complete_decode.h"
#include "report_steps.h"
#include "report_writer.h"

#include <span>
#include <string>
#include <string_view>

namespace tessarin {

using namespace report_steps;
using complete::Section;

namespace {

constexpr const char* kTitle = "EDID COMPLETE DECODE";

void AppendHexByte(std::uint8_t value, std::string& out)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    out += "0x";
    out += kHex[value >> 4];
    out += kHex[value & 0xF];
}

// Everything in the model may hold what a monitor stored (names, strings):
// all of it goes to the writer as text, which it escapes where needed. A
// report has hundreds of lines; their texts are made in buffers kept for
// the whole report.
class Lines {
public:
    explicit Lines(ReportWriter& w) : w_(w) {}

    // "label : value".
    void LabelValue(std::string_view label, std::string_view value)
    {
        label_.assign(label);
        label_ += " : ";
        Step([&] { w_.AddTextLabelValue(label_, value); });
    }
    // A line without a label.
    void Line(std::string_view value)
    {
        Step([&] { w_.AddTextLabelValue("", value); });
    }
    void Title(std::string_view title, bool treeNode)
    {
        Step([&] { w_.AddTextSubsectionTitle(title, treeNode); });
    }
    void SectionTitle(std::string_view title)
    {
        Step([&] { w_.AddTextCompleteSectionTitle(title); });
    }
    void NotDecoded(const Section& s)
    {
        value_.assign(s.title);
        value_ += ", ";
        value_ += std::to_string(s.bytes.size());
        value_ += " bytes as read";
        Step([&] { w_.AddTextLabelValue("Not decoded : ", value_); });
    }
    void RawBytes(std::span<const std::uint8_t> bytes)
    {
        for (std::size_t row = 0; row * 16 < bytes.size(); ++row) {
            const auto line = bytes.subspan(row * 16, std::min<std::size_t>(16, bytes.size() - row * 16));
            Step([&] { w_.AddRawDataLine(HexLabel(static_cast<unsigned>(row * 16)), HexRow(line)); });
        }
    }
    ReportWriter& writer() { return w_; }

private:
    ReportWriter& w_;
    std::string label_;
    std::string value_;
};

void Body(Lines& out, const Section& s, int depth)
{
    for (const complete::Field& f : s.fields)
        out.LabelValue(f.label, f.text);
    if (s.bytesOnly)
        out.NotDecoded(s);
    if (!s.bytes.empty())
        out.RawBytes(s.bytes);
    for (const Section& child : s.children) {
        if (!child.summary.empty() && child.children.empty() && child.bytes.empty()) {
            out.LabelValue(child.title, child.summary);
            continue;
        }
        // The data blocks of an extension and the parts of the base block
        // get tree nodes; what lies deeper is a heading line.
        out.Title(child.title, depth == 0);
        if (!child.summary.empty())
            out.Line(child.summary);
        Body(out, child, depth + 1);
    }
}

void Checksums(Lines& out, const complete::CompleteDecode& d)
{
    Step([&] { out.writer().AddCompleteSectionTitle("Checksums"); });
    std::string line;
    for (const complete::BlockChecksum& c : d.checksums) {
        line = "Block " + std::to_string(c.block) + " (" + c.type + "): checksum ";
        AppendHexByte(c.stored, line);
        if (c.valid()) {
            line += " valid";
        } else {
            line += " invalid, should be ";
            AppendHexByte(c.expected, line);
        }
        out.Line(line);
    }
    for (const std::string& problem : d.lengthProblems)
        out.Line(problem);
}

void Findings(Lines& out, const complete::CompleteDecode& d)
{
    Step([&] { out.writer().AddCompleteSectionTitle("Findings"); });
    if (d.findings.empty())
        Step([&] { out.writer().AddLabelValue("", "None"); });
    for (const complete::Finding& f : d.findings)
        out.Line(f.text);
}

} // namespace

void DisplayCompleteDecode(ReportWriter& w, const complete::CompleteDecode& d)
{
    for (int i = 0; i < 5; ++i)
        Step([&] { w.AddEmptyLine(); });
    Step([&] { w.AddExtensionTitle(kTitle); });
    Step([&] { w.AddCompleteRootNode(kTitle); });
    Lines out(w);
    Checksums(out, d);
    out.SectionTitle(d.base.title);
    Body(out, d.base, 0);
    for (const Section& extension : d.extensions) {
        out.SectionTitle(extension.title);
        Body(out, extension, 0);
    }
    Findings(out, d);
}

} // namespace tessarin
