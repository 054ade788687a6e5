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
    // Index into RtfDocument::pictures when the run is a picture (its text
    // is then empty), -1 otherwise.
    std::int32_t picture = -1;
};

// An entry of the font table.
struct RtfFont {
    std::int32_t number = 0;
    std::string family;    // the family word without its "f": "swiss", "modern", ...
    std::int32_t pitch = 0; // \fprq: 0 unknown, 1 fixed, 2 variable
    std::string name;      // UTF-8, without the closing ";"
};

// A \pict group.
struct RtfPicture {
    bool png = false;                // \pngblip
    std::string data;                // its bytes, from the hexadecimal text or \bin
    std::int32_t width = 0;          // \picw, \pich
    std::int32_t height = 0;
    std::int32_t widthGoal = 0;      // \picwgoal, \pichgoal: twips, 0 when not given
    std::int32_t heightGoal = 0;
};

struct RtfParagraph {
    RtfAlignment alignment = RtfAlignment::Left;
    std::vector<std::int32_t> tabStops; // twips, in the order given
    bool picture = false;               // holds a picture (shown, never read)
    std::vector<RtfRun> runs;
    RtfCharFormat mark{};               // in force at the paragraph's end: an empty line's size

    std::string Text() const;
    // Characters as a rich-text control counts them: one per character,
    // one per picture, none for the paragraph end.
    std::int32_t Length() const;
};

struct RtfDocument {
    // Never empty: the text after the last \par is a paragraph of its own.
    std::vector<RtfParagraph> paragraphs;
    std::vector<RtfFont> fonts{};       // in table order, one entry per number
    std::vector<RtfPicture> pictures{}; // what picture runs point at

    // Every paragraph's text followed by "\n", the last one included.
    std::string PlainText() const;
};

// Understands groups, control words (with a numeric parameter and one
// delimiting blank), \'hh, \uN, escaped "\", "{" and "}", \tab, \par and the
// character and paragraph properties the report uses; keeps the font table
// and the pictures apart from the text; skips \* destinations, colour tables
// and other \bin data. Time and memory grow linearly with the input,
// whatever it holds.
RtfDocument ReadRtf(std::string_view rtf);

// The number of \par control words in `rtf`: the paragraphs it ends.
std::int32_t CountParagraphBreaks(std::string_view rtf);

} // namespace tessarin
