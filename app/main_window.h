#pragma once
// The program's main window: the section tree and the report pane, the logo
// strip with the system lines, the menus and their commands.
#include "edid_parser.h"
#include "report_writer.h"
#include "system_info.h"

#include <QMainWindow>
#include <QPointer>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QPrinter;
class QTreeWidgetItem;

namespace tessarin {

class DeviceComponents;
class MonitorStore;
class ReportPane;
class SectionTreeWidget;
class frmAbout;

class frmMain final : public QMainWindow {
    Q_OBJECT

public:
    struct Options {
        // How long the splash window stays up.
        std::chrono::milliseconds splashPause{1000};
        // Once for the program; EveryPrimitive only to measure the naive path against.
        ReportWriter::Refresh refresh = ReportWriter::Refresh::Once;
        // Where the device components are looked for; empty: beside the program.
        QString devicesFolder;
        // The system's monitor store; unset: this platform's own.
        std::function<std::unique_ptr<MonitorStore>()> openMonitorStore;
        // Where "data.vxr" may go, in order; empty: beside the program, else
        // the user's cache folder.
        std::vector<std::filesystem::path> cacheFolders;
    };

    explicit frmMain(QWidget* parent = nullptr);
    explicit frmMain(Options options, QWidget* parent = nullptr);
    ~frmMain() override;

    // The steps after the window is built: the splash window, the device
    // components, the pause, the system lines. Call once, before show().
    void StartUp();

    // Keeps the user interface alive for `lngPause` milliseconds.
    static void Wait(std::int32_t lngPause);

    // The one road of every file into the window (the menu, the command line,
    // a dropped file): an ".edd" file or a raw binary EDID. When the file
    // cannot be read or its bytes fail the acceptance test (byte 1 is 0xFF,
    // byte 8 is not 0), nothing changes: not the report, not CurrentEDID.
    // Otherwise its report replaces the shown one. A refusal is shown in the
    // status bar (until the next good load) and given in `whyNot`.
    bool LoadEdidFile(const QString& fileName, QString* whyNot = nullptr);
    // The report as RTF, replacing the file atomically. False when it cannot be written.
    bool SaveReport(const QString& fileName);
    // CurrentEDID as an ".edd" file, replacing the file atomically. False
    // when there is no EDID or the file cannot be written.
    bool SaveEdd(const QString& fileName);
    // The report on a printer set up by the caller; the pages printed.
    int PrintReport(QPrinter& printer);

    // The bytes of the report on screen; empty before the first load.
    const std::vector<std::uint8_t>& CurrentEDID() const noexcept { return currentEdid_; }
    std::string ReportDocument() const { return writer_.ReportDocument(); }
    std::int16_t SelectedMonitorIndex() const noexcept { return selectedMonitorIndex_; }
    const SystemInfo& System() const noexcept { return system_; }

    // What the status bar says of the last load: the reason of a refusal,
    // "" after a good load.
    QString StatusMessage() const;

    ReportPane* RichTextBox() const noexcept { return richTextBox_; }
    SectionTreeWidget* TreeView1() const noexcept { return treeView1_; }

public slots:
    void mnuSave_Click();
    void mnuPrint_Click();
    void mnuLoadEDD_Click();
    void mnuSaveEDD_Click();
    void mnuRegistry_Click();
    void mnuQorinDrive_Click();
    void mnuQorinLite_Click();
    void mnuAbout_Click();
    void mnuSelectAndCopy_Click();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildControls();
    void BuildMenus();
    void UpdateSystem();
    void ShowReport();
    // After a good load from `sourceFile` ("" for the monitor store and the
    // devices): the report, the commands that need one, a clear status bar.
    void ShowLoaded(const QString& sourceFile);
    void ShowRefusal(const QString& message);
    void changeEvent(QEvent* event) override;
    void TreeView1_NodeClick(const QString& tag);
    void RichTextBox_PopUp(const QPoint& position);
    int TwipsToPixelsX(double twips) const;
    int TwipsToPixelsY(double twips) const;

    Options options_;
    CEDIDParser parser_;
    std::vector<std::uint8_t> currentEdid_;
    std::int16_t selectedMonitorIndex_ = -1;
    SystemInfo system_;
    // The file the report on screen came from; the ".edd" save proposes the
    // name of an ".edd" one.
    QString sourceFile_;

    ReportPane* richTextBox_ = nullptr;
    SectionTreeWidget* treeView1_ = nullptr;
    ReportWriter writer_;
    QLabel* picLogo_ = nullptr;
    QLabel* lblOS_ = nullptr;
    QLabel* lblMemory_ = nullptr;
    QLabel* lblStatus_ = nullptr;
    QAction* mnuSave_ = nullptr;
    QAction* mnuPrint_ = nullptr;
    QAction* mnuSaveEDD_ = nullptr;
    QAction* mnuQorinDrive_ = nullptr;
    QAction* mnuQorinLite_ = nullptr;
    QMenu* mnuPopup_ = nullptr;
    QPointer<frmAbout> about_;
    std::unique_ptr<DeviceComponents> devices_;
};

} // namespace tessarin
