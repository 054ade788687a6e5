#pragma once
// The fonts of the report's font table on this machine.
#include "document_model.h"

#include <QFont>

namespace tessarin {

// `entry`'s own family first, then the metric-compatible family that stands
// in for it (Liberation Sans for Arial, Liberation Mono for Courier New,
// Liberation Serif for Times New Roman, and their Croscore twins), then the
// generic family its table entry names, so that a machine without any of
// them still shows sans text as sans and the raw dump in a fixed pitch: the
// common families of that kind (Liberation, DejaVu, Noto), then its generic
// name.
// Without an entry: the report's body font, Arial.
QFont ReportFont(const FontEntry* entry);

} // namespace tessarin
