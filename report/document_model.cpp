#include "document_model.h"

#include <cstring>

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
    std::string plain(PlainTextBound(), '\n');
    auto size = PlainTextInto(plain);
    if (!size) {
        std::size_t needed = 0;
        for (const TextParagraph& paragraph : paragraphs)
            needed += Text(paragraph).size() + 1;
        plain.resize(needed);
        size = PlainTextInto(plain);
    }
    plain.resize(size.value_or(0));
    return plain;
}

std::optional<std::size_t> DocumentModel::PlainTextInto(std::span<char> out) const
{
    // A report is a few hundred short paragraphs: what each costs beyond
    // its copy is most of the total. Appending makes each paragraph's text
    // start where the one before it ended, so where each ends is all that
    // is needed; a model made otherwise is taken paragraph by paragraph.
    if (out.size() >= PlainTextBound()) {
        char* at = out.data();
        std::uint32_t from = 0;
        bool follows = true;
        for (const TextParagraph& paragraph : paragraphs) {
            if (paragraph.firstRun != paragraph.endRun) {
                const std::uint32_t to = runs[paragraph.endRun - 1].end;
                follows = runs[paragraph.firstRun].begin == from && to >= from && to <= text.size();
                if (!follows)
                    break;
                std::memcpy(at, text.data() + from, to - from);
                at += to - from;
                from = to;
            }
            *at++ = '\n';
        }
        if (follows)
            return static_cast<std::size_t>(at - out.data());
    }
    char* at = out.data();
    std::size_t room = out.size();
    for (const TextParagraph& paragraph : paragraphs) {
        const std::string_view line = Text(paragraph);
        if (room <= line.size())
            return std::nullopt;
        at = std::copy(line.begin(), line.end(), at);
        *at++ = '\n';
        room -= line.size() + 1;
    }
    return out.size() - room;
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
