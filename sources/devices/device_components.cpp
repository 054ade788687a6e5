#include "device_components.h"

#include "device_component.h"
#include "late_binding.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QPluginLoader>

namespace tessarin {
namespace {

bool NamesIdentifier(const QJsonObject& metaData, const QString& identifier)
{
    if (metaData.value(QStringLiteral("IID")).toString() != QLatin1String(TessarinDeviceComponentFactory_iid))
        return false;
    const QJsonArray identifiers =
        metaData.value(QStringLiteral("MetaData")).toObject().value(QStringLiteral("Identifiers")).toArray();
    return identifiers.contains(identifier);
}

// Connecting is the component's business; only its answer counts.
bool Connect(QObject* component)
{
    LetMember(component, "Connected", true);
    return IsTrue(GetMember(component, "Connected"));
}

} // namespace

QString DevicesFolder()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/devices");
}

std::unique_ptr<QObject> CreateDeviceComponent(const QString& folder, const QString& identifier)
{
    if (folder.isEmpty())
        return nullptr;
    const QDir dir(folder);
    for (const QString& file : dir.entryList(QDir::Files | QDir::Readable, QDir::Name)) {
        // The metadata is read without loading the library.
        QPluginLoader loader(dir.filePath(file));
        if (!NamesIdentifier(loader.metaData(), identifier))
            continue;
        auto* factory = qobject_cast<DeviceComponentFactory*>(loader.instance());
        if (factory == nullptr)
            continue;
        try {
            std::unique_ptr<QObject> component(factory->CreateComponent(identifier));
            if (component)
                return component;
        } catch (...) {
            // A factory that throws creates nothing, like one that fails.
        }
    }
    return nullptr;
}

DeviceComponents::DeviceComponents(const QString& folder)
{
    qorinDrive_ = CreateDeviceComponent(folder, QLatin1String(kQorinDriveIdentifier));
    for (const char* identifier : kQorinBaseIdentifiers) {
        qorinBase_ = CreateDeviceComponent(folder, QLatin1String(identifier));
        if (qorinBase_) {
            qorinBaseIdentifier_ = QLatin1String(identifier);
            break;
        }
    }
    if (qorinDrive_) {
        qorinDriveOffered_ = Connect(qorinDrive_.get());
        CallMember(qorinDrive_.get(), "StopLoadingImage", {});
    }
    if (qorinBase_)
        qorinLiteOffered_ = Connect(qorinBase_.get());
}

// The components' code lives in their plugins, which stay loaded for the
// whole run, so the objects can go last.
DeviceComponents::~DeviceComponents() = default;

} // namespace tessarin
