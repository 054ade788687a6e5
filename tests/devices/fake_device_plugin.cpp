// One fake device plugin. Its metadata (fake_device.json, generated per
// plugin) names the identifiers it creates; compile definitions make it a
// broken installation (FAKE_FAILING: that identifier is not created), a
// device that never connects (FAKE_OFFLINE), or components without any of
// the members the program calls (FAKE_BARE).
#include "device_component.h"
#include "fake_components.h"

#include <QObject>

namespace tessarin::test {

class FakeDevicePlugin : public QObject, public DeviceComponentFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID TessarinDeviceComponentFactory_iid FILE "fake_device.json")
    Q_INTERFACES(tessarin::DeviceComponentFactory)

public:
    QObject* CreateComponent(const QString& identifier) override
    {
#ifdef FAKE_FAILING
        if (identifier == QLatin1String(FAKE_FAILING))
            return nullptr;
#endif
#ifdef FAKE_OFFLINE
        const bool connectable = false;
#else
        const bool connectable = true;
#endif
#ifdef FAKE_BARE
        const bool bare = true;
#else
        const bool bare = false;
#endif
        if (bare)
            return new QObject;
        if (identifier.endsWith(QLatin1String(".QorinDrive")))
            return new FakeQorinDrive(connectable);
        return new FakeQorinBase(connectable, identifier);
    }
};

} // namespace tessarin::test

#include "fake_device_plugin.moc"
