#pragma once
// The maker's device components as Qt plugins. A plugin in the program's
// "devices" folder names in its metadata the programmatic identifiers it
// can create, {"Identifiers": ["vxQorinDrive104.QorinDrive", ...]}, and its
// root object creates the components. The program knows no component
// class: it reaches their members by name (late_binding.h).
#include <QObject>
#include <QString>
#include <QtPlugin>

namespace tessarin {

class DeviceComponentFactory {
public:
    DeviceComponentFactory() = default;
    DeviceComponentFactory(const DeviceComponentFactory&) = delete;
    DeviceComponentFactory& operator=(const DeviceComponentFactory&) = delete;
    virtual ~DeviceComponentFactory() = default;

    // A new component, owned by the caller; nullptr when it cannot be
    // created (a broken installation, a driver that does not start).
    virtual QObject* CreateComponent(const QString& identifier) = 0;
};

} // namespace tessarin

#define TessarinDeviceComponentFactory_iid "org.tessarin.DeviceComponentFactory/1"
Q_DECLARE_INTERFACE(tessarin::DeviceComponentFactory, TessarinDeviceComponentFactory_iid)
