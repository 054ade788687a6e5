// Every real EDID in tests/data against the report kept beside it
// (<name>.rtf and <name>.txt). Regenerate with the update-golden target and
// review the text diff before committing it.
#include "report_test_support.h"

#include <gtest/gtest.h>

namespace tessarin::test {
namespace {

TEST(GoldenReports, EveryTestEdidGivesItsKeptReport)
{
    const auto files = TestEdids();
    ASSERT_GE(files.size(), 12u);
    for (const auto& bin : files) {
        auto path = bin;
        BuiltReport r;
        Build(r, ReadEdid(bin));
        EXPECT_EQ(r.rtf, ReadText(path.replace_extension(".rtf"))) << path;
        EXPECT_EQ(r.text, ReadText(path.replace_extension(".txt"))) << path;
    }
}

} // namespace
} // namespace tessarin::test
