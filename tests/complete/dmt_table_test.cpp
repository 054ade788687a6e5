// Our DMT table (DisplayID names modes by DMT ID) against the one inside
// libdisplay-info, reached through an established timings III descriptor,
// whose 44 bits name 44 DMT modes.
#include "dmt_table.h"

extern "C" {
#include <libdisplay-info/dmt.h>
#include <libdisplay-info/edid.h>
#include <libdisplay-info/info.h>
}

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

namespace tessarin {
namespace {

using Info = std::unique_ptr<di_info, void (*)(di_info*)>;

void ExpectSameMode(const di_dmt_timing& m)
{
    SCOPED_TRACE(static_cast<int>(m.dmt_id));
    const DmtMode* ours = FindDmtMode(m.dmt_id);
    ASSERT_NE(ours, nullptr);
    EXPECT_EQ(ours->width, m.horiz_video);
    EXPECT_EQ(ours->height, m.vert_video);
    EXPECT_NEAR(ours->hz, static_cast<double>(m.refresh_rate_hz), 0.5);
    EXPECT_EQ(ours->reducedBlanking, m.reduced_blanking);
}

// A minimal EDID 1.4 with the given standard timing codes and, in its
// second descriptor, established timings III with every bit set.
Info Parse(const std::vector<std::array<std::uint8_t, 2>>& standardTimings)
{
    std::array<std::uint8_t, 128> edid{0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x10, 0xAC, 0x01, 0x00};
    edid[0x12] = 1;
    edid[0x13] = 4;
    edid[0x14] = 0x80; // digital
    // Descriptor 1 a detailed timing, as EDID 1.4 asks; descriptor 2 the
    // established timings III with every bit set.
    const std::array<std::uint8_t, 18> dtd = {0x02, 0x3A, 0x80, 0x18, 0x71, 0x38, 0x2D, 0x40, 0x58,
                                              0x2C, 0x45, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x1E};
    std::copy(dtd.begin(), dtd.end(), edid.begin() + 54);
    const std::array<std::uint8_t, 12> et3 = {0, 0, 0, 0xF7, 0, 0x0A, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xF0};
    std::copy(et3.begin(), et3.end(), edid.begin() + 72);
    for (int d = 90; d < 126; d += 18)
        edid[static_cast<std::size_t>(d + 3)] = 0x10; // dummy descriptors
    for (std::size_t i = 0; i < 8; ++i) {
        const bool used = i < standardTimings.size();
        edid[38 + 2 * i] = used ? standardTimings[i][0] : 0x01;
        edid[39 + 2 * i] = used ? standardTimings[i][1] : 0x01;
    }
    edid[127] = static_cast<std::uint8_t>(256 - std::accumulate(edid.begin(), edid.end() - 1, 0) % 256);
    return Info(di_info_parse_edid(edid.data(), edid.size()), di_info_destroy);
}

TEST(DmtTable, AgreesWithTheLibrarysModes)
{
    const Info info = Parse({});
    ASSERT_NE(info, nullptr);
    const di_edid_display_descriptor* const* descriptors =
        di_edid_get_display_descriptors(di_info_get_edid(info.get()));
    ASSERT_NE(descriptors[0], nullptr);
    const di_dmt_timing* const* modes = di_edid_display_descriptor_get_established_timings_iii(descriptors[0]);
    ASSERT_NE(modes, nullptr);
    int compared = 0;
    for (; *modes != nullptr; ++modes, ++compared)
        ExpectSameMode(**modes);
    EXPECT_EQ(compared, 44);

    // The modes a standard timing names: each of ours written as one, eight
    // to an EDID, and the mode the library finds for it compared.
    std::vector<std::array<std::uint8_t, 2>> codes;
    std::vector<unsigned> ids;
    for (unsigned id = 1; id < 256; ++id) {
        const DmtMode* mode = FindDmtMode(id);
        // A standard timing holds widths of 256 to 2288 in steps of 8.
        if (mode == nullptr || mode->interlaced || mode->width % 8 != 0 || mode->width < 256 ||
            mode->width > 2288)
            continue;
        const int w = mode->width;
        const int h = mode->height;
        const int aspect = w * 10 == h * 16 ? 0 : w * 3 == h * 4 ? 1 : w * 4 == h * 5 ? 2 : w * 9 == h * 16 ? 3 : -1;
        const long rate = std::lround(mode->hz) - 60;
        if (aspect < 0 || rate < 0 || rate > 63)
            continue;
        codes.push_back({static_cast<std::uint8_t>(w / 8 - 31), static_cast<std::uint8_t>(aspect << 6 | rate)});
        ids.push_back(id);
    }
    int found = 0;
    for (std::size_t first = 0; first < codes.size(); first += 8) {
        const Info batch = Parse({codes.begin() + static_cast<std::ptrdiff_t>(first),
                                  codes.begin() + static_cast<std::ptrdiff_t>(std::min(first + 8, codes.size()))});
        ASSERT_NE(batch, nullptr);
        std::size_t i = first;
        for (auto* t = di_edid_get_standard_timings(di_info_get_edid(batch.get())); *t != nullptr; ++t, ++i) {
            const di_dmt_timing* m = di_edid_standard_timing_get_dmt(*t);
            // A reduced-blanking mode shares its code with the normal one.
            if (!FindDmtMode(ids[i])->reducedBlanking) {
                EXPECT_EQ(m == nullptr ? 0u : m->dmt_id, ids[i]);
            }
            if (m != nullptr) {
                ExpectSameMode(*m);
                ++found;
            }
        }
    }
    EXPECT_GT(found, 40);
}

// Every mode a DisplayID DMT bitmap names (IDs 0x01 to 0x50) against
// edid-decode's list of them. Its rates are the exact field rates; ours are
// the nominal ones, and an interlaced mode's is that of its frames.
TEST(DmtTable, AgreesWithEdidDecodeOnEveryBitmapMode)
{
    if (std::system("command -v edid-decode >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "edid-decode is not installed";
    std::array<std::uint8_t, 256> edid{0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x10, 0xAC};
    edid[0x12] = 1;
    edid[0x13] = 4;
    edid[126] = 1;
    // A DisplayID 1.2 section whose one data block sets all 80 bits.
    const std::array<std::uint8_t, 18> section = {0x12, 13,   0,    0,    0x07, 0x00, 10,   0xFF, 0xFF,
                                                  0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
    edid[128] = 0x70;
    std::copy(section.begin(), section.end(), edid.begin() + 129);
    const auto checksum = [](auto first, auto last) {
        return static_cast<std::uint8_t>(256 - std::accumulate(first, last, 0) % 256);
    };
    edid[146] = checksum(edid.begin() + 129, edid.begin() + 146);
    edid[127] = checksum(edid.begin(), edid.begin() + 127);
    edid[255] = checksum(edid.begin() + 128, edid.begin() + 255);
    const std::string path = testing::TempDir() + "dmt_bitmap.bin";
    {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        ASSERT_EQ(std::fwrite(edid.data(), 1, edid.size(), f), edid.size());
        std::fclose(f);
    }
    std::FILE* pipe = popen(("edid-decode '" + path + "' 2>/dev/null").c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    int compared = 0;
    for (char line[256]; std::fgets(line, sizeof line, pipe) != nullptr;) {
        unsigned id = 0;
        int width = 0;
        int height = 0;
        int at = 0;
        if (std::sscanf(line, " DMT 0x%x: %dx%d%n", &id, &width, &height, &at) != 3)
            continue;
        const bool interlaced = line[at] == 'i';
        double hz = 0;
        ASSERT_EQ(std::sscanf(line + at + (interlaced ? 1 : 0), "%lf", &hz), 1) << line;
        SCOPED_TRACE(line);
        const DmtMode* ours = FindDmtMode(id);
        ASSERT_NE(ours, nullptr);
        EXPECT_EQ(ours->id, id);
        EXPECT_EQ(ours->width, width);
        EXPECT_EQ(ours->height, height);
        EXPECT_EQ(ours->interlaced, interlaced);
        // Each is named after its rate rounded, but for 640x480 at 72.81 Hz, named 72.
        EXPECT_EQ(ours->hz, id == 0x05 ? 72.0 : std::round(interlaced ? hz / 2 : hz));
        // edid-decode leaves 0x1A (1280x768 at 120 Hz, 140.25 MHz) unmarked,
        // though its blanking is the reduced one.
        if (id != 0x1A) {
            EXPECT_EQ(ours->reducedBlanking, std::strstr(line, "(RB)") != nullptr);
        }
        ++compared;
    }
    pclose(pipe);
    std::remove(path.c_str());
    EXPECT_EQ(compared, 80);
}

} // namespace
} // namespace tessarin
