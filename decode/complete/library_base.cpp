// The base block as the library reads it, slot by slot in the order of the bytes.
#include "field_writer.h"
#include "library_sections.h"
#include "raw_descriptors.h"

#include <array>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

namespace tessarin::complete::library {

namespace {

std::string Owned(char* text)
{
    if (text == nullptr)
        return {};
    std::string result = text;
    std::free(text);
    return result;
}

Section DmtTiming(const di_dmt_timing& t, const FieldWriter& w)
{
    Section s = Make("DMT " + [&] {
        char id[8];
        std::snprintf(id, sizeof id, "0x%02X", static_cast<unsigned>(t.dmt_id));
        return std::string(id);
    }(), "dmt_timing");
    const double refresh = static_cast<double>(t.refresh_rate_hz);
    s.summary.reserve(64);
    AppendTiming(s.summary, t.horiz_video, t.vert_video, refresh, w);
    s.summary += ' ';
    w.AppendReal(s.summary, double(t.pixel_clock_hz) / 1e6, 3);
    s.summary += " MHz";
    w.Integer(s, "dmt_id", "DMT ID", t.dmt_id);
    w.Integer(s, "width_px", "Width", t.horiz_video, "pixels");
    w.Integer(s, "height_px", "Height", t.vert_video, "lines");
    w.Real(s, "refresh_rate_hz", "Refresh rate", refresh, 3, "Hz");
    w.Real(s, "pixel_clock_mhz", "Pixel clock", double(t.pixel_clock_hz) / 1e6, 3, "MHz");
    return s;
}

const char* StandardAspect(di_edid_standard_timing_aspect_ratio a)
{
    switch (a) {
    case DI_EDID_STANDARD_TIMING_16_10: return "16:10";
    case DI_EDID_STANDARD_TIMING_4_3: return "4:3";
    case DI_EDID_STANDARD_TIMING_5_4: return "5:4";
    case DI_EDID_STANDARD_TIMING_16_9: return "16:9";
    }
    return "";
}

void StandardTimings(Section& parent, const di_edid_standard_timing* const* list, const FieldWriter& w)
{
    for (; list != nullptr && *list != nullptr; ++list) {
        const di_edid_standard_timing& t = **list;
        const int height = di_edid_standard_timing_get_vert_video(&t);
        Section s = Make("Standard timing", "standard_timing");
        AppendInteger(s.summary, t.horiz_video);
        s.summary += 'x';
        AppendInteger(s.summary, height);
        s.summary += ' ';
        AppendInteger(s.summary, t.refresh_rate_hz);
        s.summary += " Hz ";
        s.summary += StandardAspect(t.aspect_ratio);
        w.Integer(s, "width_px", "Width", t.horiz_video, "pixels");
        w.Integer(s, "height_px", "Height", height, "lines");
        w.Integer(s, "refresh_rate_hz", "Refresh rate", t.refresh_rate_hz, "Hz");
        w.Fixed(s, "aspect_ratio", "Aspect ratio", StandardAspect(t.aspect_ratio));
        parent.children.push_back(std::move(s));
    }
}

// The library makes its make, model and serial texts in a memory stream
// each, which costs more than the rest of the base block. Model and serial
// are read here from what it parsed, the way it reads them; the make depends
// on the three letters alone, so the library is asked once per manufacturer.
std::string MakeOf(const di_info* info, const di_edid_vendor_product& vp)
{
    thread_local std::map<std::array<char, 3>, std::string> made;
    const std::array<char, 3> id = {vp.manufacturer[0], vp.manufacturer[1], vp.manufacturer[2]};
    const auto it = made.find(id);
    if (it != made.end())
        return it->second;
    return made.emplace(id, Owned(di_info_get_make(info))).first->second;
}

// A descriptor's text as the library shows it: bytes outside printable
// ASCII as "\xhh".
std::string Shown(const char* text)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string shown;
    for (; *text != '\0'; ++text) {
        const auto c = static_cast<unsigned char>(*text);
        if (c < 0x20 || c >= 0x7F) {
            shown += "\\x";
            shown += kHex[c >> 4];
            shown += kHex[c & 0xF];
        } else {
            shown += static_cast<char>(c);
        }
    }
    return shown;
}

// The first descriptor of this kind with a text, as shown; "" when none has.
std::string DescriptorText(const di_edid* edid, di_edid_display_descriptor_tag tag)
{
    for (auto* d = di_edid_get_display_descriptors(edid); d != nullptr && *d != nullptr; ++d) {
        if (di_edid_display_descriptor_get_tag(*d) != tag)
            continue;
        const char* text = di_edid_display_descriptor_get_string(*d);
        if (text != nullptr && *text != '\0')
            return Shown(text);
    }
    return {};
}

std::string HexCode(std::uint32_t value, int digits)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text = "0x";
    int shift = 28;
    while (shift >= 4 * digits && (value >> shift) == 0)
        shift -= 4;
    for (; shift >= 0; shift -= 4)
        text += kHex[(value >> shift) & 0xF];
    return text;
}

