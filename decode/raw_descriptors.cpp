#include "raw_descriptors.h"

#include "bits.h"

#include <string>

namespace tessarin::complete {

Section DetailedTimingFromBytes(std::span<const std::uint8_t, 18> d, int number, const FieldWriter& w)
{
    Section s;
    s.title = "Detailed Timing " + std::to_string(number);
    s.key = "detailed_timing";
    s.fields.reserve(16);
    const unsigned clock10k = d[0] | static_cast<unsigned>(d[1]) << 8;
    const unsigned hActive = d[2] | get_bit_range(d[4], 7, 4) << 8;
    const unsigned hBlank = d[3] | get_bit_range(d[4], 3, 0) << 8;
    const unsigned vActive = d[5] | get_bit_range(d[7], 7, 4) << 8;
    const unsigned vBlank = d[6] | get_bit_range(d[7], 3, 0) << 8;
    const unsigned hFront = d[8] | get_bit_range(d[11], 7, 6) << 8;
    const unsigned hSync = d[9] | get_bit_range(d[11], 5, 4) << 8;
    const unsigned vFront = get_bit_range(d[10], 7, 4) | get_bit_range(d[11], 3, 2) << 4;
    const unsigned vSync = get_bit_range(d[10], 3, 0) | get_bit_range(d[11], 1, 0) << 4;
    const unsigned widthMm = d[12] | get_bit_range(d[14], 7, 4) << 8;
    const unsigned heightMm = d[13] | get_bit_range(d[14], 3, 0) << 8;
    const bool interlaced = IsBitSet(d[17], 7);
    const double clock = clock10k / 100.0;
    const double htotal = hActive + hBlank;
    // Interlaced: the lines of one field, the rate of the fields.
    const double vtotal = vActive + vBlank + (interlaced ? 0.5 : 0.0);
    const double refresh = htotal * vtotal > 0 ? clock * 1e6 / (htotal * vtotal) : 0.0;
    const unsigned height = interlaced ? 2 * vActive : vActive;
    std::string& summary = s.summary;
    summary.reserve(64);
    AppendTiming(summary, hActive, height, refresh, w, interlaced);
    summary += ' ';
    w.AppendReal(summary, clock, 3);
    summary += " MHz";
    if (widthMm != 0 || heightMm != 0) {
        summary += " (";
        AppendInteger(summary, widthMm);
        summary += " mm x ";
        AppendInteger(summary, heightMm);
        summary += " mm)";
    }
    w.Real(s, "pixel_clock_mhz", "Pixel clock", clock, 3, "MHz");
    w.Integer(s, "width_px", "Horizontal active", hActive, "pixels");
    w.Integer(s, "height_px", "Vertical active", height, "lines");
    w.Real(s, "refresh_rate_hz", "Refresh rate", refresh, 3, "Hz");
    w.Integer(s, "horizontal_blank_px", "Horizontal blanking", hBlank, "pixels");
    w.Integer(s, "horizontal_front_porch_px", "Horizontal front porch", hFront, "pixels");
    w.Integer(s, "horizontal_sync_px", "Horizontal sync width", hSync, "pixels");
    w.Integer(s, "vertical_blank_lines", "Vertical blanking", vBlank, "lines");
    w.Integer(s, "vertical_front_porch_lines", "Vertical front porch", vFront, "lines");
    w.Integer(s, "vertical_sync_lines", "Vertical sync width", vSync, "lines");
    w.Integer(s, "image_width_mm", "Image width", widthMm, "mm");
    w.Integer(s, "image_height_mm", "Image height", heightMm, "mm");
    w.Flag(s, "interlaced", "Interlaced", interlaced);
    return s;
}

bool DisplayDescriptorFromBytes(std::span<const std::uint8_t, 18> d, Section& s, const FieldWriter& w)
{
    switch (d[3]) {
    case 0xFF:
    case 0xFE:
    case 0xFC: {
        std::string text;
        for (std::size_t i = 5; i < 18 && d[i] != 0x0A; ++i)
            text += static_cast<char>(d[i]);
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
        w.Text(s, "text", "Text", text);
        return true;
    }
    case 0xFD: {
        // EDID 1.4 offsets: +255 for a rate whose flag is set in byte 4.
        const unsigned vMaxOffset = IsBitSet(d[4], 1) ? 255 : 0;
        const unsigned vMinOffset = IsBitSet(d[4], 0) ? 255 : 0;
        const unsigned hMaxOffset = IsBitSet(d[4], 3) ? 255 : 0;
        const unsigned hMinOffset = IsBitSet(d[4], 2) ? 255 : 0;
        w.Integer(s, "min_vertical_rate_hz", "Minimum vertical rate", d[5] + vMinOffset, "Hz");
        w.Integer(s, "max_vertical_rate_hz", "Maximum vertical rate", d[6] + vMaxOffset, "Hz");
        w.Integer(s, "min_horizontal_rate_khz", "Minimum horizontal rate", d[7] + hMinOffset, "kHz");
        w.Integer(s, "max_horizontal_rate_khz", "Maximum horizontal rate", d[8] + hMaxOffset, "kHz");
        if (d[9] != 0)
            w.Real(s, "max_pixel_clock_mhz", "Maximum pixel clock", d[9] * 10.0, 2, "MHz");
        return true;
    }
    default:
        return false;
    }
}

} // namespace tessarin::complete
