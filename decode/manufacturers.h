#pragma once
#include <string>
#include <string_view>

namespace tessarin {

// The company name for a three-letter PNP ID, or the ID itself when unknown.
std::string GetManufacturerName(std::string_view id);

} // namespace tessarin
