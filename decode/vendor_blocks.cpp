#include "vendor_blocks.h"

#include "bits.h"

#include <array>
#include <cmath>
#include <cstdio>

namespace tessarin::complete {

namespace {

using Bytes = std::span<const std::uint8_t>;

// Reads byte `i` of a payload that a sink may end early: HDMI says an absent
// field means "not supported", so callers stop at the first missing one.
struct Payload {
    Bytes bytes;
    bool has(std::size_t i) const noexcept { return i < bytes.size(); }
    std::uint8_t operator[](std::size_t i) const noexcept { return has(i) ? bytes[i] : 0; }
};

void ExtraBytes(Section& s, const FieldWriter& w, Payload p, std::size_t decoded)
{
    if (p.bytes.size() > decoded)
        w.Bytes(s, "further_bytes", "Further bytes", p.bytes.subspan(decoded));
}

// ---- HDMI Licensing, LLC

constexpr std::array<const char*, 5> kHdmiVics = {
    "", "3840x2160 30 Hz", "3840x2160 25 Hz", "3840x2160 24 Hz", "4096x2160 24 Hz"};

void HdmiFields(Section& s, const FieldWriter& w, Payload p)
{
    if (!p.has(1))
        return ExtraBytes(s, w, p, 0);
    std::string address;
    for (const unsigned part : {get_bit_range(p[0], 7, 4), get_bit_range(p[0], 3, 0), get_bit_range(p[1], 7, 4),
                                get_bit_range(p[1], 3, 0)}) {
        if (!address.empty())
            address += '.';
        AppendInteger(address, part);
    }
    w.Text(s, "physical_address", "Source physical address", std::move(address));
    if (!p.has(2))
        return;
    w.Flag(s, "supports_ai", "Supports_AI (ACP, ISRC1, ISRC2)", IsBitSet(p[2], 7));
    w.Flag(s, "dc_48bit", "Deep colour 48 bits", IsBitSet(p[2], 6));
    w.Flag(s, "dc_36bit", "Deep colour 36 bits", IsBitSet(p[2], 5));
    w.Flag(s, "dc_30bit", "Deep colour 30 bits", IsBitSet(p[2], 4));
    w.Flag(s, "dc_y444", "Deep colour in YCbCr 4:4:4", IsBitSet(p[2], 3));
    w.Flag(s, "dvi_dual", "DVI dual-link", IsBitSet(p[2], 0));
    if (!p.has(3))
        return;
    w.Integer(s, "max_tmds_clock_mhz", "Maximum TMDS clock", p[3] * 5, "MHz");
    if (!p.has(4))
        return;
    const std::uint8_t flags = p[4];
    w.Flag(s, "cnc_graphics", "Content type Graphics", IsBitSet(flags, 0));
    w.Flag(s, "cnc_photo", "Content type Photo", IsBitSet(flags, 1));
    w.Flag(s, "cnc_cinema", "Content type Cinema", IsBitSet(flags, 2));
    w.Flag(s, "cnc_game", "Content type Game", IsBitSet(flags, 3));
    std::size_t i = 5;
    if (IsBitSet(flags, 7) && p.has(i + 1)) {
        // Latency n means (n - 1) * 2 ms; 0 unknown, 255 no video/audio.
        w.Integer(s, "video_latency_code", "Video latency (code)", p[i]);
        w.Integer(s, "audio_latency_code", "Audio latency (code)", p[i + 1]);
        i += 2;
    }
    if (IsBitSet(flags, 6) && p.has(i + 1)) {
        w.Integer(s, "interlaced_video_latency_code", "Interlaced video latency", p[i]);
        w.Integer(s, "interlaced_audio_latency_code", "Interlaced audio latency", p[i + 1]);
        i += 2;
    }
    if (!IsBitSet(flags, 5) || !p.has(i + 1))
        return ExtraBytes(s, w, p, i);
    const std::uint8_t video = p[i];
    w.Flag(s, "hdmi_3d_present", "3D present", IsBitSet(video, 7));
    w.Integer(s, "hdmi_3d_multi_present", "3D multi present", get_bit_range(video, 6, 5));
    w.Integer(s, "image_size_code", "Image size", get_bit_range(video, 4, 3));
    const unsigned vicLength = get_bit_range(p[i + 1], 7, 5);
    const unsigned length3d = get_bit_range(p[i + 1], 4, 0);
    i += 2;
    for (unsigned n = 0; n < vicLength && p.has(i); ++n, ++i) {
        Section vic;
        vic.title = FixedText("HDMI VIC");
        vic.key = "hdmi_vic";
        w.Integer(vic, "hdmi_vic", "HDMI VIC", p[i]);
        w.Text(vic, "format", "Format", p[i] < kHdmiVics.size() && p[i] > 0 ? kHdmiVics[p[i]] : "Unknown");
        s.children.push_back(std::move(vic));
    }
    if (length3d > 0 && p.has(i)) {
        const std::size_t end = std::min<std::size_t>(i + length3d, p.bytes.size());
        w.Bytes(s, "hdmi_3d_bytes", "3D structures", p.bytes.subspan(i, end - i));
        i = end;
    }
    ExtraBytes(s, w, p, i);
}

// ---- HDMI Forum

const char* FrlRate(unsigned code)
{
    static constexpr std::array<const char*, 7> kRates = {
        "Not supported",
        "3 Gbps per lane on 3 lanes",
        "3 and 6 Gbps per lane on 3 lanes",
        "3 and 6 Gbps per lane on 3 lanes, 6 Gbps per lane on 4 lanes",
        "3 and 6 Gbps per lane on 3 lanes, 6 and 8 Gbps per lane on 4 lanes",
        "3 and 6 Gbps per lane on 3 lanes, 6, 8 and 10 Gbps per lane on 4 lanes",
        "3 and 6 Gbps per lane on 3 lanes, 6, 8, 10 and 12 Gbps per lane on 4 lanes"};
    return code < kRates.size() ? kRates[code] : "Reserved";
}

// From the version byte on; the same in the vendor block and in the Sink
// Capability block.
void HdmiForumFields(Section& s, const FieldWriter& w, Payload p)
{
    if (!p.has(0))
        return;
    w.Integer(s, "version", "Version", p[0]);
    if (!p.has(1))
        return;
    // 0 means the sink goes no higher than 340 MHz.
    w.Integer(s, "max_tmds_character_rate_mhz", "Maximum TMDS character rate", p[1] * 5, "MHz");
    if (!p.has(2))
        return;
    const std::uint8_t f = p[2];
    w.Flag(s, "scdc_present", "SCDC present", IsBitSet(f, 7));
    w.Flag(s, "scdc_read_request", "SCDC read request capable", IsBitSet(f, 6));
    w.Flag(s, "cable_status", "Cable status", IsBitSet(f, 5));
    w.Flag(s, "ccbpci", "Content bits per component (CCBPCI)", IsBitSet(f, 4));
    w.Flag(s, "lte_340mcsc_scramble", "Scrambling at 340 Mcsc or less", IsBitSet(f, 3));
    w.Flag(s, "independent_view_3d", "3D independent view", IsBitSet(f, 2));
    w.Flag(s, "dual_view_3d", "3D dual view", IsBitSet(f, 1));
    w.Flag(s, "osd_disparity_3d", "3D OSD disparity", IsBitSet(f, 0));
    if (!p.has(3))
        return;
    const std::uint8_t g = p[3];
    const unsigned frl = get_bit_range(g, 7, 4);
    w.Integer(s, "max_frl_rate_code", "Maximum FRL rate (code)", frl);
    w.Text(s, "max_frl_rate", "Maximum FRL rate", FrlRate(frl));
    w.Flag(s, "uhd_vic", "UHD VIC", IsBitSet(g, 3));
    w.Flag(s, "dc_48bit_420", "4:2:0 deep colour 16 bits", IsBitSet(g, 2));
    w.Flag(s, "dc_36bit_420", "4:2:0 deep colour 12 bits", IsBitSet(g, 1));
    w.Flag(s, "dc_30bit_420", "4:2:0 deep colour 10 bits", IsBitSet(g, 0));
    if (!p.has(4))
        return;
    const std::uint8_t h = p[4];
    w.Flag(s, "fapa_end_extended", "FAPA end extended", IsBitSet(h, 7));
    w.Flag(s, "qms", "Quick media switching (QMS)", IsBitSet(h, 6));
    w.Flag(s, "m_delta", "M delta", IsBitSet(h, 5));
    w.Flag(s, "cinema_vrr", "Cinema VRR", IsBitSet(h, 4));
    w.Flag(s, "cnm_vrr", "Negative M VRR values", IsBitSet(h, 3));
    w.Flag(s, "fva", "Fast vactive (FVA)", IsBitSet(h, 2));
    w.Flag(s, "allm", "Auto low-latency mode (ALLM)", IsBitSet(h, 1));
    w.Flag(s, "fapa_start_location", "FAPA start location", IsBitSet(h, 0));
    if (!p.has(6))
        return ExtraBytes(s, w, p, 5);
    // VRR 0/0 means no variable refresh rate.
    const unsigned vrrMin = get_bit_range(p[5], 5, 0);
    const unsigned vrrMax = (get_bit_range(p[5], 7, 6) << 8) | p[6];
    w.Flag(s, "vrr", "Variable refresh rate (VRR)", vrrMin != 0 || vrrMax != 0);
    if (vrrMin != 0 || vrrMax != 0) {
        w.Integer(s, "vrr_min_hz", "VRR minimum", vrrMin, "Hz");
        w.Integer(s, "vrr_max_hz", "VRR maximum", vrrMax, "Hz");
    }
    if (!p.has(7))
        return;
    const std::uint8_t d = p[7];
    w.Flag(s, "dsc_1p2", "DSC 1.2a", IsBitSet(d, 7));
    w.Flag(s, "qms_tfr_max", "QMS TFR maximum", IsBitSet(d, 5));
    w.Flag(s, "qms_tfr_min", "QMS TFR minimum", IsBitSet(d, 4));
    // The other DSC fields mean something only when DSC is supported.
    if (IsBitSet(d, 7)) {
        w.Flag(s, "dsc_native_420", "DSC native 4:2:0", IsBitSet(d, 6));
        w.Flag(s, "dsc_all_bpp", "DSC any 1/16 bit per pixel", IsBitSet(d, 3));
        w.Flag(s, "dsc_16bpc", "DSC 16 bits per component", IsBitSet(d, 2));
        w.Flag(s, "dsc_12bpc", "DSC 12 bits per component", IsBitSet(d, 1));
        w.Flag(s, "dsc_10bpc", "DSC 10 bits per component", IsBitSet(d, 0));
    }
    if (!p.has(8) || !IsBitSet(d, 7))
        return ExtraBytes(s, w, p, p.has(9) ? 10 : p.bytes.size());
    const unsigned dscFrl = get_bit_range(p[8], 7, 4);
    w.Integer(s, "dsc_max_frl_rate_code", "DSC maximum FRL rate (code)", dscFrl);
    w.Text(s, "dsc_max_frl_rate", "DSC maximum FRL rate", FrlRate(dscFrl));
    const unsigned slices = get_bit_range(p[8], 3, 0);
    static constexpr std::array<const char*, 8> kSlices = {
        "Not supported", "Up to 1 slice at 340 MHz", "Up to 2 slices at 340 MHz", "Up to 4 slices at 340 MHz",
        "Up to 8 slices at 340 MHz", "Up to 8 slices at 400 MHz", "Up to 12 slices at 400 MHz",
        "Up to 16 slices at 400 MHz"};
    w.Integer(s, "dsc_max_slices_code", "DSC maximum slices (code)", slices);
    w.Text(s, "dsc_max_slices", "DSC maximum slices", slices < kSlices.size() ? kSlices[slices] : "Reserved");
    if (!p.has(9))
        return;
    w.Integer(s, "dsc_total_chunk_bytes", "DSC total chunk size", (get_bit_range(p[9], 5, 0) + 1) * 1024, "bytes");
    ExtraBytes(s, w, p, 10);
}

// ---- AMD

void AmdFields(Section& s, const FieldWriter& w, Payload p)
{
    if (!p.has(1))
        return ExtraBytes(s, w, p, 0);
    w.Text(s, "version", "Version", std::to_string(p[0]) + "." + std::to_string(p[1]));
    if (!p.has(3))
        return ExtraBytes(s, w, p, 2);
    w.Integer(s, "min_refresh_rate_hz", "FreeSync minimum refresh rate", p[2], "Hz");
    w.Integer(s, "max_refresh_rate_hz", "FreeSync maximum refresh rate", p[3], "Hz");
    if (!p.has(4))
        return;
    w.Hex(s, "flags_1", "Flags 1.x", p[4]);
    // Any of these bits: the range is switched through VESA MCCS.
    w.Flag(s, "mccs", "Range switched through MCCS", (p[4] & 0xE6) != 0);
    if (!p.has(7))
        return ExtraBytes(s, w, p, 5);
    w.Hex(s, "flags_2", "Flags 2.x", p[5]);
    w.Flag(s, "local_dimming", "Local dimming", IsBitSet(p[5], 2));
    // Luminances coded as in the HDR static metadata block.
    const double maxLuminance = 50.0 * std::pow(2.0, p[6] / 32.0);
    w.Real(s, "max_luminance_cd_m2", "Maximum luminance", maxLuminance, 3, "cd/m²");
    w.Real(s, "min_luminance_cd_m2", "Minimum luminance", maxLuminance * std::pow(p[7] / 255.0, 2) / 100.0, 3,
           "cd/m²");
    if (!p.has(9) || !IsBitSet(p[5], 2))
        return ExtraBytes(s, w, p, 8);
    const double maxNoDimming = 50.0 * std::pow(2.0, p[8] / 32.0);
    w.Real(s, "max_luminance_no_local_dimming_cd_m2", "Max luminance, no local dimming", maxNoDimming, 3,
           "cd/m²");
    w.Real(s, "min_luminance_no_local_dimming_cd_m2", "Min luminance, no local dimming",
           maxNoDimming * std::pow(p[9] / 255.0, 2) / 100.0, 3, "cd/m²");
    ExtraBytes(s, w, p, 10);
}

// ---- Microsoft

const char* MicrosoftUseCase(unsigned code)
{
    switch (code) {
    case 1: return "Test equipment";
    case 2: return "Generic display";
    case 3: return "Television display";
    case 4: return "Desktop productivity display";
    case 5: return "Desktop gaming display";
    case 6: return "Presentation display";
    case 7: return "Virtual reality headset";
    case 8: return "Augmented reality";
    case 16: return "Video wall display";
    case 17: return "Medical imaging display";
    case 18: return "Dedicated gaming display";
    case 19: return "Dedicated video monitor display";
    case 20: return "Accessory display";
    default: return "Unknown";
    }
}

void MicrosoftFields(Section& s, const FieldWriter& w, Payload p)
{
    w.Integer(s, "version", "Version", p[0]);
    // Versions 1 and 2 keep these two bits at 0.
    if (p[0] > 2) {
        w.Flag(s, "desktop_usage", "Desktop usage", IsBitSet(p[1], 6));
        w.Flag(s, "third_party_usage", "Third-party usage", IsBitSet(p[1], 5));
    }
    w.Integer(s, "primary_use_case_code", "Primary use case (code)", get_bit_range(p[1], 4, 0));
    w.Text(s, "primary_use_case", "Primary use case", MicrosoftUseCase(get_bit_range(p[1], 4, 0)));
    w.Text(s, "container_id", "Container ID", ContainerIdText(p.bytes.subspan<2, 16>()));
    ExtraBytes(s, w, p, 18);
}

} // namespace

std::string ContainerIdText(std::span<const std::uint8_t, 16> id)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text;
    text.reserve(36);
    for (std::size_t i = 0; i < id.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10)
            text += '-';
        text += kHex[id[i] >> 4];
        text += kHex[id[i] & 0xF];
    }
    return text;
}