void VendorProduct(Section& base, const di_info* info, const di_edid* edid, const FieldWriter& w)
{
    Section s = Make("Vendor & Product Identification", "vendor_product");
    s.fields.reserve(12);
    const di_edid_vendor_product* vp = di_edid_get_vendor_product(edid);
    w.Text(s, "manufacturer_id", "Manufacturer ID", std::string(vp->manufacturer, 3));
    std::string make = MakeOf(info, *vp);
    if (!make.empty())
        w.Text(s, "manufacturer_name", "Manufacturer", std::move(make));
    std::string model = DescriptorText(edid, DI_EDID_DISPLAY_DESCRIPTOR_PRODUCT_NAME);
    w.Text(s, "model", "Model", model.empty() ? HexCode(vp->product, 4) : std::move(model));
    w.Integer(s, "product_code", "Product code", vp->product);
    if (vp->serial != 0)
        w.Integer(s, "serial_number", "Serial number", vp->serial);
    std::string serial = DescriptorText(edid, DI_EDID_DISPLAY_DESCRIPTOR_PRODUCT_SERIAL);
    if (serial.empty() && vp->serial != 0)
        serial = HexCode(vp->serial, 8);
    if (!serial.empty())
        w.Text(s, "serial", "Serial", std::move(serial));
    if (vp->manufacture_week != 0)
        w.Integer(s, "manufacture_week", "Week of manufacture", vp->manufacture_week);
    if (vp->manufacture_year != 0)
        w.Integer(s, "manufacture_year", "Year of manufacture", vp->manufacture_year);
    if (vp->model_year != 0)
        w.Integer(s, "model_year", "Model year", vp->model_year);
    w.Text(s, "edid_version", "EDID version",
           std::to_string(di_edid_get_version(edid)) + "." + std::to_string(di_edid_get_revision(edid)));
    base.children.push_back(std::move(s));
}

const char* DigitalInterface(di_edid_video_input_digital_interface i)
{
    switch (i) {
    case DI_EDID_VIDEO_INPUT_DIGITAL_UNDEFINED: return "Undefined";
    case DI_EDID_VIDEO_INPUT_DIGITAL_DVI: return "DVI";
    case DI_EDID_VIDEO_INPUT_DIGITAL_HDMI_A: return "HDMI-a";
    case DI_EDID_VIDEO_INPUT_DIGITAL_HDMI_B: return "HDMI-b";
    case DI_EDID_VIDEO_INPUT_DIGITAL_MDDI: return "MDDI";
    case DI_EDID_VIDEO_INPUT_DIGITAL_DISPLAYPORT: return "DisplayPort";
    }
    return "Reserved";
}

const char* ColorType(di_edid_display_color_type t)
{
    switch (t) {
    case DI_EDID_DISPLAY_COLOR_MONOCHROME: return "Monochrome or grayscale";
    case DI_EDID_DISPLAY_COLOR_RGB: return "RGB colour";
    case DI_EDID_DISPLAY_COLOR_NON_RGB: return "Non-RGB colour";
    case DI_EDID_DISPLAY_COLOR_UNDEFINED: return "Undefined";
    }
    return "Undefined";
}

