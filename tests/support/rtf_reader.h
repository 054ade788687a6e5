#pragma once
// Reads RTF back into a document model, for tests that check what the RTF
// renderers wrote (the clipboard's copy, the saved report) and for building
// odd documents from short RTF texts.
#include "document_model.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessarin {

// Understands groups, control words (with a numeric parameter and one
// delimiting blank), \'hh, \uN, escaped "\", "{" and "}", \tab, \par and the
// character and paragraph properties the report uses; keeps the font table
// and the pictures apart from the text; skips \* destinations, colour tables
// and other \bin data. Time and memory grow linearly with the input,
// whatever it holds.
DocumentModel ReadRtf(std::string_view rtf);


} // namespace tessarin
