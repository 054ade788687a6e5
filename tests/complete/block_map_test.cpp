// A block map names the blocks after it: a map at block 128 speaks of
// blocks 129 and on, not 2 and on.
#include "extension_sections.h"

#include <gtest/gtest.h>

#include <array>
#include <variant>

namespace tessarin {
namespace {

std::int64_t BlockNumber(const complete::Section& entry)
{
    for (const complete::Field& f : entry.fields)
        if (f.key == "block_number")
            return std::get<std::int64_t>(f.value);
    return -1;
}

TEST(BlockMap, NumbersTheBlocksAfterTheMap)
{
    std::array<std::uint8_t, 128> block{};
    block[0] = 0xF0;
    block[1] = 0x02;
    block[2] = 0x70;
    block[5] = 0x02; // a gap: blocks 3 and 4 unused
    for (const auto& [at, first] : {std::pair{1, 2}, std::pair{128, 129}}) {
        const complete::Section s = complete::BlockMapExtension(block, at, complete::FieldWriter());
        ASSERT_EQ(s.children.size(), 3u);
        EXPECT_EQ(BlockNumber(s.children[0]), first);
        EXPECT_EQ(BlockNumber(s.children[1]), first + 1);
        EXPECT_EQ(BlockNumber(s.children[2]), first + 4);
        EXPECT_NE(s.children[1].summary.find("DisplayID"), std::string::npos);
    }
}

} // namespace
} // namespace tessarin
