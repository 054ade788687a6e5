#include "rtf_reader.h"

#include "layout_text.h"
#include "rtf_encoding.h"

#include <algorithm>
#include <cstddef>
#include <limits>
#include <unordered_map>

namespace tessarin {
namespace {

// Deeper groups are still matched, but share their parent's properties, so
// a file of a million "{" cannot make a million copies of the state.
constexpr std::size_t kMaxDepth = 256;
constexpr std::int32_t kMaxUnicodeSkip = 16;
// A font table may name any number of fonts; these bound what it costs.
constexpr std::size_t kMaxFonts = 1024;
constexpr std::size_t kMaxFontName = 256;

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsSkippedDestination(std::string_view name)
{
    static constexpr std::string_view kSkipped[] = {
        "fonttbl", "colortbl", "stylesheet", "info", "generator", "header", "footer",
        "headerl", "headerr", "footerl", "footerr", "footnote", "listtable",
        "listoverridetable", "rsidtbl", "themedata", "colorschememapping",
        "datastore", "latentstyles", "xmlnstbl", "objdata", "objclass", "fldinst"};
    return std::find(std::begin(kSkipped), std::end(kSkipped), name) != std::end(kSkipped);
}

class Reader {
public:
    explicit Reader(std::string_view rtf)
        : rtf_(rtf)
    {
        states_.push_back(State{});
    }

    DocumentModel Read()
    {
        while (pos_ < rtf_.size()) {
            const char c = rtf_[pos_++];
            if (c == '{')
                OpenGroup();
            else if (c == '}')
                CloseGroup();
            else if (c == '\\')
                Control();
            else if (c == '\t')
                Text(U'\t');
            else if (static_cast<unsigned char>(c) >= 0x20)
                Byte(static_cast<std::uint8_t>(c));
            // Line ends and other raw control bytes are not text in RTF.
        }
        EndParagraph(/*closedByPar=*/false);
        return std::move(document_);
    }

private:
    struct State {
        CharFormat format;
        ParagraphAlignment alignment = ParagraphAlignment::Left;
        TabStops tabStops;
        bool skip = false;
        std::int32_t unicodeSkip = 1;
        // Inside the font table (not one of its own destinations): text
        // names fonts.
        bool fontTable = false;
        // Inside a picture: text is its hexadecimal data.
        std::int32_t picture = -1;
    };

    State& Current() { return states_.back(); }

    void OpenGroup()
    {
        pendingSkip_ = 0;
        if (states_.size() < kMaxDepth)
            states_.push_back(Current());
        else
            ++overflowDepth_;
    }

    void CloseGroup()
    {
        pendingSkip_ = 0;
        if (overflowDepth_ > 0) {
            --overflowDepth_;
            return;
        }
        // An entry may end with its group instead of a ";".
        if (Current().fontTable)
            CommitFont();
        if (states_.size() > 1)
            states_.pop_back();
    }

    void Control()
    {
        if (pos_ >= rtf_.size())
            return;
        const char c = rtf_[pos_];
        if (IsLetter(c)) {
            Word(ReadRtfControlWord(rtf_, pos_));
            return;
        }
        ++pos_;
        switch (c) {
        case '\'': {
            if (const int byte = ReadRtfHexByte(rtf_, pos_); byte >= 0)
                Byte(static_cast<std::uint8_t>(byte));
            break;
        }
        case '\\':
        case '{':
        case '}':
            Byte(static_cast<std::uint8_t>(c));
            break;
        case '*':
            IgnoreDestination();
            break;
        case '~':
            Text(0xA0);
            break;
        case '_':
            Text(U'-');
            break;
        case '\r':
        case '\n': // a backslash before a line end is a paragraph end
            if (!Current().skip)
                EndParagraph(true);
            break;
        default: // \- (optional hyphen) and symbols we do not show
            break;
        }
    }

