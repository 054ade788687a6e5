#include "rtf_range.h"

#include "rtf_encoding.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace tessarin {
namespace {

// Length in bytes of the UTF-8 sequence that starts with `lead`; the model
// holds only well-formed text, so a stray byte simply counts as one.
std::size_t SequenceLength(unsigned char lead)
{
    if (lead >= 0xF0)
        return 4;
    if (lead >= 0xE0)
        return 3;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

char32_t DecodeUtf8(std::string_view bytes)
{
    const auto lead = static_cast<unsigned char>(bytes[0]);
    if (bytes.size() == 1)
        return lead;
    char32_t c = lead & (0x3Fu >> (bytes.size() - 1));
    for (std::size_t i = 1; i < bytes.size(); ++i)
        c = (c << 6) | (static_cast<unsigned char>(bytes[i]) & 0x3Fu);
    return c;
}

// The characters [from, to) of a run's UTF-8 text, counted in characters.
std::string_view SliceCharacters(std::string_view text, std::int32_t from, std::int32_t to)
{
    std::size_t pos = 0;
    std::size_t begin = text.size();
    std::size_t end = text.size();
    for (std::int32_t index = 0; pos < text.size(); ++index) {
        if (index == from)
            begin = pos;
        if (index == to) {
            end = pos;
            break;
        }
        pos += SequenceLength(static_cast<unsigned char>(text[pos]));
    }
    return begin >= end ? std::string_view() : text.substr(begin, end - begin);
}

std::int32_t CharacterCount(std::string_view text)
{
    std::int32_t count = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++count;
    return count;
}

void AppendHexByte(std::uint8_t byte, std::string& out)
{
    static constexpr char kHex[] = "0123456789abcdef";
    out += kHex[byte >> 4];
    out += kHex[byte & 0xF];
}

// Text as RTF: markup characters escaped, everything outside printable ASCII
// as its Windows-1252 byte, or as \uN with "?" for older readers.
void AppendText(std::string_view utf8, std::string& out)
{
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::size_t length =
            std::min(SequenceLength(static_cast<unsigned char>(utf8[pos])), utf8.size() - pos);
        const std::string_view sequence = utf8.substr(pos, length);
        pos += length;
        const char32_t c = DecodeUtf8(sequence);
        if (c == U'\\' || c == U'{' || c == U'}') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == U'\t') {
            out += "\\tab ";
        } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else if (const std::string byte = Utf8ToWindows1252(sequence); byte != "?") {
            out += "\\'";
            AppendHexByte(static_cast<std::uint8_t>(byte[0]), out);
        } else {
            // \uN takes a signed 16-bit number.
            const auto code = static_cast<std::int32_t>(std::min<char32_t>(c, 0xFFFD));
            out += "\\u" + std::to_string(code > 32767 ? code - 65536 : code) + "?";
        }
    }
}

void AppendFormat(const CharFormat& format, std::string& out)
{
    out += "\\plain\\f" + std::to_string(format.font) + "\\fs" + std::to_string(format.halfPoints);
    if (format.bold)
        out += "\\b";
    if (format.italic)
        out += "\\i";
    if (format.underline)
        out += "\\ul";
    out += ' ';
}

void AppendParagraphProperties(const TextParagraph& paragraph, std::string& out)
{
    out += "\\pard";
    switch (paragraph.alignment) {
    case ParagraphAlignment::Left: break;
    case ParagraphAlignment::Centre: out += "\\qc"; break;
    case ParagraphAlignment::Right: out += "\\qr"; break;
    case ParagraphAlignment::Justified: out += "\\qj"; break;
    }
    for (const std::int32_t stop : paragraph.tabStops)
        out += "\\tx" + std::to_string(stop);
    out += ' ';
}

void AppendPicture(const PictureData& picture, std::string& out)
{
    out += "{\\pict";
    if (picture.png)
        out += "\\pngblip";
    out += "\\picw" + std::to_string(picture.width) + "\\pich" + std::to_string(picture.height) +
           "\\picwgoal" + std::to_string(picture.widthGoal) + "\\pichgoal" +
           std::to_string(picture.heightGoal) + ' ';
    for (const char byte : picture.data)
        AppendHexByte(static_cast<std::uint8_t>(byte), out);
    out += '}';
}

} // namespace