void BasicParameters(Section& base, const di_edid* edid, const FieldWriter& w)
{
    Section s = Make("Basic Display Parameters & Features", "basic_display_parameters");
    s.fields.reserve(24);
    const bool is14 = di_edid_get_version(edid) == 1 && di_edid_get_revision(edid) >= 4;
    if (const di_edid_video_input_analog* a = di_edid_get_video_input_analog(edid)) {
        static constexpr std::array<const char*, 4> kLevels = {"0.700 : 0.300 : 1.000 V p-p",
                                                               "0.714 : 0.286 : 1.000 V p-p",
                                                               "1.000 : 0.400 : 1.400 V p-p",
                                                               "0.700 : 0.000 : 0.700 V p-p"};
        w.Text(s, "input", "Video input", "Analog");
        w.Fixed(s, "signal_level", "Signal level", kLevels[static_cast<unsigned>(a->signal_level_std) & 3]);
        w.Flag(s, "blank_to_black_setup", "Blank-to-black setup (pedestal)",
               a->video_setup == DI_EDID_VIDEO_INPUT_ANALOG_BLANK_TO_BLACK_SETUP_PEDESTAL);
        w.Flag(s, "sync_separate", "Separate sync", a->sync_separate);
        w.Flag(s, "sync_composite", "Composite sync on horizontal", a->sync_composite);
        w.Flag(s, "sync_on_green", "Sync on green", a->sync_on_green);
        w.Flag(s, "sync_serrations", "Serrations on vertical sync", a->sync_serrations);
    } else if (const di_edid_video_input_digital* d = di_edid_get_video_input_digital(edid)) {
        w.Text(s, "input", "Video input", "Digital");
        if (is14) {
            if (d->color_bit_depth != 0)
                w.Integer(s, "color_bit_depth", "Colour bit depth", d->color_bit_depth, "bits per primary");
            else
                w.Text(s, "color_bit_depth_text", "Colour bit depth", "Undefined");
            w.Fixed(s, "interface", "Interface", DigitalInterface(d->interface));
        } else {
            w.Flag(s, "dfp1_compatible", "DFP 1.x compatible", d->dfp1);
        }
    }
    const di_edid_screen_size* size = di_edid_get_screen_size(edid);
    if (size->width_cm != 0 || size->height_cm != 0) {
        w.Integer(s, "width_cm", "Maximum image width", size->width_cm, "cm");
        w.Integer(s, "height_cm", "Maximum image height", size->height_cm, "cm");
    } else if (size->landscape_aspect_ratio != 0.0f) {
        w.Real(s, "landscape_aspect_ratio", "Aspect ratio (landscape)", size->landscape_aspect_ratio, 2);
    } else if (size->portait_aspect_ratio != 0.0f) {
        w.Real(s, "portrait_aspect_ratio", "Aspect ratio (portrait)", size->portait_aspect_ratio, 2);
    }
    const float gamma = di_edid_get_basic_gamma(edid);
    if (gamma != 0.0f)
        w.Real(s, "gamma", "Gamma", gamma, 2);
    const di_edid_dpms* dpms = di_edid_get_dpms(edid);
    w.Flag(s, "dpms_standby", "DPMS standby", dpms->standby);
    w.Flag(s, "dpms_suspend", "DPMS suspend", dpms->suspend);
    w.Flag(s, "dpms_off", "DPMS active off", dpms->off);
    if (di_edid_get_video_input_analog(edid) != nullptr || !is14)
        w.Fixed(s, "display_color_type", "Display colour type", ColorType(di_edid_get_display_color_type(edid)));
    if (const di_edid_color_encoding_formats* e = di_edid_get_color_encoding_formats(edid)) {
        w.Flag(s, "rgb444", "RGB 4:4:4", e->rgb444);
        w.Flag(s, "ycrcb444", "YCrCb 4:4:4", e->ycrcb444);
        w.Flag(s, "ycrcb422", "YCrCb 4:2:2", e->ycrcb422);
    }
    const di_edid_misc_features* m = di_edid_get_misc_features(edid);
    w.Flag(s, "srgb_default", "sRGB default colour space", m->srgb_is_primary);
    w.Flag(s, "preferred_timing", "First timing is preferred", m->has_preferred_timing);
    if (is14) {
        w.Flag(s, "preferred_timing_native", "Preferred timing is native",
               m->preferred_timing_is_native);
        w.Flag(s, "continuous_frequency", "Continuous frequency", m->continuous_freq);
    } else {
        w.Flag(s, "default_gtf", "Default GTF supported", m->default_gtf);
    }
    base.children.push_back(std::move(s));
}

