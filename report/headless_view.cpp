#include "headless_view.h"

#include <algorithm>

namespace tessarin {

void HeadlessReportView::SetDocument(const std::string& rtf)
{
    ++setDocumentCalls_;
    document_ = ReadRtf(rtf);
    lineStarts_.clear();
    std::int32_t start = 0;
    for (const RtfParagraph& paragraph : document_.paragraphs) {
        lineStarts_.push_back(start);
        start += paragraph.Length() + 1; // the paragraph mark
    }
    textLength_ = start - 1; // the last paragraph has no mark of its own
    selectionStart_ = 0;
    selectionLength_ = 0;
}

std::int32_t HeadlessReportView::LineCount() const
{
    return static_cast<std::int32_t>(lineStarts_.size());
}

std::int32_t HeadlessReportView::FirstCharOfLine(std::int32_t line) const
{
    if (line < 0 || line >= LineCount())
        return -1;
    return lineStarts_[static_cast<std::size_t>(line)];
}

void HeadlessReportView::Select(std::int32_t start, std::int32_t length)
{
    // As a rich-text control does: both ends clamped to the text.
    selectionStart_ = std::clamp(start, 0, textLength_);
    selectionLength_ = std::clamp(length, 0, textLength_ - selectionStart_);
}

std::int32_t HeadlessReportView::PlainTextLength() const
{
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
