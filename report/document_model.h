#pragma once
// The report as the writer builds it and every view shows it: paragraphs of
// formatted text runs, the fonts they name and the pictures they hold. The
// pane, the plain text, the clipboard and the printer all render from this.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessarin {

struct CharFormat {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    std::int32_t font = 0;
    std::int32_t halfPoints = 24; // font size in half points

    bool operator==(const CharFormat&) const = default;
};

enum class ParagraphAlignment : std::uint8_t { Left, Centre, Right, Justified };

// A run's text lies in DocumentModel::text, bytes [begin, end): one buffer
// for the whole document rather than a string per run, because a report has
// a few hundred runs and their allocations were most of its cost.
struct TextRun {
    CharFormat format;
    std::uint32_t begin = 0;
    std::uint32_t end = 0;
    // Index into DocumentModel::pictures when the run is a picture (its text
    // is then empty), -1 otherwise.
    std::int32_t picture = -1;
};

// An entry of the font table.
struct FontEntry {
    std::int32_t number = 0;
    std::string family;     // "swiss", "modern", ...
    std::int32_t pitch = 0; // 0 unknown, 1 fixed, 2 variable
    std::string name;       // UTF-8
};

struct PictureData {
    bool png = false;
    std::string data;            // the picture file's bytes
    std::int32_t width = 0;      // pixels
    std::int32_t height = 0;
    std::int32_t widthGoal = 0;  // twips on the page, 0 when not given
    std::int32_t heightGoal = 0;
};

// A paragraph's tab stops in twips, in the order given. Kept in place: a
// report has one paragraph in two with tab stops, never more than two.
class TabStops {
public:
    static constexpr std::size_t kCapacity = 8;

    bool push_back(std::int32_t twips)
    {
        if (size_ == kCapacity)
            return false;
        stops_[size_++] = twips;
        return true;
    }
    void clear() noexcept { size_ = 0; }
    bool empty() const noexcept { return size_ == 0; }
    std::size_t size() const noexcept { return size_; }
    const std::int32_t* begin() const noexcept { return stops_.data(); }
    const std::int32_t* end() const noexcept { return stops_.data() + size_; }
    bool operator==(const TabStops& other) const noexcept
    {
        return std::equal(begin(), end(), other.begin(), other.end());
    }

private:
    std::array<std::int32_t, kCapacity> stops_{};
    std::size_t size_ = 0;
};

// A paragraph's runs are DocumentModel::runs [firstRun, endRun).
struct TextParagraph {
    ParagraphAlignment alignment = ParagraphAlignment::Left;
    TabStops tabStops;
    bool picture = false;               // holds a picture
    std::uint32_t firstRun = 0;
    std::uint32_t endRun = 0;
    CharFormat mark{};                  // in force at the paragraph's end: an empty line's size
};

// Paragraphs, runs and text are only ever added at the end: the last
// paragraph is the open one, and its runs and their text are the last ones.
struct DocumentModel {
    // A document, even an empty one, has a paragraph: what shows an empty
    // line. Those who make a document see to that (EmptyDocument()).
    std::vector<TextParagraph> paragraphs;
    std::vector<TextRun> runs{};           // every paragraph's in turn
    std::string text{};                    // every run's text in turn, UTF-8; '\t' is a tab
    std::vector<FontEntry> fonts{};        // in table order, one entry per number
    std::vector<PictureData> pictures{};   // what picture runs point at

    std::span<const TextRun> Runs(const TextParagraph& paragraph) const
    {
        return std::span<const TextRun>(runs).subspan(paragraph.firstRun, paragraph.endRun - paragraph.firstRun);
    }
    std::string_view Text(const TextRun& run) const
    {
        return std::string_view(text).substr(run.begin, run.end - run.begin);
    }
    std::string_view Text(const TextParagraph& paragraph) const;
    // Characters as a rich-text control counts them: one per character,
    // one per picture, none for the paragraph end.
    std::int32_t Length(const TextParagraph& paragraph) const;
    // Every paragraph's text followed by "\n", the last one included.
    std::string PlainText() const;
    // The same into `out`: its size, or nullopt when it does not fit.
    // PlainTextBound() bytes are enough for a model built by appending, whose
    // paragraphs' texts follow each other in `text`.
    std::optional<std::size_t> PlainTextInto(std::span<char> out) const;
    std::size_t PlainTextBound() const { return text.size() + paragraphs.size(); }

    // Opens a new last paragraph, without runs.
    TextParagraph& AddParagraph();
    // Adds to the last paragraph: to its last run when that has the same
    // format and is no picture, else as a new run.
    void AppendText(const CharFormat& format, std::string_view utf8)
    {
        OpenRun(format);
        text.append(utf8);
        runs.back().end = static_cast<std::uint32_t>(text.size());
    }
    // The same for `first` followed by `utf8`: a tab and a label, say.
    void AppendText(const CharFormat& format, char first, std::string_view utf8)
    {
        OpenRun(format);
        text.push_back(first);
        text.append(utf8);
        runs.back().end = static_cast<std::uint32_t>(text.size());
    }
    void AppendPicture(const CharFormat& format, std::int32_t picture);

private:
    // Makes the last run one of `format` that text can be added to.
    void OpenRun(const CharFormat& format)
    {
        TextParagraph& paragraph = paragraphs.back();
        if (paragraph.firstRun != paragraph.endRun && runs.back().picture < 0 && runs.back().format == format)
            return;
        const auto end = static_cast<std::uint32_t>(text.size());
        runs.push_back(TextRun{format, end, end, -1});
        ++paragraph.endRun;
    }
};

// One empty paragraph, as an empty pane has.
DocumentModel EmptyDocument();

} // namespace tessarin