void Chromaticity(Section& base, const di_edid* edid, const FieldWriter& w)
{
    Section s = Make("Color Characteristics", "color_characteristics");
    const di_edid_chromaticity_coords* c = di_edid_get_chromaticity_coords(edid);
    const std::array<std::pair<const char*, float>, 8> values = {{{"red_x", c->red_x},
                                                                  {"red_y", c->red_y},
                                                                  {"green_x", c->green_x},
                                                                  {"green_y", c->green_y},
                                                                  {"blue_x", c->blue_x},
                                                                  {"blue_y", c->blue_y},
                                                                  {"white_x", c->white_x},
                                                                  {"white_y", c->white_y}}};
    static constexpr std::array<const char*, 8> kLabels = {"Red x", "Red y", "Green x", "Green y",
                                                           "Blue x", "Blue y", "White x", "White y"};
    for (std::size_t i = 0; i < values.size(); ++i)
        w.Real(s, values[i].first, kLabels[i], values[i].second, 4);
    base.children.push_back(std::move(s));
}

void EstablishedTimings(Section& base, const di_edid* edid, const FieldWriter& w)
{
    const di_edid_established_timings_i_ii* e = di_edid_get_established_timings_i_ii(edid);
    const std::array<std::pair<bool, const char*>, 17> timings = {{
        {e->has_720x400_70hz, "720x400 70 Hz"},   {e->has_720x400_88hz, "720x400 88 Hz"},
        {e->has_640x480_60hz, "640x480 60 Hz"},   {e->has_640x480_67hz, "640x480 67 Hz"},
        {e->has_640x480_72hz, "640x480 72 Hz"},   {e->has_640x480_75hz, "640x480 75 Hz"},
        {e->has_800x600_56hz, "800x600 56 Hz"},   {e->has_800x600_60hz, "800x600 60 Hz"},
        {e->has_800x600_72hz, "800x600 72 Hz"},   {e->has_800x600_75hz, "800x600 75 Hz"},
        {e->has_832x624_75hz, "832x624 75 Hz"},   {e->has_1024x768_87hz_interlaced, "1024x768i 87 Hz"},
        {e->has_1024x768_60hz, "1024x768 60 Hz"}, {e->has_1024x768_70hz, "1024x768 70 Hz"},
        {e->has_1024x768_75hz, "1024x768 75 Hz"}, {e->has_1280x1024_75hz, "1280x1024 75 Hz"},
        {e->has_1152x870_75hz, "1152x870 75 Hz"},
    }};
    std::string list;
    for (const auto& [present, name] : timings) {
        if (!present)
            continue;
        if (!list.empty())
            list += ", ";
        list += name;
    }
    Section s = Make("Established Timings I & II", "established_timings");
    w.Text(s, "timings", "Timings", list.empty() ? "None" : list);
    base.children.push_back(std::move(s));
}

const char* DescriptorTitle(unsigned tag)
{
    switch (tag) {
    case 0xFF: return "Display Product Serial Number";
    case 0xFE: return "Alphanumeric Data String";
    case 0xFD: return "Display Range Limits";
    case 0xFC: return "Display Product Name";
    case 0xFB: return "Color Point Data";
    case 0xFA: return "Standard Timing Identifications";
    case 0xF9: return "Display Color Management Data";
    case 0xF8: return "CVT 3 Byte Timing Codes";
    case 0xF7: return "Established Timings III";
    case 0x10: return "Dummy Descriptor";
    }
    return tag <= 0x0F ? "Manufacturer Specified Display Descriptor" : "Unknown Display Descriptor";
}

