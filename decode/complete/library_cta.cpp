// CTA-861 data blocks as the library reads them.
#include "field_writer.h"
#include "library_sections.h"

#include <array>
#include <map>
#include <string>
#include <tuple>

namespace tessarin::complete::library {

namespace {

constexpr unsigned Code(unsigned tag, unsigned extended = 0) { return tag << 8 | extended; }

const char* AspectText(di_cta_video_format_picture_aspect_ratio a)
{
    switch (a) {
    case DI_CTA_VIDEO_FORMAT_PICTURE_ASPECT_RATIO_4_3: return "4:3";
    case DI_CTA_VIDEO_FORMAT_PICTURE_ASPECT_RATIO_16_9: return "16:9";
    case DI_CTA_VIDEO_FORMAT_PICTURE_ASPECT_RATIO_64_27: return "64:27";
    case DI_CTA_VIDEO_FORMAT_PICTURE_ASPECT_RATIO_256_135: return "256:135";
    }
    return "";
}

const char* AudioFormat(di_cta_audio_format f)
{
    switch (f) {
    case DI_CTA_AUDIO_FORMAT_LPCM: return "Linear PCM";
    case DI_CTA_AUDIO_FORMAT_AC3: return "AC-3";
    case DI_CTA_AUDIO_FORMAT_MPEG1: return "MPEG-1";
    case DI_CTA_AUDIO_FORMAT_MP3: return "MP3";
    case DI_CTA_AUDIO_FORMAT_MPEG2: return "MPEG-2";
    case DI_CTA_AUDIO_FORMAT_AAC_LC: return "AAC LC";
    case DI_CTA_AUDIO_FORMAT_DTS: return "DTS";
    case DI_CTA_AUDIO_FORMAT_ATRAC: return "ATRAC";
    case DI_CTA_AUDIO_FORMAT_ONE_BIT_AUDIO: return "One Bit Audio";
    case DI_CTA_AUDIO_FORMAT_ENHANCED_AC3: return "Enhanced AC-3";
    case DI_CTA_AUDIO_FORMAT_DTS_HD: return "DTS-HD";
    case DI_CTA_AUDIO_FORMAT_MAT: return "MAT (MLP)";
    case DI_CTA_AUDIO_FORMAT_DST: return "DST";
    case DI_CTA_AUDIO_FORMAT_WMA_PRO: return "WMA Pro";
    case DI_CTA_AUDIO_FORMAT_MPEG4_HE_AAC: return "MPEG-4 HE AAC";
    case DI_CTA_AUDIO_FORMAT_MPEG4_HE_AAC_V2: return "MPEG-4 HE AAC v2";
    case DI_CTA_AUDIO_FORMAT_MPEG4_AAC_LC: return "MPEG-4 AAC LC";
    case DI_CTA_AUDIO_FORMAT_DRA: return "DRA";
    case DI_CTA_AUDIO_FORMAT_MPEG4_HE_AAC_MPEG_SURROUND: return "MPEG-4 HE AAC + MPEG Surround";
    case DI_CTA_AUDIO_FORMAT_MPEG4_AAC_LC_MPEG_SURROUND: return "MPEG-4 AAC LC + MPEG Surround";
    case DI_CTA_AUDIO_FORMAT_MPEGH_3D: return "MPEG-H 3D Audio";
    case DI_CTA_AUDIO_FORMAT_AC4: return "AC-4";
    case DI_CTA_AUDIO_FORMAT_LPCM_3D: return "L-PCM 3D Audio";
    }
    return "Unknown";
}

std::string Join(std::string list, const char* item)
{
    return list.empty() ? std::string(item) : list + " " + item;
}

Section Sad(const di_cta_sad& sad, const FieldWriter& w)
{
    Section s = Make(AudioFormat(sad.format), "short_audio_descriptor");
    w.Fixed(s, "format", "Format", AudioFormat(sad.format));
    std::string summary;
    if (sad.max_channels != 0) {
        w.Integer(s, "max_channels", "Maximum channels", sad.max_channels);
        summary = std::to_string(sad.max_channels) + " channels";
    }
    if (const auto* r = sad.supported_sample_rates) {
        std::string rates;
        const std::array<std::pair<bool, const char*>, 7> kRates = {{{r->has_192_khz, "192"},
                                                                     {r->has_176_4_khz, "176.4"},
                                                                     {r->has_96_khz, "96"},
                                                                     {r->has_88_2_khz, "88.2"},
                                                                     {r->has_48_khz, "48"},
                                                                     {r->has_44_1_khz, "44.1"},
                                                                     {r->has_32_khz, "32"}}};
        for (const auto& [on, name] : kRates)
            if (on)
                rates = Join(rates, name);
        w.Text(s, "sample_rates_khz", "Sample rates (kHz)", rates);
        summary += (summary.empty() ? "" : ", ") + rates + " kHz";
    }
    if (const auto* l = sad.lpcm) {
        std::string sizes;
        if (l->has_sample_size_24_bits)
            sizes = Join(sizes, "24");
        if (l->has_sample_size_20_bits)
            sizes = Join(sizes, "20");
        if (l->has_sample_size_16_bits)
            sizes = Join(sizes, "16");
        w.Text(s, "sample_sizes_bits", "Sample sizes (bits)", sizes);
        summary += ", " + sizes + " bits";
    }
    if (sad.max_bitrate_kbs != 0) {
        w.Integer(s, "max_bitrate_kbps", "Maximum bit rate", sad.max_bitrate_kbs, "kb/s");
        summary += ", up to " + std::to_string(sad.max_bitrate_kbs) + " kb/s";
    }
    if (const auto* e = sad.enhanced_ac3)
        w.Flag(s, "joint_object_coding", "Joint object coding", e->supports_joint_object_coding);
    if (const auto* m = sad.mat)
        w.Flag(s, "object_audio", "Object audio and channel-based", m->supports_object_audio_and_channel_based);
    if (const auto* p = sad.wma_pro)
        w.Integer(s, "wma_pro_profile", "WMA Pro profile", p->profile);
    s.summary = summary;
    return s;
}

void Speakers(Section& s, const di_cta_speaker_allocation& a, const FieldWriter& w)
{
    const std::array<std::tuple<bool, const char*, const char*>, 18> kSpeakers = {{
        {a.fl_fr, "fl_fr", "FL/FR - Front Left/Right"},
        {a.lfe1, "lfe1", "LFE1 - Low Frequency Effects 1"},
        {a.fc, "fc", "FC - Front Center"},
        {a.bl_br, "bl_br", "BL/BR - Back Left/Right"},
        {a.bc, "bc", "BC - Back Center"},
        {a.flc_frc, "flc_frc", "FLc/FRc - Front Left/Right of Center"},
        {a.flw_frw, "flw_frw", "FLw/FRw - Front Left/Right Wide"},
        {a.tpfl_tpfr, "tpfl_tpfr", "TpFL/TpFR - Top Front Left/Right"},
        {a.tpc, "tpc", "TpC - Top Center"},
        {a.tpfc, "tpfc", "TpFC - Top Front Center"},
        {a.ls_rs, "ls_rs", "LS/RS - Left/Right Surround"},
        {a.lfe2, "lfe2", "LFE2 - Low Frequency Effects 2"},
        {a.tpbc, "tpbc", "TpBC - Top Back Center"},
        {a.sil_sir, "sil_sir", "SiL/SiR - Side Left/Right"},
        {a.tpsil_tpsir, "tpsil_tpsir", "TpSiL/TpSiR - Top Side Left/Right"},
        {a.tpbl_tpbr, "tpbl_tpbr", "TpBL/TpBR - Top Back Left/Right"},
        {a.btfc, "btfc", "BtFC - Bottom Front Center"},
        {a.btfl_btfr, "btfl_btfr", "BtFL/BtFR - Bottom Front Left/Right"},
    }};
    bool any = false;
    for (const auto& [on, key, label] : kSpeakers)
        if (on) {
            w.Flag(s, key, label, true);
            any = true;
        }
    if (!any)
        w.Text(s, "speakers", "Speakers", "None");
}

const char* Scan(di_cta_video_cap_over_underscan v)
{
    switch (v) {
    case DI_CTA_VIDEO_CAP_UNKNOWN_OVER_UNDERSCAN: return "No data";
    case DI_CTA_VIDEO_CAP_ALWAYS_OVERSCAN: return "Always overscanned";
    case DI_CTA_VIDEO_CAP_ALWAYS_UNDERSCAN: return "Always underscanned";
    case DI_CTA_VIDEO_CAP_BOTH_OVER_UNDERSCAN: return "Supports both over- and underscan";
    }
    return "";
}

void Svds(Section& s, const di_cta_svd* const* svds, std::vector<std::uint8_t>* vics, const FieldWriter& w)
{
    std::size_t count = 0;
    for (auto* svd = svds; svd != nullptr && *svd != nullptr; ++svd)
        ++count;
    s.children.reserve(s.children.size() + count);
    for (; svds != nullptr && *svds != nullptr; ++svds) {
        s.children.push_back(Vic((*svds)->vic, (*svds)->native, w));
        if (vics != nullptr)
            vics->push_back((*svds)->vic);
    }
}

void HdrStatic(Section& s, const di_cta_hdr_static_metadata_block& h, const FieldWriter& w)
{
    if (const auto* e = h.eotfs) {
        w.Flag(s, "eotf_traditional_sdr", "Traditional gamma, SDR range", e->traditional_sdr);
        w.Flag(s, "eotf_traditional_hdr", "Traditional gamma, HDR range", e->traditional_hdr);
        w.Flag(s, "eotf_pq", "SMPTE ST 2084 (PQ)", e->pq);
        w.Flag(s, "eotf_hlg", "Hybrid Log-Gamma (HLG)", e->hlg);
    }
    if (const auto* d = h.descriptors)
        w.Flag(s, "static_metadata_type1", "Static metadata type 1", d->type1);
    if (h.desired_content_max_luminance != 0.0f)
        w.Real(s, "max_luminance_cd_m2", "Max luminance", h.desired_content_max_luminance, 3,
               "cd/m²");
    if (h.desired_content_max_frame_avg_luminance != 0.0f)
        w.Real(s, "max_frame_average_luminance_cd_m2", "Max frame-average luminance",
               h.desired_content_max_frame_avg_luminance, 3, "cd/m²");
    if (h.desired_content_min_luminance != 0.0f)
        w.Real(s, "min_luminance_cd_m2", "Min luminance", h.desired_content_min_luminance, 3,
               "cd/m²");
}

const char* InfoFrameName(di_cta_infoframe_type t)
{
    switch (t) {
    case DI_CTA_INFOFRAME_TYPE_AUXILIARY_VIDEO_INFORMATION: return "Auxiliary Video Information";
    case DI_CTA_INFOFRAME_TYPE_SOURCE_PRODUCT_DESCRIPTION: return "Source Product Description";
    case DI_CTA_INFOFRAME_TYPE_AUDIO: return "Audio";
    case DI_CTA_INFOFRAME_TYPE_MPEG_SOURCE: return "MPEG Source";
    case DI_CTA_INFOFRAME_TYPE_NTSC_VBI: return "NTSC VBI";
    case DI_CTA_INFOFRAME_TYPE_DYNAMIC_RANGE_AND_MASTERING: return "Dynamic Range and Mastering";
    }
    return "Unknown";
}

} // namespace

namespace {

Section VicSection(unsigned vic, bool native, const FieldWriter& w)
{
    Section s = Make("VIC " + std::to_string(vic), "vic");
    w.Integer(s, "vic", "VIC", vic);
    const di_cta_video_format* f = vic <= 255 ? di_cta_video_format_from_vic(static_cast<std::uint8_t>(vic)) : nullptr;
    if (f == nullptr) {
        s.summary = "Unknown VIC";
        w.Flag(s, "native", "Native", native);
        return s;
    }
    const double htotal = f->h_active + f->h_front + f->h_sync + f->h_back;
    const double vblank = f->v_front + f->v_sync + f->v_back;
    // Interlaced formats count active lines per frame and blanking per field.
    const double vtotal = f->interlaced ? f->v_active / 2.0 + vblank + 0.5 : f->v_active + vblank;
    const double refresh = double(f->pixel_clock_hz) / (htotal * vtotal);
    const double clock = double(f->pixel_clock_hz) / 1e6;
    std::string& summary = s.summary;
    summary.reserve(64);
    AppendInteger(summary, f->h_active);
    summary += 'x';
    AppendInteger(summary, f->v_active);
    summary += f->interlaced ? "i " : "p ";
    w.AppendReal(summary, refresh, 3);
    summary += " Hz ";
    summary += AspectText(f->picture_aspect_ratio);
    summary += ' ';
    w.AppendReal(summary, clock, 3);
    summary += native ? " MHz (native)" : " MHz";
    w.Integer(s, "width_px", "Width", f->h_active, "pixels");
    w.Integer(s, "height_px", "Height", f->v_active, "lines");
    w.Flag(s, "interlaced", "Interlaced", f->interlaced);
    w.Real(s, "refresh_rate_hz", "Refresh rate", refresh, 3, "Hz");
    w.Fixed(s, "aspect_ratio", "Aspect ratio", AspectText(f->picture_aspect_ratio));
    w.Real(s, "pixel_clock_mhz", "Pixel clock", clock, 3, "MHz");
    w.Flag(s, "native", "Native", native);
    return s;
}

} // namespace

Section Vic(unsigned vic, bool native, const FieldWriter& w)
{
    // A VIC's section depends on the code, the flag and the separator alone,
    // and reports list the same few dozen again and again: each is made once.
    struct Made {
        char separator = 0;
        std::map<unsigned, Section> sections;
    };
    if (vic > 255)
        return VicSection(vic, native, w);
    thread_local Made made;
    if (made.separator != w.separator()) {
        made.sections.clear();
        made.separator = w.separator();
    }
    const unsigned key = vic << 1 | (native ? 1 : 0);
    const auto it = made.sections.find(key);
    if (it != made.sections.end())
        return it->second;
    return made.sections.emplace(key, VicSection(vic, native, w)).first->second;
}

Section CtaHeader(const di_edid_cta* cta, const FieldWriter& w)
{
    Section s = Make("CTA-861 Header", "cta861_header");
    w.Integer(s, "revision", "Revision", di_edid_cta_get_revision(cta));
    const di_edid_cta_flags* f = di_edid_cta_get_flags(cta);
    w.Flag(s, "it_underscan", "Underscans IT formats", f->it_underscan);
    w.Flag(s, "basic_audio", "Basic audio", f->basic_audio);
    w.Flag(s, "ycbcr444", "YCbCr 4:4:4", f->ycc444);
    w.Flag(s, "ycbcr422", "YCbCr 4:2:2", f->ycc422);
    w.Integer(s, "native_detailed_timings", "Native detailed timings", f->native_dtds);
    return s;
}

unsigned CtaDataBlock(const di_cta_data_block* block, std::vector<std::uint8_t>& svdVics, Section& s,
                      const FieldWriter& w)
{
    switch (di_cta_data_block_get_tag(block)) {
    case DI_CTA_DATA_BLOCK_AUDIO:
        for (auto* sad = di_cta_data_block_get_sads(block); sad != nullptr && *sad != nullptr; ++sad)
            s.children.push_back(Sad(**sad, w));
        return Code(1);
    case DI_CTA_DATA_BLOCK_VIDEO:
        Svds(s, di_cta_data_block_get_svds(block), &svdVics, w);
        return Code(2);
    case DI_CTA_DATA_BLOCK_SPEAKER_ALLOC:
        if (const auto* a = di_cta_data_block_get_speaker_alloc(block))
            Speakers(s, a->speakers, w);
        return Code(4);
    case DI_CTA_DATA_BLOCK_VESA_DISPLAY_TRANSFER_CHARACTERISTIC:
        if (const auto* t = di_cta_data_block_get_vesa_transfer_characteristics(block)) {
            static constexpr std::array<const char*, 4> kUsage = {"White", "Red", "Green", "Blue"};
            w.Fixed(s, "usage", "Usage", kUsage[static_cast<unsigned>(t->usage) & 3]);
            std::string points;
            for (unsigned i = 0; i < t->points_len && i < 32; ++i)
                points += (i ? " " : "") + w.FormatReal(t->points[i], 3);
            w.Text(s, "points", "Points", points);
        }
        return Code(5);
    case DI_CTA_DATA_BLOCK_VIDEO_FORMAT: return Code(6);
    case DI_CTA_DATA_BLOCK_VIDEO_CAP:
        if (const auto* v = di_cta_data_block_get_video_cap(block)) {
            w.Flag(s, "selectable_ycc_quantization", "YCbCr quantization selectable",
                   v->selectable_ycc_quantization_range);
            w.Flag(s, "selectable_rgb_quantization", "RGB quantization selectable",
                   v->selectable_rgb_quantization_range);
            w.Fixed(s, "pt_scan", "PT scan behaviour", Scan(v->pt_over_underscan));
            w.Fixed(s, "it_scan", "IT scan behaviour", Scan(v->it_over_underscan));
            w.Fixed(s, "ce_scan", "CE scan behaviour", Scan(v->ce_over_underscan));
        }
        return Code(7, 0);
    case DI_CTA_DATA_BLOCK_VESA_DISPLAY_DEVICE:
        if (const auto* d = di_cta_data_block_get_vesa_dddb(block)) {
            w.Integer(s, "interface_type_code", "Interface type (code)", d->interface_type);
            w.Integer(s, "channels", "Lanes or channels", d->num_channels);
            if (d->native_horiz_pixels != 0)
                w.Text(s, "native_format", "Native format",
                       std::to_string(d->native_horiz_pixels) + "x" + std::to_string(d->native_vert_pixels));
            w.Real(s, "aspect_ratio", "Aspect ratio", d->aspect_ratio, 2);
            w.Integer(s, "bit_depth_interface", "Interface bit depth", d->bit_depth_interface, "bits");
            w.Integer(s, "bit_depth_display", "Display bit depth", d->bit_depth_display, "bits");
            w.Flag(s, "audio", "Audio on the video interface", d->audio_support);
        }
        return Code(7, 2);
    case DI_CTA_DATA_BLOCK_COLORIMETRY:
        if (const auto* c = di_cta_data_block_get_colorimetry(block)) {
            w.Flag(s, "xvycc601", "xvYCC601", c->xvycc_601);
            w.Flag(s, "xvycc709", "xvYCC709", c->xvycc_709);
            w.Flag(s, "sycc601", "sYCC601", c->sycc_601);
            w.Flag(s, "opycc601", "opYCC601", c->opycc_601);
            w.Flag(s, "oprgb", "opRGB", c->oprgb);
            w.Flag(s, "bt2020_cycc", "BT2020cYCC", c->bt2020_cycc);
            w.Flag(s, "bt2020_ycc", "BT2020YCC", c->bt2020_ycc);
            w.Flag(s, "bt2020_rgb", "BT2020RGB", c->bt2020_rgb);
            w.Flag(s, "st2113_rgb", "ST2113RGB", c->st2113_rgb);
            w.Flag(s, "ictcp", "ICtCp", c->ictcp);
        }
        return Code(7, 5);
    case DI_CTA_DATA_BLOCK_HDR_STATIC_METADATA:
        if (const auto* h = di_cta_data_block_get_hdr_static_metadata(block))
            HdrStatic(s, *h, w);
        return Code(7, 6);
    case DI_CTA_DATA_BLOCK_HDR_DYNAMIC_METADATA:
        if (const auto* h = di_cta_data_block_get_hdr_dynamic_metadata(block)) {
            w.Flag(s, "type1", "Dynamic metadata type 1", h->type1 != nullptr);
            w.Flag(s, "type2", "Dynamic metadata type 2", h->type2 != nullptr);
            w.Flag(s, "type3", "Dynamic metadata type 3", h->type3 != nullptr);
            w.Flag(s, "type4", "Dynamic metadata type 4", h->type4 != nullptr);
            w.Flag(s, "type256", "Dynamic metadata type 256", h->type256 != nullptr);
        }
        return Code(7, 7);
    case DI_CTA_DATA_BLOCK_NATIVE_VIDEO_RESOLUTION: return Code(7, 8);
    case DI_CTA_DATA_BLOCK_VIDEO_FORMAT_PREF:
        for (auto* r = di_cta_data_block_get_svrs(block); r != nullptr && *r != nullptr; ++r) {
            Section ref = Make("Preference", "short_video_reference");
            switch ((*r)->type) {
            case DI_CTA_SVR_TYPE_VIC:
                ref = Vic((*r)->vic, false, w);
                break;
            case DI_CTA_SVR_TYPE_DTD_INDEX:
                ref.summary = "DTD " + std::to_string((*r)->dtd_index);
                w.Integer(ref, "dtd_index", "Detailed timing", (*r)->dtd_index);
                break;
            case DI_CTA_SVR_TYPE_T7T10VTDB:
                ref.summary = "Type VII/X timing " + std::to_string((*r)->t7_t10_vtdb_index);
                w.Integer(ref, "t7_t10_index", "Type VII/X timing", (*r)->t7_t10_vtdb_index);
                break;
            case DI_CTA_SVR_TYPE_FIRST_T8VTDB:
                ref.summary = "First type VIII timing";
                break;
            }
            s.children.push_back(std::move(ref));
        }
        return Code(7, 13);
    case DI_CTA_DATA_BLOCK_YCBCR420:
        Svds(s, di_cta_data_block_get_ycbcr420_svds(block), nullptr, w);
        return Code(7, 14);
    case DI_CTA_DATA_BLOCK_YCBCR420_CAP_MAP:
        if (const auto* map = di_cta_data_block_get_ycbcr420_cap_map(block)) {
            for (std::size_t i = 0; i < svdVics.size(); ++i)
                if (di_cta_ycbcr420_cap_map_supported(map, i))
                    s.children.push_back(Vic(svdVics[i], false, w));
            if (s.children.empty())
                w.Text(s, "vics", "VICs", "None of the video data block's");
        }
        return Code(7, 15);
    case DI_CTA_DATA_BLOCK_HDMI_AUDIO:
        if (const auto* a = di_cta_data_block_get_hdmi_audio(block)) {
            if (a->multi_stream != nullptr) {
                w.Integer(s, "max_streams", "Multi-stream audio streams", a->multi_stream->max_streams);
                w.Flag(s, "non_mixed", "Non-mixed streams", a->multi_stream->supports_non_mixed);
            }
            if (a->audio_3d != nullptr) {
                static constexpr std::array<const char*, 4> kChannels = {"Unknown", "10.2", "22.2", "30.2"};
                w.Text(s, "audio_3d_channels", "3D audio channels",
                       kChannels[static_cast<unsigned>(a->audio_3d->channels) & 3]);
                for (auto* sad = a->audio_3d->sads; sad != nullptr && *sad != nullptr; ++sad)
                    s.children.push_back(Sad(**sad, w));
            }
        }
        return Code(7, 18);
    case DI_CTA_DATA_BLOCK_ROOM_CONFIG:
        if (const auto* r = di_cta_data_block_get_room_configuration(block)) {
            w.Integer(s, "speaker_count", "Speakers", r->speaker_count);
            w.Flag(s, "speaker_location_descriptors", "Speaker locations given", r->has_speaker_location_descriptors);
            Speakers(s, r->speakers, w);
        }
        return Code(7, 19);
    case DI_CTA_DATA_BLOCK_SPEAKER_LOCATION:
        for (auto* l = di_cta_data_block_get_speaker_locations(block); l != nullptr && *l != nullptr; ++l) {
            Section loc = Make("Speaker", "speaker_location");
            w.Integer(loc, "channel_index", "Channel", (*l)->channel_index);
            w.Flag(loc, "active", "Active", (*l)->is_active);
            if ((*l)->has_coords) {
                w.Real(loc, "x", "x", (*l)->x, 3);
                w.Real(loc, "y", "y", (*l)->y, 3);
                w.Real(loc, "z", "z", (*l)->z, 3);
                loc.summary = "channel " + std::to_string((*l)->channel_index) + " at " + w.FormatReal((*l)->x, 3) +
                              ", " + w.FormatReal((*l)->y, 3) + ", " + w.FormatReal((*l)->z, 3);
            } else {
                w.Integer(loc, "speaker_id", "Speaker", (*l)->speaker_id);
                loc.summary = "channel " + std::to_string((*l)->channel_index) + ": speaker " +
                              std::to_string((*l)->speaker_id);
            }
            s.children.push_back(std::move(loc));
        }
        return Code(7, 20);
    case DI_CTA_DATA_BLOCK_INFOFRAME:
        if (const auto* f = di_cta_data_block_get_infoframe(block)) {
            w.Integer(s, "simultaneous_vsifs", "Simultaneous VSIFs", f->num_simultaneous_vsifs);
            std::string names;
            for (auto* d = f->infoframes; d != nullptr && *d != nullptr; ++d)
                names += std::string(names.empty() ? "" : ", ") + InfoFrameName((*d)->type);
            w.Text(s, "infoframes", "InfoFrames", names.empty() ? "None" : names);
        }
        return Code(7, 32);
    case DI_CTA_DATA_BLOCK_DISPLAYID_VIDEO_TIMING_VII:
        if (const auto* t = di_cta_data_block_get_did_type_vii_timing(block)) {
            Section timing = Make("Type VII timing", "type_vii_timing");
            timing.summary = std::to_string(t->horiz_active) + "x" + std::to_string(t->vert_active) + " " +
                             w.FormatReal(t->pixel_clock_mhz, 3) + " MHz";
            w.Real(timing, "pixel_clock_mhz", "Pixel clock", t->pixel_clock_mhz, 3, "MHz");
            w.Integer(timing, "width_px", "Width", t->horiz_active, "pixels");
            w.Integer(timing, "height_px", "Height", t->vert_active, "lines");
            s.children.push_back(std::move(timing));
        }
        return Code(7, 34);
    case DI_CTA_DATA_BLOCK_DISPLAYID_VIDEO_TIMING_VIII: return Code(7, 35);
    case DI_CTA_DATA_BLOCK_DISPLAYID_VIDEO_TIMING_X: return Code(7, 42);
    case DI_CTA_DATA_BLOCK_HDMI_EDID_EXT_OVERRIDE: return Code(7, 120);
    case DI_CTA_DATA_BLOCK_HDMI_SINK_CAP: return Code(7, 121);
    }
    return 0;
}

} // namespace tessarin::complete::library
