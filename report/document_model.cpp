#include "document_model.h"

namespace tessarin {

std::string_view DocumentModel::Text(const TextParagraph& paragraph) const
{
    if (paragraph.firstRun == paragraph.endRun)
        return {};
    // A paragraph's runs are adjacent, and so are their texts.
    const std::uint32_t begin = runs[paragraph.firstRun].begin;
    return std::string_view(text).substr(begin, runs[paragraph.endRun - 1].end - begin);
}

std::int32_t DocumentModel::Length(const TextParagraph& paragraph) const
{
    std::int32_t length = 0;
    for (const TextRun& run : Runs(paragraph))
        if (run.picture >= 0)
            ++length;
    for (const char c : Text(paragraph))
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++length;
    return length;
}

std::string DocumentModel::PlainText() const
{
    std::string plain;
    plain.reserve(text.size() + paragraphs.size());
    for (const TextParagraph& paragraph : paragraphs) {
        plain += Text(paragraph);
        plain += '\n';
    }
    return plain;
}

TextParagraph& DocumentModel::AddParagraph()
{
    TextParagraph& paragraph = paragraphs.emplace_back();
    paragraph.firstRun = paragraph.endRun = static_cast<std::uint32_t>(runs.size());
    return paragraph;
}

void DocumentModel::AppendPicture(const CharFormat& format, std::int32_t picture)
{
    const auto end = static_cast<std::uint32_t>(text.size());
    runs.push_back(TextRun{format, end, end, picture});
    ++paragraphs.back().endRun;
}

DocumentModel EmptyDocument()
{
    DocumentModel document;
    document.paragraphs.emplace_back();
    return document;
}

} // namespace tessarin
