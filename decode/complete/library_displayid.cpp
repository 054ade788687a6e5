// DisplayID extensions as the library reads them.
#include "field_writer.h"
#include "library_sections.h"

#include <array>
#include <string>

namespace tessarin::complete::library {

namespace {

const char* Aspect(di_displayid_timing_aspect_ratio a)
{
    static constexpr std::array<const char*, 9> kRatios = {"1:1",  "5:4",   "4:3",     "15:9",     "16:9",
                                                           "16:10", "64:27", "256:135", "undefined"};
    return kRatios[std::min<unsigned>(static_cast<unsigned>(a), 8)];
}

Section DetailedTiming(const di_displayid_type_i_ii_vii_timing& t, const FieldWriter& w)
{
    Section s = Make("Detailed timing", "detailed_timing");
    const double htotal = t.horiz_active + t.horiz_blank;
    const double vtotal = t.vert_active + t.vert_blank;
    const double refresh = htotal * vtotal > 0 ? t.pixel_clock_mhz * 1e6 / (htotal * vtotal) : 0.0;
    std::string& summary = s.summary;
    summary.reserve(64);
    AppendTiming(summary, t.horiz_active, t.vert_active, refresh, w, t.interlaced);
    summary += ' ';
    summary += Aspect(t.aspect_ratio);
    summary += ' ';
    w.AppendReal(summary, static_cast<double>(t.pixel_clock_mhz), 3);
    summary += t.preferred ? " MHz (preferred)" : " MHz";
    w.Real(s, "pixel_clock_mhz", "Pixel clock", t.pixel_clock_mhz, 3, "MHz");
    w.Integer(s, "width_px", "Width", t.horiz_active, "pixels");
    w.Integer(s, "height_px", "Height", t.vert_active, "lines");
    w.Real(s, "refresh_rate_hz", "Refresh rate", refresh, 3, "Hz");
    w.Fixed(s, "aspect_ratio", "Aspect ratio", Aspect(t.aspect_ratio));
    w.Integer(s, "horizontal_blank_px", "Horizontal blanking", t.horiz_blank, "pixels");
    w.Integer(s, "horizontal_offset_px", "Horizontal sync offset", t.horiz_offset, "pixels");
    w.Integer(s, "horizontal_sync_px", "Horizontal sync width", t.horiz_sync_width, "pixels");
    w.Integer(s, "vertical_blank_lines", "Vertical blanking", t.vert_blank, "lines");
    w.Integer(s, "vertical_offset_lines", "Vertical sync offset", t.vert_offset, "lines");
    w.Integer(s, "vertical_sync_lines", "Vertical sync width", t.vert_sync_width, "lines");
    w.Flag(s, "interlaced", "Interlaced", t.interlaced);
    w.Flag(s, "preferred", "Preferred", t.preferred);
    return s;
}

const char* ProductType(di_displayid_product_type t)
{
    switch (t) {
    case DI_DISPLAYID_PRODUCT_TYPE_EXTENSION: return "Extension section";
    case DI_DISPLAYID_PRODUCT_TYPE_TEST: return "Test structure or equipment";
    case DI_DISPLAYID_PRODUCT_TYPE_DISPLAY_PANEL: return "Display panel or other transducer";
    case DI_DISPLAYID_PRODUCT_TYPE_STANDALONE_DISPLAY: return "Standalone display device";
    case DI_DISPLAYID_PRODUCT_TYPE_TV_RECEIVER: return "Television receiver";
    case DI_DISPLAYID_PRODUCT_TYPE_REPEATER: return "Repeater/translator";
    case DI_DISPLAYID_PRODUCT_TYPE_DIRECT_DRIVE: return "Direct drive monitor";
    }
    return "Reserved";
}

} // namespace

Section DisplayIdHeader(const di_displayid* displayid, const FieldWriter& w)
{
    Section s = Make("DisplayID Header", "displayid_header");
    w.Text(s, "version", "Version",
           std::to_string(di_displayid_get_version(displayid)) + "." +
               std::to_string(di_displayid_get_revision(displayid)));
    w.Fixed(s, "product_type", "Product type", ProductType(di_displayid_get_product_type(displayid)));
    return s;
}

Section DisplayIdDataBlock(const di_displayid_data_block* block, const FieldWriter& w)
{
    Section s;
    switch (di_displayid_data_block_get_tag(block)) {
    case DI_DISPLAYID_DATA_BLOCK_DISPLAY_PARAMS:
        if (const auto* p = di_displayid_data_block_get_display_params(block)) {
            if (p->horiz_image_mm != 0.0f) {
                w.Real(s, "image_width_mm", "Image width", p->horiz_image_mm, 1, "mm");
                w.Real(s, "image_height_mm", "Image height", p->vert_image_mm, 1, "mm");
            }
            if (p->horiz_pixels != 0) {
                w.Integer(s, "native_width_px", "Native width", p->horiz_pixels, "pixels");
                w.Integer(s, "native_height_px", "Native height", p->vert_pixels, "lines");
            }
            if (p->gamma != 0.0f)
                w.Real(s, "gamma", "Gamma", p->gamma, 2);
            w.Real(s, "aspect_ratio", "Aspect ratio", p->aspect_ratio, 2);
            w.Integer(s, "bits_per_color_overall", "Bits per colour (overall)", p->bits_per_color_overall);
            w.Integer(s, "bits_per_color_native", "Bits per colour (native)", p->bits_per_color_native);
            if (const auto* f = p->features) {
                w.Flag(s, "audio", "Audio on the video interface", f->audio);
                w.Flag(s, "separate_audio_inputs", "Separate audio inputs", f->separate_audio_inputs);
                w.Flag(s, "power_management", "Power management", f->power_management);
                w.Flag(s, "fixed_timing", "Fixed timing", f->fixed_timing);
                w.Flag(s, "fixed_pixel_format", "Fixed pixel format", f->fixed_pixel_format);
                w.Flag(s, "deinterlacing", "De-interlacing", f->deinterlacing);
            }
        }
        break;
    case DI_DISPLAYID_DATA_BLOCK_TYPE_I_TIMING:
        for (auto* t = di_displayid_data_block_get_type_i_timings(block); t != nullptr && *t != nullptr; ++t)
            s.children.push_back(DetailedTiming(**t, w));
        break;
    case DI_DISPLAYID_DATA_BLOCK_TYPE_II_TIMING:
        for (auto* t = di_displayid_data_block_get_type_ii_timings(block); t != nullptr && *t != nullptr; ++t)
            s.children.push_back(DetailedTiming(**t, w));
        break;
    case DI_DISPLAYID_DATA_BLOCK_TYPE_III_TIMING:
        for (auto* t = di_displayid_data_block_get_type_iii_timings(block); t != nullptr && *t != nullptr; ++t) {
            Section timing = Make("Short timing", "type_iii_timing");
            timing.summary = std::to_string((*t)->horiz_active) + " pixels " + Aspect((*t)->aspect_ratio) + " " +
                             std::to_string((*t)->refresh_rate_hz) + " Hz" + ((*t)->interlaced ? " interlaced" : "") +
                             ((*t)->algo == DI_DISPLAYID_TYPE_III_TIMING_CVT_REDUCED_BLANKING ? " (CVT RB)" : " (CVT)");
            w.Integer(timing, "width_px", "Width", (*t)->horiz_active, "pixels");
            w.Fixed(timing, "aspect_ratio", "Aspect ratio", Aspect((*t)->aspect_ratio));
            w.Integer(timing, "refresh_rate_hz", "Refresh rate", (*t)->refresh_rate_hz, "Hz");
            w.Flag(timing, "reduced_blanking", "CVT reduced blanking",
                   (*t)->algo == DI_DISPLAYID_TYPE_III_TIMING_CVT_REDUCED_BLANKING);
            s.children.push_back(std::move(timing));
        }
        break;
    case DI_DISPLAYID_DATA_BLOCK_TILED_DISPLAY_TOPO:
        if (const auto* t = di_displayid_data_block_get_tiled_topo(block)) {
            w.Integer(s, "horizontal_tiles", "Horizontal tiles", t->total_horiz_tiles);
            w.Integer(s, "vertical_tiles", "Vertical tiles", t->total_vert_tiles);
            w.Integer(s, "horizontal_location", "Horizontal tile location", t->horiz_tile_location);
            w.Integer(s, "vertical_location", "Vertical tile location", t->vert_tile_location);
            w.Integer(s, "tile_width_px", "Tile width", t->horiz_tile_pixels, "pixels");
            w.Integer(s, "tile_height_lines", "Tile height", t->vert_tile_lines, "lines");
            if (t->caps != nullptr)
                w.Flag(s, "single_enclosure", "Single enclosure", t->caps->single_enclosure);
            w.Text(s, "vendor_id", "Vendor", std::string(t->vendor_id, 3));
            w.Integer(s, "product_code", "Product code", t->product_code);
            w.Integer(s, "serial_number", "Serial number", t->serial_number);
        }
        break;
    default:
        break;
    }
    return s;
}

} // namespace tessarin::complete::library
