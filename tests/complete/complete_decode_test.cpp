// The complete decode's own parts: our vendor blocks, the checksums and
// lengths as read, the library's refusals, and blocks that break their frame.
#include "complete_test_support.h"
#include "field_writer.h"
#include "vendor_blocks.h"

#include <gtest/gtest.h>

#include <array>
#include <numeric>

namespace tessarin::test {
namespace {

using complete::Finding;

std::int64_t Integer(const Section& s, const std::string& key)
{
    const Field* f = FindField(s, key);
    return f != nullptr && std::holds_alternative<std::int64_t>(f->value) ? std::get<std::int64_t>(f->value) : -1;
}

bool Flag(const Section& s, const std::string& key)
{
    const Field* f = FindField(s, key);
    return f != nullptr && std::get<bool>(f->value);
}

TEST(VendorBlocks, FieldsAreReadFromTheirBitsAndStopWhereTheBlockEnds)
{
    const complete::FieldWriter w;
    // HDMI Forum: version 1, 600 MHz, SCDC + read request, FRL code 3 with
    // 12-bit 4:2:0, ALLM, VRR 48-144 (max's high bits in byte 9), DSC 1.2a.
    const std::vector<std::uint8_t> forum = {0x6D, 0xD8, 0x5D, 0xC4, 0x01, 0x78, 0xC0, 0x32,
                                             0x02, 0x30, 0x90, 0x80, 0x14, 0x03};
    const Section f = complete::DecodeVendorSpecificDataBlock(forum, w);
    EXPECT_EQ(f.title, "Vendor-Specific Data Block (HDMI Forum)");
    EXPECT_EQ(Integer(f, "max_tmds_character_rate_mhz"), 600);
    EXPECT_TRUE(Flag(f, "scdc_present"));
    EXPECT_TRUE(Flag(f, "scdc_read_request"));
    EXPECT_EQ(Integer(f, "max_frl_rate_code"), 3);
    EXPECT_TRUE(Flag(f, "dc_36bit_420"));
    EXPECT_FALSE(Flag(f, "dc_30bit_420"));
    EXPECT_TRUE(Flag(f, "allm"));
    EXPECT_EQ(Integer(f, "vrr_min_hz"), 48);
    EXPECT_EQ(Integer(f, "vrr_max_hz"), 144);
    EXPECT_EQ(Integer(f, "dsc_max_slices_code"), 4);
    EXPECT_EQ(Integer(f, "dsc_total_chunk_bytes"), 4 * 1024);

    // The Sink Capability block carries the same fields after its extended
    // tag and two reserved bytes.
    const std::vector<std::uint8_t> scdb = {0xE7, 0x79, 0x00, 0x00, 0x01, 0x48, 0x80};
    const Section c = complete::DecodeHdmiForumSinkCapability(scdb, w);
    EXPECT_EQ(Integer(c, "max_tmds_character_rate_mhz"), 360);
    EXPECT_TRUE(Flag(c, "scdc_present"));
    EXPECT_EQ(FindField(c, "max_frl_rate_code"), nullptr) << "byte 7 is past the block";

    // An HDMI block cut after its physical address: nothing read past it.
    const std::vector<std::uint8_t> hdmi = {0x65, 0x03, 0x0C, 0x00, 0x21, 0x00};
    const Section h = complete::DecodeVendorSpecificDataBlock(hdmi, w);
    EXPECT_EQ(FindField(h, "physical_address")->text, "2.1.0.0");
    EXPECT_EQ(FindField(h, "max_tmds_clock_mhz"), nullptr);

    // Any other company: its OUI, and the block as bytes.
    const std::vector<std::uint8_t> other = {0x64, 0xFA, 0x10, 0x00, 0x42};
    const Section o = complete::DecodeVendorSpecificDataBlock(other, w);
    EXPECT_EQ(FindField(o, "oui")->text, "00-10-FA");
    EXPECT_TRUE(o.bytesOnly);
    EXPECT_EQ(o.bytes, other);
    EXPECT_EQ(o.fields.size(), 1u) << "only the OUI is read";
    // Microsoft's block one byte short of its container ID: bytes too.
    std::vector<std::uint8_t> microsoft(21, 0);
    microsoft[0] = 0x74;
    microsoft[1] = 0x5C;
    microsoft[2] = 0x12;
    microsoft[3] = 0xCA;
    microsoft[4] = 3;
    const Section m = complete::DecodeVendorSpecificDataBlock(microsoft, w);
    EXPECT_TRUE(m.bytesOnly);
    EXPECT_EQ(m.fields.size(), 1u);

    // Too short for an OUI: bytes, never a read past the end.
    const std::vector<std::uint8_t> stub = {0x62, 0x03, 0x0C};
    EXPECT_TRUE(complete::DecodeVendorSpecificDataBlock(stub, w).bytesOnly);
}

void FixChecksum(std::span<std::uint8_t> block)
{
    block[127] = static_cast<std::uint8_t>(256 - std::accumulate(block.begin(), block.begin() + 127, 0u) % 256);
}

bool HasFinding(const complete::CompleteDecode& d, Finding::Source source)
{
    return std::any_of(d.findings.begin(), d.findings.end(), [&](const Finding& f) { return f.source == source; });
}

TEST(CompleteDecode, ChecksumsAndLengthsAreReportedAsRead)
{
    auto edid = ReadBytes(std::filesystem::path(TESSARIN_TEST_DATA) / "ACD-040BDD077803.bin");
    ASSERT_EQ(edid.size(), 256u);

    const auto good = complete::DecodeComplete(edid);
    ASSERT_EQ(good.checksums.size(), 2u);
    EXPECT_TRUE(good.checksums[0].valid() && good.checksums[1].valid());
    EXPECT_TRUE(good.lengthProblems.empty());

    auto bad = edid;
    bad[255] ^= 0x01;
    const auto wrong = complete::DecodeComplete(bad);
    EXPECT_FALSE(wrong.checksums[1].valid());
    EXPECT_EQ(wrong.checksums[1].stored, bad[255]);
    EXPECT_EQ(wrong.checksums[1].expected, edid[255]);
    EXPECT_TRUE(HasFinding(wrong, Finding::Source::Checksum));

    // The extension count says one more block than there is, and a partial block follows.
    auto shortRead = std::vector<std::uint8_t>(edid.begin(), edid.begin() + 128 + 50);
    const auto cut = complete::DecodeComplete(shortRead);
    EXPECT_EQ(cut.lengthProblems.size(), 2u);
    EXPECT_TRUE(cut.extensions.empty());
    EXPECT_FALSE(cut.base.bytesOnly) << "the base block alone still decodes";

    // Fewer bytes than a base block: shown as bytes, nothing lost.
    const auto tiny = complete::DecodeComplete(std::span(edid).first(20));
    EXPECT_EQ(tiny.base.bytes.size(), 20u);
    EXPECT_FALSE(tiny.lengthProblems.empty());
}

TEST(CompleteDecode, WhatTheLibraryRefusesIsStillDecoded)
{
    // Its extension is all 0xFF with a wrong checksum: the library refuses
    // the bytes as read but takes a copy with the checksums recomputed.
    const auto edid = ReadBytes(std::filesystem::path(TESSARIN_TEST_DATA) / "ACB-690FBA877DE8.bin");
    const auto d = complete::DecodeComplete(edid);
    EXPECT_TRUE(HasFinding(d, Finding::Source::Repair));
    EXPECT_FALSE(d.checksums[1].valid()) << "the repair never shows as valid";
    EXPECT_FALSE(d.base.bytesOnly);
    ASSERT_EQ(d.extensions.size(), 1u);
    EXPECT_EQ(d.extensions[0].bytes.size(), 128u);

    // A CTA block whose data block runs past the timing offset, which the
    // library refuses even repaired: our walk still names the blocks before it.
    auto broken = ReadBytes(std::filesystem::path(TESSARIN_TEST_DATA) / "ACD-040BDD077803.bin");
    broken[128 + 2] = 20; // data blocks end at 20, inside the audio block that starts at 18
    FixChecksum(std::span(broken).subspan(128, 128));
    const auto b = complete::DecodeComplete(broken);
    ASSERT_EQ(b.extensions.size(), 1u);
    EXPECT_EQ(All(b, "video_data_block").size(), 1u);
    EXPECT_EQ(All(b, "truncated_data_block").size(), 1u);
    EXPECT_EQ(All(b, "vic").size(), 13u) << "the video block before it is whole";
}

// The HDR FreeSync monitor's VICs, luminance and refresh range are held by
// its kept complete report; here what that report cannot show.
TEST(CompleteDecode, WideVicCodesAndTheLocalesSeparator)
{
    const auto edid = ReadBytes(std::filesystem::path(TESSARIN_TEST_DATA) / "ACD-040BDD077803.bin");
    // Codes 129..192 are VICs 1..64 marked native; 193 and up are VICs of
    // their own, never native.
    std::array<std::uint8_t, 256> codes{};
    std::copy_n(edid.begin(), codes.size(), codes.begin());
    codes[128 + 6] = 0xC1;
    codes[128 + 7] = 0x81;
    codes[128 + 8] = 0xDB;
    FixChecksum(std::span(codes).subspan(128, 128));
    const auto decodedCodes = complete::DecodeComplete(codes);
    const auto wide = All(decodedCodes, "vic");
    ASSERT_GE(wide.size(), 4u);
    EXPECT_EQ(wide[1]->summary, "5120x2160p 120.000 Hz 64:27 1485.000 MHz");
    EXPECT_EQ(wide[2]->summary, "640x480p 59.940 Hz 4:3 25.175 MHz (native)");
    EXPECT_EQ(Integer(*wide[3], "vic"), 219);
    EXPECT_FALSE(Flag(*wide[3], "native"));

    // A timing that gives only its image width still shows it.
    std::array<std::uint8_t, 256> widthOnly{};
    std::copy_n(edid.begin(), widthOnly.size(), widthOnly.begin());
    widthOnly[54 + 13] = 0;
    widthOnly[54 + 14] &= 0xF0;
    FixChecksum(std::span(widthOnly).first(128));
    const std::string summary = All(complete::DecodeComplete(widthOnly), "detailed_timing").at(0)->summary;
    EXPECT_TRUE(summary.ends_with(" mm x 0 mm)")) << summary;

    // Decimal separator of the user's locale in texts; the value unchanged.
    const auto comma = complete::DecodeComplete(edid, ',');
    EXPECT_EQ(FindField(*All(comma, "hdr_static_metadata_data_block")[0], "max_luminance_cd_m2")->text,
              "408,759 cd/m²");
}

// Each block the library decodes is matched to its own bytes by its tag and
// extended tag: an InfoFrame block (extended tag 32) keeps the library's fields.
TEST(CompleteDecode, LibraryBlocksMeetTheirBytes)
{
    std::array<std::uint8_t, 256> edid{0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x04, 0x21};
    edid[18] = 1;
    edid[19] = 4;
    edid[20] = 0x80;
    edid[126] = 1;
    // A CTA-861 extension holding one InfoFrame block: one more VSIF, AVI.
    const std::array<std::uint8_t, 9> cta = {0x02, 0x03, 0x09, 0x00, 0xE4, 0x20, 0x00, 0x01, 0x02};
    std::copy(cta.begin(), cta.end(), edid.begin() + 128);
    FixChecksum(std::span(edid).first(128));
    FixChecksum(std::span(edid).last(128));
    const auto d = complete::DecodeComplete(edid);
    const auto blocks = All(d, "infoframe_data_block");
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_NE(FindField(*blocks[0], "infoframes"), nullptr);
}

} // namespace
} // namespace tessarin::test
