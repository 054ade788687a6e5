#include "displayid_interface_blocks.h"

#include "displayid_timing_blocks.h"

#include <array>
#include <string>

namespace tessarin::complete::displayid {

namespace {

// Comma-separated names of the set bits, low bit first; "None" when no bit is set.
template <std::size_t N>
std::string Depths(std::uint8_t bits, const std::array<const char*, N>& names)
{
    std::string text;
    for (unsigned bit = 0; bit < 8; ++bit) {
        if (!IsBitSet(bits, static_cast<int>(bit)))
            continue;
        if (!text.empty())
            text += ", ";
        text += bit < N ? names[bit] : "Reserved (" + std::to_string(bit) + ")";
    }
    return text.empty() ? "None" : text;
}

std::string Version(std::uint8_t v) { return std::to_string(v >> 4) + "." + std::to_string(v & 0xF); }

} // namespace

void DisplayInterface(Section& s, const FieldWriter& w, Bytes block)
{
    const Bytes p = block.subspan(kHeader);
    static constexpr std::array<const char*, 14> kTypes = {
        "Analog",   "LVDS",          "TMDS",   "RSDS", "DVI-D",       "DVI-I analog", "DVI-I digital",
        "HDMI-A",   "HDMI-B",        "MDDI",   "DisplayPort", "IEEE-1394", "M1 analog", "M1 digital"};
    const unsigned type = get_bit_range(p[0], 7, 4);
    w.Text(s, "interface_type", "Interface type", type < kTypes.size() ? kTypes[type] : "Reserved");
    // For an analog interface the low nibble names its kind, otherwise it counts links.
    if (type == 0)
        w.Integer(s, "analog_subtype", "Analog interface kind (code)", get_bit_range(p[0], 3, 0));
    else
        w.Integer(s, "links", "Number of links", get_bit_range(p[0], 3, 0));
    w.Text(s, "interface_version", "Interface standard version", Version(p[1]));
    static constexpr std::array<const char*, 6> kBpc444 = {"6", "8", "10", "12", "14", "16"};
    static constexpr std::array<const char*, 5> kBpc422 = {"8", "10", "12", "14", "16"};
    w.Text(s, "rgb_bpc", "RGB bits per component", Depths(p[2], kBpc444));
    w.Text(s, "ycbcr444_bpc", "YCbCr 4:4:4 bits per component", Depths(p[3], kBpc444));
    w.Text(s, "ycbcr422_bpc", "YCbCr 4:2:2 bits per component", Depths(p[4], kBpc422));
    static constexpr std::array<const char*, 4> kProtections = {"None", "HDCP", "DTCP", "DPCP"};
    const unsigned protection = get_bit_range(p[5], 2, 0);
    std::string text = protection < kProtections.size() ? kProtections[protection] : "Reserved";
    if (protection != 0)
        text += " " + Version(p[6]);
    w.Text(s, "content_protection", "Content protection", text);
    const unsigned spread = get_bit_range(p[7], 7, 6);
    if (spread == 0) {
        w.Text(s, "spread_spectrum", "Spread spectrum", "None");
    } else {
        // Low nibble: the spread in tenths of a percent.
        std::string kind = spread == 1 ? "Down spread " : spread == 2 ? "Center spread " : "Reserved ";
        w.AppendReal(kind, get_bit_range(p[7], 3, 0) / 10.0, 1);
        w.Text(s, "spread_spectrum", "Spread spectrum", kind + "%");
    }
    // Bytes 8 and 9 hold LVDS and panel interface attributes.
    if (p[8] != 0 || p[9] != 0 || p.size() > 10)
        w.Bytes(s, "interface_attributes", "Interface attributes", p.subspan(8));
}

void ColorCharacteristics(Section& s, const FieldWriter& w, Bytes block)
{
    const Bytes p = block.subspan(kHeader);
    w.Text(s, "color_kind", "Colour", IsBitSet(p[0], 7) ? "Temporal" : "Spatial");
    const bool cie1976 = IsBitSet(p[0], 3);
    w.Text(s, "cie_coordinates", "Chromaticity coordinates", cie1976 ? "CIE 1976 (u', v')" : "CIE 1931 (x, y)");
    const unsigned primaries = get_bit_range(p[0], 6, 4);
    const unsigned whites = get_bit_range(p[0], 2, 0);
    for (unsigned i = 0; i < primaries + whites; ++i) {
        const std::size_t at = 1 + 3 * i;
        Section point;
        point.title = FixedText(i < primaries ? "Primary" : "White point");
        point.key = i < primaries ? "primary" : "white_point";
        const double x = ChromaLowFirst(p, at);
        const double y = ChromaHighFirst(p, at + 1);
        w.Integer(point, "number", "Number", i < primaries ? i : i - primaries);
        w.Real(point, "x", cie1976 ? "u'" : "x", x, 4);
        w.Real(point, "y", cie1976 ? "v'" : "y", y, 4);
        point.summary = "#" + std::to_string(i < primaries ? i : i - primaries) + ": (" + w.FormatReal(x, 4) + ", " +
                        w.FormatReal(y, 4) + ")";
        s.children.push_back(std::move(point));
    }
    const std::size_t used = 1 + 3 * (primaries + whites);
    if (p.size() > used)
        w.Bytes(s, "further_bytes", "Further bytes", p.subspan(used));
}

} // namespace tessarin::complete::displayid
