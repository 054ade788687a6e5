#pragma once
// A part of the shown report as the clipboard takes it: the same paragraphs,
// runs and pictures, written back as RTF or as plain text. No Qt here, so the
// fuzzer and the tests run it on its own.
#include "document_model.h"

#include <cstdint>
#include <string>

namespace tessarin {

// The characters [start, start + length) of `document`, counted as the pane
// counts them: TextParagraph::Length() each, plus one for each paragraph end.
// Both ends are clamped to the document. A paragraph whose end falls inside
// the range is followed by the next one; the last paragraph of the result is
// the one the range stops in (empty when it stops right after a paragraph end).
DocumentModel CopyRange(const DocumentModel& document, std::int32_t start, std::int32_t length);

// A complete RTF document that reads back as `document`: the font
// table, then each paragraph with its alignment, tab stops, runs and pictures,
// and a \par between paragraphs. Text goes out as Windows-1252, with \uN for
// characters that code page lacks.
std::string WriteRtf(const DocumentModel& document);

// The paragraphs' text joined by "\n", pictures left out.
std::string PlainTextOf(const DocumentModel& document);

} // namespace tessarin
