#include "displayid_timing_blocks.h"

#include "bits.h"
#include "dmt_table.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <string>

namespace tessarin::complete::displayid {

namespace {

// ---- Type I and VII detailed timings: the same 20 bytes, the clock in
// units of 10 kHz and 1 kHz

const char* Aspect(unsigned code)
{
    static constexpr std::array<const char*, 9> kRatios = {"1:1",  "5:4",   "4:3",     "15:9",     "16:9",
                                                           "16:10", "64:27", "256:135", "undefined"};
    return code < kRatios.size() ? kRatios[code] : "reserved";
}

Section DetailedTiming(Bytes t, double clockUnitMhz, bool preferredBit, const FieldWriter& w)
{
    Section s;
    s.title = FixedText("Detailed timing");
    s.key = "detailed_timing";
    const double clockMhz = (Le24(t, 0) + 1) * clockUnitMhz;
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
    s.summary.reserve(64);
    AppendTiming(s.summary, width, height, refresh, w, interlaced);
    s.summary += std::string(" ") + Aspect(get_bit_range(t[3], 3, 0)) + " " + w.FormatReal(clockMhz, 3) + " MHz" +
                 (preferred ? " (preferred)" : "");
    w.Real(s, "pixel_clock_mhz", "Pixel clock", clockMhz, 3, "MHz");
    w.Integer(s, "width_px", "Width", width, "pixels");
    w.Integer(s, "height_px", "Height", height, "lines");
    w.Real(s, "refresh_rate_hz", "Refresh rate", refresh, 3, "Hz");
    w.Fixed(s, "aspect_ratio", "Aspect ratio", Aspect(get_bit_range(t[3], 3, 0)));
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

void DetailedTimings(Section& s, const FieldWriter& w, Bytes b, double clockUnitMhz, bool preferredBit)
{
    const Bytes payload = b.subspan(kHeader);
    std::size_t x = 0;
    for (; x + 20 <= payload.size(); x += 20)
        s.children.push_back(DetailedTiming(payload.subspan(x, 20), clockUnitMhz, preferredBit, w));
    if (x < payload.size())
        w.Bytes(s, "further_bytes", "Further bytes", payload.subspan(x));
}

} // namespace

void TypeITimings(Section& s, const FieldWriter& w, Bytes block)
{
    DetailedTimings(s, w, block, 0.01, true);
}

void TypeViiTimings(Section& s, const FieldWriter& w, Bytes block)
{
    // From block revision 2 on, bit 7 of the options byte marks YCbCr 4:2:0
    // instead of the preferred timing.
    DetailedTimings(s, w, block, 0.001, get_bit_range(block[1], 2, 0) < 2);
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
        r.title = FixedText("Adaptive sync range");
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
            t.title = FixedText("DMT timing");
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

} // namespace tessarin::complete::displayid