void RangeLimits(Section& s, const di_edid_display_range_limits& r, const FieldWriter& w)
{
    static constexpr std::array<const char*, 4> kTypes = {"Range limits only", "Default GTF",
                                                          "Secondary GTF", "CVT"};
    w.Fixed(s, "type", "Type", kTypes[static_cast<unsigned>(r.type) & 3]);
    w.Integer(s, "min_vertical_rate_hz", "Minimum vertical rate", r.min_vert_rate_hz, "Hz");
    w.Integer(s, "max_vertical_rate_hz", "Maximum vertical rate", r.max_vert_rate_hz, "Hz");
    w.Integer(s, "min_horizontal_rate_khz", "Minimum horizontal rate", r.min_horiz_rate_hz / 1000, "kHz");
    w.Integer(s, "max_horizontal_rate_khz", "Maximum horizontal rate", r.max_horiz_rate_hz / 1000, "kHz");
    if (r.max_pixel_clock_hz != 0)
        w.Real(s, "max_pixel_clock_mhz", "Maximum pixel clock", double(r.max_pixel_clock_hz) / 1e6, 2, "MHz");
    if (const auto* g = r.secondary_gtf) {
        w.Integer(s, "gtf_start_frequency_khz", "Secondary GTF start frequency", g->start_freq_hz / 1000, "kHz");
        w.Real(s, "gtf_c", "GTF C", g->c, 1);
        w.Real(s, "gtf_m", "GTF M", g->m, 1);
        w.Real(s, "gtf_k", "GTF K", g->k, 1);
        w.Real(s, "gtf_j", "GTF J", g->j, 1);
    }
    if (const auto* c = r.cvt) {
        w.Text(s, "cvt_version", "CVT version", std::to_string(c->version) + "." + std::to_string(c->revision));
        if (c->max_horiz_px != 0)
            w.Integer(s, "cvt_max_width_px", "CVT maximum pixels per line", c->max_horiz_px, "pixels");
        std::string ratios;
        const std::array<std::pair<unsigned, const char*>, 5> kRatios = {{{DI_EDID_CVT_ASPECT_RATIO_4_3, "4:3"},
                                                                          {DI_EDID_CVT_ASPECT_RATIO_16_9, "16:9"},
                                                                          {DI_EDID_CVT_ASPECT_RATIO_16_10, "16:10"},
                                                                          {DI_EDID_CVT_ASPECT_RATIO_5_4, "5:4"},
                                                                          {DI_EDID_CVT_ASPECT_RATIO_15_9, "15:9"}}};
        const char* preferred = "";
        for (const auto& [bit, name] : kRatios) {
            if ((c->supported_aspect_ratio & bit) != 0)
                ratios += std::string(ratios.empty() ? "" : ", ") + name;
            if (static_cast<unsigned>(c->preferred_aspect_ratio) == bit)
                preferred = name;
        }
        w.Text(s, "cvt_aspect_ratios", "CVT aspect ratios", ratios);
        w.Text(s, "cvt_preferred_aspect_ratio", "CVT preferred aspect ratio", preferred);
        w.Flag(s, "cvt_standard_blanking", "CVT standard blanking", c->standard_blanking);
        w.Flag(s, "cvt_reduced_blanking", "CVT reduced blanking", c->reduced_blanking);
        w.Flag(s, "cvt_horizontal_shrink", "Horizontal shrink", (c->supported_scaling & DI_EDID_CVT_SCALING_HORIZ_SHRINK) != 0);
        w.Flag(s, "cvt_horizontal_stretch", "Horizontal stretch", (c->supported_scaling & DI_EDID_CVT_SCALING_HORIZ_STRETCH) != 0);
        w.Flag(s, "cvt_vertical_shrink", "Vertical shrink", (c->supported_scaling & DI_EDID_CVT_SCALING_VERT_SHRINK) != 0);
        w.Flag(s, "cvt_vertical_stretch", "Vertical stretch", (c->supported_scaling & DI_EDID_CVT_SCALING_VERT_STRETCH) != 0);
        w.Integer(s, "cvt_preferred_refresh_hz", "CVT preferred refresh rate", c->preferred_vert_refresh_hz, "Hz");
    }
}

