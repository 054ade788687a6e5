// The manufacturer name table, directly and through the decoded ID letters.
#include "edid_builder.h"
#include "manufacturers.h"

#include <gtest/gtest.h>

#include <utility>

namespace tessarin {
namespace {

TEST(Manufacturers, WholeCaseSensitiveKeys)
{
    for (auto [id, name] : std::initializer_list<std::pair<const char*, const char*>>{
             {"ACT", "Targa"}, {"___", "Targa"}, {"ADI", "ADI Corporation"}, {"ZCM", "Zenith Data Systems"}})
        EXPECT_EQ(GetManufacturerName(id), name) << id;
    for (const char* id : {"@@@", "ZZZ", "del", "DE", "DELL", ""})
        EXPECT_EQ(GetManufacturerName(id), id) << id;
}

TEST(Manufacturers, DecodedLettersIgnoreBit15)
{
    struct Case {
        std::uint8_t hi, lo;
        const char* id;
        const char* name;
    };
    for (const Case& c : {Case{0x10, 0xAC, "DEL", "Dell Computer Corp."}, Case{0x90, 0xAC, "DEL", "Dell Computer Corp."},
                          Case{0x4C, 0x2D, "SAM", "Samsung"}, Case{0x7F, 0xFF, "___", "Targa"},
                          Case{0xFF, 0xFF, "___", "Targa"}, Case{0x6F, 0x9D, "[\\]", "[\\]"}}) {
        CEDIDParser parser;
        test::Load(parser, test::EdidBuilder().Set(8, {c.hi, c.lo}));
        EXPECT_EQ(parser.ManufacturerID(), c.id);
        EXPECT_EQ(parser.IDManufacturerName(), c.name);
    }
}

} // namespace
} // namespace tessarin
