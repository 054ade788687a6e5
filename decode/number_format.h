#pragma once
#include <string>

namespace tessarin {

// A single-precision value in its shortest general form with at most seven
// significant digits ("148.5", "65", "0.64"), with the given decimal separator.
std::string FormatSingle(float value, char decimalSeparator = '.');

} // namespace tessarin
