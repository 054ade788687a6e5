#pragma once
// Stand-ins for the maker's device components, offering the members the
// program calls by name, plus "fake..." properties through which a test
// decides what the device answers.
#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QVariant>

namespace tessarin::test {

class FakeQorinDrive : public QObject {
    Q_OBJECT
    Q_PROPERTY(QVariant Connected READ Connected WRITE SetConnected)
    Q_PROPERTY(bool fakeConnectable MEMBER connectable_)
    Q_PROPERTY(bool fakeHotPlug MEMBER hotPlug_)
    Q_PROPERTY(QByteArray fakeEdid MEMBER edid_)
    // The answer at one offset: another value, nothing (an invalid
    // QVariant), or an exception.
    Q_PROPERTY(int fakeOddOffset MEMBER oddOffset_)
    Q_PROPERTY(QVariant fakeOddAnswer MEMBER oddAnswer_)
    Q_PROPERTY(bool fakeThrow MEMBER throws_)
    Q_PROPERTY(int ddcCalls MEMBER ddcCalls_)
    Q_PROPERTY(int stopCalls MEMBER stopCalls_)

public:
    explicit FakeQorinDrive(bool connectable);

    QVariant Connected() const;
    void SetConnected(const QVariant& value);

    Q_INVOKABLE void StopLoadingImage();
    Q_INVOKABLE bool GetHotPlug() const;
    // The offset comes by reference, as the original components take it.
    Q_INVOKABLE QVariant GetDDCContent(qint16 address, qint16& offset);

private:
    bool connectable_ = true;
    bool connected_ = false;
    bool hotPlug_ = true;
    QByteArray edid_;
    int oddOffset_ = -1;
    QVariant oddAnswer_;
    bool throws_ = false;
    int ddcCalls_ = 0;
    int stopCalls_ = 0;
};

// The object behind "QorinSiI178": the QorinLite's DDC interface.
class FakeSiI178 : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool DDCDevicePresent MEMBER present_)
    Q_PROPERTY(QVariant EDIDData READ EDIDData)
    Q_PROPERTY(QVariant fakeEdidData MEMBER data_)
    Q_PROPERTY(bool fakeThrow MEMBER throws_)

public:
    using QObject::QObject;
    QVariant EDIDData() const;

private:
    bool present_ = true;
    QVariant data_;
    bool throws_ = false;
};

class FakeQorinBase : public QObject {
    Q_OBJECT
    Q_PROPERTY(QVariant Connected READ Connected WRITE SetConnected)
    Q_PROPERTY(QObject* QorinSiI178 READ QorinSiI178)
    Q_PROPERTY(QString createdAs MEMBER createdAs_)
    Q_PROPERTY(bool fakeNoDDC MEMBER noDdc_)

public:
    FakeQorinBase(bool connectable, QString createdAs);

    QVariant Connected() const;
    void SetConnected(const QVariant& value);
    QObject* QorinSiI178() const;

private:
    bool connectable_ = true;
    bool connected_ = false;
    bool noDdc_ = false;
    QString createdAs_;
    FakeSiI178* ddc_;
};

} // namespace tessarin::test