void CvtCodes(Section& s, const di_edid_cvt_timing_code* const* codes, const FieldWriter& w)
{
    static constexpr std::array<const char*, 4> kRatios = {"4:3", "16:9", "16:10", "15:9"};
    static constexpr std::array<int, 4> kPreferred = {50, 60, 75, 85};
    for (; codes != nullptr && *codes != nullptr; ++codes) {
        const di_edid_cvt_timing_code& c = **codes;
        Section t = Make("CVT code", "cvt_timing_code");
        std::string rates;
        const std::array<std::pair<bool, const char*>, 5> kRates = {{{c.supports_50hz_sb, "50 Hz"},
                                                                     {c.supports_60hz_sb, "60 Hz"},
                                                                     {c.supports_75hz_sb, "75 Hz"},
                                                                     {c.supports_85hz_sb, "85 Hz"},
                                                                     {c.supports_60hz_rb, "60 Hz RB"}}};
        for (const auto& [on, name] : kRates)
            if (on)
                rates += std::string(rates.empty() ? "" : ", ") + name;
        const char* ratio = kRatios[static_cast<unsigned>(c.aspect_ratio) & 3];
        t.summary = std::to_string(c.addressable_lines_per_field) + " lines " + ratio + ": " + rates +
                    " (preferred " + std::to_string(kPreferred[static_cast<unsigned>(c.preferred_vertical_rate) & 3]) +
                    " Hz)";
        w.Integer(t, "lines", "Addressable lines per field", c.addressable_lines_per_field);
        w.Text(t, "aspect_ratio", "Aspect ratio", ratio);
        w.Text(t, "rates", "Rates", rates);
        w.Integer(t, "preferred_refresh_hz", "Preferred rate",
                  kPreferred[static_cast<unsigned>(c.preferred_vertical_rate) & 3], "Hz");
        s.children.push_back(std::move(t));
    }
}

Section Descriptor(const di_edid_display_descriptor* d, std::span<const std::uint8_t> raw, int slot,
                   const FieldWriter& w)
{
    const unsigned tag = raw[3];
    Section s = Make(DescriptorTitle(tag), "display_descriptor");
    w.Integer(s, "slot", "Descriptor", slot);
    w.Hex(s, "tag", "Tag", tag);
    if (d == nullptr) {
        // The library dropped it (it found fault with it): read what we can.
        if (DisplayDescriptorFromBytes(std::span<const std::uint8_t, 18>(raw.data(), 18), s, w))
            return s;
        s.bytes.assign(raw.begin(), raw.end());
        s.bytesOnly = tag != 0x10;
        return s;
    }
    switch (tag) {
    case 0xFF:
    case 0xFE:
    case 0xFC:
        if (const char* text = di_edid_display_descriptor_get_string(d))
            w.Text(s, "text", "Text", text);
        break;
    case 0xFD:
        if (const auto* r = di_edid_display_descriptor_get_range_limits(d)) {
            s.fields.reserve(32);
            RangeLimits(s, *r, w);
        }
        break;
    case 0xFB:
        for (auto* p = di_edid_display_descriptor_get_color_points(d); p != nullptr && *p != nullptr; ++p) {
            Section c = Make("White point " + std::to_string((*p)->index), "color_point");
            w.Integer(c, "index", "White point index", (*p)->index);
            w.Real(c, "white_x", "White x", (*p)->white_x, 4);
            w.Real(c, "white_y", "White y", (*p)->white_y, 4);
            if ((*p)->gamma != 0.0f)
                w.Real(c, "gamma", "Gamma", (*p)->gamma, 2);
            s.children.push_back(std::move(c));
        }
        break;
    case 0xFA:
        StandardTimings(s, di_edid_display_descriptor_get_standard_timings(d), w);
        break;
    case 0xF9:
        if (const auto* m = di_edid_display_descriptor_get_color_management_data(d)) {
            w.Integer(s, "version", "Version", m->version);
            w.Real(s, "red_a3", "Red a3", m->red_a3, 2);
            w.Real(s, "red_a2", "Red a2", m->red_a2, 2);
            w.Real(s, "green_a3", "Green a3", m->green_a3, 2);
            w.Real(s, "green_a2", "Green a2", m->green_a2, 2);
            w.Real(s, "blue_a3", "Blue a3", m->blue_a3, 2);
            w.Real(s, "blue_a2", "Blue a2", m->blue_a2, 2);
        }
        break;
    case 0xF8:
        CvtCodes(s, di_edid_display_descriptor_get_cvt_timing_codes(d), w);
        break;
    case 0xF7:
        for (auto* t = di_edid_display_descriptor_get_established_timings_iii(d); t != nullptr && *t != nullptr; ++t)
            s.children.push_back(DmtTiming(**t, w));
        break;
    case 0x10:
        break;
    default:
        s.bytes.assign(raw.begin(), raw.end());
        s.bytesOnly = true;
        break;
    }
    return s;
}

} // namespace

