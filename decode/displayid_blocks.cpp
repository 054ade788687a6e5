#include "displayid_blocks.h"

#include "bits.h"
#include "displayid_interface_blocks.h"
#include "displayid_timing_blocks.h"
#include "vendor_blocks.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace tessarin::complete {

namespace {

using Bytes = std::span<const std::uint8_t>;

using displayid::kHeader;
using displayid::Le16;

using displayid::ChromaHighFirst;
using displayid::ChromaLowFirst;

// Comma-separated names of the set bits, "None" when no bit is set.
template <std::size_t N>
std::string BitList(std::uint8_t bits, const std::array<const char*, N>& names, bool highBitFirst = false)
{
    std::string text;
    for (unsigned i = 0; i < 8; ++i) {
        const unsigned bit = highBitFirst ? 7 - i : i;
        if (!IsBitSet(bits, static_cast<int>(bit)))
            continue;
        if (!text.empty())
            text += ", ";
        text += bit < N && names[bit] != nullptr ? names[bit] : "Undefined (" + std::to_string(bit) + ")";
    }
    return text.empty() ? "None" : text;
}

// ---- Product identification (DisplayID 1 and 2)

void ProductIdentification(Section& s, const FieldWriter& w, Bytes b)
{
    char vendor[16];
    if (b[0] == 0x20) {
        std::snprintf(vendor, sizeof vendor, "%02X-%02X-%02X", b[3], b[4], b[5]);
        w.Text(s, "oui", "OUI", std::string(vendor));
    } else {
        // Three letters, as in the base block's PNP ID; anything else is kept as hex.
        const bool printable = b[3] >= 0x20 && b[3] < 0x7F && b[4] >= 0x20 && b[4] < 0x7F && b[5] >= 0x20 && b[5] < 0x7F;
        if (printable)
            std::snprintf(vendor, sizeof vendor, "%c%c%c", b[3], b[4], b[5]);
        else
            std::snprintf(vendor, sizeof vendor, "%02X-%02X-%02X", b[3], b[4], b[5]);
        w.Text(s, "vendor_id", "Vendor", std::string(vendor));
    }
    w.Integer(s, "product_code", "Product code", Le16(b, 6));
    const std::uint32_t serial = Le16(b, 8) | static_cast<std::uint32_t>(Le16(b, 10)) << 16;
    if (serial != 0)
        w.Integer(s, "serial_number", "Serial number", serial);
    const unsigned week = b[12];
    if (week == 0xFF) {
        w.Integer(s, "model_year", "Model year", 2000 + b[13]);
    } else {
        w.Integer(s, "year_of_manufacture", "Year of manufacture", 2000 + b[13]);
        if (week >= 1 && week <= 54)
            w.Integer(s, "week_of_manufacture", "Week of manufacture", week);
    }
    const std::size_t length = b[14];
    if (length == 0)
        return;
    const std::size_t available = b.size() - 15;
    std::string name;
    for (std::size_t i = 0; i < std::min(length, available); ++i)
        name += b[15 + i] >= 0x20 && b[15 + i] < 0x7F ? static_cast<char>(b[15 + i]) : '?';
    w.Text(s, "product_id", "Product ID", name);
    if (b.size() > 15 + length)
        w.Bytes(s, "further_bytes", "Further bytes", b.subspan(15 + length));
}

// ---- Display parameters (DisplayID 1), where the library read nothing of them

void DisplayParametersV1(Section& s, const FieldWriter& w, Bytes b)
{
    w.Real(s, "image_width_mm", "Image width", Le16(b, 3) / 10.0, 1, "mm");
    w.Real(s, "image_height_mm", "Image height", Le16(b, 5) / 10.0, 1, "mm");
    w.Integer(s, "native_width_px", "Native width", Le16(b, 7), "pixels");
    w.Integer(s, "native_height_px", "Native height", Le16(b, 9), "lines");
    const std::uint8_t f = b[11];
    w.Flag(s, "audio", "Audio on the video interface", IsBitSet(f, 7));
    w.Flag(s, "separate_audio_inputs", "Separate audio inputs", IsBitSet(f, 6));
    w.Flag(s, "audio_input_override", "Audio input override", IsBitSet(f, 5));
    w.Flag(s, "power_management", "Power management", IsBitSet(f, 4));
    w.Flag(s, "fixed_timing", "Fixed timing", IsBitSet(f, 3));
    w.Flag(s, "fixed_pixel_format", "Fixed pixel format", IsBitSet(f, 2));
    w.Flag(s, "acp_isrc", "ACP, ISRC1 or ISRC2 packets", IsBitSet(f, 1));
    w.Flag(s, "deinterlacing", "De-interlacing", IsBitSet(f, 0));
    if (b[12] != 0xFF)
        w.Real(s, "gamma", "Gamma", (b[12] + 100) / 100.0, 2);
    w.Real(s, "aspect_ratio", "Aspect ratio", (b[13] + 100) / 100.0, 2);
    w.Integer(s, "bits_per_color_overall", "Bits per colour (overall)", get_bit_range(b[14], 7, 4) + 1);
    w.Integer(s, "bits_per_color_native", "Bits per colour (native)", get_bit_range(b[14], 3, 0) + 1);
}

// ---- Display parameters (DisplayID 2)

const char* ScanOrientation(unsigned code)
{
    static constexpr std::array<const char*, 8> kOrders = {
        "Left to right, top to bottom", "Right to left, top to bottom", "Top to bottom, right to left",
        "Bottom to top, right to left", "Right to left, bottom to top", "Left to right, bottom to top",
        "Bottom to top, left to right", "Top to bottom, left to right"};
    return kOrders[code & 7];
}

void DisplayParameters(Section& s, const FieldWriter& w, Bytes b)
{
    // Bit 7 of the revision byte: the image size is in whole millimetres.
    const double sizeUnit = IsBitSet(b[1], 7) ? 1.0 : 0.1;
    w.Real(s, "image_width_mm", "Image width", Le16(b, 3) * sizeUnit, 1, "mm");
    w.Real(s, "image_height_mm", "Image height", Le16(b, 5) * sizeUnit, 1, "mm");
    w.Integer(s, "native_width_px", "Native width", Le16(b, 7), "pixels");
    w.Integer(s, "native_height_px", "Native height", Le16(b, 9), "lines");
    const std::uint8_t f = b[11];
    w.Text(s, "scan_orientation", "Scan orientation", ScanOrientation(get_bit_range(f, 2, 0)));
    const unsigned luminanceKind = get_bit_range(f, 4, 3);
    w.Text(s, "luminance_information", "Luminance information",
           luminanceKind == 0   ? "Minimum guaranteed values"
           : luminanceKind == 1 ? "Guidance for the source"
                                : "Reserved");
    w.Text(s, "cie_coordinates", "Chromaticity coordinates", IsBitSet(f, 6) ? "CIE 1976" : "CIE 1931");
    w.Flag(s, "integrated_speakers", "Integrated speakers", !IsBitSet(f, 7));
    w.Real(s, "primary_1_x", "Primary 1 x", ChromaLowFirst(b, 12), 4);
    w.Real(s, "primary_1_y", "Primary 1 y", ChromaHighFirst(b, 13), 4);
    w.Real(s, "primary_2_x", "Primary 2 x", ChromaLowFirst(b, 15), 4);
    w.Real(s, "primary_2_y", "Primary 2 y", ChromaHighFirst(b, 16), 4);
    w.Real(s, "primary_3_x", "Primary 3 x", ChromaLowFirst(b, 18), 4);
    w.Real(s, "primary_3_y", "Primary 3 y", ChromaHighFirst(b, 19), 4);
    w.Real(s, "white_x", "White x", ChromaLowFirst(b, 21), 4);
    w.Real(s, "white_y", "White y", ChromaHighFirst(b, 22), 4);
    // 0x8000 (negative zero) means "not given"; other negative values are reserved.
    const auto luminance = [&](std::size_t i) {
        const unsigned half = Le16(b, i);
        return IsBitSet(b[i + 1], 7) ? std::numeric_limits<double>::quiet_NaN() : HalfToDouble(static_cast<std::uint16_t>(half));
    };
    if (const double v = luminance(24); !std::isnan(v))
        w.Real(s, "max_luminance_full_cd_m2", "Maximum luminance (full coverage)", v, 3, "cd/m²");
    if (const double v = luminance(26); !std::isnan(v))
        w.Real(s, "max_luminance_10_percent_cd_m2", "Maximum luminance (10% coverage)", v, 3, "cd/m²");
    if (const double v = luminance(28); !std::isnan(v))
        w.Real(s, "min_luminance_cd_m2", "Minimum luminance", v, 4, "cd/m²");
    static constexpr std::array<const char*, 8> kDepths = {"Not defined", "6 bits",  "8 bits",   "10 bits",
                                                           "12 bits",     "14 bits", "16 bits", "Reserved"};
    w.Text(s, "native_color_depth", "Native colour depth", kDepths[get_bit_range(b[30], 2, 0)]);
    const unsigned technology = get_bit_range(b[30], 6, 4);
    w.Text(s, "device_technology", "Device technology",
           technology == 0   ? "Not specified"
           : technology == 1 ? "Active-matrix LCD"
           : technology == 2 ? "Organic LED"
                             : "Reserved");
    if (get_bit_range(b[1], 2, 0) >= 1)
        w.Flag(s, "dark_theme_preferred", "Dark theme preferred", IsBitSet(b[30], 7));
    if (b[31] != 0xFF)
        w.Real(s, "gamma", "Gamma", (b[31] + 100) / 100.0, 2);
}

// ---- Display interface features

constexpr std::array<const char*, 6> kBpc444 = {"6", "8", "10", "12", "14", "16"};
constexpr std::array<const char*, 5> kBpc4xx = {"8", "10", "12", "14", "16"};

void InterfaceFeatures(Section& s, const FieldWriter& w, Bytes b)
{
    const Bytes p = b.subspan(kHeader);
    w.Text(s, "rgb_bpc", "RGB bits per component", BitList(p[0], kBpc444));
    w.Text(s, "ycbcr444_bpc", "YCbCr 4:4:4 bits per component", BitList(p[1], kBpc444));
    w.Text(s, "ycbcr422_bpc", "YCbCr 4:2:2 bits per component", BitList(p[2], kBpc4xx));
    w.Text(s, "ycbcr420_bpc", "YCbCr 4:2:0 bits per component", BitList(p[3], kBpc4xx));
    if (p[4] != 0)
        w.Real(s, "ycbcr420_min_pixel_rate_mhz", "YCbCr 4:2:0 from pixel rate", 74.25 * p[4], 3, "MHz");
    static constexpr std::array<const char*, 8> kRates = {nullptr, nullptr, nullptr, nullptr,
                                                          nullptr, "48",    "44.1",  "32"};
    w.Text(s, "audio_rates_khz", "Audio sample rates (kHz)", BitList(p[5], kRates, true));
    static constexpr std::array<const char*, 7> kCombinations = {
        "sRGB", "BT.601", "BT.709/BT.1886", "Adobe RGB", "DCI-P3", "BT.2020", "BT.2020/SMPTE ST 2084"};
    w.Text(s, "color_space_eotf", "Colour spaces and EOTFs", BitList(p[6], kCombinations));
    if (p[7] != 0)
        w.Hex(s, "color_space_eotf_2", "Colour spaces and EOTFs (second byte)", p[7]);
    const std::size_t additional = p[8];
    std::size_t used = 9;
    if (additional > 0) {
        static constexpr std::array<const char*, 8> kSpaces = {"Undefined", "sRGB",  "BT.601",  "BT.709",
                                                               "Adobe RGB", "DCI-P3", "BT.2020", "Custom"};
        static constexpr std::array<const char*, 11> kEotfs = {
            "Undefined", "sRGB",    "BT.601",         "BT.1886",       "Adobe RGB", "DCI-P3",
            "BT.2020",   "Gamma function", "SMPTE ST 2084", "Hybrid log-gamma", "Custom"};
        std::string list;
        for (std::size_t i = 0; i < additional && 9 + i < p.size(); ++i, ++used) {
            const unsigned space = get_bit_range(p[9 + i], 7, 4);
            const unsigned eotf = get_bit_range(p[9 + i], 3, 0);
            if (!list.empty())
                list += ", ";
            list += std::string(space < kSpaces.size() ? kSpaces[space] : "Reserved") + "/" +
                    (eotf < kEotfs.size() ? kEotfs[eotf] : "Reserved");
        }
        w.Text(s, "additional_color_space_eotf", "Further colour space and EOTF pairs", list);
    }
    if (p.size() > used)
        w.Bytes(s, "further_bytes", "Further bytes", p.subspan(used));
}

} // namespace

