#pragma once
// Reads the RTF the report writes (and survives any other bytes): paragraphs
// of formatted text runs. The headless view counts lines with it, the
// command-line tool takes the report's plain text from it, and the window can
// build its text document from the same paragraphs.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessarin {

struct RtfCharFormat {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    std::int32_t font = 0;
    std::int32_t halfPoints = 24; // \fs: font size in half points

    bool operator==(const RtfCharFormat&) const = default;
};

enum class RtfAlignment { Left, Centre, Right, Justified };

struct RtfRun {
    RtfCharFormat format;
    std::string text; // UTF-8; a tab stands for \tab
};

struct RtfParagraph {
    RtfAlignment alignment = RtfAlignment::Left;
    std::vector<std::int32_t> tabStops; // twips, in the order given
    bool picture = false;               // holds a picture (shown, never read)
    std::vector<RtfRun> runs;

    std::string Text() const;
    // Characters as a rich-text control counts them: one per character,
    // one for the picture, none for the paragraph end.
    std::int32_t Length() const;
};

struct RtfDocument {
    // Never empty: the text after the last \par is a paragraph of its own.
    std::vector<RtfParagraph> paragraphs;

    // Every paragraph's text followed by "\n", the last one included.
    std::string PlainText() const;
};

// Understands groups, control words (with a numeric parameter and one
// delimiting blank), \'hh, \uN, escaped "\", "{" and "}", \tab, \par and the
// character and paragraph properties the report uses; skips \* destinations,
// font and colour tables, picture data and \bin data. Time and memory grow
// linearly with the input, whatever it holds.
RtfDocument ReadRtf(std::string_view rtf);

// The number of \par control words in `rtf`: the paragraphs it ends.
std::int32_t CountParagraphBreaks(std::string_view rtf);

} // namespace tessarin
