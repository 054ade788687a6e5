#include "document_builder.h"

#include "rtf_encoding.h"

#include <algorithm>
#include <array>
#include <limits>

namespace tessarin {
namespace {

constexpr std::int32_t kMaxUnicodeSkip = 16;

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

} // namespace

void DocumentBuilder::Start(const DocumentModel& prolog, const CharFormat& format, ParagraphAlignment alignment)
{
    // Room for a long report, so that the document is not moved as it grows.
    document_.paragraphs.clear();
    document_.paragraphs.reserve(512);
    document_.paragraphs.insert(document_.paragraphs.end(), prolog.paragraphs.begin(), prolog.paragraphs.end());
    document_.runs.clear();
    document_.runs.reserve(1024);
    document_.runs.insert(document_.runs.end(), prolog.runs.begin(), prolog.runs.end());
    document_.text.clear();
    document_.text.reserve(16384);
    document_.text += prolog.text;
    document_.fonts = prolog.fonts;
    document_.pictures = prolog.pictures;
    format_ = format;
    alignment_ = alignment;
    tabStops_.clear();
    unicodeSkip_ = 1;
    pendingSkip_ = 0;
}

void DocumentBuilder::EndParagraph()
{
    pendingSkip_ = 0;
    TakeParagraphProperties();
    document_.AddParagraph();
}

void DocumentBuilder::ResetParagraph()
{
    alignment_ = ParagraphAlignment::Left;
    tabStops_.clear();
}

const DocumentModel& DocumentBuilder::Document()
{
    // A last paragraph with text has the properties in force now, as if it
    // ended here; an empty one those the document's closing brace restores,
    // the ones in force before its opening brace: the defaults.
    TextParagraph& last = document_.paragraphs.back();
    if (last.firstRun == last.endRun) {
        last.alignment = ParagraphAlignment::Left;
        last.tabStops.clear();
        last.mark = CharFormat{};
    } else {
        TakeParagraphProperties();
    }
    return document_;
}

void DocumentBuilder::TakeParagraphProperties()
{
    TextParagraph& paragraph = document_.paragraphs.back();
    paragraph.alignment = alignment_;
    paragraph.mark = format_;
    paragraph.tabStops = tabStops_;
}

bool DocumentBuilder::Skipping()
{
    if (pendingSkip_ == 0)
        return false;
    --pendingSkip_;
    return true;
}

void DocumentBuilder::AppendText(std::string_view utf8)
{
    document_.AppendText(format_, utf8);
}

void DocumentBuilder::TabAndWrite(std::string_view rtf)
{
    // Most texts need no reading at all: one run with its tab, at once. So
    // do the rows of a raw dump, which end in a tab of their own.
    static constexpr std::string_view kTab = "\\tab ";
    if (pendingSkip_ == 0) {
        const std::size_t end = PlainTextEnd(rtf, 0);
        if (end == rtf.size()) {
            document_.AppendText(format_, '\t', rtf);
            return;
        }
        if (end + kTab.size() == rtf.size() && rtf.ends_with(kTab)) {
            document_.AppendText(format_, '\t', rtf.substr(0, end));
            Tab();
            return;
        }
    }
    Tab();
    Write(rtf);
}

void DocumentBuilder::Write(std::string_view rtf)
{
    std::size_t pos = 0;
    while (pos < rtf.size()) {
        // Printable ASCII without escapes, the most of every text, is taken
        // a stretch at a time.
        if (pendingSkip_ == 0) {
            const std::size_t end = PlainTextEnd(rtf, pos);
            if (end != pos) {
                AppendText(rtf.substr(pos, end - pos));
                pos = end;
                continue;
            }
        }
        const char c = rtf[pos];
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\') {
            ControlWord(rtf, ++pos);
        } else if (c == '{' || c == '}') {
            // Group marks, which the writer's texts do not use, are not text.
            pendingSkip_ = 0;
            ++pos;
        } else if (byte < 0x20 && c != '\t') {
            ++pos; // line ends and other raw control bytes are not text either
        } else if (byte < 0x80) {
            ++pos;
            if (!Skipping())
                AppendText(c == 0x7F ? "?" : std::string_view(&rtf[pos - 1], 1));
        } else {
            std::string shown;
            pos = AppendShownCharacter(rtf, pos, shown);
            if (!Skipping())
                AppendText(shown);
        }
    }
}

void DocumentBuilder::ControlWord(std::string_view rtf, std::size_t& pos)
{
    if (pos >= rtf.size())
        return;
    const char first = rtf[pos];
    if (!IsLetter(first)) {
        ++pos;
        std::string text;
        switch (first) {
        case '\'': {
            const int byte = ReadRtfHexByte(rtf, pos);
            if (byte >= 0 && !Skipping())
                AppendShownByte(static_cast<std::uint8_t>(byte), text);
            break;
        }
        case '\\':
        case '{':
        case '}':
            if (!Skipping())
                text.push_back(first);
            break;
        case '~':
            if (!Skipping())
                text = "\u00A0";
            break;
        case '_':
            if (!Skipping())
                text.push_back('-');
            break;
        case '\r':
        case '\n':
            EndParagraph();
            break;
        default:
            break;
        }
        if (!text.empty())
            AppendText(text);
        return;
    }
    const auto [name, hasParameter, parameter] = ReadRtfControlWord(rtf, pos);
    const bool on = !hasParameter || parameter != 0;
    if (name == "par") {
        EndParagraph();
    } else if (name == "tab") {
        if (!Skipping())
            Tab();
    } else if (name == "pard") {
        ResetParagraph();
    } else if (name == "plain") {
        format_ = CharFormat{};
    } else if (name == "b") {
        format_.bold = on;
    } else if (name == "i") {
        format_.italic = on;
    } else if (name == "ul") {
        format_.underline = on;
    } else if (name == "ulnone") {
        format_.underline = false;
    } else if (name == "f") {
        format_.font = parameter;
    } else if (name == "fs") {
        format_.halfPoints = parameter;
    } else if (name == "ql") {
        alignment_ = ParagraphAlignment::Left;
    } else if (name == "qc") {
        alignment_ = ParagraphAlignment::Centre;
    } else if (name == "qr") {
        alignment_ = ParagraphAlignment::Right;
    } else if (name == "qj") {
        alignment_ = ParagraphAlignment::Justified;
    } else if (name == "tx") {
        AddTabStop(parameter);
    } else if (name == "uc") {
        unicodeSkip_ = std::clamp(parameter, 0, kMaxUnicodeSkip);
    } else if (name == "u") {
        char32_t c = static_cast<char32_t>(std::clamp(parameter < 0 ? parameter + 65536 : parameter, 0, 0xFFFF));
        if (!Skipping()) {
            // A control character would split the text's lines; a lone
            // surrogate is no character.
            if (c != U'\t' && (c < 0x20 || c == 0x7F || (c >= 0x80 && c <= 0x9F)))
                c = U'?';
            else if (c >= 0xD800 && c <= 0xDFFF)
                c = 0xFFFD;
            std::string text;
            AppendUtf8(c, text);
            AppendText(text);
        }
        pendingSkip_ = unicodeSkip_;
    }
}

} // namespace tessarin
