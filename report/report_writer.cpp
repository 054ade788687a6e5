#include "report_writer.h"

#include "edid_parser.h"
#include "logo_png.h"
#include "rtf_encoding.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace tessarin {
namespace {

// Font table and generator as a rich-text control writes them, then the
// centred logo on line 0, the title on line 1 and an empty left-aligned
// line 2. The logo is a plain PNG picture shown at 1005 x 870 twips.
constexpr const char* kTitle = "EDID ( Extended Display Identification Data) Report";

const std::string& PrologRtf()
{
    static const std::string prolog = [] {
        std::string rtf =
            R"({\rtf1\ansi\ansicpg1252\deff0\deflang1033\deflangfe1033{\fonttbl{\f0\fswiss\fcharset0 Arial;})"
            R"({\f1\fswiss\fprq2\fcharset0 Arial;}{\f2\fmodern\fprq1\fcharset0 Courier New;}})"
            R"({\*\generator Msftedit 5.41.15.1507;}\viewkind4\uc1\pard\nowidctlpar\qc\f0\fs20)"
            R"({\pict\pngblip\picw67\pich58\picwgoal1005\pichgoal870 )";
        rtf += kLogoPngHex;
        rtf += R"(}\lang1036\b\f1\fs24\par)";
        rtf += R"(\lang1033 )";
        rtf += kTitle;
        rtf += R"(\par)"
               R"(\pard\nowidctlpar\b0\fs20)";
        return rtf;
    }();
    return prolog;
}

// The character properties in force at the prolog's end.
constexpr CharFormat kBodyFormat{false, false, false, 1, 20};

// The prolog as a model: the same fonts, the logo's bytes and the first
// three paragraphs, the last one still open.
const DocumentModel& PrologModel()
{
    static const DocumentModel prolog = [] {
        DocumentModel model;
        model.fonts = {{0, "swiss", 0, "Arial"}, {1, "swiss", 2, "Arial"}, {2, "modern", 1, "Courier New"}};
        PictureData logo{true, {}, 67, 58, 1005, 870};
        const std::string_view hex = kLogoPngHex;
        logo.data.reserve(hex.size() / 2);
        const auto nibble = [](char c) { return c <= '9' ? c - '0' : c - 'a' + 10; };
        for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
            logo.data.push_back(static_cast<char>(nibble(hex[i]) * 16 + nibble(hex[i + 1])));
        model.pictures.push_back(std::move(logo));

        const CharFormat titleFormat{true, false, false, 1, 24};
        model.paragraphs.clear();
        TextParagraph& picture = model.AddParagraph();
        picture.alignment = ParagraphAlignment::Centre;
        picture.picture = true;
        picture.mark = titleFormat;
        model.AppendPicture(CharFormat{false, false, false, 0, 20}, 0);
        TextParagraph& title = model.AddParagraph();
        title.alignment = ParagraphAlignment::Centre;
        title.mark = titleFormat;
        model.AppendText(titleFormat, kTitle);
        model.AddParagraph();
        return model;
    }();
    return prolog;
}

} // namespace

ReportWriter::ReportWriter(ReportView& view, SectionTree& tree, Refresh refresh)
    : view_(view)
    , tree_(tree)
    , refresh_(refresh)
{
}

std::string ReportWriter::ReportDocument() const
{
    if (!started_ || !keepRtf_)
        return {};
    std::string document;
    document.reserve(PrologRtf().size() + markup_.size() + 1);
    document += PrologRtf();
    AppendAsWindows1252(markup_, document);
    return document;
}

void ReportWriter::StartReport()
{
    started_ = true;
    markup_.clear();
    if (keepRtf_)
        markup_.reserve(16384); // a long report's markup
    if (tree_.Shown())
        pending_.reserve(128); // a long report's sections
    builder_.Start(PrologModel(), kBodyFormat, ParagraphAlignment::Left);
    RefreshPane();
}

void ReportWriter::EndParagraph()
{
    Mark(R"(\par )");
    builder_.EndParagraph();
}

