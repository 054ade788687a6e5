#pragma once
// The report pane's content: a QTextDocument made from the report's document
// model, one text block per paragraph and one character per character the
// model counts, so that positions and paragraphs mean the same on both sides.
#include "document_model.h"

class QTextDocument;

namespace tessarin {

// Replaces `target`'s content with `document`. Twips (tab stops, picture
// sizes) become document units at `dotsPerInch`: the screen's logical DPI
// for a pane, 96 for a document laid out on a printer (Qt scales those
// units to the device). Every input gives a document; sizes are clamped to
// what a page can hold.
void FillTextDocument(QTextDocument& target, const DocumentModel& document, double dotsPerInch);

} // namespace tessarin
