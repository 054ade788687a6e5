#include "display_information_extension.h"

#include "bits.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

namespace tessarin::complete {

namespace {

using Bytes = std::span<const std::uint8_t>;

Section Titled(const char* title, const char* key)
{
    Section s;
    s.title = FixedText(title);
    s.key = key;
    return s;
}

// A name from a table indexed by code, or the code itself when the table has
// none: a code this reader does not know is shown, never dropped.
template <std::size_t N>
std::string Named(unsigned code, const std::array<const char*, N>& names)
{
    if (code < N && names[code] != nullptr)
        return names[code];
    char text[24];
    std::snprintf(text, sizeof text, "Unknown (0x%02X)", code);
    return text;
}

void DigitalInterface(Section& s, const FieldWriter& w, Bytes b)
{
    static constexpr std::array<const char*, 11> kInterfaces = {
        nullptr, nullptr, "DVI Single Link", "DVI Dual Link - High Resolution", "DVI Dual Link - High Color",
        "DVI - Consumer Electronics", "Plug & Display", "DFP", "Open LDI - Single Link", "Open LDI - Dual Link",
        "Open LDI - Consumer Electronics"};
    w.Text(s, "interface", "Supported digital interface", Named(b[2], kInterfaces));
    // Version, release and date of the interface standard: all zero in every EDID seen.
    if (std::any_of(b.begin() + 3, b.begin() + 7, [](std::uint8_t v) { return v != 0; }))
        w.Bytes(s, "interface_standard_bytes", "Interface standard version and date", b.subspan(3, 4));
    const std::uint8_t f = b[7];
    w.Flag(s, "data_enable_available", "Data enable signal available", IsBitSet(f, 7));
    if (IsBitSet(f, 7))
        w.Text(s, "data_enable_polarity", "Data enable signal", IsBitSet(f, 6) ? "High" : "Low");
    static constexpr std::array<const char*, 4> kEdges = {"Not specified", "Rising edge", "Falling edge",
                                                          "Both edges"};
    w.Text(s, "shift_clock_edge", "Edge of shift clock", kEdges[get_bit_range(f, 5, 4)]);
    w.Flag(s, "hdcp", "HDCP", IsBitSet(f, 3));
    w.Flag(s, "double_clocking", "Double clocking of input data", IsBitSet(f, 2));
    w.Flag(s, "packetized_video", "Packetized digital video", IsBitSet(f, 1));
    std::string format;
    switch (b[8]) {
    case 0x15: format = "8-Bit Over 8-Bit RGB"; break;
    case 0x19: format = "12-Bit Over 12-Bit RGB"; break;
    case 0x24: format = "24-Bit MSB-Aligned RGB (Single Link)"; break;
    case 0x48: format = "48-Bit MSB-Aligned RGB (Dual Link - High Resolution)"; break;
    case 0x49: format = "48-Bit MSB-Aligned RGB (Dual Link - High Color)"; break;
    default: format = Named(b[8], std::array<const char*, 0>{}); break;
    }
    w.Text(s, "data_format", "Data format", format);
    w.Integer(s, "min_pixel_clock_per_link_mhz", "Minimum pixel clock per link", b[9], "MHz");
    w.Integer(s, "max_pixel_clock_per_link_mhz", "Maximum pixel clock per link", b[10] | b[11] << 8, "MHz");
    const unsigned crossover = b[12] | static_cast<unsigned>(b[13]) << 8;
    if (crossover == 0xFFFF)
        w.Text(s, "crossover_frequency_mhz", "Crossover frequency", "None (single link)");
    else
        w.Integer(s, "crossover_frequency_mhz", "Crossover frequency", crossover, "MHz");
}

void DisplayDevice(Section& s, const FieldWriter& w, Bytes b)
{
    static constexpr std::array<const char*, 5> kLayouts = {"Not defined", "RGB", "BGR",
                                                            "Quad Pixel - G at bottom left & top right",
                                                            "Quad Pixel - G at bottom right & top left"};
    static constexpr std::array<const char*, 5> kConfigurations = {"Not defined", "Delta", "Stripe",
                                                                   "Stripe Offset", "Quad Pixel"};
    static constexpr std::array<const char*, 6> kShapes = {"Not defined", "Round", "Square",
                                                           "Rectangular", "Oval", "Elliptical"};
    w.Text(s, "subpixel_layout", "Sub-pixel layout", Named(b[14], kLayouts));
    w.Text(s, "subpixel_configuration", "Sub-pixel configuration", Named(b[15], kConfigurations));
    w.Text(s, "subpixel_shape", "Sub-pixel shape", Named(b[16], kShapes));
    w.Real(s, "horizontal_pitch_mm", "Horizontal dot pitch", b[17] / 100.0, 2, "mm");
    w.Real(s, "vertical_pitch_mm", "Vertical dot pitch", b[18] / 100.0, 2, "mm");
    const std::uint8_t f = b[19];
    w.Flag(s, "fixed_pixel_format", "Fixed pixel format", IsBitSet(f, 7));
    static constexpr std::array<const char*, 4> kViews = {"Not specified", "Direct", "Reflected",
                                                          "Direct & Reflected"};
    w.Text(s, "view_direction", "View direction", kViews[get_bit_range(f, 6, 5)]);
    w.Flag(s, "transparent_background", "Transparent background", IsBitSet(f, 4));
    static constexpr std::array<const char*, 4> kImplementations = {
        "Not specified", "Large image device for group viewing", "Desktop or personal display",
        "Eyepiece type personal display"};
    w.Text(s, "physical_implementation", "Physical implementation", kImplementations[get_bit_range(f, 3, 2)]);
    w.Flag(s, "ddc_ci", "DDC/CI", IsBitSet(f, 1));
}

void Capabilities(Section& s, const FieldWriter& w, Bytes b)
{
    const std::uint8_t f = b[20];
    w.Flag(s, "all_legacy_modes", "All VGA/DOS legacy timing modes", IsBitSet(f, 7));
    const unsigned stereo = get_bit_range(f, 6, 4);
    w.Text(s, "stereo_video", "Stereo video", stereo == 0 ? "No direct stereo" : Named(stereo, std::array<const char*, 0>{}));
    w.Flag(s, "scaler_on_board", "Scaler on board", IsBitSet(f, 3));
    w.Flag(s, "image_centering", "Image centering", IsBitSet(f, 2));
    w.Flag(s, "conditional_update", "Conditional update", IsBitSet(f, 1));
    w.Flag(s, "interlaced_video", "Interlaced video", IsBitSet(f, 0));
    w.Flag(s, "frame_lock", "Frame lock", IsBitSet(b[21], 7));
    static constexpr std::array<const char*, 4> kConversions = {
        "Not supported", "Vertical converted to a single frequency", "Horizontal converted to a single frequency",
        "Both converted to single frequencies"};
    w.Text(s, "frame_rate_conversion", "Frame rate conversion", kConversions[get_bit_range(b[21], 6, 5)]);
    // Hundredths of a hertz and of a kilohertz; zero: not given.
    if (const unsigned v = b[22] | static_cast<unsigned>(b[23]) << 8; v != 0)
        w.Real(s, "vertical_frequency_hz", "Vertical frequency", v / 100.0, 2, "Hz");
    if (const unsigned h = b[24] | static_cast<unsigned>(b[25]) << 8; h != 0)
        w.Real(s, "horizontal_frequency_khz", "Horizontal frequency", h / 100.0, 2, "kHz");
    const std::uint8_t o = b[26];
    static constexpr std::array<const char*, 4> kOrientationKinds = {"Not defined", "Fixed orientation",
                                                                     "Pivots, default orientation", "Reserved"};
    static constexpr std::array<const char*, 4> kOrientations = {"Landscape", "Portrait", "Not fixed", "Undefined"};
    static constexpr std::array<const char*, 4> kCorners = {"Upper left", "Upper right", "Lower left", "Lower right"};
    w.Text(s, "orientation_kind", "Orientation", kOrientationKinds[get_bit_range(o, 7, 6)]);
    w.Text(s, "screen_orientation", "Screen orientation", kOrientations[get_bit_range(o, 5, 4)]);
    w.Text(s, "zero_pixel_location", "Zero pixel location", kCorners[get_bit_range(o, 3, 2)]);
    w.Integer(s, "scan_direction_code", "Scan direction (code)", get_bit_range(o, 1, 0));
    // Projector flag, colour decoding and dithering are kept as their bytes.
    w.Bytes(s, "color_decoding_bytes", "Colour decoding bytes", b.subspan(27, 5));
    static constexpr std::array<const char*, 6> kChannels = {"Blue bit depth",  "Green bit depth", "Red bit depth",
                                                             "Cb/Pb bit depth", "Y bit depth",     "Cr/Pr bit depth"};
    static constexpr std::array<const char*, 6> kDepthKeys = {"blue_bits", "green_bits", "red_bits",
                                                              "cb_bits", "y_bits", "cr_bits"};
    for (std::size_t i = 0; i < kChannels.size(); ++i) {
        if (b[32 + i] == 0)
            w.Text(s, kDepthKeys[i], kChannels[i], "No information");
        else
            w.Integer(s, kDepthKeys[i], kChannels[i], b[32 + i], "bits");
    }
    const std::uint8_t a = b[38];
    w.Flag(s, "full_mode", "Aspect ratio conversion: full", IsBitSet(a, 7));
    w.Flag(s, "zoom_mode", "Aspect ratio conversion: zoom", IsBitSet(a, 6));
    w.Flag(s, "squeeze_mode", "Aspect ratio conversion: squeeze", IsBitSet(a, 5));
    w.Flag(s, "variable_mode", "Aspect ratio conversion: variable", IsBitSet(a, 4));
    const Bytes reserved = b.subspan(0x27, 0x51 - 0x27);
    if (std::any_of(reserved.begin(), reserved.end(), [](std::uint8_t v) { return v != 0; }))
        w.Bytes(s, "reserved_bytes", "Reserved bytes", reserved);
}

void TransferCharacteristics(Section& s, const FieldWriter& w, Bytes b)
{
    // The top two bits of the first byte say which curve follows (none, one
    // white curve, or one for each primary); the low six count its entries.
    const unsigned kind = get_bit_range(b[0x51], 7, 6);
    const std::size_t entries = std::min<std::size_t>(get_bit_range(b[0x51], 5, 0), 0x7F - 0x52);
    static constexpr std::array<const char*, 4> kKinds = {"None", "White curve", "Red, green and blue curves",
                                                          "Reserved"};
    w.Text(s, "transfer_characteristics", "Transfer characteristics", kKinds[kind]);
    if (kind == 0)
        return;
    if (kind == 1) {
        w.Integer(s, "curve_entries", "Curve entries", static_cast<std::int64_t>(entries));
        w.Bytes(s, "curve", "Curve", b.subspan(0x52, entries));
        return;
    }
    w.Bytes(s, "curve_bytes", "Curve bytes", b.subspan(0x52, 0x7F - 0x52));
}

} // namespace

void DecodeDisplayInformationExtension(std::span<const std::uint8_t, 128> block, const FieldWriter& w, Section& s)
{
    const Bytes b(block);
    w.Integer(s, "version", "Version", b[1]);
    struct Part {
        const char* title;
        const char* key;
        void (*decode)(Section&, const FieldWriter&, Bytes);
    };
    static constexpr Part kParts[] = {
        {"Digital Interface", "digital_interface", DigitalInterface},
        {"Display Device", "display_device", DisplayDevice},
        {"Display Capabilities & Feature Support Set", "display_capabilities", Capabilities},
        {"Display Transfer Characteristics", "display_transfer_characteristics", TransferCharacteristics},
    };
    for (const Part& part : kParts) {
        Section child = Titled(part.title, part.key);
        part.decode(child, w, b);
        s.children.push_back(std::move(child));
    }
}

} // namespace tessarin::complete
