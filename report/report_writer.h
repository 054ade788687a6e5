#pragma once
// The report document and its section index. Every report line goes through
// these primitives; the document only ever grows, and the pane is given the
// finished document once (see Publish). The primitives fill the document
// model that every view renders; the RTF document is made from the same
// primitives' markup when someone asks for it.
#include "document_builder.h"
#include "report_view.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tessarin {

class CEDIDParser;

class ReportWriter {
public:
    enum class Refresh {
        // The pane gets the document once, in Publish; section tags are
        // resolved then from the view's layout of the finished document.
        Once,
        // The pane gets the whole document after every primitive and tags
        // are read from its line count on the spot: the cost grows with the
        // square of the report. Kept as the reference the tests and the
        // benchmark compare the normal path with.
        EveryPrimitive,
    };

    ReportWriter(ReportView& view, SectionTree& tree, Refresh refresh = Refresh::Once);

    // A writer whose RTF nobody will ask for (plain text, exports) need not
    // keep it: the markup is then not recorded, and ReportDocument() is
    // empty. On by default; set before StartReport.
    void KeepRtf(bool keep) { keepRtf_ = keep; }

    // The RTF written so far, without the closing brace of the outer group;
    // empty before the first report.
    std::string ReportDocument() const;
    // The complete RTF document: what a save writes.
    std::string CompleteDocument() const { return ReportDocument() += '}'; }
    // What the pane shows: the report so far as paragraphs of runs.
    const DocumentModel& Document() { return builder_.Document(); }

    // Labels, values and titles are UTF-8; they are written as Windows-1252
    // bytes but otherwise as they stand, so texts read from a monitor must
    // be passed through EscapeRtfText first.
    void StartReport();
    void AddEmptyLine();
    void AddLabelValue(std::string_view label, std::string_view value);
    void AddRawDataLine(std::string_view label, std::string_view value);
    void AddSectionTitle(std::string_view title);
    void AddCEASectionTitle(std::string_view title);
    void AddBaseRootNode(const CEDIDParser& parser);
    // The extension's centred title paragraph and its top-level node.
    void AddExtensionTitle(std::string_view title);
    void AddExtensionRootNode(std::string_view text);
    // The complete decode's top-level node, after the extension's.
    void AddCompleteRootNode(std::string_view text);
    // A section of the complete decode: a title like AddSectionTitle's, and
    // a node under the complete decode's root.
    void AddCompleteSectionTitle(std::string_view title);
    // A bold heading line inside a complete-decode section; with `treeNode`
    // also a node under that section's.
    void AddSubsectionTitle(std::string_view title, bool treeNode);

    // The same for texts that are not RTF but UTF-8 to be shown as they
    // stand, whatever they hold (a monitor's strings, the complete decode's
    // texts): the document gets them as EscapeRtfText gives them.
    void AddTextLabelValue(std::string_view label, std::string_view value);
    void AddTextSubsectionTitle(std::string_view title, bool treeNode);
    void AddTextCompleteSectionTitle(std::string_view title);

    // Shows the finished document in the pane and builds the tree.
    void Publish();

    std::int32_t NumberOfRTFLines() const;
    void ScrollToLine(std::int32_t line);
    // What a click on a tree node does, given the node's tag: the node's
    // paragraph comes to the top, found in the pane's layout as it is now, so
    // that a pane narrowed since the report was written still shows the
    // section. A tag the report did not give is taken as a line number.
    void NodeClick(std::string_view tag);

    static std::string BooleanToSupportedValue(bool blnValue);
    static std::string BooleanToNativeValue(bool blnValue);

    static constexpr const char* kBaseRootKey = "R";
    static constexpr const char* kExtensionRootKey = "RCEA";
    static constexpr const char* kCompleteRootKey = "RFULL";

private:
    struct Node {
        std::string key; // "" for a section: "C" + its tag
        std::string text;
        std::string parentKey;
        bool bold = false;
        bool reveal = false;
        std::string fixedTag;       // used when not empty
        std::int32_t paragraphs = 0; // else the tag is the lines these take
    };

    void Mark(std::string_view markup)
    {
        if (keepRtf_)
            markup_ += markup;
    }
    void EndParagraph();
    // A label and value, or a title, that are RTF when `plain` is false, and
    // else texts that need no reading (NeedsNoRtfEscape).
    void LabelValue(std::string_view label, std::string_view value, bool plain);
    void SubsectionTitle(std::string_view title, bool treeNode, bool plain);
    // `text` escaped for the document, in `buffer` when it needs escaping.
    static std::string_view Escaped(std::string_view text, std::string& buffer);
    void RefreshPane();
    // `key` "" gives the node the key "C" + its tag.
    void AddSection(std::string_view title, const char* parentKey, std::string key = {});
    void AddNode(Node node);
    void PlaceNode(const Node& node, std::int32_t lines);

    ReportView& view_;
    SectionTree& tree_;
    Refresh refresh_;
    DocumentBuilder builder_;
    // The RTF after the prolog, UTF-8 as the primitives were given it.
    std::string markup_;
    bool started_ = false;
    bool keepRtf_ = true;
    bool clearTree_ = false;
    std::vector<Node> pending_;
    // Each placed node's tag and the paragraph a click brings to the top.
    std::vector<std::pair<std::string, std::int32_t>> targets_;
    std::int32_t completeSections_ = 0; // keys "F1", "F2", ... of the complete decode's sections
    std::string escapedLabel_;             // kept for the whole report: no allocation per line
    std::string escapedValue_;
};

} // namespace tessarin