std::string OuiText(std::uint32_t oui)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    const char text[8] = {kHex[(oui >> 20) & 0xF], kHex[(oui >> 16) & 0xF], '-', kHex[(oui >> 12) & 0xF],
                          kHex[(oui >> 8) & 0xF],  '-',                     kHex[(oui >> 4) & 0xF], kHex[oui & 0xF]};
    return std::string(text, sizeof text);
}

Section DecodeVendorSpecificDataBlock(std::span<const std::uint8_t> block, const FieldWriter& w)
{
    if (block.size() < 4)
        return BytesOnlySection("Vendor-Specific Data Block", "vendor_specific_data_block", block);
    const std::uint32_t oui = block[1] | static_cast<std::uint32_t>(block[2]) << 8 | static_cast<std::uint32_t>(block[3]) << 16;
    const Payload payload{block.subspan(4)};
    Section s;
    switch (oui) {
    case kOuiHdmi:
        s.title = FixedText("Vendor-Specific Data Block (HDMI)");
        s.key = "vendor_specific_data_block_hdmi";
        break;
    case kOuiHdmiForum:
        s.title = FixedText("Vendor-Specific Data Block (HDMI Forum)");
        s.key = "vendor_specific_data_block_hdmi_forum";
        break;
    case kOuiAmd:
        s.title = FixedText("Vendor-Specific Data Block (AMD)");
        s.key = "vendor_specific_data_block_amd";
        break;
    case kOuiMicrosoft:
        if (payload.bytes.size() >= 18) {
            s.title = FixedText("Vendor-Specific Data Block (Microsoft)");
            s.key = "vendor_specific_data_block_microsoft";
        } else {
            s = BytesOnlySection("Vendor-Specific Data Block (Microsoft)", "vendor_specific_data_block_microsoft",
                                 block);
        }
        break;
    case kOuiNvidia:
        s = BytesOnlySection("Vendor-Specific Data Block (NVIDIA)", "vendor_specific_data_block_nvidia", block);
        break;
    case kOuiMstar:
        s = BytesOnlySection("Vendor-Specific Data Block (MStar)", "vendor_specific_data_block_mstar", block);
        break;
    default:
        s = BytesOnlySection("Vendor-Specific Data Block", "vendor_specific_data_block", block);
        break;
    }
    w.Text(s, "oui", "OUI", OuiText(oui));
    if (oui == kOuiHdmi)
        HdmiFields(s, w, payload);
    else if (oui == kOuiHdmiForum)
        HdmiForumFields(s, w, payload);
    else if (oui == kOuiAmd)
        AmdFields(s, w, payload);
    else if (oui == kOuiMicrosoft && !s.bytesOnly)
        MicrosoftFields(s, w, payload);
    return s;
}

Section DecodeHdmiForumSinkCapability(std::span<const std::uint8_t> block, const FieldWriter& w)
{
    if (block.size() < 4)
        return BytesOnlySection("HDMI Forum Sink Capability Data Block", "hdmi_forum_sink_capability_data_block",
                                block);
    Section s;
    s.title = FixedText("HDMI Forum Sink Capability Data Block");
    s.key = "hdmi_forum_sink_capability_data_block";
    HdmiForumFields(s, w, Payload{block.subspan(4)});
    return s;
}

Section DecodeHdmiForumExtensionOverride(std::span<const std::uint8_t> block, const FieldWriter& w)
{
    if (block.size() < 3)
        return BytesOnlySection("HDMI Forum EDID Extension Override Data Block",
                                "hdmi_forum_edid_extension_override_data_block", block);
    Section s;
    s.title = FixedText("HDMI Forum EDID Extension Override Data Block");
    s.key = "hdmi_forum_edid_extension_override_data_block";
    w.Integer(s, "extension_block_count", "EDID extension block count", block[2]);
    ExtraBytes(s, w, Payload{block.subspan(2)}, 1);
    return s;
}

} // namespace tessarin::complete
