// View > Complete Decode in the window: on by default, remembered, and what
// it changes in the pane, the tree and the saves.
#include "main_window.h"
#include "report_pane.h"
#include "section_tree_widget.h"

#include "app_test_support.h"

#include <QAction>

#include <gtest/gtest.h>

namespace tessarin::test {
namespace {

TEST(CompleteView, OnByDefaultRememberedAndShownAfterTheReport)
{
    frmMain::Options options = TestOptions(true);
    // A fresh user: no setting yet, the complete decode on.
    fs::remove(options.settingsFile.toStdString());
    frmMain window(options);
    window.StartUp();
    ASSERT_TRUE(window.CompleteDecodeShown());

    const fs::path acd = fs::path(TESSARIN_TEST_DATA) / "ACD-040BDD077803.bin";
    ASSERT_TRUE(window.LoadEdidFile(QString::fromStdString(acd.string())));
    const QString full = window.RichTextBox()->toPlainText();
    EXPECT_TRUE(full.contains("VIC 60 : \t1280x720p 24.000 Hz 16:9 59.400 MHz"));
    ASSERT_EQ(window.TreeView1()->topLevelItemCount(), 3);

    // Off: the standard report alone, and the choice kept for the next run.
    window.findChild<QAction*>("mnuCompleteDecode")->trigger();
    EXPECT_FALSE(window.RichTextBox()->toPlainText().contains("VIC 60"));
    EXPECT_EQ(window.TreeView1()->topLevelItemCount(), 2);
    EXPECT_TRUE(full.startsWith(window.RichTextBox()->toPlainText().chopped(1)));
    frmMain next(options);
    EXPECT_FALSE(next.CompleteDecodeShown());
}

TEST(CompleteView, BinarySaveKeepsEveryBlock)
{
    TempFolder folder;
    frmMain window(TestOptions(true));
    window.StartUp();
    const fs::path six = fs::path(TESSARIN_TEST_DATA) / "APP-7791A79DE7B8.bin";
    ASSERT_TRUE(window.LoadEdidFile(QString::fromStdString(six.string())));
    EXPECT_EQ(window.CurrentEDID().size(), 256u);
    EXPECT_EQ(window.ShownEDID().size(), 768u);
    EXPECT_TRUE(window.RichTextBox()->toPlainText().contains("Block 5: DisplayID Extension Block"));

    const fs::path saved = folder / "saved.bin";
    ASSERT_TRUE(window.SaveBinary(QString::fromStdString(saved.string())));
    EXPECT_EQ(ReadBytes(saved), ReadBytes(six));
    EXPECT_FALSE(window.SaveBinary(QString::fromStdString((folder / "missing" / "x.bin").string())));
}

} // namespace
} // namespace tessarin::test
