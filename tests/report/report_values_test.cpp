// The values the report routines build on the stack: raw dump rows, and
// what does not fit.
#include "report_steps.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

namespace tessarin::report_steps {
namespace {

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
