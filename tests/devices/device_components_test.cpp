// The device components as the window meets them: created from plugins by
// identifier, probed at start-up, and read through members called by name.
// The plugins are the fakes of this folder, assembled per test into a
// "devices" folder of its own.
#include "device_components.h"
#include "device_readers.h"
#include "edid_parser.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QVariant>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <unistd.h>

namespace tessarin {
namespace {

namespace fs = std::filesystem;

const fs::path kPlugins = TESSARIN_FAKE_DEVICES;

// A valid EDID's first bytes: the header, then the manufacturer ID in 8-9.
QByteArray Edid(qsizetype size, char byte8 = 0x10)
{
    QByteArray edid(size, '\x42');
    const char header[] = {0, '\xFF', '\xFF', '\xFF', '\xFF', '\xFF', '\xFF', 0};
    std::copy(std::begin(header), std::end(header), edid.begin());
    if (size > 8)
        edid[8] = byte8;
    return edid;
}

class Devices : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = fs::temp_directory_path() / ("tessarin-devices-" + std::to_string(::getpid()) + "-" +
                                               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override
    {
        // Windows keeps a loaded plugin's file while the process lives.
        std::error_code inUse;
        fs::remove_all(folder_, inUse);
    }

    QString Folder(std::initializer_list<const char*> plugins)
    {
        for (const char* plugin : plugins) {
            for (const auto& file : fs::directory_iterator(kPlugins / plugin))
                fs::copy_file(file.path(), folder_ / file.path().filename());
        }
        return QString::fromStdString(folder_.string());
    }

    // A connected QorinDrive component answering with `edid`.
    QObject* Drive(DeviceComponents& devices, const QByteArray& edid)
    {
        QObject* drive = devices.QorinDrive();
        EXPECT_NE(drive, nullptr);
        if (drive != nullptr)
            drive->setProperty("fakeEdid", edid);
        return drive;
    }

    QObject* DDC(DeviceComponents& devices, const QVariant& edidData)
    {
        QObject* ddc = devices.QorinBase()->property("QorinSiI178").value<QObject*>();
        ddc->setProperty("fakeEdidData", edidData);
        return ddc;
    }

    // What a refused read must leave alone.
    void ExpectUnchanged() const
    {
        EXPECT_EQ(current_, before_);
        EXPECT_EQ(parser_.MonitorName(), "");
        EXPECT_EQ(parser_.ManufacturerID(), "@@@");
    }

    fs::path folder_;
    std::vector<std::uint8_t> before_ = std::vector<std::uint8_t>(256, 0x33);
    std::vector<std::uint8_t> current_ = before_;
    CEDIDParser parser_;
};

TEST_F(Devices, WithoutComponentsBothEntriesAreHidden)
{
    std::ofstream(folder_ / "README") << "not a plugin";
    for (const QString& folder : {Folder({}), QString(), QStringLiteral("/nonexistent/devices")}) {
        DeviceComponents devices(folder);
        EXPECT_EQ(devices.QorinDrive(), nullptr);
        EXPECT_EQ(devices.QorinBase(), nullptr);
        EXPECT_FALSE(devices.QorinDriveOffered());
        EXPECT_FALSE(devices.QorinLiteOffered());
    }
    EXPECT_FALSE(ReadEDIDFromQorinDrive(nullptr, current_, parser_));
    EXPECT_FALSE(ReadEDIDFromQorinLite(nullptr, current_, parser_));
    ExpectUnchanged();
}

TEST_F(Devices, QorinBaseIdentifiersAreTriedInOrder)
{
    const std::vector<std::pair<const char*, const char*>> cases = {
        {"fake_qorin_base_all", "vxQorinBase107.QorinBase"},
        {"fake_qorin_base_300", "vxQorinBase300.QorinBase"},
        {"fake_qorin_base_200", "vxQorinBase200.QorinBase"},
        // The first identifier is installed but cannot be created.
        {"fake_qorin_base_broken_107", "vxQorinBase300.QorinBase"},
    };
    const fs::path base = folder_;
    for (const auto& [plugin, identifier] : cases) {
        // A folder per case: Windows keeps a loaded plugin's file.
        folder_ = base / plugin;
        fs::create_directories(folder_);
        DeviceComponents devices(Folder({plugin}));
        ASSERT_NE(devices.QorinBase(), nullptr) << plugin;
        EXPECT_EQ(devices.QorinBaseIdentifier(), QLatin1String(identifier)) << plugin;
        EXPECT_EQ(devices.QorinBase()->property("createdAs").toString(), QLatin1String(identifier));
        EXPECT_TRUE(devices.QorinLiteOffered()) << plugin;
    }
    folder_ = base;
}

TEST_F(Devices, AComponentNotConnectedIsHiddenAndTheDriveStillStopsLoading)
{
    DeviceComponents offline(Folder({"fake_qorin_drive_offline", "fake_qorin_base_offline"}));
    ASSERT_NE(offline.QorinDrive(), nullptr);
    ASSERT_NE(offline.QorinBase(), nullptr);
    EXPECT_FALSE(offline.QorinDriveOffered());
    EXPECT_FALSE(offline.QorinLiteOffered());
    EXPECT_EQ(offline.QorinDrive()->property("stopCalls").toInt(), 1);
    Drive(offline, Edid(256));
    EXPECT_FALSE(ReadEDIDFromQorinDrive(offline.QorinDrive(), current_, parser_));
    EXPECT_EQ(offline.QorinDrive()->property("ddcCalls").toInt(), 0);
    EXPECT_FALSE(ReadEDIDFromQorinLite(offline.QorinBase(), current_, parser_));
    ExpectUnchanged();
}

TEST_F(Devices, ComponentsWithoutTheMembersAreHiddenAndRefused)
{
    DeviceComponents bare(Folder({"fake_bare_components"}));
    ASSERT_NE(bare.QorinDrive(), nullptr);
    ASSERT_NE(bare.QorinBase(), nullptr);
    EXPECT_FALSE(bare.QorinDriveOffered());
    EXPECT_FALSE(bare.QorinLiteOffered());
    // Setting "Connected" must not make up a property that then reads true.
    EXPECT_TRUE(bare.QorinDrive()->dynamicPropertyNames().isEmpty());
    bare.QorinDrive()->setProperty("Connected", true); // as if it had answered
    EXPECT_FALSE(ReadEDIDFromQorinDrive(bare.QorinDrive(), current_, parser_));
    bare.QorinBase()->setProperty("Connected", true);
    EXPECT_FALSE(ReadEDIDFromQorinLite(bare.QorinBase(), current_, parser_));
    ExpectUnchanged();
}

TEST_F(Devices, TheQorinDriveReadsAll256BytesOneByOne)
{
    DeviceComponents devices(Folder({"fake_qorin_drive", "fake_qorin_base_all"}));
    EXPECT_TRUE(devices.QorinDriveOffered());
    EXPECT_EQ(devices.QorinDrive()->property("stopCalls").toInt(), 1);
    // A 128-byte EDID: bytes 128..255 are what the device answers there.
    QObject* drive = Drive(devices, Edid(128));
    ASSERT_TRUE(ReadEDIDFromQorinDrive(drive, current_, parser_));
    EXPECT_EQ(drive->property("ddcCalls").toInt(), 256);
    ASSERT_EQ(current_.size(), 256u);
    EXPECT_EQ(current_[127], 0x42);
    EXPECT_EQ(current_[128], 0xEE);
    EXPECT_EQ(current_[255], 0xEE);
    EXPECT_EQ(parser_.RawEDIDBaseData()[8], 0x10);
}

TEST_F(Devices, TheQorinDriveAcceptanceTest)
{
    DeviceComponents devices(Folder({"fake_qorin_drive"}));
    QObject* drive = Drive(devices, Edid(256, '\xFF'));
    EXPECT_TRUE(ReadEDIDFromQorinDrive(drive, current_, parser_)); // byte 8 0xFF is fine here
    EXPECT_EQ(current_[8], 0xFF);

    CEDIDParser untouched;
    current_ = before_;
    drive->setProperty("fakeEdid", Edid(256, 0));
    EXPECT_FALSE(ReadEDIDFromQorinDrive(drive, current_, untouched));
    QByteArray noHeader = Edid(256);
    noHeader[1] = 0;
    drive->setProperty("fakeEdid", noHeader);
    EXPECT_FALSE(ReadEDIDFromQorinDrive(drive, current_, untouched));
    drive->setProperty("fakeEdid", Edid(256));
    drive->setProperty("fakeHotPlug", false);
    const int calls = drive->property("ddcCalls").toInt();
    EXPECT_FALSE(ReadEDIDFromQorinDrive(drive, current_, untouched));
    EXPECT_EQ(drive->property("ddcCalls").toInt(), calls);
    EXPECT_EQ(current_, before_);
    EXPECT_EQ(untouched.ManufacturerID(), "@@@");
}

TEST_F(Devices, AByteTheQorinDriveCannotGiveSpoilsTheRead)
{
    DeviceComponents devices(Folder({"fake_qorin_drive"}));
    QObject* drive = Drive(devices, Edid(256));
    drive->setProperty("fakeOddOffset", 100);
    for (const QVariant& odd : {QVariant(256), QVariant(-1), QVariant(), QVariant(QStringLiteral("12")),
                                QVariant(12.0), QVariant(true)}) {
        drive->setProperty("fakeOddAnswer", odd);
        EXPECT_FALSE(ReadEDIDFromQorinDrive(drive, current_, parser_)) << odd.typeName();
    }
    drive->setProperty("fakeThrow", true);
    EXPECT_FALSE(ReadEDIDFromQorinDrive(drive, current_, parser_));
    ExpectUnchanged();

    // Any integer type in range is a byte.
    drive->setProperty("fakeThrow", false);
    for (const QVariant& byte : {QVariant(qlonglong{200}), QVariant::fromValue<quint8>(200), QVariant(200u)}) {
        drive->setProperty("fakeOddAnswer", byte);
        EXPECT_TRUE(ReadEDIDFromQorinDrive(drive, current_, parser_)) << byte.typeName();
        EXPECT_EQ(current_[100], 200);
    }
}

TEST_F(Devices, TheQorinLiteTakesTheEDIDAsTheComponentHandsItOver)
{
    DeviceComponents devices(Folder({"fake_qorin_base_300"}));
    ASSERT_TRUE(devices.QorinLiteOffered());
    QObject* base = devices.QorinBase();

    const QByteArray full = Edid(256);
    DDC(devices, full);
    ASSERT_TRUE(ReadEDIDFromQorinLite(base, current_, parser_));
    EXPECT_EQ(current_, std::vector<std::uint8_t>(full.begin(), full.end()));

    // Shorter answers are padded to what the decoder takes, down to nine bytes.
    for (const qsizetype size : {128, 9}) {
        DDC(devices, Edid(size, 0x22));
        ASSERT_TRUE(ReadEDIDFromQorinLite(base, current_, parser_)) << size;
        ASSERT_EQ(current_.size(), 256u);
        EXPECT_EQ(current_[8], 0x22);
        EXPECT_EQ(current_[static_cast<std::size_t>(size)], 0);
        EXPECT_EQ(parser_.RawEDIDBaseData()[8], 0x22);
    }
    QByteArray longer = Edid(384, 0x23);
    DDC(devices, longer);
    ASSERT_TRUE(ReadEDIDFromQorinLite(base, current_, parser_));
    EXPECT_EQ(current_.size(), 256u);
}

TEST_F(Devices, TheQorinLiteRefusals)
{
    DeviceComponents devices(Folder({"fake_qorin_base_all"}));
    QObject* base = devices.QorinBase();
    const std::vector<QVariant> refused = {
        QVariant(Edid(256, '\xFF')),              // byte 8 is 0xFF (byte 9 is not)
        QVariant(Edid(8)),                        // too short to test
        QVariant(QByteArray()),
        QVariant(),
        QVariant(QString::fromLatin1(Edid(256))), // not bytes
    };
    for (const QVariant& answer : refused) {
        DDC(devices, answer);
        EXPECT_FALSE(ReadEDIDFromQorinLite(base, current_, parser_)) << answer.typeName();
    }
    QByteArray noHeader = Edid(256);
    noHeader[1] = 0x00;
    DDC(devices, noHeader);
    EXPECT_FALSE(ReadEDIDFromQorinLite(base, current_, parser_));

    QObject* ddc = DDC(devices, Edid(256));
    ddc->setProperty("DDCDevicePresent", false);
    EXPECT_FALSE(ReadEDIDFromQorinLite(base, current_, parser_));
    ddc->setProperty("DDCDevicePresent", true);
    ddc->setProperty("fakeThrow", true);
    EXPECT_FALSE(ReadEDIDFromQorinLite(base, current_, parser_));
    ddc->setProperty("fakeThrow", false);
    base->setProperty("fakeNoDDC", true);
    EXPECT_FALSE(ReadEDIDFromQorinLite(base, current_, parser_));
    ExpectUnchanged();
}

} // namespace
} // namespace tessarin
