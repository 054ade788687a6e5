// The window's reads from the system's monitor store and from the device
// components: the dialog's answer decides, a refusal changes nothing.
#include "app_test_support.h"
#include "drm_monitor_store.h"
#include "main_window.h"
#include "select_dialog.h"

#include <QAction>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

namespace tessarin::test {
namespace {

// A sysfs DRM folder with just what the store reads: a connector's edid and status.
class DrmFolder {
public:
    void AddConnector(const std::string& name, const std::vector<std::uint8_t>& edid,
                      const std::string& status = "connected")
    {
        fs::create_directories(folder_ / name);
        WriteText(folder_ / name / "edid", std::string(edid.begin(), edid.end()));
        WriteText(folder_ / name / "status", status + "\n");
    }
    const fs::path& Root() const { return folder_.Path(); }

private:
    TempFolder folder_;
};

class MonitorCommands : public ::testing::Test {
protected:
    frmMain::Options Options()
    {
        frmMain::Options options = TestOptions();
        const fs::path root = drm_.Root();
        options.openMonitorStore = [root] { return std::make_unique<DrmMonitorStore>(root); };
        options.cacheFolders = {cache_.Path()};
        return options;
    }

    QAction* Action(frmMain& window, const char* name)
    {
        return window.findChild<QAction*>(QLatin1String(name));
    }

    DrmFolder drm_;
    TempFolder cache_;
};

TEST_F(MonitorCommands, PickedMonitorIsReportedAndCached)
{
    drm_.AddConnector("card0-DP-1", TestEdid("ACR-D14980399AEF.bin"), "disconnected");
    drm_.AddConnector("card0-HDMI-A-1", TestEdid("GSM-7045A2DA2452.bin"));
    frmMain window(Options());
    window.StartUp();

    // The connected monitor is preselected; "Show EDID Informations" takes it.
    WhenModal([](QWidget* modal) {
        auto* dialog = qobject_cast<frmSelect*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->cmdShowEDID()->click();
    });
    Action(window, "mnuRegistry")->trigger();

    EXPECT_EQ(window.SelectedMonitorIndex(), 1);
    EXPECT_EQ(window.CurrentEDID(), TestEdid("GSM-7045A2DA2452.bin"));
    EXPECT_NE(window.ReportDocument().find("LG TV"), std::string::npos);
    EXPECT_EQ(ReadBytes(cache_ / "data.vxr").size(), 260u);
    EXPECT_TRUE(Action(window, "mnuSaveEDD")->isEnabled());
}

TEST_F(MonitorCommands, NoMonitorACancelOrAVanishedOneLeavesTheReportShown)
{
    frmMain window(Options());
    window.StartUp();
    WhenModal([](QWidget* modal) {
        auto* dialog = qobject_cast<frmSelect*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->listDisplay()->count(), 0);
        dialog->cmdCancel()->click();
    });
    Action(window, "mnuRegistry")->trigger();
    EXPECT_EQ(window.StatusMessage(),
              QStringLiteral("No monitor with an EDID was found in %1.")
                  .arg(QString::fromStdString(drm_.Root().string())));

    // A cancel changes and caches nothing; a monitor unplugged while the
    // dialog was open leaves the report shown and the status bar says so.
    drm_.AddConnector("card0-HDMI-A-1", TestEdid("GSM-7045A2DA2452.bin"));
    const fs::path other = fs::path(TESSARIN_TEST_DATA) / "CPQ-227CE6ADB604.bin";
    ASSERT_TRUE(window.LoadEdidFile(QString::fromStdString(other.string())));
    const std::string shown = window.ReportDocument();
    WhenModal([](QWidget* modal) { qobject_cast<frmSelect*>(modal)->cmdCancel()->click(); });
    Action(window, "mnuRegistry")->trigger();
    EXPECT_EQ(window.SelectedMonitorIndex(), -1);
    EXPECT_EQ(window.ReportDocument(), shown);
    EXPECT_FALSE(fs::exists(cache_ / "data.vxr"));
    EXPECT_EQ(window.StatusMessage(), "");

    WhenModal([this](QWidget* modal) {
        fs::remove(drm_.Root() / "card0-HDMI-A-1" / "edid");
        qobject_cast<frmSelect*>(modal)->cmdShowEDID()->click();
    });
    Action(window, "mnuRegistry")->trigger();
    EXPECT_EQ(window.ReportDocument(), shown);
    EXPECT_TRUE(window.StatusMessage().endsWith(" was not loaded: its EDID could not be read."))
        << window.StatusMessage().toStdString();
}

#ifdef TESSARIN_FAKE_DEVICES
TEST_F(MonitorCommands, ConnectedQorinDriveShowsItsEntry)
{
    frmMain::Options options = Options();
    options.devicesFolder = QStringLiteral(TESSARIN_FAKE_DEVICES "/fake_qorin_drive");
    frmMain window(options);
    window.StartUp();
    ASSERT_TRUE(Action(window, "mnuQorinDrive")->isVisible());
    EXPECT_FALSE(Action(window, "mnuQorinLite")->isVisible());

    // A device that holds no EDID yet: the read is refused, nothing is shown, the status bar says why.
    Action(window, "mnuQorinDrive")->trigger();
    EXPECT_TRUE(window.CurrentEDID().empty());
    EXPECT_TRUE(window.ReportDocument().empty());
    EXPECT_TRUE(window.StatusMessage().startsWith("Nothing was loaded from the QorinDrive: "));
}
#endif

} // namespace
} // namespace tessarin::test
