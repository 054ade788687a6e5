// The window's EDID commands as a user meets them: text pasted or dropped
// in any layout, a choice among several monitors, the bytes out again.
#include "edid_commands.h"
#include "edid_redact.h"
#include "main_window.h"
#include "select_dialog.h"

#include "app_test_support.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QFileDialog>
#include <QListWidget>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace tessarin::test {
namespace {

const fs::path kLayouts = fs::path(TESSARIN_TEST_DATA) / "layouts";

using EdidCommands = ShownWindow;

TEST_F(EdidCommands, PastedXrandrOutputOffersEachMonitorAndShowsThePickedOne)
{
    QGuiApplication::clipboard()->setText(QString::fromStdString(ReadText(kLayouts / "GSM-SAM.xrandr-verbose")));
    QStringList offered;
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<frmSelect*>(modal);
        ASSERT_NE(dialog, nullptr);
        for (int row = 0; row < dialog->listDisplay()->count(); ++row)
            offered << dialog->listDisplay()->item(row)->text();
        dialog->listDisplay()->setCurrentRow(1);
        dialog->cmdShowEDID()->click();
    });
    Action("mnuPasteEDID")->trigger();
    EXPECT_EQ(offered, QStringList({"1. HDMI-1 - GSM LG TV", "2. DP-1 - SAM SAMSUNG"}));
    EXPECT_EQ(window_.CurrentEDID(), TestEdid("SAM-0D66531D4F35.bin"));

    // Cancelling the choice keeps what is shown.
    WhenModal([](QWidget* modal) { qobject_cast<frmSelect*>(modal)->cmdCancel()->click(); });
    Action("mnuPasteEDID")->trigger();
    EXPECT_EQ(window_.CurrentEDID(), TestEdid("SAM-0D66531D4F35.bin"));
}

TEST_F(EdidCommands, RegistryExportsAndDroppedTextLoadAndTheBytesGoOutAgain)
{
    ASSERT_TRUE(window_.LoadEdidFile(QString::fromStdString((kLayouts / "ACR-D14980399AEF.reg").string())));
    EXPECT_EQ(window_.CurrentEDID(), TestEdid("ACR-D14980399AEF.bin")); // 128 bytes, padded

    // Three blocks as hex text, dropped: shown, and copied out whole.
    std::vector<std::uint8_t> threeBlocks = TestEdid("GSM-7045A2DA2452.bin"); // 256 bytes
    const auto third = TestEdid("SAM-0D66531D4F35.bin");
    threeBlocks.insert(threeBlocks.end(), third.begin() + 128, third.end());
    QMimeData text;
    text.setText(EdidHexText(threeBlocks));
    EXPECT_TRUE(DragAndDrop(window_, text));
    EXPECT_EQ(window_.CurrentEDID(), TestEdid("GSM-7045A2DA2452.bin"));
    Action("mnuCopyEdidHex")->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), EdidHexText(threeBlocks));

    // An .edd keeps 256 bytes: the save says what it leaves out first. Cancel
    // ends it there; Save goes on to the file dialog.
    QString warning;
    const auto answer = [&](QMessageBox::StandardButton button, bool fileDialogFollows) {
        WhenModal([&, button, fileDialogFollows](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            warning = box->text();
            if (fileDialogFollows)
                WhenModal([](QWidget* dialog) {
                    EXPECT_NE(qobject_cast<QFileDialog*>(dialog), nullptr);
                    dialog->close();
                });
            box->button(button)->click();
        });
        Action("mnuSaveEDD")->trigger();
    };
    answer(QMessageBox::Cancel, false);
    EXPECT_TRUE(warning.contains("384 bytes (3 blocks)")) << warning.toStdString();
    warning.clear();
    answer(QMessageBox::Save, true);
    EXPECT_FALSE(warning.isEmpty());

    const fs::path copy = folder_ / "redacted.bin";
    ASSERT_TRUE(window_.SaveRedactedCopy(QString::fromStdString(copy.string())));
    EXPECT_EQ(ReadBytes(copy), RedactEdid(threeBlocks).bytes);
}

} // namespace
} // namespace tessarin::test
