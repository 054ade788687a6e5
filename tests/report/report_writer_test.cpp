// The section index: keys, tags and what a click on a node selects. The
// primitives' bytes are held by the kept reports.
#include "report_test_support.h"

#include <gtest/gtest.h>

namespace tessarin::test {
namespace {

// The tests' stand-in for the window's tree keeps the interface's promise:
// a refused node adds nothing, so a report never shows a section twice.
TEST(HeadlessSectionTree, RefusesATakenKeyAndAMissingParent)
{
    HeadlessSectionTree tree;
    ASSERT_TRUE(tree.AddNode("base", "EDID", "6", true, ""));
    EXPECT_FALSE(tree.AddNode("base", "again", "7", false, ""));
    EXPECT_FALSE(tree.AddNode("child", "orphan", "8", false, "nowhere"));
    ASSERT_TRUE(tree.AddNode("child", "Header", "9", false, "base"));
    ASSERT_EQ(tree.Nodes().size(), 2u);
    EXPECT_EQ(tree.Nodes()[0].text, "EDID");
    EXPECT_EQ(tree.Nodes()[1].parentKey, "base");
}

class SectionIndex : public ::testing::Test {
protected:
    void SetUp() override
    {
        parser_.UpdateEDIDDataFromArray(MakeEdid());
        writer_.StartReport();
        writer_.AddBaseRootNode(parser_);
    }

    // What a click on `key` selected, as the selected paragraph's text.
    std::string ClickAndSelectedText(const std::string& key)
    {
        const auto* node = tree_.Find(key);
        EXPECT_NE(node, nullptr) << key;
        if (node == nullptr)
            return "";
        writer_.NodeClick(node->tag);
        return SelectedText();
    }

    std::string SelectedText() const
    {
        const DocumentModel& document = view_.Document();
        for (std::int32_t line = 0; line < view_.LineCount(); ++line)
            if (view_.FirstCharOfLine(line) == view_.SelectionStart())
                return std::string(document.Text(document.paragraphs[static_cast<std::size_t>(line)]));
        return "<no line starts at the selection>";
    }

    CEDIDParser parser_;
    HeadlessReportView view_;
    HeadlessSectionTree tree_;
    ReportWriter writer_{view_, tree_};
};

TEST_F(SectionIndex, FirstSectionGetsTagSixAndItsClickSelectsTheTitleLine)
{
    writer_.AddSectionTitle("Vendor/Product Identification");
    writer_.AddLabelValue("Monitor Name : ", "x");
    writer_.Publish();
    const auto* node = tree_.Find("C6");
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->tag, "6");
    EXPECT_EQ(node->parentKey, "R");
    EXPECT_EQ(tree_.VisibleKey(), "C6");
    EXPECT_TRUE(tree_.Find("R")->expanded);

    writer_.NodeClick("6");
    EXPECT_EQ(view_.SelectionStart(), view_.FirstCharOfLine(4));
    EXPECT_EQ(view_.SelectionLength(), view_.FirstCharOfLine(5) - view_.FirstCharOfLine(4));
    EXPECT_EQ(SelectedText(), "Vendor/Product Identification:");
}

TEST_F(SectionIndex, RootIsBoldWithTagThreeAndSelectsTheReportTitle)
{
    writer_.Publish();
    const auto* root = tree_.Find("R");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->tag, "3");
    EXPECT_TRUE(root->bold);
    EXPECT_EQ(tree_.VisibleKey(), ""); // the root is not scrolled to
    EXPECT_EQ(ClickAndSelectedText("R"), "EDID ( Extended Display Identification Data) Report");
}

TEST_F(SectionIndex, ConsecutiveSectionsGetKeysAtLeastThreeApart)
{
    writer_.AddSectionTitle("A");
    writer_.AddSectionTitle("B");
    writer_.AddLabelValue("x : ", "1");
    writer_.AddSectionTitle("C");
    writer_.Publish();
    EXPECT_NE(tree_.Find("C6"), nullptr);
    EXPECT_NE(tree_.Find("C9"), nullptr);
    EXPECT_NE(tree_.Find("C13"), nullptr);
    EXPECT_EQ(ClickAndSelectedText("C9"), "B:");
    // The last, short section: its title line is still what gets selected.
    EXPECT_EQ(ClickAndSelectedText("C13"), "C:");
}

