#include "video_timing_extension.h"

#include "bits.h"
#include "raw_descriptors.h"

#include <algorithm>
#include <array>
#include <string>

namespace tessarin::complete {

namespace {

using Bytes = std::span<const std::uint8_t>;

constexpr std::size_t kFirst = 5;  // after tag, version and the three counts
constexpr std::size_t kEnd = 127;  // the checksum byte

Section Titled(const char* title, const char* key)
{
    Section s;
    s.title = FixedText(title);
    s.key = key;
    return s;
}

// A 3-byte CVT code, shown as the base block's are.
Section CvtCode(Bytes c, const FieldWriter& w)
{
    static constexpr std::array<const char*, 4> kRatios = {"4:3", "16:9", "16:10", "15:9"};
    static constexpr std::array<int, 4> kPreferred = {50, 60, 75, 85};
    const unsigned lines = ((get_bit_range(c[1], 7, 4) << 8 | c[0]) + 1) * 2;
    const char* ratio = kRatios[get_bit_range(c[1], 3, 2)];
    const int preferred = kPreferred[get_bit_range(c[2], 6, 5)];
    static constexpr std::array<const char*, 5> kRates = {"60 Hz RB", "85 Hz", "75 Hz", "60 Hz", "50 Hz"};
    std::string rates;
    for (int bit = 4; bit >= 0; --bit)
        if (IsBitSet(c[2], bit))
            rates += std::string(rates.empty() ? "" : ", ") + kRates[static_cast<std::size_t>(bit)];
    Section t = Titled("CVT code", "cvt_timing_code");
    t.summary = std::to_string(lines) + " lines " + ratio + ": " + rates + " (preferred " + std::to_string(preferred) +
                " Hz)";
    w.Integer(t, "lines", "Addressable lines per field", lines);
    w.Text(t, "aspect_ratio", "Aspect ratio", ratio);
    w.Text(t, "rates", "Rates", rates);
    w.Integer(t, "preferred_refresh_hz", "Preferred rate", preferred, "Hz");
    return t;
}

// A 2-byte standard timing, as in the base block of EDID 1.3 and later.
Section StandardTiming(Bytes t, const FieldWriter& w)
{
    static constexpr std::array<std::pair<int, int>, 4> kRatios = {{{16, 10}, {4, 3}, {5, 4}, {16, 9}}};
    static constexpr std::array<const char*, 4> kRatioNames = {"16:10", "4:3", "5:4", "16:9"};
    const unsigned r = get_bit_range(t[1], 7, 6);
    const int width = (t[0] + 31) * 8;
    const int height = width * kRatios[r].second / kRatios[r].first;
    const int refresh = static_cast<int>(get_bit_range(t[1], 5, 0)) + 60;
    Section s = Titled("Standard timing", "standard_timing");
    s.summary = std::to_string(width) + "x" + std::to_string(height) + " " + std::to_string(refresh) + " Hz " +
                kRatioNames[r];
    w.Integer(s, "width_px", "Width", width, "pixels");
    w.Integer(s, "height_px", "Height", height, "lines");
    w.Integer(s, "refresh_rate_hz", "Refresh rate", refresh, "Hz");
    w.Text(s, "aspect_ratio", "Aspect ratio", kRatioNames[r]);
    return s;
}

} // namespace

void DecodeVideoTimingExtension(std::span<const std::uint8_t, 128> block, const FieldWriter& w, Section& s,
                                std::vector<std::string>& problems)
{
    const Bytes b(block);
    w.Integer(s, "version", "Version", b[1]);
    std::size_t at = kFirst;
    // Each list takes what its count says, as far as the block reaches.
    const auto take = [&](std::size_t count, std::size_t size, const char* what) {
        const std::size_t fits = std::min(count, (kEnd - std::min(at, kEnd)) / size);
        if (fits < count)
            problems.push_back(std::to_string(count) + " " + what + " announced, room for " + std::to_string(fits));
        return fits;
    };
    Section dtds = Titled("Detailed Timing Descriptors", "detailed_timings");
    for (std::size_t i = 0, n = take(b[2], 18, "detailed timings"); i < n; ++i, at += 18)
        dtds.children.push_back(
            DetailedTimingFromBytes(std::span<const std::uint8_t, 18>(block.data() + at, 18), static_cast<int>(i) + 1, w));
    Section cvts = Titled("Coordinated Video Timings", "cvt_timing_codes");
    for (std::size_t i = 0, n = take(b[3], 3, "CVT codes"); i < n; ++i, at += 3)
        cvts.children.push_back(CvtCode(b.subspan(at, 3), w));
    Section standard = Titled("Standard Timings", "standard_timings");
    for (std::size_t i = 0, n = take(b[4], 2, "standard timings"); i < n; ++i, at += 2)
        if (b[at] != 0x01 || b[at + 1] != 0x01) // 01 01: an unused slot
            standard.children.push_back(StandardTiming(b.subspan(at, 2), w));
    for (Section* list : {&dtds, &cvts, &standard})
        if (!list->children.empty())
            s.children.push_back(std::move(*list));
}

} // namespace tessarin::complete
