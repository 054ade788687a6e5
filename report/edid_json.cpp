#include "edid_json.h"

#include "complete_json.h"
#include "edid_parser.h"
#include "errors.h"
#include "text_codec.h"

#include <cmath>
#include <functional>

namespace tessarin {
namespace {

using Json = nlohmann::ordered_json;

// The report leaves out what the decoder cannot answer; JSON says null.
void Put(Json& object, const char* key, const std::function<Json()>& value)
{
    try {
        object[key] = value();
    } catch (const DecodeError&) {
        object[key] = nullptr;
    }
}

Json Text(const std::string& value)
{
    return Windows1252ToUtf8(std::span(reinterpret_cast<const std::uint8_t*>(value.data()), value.size()));
}

// Floats as the report rounds them, not as their binary expansion.
Json Number(float value)
{
    if (!std::isfinite(value))
        return nullptr;
    return std::round(static_cast<double>(value) * 10000.0) / 10000.0;
}

Json Identification(const CEDIDParser& p)
{
    Json j = Json::object();
    Put(j, "manufacturer_id", [&] { return Text(p.ManufacturerID()); });
    Put(j, "manufacturer_name", [&] { return Text(p.IDManufacturerName()); });
    Put(j, "product_id", [&] { return Text(p.IDProductId()); });
    Put(j, "serial_number", [&] { return Text(p.IDSerialNumber()); });
    Put(j, "week_of_manufacture", [&] { return p.WeekOfManufacture(); });
    Put(j, "year_of_manufacture", [&] { return p.YearOfManufacture(); });
    Put(j, "edid_version", [&] { return p.EDIDVersion(); });
    Put(j, "edid_revision", [&] { return p.EDIDRevision(); });
    Put(j, "extension_count", [&] { return p.NumberOfExtensionFlag(); });
    Put(j, "monitor_name", [&] { return Text(p.MonitorName()); });
    Put(j, "monitor_serial_number", [&] { return Text(p.MonitorSerialNumber()); });
    return j;
}

Json BasicDisplay(const CEDIDParser& p)
{
    Json j = Json::object();
    Put(j, "video_input", [&] { return Text(p.VideoInputDefinition()); });
    Put(j, "analog_signal_properties", [&] { return Text(p.AnalogSignalProperties()); });
    Put(j, "dfp1x_compatible", [&] { return p.DFP1XCompatibleInterface(); });
    Put(j, "max_horizontal_image_size_cm", [&] { return p.MaxHorizontalImageSize(); });
    Put(j, "max_vertical_image_size_cm", [&] { return p.MaxVerticalImageSize(); });
    Put(j, "display_size_in", [&] { return Number(p.DisplaySize()); });
    Put(j, "gamma", [&] { return Number(p.DisplayGamma()); });
    Put(j, "standby_supported", [&] { return p.StandbySupported(); });
    Put(j, "suspend_supported", [&] { return p.SuspendSupported(); });
    Put(j, "active_off_supported", [&] { return p.ActiveOffSupported(); });
    Put(j, "display_type", [&] { return p.DisplayType(); });
    Put(j, "srgb_default_color_space", [&] { return p.sRGBDefaultColorSpace(); });
    Put(j, "preferred_timing_mode", [&] { return p.PreferedTimingMode(); });
    Put(j, "default_gtf_supported", [&] { return p.DefaultGTFSupported(); });
    return j;
}

Json Chromaticity(const CEDIDParser& p)
{
    Json j = Json::object();
    Put(j, "red_x", [&] { return Number(p.RedX()); });
    Put(j, "red_y", [&] { return Number(p.RedY()); });
    Put(j, "green_x", [&] { return Number(p.GreenX()); });
    Put(j, "green_y", [&] { return Number(p.GreenY()); });
    Put(j, "blue_x", [&] { return Number(p.BlueX()); });
    Put(j, "blue_y", [&] { return Number(p.BlueY()); });
    Put(j, "white_x", [&] { return Number(p.WhiteX()); });
    Put(j, "white_y", [&] { return Number(p.WhiteY()); });
    return j;
}

Json EstablishedTimings(const CEDIDParser& p)
{
    Json list = Json::array();
    for (std::int32_t eTiming = 0; eTiming <= 27; ++eTiming) {
        try {
            if (!p.EstablishedTimingsSupported(eTiming))
                continue;
            Json j = Json::object();
            Put(j, "name", [&] { return Text(p.EstablishedTimingsString(eTiming)); });
            Put(j, "horizontal_active_pixels", [&] { return p.EstablishedTimingsHorizontalActive(eTiming); });
            list.push_back(std::move(j));
        } catch (const DecodeError&) {
        }
    }
    return list;
}

Json StandardTimings(const CEDIDParser& p)
{
    Json list = Json::array();
    for (std::uint8_t id = 1; id <= 8; ++id) {
        try {
            if (!p.StandardTimingEnable(id))
                continue;
        } catch (const DecodeError&) {
            continue;
        }
        Json j = Json::object();
        j["number"] = id;
        Put(j, "horizontal_active_pixels", [&] { return p.StandardTimingXResolution(id); });
        Put(j, "vertical_active_lines", [&] { return p.StandardTimingYResolution(id); });
        Put(j, "vertical_frequency_hz", [&] { return p.StandardTimingVerticalFrequency(id); });
        Put(j, "aspect_ratio", [&] { return Number(p.StandardTimingAspectRatio(id)); });
        list.push_back(std::move(j));
    }
    return list;
}

Json DetailedTimings(const CEDIDParser& p)
{
    Json list = Json::array();
    for (std::int32_t slot = 1; slot <= CEDIDParser::SlotCount; ++slot) {
        const CDetailedTiming& t = p.DetailedTiming(slot);
        if (!t.isValid())
            continue;
        Json j = Json::object();
        j["slot"] = slot;
        j["block"] = slot <= 4 ? 0 : 1;
        j["pixel_clock_mhz"] = Number(t.PixelClock());
        j["horizontal_active_pixels"] = t.HorizontalActive();
        j["horizontal_blanking_pixels"] = t.HorizontalBlanking();
        j["horizontal_front_porch_pixels"] = t.HorizontalSyncOffset();
        j["horizontal_sync_width_pixels"] = t.HorizontalSyncPulseWidth();
        j["horizontal_border_pixels"] = t.HorizontalBorder();
        j["vertical_active_lines"] = t.VerticalActive();
        j["vertical_blanking_lines"] = t.VerticalBlanking();
        j["vertical_front_porch_lines"] = t.VerticalSyncOffset();
        j["vertical_sync_width_lines"] = t.VerticalSyncPulseWidth();
        j["vertical_border_lines"] = t.VerticalBorder();
        j["horizontal_image_size_mm"] = t.HorizontalSize();
        j["vertical_image_size_mm"] = t.VerticalSize();
        j["interlaced"] = t.Interlaced();
        Put(j, "stereo", [&] { return Text(t.StereoDisplay()); });
        j["input_type"] = t.InputType();
        j["horizontal_sync_positive"] = t.HorizontalPolarity();
        j["vertical_sync_positive"] = t.VerticalPolarity();
        list.push_back(std::move(j));
    }
    return list;
}

Json RangeLimits(const CEDIDParser& p)
{
    Json j = Json::object();
    j["min_vertical_frequency_hz"] = p.MinimumVerticalFrequency();
    j["max_vertical_frequency_hz"] = p.MaximumVerticalFrequency();
    j["min_horizontal_frequency_khz"] = p.MinimumHorizontalFrequency();
    j["max_horizontal_frequency_khz"] = p.MaximumHorizontalFrequency();
    j["max_pixel_clock_mhz"] = p.MaximumPixelClock();
    return j;
}

Json Cea861(const CCEA861& c)
{
    Json j = Json::object();
    j["revision"] = c.RevisionNumber();
    Put(j, "underscan", [&] { return c.IsDTVMonitorSupport(3); });
    Put(j, "basic_audio", [&] { return c.IsDTVMonitorSupport(2); });
    Put(j, "ycbcr_444", [&] { return c.IsDTVMonitorSupport(1); });
    Put(j, "ycbcr_422", [&] { return c.IsDTVMonitorSupport(0); });
    j["native_format_count"] = c.NumberOfNativeFormats();
    Json formats = Json::array();
    for (std::int16_t i = 1; i <= c.NumberOfVideoCodes(); ++i) {
        const auto number = static_cast<std::uint8_t>(i);
        Json f = Json::object();
        Put(f, "format", [&] { return Text(c.VideoFormatString(number)); });
        Put(f, "native", [&] { return c.IsNativeVideoFormat(number); });
        formats.push_back(std::move(f));
    }
    j["video_formats"] = std::move(formats);
    Json hdmi = Json::object();
    Put(hdmi, "registration_identifier", [&] { return Text(c.VendorSpecificRegistrationIdentifier()); });
    Put(hdmi, "physical_address", [&] { return Text(c.VendorSpecificPhysicalAddress()); });
    Put(hdmi, "supports_ai", [&] { return c.VendorSpecificSupports_Al(); });
    Put(hdmi, "deep_color_48bpp", [&] { return c.Supports48bpp(); });
    Put(hdmi, "deep_color_36bpp", [&] { return c.Supports36bpp(); });
    Put(hdmi, "deep_color_30bpp", [&] { return c.Supports30bpp(); });
    Put(hdmi, "deep_color_ycbcr_444", [&] { return c.SupportsYCbCr(); });
    Put(hdmi, "dual_dvi", [&] { return c.SupportsDUALDVI(); });
    Put(hdmi, "max_tmds_clock_mhz", [&] { return c.Max_TMDS_Clock(); });
    Put(hdmi, "image_size", [&] { return Text(c.HDMI_Image_Size()); });
    Put(hdmi, "3d_present", [&] { return c.HDMI_3D_Present(); });
    Put(hdmi, "3d_frame_packing", [&] { return c.HDMI_3D_FramePacking_Support(); });
    Put(hdmi, "3d_top_and_bottom", [&] { return c.HDMI_3D_TopAndBottom_Support(); });
    Put(hdmi, "3d_side_by_side", [&] { return c.HDMI_3D_SideBySide_Support(); });
    Put(hdmi, "2d_50hz_formats", [&] { return c.Support50Hz2DFormat(); });
    Put(hdmi, "2d_60hz_formats", [&] { return c.Support60Hz2DFormat(); });
    j["hdmi_vendor_block"] = std::move(hdmi);
    return j;
}

// Each whole block's checksum, and what the byte count says against the
// extension count.
void Blocks(std::span<const std::uint8_t> edid, Json& root)
{
    Json blocks = Json::array();
    Json findings = Json::array();
    for (std::size_t at = 0; at < edid.size(); at += 128) {
        Json b = Json::object();
        b["index"] = at / 128;
        b["tag"] = edid[at];
        if (at + 128 <= edid.size()) {
            unsigned sum = 0;
            for (std::size_t i = at; i < at + 128; ++i)
                sum += edid[i];
            b["checksum"] = edid[at + 127];
            b["checksum_valid"] = sum % 256 == 0;
            if (sum % 256 != 0)
                findings.push_back("block " + std::to_string(at / 128) + ": checksum is wrong");
        } else {
            b["checksum"] = nullptr;
            b["checksum_valid"] = nullptr;
            findings.push_back("block " + std::to_string(at / 128) + ": only " + std::to_string(edid.size() - at) +
                               " of its 128 bytes");
        }
        blocks.push_back(std::move(b));
    }
    const std::size_t declared = edid.size() >= 127 ? edid[126] : 0;
    const std::size_t held = (edid.size() + 127) / 128;
    if (held < declared + 1)
        findings.push_back("declares " + std::to_string(declared) + " extension blocks, holds " +
                           std::to_string(held - 1));
    else if (held > declared + 1)
        findings.push_back("holds " + std::to_string(held - 1 - declared) + " blocks past the " +
                           std::to_string(declared) + " extension blocks it declares");
    root["blocks"] = std::move(blocks);
    root["findings"] = std::move(findings);
}

void Flatten(const Json& json, const std::string& path, std::vector<std::pair<std::string, std::string>>& out)
{
    if (json.is_object()) {
        for (const auto& [key, value] : json.items())
            Flatten(value, path.empty() ? key : path + "." + key, out);
    } else if (json.is_array()) {
        for (std::size_t i = 0; i < json.size(); ++i)
            Flatten(json[i], path + "[" + std::to_string(i) + "]", out);
    } else {
        out.emplace_back(path, json.is_string() ? json.get<std::string>() : json.dump());
    }
}

} // namespace

Json EdidJson(std::span<const std::uint8_t> edid, bool redacted)
{
    std::vector<std::uint8_t> first(edid.begin(), edid.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(edid.size(), 256)));
    first.resize(CEDIDParser::EDIDSize, 0);
    CEDIDParser parser;
    parser.UpdateEDIDDataFromArray(first);

