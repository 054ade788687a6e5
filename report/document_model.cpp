#include "document_model.h"

namespace tessarin {

std::string TextParagraph::Text() const
{
    std::string text;
    for (const TextRun& run : runs)
        text += run.text;
    return text;
}

std::int32_t TextParagraph::Length() const
{
    std::int32_t length = 0;
    for (const TextRun& run : runs) {
        if (run.picture >= 0)
            ++length;
        for (const char c : run.text)
            if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
                ++length;
    }
    return length;
}

std::string DocumentModel::PlainText() const
{
    std::size_t size = 0;
    for (const TextParagraph& paragraph : paragraphs) {
        for (const TextRun& run : paragraph.runs)
            size += run.text.size();
        ++size;
    }
    std::string text;
    text.reserve(size);
    for (const TextParagraph& paragraph : paragraphs) {
        for (const TextRun& run : paragraph.runs)
            text += run.text;
        text += '\n';
    }
    return text;
}

DocumentModel EmptyDocument()
{
    DocumentModel document;
    document.paragraphs.emplace_back();
    return document;
}

} // namespace tessarin
