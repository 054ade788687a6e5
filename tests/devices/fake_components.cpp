#include "fake_components.h"

#include <stdexcept>

namespace tessarin::test {

FakeQorinDrive::FakeQorinDrive(bool connectable)
    : connectable_(connectable)
{
}

// Null until connected, as a component that has not reached its device.
QVariant FakeQorinDrive::Connected() const { return connected_ ? QVariant(true) : QVariant(); }

void FakeQorinDrive::SetConnected(const QVariant& value) { connected_ = connectable_ && value.toBool(); }

void FakeQorinDrive::StopLoadingImage() { ++stopCalls_; }

bool FakeQorinDrive::GetHotPlug() const { return hotPlug_; }

QVariant FakeQorinDrive::GetDDCContent(qint16 address, qint16& offset)
{
    ++ddcCalls_;
    if (address != 0xA0)
        return {};
    if (offset == oddOffset_) {
        if (throws_)
            throw std::runtime_error("DDC bus error");
        return oddAnswer_;
    }
    // Past the EDID's end the bus answers 0xEE here, so a test can tell
    // those bytes from zero padding.
    return offset < edid_.size() ? static_cast<int>(static_cast<quint8>(edid_[offset])) : 0xEE;
}

QVariant FakeSiI178::EDIDData() const
{
    if (throws_)
        throw std::runtime_error("DDC bus error");
    return data_;
}

FakeQorinBase::FakeQorinBase(bool connectable, QString createdAs)
    : connectable_(connectable)
    , createdAs_(std::move(createdAs))
    , ddc_(new FakeSiI178(this))
{
}

QVariant FakeQorinBase::Connected() const { return connected_; }

void FakeQorinBase::SetConnected(const QVariant& value) { connected_ = connectable_ && value.toBool(); }

QObject* FakeQorinBase::QorinSiI178() const { return noDdc_ ? nullptr : ddc_; }

} // namespace tessarin::test