Section BaseBlock(const di_info* info, std::span<const std::uint8_t, 128> base, const FieldWriter& w)
{
    Section s = Make("Base Block", "base_block");
    const di_edid* edid = di_info_get_edid(info);
    if (edid == nullptr)
        return BytesOnlySection("Base Block", "base_block", base);
    s.children.reserve(6);
    VendorProduct(s, info, edid, w);
    BasicParameters(s, edid, w);
    Chromaticity(s, edid, w);
    EstablishedTimings(s, edid, w);
    Section standard = Make("Standard Timings", "standard_timings");
    standard.children.reserve(8);
    StandardTimings(standard, di_edid_get_standard_timings(edid), w);
    if (standard.children.empty())
        w.Text(standard, "timings", "Timings", "None");
    s.children.push_back(std::move(standard));

    // The four 18-byte slots in their order: the library lists detailed
    // timings and display descriptors apart, each in slot order.
    const di_edid_detailed_timing_def* const* dtds = di_edid_get_detailed_timing_defs(edid);
    const di_edid_display_descriptor* const* descriptors = di_edid_get_display_descriptors(edid);
    Section slots = Make("Detailed Timings and Display Descriptors", "descriptors");
    slots.children.reserve(4);
    int timingNumber = 0;
    for (int slot = 0; slot < 4; ++slot) {
        const auto raw = base.subspan(54 + 18 * static_cast<std::size_t>(slot), 18);
        if (raw[0] != 0 || raw[1] != 0) {
            // The library drops a timing it finds fault with: take its next
            // one only when it is this slot's.
            const int width = raw[2] | (raw[4] >> 4) << 8;
            const int height = raw[5] | (raw[7] >> 4) << 8;
            if (dtds != nullptr && *dtds != nullptr && (*dtds)->horiz_video == width && (*dtds)->vert_video == height)
                slots.children.push_back(DetailedTiming(**dtds++, ++timingNumber, w));
            else
                slots.children.push_back(
                    DetailedTimingFromBytes(std::span<const std::uint8_t, 18>(raw.data(), 18), ++timingNumber, w));
            continue;
        }
        const di_edid_display_descriptor* d = nullptr;
        if (descriptors != nullptr && *descriptors != nullptr &&
            static_cast<unsigned>(di_edid_display_descriptor_get_tag(*descriptors)) == raw[3])
            d = *descriptors++;
        slots.children.push_back(Descriptor(d, raw, slot + 1, w));
    }
    s.children.push_back(std::move(slots));
    return s;
}

