// Every flag of the vendor and DisplayID blocks read from its own bit: a
// block with one bit set, against the same block with it clear, turns that
// one flag over and no other. Bit places as edid-decode reads them.
#include "display_information_extension.h"
#include "displayid_blocks.h"
#include "vendor_blocks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <set>
#include <string>
#include <variant>
#include <vector>

namespace tessarin {
namespace {

using complete::Section;
using Decode = std::function<Section(const std::vector<std::uint8_t>&)>;

std::vector<std::uint8_t> FromHex(const std::string& hex)
{
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(static_cast<std::uint8_t>(std::stoul(hex.substr(i, 2), nullptr, 16)));
    return bytes;
}

void TrueFlags(const Section& s, std::set<std::string>& out)
{
    for (const auto& f : s.fields)
        if (const bool* b = std::get_if<bool>(&f.value); b != nullptr && *b)
            out.insert(std::string(f.key));
    for (const Section& c : s.children)
        TrueFlags(c, out);
}

struct Bit {
    std::size_t byte; // in the whole block, header included
    int bit;
    const char* key; // the flag it turns over; "" for a bit no flag reads
};

struct Group {
    const char* name;
    Decode decode;
    const char* base; // the block with every walked bit clear
    std::vector<Bit> bits;
};

Section Vendor(const std::vector<std::uint8_t>& b)
{
    return complete::DecodeVendorSpecificDataBlock(b, complete::FieldWriter());
}
Section DisplayId(const std::vector<std::uint8_t>& b)
{
    Section s;
    EXPECT_TRUE(complete::DecodeDisplayIdDataBlock(b, complete::FieldWriter(), s));
    return s;
}

Section DisplayInformation(const std::vector<std::uint8_t>& b)
{
    std::array<std::uint8_t, 128> block{};
    std::copy(b.begin(), b.end(), block.begin());
    Section s;
    complete::DecodeDisplayInformationExtension(block, complete::FieldWriter(), s);
    return s;
}

const std::vector<Group>& Groups()
{
    static const std::vector<Group> groups = {
        // Physical address 1.0.0.0, 300 MHz, latency fields absent.
        {"hdmi", Vendor, "68030c001000000000",
         {{6, 7, "supports_ai"}, {6, 6, "dc_48bit"}, {6, 5, "dc_36bit"}, {6, 4, "dc_30bit"}, {6, 3, "dc_y444"},
          {6, 2, ""}, {6, 1, ""}, {6, 0, "dvi_dual"},
          {8, 3, "cnc_game"}, {8, 2, "cnc_cinema"}, {8, 1, "cnc_photo"}, {8, 0, "cnc_graphics"}}},
        // Version 1, 600 MHz, DSC 1.2a (byte 11 bit 7) so that the other DSC bits count.
        {"hdmi_forum", Vendor, "6cd85dc4017800000000008000",
         {{6, 7, "scdc_present"}, {6, 6, "scdc_read_request"}, {6, 5, "cable_status"}, {6, 4, "ccbpci"},
          {6, 3, "lte_340mcsc_scramble"}, {6, 2, "independent_view_3d"}, {6, 1, "dual_view_3d"},
          {6, 0, "osd_disparity_3d"},
          {7, 3, "uhd_vic"}, {7, 2, "dc_48bit_420"}, {7, 1, "dc_36bit_420"}, {7, 0, "dc_30bit_420"},
          {8, 7, "fapa_end_extended"}, {8, 6, "qms"}, {8, 5, "m_delta"}, {8, 4, "cinema_vrr"}, {8, 3, "cnm_vrr"},
          {8, 2, "fva"}, {8, 1, "allm"}, {8, 0, "fapa_start_location"},
          {11, 6, "dsc_native_420"}, {11, 5, "qms_tfr_max"}, {11, 4, "qms_tfr_min"}, {11, 3, "dsc_all_bpp"},
          {11, 2, "dsc_16bpc"}, {11, 1, "dsc_12bpc"}, {11, 0, "dsc_10bpc"}}},
        {"display_parameters_v1", DisplayId, "01000c000000000000000000ff0000",
         {{11, 7, "audio"}, {11, 6, "separate_audio_inputs"}, {11, 5, "audio_input_override"},
          {11, 4, "power_management"}, {11, 3, "fixed_timing"}, {11, 2, "fixed_pixel_format"}, {11, 1, "acp_isrc"},
          {11, 0, "deinterlacing"}}},
        // Revision 1, so that the dark theme bit is read; luminances not given.
        {"display_parameters_v2", DisplayId,
         "21011d00000000000000000000000000000000000000000000800080008000ff",
         {{11, 7, "integrated_speakers"}, {30, 7, "dark_theme_preferred"}}},
        {"type_i_timing", DisplayId, "030014" "0000000000000000000000000000000000000000",
         {{6, 7, "preferred"}, {6, 4, "interlaced"}, {12, 7, "horizontal_sync_positive"},
          {20, 7, "vertical_sync_positive"}}},
        // Revision 2: bit 7 of the options byte is YCbCr 4:2:0.
        {"type_vii_timing", DisplayId, "220214" "0000000000000000000000000000000000000000",
         {{6, 7, "ycbcr420"}}},
        {"adaptive_sync", DisplayId, "2b0006" "000000000000",
         {{3, 0, "native_panel_range"}, {3, 1, "increase_without_jitter"}, {3, 4, "seamless_transition"},
          {3, 5, "decrease_without_jitter"}}},
        // Version 1, the rest zero up to the bytes walked.
        {"display_information", DisplayInformation, 
         "4001" "000000000000000000000000000000000000" "00000000000000000000000000000000000000",
         {{7, 7, "data_enable_available"}, {7, 3, "hdcp"}, {7, 2, "double_clocking"}, {7, 1, "packetized_video"},
          {7, 0, ""}, {19, 7, "fixed_pixel_format"}, {19, 4, "transparent_background"}, {19, 1, "ddc_ci"},
          {19, 0, ""}, {20, 7, "all_legacy_modes"}, {20, 3, "scaler_on_board"}, {20, 2, "image_centering"},
          {20, 1, "conditional_update"}, {20, 0, "interlaced_video"}, {21, 7, "frame_lock"}, {38, 7, "full_mode"},
          {38, 6, "zoom_mode"}, {38, 5, "squeeze_mode"}, {38, 4, "variable_mode"}, {38, 3, ""}}},
        {"dynamic_range", DisplayId, "250109" "000000000000000000", {{11, 7, "seamless_dynamic_timing"}}},
    };
    return groups;
}

class FlagBits : public testing::TestWithParam<Group> {};

TEST_P(FlagBits, EachBitTurnsOverItsOwnFlag)
{
    const Group& g = GetParam();
    const std::vector<std::uint8_t> base = FromHex(g.base);
    std::set<std::string> clear;
    TrueFlags(g.decode(base), clear);
    for (const Bit& b : g.bits) {
        std::vector<std::uint8_t> block = base;
        ASSERT_LT(b.byte, block.size());
        block[b.byte] = static_cast<std::uint8_t>(block[b.byte] | 1u << b.bit);
        std::set<std::string> set;
        TrueFlags(g.decode(block), set);
        std::set<std::string> expected = clear;
        if (*b.key != '\0' && !expected.erase(b.key))
            expected.insert(b.key);
        EXPECT_EQ(set, expected) << "byte " << b.byte << " bit " << b.bit;
    }
}

INSTANTIATE_TEST_SUITE_P(Blocks, FlagBits, testing::ValuesIn(Groups()),
                         [](const testing::TestParamInfo<Group>& row) { return std::string(row.param.name); });

} // namespace
} // namespace tessarin
