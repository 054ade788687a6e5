#include "vendor_video_blocks.h"

#include "bits.h"
#include "vendor_blocks.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace tessarin::complete {

namespace {

using Bytes = std::span<const std::uint8_t>;

// Header, extended tag, then the three OUI bytes.
constexpr std::size_t kPayloadOffset = 5;

std::uint32_t OuiOf(Bytes block)
{
    return block[2] | static_cast<std::uint32_t>(block[3]) << 8 | static_cast<std::uint32_t>(block[4]) << 16;
}

void FurtherBytes(Section& s, const FieldWriter& w, Bytes payload, std::size_t decoded)
{
    if (payload.size() > decoded)
        w.Bytes(s, "further_bytes", "Further bytes", payload.subspan(decoded));
}

// ---- Dolby Vision
//
// Three layouts share the first byte's version field (bits 7..5). Version 0
// stores 12-bit chromaticities and PQ codes; versions 1 and 2 squeeze the
// display's own primaries into a few bits each, as steps of 1/256 above a
// fixed base per primary. Decoders that compare against one another expect
// exactly these bases, so they stay as published.

double Step256(unsigned code, double base) { return base + code / 256.0; }

// 12 bits: the high eight in `high`, the low four in a nibble of `low`.
double Chroma4096(std::uint8_t high, unsigned lowNibble) { return (static_cast<unsigned>(high) << 4 | lowNibble) / 4096.0; }

void DolbyVersion0(Section& s, const FieldWriter& w, Bytes p)
{
    w.Flag(s, "ycbcr422_12bit", "YCbCr 4:2:2 at 12 bits", IsBitSet(p[0], 0));
    w.Flag(s, "supports_2160p60", "2160p60", IsBitSet(p[0], 1));
    w.Flag(s, "global_dimming", "Global dimming", IsBitSet(p[0], 2));
    w.Text(s, "dm_version", "Display management version",
           std::to_string(get_bit_range(p[16], 7, 4)) + "." + std::to_string(get_bit_range(p[16], 3, 0)));
    const unsigned minPq = static_cast<unsigned>(p[14] << 4) | get_bit_range(p[13], 7, 4);
    const unsigned maxPq = static_cast<unsigned>(p[15] << 4) | get_bit_range(p[13], 3, 0);
    w.Integer(s, "target_min_pq_code", "Target minimum PQ (code)", minPq);
    w.Real(s, "target_min_luminance_cd_m2", "Target minimum luminance", PqCodeToLuminance(minPq), 6, "cd/m²");
    w.Integer(s, "target_max_pq_code", "Target maximum PQ (code)", maxPq);
    w.Real(s, "target_max_luminance_cd_m2", "Target maximum luminance", PqCodeToLuminance(maxPq), 2, "cd/m²");
    w.Real(s, "red_x", "Red x", Chroma4096(p[2], get_bit_range(p[1], 7, 4)), 4);
    w.Real(s, "red_y", "Red y", Chroma4096(p[3], get_bit_range(p[1], 3, 0)), 4);
    w.Real(s, "green_x", "Green x", Chroma4096(p[5], get_bit_range(p[4], 7, 4)), 4);
    w.Real(s, "green_y", "Green y", Chroma4096(p[6], get_bit_range(p[4], 3, 0)), 4);
    w.Real(s, "blue_x", "Blue x", Chroma4096(p[8], get_bit_range(p[7], 7, 4)), 4);
    w.Real(s, "blue_y", "Blue y", Chroma4096(p[9], get_bit_range(p[7], 3, 0)), 4);
    w.Real(s, "white_x", "White x", Chroma4096(p[11], get_bit_range(p[10], 7, 4)), 4);
    w.Real(s, "white_y", "White y", Chroma4096(p[12], get_bit_range(p[10], 3, 0)), 4);
    FurtherBytes(s, w, p, 17);
}

void DolbyVersion1(Section& s, const FieldWriter& w, Bytes p)
{
    w.Flag(s, "ycbcr422_12bit", "YCbCr 4:2:2 at 12 bits", IsBitSet(p[0], 0));
    w.Flag(s, "supports_2160p60", "2160p60", IsBitSet(p[0], 1));
    w.Flag(s, "global_dimming", "Global dimming", IsBitSet(p[1], 0));
    w.Text(s, "dm_version", "Display management version", std::to_string(get_bit_range(p[0], 4, 2) + 2) + ".x");
    w.Text(s, "colorimetry", "Colorimetry", IsBitSet(p[2], 0) ? "P3-D65" : "BT.709");
    w.Text(s, "interface", "Interface", IsBitSet(p[3], 0) ? "Standard and low latency" : "Standard only");
    const double minRoot = get_bit_range(p[2], 7, 1) / 127.0;
    w.Real(s, "target_min_luminance_cd_m2", "Target minimum luminance", minRoot * minRoot, 6, "cd/m²");
    w.Real(s, "target_max_luminance_cd_m2", "Target maximum luminance", 100.0 + get_bit_range(p[1], 7, 1) * 50.0, 2,
           "cd/m²");
    if (p.size() == 10) {
        // The long form: one byte per coordinate.
        w.Real(s, "red_x", "Red x", p[4] / 256.0, 4);
        w.Real(s, "red_y", "Red y", p[5] / 256.0, 4);
        w.Real(s, "green_x", "Green x", p[6] / 256.0, 4);
        w.Real(s, "green_y", "Green y", p[7] / 256.0, 4);
        w.Real(s, "blue_x", "Blue x", p[8] / 256.0, 4);
        w.Real(s, "blue_y", "Blue y", p[9] / 256.0, 4);
        return;
    }
    const unsigned redY = get_bit_range(p[6], 2, 0) << 2 | get_bit_range(p[5], 0, 0) << 1 | get_bit_range(p[4], 0, 0);
    w.Real(s, "red_x", "Red x", Step256(get_bit_range(p[6], 7, 3), 0.625), 4);
    w.Real(s, "red_y", "Red y", Step256(redY, 0.25), 4);
    w.Real(s, "green_x", "Green x", Step256(get_bit_range(p[4], 7, 1), 0.0), 4);
    w.Real(s, "green_y", "Green y", Step256(get_bit_range(p[5], 7, 1), 0.5), 4);
    w.Real(s, "blue_x", "Blue x", Step256(get_bit_range(p[3], 7, 5), 0.125), 4);
    w.Real(s, "blue_y", "Blue y", Step256(get_bit_range(p[3], 4, 2), 0.03125), 4);
    FurtherBytes(s, w, p, 7);
}

const char* DolbyInterface(unsigned code)
{
    switch (code) {
    case 0: return "Low latency";
    case 1: return "Low latency and low-latency HDMI";
    case 2: return "Standard and low latency";
    default: return "Standard, low latency and low-latency HDMI";
    }
}

const char* Dolby444Depth(unsigned code)
{
    switch (code) {
    case 0: return "Not supported";
    case 1: return "10 bits";
    case 2: return "12 bits";
    default: return "Reserved";
    }
}

void DolbyVersion2(Section& s, const FieldWriter& w, Bytes p)
{
    w.Flag(s, "ycbcr422_12bit", "YCbCr 4:2:2 at 12 bits", IsBitSet(p[0], 0));
    w.Flag(s, "backlight_control", "Back-light control", IsBitSet(p[0], 1));
    w.Flag(s, "global_dimming", "Global dimming", IsBitSet(p[1], 2));
    w.Text(s, "dm_version", "Display management version", std::to_string(get_bit_range(p[0], 4, 2) + 2) + ".x");
    w.Integer(s, "backlight_min_luminance_cd_m2", "Back-light minimum luminance",
              25 + get_bit_range(p[1], 1, 0) * 25, "cd/m²");
    w.Text(s, "interface", "Interface", DolbyInterface(get_bit_range(p[2], 1, 0)));
    w.Text(s, "bit_depth_444", "4:4:4 at 10 or 12 bits",
           Dolby444Depth(get_bit_range(p[3], 0, 0) << 1 | get_bit_range(p[4], 0, 0)));
    const unsigned minPq = 20 * get_bit_range(p[1], 7, 3);
    const unsigned maxPq = 2055 + 65 * get_bit_range(p[2], 7, 3);
    w.Integer(s, "target_min_pq_code", "Target minimum PQ (code)", minPq);
    w.Real(s, "target_min_luminance_cd_m2", "Target minimum luminance", PqCodeToLuminance(minPq), 6, "cd/m²");
    w.Integer(s, "target_max_pq_code", "Target maximum PQ (code)", maxPq);
    w.Real(s, "target_max_luminance_cd_m2", "Target maximum luminance", PqCodeToLuminance(maxPq), 2, "cd/m²");
    w.Real(s, "red_x", "Red x", Step256(get_bit_range(p[5], 7, 3), 0.625), 4);
    w.Real(s, "red_y", "Red y", Step256(get_bit_range(p[6], 7, 3), 0.25), 4);
    w.Real(s, "green_x", "Green x", Step256(get_bit_range(p[3], 7, 1), 0.0), 4);
    w.Real(s, "green_y", "Green y", Step256(get_bit_range(p[4], 7, 1), 0.5), 4);
    w.Real(s, "blue_x", "Blue x", Step256(get_bit_range(p[5], 2, 0), 0.125), 4);
    w.Real(s, "blue_y", "Blue y", Step256(get_bit_range(p[6], 2, 0), 0.03125), 4);
    FurtherBytes(s, w, p, 7);
}

Section DolbyVision(Bytes block, const FieldWriter& w)
{
    const Bytes p = block.subspan(kPayloadOffset);
    const unsigned version = p.empty() ? 0 : get_bit_range(p[0], 7, 5);
    // Payload bytes each version reads; a later version's layout is unknown.
    const std::size_t needed = version == 0 ? 17 : version <= 2 ? 7 : 0;
    Section s;
    if (p.empty() || needed == 0 || p.size() < needed) {
        s = BytesOnlySection("Vendor-Specific Video Data Block (Dolby)",
                             "vendor_specific_video_data_block_dolby", block);
    } else {
        s.title = FixedText("Vendor-Specific Video Data Block (Dolby)");
        s.key = "vendor_specific_video_data_block_dolby";
    }
    w.Text(s, "oui", "OUI", OuiText(kOuiDolby));
    if (p.empty())
        return s;
    w.Integer(s, "version", "Version", version);
    if (s.bytesOnly)
        return s;
    if (version == 0)
        DolbyVersion0(s, w, p);
    else if (version == 1)
        DolbyVersion1(s, w, p);
    else
        DolbyVersion2(s, w, p);
    return s;
}

// ---- HDR10+

Section Hdr10Plus(Bytes block, const FieldWriter& w)
{
    const Bytes p = block.subspan(kPayloadOffset);
    Section s;
    if (p.empty()) {
        s = BytesOnlySection("Vendor-Specific Video Data Block (HDR10+)", "vendor_specific_video_data_block_hdr10plus",
                             block);
    } else {
        s.title = FixedText("Vendor-Specific Video Data Block (HDR10+)");
        s.key = "vendor_specific_video_data_block_hdr10plus";
    }
    w.Text(s, "oui", "OUI", OuiText(kOuiHdr10Plus));
    if (p.empty())
        return s;
    // The luminance indices share the byte with the version; read as one
    // number the byte would claim versions no one has published.
    w.Integer(s, "application_version", "Application version", get_bit_range(p[0], 1, 0));
    w.Integer(s, "full_frame_peak_luminance_index", "Full-frame peak luminance index", get_bit_range(p[0], 3, 2));
    w.Integer(s, "peak_luminance_index", "Peak luminance index", get_bit_range(p[0], 7, 4));
    FurtherBytes(s, w, p, 1);
    return s;
}

// ---- Dolby audio

Section DolbyAudio(Bytes block, const FieldWriter& w)
{
    const Bytes p = block.subspan(kPayloadOffset);
    Section s;
    if (p.empty()) {
        s = BytesOnlySection("Vendor-Specific Audio Data Block (Dolby)", "vendor_specific_audio_data_block_dolby",
                             block);
    } else {
        s.title = FixedText("Vendor-Specific Audio Data Block (Dolby)");
        s.key = "vendor_specific_audio_data_block_dolby";
    }
    w.Text(s, "oui", "OUI", OuiText(kOuiDolby));
    if (p.empty())
        return s;
    w.Integer(s, "version", "Version", 1 + get_bit_range(p[0], 2, 0));
    w.Flag(s, "headphone_playback_only", "Headphone playback only", IsBitSet(p[0], 7));
    w.Flag(s, "height_speaker_zone", "Height speaker zone", IsBitSet(p[0], 6));
    w.Flag(s, "surround_speaker_zone", "Surround speaker zone", IsBitSet(p[0], 5));
    w.Flag(s, "center_speaker_zone", "Centre speaker zone", IsBitSet(p[0], 4));
    if (p.size() < 2)
        return s;
    w.Flag(s, "mat_pcm_48khz_only", "Dolby MAT PCM at 48 kHz only, no TrueHD", IsBitSet(p[1], 0));
    FurtherBytes(s, w, p, 2);
    return s;
}

} // namespace

