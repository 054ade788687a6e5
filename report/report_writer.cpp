#include "report_writer.h"

#include "edid_parser.h"
#include "logo_png.h"
#include "rtf_encoding.h"
#include "rtf_reader.h"

#include <charconv>
#include <limits>

namespace tessarin {
namespace {

// Font table and generator as a rich-text control writes them, then the
// centred logo on line 0, the title on line 1 and an empty left-aligned
// line 2. The logo is a plain PNG picture shown at 1005 x 870 twips.
std::string Prolog()
{
    std::string prolog =
        R"({\rtf1\ansi\ansicpg1252\deff0\deflang1033\deflangfe1033{\fonttbl{\f0\fswiss\fcharset0 Arial;})"
        R"({\f1\fswiss\fprq2\fcharset0 Arial;}{\f2\fmodern\fprq1\fcharset0 Courier New;}})"
        R"({\*\generator Msftedit 5.41.15.1507;}\viewkind4\uc1\pard\nowidctlpar\qc\f0\fs20)"
        R"({\pict\pngblip\picw67\pich58\picwgoal1005\pichgoal870 )";
    prolog += kLogoPngHex;
    prolog += R"(}\lang1036\b\f1\fs24\par)"
              R"(\lang1033 EDID ( Extended Display Identification Data) Report\par)"
              R"(\pard\nowidctlpar\b0\fs20)";
    return prolog;
}

} // namespace

ReportWriter::ReportWriter(ReportView& view, SectionTree& tree, Refresh refresh)
    : view_(view)
    , tree_(tree)
    , refresh_(refresh)
{
}

void ReportWriter::StartReport()
{
    static const std::string prolog = Prolog();
    document_ = prolog;
    paragraphs_ = 1 + CountParagraphBreaks(document_);
    RefreshPane();
}

void ReportWriter::AddEmptyLine()
{
    Append(R"(\par \i0)");
    RefreshPane();
}

void ReportWriter::AddLabelValue(std::string_view label, std::string_view value)
{
    Append(R"(\par \pard\tx568\tx3976\b\tab )");
    Append(label);
    Append(R"(\b0\tab )");
    Append(value);
    RefreshPane();
}

void ReportWriter::AddRawDataLine(std::string_view label, std::string_view value)
{
    Append(R"(\par \f2 )");
    Append(label);
    Append(R"(\tab )");
    Append(value);
    RefreshPane();
}

void ReportWriter::AddSectionTitle(std::string_view title)
{
    AddSection(title, kBaseRootKey);
}

void ReportWriter::AddCEASectionTitle(std::string_view title)
{
    AddSection(title, kExtensionRootKey);
}

void ReportWriter::AddSection(std::string_view title, const char* parentKey)
{
    AddEmptyLine();
    Append(R"(\par \pard\ul\b\fs22 )");
    Append(title);
    Append(R"(\ulnone :\b0\fs20)");
    RefreshPane();
    AddEmptyLine();
    AddNode(Node{"", std::string(title), parentKey, false, true, "", paragraphs_});
}

void ReportWriter::AddBaseRootNode(const CEDIDParser& parser)
{
    // A new report: whatever the tree held goes, in the pane's order of things.
    if (refresh_ == Refresh::EveryPrimitive)
        tree_.Clear();
    else
        clearTree_ = true;
    pending_.clear();
    const std::string text = "EDID BASE (V" + std::to_string(parser.EDIDVersion()) + "." +
                             std::to_string(parser.EDIDRevision()) + ")";
    // Tag 3 makes a click select line 1, the report's title.
    AddNode(Node{kBaseRootKey, text, "", true, false, "3", 0});
}

void ReportWriter::AddExtensionTitle(std::string_view title)
{
    Append(R"(\par \f1\pard\qc\b\fs24 )");
    Append(title);
    Append(R"(\b0\fs20)");
    RefreshPane();
}

void ReportWriter::AddExtensionRootNode(std::string_view text)
{
    AddNode(Node{kExtensionRootKey, std::string(text), "", true, false, "", paragraphs_});
}

void ReportWriter::AddCompleteRootNode(std::string_view text)
{
    completeSections_ = 0;
    AddNode(Node{kCompleteRootKey, std::string(text), "", true, false, "", paragraphs_});
}

void ReportWriter::AddCompleteSectionTitle(std::string_view title)
{
    AddEmptyLine();
    Append(R"(\par \pard\ul\b\fs22 )");
    Append(title);
    Append(R"(\ulnone :\b0\fs20)");
    RefreshPane();
    AddEmptyLine();
    const std::string key = "F" + std::to_string(++completeSections_);
    AddNode(Node{key, std::string(title), kCompleteRootKey, false, true, "", paragraphs_});
}

void ReportWriter::AddSubsectionTitle(std::string_view title, bool treeNode)
{
    Append(R"(\par \pard\b )");
    Append(title);
    Append(R"(\b0)");
    RefreshPane();
    if (!treeNode || completeSections_ == 0)
        return;
    // A click brings the heading to the top: the tag is taken one line
    // further than for a section, whose title has an empty line after it.
    Node node{"", std::string(title), "F" + std::to_string(completeSections_), false, false, "", paragraphs_ + 1};
    if (refresh_ == Refresh::EveryPrimitive)
        PlaceNode(node, view_.LineCount() + 1);
    else
        pending_.push_back(std::move(node));
}

void ReportWriter::Publish()
{
    if (refresh_ == Refresh::EveryPrimitive)
        return; // the pane and the tree are up to date already
    view_.SetDocument(CompleteDocument());
    if (clearTree_)
        tree_.Clear();
    clearTree_ = false;
    for (const Node& node : pending_)
        PlaceNode(node, view_.LinesOfParagraphs(node.paragraphs));
    pending_.clear();
}

void ReportWriter::AddNode(Node node)
{
    if (refresh_ == Refresh::EveryPrimitive)
        PlaceNode(node, view_.LineCount());
    else
        pending_.push_back(std::move(node));
}

void ReportWriter::PlaceNode(const Node& node, std::int32_t lines)
{
    const std::string tag = node.fixedTag.empty() ? std::to_string(lines) : node.fixedTag;
    const std::string key = node.key.empty() ? "C" + tag : node.key;
    if (tree_.AddNode(key, node.text, tag, node.bold, node.parentKey) && node.reveal)
        tree_.EnsureVisible(key);
}

void ReportWriter::Append(std::string_view utf8)
{
    const std::string bytes = Utf8ToWindows1252(utf8);
    paragraphs_ += CountParagraphBreaks(bytes);
    document_ += bytes;
}

void ReportWriter::RefreshPane()
{
    if (refresh_ == Refresh::EveryPrimitive)
        view_.SetDocument(CompleteDocument());
}

std::int32_t ReportWriter::NumberOfRTFLines() const
{
    return view_.LineCount();
}

void ReportWriter::ScrollToLine(std::int32_t line)
{
    const std::int32_t first = view_.FirstCharOfLine(line);
    if (first <= 0)
        return; // line 0, or no such line
    const std::int32_t next =
        line < std::numeric_limits<std::int32_t>::max() ? view_.FirstCharOfLine(line + 1) : -1;
    // The whole line with its paragraph end; the last line runs to the end
    // of the text, to which the view clamps the length.
    view_.Select(first, next > 0 ? next - first : view_.PlainTextLength());
}

void ReportWriter::NodeClick(std::string_view tag)
{
    // Scrolling to the end first makes the selected line come to rest at the
    // top of the pane when the document is long enough below it.
    ScrollToLine(NumberOfRTFLines() - 1);
    std::int16_t t = 0;
    const auto [end, error] = std::from_chars(tag.data(), tag.data() + tag.size(), t);
    if (error != std::errc{} || end != tag.data() + tag.size())
        return; // not a line number: the view stays at the end
    ScrollToLine(t < 2 ? 0 : t - 2);
}

std::string ReportWriter::BooleanToSupportedValue(bool blnValue)
{
    return blnValue ? "Supported" : "Not Supported";
}

std::string ReportWriter::BooleanToNativeValue(bool blnValue)
{
    return blnValue ? " (Native)" : "";
}

} // namespace tessarin