Section DetailedTiming(const di_edid_detailed_timing_def& t, int number, const FieldWriter& w)
{
    Section s = Make("Detailed Timing " + std::to_string(number), "detailed_timing");
    s.fields.reserve(24);
    // An interlaced timing gives the lines of one field: the frame has twice
    // as many, and the rate is that of the fields.
    const double htotal = t.horiz_video + t.horiz_blank;
    const double vtotal = t.vert_video + t.vert_blank + (t.interlaced ? 0.5 : 0.0);
    const double refresh = htotal * vtotal > 0 ? double(t.pixel_clock_hz) / (htotal * vtotal) : 0.0;
    const double clock = double(t.pixel_clock_hz) / 1e6;
    const int height = t.interlaced ? 2 * t.vert_video : t.vert_video;
    std::string& summary = s.summary;
    summary.reserve(64);
    AppendTiming(summary, t.horiz_video, height, refresh, w, t.interlaced);
    summary += ' ';
    w.AppendReal(summary, clock, 3);
    summary += " MHz";
    if (t.horiz_image_mm != 0 || t.vert_image_mm != 0) {
        summary += " (";
        AppendInteger(summary, t.horiz_image_mm);
        summary += " mm x ";
        AppendInteger(summary, t.vert_image_mm);
        summary += " mm)";
    }
    w.Real(s, "pixel_clock_mhz", "Pixel clock", clock, 3, "MHz");
    w.Integer(s, "width_px", "Horizontal active", t.horiz_video, "pixels");
    w.Integer(s, "height_px", "Vertical active", height, "lines");
    w.Real(s, "refresh_rate_hz", "Refresh rate", refresh, 3, "Hz");
    w.Integer(s, "horizontal_blank_px", "Horizontal blanking", t.horiz_blank, "pixels");
    w.Integer(s, "horizontal_front_porch_px", "Horizontal front porch", t.horiz_front_porch, "pixels");
    w.Integer(s, "horizontal_sync_px", "Horizontal sync width", t.horiz_sync_pulse, "pixels");
    w.Integer(s, "vertical_blank_lines", "Vertical blanking", t.vert_blank, "lines");
    w.Integer(s, "vertical_front_porch_lines", "Vertical front porch", t.vert_front_porch, "lines");
    w.Integer(s, "vertical_sync_lines", "Vertical sync width", t.vert_sync_pulse, "lines");
    w.Integer(s, "image_width_mm", "Image width", t.horiz_image_mm, "mm");
    w.Integer(s, "image_height_mm", "Image height", t.vert_image_mm, "mm");
    if (t.horiz_border != 0 || t.vert_border != 0) {
        w.Integer(s, "horizontal_border_px", "Horizontal border", t.horiz_border, "pixels");
        w.Integer(s, "vertical_border_lines", "Vertical border", t.vert_border, "lines");
    }
    w.Flag(s, "interlaced", "Interlaced", t.interlaced);
    static constexpr std::array<const char*, 7> kStereo = {
        "None", "Field sequential, right on sync", "Field sequential, left on sync",
        "2-way interleaved, right on even lines", "2-way interleaved, left on even lines", "4-way interleaved",
        "Side-by-side interleaved"};
    w.Fixed(s, "stereo", "Stereo", kStereo[std::min<unsigned>(static_cast<unsigned>(t.stereo), 6)]);
    if (t.digital_separate != nullptr) {
        w.Text(s, "sync", "Sync", "Digital separate");
        w.Fixed(s, "horizontal_sync_polarity", "Horizontal sync polarity",
               t.digital_separate->sync_horiz_polarity == DI_EDID_DETAILED_TIMING_DEF_SYNC_POSITIVE ? "Positive"
                                                                                                  : "Negative");
        w.Fixed(s, "vertical_sync_polarity", "Vertical sync polarity",
               t.digital_separate->sync_vert_polarity == DI_EDID_DETAILED_TIMING_DEF_SYNC_POSITIVE ? "Positive"
                                                                                                 : "Negative");
    } else if (t.digital_composite != nullptr) {
        w.Text(s, "sync", "Sync", "Digital composite");
        w.Flag(s, "sync_serrations", "Serrations", t.digital_composite->sync_serrations);
    } else if (t.analog_composite != nullptr) {
        w.Text(s, "sync", "Sync", "Analog composite");
        w.Flag(s, "sync_serrations", "Serrations", t.analog_composite->sync_serrations);
        w.Flag(s, "sync_on_green", "Sync on green only", t.analog_composite->sync_on_green);
    } else if (t.bipolar_analog_composite != nullptr) {
        w.Text(s, "sync", "Sync", "Bipolar analog composite");
        w.Flag(s, "sync_serrations", "Serrations", t.bipolar_analog_composite->sync_serrations);
        w.Flag(s, "sync_on_green", "Sync on green only", t.bipolar_analog_composite->sync_on_green);
    }
    return s;
}

} // namespace tessarin::complete::library
