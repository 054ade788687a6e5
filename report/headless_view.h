#pragma once
// The pane and the tree without a screen: one display line per paragraph, no
// wrapping. The command-line tool and the tests drive the report through them.
#include "report_view.h"
#include "document_model.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tessarin {

class HeadlessReportView final : public ReportView {
public:
    void SetDocument(const DocumentModel& document) override;
    std::int32_t LineCount() const override;
    std::int32_t FirstCharOfLine(std::int32_t line) const override;
    void Select(std::int32_t start, std::int32_t length) override;
    std::int32_t PlainTextLength() const override;
    std::int32_t LinesOfParagraphs(std::int32_t paragraphs) const override;

    // The document last set: the view shows its owner's model, which must
    // outlive the view's use of it, as a pane shows its control's text.
    const DocumentModel& Document() const noexcept { return *document_; }
    std::int32_t SelectionStart() const noexcept { return selectionStart_; }
    std::int32_t SelectionLength() const noexcept { return selectionLength_; }
    // How often the content was replaced (the cost the writer saves).
    std::int32_t SetDocumentCalls() const noexcept { return setDocumentCalls_; }

private:
    const DocumentModel* document_ = &kEmpty; // one empty line, as an empty pane has
    static const DocumentModel kEmpty;
    void CountCharacters() const;

    std::int32_t lineCount_ = 1;
    mutable std::vector<std::int32_t> lineStarts_;
    mutable std::int32_t textLength_ = 0;
    std::int32_t selectionStart_ = 0;
    std::int32_t selectionLength_ = 0;
    std::int32_t setDocumentCalls_ = 0;
};

class HeadlessSectionTree final : public SectionTree {
public:
    struct Node {
        std::string key;
        std::string text;
        std::string tag;
        bool bold = false;
        std::string parentKey;
        bool expanded = false;
    };

    void Clear() override;
    bool AddNode(const std::string& key, const std::string& text, const std::string& tag,
                 bool bold, const std::string& parentKey) override;
    void EnsureVisible(const std::string& key) override;

    // In the order they were added.
    const std::vector<Node>& Nodes() const noexcept { return nodes_; }
    const Node* Find(const std::string& key) const;
    // The key of the node last scrolled into view, "" when none.
    const std::string& VisibleKey() const noexcept { return visibleKey_; }

private:
    std::vector<Node> nodes_;
    std::string visibleKey_;
};

} // namespace tessarin
