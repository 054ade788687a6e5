// The values the report routines build: texts escaped exactly as the
// document's own escaping would, raw dump rows.
#include "report_steps.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

namespace tessarin::report_steps {
namespace {

TEST(ReportValues, TextIsWhatEscapingGivesForEveryByteAnywhere)
{
    // Each byte value in each lane of an eight-byte stretch and in the
    // tail after it; then whole characters of more than one byte.
    std::string probes[] = {"\xC3\xA9t\xC3\xA9 of twenty chars", "\xE2\x82\xAC 1000 \xE2\x82\xAC", "Plain ASCII text, 26 long"};
    for (const std::string& text : probes)
        EXPECT_EQ(Text(text), EscapeRtfText(text)) << text;
    for (int b = 0; b < 256; ++b) {
        for (const std::size_t at : {0u, 3u, 7u, 8u, 15u, 16u, 19u}) {
            std::string text(20, 'a');
            text[at] = static_cast<char>(b);
            const std::string escaped = EscapeRtfText(text);
            EXPECT_EQ(IsPlainRtfText(text), escaped == text) << b << " at " << at;
            EXPECT_EQ(Text(text), escaped) << b << " at " << at;
        }
    }
}

TEST(ReportValues, RawDumpRowsOfAnyLength)
{
    // Each cell is written four characters wide, over the next: the last
    // must leave the tab whole.
    std::array<std::uint8_t, 16> bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 17);
    EXPECT_EQ(HexRow(bytes).view(), " 00 11 22 33 44 55 66 77 88 99 AA BB CC DD EE FF\\tab ");
    EXPECT_EQ(HexRow(std::span(bytes).subspan(15)).view(), " FF\\tab ");
    EXPECT_EQ(HexRow({}).view(), "\\tab ");
}

TEST(ReportValues, ValuesTooLongForAShortTextAreRefused)
{
    // Cut short they would corrupt the report without a word.
    std::array<std::uint8_t, 22> row{};
    EXPECT_THROW(static_cast<void>(HexRow(row)), std::length_error);
    ShortText text(std::string(60, 'x'));
    EXPECT_THROW(text += "12345", std::length_error);
    EXPECT_EQ(text.view(), std::string(60, 'x'));
}

} // namespace
} // namespace tessarin::report_steps
