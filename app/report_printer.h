#pragma once
// Printing the report: laid out in the page less its margins, page by page,
// every page but the last marked with its number.
#include "document_model.h"

#include <QString>

class QPrinter;

namespace tessarin {

struct PrintMargins {
    // Twips from the paper's edges.
    double left = 720;
    double top = 720;
    double right = 720;
    double bottom = 720;
};

// The label printed on page `page` (from 1) when more pages follow: "- 1 -".
QString PageLabel(int page);

// Prints `document` on `printer`, which must be set up (output, paper) and not
// yet printing. The text is laid out in the drawing rectangle (the paper less
// the margins, measured from the paper's edges whatever the printable area),
// with Qt's pagination: a line never straddles two pages. Each page but the
// last carries PageLabel() right-aligned to the right margin, 360 twips below
// the top of the printable area. Returns the pages printed; 0 when the printer
// could not be started or the margins leave no room.
//
// The printer's page range (from 1; none: every page) and its copies (when
// the printer does not make them itself), collated or not, decide which
// pages go out; the labels keep the numbers of the whole report. Each line
// is printed once, on the page its top lies on. Returns the sheets printed,
// copies included; 0 as well when the range holds no page of the report.
int PrintRTF(const DocumentModel& document, QPrinter& printer, const PrintMargins& margins);

// The pages `document` fills on `printer` (to bound a print dialog's range).
int PrintPageCount(const DocumentModel& document, QPrinter& printer, const PrintMargins& margins);

} // namespace tessarin
