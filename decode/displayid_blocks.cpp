#include "displayid_blocks.h"

#include "bits.h"
#include "dmt_table.h"
#include "vendor_blocks.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace tessarin::complete {

namespace {

using Bytes = std::span<const std::uint8_t>;

constexpr std::size_t kHeader = 3; // tag, revision, payload length

unsigned Le16(Bytes b, std::size_t i) { return b[i] | static_cast<unsigned>(b[i + 1]) << 8; }

unsigned Le24(Bytes b, std::size_t i) { return Le16(b, i) | static_cast<unsigned>(b[i + 2]) << 16; }

// Chromaticities: 12 bits in a byte and a half, low byte first.
double ChromaLowFirst(Bytes b, std::size_t i) { return (b[i] | get_bit_range(b[i + 1], 3, 0) << 8) / 4096.0; }
double ChromaHighFirst(Bytes b, std::size_t i) { return (get_bit_range(b[i], 7, 4) | b[i + 1] << 4) / 4096.0; }

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
        w.Text(s, "oui", "OUI", vendor);
    } else {
        // Three letters, as in the base block's PNP ID; anything else is kept as hex.
        const bool printable = b[3] >= 0x20 && b[3] < 0x7F && b[4] >= 0x20 && b[4] < 0x7F && b[5] >= 0x20 && b[5] < 0x7F;
        if (printable)
            std::snprintf(vendor, sizeof vendor, "%c%c%c", b[3], b[4], b[5]);
        else
            std::snprintf(vendor, sizeof vendor, "%02X-%02X-%02X", b[3], b[4], b[5]);
        w.Text(s, "vendor_id", "Vendor", vendor);
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

// ---- Type VII detailed timings

const char* Aspect(unsigned code)
{
    static constexpr std::array<const char*, 9> kRatios = {"1:1",  "5:4",   "4:3",     "15:9",     "16:9",
                                                           "16:10", "64:27", "256:135", "undefined"};
    return code < kRatios.size() ? kRatios[code] : "reserved";
}

Section TypeViiTiming(Bytes t, bool preferredBit, const FieldWriter& w)
{
    Section s;
    s.title = "Detailed timing";
    s.key = "detailed_timing";
    const double clockMhz = (Le24(t, 0) + 1) / 1000.0;
    const unsigned width = Le16(t, 4) + 1;
    const unsigned hblank = Le16(t, 6) + 1;
    const unsigned hoffset = (t[8] | get_bit_range(t[9], 6, 0) << 8) + 1;
    const unsigned hsync = Le16(t, 10) + 1;
    const unsigned height = Le16(t, 12) + 1;
    const unsigned vblank = Le16(t, 14) + 1;
    const unsigned voffset = (t[16] | get_bit_range(t[17], 6, 0) << 8) + 1;
    const unsigned vsync = Le16(t, 18) + 1;
    const bool interlaced = IsBitSet(t[3], 4);
    const bool flag = IsBitSet(t[3], 7);
    const bool preferred = preferredBit && flag;
    const double total = static_cast<double>(width + hblank) * (height + vblank);
    const double refresh = clockMhz * 1e6 / total;
    s.summary = std::to_string(width) + "x" + std::to_string(height) + (interlaced ? "i " : " ") +
                w.FormatReal(refresh, 3) + " Hz " + Aspect(get_bit_range(t[3], 3, 0)) + " " +
                w.FormatReal(clockMhz, 3) + " MHz" + (preferred ? " (preferred)" : "");
    w.Real(s, "pixel_clock_mhz", "Pixel clock", clockMhz, 3, "MHz");
    w.Integer(s, "width_px", "Width", width, "pixels");
    w.Integer(s, "height_px", "Height", height, "lines");
    w.Real(s, "refresh_rate_hz", "Refresh rate", refresh, 3, "Hz");
    w.Text(s, "aspect_ratio", "Aspect ratio", Aspect(get_bit_range(t[3], 3, 0)));
    w.Integer(s, "horizontal_blank_px", "Horizontal blanking", hblank, "pixels");
    w.Integer(s, "horizontal_offset_px", "Horizontal sync offset", hoffset, "pixels");
    w.Integer(s, "horizontal_sync_px", "Horizontal sync width", hsync, "pixels");
    w.Flag(s, "horizontal_sync_positive", "Horizontal sync positive", IsBitSet(t[9], 7));
    w.Integer(s, "vertical_blank_lines", "Vertical blanking", vblank, "lines");
    w.Integer(s, "vertical_offset_lines", "Vertical sync offset", voffset, "lines");
    w.Integer(s, "vertical_sync_lines", "Vertical sync width", vsync, "lines");
    w.Flag(s, "vertical_sync_positive", "Vertical sync positive", IsBitSet(t[17], 7));
    w.Flag(s, "interlaced", "Interlaced", interlaced);
    const unsigned stereo = get_bit_range(t[3], 6, 5);
    w.Text(s, "stereo", "Stereo",
           stereo == 0   ? "None"
           : stereo == 1 ? "3D stereo"
           : stereo == 2 ? "3D stereo on user action"
                         : "Reserved");
    if (preferredBit)
        w.Flag(s, "preferred", "Preferred", preferred);
    else
        w.Flag(s, "ycbcr420", "YCbCr 4:2:0", flag);
    return s;
}

void TypeViiTimings(Section& s, const FieldWriter& w, Bytes b)
{
    // From block revision 2 on, bit 7 of the options byte marks YCbCr 4:2:0
    // instead of the preferred timing.
    const bool preferredBit = get_bit_range(b[1], 2, 0) < 2;
    const Bytes payload = b.subspan(kHeader);
    std::size_t x = 0;
    for (; x + 20 <= payload.size(); x += 20)
        s.children.push_back(TypeViiTiming(payload.subspan(x, 20), preferredBit, w));
    if (x < payload.size())
        w.Bytes(s, "further_bytes", "Further bytes", payload.subspan(x));
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

// ---- Adaptive sync

void AdaptiveSync(Section& s, const FieldWriter& w, Bytes b)
{
    const std::size_t size = 6 + get_bit_range(b[1], 6, 4);
    const Bytes p = b.subspan(kHeader);
    std::size_t x = 0;
    for (; x + size <= p.size(); x += size) {
        const Bytes d = p.subspan(x, size);
        Section r;
        r.title = "Adaptive sync range";
        r.key = "adaptive_sync_range";
        w.Flag(r, "native_panel_range", "Native panel range", IsBitSet(d[0], 0));
        const unsigned vtotal = get_bit_range(d[0], 3, 2);
        w.Text(r, "average_vtotal", "Average V-total",
               vtotal == 0   ? "Fixed"
               : vtotal == 1 ? "Fixed, and adaptive V-total"
                             : "Reserved");
        w.Flag(r, "seamless_transition", "Seamless transition", !IsBitSet(d[0], 4));
        w.Flag(r, "increase_without_jitter", "Duration increase without jitter", IsBitSet(d[0], 1));
        w.Flag(r, "decrease_without_jitter", "Duration decrease without jitter", IsBitSet(d[0], 5));
        w.Real(r, "max_duration_increase_ms", "Maximum single-frame duration increase", d[1] / 4.0, 2, "ms");
        w.Real(r, "max_duration_decrease_ms", "Maximum single-frame duration decrease", d[5] / 4.0, 2, "ms");
        w.Integer(r, "min_refresh_rate_hz", "Minimum refresh rate", d[2], "Hz");
        w.Integer(r, "max_refresh_rate_hz", "Maximum refresh rate", 1 + d[3] + get_bit_range(d[4], 1, 0) * 256, "Hz");
        s.children.push_back(std::move(r));
    }
    if (x < p.size())
        w.Bytes(s, "further_bytes", "Further bytes", p.subspan(x));
}

// ---- VESA DMT timings bitmap

void DmtTimings(Section& s, const FieldWriter& w, Bytes b)
{
    // Bit 0 of the first byte is DMT ID 1, and so on upwards.
    const Bytes p = b.subspan(kHeader);
    for (std::size_t byte = 0; byte < p.size(); ++byte) {
        for (unsigned bit = 0; bit < 8; ++bit) {
            if (!IsBitSet(p[byte], static_cast<int>(bit)))
                continue;
            const unsigned id = static_cast<unsigned>(byte * 8 + bit + 1);
            char code[8];
            std::snprintf(code, sizeof code, "0x%02X", id);
            Section t;
            t.title = "DMT timing";
            t.key = "dmt_timing";
            w.Integer(t, "dmt_id", "DMT ID", id);
            const DmtMode* m = FindDmtMode(id);
            if (m == nullptr) {
                t.summary = std::string(code) + " reserved";
            } else {
                const std::string hz = m->hz == std::floor(m->hz) ? std::to_string(static_cast<int>(m->hz))
                                                                   : w.FormatReal(m->hz, 2);
                t.summary = std::string(code) + " " + std::to_string(m->width) + "x" + std::to_string(m->height) +
                            (m->interlaced ? "i " : " ") + hz + " Hz" + (m->reducedBlanking ? " (reduced blanking)" : "");
                w.Integer(t, "width_px", "Width", m->width, "pixels");
                w.Integer(t, "height_px", "Height", m->height, "lines");
                w.Real(t, "refresh_rate_hz", "Refresh rate", m->hz, 2, "Hz");
                w.Flag(t, "interlaced", "Interlaced", m->interlaced);
                w.Flag(t, "reduced_blanking", "Reduced blanking", m->reducedBlanking);
            }
            s.children.push_back(std::move(t));
        }
    }
    if (s.children.empty())
        w.Text(s, "timings", "Timings", "None");
}

// ---- Dynamic video timing range limits

void DynamicRange(Section& s, const FieldWriter& w, Bytes b)
{
    w.Real(s, "min_pixel_clock_mhz", "Minimum pixel clock", (Le24(b, 3) + 1) / 1000.0, 3, "MHz");
    w.Real(s, "max_pixel_clock_mhz", "Maximum pixel clock", (Le24(b, 6) + 1) / 1000.0, 3, "MHz");
    w.Integer(s, "min_refresh_rate_hz", "Minimum refresh rate", b[9], "Hz");
    // From revision 1 on the maximum has two more bits.
    const unsigned high = get_bit_range(b[1], 2, 0) >= 1 ? get_bit_range(b[11], 1, 0) << 8 : 0;
    w.Integer(s, "max_refresh_rate_hz", "Maximum refresh rate", b[10] | high, "Hz");
    w.Flag(s, "seamless_dynamic_timing", "Seamless dynamic video timing change", IsBitSet(b[11], 7));
    if (b.size() > 12)
        w.Bytes(s, "further_bytes", "Further bytes", b.subspan(12));
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
    case 0x07:
        DmtTimings(s, w, block);
        return true;
    case 0x25:
        if (payload < 9)
            return false;
        DynamicRange(s, w, block);
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
        TypeViiTimings(s, w, block);
        return true;
    case 0x26:
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
        AdaptiveSync(s, w, block);
        return true;
    default:
        return false;
    }
}

} // namespace tessarin::complete