double PqCodeToLuminance(unsigned code)
{
    constexpr double m1 = 2610.0 / 16384.0;
    constexpr double m2 = 2523.0 / 4096.0 * 128.0;
    constexpr double c1 = 3424.0 / 4096.0;
    constexpr double c2 = 2413.0 / 4096.0 * 32.0;
    constexpr double c3 = 2392.0 / 4096.0 * 32.0;
    const double e = std::pow(std::min(code, 4095u) / 4095.0, 1.0 / m2);
    return 10000.0 * std::pow(std::max(e - c1, 0.0) / (c2 - c3 * e), 1.0 / m1);
}

Section DecodeVendorSpecificVideoDataBlock(std::span<const std::uint8_t> block, const FieldWriter& w)
{
    if (block.size() < kPayloadOffset)
        return BytesOnlySection("Vendor-Specific Video Data Block", "vendor_specific_video_data_block", block);
    const std::uint32_t oui = OuiOf(block);
    if (oui == kOuiDolby)
        return DolbyVision(block, w);
    if (oui == kOuiHdr10Plus)
        return Hdr10Plus(block, w);
    Section s = BytesOnlySection("Vendor-Specific Video Data Block", "vendor_specific_video_data_block", block);
    w.Text(s, "oui", "OUI", OuiText(oui));
    return s;
}

Section DecodeVendorSpecificAudioDataBlock(std::span<const std::uint8_t> block, const FieldWriter& w)
{
    if (block.size() < kPayloadOffset)
        return BytesOnlySection("Vendor-Specific Audio Data Block", "vendor_specific_audio_data_block", block);
    const std::uint32_t oui = OuiOf(block);
    if (oui == kOuiDolby)
        return DolbyAudio(block, w);
    Section s = BytesOnlySection("Vendor-Specific Audio Data Block", "vendor_specific_audio_data_block", block);
    w.Text(s, "oui", "OUI", OuiText(oui));
    return s;
}

} // namespace tessarin::complete