void ReportWriter::AddEmptyLine()
{
    EndParagraph();
    Mark(R"(\i0)");
    builder_.Format().italic = false;
    RefreshPane();
}

void ReportWriter::AddLabelValue(std::string_view label, std::string_view value)
{
    LabelValue(label, value, false);
}

void ReportWriter::AddTextLabelValue(std::string_view label, std::string_view value)
{
    if (NeedsNoRtfEscape(label) && NeedsNoRtfEscape(value))
        LabelValue(label, value, true);
    else
        LabelValue(Escaped(label, escapedLabel_), Escaped(value, escapedValue_), false);
}

std::string_view ReportWriter::Escaped(std::string_view text, std::string& buffer)
{
    if (NeedsNoRtfEscape(text))
        return text;
    buffer.clear();
    AppendRtfEscaped(text, buffer);
    return buffer;
}

void ReportWriter::LabelValue(std::string_view label, std::string_view value, bool plain)
{
    EndParagraph();
    Mark(R"(\pard\tx568\tx3976\b\tab )");
    builder_.ResetParagraph();
    builder_.AddTabStop(568);
    builder_.AddTabStop(3976);
    builder_.Format().bold = true;
    Mark(label);
    plain ? builder_.TabAndAppend(label) : builder_.TabAndWrite(label);
    Mark(R"(\b0\tab )");
    builder_.Format().bold = false;
    Mark(value);
    plain ? builder_.TabAndAppend(value) : builder_.TabAndWrite(value);
    RefreshPane();
}

