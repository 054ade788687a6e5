// Singles as the report shows them: what printf's "%.7G" writes, with the
// caller's decimal separator.
#include "number_format.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>

namespace tessarin {
namespace {

std::string Printf(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.7G", static_cast<double>(value));
    return text;
}

TEST(FormatSingle, WritesWhatPrintfWrites)
{
    constexpr float kInf = std::numeric_limits<float>::infinity();
    // The values a report shows, then the edges of the short route: exact
    // ties at the seventh digit, rounding into the next decade, the ends of
    // fixed notation, zeros, and what only the general route writes.
    for (const float value :
         {148.5f, 0.64f, 0.3291016f, 2.2f, 23.6f, 65.0f, 1.0f / 3, 0.0001f, 0.00009999999f, 9999999.0f,
          9999999.5f, 10000000.0f, 999999.94f, 0.99999994f, 1234567.5f, 1234568.5f, 0.1234567f, 100.0f,
          0.5f, 0.0f, -0.0f, -148.5f, -0.0001f, 1e10f, 1.17549435e-38f, 1e-45f, 3.4028235e38f, kInf,
          -kInf, std::numeric_limits<float>::quiet_NaN()}) {
        std::string want = Printf(value);
        EXPECT_EQ(FormatSingle(value), want) << want;
        for (char& c : want)
            if (c == '.')
                c = ',';
        EXPECT_EQ(FormatSingle(value, ','), want) << want;
    }
}

TEST(FormatSingle, WritesWhatPrintfWritesAcrossTheFloats)
{
    // A sample of every sign, exponent and mantissa: the whole range was
    // compared once, this keeps the two from drifting apart.
    int differences = 0;
    for (std::uint64_t bits = 0; bits <= 0xFFFFFFFFu; bits += 65521) {
        const float value = std::bit_cast<float>(static_cast<std::uint32_t>(bits));
        // C libraries differ on the sign of a NaN (mingw's printf drops it),
        // and no EDID value is one.
        if (std::isnan(value))
            continue;
        if (FormatSingle(value) != Printf(value) && ++differences <= 10)
            ADD_FAILURE() << std::hex << bits << ": " << FormatSingle(value) << " not " << Printf(value);
    }
    EXPECT_EQ(differences, 0);
}

} // namespace
} // namespace tessarin
