#pragma once
// A part of the shown report as the clipboard takes it: the same paragraphs,
// runs and pictures, written back as RTF or as plain text. No Qt here, so the
// fuzzer and the tests run it on its own.
#include "rtf_reader.h"

#include <cstdint>
#include <string>

namespace tessarin {

// The characters [start, start + length) of `document`, counted as the pane
// counts them: RtfParagraph::Length() each, plus one for each paragraph end.
// Both ends are clamped to the document. A paragraph whose end falls inside
// the range is followed by the next one; the last paragraph of the result is
// the one the range stops in (empty when it stops right after a paragraph end).
RtfDocument CopyRange(const RtfDocument& document, std::int32_t start, std::int32_t length);

// A complete RTF document that ReadRtf() reads back as `document`: the font
// table, then each paragraph with its alignment, tab stops, runs and pictures,
// and a \par between paragraphs. Text goes out as Windows-1252, with \uN for
// characters that code page lacks.
std::string WriteRtf(const RtfDocument& document);

// The paragraphs' text joined by "\n", pictures left out.
std::string PlainTextOf(const RtfDocument& document);

} // namespace tessarin
