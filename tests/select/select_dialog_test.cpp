// frmSelect over fake stores: what the list shows, which monitor is
// preselected, and the index each way of closing hands back.
#include "drm_monitor_store.h"
#include "fake_drm_tree.h"
#include "fake_monitor_store.h"
#include "select_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace tessarin {
namespace {

using test::FakeMonitorStore;

QStringList Items(const frmSelect& dialog)
{
    QStringList items;
    for (int i = 0; i < dialog.listDisplay()->count(); ++i)
        items << dialog.listDisplay()->item(i)->text();
    return items;
}

int SelectedRow(const frmSelect& dialog)
{
    const auto selected = dialog.listDisplay()->selectedItems();
    return selected.isEmpty() ? -1 : dialog.listDisplay()->row(selected.first());
}

// Two monitors under one model, the second active; a third inactive one.
void FillStore(FakeMonitorStore& store)
{
    store.AddInstance("DEL4097", "1", {"MONITOR\\DEL4097"}, "Dell U2415", "Dell Inc.", false);
    store.AddInstance("DEL4097", "2", {"MONITOR\\DEL4097"}, "Dell U2415", "Dell Inc.", true);
    store.AddInstance("SAM0F9C", "1", {"MONITOR\\SAM0F9C"}, "SyncMaster", "Samsung", false);
}

TEST(SelectDialog, ListsTheNamesAndPreselectsTheActiveMonitor)
{
    FakeMonitorStore store;
    FillStore(store);
    frmSelect dialog(store, false);
    EXPECT_EQ(dialog.windowTitle(), "Monitor Display Selection");
    EXPECT_EQ(dialog.cmdShowEDID()->text(), "Show EDID Informations");
    EXPECT_EQ(dialog.cmdCancel()->text(), "Cancel");
    EXPECT_EQ(Items(dialog), (QStringList{"Dell U2415 ; Dell Inc. ", "Dell U2415 ; Dell Inc. ", "SyncMaster ; Samsung "}));
    EXPECT_EQ(SelectedRow(dialog), 1);

    dialog.show();
    QTest::mouseClick(dialog.cmdShowEDID(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.SelectedMonitorIndex(), 1);
}

TEST(SelectDialog, WithoutAnActiveMonitorNothingIsPickedUntilTheUserClicks)
{
    FakeMonitorStore store;
    store.AddInstance("DEL4097", "1", {"MONITOR\\DEL4097"}, "Dell", "Dell", false);
    store.AddInstance("SAM0F9C", "1", {"MONITOR\\SAM0F9C"}, "Samsung", "Samsung", false);
    frmSelect dialog(store, false);
    dialog.show();
    EXPECT_EQ(SelectedRow(dialog), -1);
    dialog.cmdShowEDID_Click();
    EXPECT_EQ(dialog.SelectedMonitorIndex(), -1);

    frmSelect again(store, false);
    again.show();
    QListWidget* list = again.listDisplay();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    QTest::mouseClick(again.cmdShowEDID(), Qt::LeftButton);
    EXPECT_EQ(again.SelectedMonitorIndex(), 1);
}

TEST(SelectDialog, Windows7ShowsModelCodesAndPreselectsTheFirst)
{
    FakeMonitorStore store;
    FillStore(store);
    frmSelect dialog(store, true);
    EXPECT_EQ(Items(dialog), (QStringList{"DEL4097", "DEL4097", "SAM0F9C"}));
    EXPECT_EQ(SelectedRow(dialog), 0);
}

TEST(SelectDialog, CancelAndEscapePickNothing)
{
    FakeMonitorStore store;
    FillStore(store);
    frmSelect cancel(store, false);
    cancel.show();
    ASSERT_EQ(SelectedRow(cancel), 1);
    QTest::mouseClick(cancel.cmdCancel(), Qt::LeftButton);
    EXPECT_EQ(cancel.result(), QDialog::Rejected);
    EXPECT_EQ(cancel.SelectedMonitorIndex(), -1);

    frmSelect escape(store, false);
    escape.show();
    QTest::keyClick(&escape, Qt::Key_Escape);
    EXPECT_FALSE(escape.isVisible());
    EXPECT_EQ(escape.SelectedMonitorIndex(), -1);
}

TEST(SelectDialog, ADoubleClickOrEnterShowsTheItem)
{
    FakeMonitorStore store;
    FillStore(store);
    frmSelect dialog(store, false);
    dialog.show();
    QListWidget* list = dialog.listDisplay();
    // A real double-click: a click, then the double-click event.
    const QPoint third = list->visualItemRect(list->item(2)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, third);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, third);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.SelectedMonitorIndex(), 2);

    frmSelect enter(store, false);
    enter.show();
    QTest::keyClick(&enter, Qt::Key_Return);
    EXPECT_EQ(enter.SelectedMonitorIndex(), 1);
}

TEST(SelectDialog, AnEmptyStoreGivesAnEmptyList)
{
    FakeMonitorStore store;
    frmSelect dialog(store, false);
    EXPECT_EQ(dialog.listDisplay()->count(), 0);
    dialog.cmdShowEDID_Click();
    EXPECT_EQ(dialog.SelectedMonitorIndex(), -1);
}

TEST(SelectDialog, ShownModallyOverTheDRMStoreItReturnsThePick)
{
    test::FakeDrmTree tree("select-dialog");
    tree.AddConnector("card0-DP-1", test::ReadBytes(TESSARIN_TEST_DATA "/GSM-7045A2DA2452.bin"), "disconnected");
    tree.AddConnector("card1-HDMI-A-1", test::ReadBytes(TESSARIN_TEST_DATA "/ACR-D14980399AEF.bin"));
    DrmMonitorStore store(tree.Root());

    QStringList shown;
    QTimer::singleShot(0, [&shown] {
        auto* dialog = qobject_cast<frmSelect*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        shown = Items(*dialog);
        dialog->cmdShowEDID()->click();
    });
    EXPECT_EQ(frmSelect::SelectMonitor(store, false), 1);
    EXPECT_EQ(shown, (QStringList{"LG TV (card0-DP-1) ; LG Electronics Inc. (GoldStar Technology, Inc.) ",
                                  "GN246HL (card1-HDMI-A-1) ; ACR "}));
}

} // namespace
} // namespace tessarin
