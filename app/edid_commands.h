#pragma once
// What the window's EDID commands share with their tests.
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace tessarin {

// The load dialog's filters: ".edd" and raw EDIDs first, then every layout
// the reader knows, each layout, and every file.
QStringList EdidLoadFilters();

// The bytes as hex text, 16 a line, lower case.
QString EdidHexText(const std::vector<std::uint8_t>& bytes);

} // namespace tessarin
