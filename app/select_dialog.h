#pragma once
// frmSelect: the modal dialog in which the user picks one monitor of the
// system's store. It lists the monitors in the walk's order, preselects the
// first active one, and hands back the picked list index; the window then
// reads that index from a fresh walk (LoadRegistryEDID).
#include <QDialog>
#include <QStringList>

#include <cstdint>

class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace tessarin {

class MonitorStore;

class frmSelect final : public QDialog {
    Q_OBJECT

public:
    // Form_Load runs here: the list is filled and the active monitor
    // preselected before the dialog is shown.
    frmSelect(const MonitorStore& store, bool IsWindows7, QWidget* parent = nullptr);

    // Shows the dialog modally; the picked index, -1 for none.
    static std::int16_t SelectMonitor(const MonitorStore& store, bool IsWindows7, QWidget* parent = nullptr);

    // The same dialog over the monitors of a text that holds several EDIDs
    // (xrandr's outputs, a registry export's keys): one entry each, the first
    // preselected.
    explicit frmSelect(const QStringList& entries, QWidget* parent = nullptr);
    static std::int16_t SelectEntry(const QStringList& entries, QWidget* parent = nullptr);

    // -1 until "Show EDID Informations" is pressed with an item selected.
    std::int16_t SelectedMonitorIndex() const noexcept { return selectedMonitorIndex_; }

    QListWidget* listDisplay() const noexcept { return listDisplay_; }
    QPushButton* cmdShowEDID() const noexcept { return cmdShowEDID_; }
    QPushButton* cmdCancel() const noexcept { return cmdCancel_; }

public slots:
    void cmdShowEDID_Click();
    void cmdCancel_Click();
    // Escape and the window's close button end the dialog as "Cancel" does.
    void reject() override;

private:
    void BuildControls();
    void Form_Load();
    std::int16_t GetActiveMonitor() const;

    const MonitorStore* store_ = nullptr; // none for a list of entries
    bool isWindows7_ = false;
    std::int16_t selectedMonitorIndex_ = -1;
    QListWidget* listDisplay_ = nullptr;
    QPushButton* cmdShowEDID_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
};

} // namespace tessarin
