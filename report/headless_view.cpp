#include "headless_view.h"

#include <algorithm>

namespace tessarin {

const DocumentModel HeadlessReportView::kEmpty = EmptyDocument();

void HeadlessReportView::SetDocument(const DocumentModel& document)
{
    ++setDocumentCalls_;
    document_ = &document;
    lineCount_ = static_cast<std::int32_t>(document.paragraphs.size());
    lineStarts_.clear(); // counted when first asked for: most reports never are
    selectionStart_ = 0;
    selectionLength_ = 0;
}

void HeadlessReportView::CountCharacters() const
{
    if (!lineStarts_.empty())
        return;
    std::int32_t start = 0;
    for (std::int32_t line = 0; line < lineCount_; ++line) {
        lineStarts_.push_back(start);
        start += document_->Length(document_->paragraphs[static_cast<std::size_t>(line)]) + 1; // the paragraph mark
    }
    textLength_ = start - 1; // the last paragraph has no mark of its own
}

std::int32_t HeadlessReportView::LineCount() const
{
    return lineCount_;
}

std::int32_t HeadlessReportView::FirstCharOfLine(std::int32_t line) const
{
    if (line < 0 || line >= LineCount())
        return -1;
    CountCharacters();
    return lineStarts_[static_cast<std::size_t>(line)];
}

void HeadlessReportView::Select(std::int32_t start, std::int32_t length)
{
    // As a rich-text control does: both ends clamped to the text.
    CountCharacters();
    selectionStart_ = std::clamp(start, 0, textLength_);
    selectionLength_ = std::clamp(length, 0, textLength_ - selectionStart_);
}

std::int32_t HeadlessReportView::PlainTextLength() const
{
    CountCharacters();
    return textLength_;
}

std::int32_t HeadlessReportView::LinesOfParagraphs(std::int32_t paragraphs) const
{
    return std::clamp(paragraphs, 0, LineCount());
}

void HeadlessSectionTree::Clear()
{
    nodes_.clear();
    visibleKey_.clear();
}

bool HeadlessSectionTree::AddNode(const std::string& key, const std::string& text,
                                  const std::string& tag, bool bold, const std::string& parentKey)
{
    if (Find(key) != nullptr || (!parentKey.empty() && Find(parentKey) == nullptr))
        return false;
    nodes_.push_back(Node{key, text, tag, bold, parentKey, false});
    return true;
}

void HeadlessSectionTree::EnsureVisible(const std::string& key)
{
    if (Find(key) == nullptr)
        return;
    visibleKey_ = key;
    for (std::string parent = Find(key)->parentKey; !parent.empty();) {
        auto it = std::find_if(nodes_.begin(), nodes_.end(),
                               [&](const Node& node) { return node.key == parent; });
        it->expanded = true;
        parent = it->parentKey;
    }
}

const HeadlessSectionTree::Node* HeadlessSectionTree::Find(const std::string& key) const
{
    auto it = std::find_if(nodes_.begin(), nodes_.end(), [&](const Node& node) { return node.key == key; });
    return it == nodes_.end() ? nullptr : &*it;
}

} // namespace tessarin