TEST_F(SectionIndex, ScrollToLineZeroOrBeyondTheEndChangesNothing)
{
    writer_.AddSectionTitle("A");
    writer_.Publish();
    view_.Select(3, 2);
    writer_.ScrollToLine(0);
    writer_.ScrollToLine(writer_.NumberOfRTFLines());
    writer_.ScrollToLine(1000000);
    writer_.ScrollToLine(-1);
    EXPECT_EQ(view_.SelectionStart(), 3);
    EXPECT_EQ(view_.SelectionLength(), 2);

    // The last line has no next one: the selection runs to the end.
    const std::int32_t last = writer_.NumberOfRTFLines() - 1;
    writer_.ScrollToLine(last);
    EXPECT_EQ(view_.SelectionStart(), view_.FirstCharOfLine(last));
    EXPECT_EQ(view_.SelectionStart() + view_.SelectionLength(), view_.PlainTextLength());
}

TEST_F(SectionIndex, TagThatIsNoNumberLeavesTheViewAtTheEnd)
{
    writer_.AddSectionTitle("A");
    writer_.AddLabelValue("x : ", "1");
    writer_.Publish();
    const std::int32_t last = writer_.NumberOfRTFLines() - 1;
    for (const char* tag : {"", "six", "6x", "99999", "-"}) {
        view_.Select(0, 0);
        writer_.NodeClick(tag);
        EXPECT_EQ(view_.SelectionStart(), view_.FirstCharOfLine(last)) << tag;
    }
    // Tags 0 and 1 scroll to line 0, which does nothing after the end was shown.
    writer_.NodeClick("1");
    EXPECT_EQ(view_.SelectionStart(), view_.FirstCharOfLine(last));
}

TEST_F(SectionIndex, ExtensionRootSelectsTheEmptyLineAboveItsTitle)
{
    for (int i = 0; i < 5; ++i)
        writer_.AddEmptyLine();
    writer_.AddExtensionTitle("EDID EXTENSION : EIA/CEA-861");
    writer_.AddExtensionRootNode("EDID EXTENSION : EIA/CEA-861");
    writer_.AddCEASectionTitle("Information");
    writer_.Publish();
    const auto* root = tree_.Find("RCEA");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->tag, "9"); // 3 + 5 empty lines + the title
    EXPECT_TRUE(root->bold);
    EXPECT_EQ(root->parentKey, "");
    EXPECT_EQ(ClickAndSelectedText("RCEA"), "");
    EXPECT_EQ(view_.SelectionStart(), view_.FirstCharOfLine(7));
    EXPECT_EQ(tree_.Find("C12")->parentKey, "RCEA");
    EXPECT_EQ(ClickAndSelectedText("C12"), "Information:");
}

// Setting the document once at the end must give the document and the tree
// that refreshing the pane after every primitive gives, on every real EDID.
void ExpectSameAsRefreshingEveryTime(const std::filesystem::path& file)
{
    const Edid edid = ReadEdid(file);
    BuiltReport once;
    BuiltReport every;
    Build(once, edid, '.', ReportWriter::Refresh::Once);
    Build(every, edid, '.', ReportWriter::Refresh::EveryPrimitive);
    EXPECT_EQ(once.rtf, every.rtf) << file;
    ASSERT_EQ(once.tree.Nodes().size(), every.tree.Nodes().size()) << file;
    for (std::size_t i = 0; i < once.tree.Nodes().size(); ++i) {
        const auto& a = once.tree.Nodes()[i];
        const auto& b = every.tree.Nodes()[i];
        EXPECT_EQ(std::tie(a.key, a.text, a.tag, a.bold, a.parentKey, a.expanded),
                  std::tie(b.key, b.text, b.tag, b.bold, b.parentKey, b.expanded))
            << file << " node " << i;
    }
    EXPECT_EQ(once.tree.VisibleKey(), every.tree.VisibleKey()) << file;
    EXPECT_EQ(once.view.SetDocumentCalls(), 1);
    EXPECT_GT(every.view.SetDocumentCalls(), 100);
}

TEST(ReportWriter, SettingTheDocumentOnceGivesTheTagsOfRefreshingEveryTime)
{
    for (const auto& file : TestEdids())
        ExpectSameAsRefreshingEveryTime(file);
    const std::filesystem::path samples = std::filesystem::path(TESSARIN_CORPUS_DIR) / "samples";
    if (!std::filesystem::is_directory(samples))
        GTEST_SKIP() << "no corpus samples at " << samples;
    // The reference path costs the square of a report; a spread of samples will do.
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(samples))
        files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (std::size_t i = 0; i < files.size(); i += 20)
        ExpectSameAsRefreshingEveryTime(files[i]);
}

} // namespace
} // namespace tessarin::test