void ReportWriter::AddRawDataLine(std::string_view label, std::string_view value)
{
    EndParagraph();
    Mark(R"(\f2 )");
    builder_.Format().font = 2;
    Mark(label);
    builder_.Write(label);
    Mark(R"(\tab )");
    Mark(value);
    builder_.TabAndWrite(value);
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

void ReportWriter::AddSection(std::string_view title, const char* parentKey, std::string key)
{
    AddEmptyLine();
    EndParagraph();
    Mark(R"(\pard\ul\b\fs22 )");
    builder_.ResetParagraph();
    CharFormat& format = builder_.Format();
    format.underline = true;
    format.bold = true;
    format.halfPoints = 22;
    Mark(title);
    builder_.Write(title);
    Mark(R"(\ulnone :\b0\fs20)");
    builder_.Format().underline = false;
    builder_.Write(":");
    builder_.Format().bold = false;
    builder_.Format().halfPoints = 20;
    RefreshPane();
    AddEmptyLine();
    if (tree_.Shown())
        AddNode(Node{std::move(key), std::string(title), parentKey, false, true, "", builder_.ParagraphCount()});
}

void ReportWriter::AddBaseRootNode(const CEDIDParser& parser)
{
    // A new report: whatever the tree held goes, in the pane's order of things.
    if (refresh_ == Refresh::EveryPrimitive)
        tree_.Clear();
    else
        clearTree_ = true;
    pending_.clear();
    targets_.clear();
    if (!tree_.Shown())
        return;
    const std::string text = "EDID BASE (V" + std::to_string(parser.EDIDVersion()) + "." +
                             std::to_string(parser.EDIDRevision()) + ")";
    // Tag 3 makes a click select line 1, the report's title.
    AddNode(Node{kBaseRootKey, text, "", true, false, "3", 3});
}

void ReportWriter::AddExtensionTitle(std::string_view title)
{
    EndParagraph();
    Mark(R"(\f1\pard\qc\b\fs24 )");
    CharFormat& format = builder_.Format();
    format.font = 1;
    builder_.ResetParagraph();
    builder_.SetAlignment(ParagraphAlignment::Centre);
    format.bold = true;
    format.halfPoints = 24;
    Mark(title);
    builder_.Write(title);
    Mark(R"(\b0\fs20)");
    builder_.Format().bold = false;
    builder_.Format().halfPoints = 20;
    RefreshPane();
}

void ReportWriter::AddExtensionRootNode(std::string_view text)
{
    AddNode(Node{kExtensionRootKey, std::string(text), "", true, false, "", builder_.ParagraphCount()});
}

void ReportWriter::AddCompleteRootNode(std::string_view text)
{
    completeSections_ = 0;
    AddNode(Node{kCompleteRootKey, std::string(text), "", true, false, "", builder_.ParagraphCount()});
}

void ReportWriter::AddCompleteSectionTitle(std::string_view title)
{
    ++completeSections_;
    AddSection(title, kCompleteRootKey, tree_.Shown() ? "F" + std::to_string(completeSections_) : std::string());
}

void ReportWriter::AddSubsectionTitle(std::string_view title, bool treeNode)
{
    SubsectionTitle(title, treeNode, false);
}

void ReportWriter::AddTextSubsectionTitle(std::string_view title, bool treeNode)
{
    if (NeedsNoRtfEscape(title))
        SubsectionTitle(title, treeNode, true);
    else
        SubsectionTitle(Escaped(title, escapedValue_), treeNode, false);
}

void ReportWriter::AddTextCompleteSectionTitle(std::string_view title)
{
    AddCompleteSectionTitle(Escaped(title, escapedValue_));
}

void ReportWriter::SubsectionTitle(std::string_view title, bool treeNode, bool plain)
{
    EndParagraph();
    Mark(R"(\pard\b )");
    builder_.ResetParagraph();
    builder_.Format().bold = true;
    Mark(title);
    plain ? builder_.Append(title) : builder_.Write(title);
    Mark(R"(\b0)");
    builder_.Format().bold = false;
    RefreshPane();
    if (!treeNode || completeSections_ == 0 || !tree_.Shown())
        return;
    // A click brings the heading to the top: the node counts one paragraph
    // more than a section's, whose title has an empty line after it.
    Node node{"", std::string(title), "F" + std::to_string(completeSections_), false, false, "",
              builder_.ParagraphCount() + 1};
    if (refresh_ == Refresh::EveryPrimitive)
        PlaceNode(node, view_.LineCount() + 1);
    else
        pending_.push_back(std::move(node));
}

void ReportWriter::Publish()
{
    if (refresh_ == Refresh::EveryPrimitive)
        return; // the pane and the tree are up to date already
    view_.SetDocument(builder_.Document());
    if (clearTree_)
        tree_.Clear();
    clearTree_ = false;
    for (const Node& node : pending_)
        PlaceNode(node, view_.LinesOfParagraphs(node.paragraphs));
    pending_.clear();
}

void ReportWriter::AddNode(Node node)
{
    if (!tree_.Shown())
        return;
    if (refresh_ == Refresh::EveryPrimitive)
        PlaceNode(node, view_.LineCount());
    else
        pending_.push_back(std::move(node));
}

void ReportWriter::PlaceNode(const Node& node, std::int32_t lines)
{
    const std::string tag = node.fixedTag.empty() ? std::to_string(lines) : node.fixedTag;
    const std::string key = node.key.empty() ? "C" + tag : node.key;
    if (tree_.AddNode(key, node.text, tag, node.bold, node.parentKey)) {
        targets_.emplace_back(tag, node.paragraphs);
        if (node.reveal)
            tree_.EnsureVisible(key);
    }
}

void ReportWriter::RefreshPane()
{
    if (refresh_ == Refresh::EveryPrimitive)
        view_.SetDocument(builder_.Document());
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
    const auto target = std::find_if(targets_.begin(), targets_.end(),
                                     [&](const auto& entry) { return entry.first == tag; });
    if (target != targets_.end()) {
        // The tag is the line two below the one to show, counted when every
        // paragraph was one line: two paragraphs up, wherever they are now.
        const std::int32_t paragraph = target->second - 2;
        ScrollToLine(paragraph <= 0 ? 0 : view_.LinesOfParagraphs(paragraph));
        return;
    }
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
