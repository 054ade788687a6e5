#include "block_names.h"

#include <array>
#include <cstdio>

namespace tessarin::complete {

namespace {

std::string HexCode(unsigned value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%02X", value & 0xFFu);
    return text;
}

struct Entry {
    unsigned code;
    const char* title;
    const char* key;
};

template <std::size_t N>
const Entry* Find(const std::array<Entry, N>& table, unsigned code)
{
    for (const Entry& e : table)
        if (e.code == code)
            return &e;
    return nullptr;
}

constexpr std::array<Entry, 7> kCtaTags = {{
    {1, "Audio Data Block", "audio_data_block"},
    {2, "Video Data Block", "video_data_block"},
    {3, "Vendor-Specific Data Block", "vendor_specific_data_block"},
    {4, "Speaker Allocation Data Block", "speaker_allocation_data_block"},
    {5, "VESA Display Transfer Characteristic Data Block", "vesa_display_transfer_characteristic_data_block"},
    {6, "Video Format Data Block", "video_format_data_block"},
    {0, "Reserved Data Block", "reserved_data_block"},
}};

constexpr std::array<Entry, 23> kCtaExtendedTags = {{
    {0, "Video Capability Data Block", "video_capability_data_block"},
    {1, "Vendor-Specific Video Data Block", "vendor_specific_video_data_block"},
    {2, "VESA Video Display Device Data Block", "vesa_video_display_device_data_block"},
    {3, "VESA Video Timing Block Extension", "vesa_video_timing_block_extension"},
    {4, "Reserved for HDMI Video Data Block", "reserved_hdmi_video_data_block"},
    {5, "Colorimetry Data Block", "colorimetry_data_block"},
    {6, "HDR Static Metadata Data Block", "hdr_static_metadata_data_block"},
    {7, "HDR Dynamic Metadata Data Block", "hdr_dynamic_metadata_data_block"},
    {8, "Native Video Resolution Data Block", "native_video_resolution_data_block"},
    {13, "Video Format Preference Data Block", "video_format_preference_data_block"},
    {14, "YCbCr 4:2:0 Video Data Block", "ycbcr420_video_data_block"},
    {15, "YCbCr 4:2:0 Capability Map Data Block", "ycbcr420_capability_map_data_block"},
    {16, "Reserved for CTA-861 Miscellaneous Audio Fields", "reserved_misc_audio_fields"},
    {17, "Vendor-Specific Audio Data Block", "vendor_specific_audio_data_block"},
    {18, "HDMI Audio Data Block", "hdmi_audio_data_block"},
    {19, "Room Configuration Data Block", "room_configuration_data_block"},
    {20, "Speaker Location Data Block", "speaker_location_data_block"},
    {32, "InfoFrame Data Block", "infoframe_data_block"},
    {34, "DisplayID Type VII Video Timing Data Block", "displayid_type_vii_video_timing_data_block"},
    {35, "DisplayID Type VIII Video Timing Data Block", "displayid_type_viii_video_timing_data_block"},
    {42, "DisplayID Type X Video Timing Data Block", "displayid_type_x_video_timing_data_block"},
    {120, "HDMI Forum EDID Extension Override Data Block", "hdmi_forum_edid_extension_override_data_block"},
    {121, "HDMI Forum Sink Capability Data Block", "hdmi_forum_sink_capability_data_block"},
}};

constexpr std::array<Entry, 35> kDisplayIdTags = {{
    {0x00, "Product Identification Data Block", "product_identification_data_block"},
    {0x01, "Display Parameters Data Block", "display_parameters_data_block"},
    {0x02, "Color Characteristics Data Block", "color_characteristics_data_block"},
    {0x03, "Video Timing Modes Type I - Detailed Timings Data Block", "type_i_timings_data_block"},
    {0x04, "Video Timing Modes Type II - Detailed Timings Data Block", "type_ii_timings_data_block"},
    {0x05, "Video Timing Modes Type III - Short Timings Data Block", "type_iii_timings_data_block"},
    {0x06, "Video Timing Modes Type IV - DMT Timings Data Block", "type_iv_timings_data_block"},
    {0x07, "Supported Timing Modes Type V - VESA DMT Timings Data Block", "vesa_timings_data_block"},
    {0x08, "Supported Timing Modes Type VI - CTA-861 Timings Data Block", "cta_timings_data_block"},
    {0x09, "Video Timing Range Data Block", "video_timing_range_data_block"},
    {0x0A, "Product Serial Number Data Block", "product_serial_number_data_block"},
    {0x0B, "GP ASCII String Data Block", "ascii_string_data_block"},
    {0x0C, "Display Device Data Data Block", "display_device_data_block"},
    {0x0D, "Interface Power Sequencing Data Block", "interface_power_sequencing_data_block"},
    {0x0E, "Transfer Characteristics Data Block", "transfer_characteristics_data_block"},
    {0x0F, "Display Interface Data Block", "display_interface_data_block"},
    {0x10, "Stereo Display Interface Data Block", "stereo_display_interface_data_block"},
    {0x11, "Video Timing Modes Type V - Short Timings Data Block", "type_v_timings_data_block"},
    {0x12, "Tiled Display Topology Data Block", "tiled_display_topology_data_block"},
    {0x13, "Video Timing Modes Type VI - Detailed Timings Data Block", "type_vi_timings_data_block"},
    {0x20, "Product Identification Data Block (DisplayID 2)", "product_identification_data_block"},
    {0x21, "Display Parameters Data Block (DisplayID 2)", "display_parameters_data_block"},
    {0x22, "Video Timing Modes Type VII - Detailed Timings Data Block", "type_vii_timings_data_block"},
    {0x23, "Video Timing Modes Type VIII - Enumerated Timing Codes Data Block", "type_viii_timings_data_block"},
    {0x24, "Video Timing Modes Type IX - Formula-based Timings Data Block", "type_ix_timings_data_block"},
    {0x25, "Dynamic Video Timing Range Limits Data Block", "dynamic_video_timing_range_data_block"},
    {0x26, "Display Interface Features Data Block", "display_interface_features_data_block"},
    {0x27, "Stereo Display Interface Data Block (DisplayID 2)", "stereo_display_interface_data_block"},
    {0x28, "Tiled Display Topology Data Block (DisplayID 2)", "tiled_display_topology_data_block"},
    {0x29, "ContainerID Data Block", "container_id_data_block"},
    {0x2A, "Video Timing Modes Type X - Formula-based Timings Data Block", "type_x_timings_data_block"},
    {0x2B, "Adaptive Sync Data Block", "adaptive_sync_data_block"},
    {0x7E, "Vendor-Specific Data Block (DisplayID 2)", "vendor_specific_data_block"},
    {0x7F, "Vendor-Specific Data Block", "vendor_specific_data_block"},
    {0x81, "CTA-861 DisplayID Data Block", "cta_displayid_data_block"},
}};

constexpr std::array<Entry, 9> kExtensions = {{
    {0x02, "CTA-861 Extension Block", "cta861_extension"},
    {0x10, "Video Timing Extension Block", "video_timing_extension"},
    {0x20, "EDID 2.0 Extension Block", "edid_2_0_extension"},
    {0x40, "Display Information Extension Block", "display_information_extension"},
    {0x50, "Localized String Extension Block", "localized_string_extension"},
    {0x60, "Digital Packet Video Link Extension", "dpvl_extension"},
    {0x70, "DisplayID Extension Block", "displayid_extension"},
    {0xF0, "Block Map Extension Block", "block_map_extension"},
    {0xFF, "Manufacturer-Specific Extension Block", "manufacturer_specific_extension"},
}};

BlockName FromEntry(const Entry* e, const char* unknownTitle, const char* unknownKey, unsigned code)
{
    if (e != nullptr)
        return {FixedText(e->title), e->key};
    return {std::string(unknownTitle) + " " + HexCode(code), unknownKey};
}

} // namespace

BlockName CtaDataBlockName(unsigned tag, unsigned extendedTag)
{
    if (tag == 7)
        return FromEntry(Find(kCtaExtendedTags, extendedTag), "Unknown Extended Tag Data Block",
                         "unknown_extended_data_block", extendedTag);
    return FromEntry(Find(kCtaTags, tag), "Unknown Data Block", "unknown_data_block", tag);
}

BlockName DisplayIdDataBlockName(unsigned tag)
{
    return FromEntry(Find(kDisplayIdTags, tag), "Unknown DisplayID Data Block", "unknown_displayid_data_block",
                     tag);
}

BlockName ExtensionName(unsigned tag)
{
    return FromEntry(Find(kExtensions, tag), "Unknown Extension Block", "unknown_extension", tag);
}

} // namespace tessarin::complete
