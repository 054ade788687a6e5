#pragma once
// Fills a DocumentModel as the report is written: the writer sets paragraph
// and character properties directly, and the texts it is given (labels and
// values, which may carry the document's escapes and a few control words)
// are read here, so that the model holds exactly what the RTF document says.
#include "document_model.h"

#include <cstdint>
#include <string_view>

namespace tessarin {

class DocumentBuilder {
public:
    // Starts over from `prolog`, whose last paragraph is still open, with
    // the properties in force at its end.
    void Start(const DocumentModel& prolog, const CharFormat& format, ParagraphAlignment alignment);

    // A paragraph end: the open paragraph takes the properties in force and
    // a new one opens.
    void EndParagraph();
    // Back to a left-aligned paragraph without tab stops.
    void ResetParagraph();
    void SetAlignment(ParagraphAlignment alignment) { alignment_ = alignment; }
    // More than TabStops::kCapacity are not kept.
    void AddTabStop(std::int32_t twips) { tabStops_.push_back(twips); }
    CharFormat& Format() { return format_; }
    void Tab() { AppendText("\t"); }
    // A tab, then Write(rtf).
    void TabAndWrite(std::string_view rtf);
    // A tab, then `text`, which holds nothing Write would read as markup
    // (NeedsNoRtfEscape): what Write would make of it, without reading it.
    void TabAndAppend(std::string_view text) { document_.AppendText(format_, '\t', text); }
    void Append(std::string_view text) { AppendText(text); }

    // Reads a text of the document: characters, \'hh, \uN, escaped "\", "{"
    // and "}", and the control words the writer's own markup uses. Other
    // control words and groups are not text and are passed over.
    void Write(std::string_view rtf);

    // The model as it stands; a last paragraph without text has the
    // default properties, as the document's end gives it.
    const DocumentModel& Document();
    std::int32_t ParagraphCount() const { return static_cast<std::int32_t>(document_.paragraphs.size()); }

private:
    void AppendText(std::string_view utf8);
    void ControlWord(std::string_view rtf, std::size_t& pos);
    void TakeParagraphProperties();
    bool Skipping();

    DocumentModel document_ = EmptyDocument();
    CharFormat format_;
    ParagraphAlignment alignment_ = ParagraphAlignment::Left;
    TabStops tabStops_;
    std::int32_t unicodeSkip_ = 1;
    std::int32_t pendingSkip_ = 0;
};

} // namespace tessarin