    void Word(const RtfControlWord& word)
    {
        State& s = Current();
        const std::string_view name = word.name;
        const bool on = !word.hasParameter || word.parameter != 0;
        if (s.fontTable && FontTableWord(word))
            return;
        if (s.picture >= 0 && PictureWord(word))
            return;
        if (name == "par") {
            if (!s.skip)
                EndParagraph(true);
        } else if (name == "tab") {
            Text(U'\t');
        } else if (name == "pard") {
            s.alignment = ParagraphAlignment::Left;
            s.tabStops.clear();
        } else if (name == "plain") {
            s.format = CharFormat{};
        } else if (name == "b") {
            s.format.bold = on;
        } else if (name == "i") {
            s.format.italic = on;
        } else if (name == "ul") {
            s.format.underline = on;
        } else if (name == "ulnone") {
            s.format.underline = false;
        } else if (name == "f") {
            s.format.font = word.parameter;
        } else if (name == "fs") {
            s.format.halfPoints = word.parameter;
        } else if (name == "ql") {
            s.alignment = ParagraphAlignment::Left;
        } else if (name == "qc") {
            s.alignment = ParagraphAlignment::Centre;
        } else if (name == "qr") {
            s.alignment = ParagraphAlignment::Right;
        } else if (name == "qj") {
            s.alignment = ParagraphAlignment::Justified;
        } else if (name == "tx") {
            if (!s.skip)
                s.tabStops.push_back(word.parameter);
        } else if (name == "uc") {
            s.unicodeSkip = std::clamp(word.parameter, 0, kMaxUnicodeSkip);
        } else if (name == "u") {
            std::int32_t code = word.parameter;
            if (code < 0)
                code += 65536;
            Text(static_cast<char32_t>(std::clamp(code, 0, 0xFFFF)));
            pendingSkip_ = s.unicodeSkip;
        } else if (name == "bin") {
            const auto length = static_cast<std::size_t>(std::max(word.parameter, 0));
            pos_ += std::min(length, rtf_.size() - pos_);
        } else if (name == "pict") {
            if (!s.skip)
                StartPicture();
            s.skip = true; // the picture's data is not text
        } else if (name == "fonttbl") {
            s.fontTable = !s.skip;
            s.skip = true;
        } else if (IsSkippedDestination(name)) {
            IgnoreDestination();
        }
    }

    // A destination whose text is neither document text, nor font names,
    // nor picture data.
    void IgnoreDestination()
    {
        State& s = Current();
        s.skip = true;
        s.fontTable = false;
        s.picture = -1;
    }

    bool FontTableWord(const RtfControlWord& word)
    {
        const std::string_view name = word.name;
        if (name == "f") {
            CommitFont();
            pendingFont_ = FontEntry{};
            pendingFont_.number = word.parameter;
            fontOpen_ = true;
        } else if (name == "fprq") {
            pendingFont_.pitch = word.parameter;
        } else if (name == "fnil" || name == "froman" || name == "fswiss" || name == "fmodern" ||
                   name == "fscript" || name == "fdecor" || name == "ftech" || name == "fbidi") {
            pendingFont_.family = std::string(name.substr(1));
        } else {
            return false;
        }
        return true;
    }

    void FontNameByte(std::uint8_t byte)
    {
        if (byte == ';')
            CommitFont();
        else if (fontOpen_ && byte >= 0x20 && pendingFont_.name.size() < kMaxFontName)
            AppendWindows1252AsUtf8(byte, pendingFont_.name);
    }

    // The first definition of a number counts.
    void CommitFont()
    {
        if (!fontOpen_)
            return;
        fontOpen_ = false;
        std::string& name = pendingFont_.name;
        const auto first = name.find_first_not_of(' ');
        name = first == std::string::npos ? std::string() : name.substr(first, name.find_last_not_of(' ') - first + 1);
        if (document_.fonts.size() >= kMaxFonts || fontIndex_.count(pendingFont_.number) != 0)
            return;
        fontIndex_.emplace(pendingFont_.number, document_.fonts.size());
        document_.fonts.push_back(std::move(pendingFont_));
    }

    void StartPicture()
    {
        TakeParagraphProperties();
        State& s = Current();
        s.picture = static_cast<std::int32_t>(document_.pictures.size());
        document_.pictures.emplace_back();
        document_.AppendPicture(s.format, s.picture);
        document_.paragraphs.back().picture = true;
        highNibble_ = -1;
    }

