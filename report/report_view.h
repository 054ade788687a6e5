#pragma once
// What the report writer needs from the window: a rich-text pane and a tree
// of sections. The window implements them with its widgets; the command-line
// tool and the tests use the headless ones (headless_view.h).
#include "document_model.h"

#include <cstdint>
#include <string>

namespace tessarin {

class ReportView {
public:
    virtual ~ReportView() = default;

    // Replaces the whole content by `document`.
    virtual void SetDocument(const DocumentModel& document) = 0;
    // Display lines, counted from 0 (an empty document has one).
    virtual std::int32_t LineCount() const = 0;
    // Character index of the first character of display line `line`, or -1
    // when there is no such line.
    virtual std::int32_t FirstCharOfLine(std::int32_t line) const = 0;
    virtual void Select(std::int32_t start, std::int32_t length) = 0;
    virtual std::int32_t PlainTextLength() const = 0;
    // The display lines the first `paragraphs` paragraphs take, as laid out
    // now. Every primitive of the writer starts with a paragraph end, so this
    // is the line count the view had when those paragraphs were the whole
    // document; the writer takes its section tags from it after setting the
    // finished document once.
    virtual std::int32_t LinesOfParagraphs(std::int32_t paragraphs) const = 0;
};

class SectionTree {
public:
    virtual ~SectionTree() = default;

    virtual void Clear() = 0;
    // Adds a node under `parentKey` ("" for a top-level node). Returns false,
    // adding nothing, when the key is taken or the parent does not exist.
    virtual bool AddNode(const std::string& key, const std::string& text, const std::string& tag,
                         bool bold, const std::string& parentKey) = 0;
    // Expands the node's parents and scrolls the tree to it.
    virtual void EnsureVisible(const std::string& key) = 0;
    // False for a tree nobody will see: the writer then makes no nodes at
    // all, and a click finds no section.
    virtual bool Shown() const { return true; }
};

} // namespace tessarin