    Json root = Json::object();
    root["schema"] = kJsonSchemaVersion;
    root["redacted"] = redacted;
    root["size_bytes"] = edid.size();
    Blocks(edid, root);
    Json standard = Json::object();
    standard["identification"] = Identification(parser);
    standard["basic_display"] = BasicDisplay(parser);
    standard["chromaticity"] = Chromaticity(parser);
    standard["established_timings"] = EstablishedTimings(parser);
    standard["standard_timings"] = StandardTimings(parser);
    standard["detailed_timings"] = DetailedTimings(parser);
    standard["range_limits"] = RangeLimits(parser);
    standard["cea861"] = parser.TypeOfExtensionBlock() == 2 && parser.edidCEA861() != nullptr
                             ? Cea861(*parser.edidCEA861())
                             : Json(nullptr);
    root["standard"] = std::move(standard);
    root["complete"] = CompleteJson(edid);
    // The complete decode's findings include the checksums and lengths, and
    // say more where it reads more.
    if (!root["complete"].is_null()) {
        Json findings = Json::array();
        for (const Json& finding : root["complete"]["findings"])
            findings.push_back(finding["text"]);
        root["findings"] = std::move(findings);
    }
    return root;
}

std::string EdidJsonText(std::span<const std::uint8_t> edid, bool redacted)
{
    return EdidJson(edid, redacted).dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

std::vector<std::pair<std::string, std::string>> FlattenJson(const Json& json)
{
    std::vector<std::pair<std::string, std::string>> out;
    Flatten(json, "", out);
    return out;
}

} // namespace tessarin