    bool PictureWord(const RtfControlWord& word)
    {
        PictureData& picture = document_.pictures[static_cast<std::size_t>(Current().picture)];
        const std::string_view name = word.name;
        if (name == "pngblip") {
            picture.png = true;
        } else if (name == "picw") {
            picture.width = word.parameter;
        } else if (name == "pich") {
            picture.height = word.parameter;
        } else if (name == "picwgoal") {
            picture.widthGoal = word.parameter;
        } else if (name == "pichgoal") {
            picture.heightGoal = word.parameter;
        } else if (name == "bin") {
            const auto length =
                std::min(static_cast<std::size_t>(std::max(word.parameter, 0)), rtf_.size() - pos_);
            picture.data.append(rtf_.substr(pos_, length));
            pos_ += length;
        } else {
            return false;
        }
        return true;
    }

    void PictureByte(std::uint8_t byte)
    {
        const int value = layouts::HexDigit(static_cast<char>(byte));
        if (value < 0)
            return; // blanks between the digits
        if (highNibble_ < 0) {
            highNibble_ = value;
            return;
        }
        document_.pictures[static_cast<std::size_t>(Current().picture)].data.push_back(
            static_cast<char>(highNibble_ * 16 + value));
        highNibble_ = -1;
    }

    // One byte of document text in the Windows-1252 code page.
    void Byte(std::uint8_t byte)
    {
        if (Current().fontTable)
            return FontNameByte(byte);
        if (Current().picture >= 0)
            return PictureByte(byte);
        if (Skipping())
            return;
        if (byte < 0x20 || byte == 0x7F || (byte >= 0x80 && byte <= 0x9F && IsUnassigned(byte))) {
            Append("?");
            return;
        }
        std::string utf8;
        AppendWindows1252AsUtf8(byte, utf8);
        Append(utf8);
    }

    void Text(char32_t c)
    {
        if (Skipping())
            return;
        // A control character would split the text's lines; tabs are the
        // report's own column separators and stay.
        if (c != U'\t' && (c < 0x20 || c == 0x7F || (c >= 0x80 && c <= 0x9F))) {
            Append("?");
            return;
        }
        if (c >= 0xD800 && c <= 0xDFFF)
            c = 0xFFFD;
        std::string utf8;
        AppendUtf8(c, utf8);
        Append(utf8);
    }

    static bool IsUnassigned(std::uint8_t byte)
    {
        return byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
    }

    // Characters that follow \uN stand in for it in older readers; skip them.
    bool Skipping()
    {
        if (Current().skip)
            return true;
        if (pendingSkip_ > 0) {
            --pendingSkip_;
            return true;
        }
        return false;
    }

    void Append(std::string_view utf8)
    {
        // Kept with the text, for a last paragraph that the closing brace of
        // the document ends instead of a \par.
        TakeParagraphProperties();
        const CharFormat& format = Current().format;
        document_.AppendText(format, utf8);
    }

    void TakeParagraphProperties()
    {
        TextParagraph& paragraph = document_.paragraphs.back();
        paragraph.alignment = Current().alignment;
        paragraph.mark = Current().format;
        paragraph.tabStops = Current().tabStops;
    }

    void EndParagraph(bool closedByPar)
    {
        pendingSkip_ = 0;
        const TextParagraph& paragraph = document_.paragraphs.back();
        if (closedByPar || paragraph.firstRun == paragraph.endRun)
            TakeParagraphProperties();
        if (closedByPar)
            document_.AddParagraph(); // the last one stays as the document's end leaves it
    }

    std::string_view rtf_;
    std::size_t pos_ = 0;
    std::vector<State> states_;
    std::size_t overflowDepth_ = 0;
    std::int32_t pendingSkip_ = 0;
    FontEntry pendingFont_;
    bool fontOpen_ = false;
    std::unordered_map<std::int32_t, std::size_t> fontIndex_;
    int highNibble_ = -1;
    DocumentModel document_ = EmptyDocument(); // its last paragraph is the open one
};

} // namespace

DocumentModel ReadRtf(std::string_view rtf)
{
    return Reader(rtf).Read();
}

} // namespace tessarin