DocumentModel CopyRange(const DocumentModel& document, std::int32_t start, std::int32_t length)
{
    DocumentModel part;
    part.fonts = document.fonts;
    // The last paragraph has no end of its own to copy.
    std::int64_t textLength = -1;
    for (const TextParagraph& paragraph : document.paragraphs)
        textLength += document.Length(paragraph) + 1;
    const std::int64_t begin = std::clamp<std::int64_t>(start, 0, std::max<std::int64_t>(textLength, 0));
    const std::int64_t wantedEnd = std::min(begin + std::max(length, 0), textLength);

    bool open = false; // whether part's last paragraph takes what comes
    std::int64_t position = 0; // of the paragraph's first character
    for (const TextParagraph& paragraph : document.paragraphs) {
        const std::int64_t markPosition = position + document.Length(paragraph);
        if (markPosition >= begin && position < wantedEnd) {
            if (!open)
                part.AddParagraph();
            open = true;
            TextParagraph& current = part.paragraphs.back();
            current.alignment = paragraph.alignment;
            current.tabStops = paragraph.tabStops;
            current.mark = paragraph.mark;
            std::int64_t runStart = position;
            for (const TextRun& run : document.Runs(paragraph)) {
                const std::int32_t runLength = run.picture >= 0 ? 1 : CharacterCount(document.Text(run));
                const std::int64_t from = std::max<std::int64_t>(begin - runStart, 0);
                const std::int64_t to = std::min<std::int64_t>(wantedEnd - runStart, runLength);
                if (from < to) {
                    if (run.picture >= 0) {
                        part.AppendPicture(run.format, static_cast<std::int32_t>(part.pictures.size()));
                        part.pictures.push_back(document.pictures[static_cast<std::size_t>(run.picture)]);
                        part.paragraphs.back().picture = true;
                    } else {
                        part.AppendText(run.format, SliceCharacters(document.Text(run), static_cast<std::int32_t>(from),
                                                                    static_cast<std::int32_t>(to)));
                    }
                }
                runStart += runLength;
            }
            if (markPosition >= wantedEnd)
                break; // the range stops in this paragraph
            open = false;
        }
        position = markPosition + 1;
    }
    if (!open)
        part.AddParagraph();
    return part;
}

std::string WriteRtf(const DocumentModel& document)
{
    std::string out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl";
    for (const FontEntry& font : document.fonts) {
        out += "{\\f" + std::to_string(font.number);
        if (!font.family.empty())
            out += "\\f" + font.family;
        if (font.pitch != 0)
            out += "\\fprq" + std::to_string(font.pitch);
        out += ' ';
        AppendText(font.name, out);
        out += ";}";
    }
    out += "}\\uc1\n";
    for (std::size_t i = 0; i < document.paragraphs.size(); ++i) {
        const TextParagraph& paragraph = document.paragraphs[i];
        AppendParagraphProperties(paragraph, out);
        for (const TextRun& run : document.Runs(paragraph)) {
            AppendFormat(run.format, out);
            if (run.picture >= 0 && static_cast<std::size_t>(run.picture) < document.pictures.size())
                AppendPicture(document.pictures[static_cast<std::size_t>(run.picture)], out);
            else
                AppendText(document.Text(run), out);
        }
        if (i + 1 < document.paragraphs.size()) {
            // The paragraph end carries the size an empty line takes.
            AppendFormat(paragraph.mark, out);
            out += "\\par\n";
        }
    }
    out += '}';
    return out;
}

std::string PlainTextOf(const DocumentModel& document)
{
    std::string text;
    for (std::size_t i = 0; i < document.paragraphs.size(); ++i) {
        if (i > 0)
            text += '\n';
        text += document.Text(document.paragraphs[i]);
    }
    return text;
}

} // namespace tessarin
