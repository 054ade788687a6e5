#pragma once
// The report document is 8-bit Windows-1252 text; everything else in the
// program is UTF-8. These are the only crossings between the two.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tessarin {

// The report's own texts as document bytes: each character becomes its one
// Windows-1252 byte ("n°" gives 'n', 0xB0). RTF markup passes unchanged, so
// this is safe for labels and values that carry control words. A character
// the code page lacks, or a malformed UTF-8 sequence, becomes '?'.
std::string Utf8ToWindows1252(std::string_view utf8);
// The same, appended to `out`.
void AppendAsWindows1252(std::string_view utf8, std::string& out);

// A text that comes from the monitor, made safe to insert into the document:
// "\", "{" and "}" are escaped with a backslash, characters outside printable
// ASCII are written as \'hh of their Windows-1252 byte, and control
// characters (which a rich-text control could take for a paragraph or tab
// and so shift every line number after them) as '?'. The result is ASCII.
std::string EscapeRtfText(std::string_view utf8);
// The same, appended to `out`.
void AppendRtfEscaped(std::string_view utf8, std::string& out);

// Appends the character of Windows-1252 byte `byte` as UTF-8. The five codes
// the code page leaves unassigned read as the C1 controls, as the decoder does.
void AppendWindows1252AsUtf8(std::uint8_t byte, std::string& out);

// One control word: its letters, and its signed parameter when it has one.
struct RtfControlWord {
    std::string_view name;
    bool hasParameter = false;
    std::int32_t parameter = 0;
};

// Reads the letters, the optional signed parameter (held to 32 bits) and the
// one delimiting blank of a control word whose first letter is at `pos`;
// leaves `pos` after it.
RtfControlWord ReadRtfControlWord(std::string_view rtf, std::size_t& pos);

// The byte of a \'hh escape whose digits start at `pos`, leaving `pos` after
// them; -1, and `pos` unmoved, when two hex digits do not follow.
int ReadRtfHexByte(std::string_view rtf, std::size_t& pos);

// Where the stretch of text from `pos` that stands for itself in the
// document ends: printable ASCII but "\", "{" and "}", and the tab. Returns
// `pos` when the byte there is none of these.
std::size_t PlainTextEnd(std::string_view rtf, std::size_t pos);

// True when EscapeRtfText would leave `utf8` as it is: printable ASCII but
// "\", "{" and "}".
bool NeedsNoRtfEscape(std::string_view utf8);

// Appends the character `c` as UTF-8.
void AppendUtf8(char32_t c, std::string& out);

// What the document shows for the character whose UTF-8 sequence starts at
// `pos` once it has been written as its Windows-1252 byte: the character
// itself, or '?' for one the code page lacks, a control character and a
// malformed sequence. Appends it to `out` and returns the position after it.
std::size_t AppendShownCharacter(std::string_view utf8, std::size_t pos, std::string& out);

// What the document shows for Windows-1252 byte `byte`: '?' for a control
// character or one of the five unassigned codes.
void AppendShownByte(std::uint8_t byte, std::string& out);

} // namespace tessarin
