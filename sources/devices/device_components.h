#pragma once
// The two optional device components the window holds for the whole run:
// created once at start-up from the plugins in a folder, asked to connect,
// and offered in the menu only when they answer that they are connected.
#include <QObject>
#include <QString>

#include <array>
#include <memory>

namespace tessarin {

inline constexpr const char* kQorinDriveIdentifier = "vxQorinDrive104.QorinDrive";
// Tried in this order; the first that can be created is kept.
inline constexpr std::array<const char*, 3> kQorinBaseIdentifiers = {
    "vxQorinBase107.QorinBase", "vxQorinBase300.QorinBase", "vxQorinBase200.QorinBase"};

// "devices" beside the program. Needs the QCoreApplication.
QString DevicesFolder();

// A new component for `identifier` from the first plugin in `folder` (in
// file-name order) that names it and creates it; nullptr when none does.
std::unique_ptr<QObject> CreateDeviceComponent(const QString& folder, const QString& identifier);

class DeviceComponents {
public:
    // The start-up steps: create the QorinDrive component and the QorinBase
    // one (the identifiers in order); set "Connected" on each, read it back,
    // and call the QorinDrive's "StopLoadingImage" whether it connected or
    // not. Failures only leave a component out.
    explicit DeviceComponents(const QString& folder);
    ~DeviceComponents();
    DeviceComponents(const DeviceComponents&) = delete;
    DeviceComponents& operator=(const DeviceComponents&) = delete;

    QObject* QorinDrive() const noexcept { return qorinDrive_.get(); }
    QObject* QorinBase() const noexcept { return qorinBase_.get(); }
    // Which identifier created the QorinBase component; empty without one.
    const QString& QorinBaseIdentifier() const noexcept { return qorinBaseIdentifier_; }

    // Whether "Read EDID From QorinDrive" / "... QorinLite" are shown.
    bool QorinDriveOffered() const noexcept { return qorinDriveOffered_; }
    bool QorinLiteOffered() const noexcept { return qorinLiteOffered_; }

private:
    std::unique_ptr<QObject> qorinDrive_;
    std::unique_ptr<QObject> qorinBase_;
    QString qorinBaseIdentifier_;
    bool qorinDriveOffered_ = false;
    bool qorinLiteOffered_ = false;
};

} // namespace tessarin