double HalfToDouble(std::uint16_t half)
{
    const unsigned exponent = (half >> 10) & 0x1F;
    const unsigned fraction = half & 0x3FF;
    const double sign = (half & 0x8000) != 0 ? -1.0 : 1.0;
    if (exponent == 0x1F)
        return std::numeric_limits<double>::quiet_NaN();
    if (exponent == 0) // subnormal: no implicit leading 1
        return sign * std::ldexp(fraction / 1024.0, -14);
    return sign * std::ldexp(1.0 + fraction / 1024.0, static_cast<int>(exponent) - 15);
}

bool DecodeDisplayIdDataBlock(std::span<const std::uint8_t> block, const FieldWriter& w, Section& s)
{
    if (block.size() < kHeader)
        return false;
    const std::size_t payload = block.size() - kHeader;
    switch (block[0]) {
    case 0x00:
    case 0x20:
        if (payload < 12)
            return false;
        ProductIdentification(s, w, block);
        return true;
    case 0x01:
        if (payload < 12)
            return false;
        DisplayParametersV1(s, w, block);
        return true;
    case 0x03:
        if (payload < 20)
            return false;
        displayid::TypeITimings(s, w, block);
        return true;
    case 0x02:
        if (payload < 1 || payload < 1 + 3u * (get_bit_range(block[3], 6, 4) + get_bit_range(block[3], 2, 0)))
            return false;
        displayid::ColorCharacteristics(s, w, block);
        return true;
    case 0x07:
        displayid::DmtTimings(s, w, block);
        return true;
    case 0x0F:
        if (payload < 10)
            return false;
        displayid::DisplayInterface(s, w, block);
        return true;
    case 0x25:
        if (payload < 9)
            return false;
        displayid::DynamicRange(s, w, block);
        return true;
    case 0x21:
        if (payload < 29)
            return false;
        DisplayParameters(s, w, block);
        if (payload > 29)
            w.Bytes(s, "further_bytes", "Further bytes", block.subspan(kHeader + 29));
        return true;
    case 0x22:
        if (payload < 20)
            return false;
        displayid::TypeViiTimings(s, w, block);
        return true;
    case 0x26:
        // Some displays send eight bytes, a layout of their own (their fifth
        // byte reads as an impossible 4:2:0 pixel rate): shown as bytes.
        if (payload < 9)
            return false;
        InterfaceFeatures(s, w, block);
        return true;
    case 0x29:
        if (payload < 16)
            return false;
        w.Text(s, "container_id", "Container ID", ContainerIdText(block.subspan<kHeader, 16>()));
        if (payload > 16)
            w.Bytes(s, "further_bytes", "Further bytes", block.subspan(kHeader + 16));
        return true;
    case 0x2B:
        if (payload < 6 + get_bit_range(block[1], 6, 4))
            return false;
        displayid::AdaptiveSync(s, w, block);
        return true;
    default:
        return false;
    }
}

} // namespace tessarin::complete
