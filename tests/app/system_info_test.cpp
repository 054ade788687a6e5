// The system lines under the tree, and the About box's way to the system's
// information program.
#include "about_box.h"
#include "program_info.h"
#include "system_info.h"

#include "app_test_support.h"

#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QThread>

#include <gtest/gtest.h>

#include <sstream>

namespace tessarin::test {
namespace {

std::optional<std::string> PrettyName(const std::string& text)
{
    std::istringstream in(text);
    return OsReleasePrettyName(in);
}

TEST(SystemInfo, OsReleaseValuesAreUnquotedAsTheShellWould)
{
    EXPECT_EQ(PrettyName("NAME=\"Debian\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n"),
              "Debian GNU/Linux 12 (bookworm)");
    EXPECT_EQ(PrettyName("PRETTY_NAME='Fedora \"Linux\" 40'"), "Fedora \"Linux\" 40");
    EXPECT_EQ(PrettyName("PRETTY_NAME=\"A \\\"quoted\\\" \\$name\"\r\n"), "A \"quoted\" $name");
    EXPECT_EQ(PrettyName("PRETTY_NAME=Plain\n# PRETTY_NAME=Comment\n"), "Plain");
    EXPECT_EQ(PrettyName("NAME=Debian\nXPRETTY_NAME=x\n"), std::nullopt);
    EXPECT_EQ(OsLine("Debian GNU/Linux 12 (bookworm)", true), "Debian GNU/Linux 12 (bookworm) 64-bit");
    EXPECT_EQ(OsLine("Windows 7", false), "Windows 7 32-bit");
    EXPECT_TRUE(IsArchitecture64Bit("x86_64"));
    EXPECT_TRUE(IsArchitecture64Bit("arm64"));
    EXPECT_TRUE(IsArchitecture64Bit("s390x"));
    EXPECT_FALSE(IsArchitecture64Bit("i386"));
    EXPECT_FALSE(IsArchitecture64Bit("arm"));
}

TEST(SystemInfo, MemoryIsInGigabytesWithOneDecimalAndNoLeadingZero)
{
    std::istringstream meminfo("MemFree:  100 kB\nMemTotal:       16252928 kB\n");
    EXPECT_EQ(MemTotalKilobytes(meminfo), 16252928u);
    std::istringstream none("MemFree: 1 kB\n");
    EXPECT_EQ(MemTotalKilobytes(none), std::nullopt);

    EXPECT_EQ(MemoryLine(16252928, '.'), "Total Memory = 15.5GB");
    EXPECT_EQ(MemoryLine(524288, '.'), "Total Memory = .5GB");
    EXPECT_EQ(MemoryLine(0, '.'), "Total Memory = .0GB");
    EXPECT_EQ(MemoryLine(8 * 1048576ULL, ','), "Total Memory = 8,0GB");
    EXPECT_EQ(MemoryLine(134217728, '.'), "Total Memory = 128.0GB");
    // Halves round up: 0.05 GB and 0.95 GB exactly.
    EXPECT_EQ(MemoryLine(52428 + 1, '.'), "Total Memory = .1GB");
    EXPECT_EQ(MemoryLine(52428, '.'), "Total Memory = .0GB");
    EXPECT_EQ(MemoryLine(996147 + 1, '.'), "Total Memory = 1.0GB");
}

TEST(AboutBox, ShowsTheTextsAndNamesThisProject)
{
    frmAbout about;
    EXPECT_EQ(about.windowTitle(), "About Tessarin");
    EXPECT_EQ(about.findChild<QLabel*>("lblTitle")->text(), "Tessarin");
    EXPECT_EQ(about.findChild<QLabel*>("lblVersion")->text(), "Version " + ProgramVersion());
    EXPECT_TRUE(QRegularExpression(R"(^\d+\.\d+\.\d+$)").match(ProgramVersion()).hasMatch());
    EXPECT_EQ(about.findChild<QLabel*>("lblTessarin")->text(),
              "Tessarin analyses  E-EDID(1.3) Data and generates a printable report.");
    EXPECT_TRUE(about.findChild<QLabel*>("lblVEXOR")->text().contains("Tessarin"));
}

#ifndef _WIN32 // there the registry names the program (windows_system_test)
class SystemInfoProgram : public ::testing::Test {
protected:
    void SetUp() override { path_ = qgetenv("PATH"); }
    void TearDown() override { qputenv("PATH", path_); }

    QByteArray path_;
    TempFolder folder_;
};

TEST_F(SystemInfoProgram, StartsTheFirstOneFoundOnThePath)
{
    const fs::path marker = folder_ / "started";
    const fs::path program = folder_ / frmAbout::SysInfoPrograms().at(1).toStdString();
    WriteText(program, "#!/bin/sh\necho started > '" + marker.string() + "'\n");
    fs::permissions(program, fs::perms::owner_all);
    qputenv("PATH", QByteArray::fromStdString(folder_.Path().string()));

    frmAbout about;
    EXPECT_TRUE(about.StartSysInfo());
    QElapsedTimer clock;
    clock.start();
    while (!fs::exists(marker) && clock.elapsed() < 10000)
        QThread::msleep(20);
    EXPECT_TRUE(fs::exists(marker));
}

TEST_F(SystemInfoProgram, WithoutOneSaysSoInAMessageBox)
{
    qputenv("PATH", QByteArray::fromStdString(folder_.Path().string()));
    frmAbout about;
    QString said;
    WhenModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        said = box->text();
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
        box->accept();
    });
    EXPECT_FALSE(about.StartSysInfo());
    EXPECT_EQ(said, "System Information Is Unavailable At This Time");
}
#endif

} // namespace
} // namespace tessarin::test
