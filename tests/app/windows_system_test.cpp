// What Windows says about itself, and where the About box finds the System
// Information program: the registry read under a key of the test's own.
#include "system_info.h"
#include "windows_system.h"

#include "app_test_support.h"

#include <QUuid>

#include <windows.h>

#include <gtest/gtest.h>

namespace tessarin::test {
namespace {

TEST(WindowsSystem, CaptionAsTheManagementServiceGivesIt)
{
    struct Case {
        const char* productName;
        std::uint32_t build;
        std::optional<std::string> caption;
    };
    const Case cases[] = {
        {"Windows 7 Ultimate", 7601, "Microsoft Windows 7 Ultimate"},
        {"Windows 10 Pro", 19045, "Microsoft Windows 10 Pro"},
        // The registry of Windows 11 still says 10.
        {"Windows 10 Pro", 22631, "Microsoft Windows 11 Pro"},
        {"Windows 10", 22000, "Microsoft Windows 11"},
        {"Microsoft Windows 10 ", 19041, "Microsoft Windows 10"},
        {"Windows 100", 22000, "Microsoft Windows 100"},
        {"Windows Server 2022 Datacenter", 20348, "Microsoft Windows Server 2022 Datacenter"},
        {"", 19045, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WindowsCaption(c.productName, c.build), c.caption) << c.productName << " " << c.build;
}

// Under wine the Linux beneath is in reach (/etc/os-release, /proc); the
// lines must still be those of the Windows the program sees.
TEST(WindowsSystem, TheLinesAreWindowsOwn)
{
    const SystemInfo info = ReadSystemInfo('.');
    EXPECT_TRUE(info.osLine.starts_with("Microsoft Windows ")) << info.osLine;
    EXPECT_TRUE(info.osLine.ends_with(" 64-bit")) << info.osLine;
    EXPECT_TRUE(info.IsOS64Bit);
    EXPECT_TRUE(info.memoryLine.starts_with("Total Memory = ")) << info.memoryLine;
    EXPECT_TRUE(info.memoryLine.ends_with("GB")) << info.memoryLine;
}

class SysInfoProgramInRegistry : public ::testing::Test {
protected:
    void SetUp() override
    {
        name_ = L"Software\\Tessarin tests\\" + QUuid::createUuid().toString(QUuid::WithoutBraces).toStdWString();
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, name_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_ALL_ACCESS, nullptr, &root_, nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override
    {
        RegCloseKey(root_);
        RegDeleteTreeW(HKEY_CURRENT_USER, name_.c_str());
    }

    void Set(const wchar_t* keyName, const wchar_t* valueName, const std::wstring& text, DWORD type = REG_SZ)
    {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(root_, keyName, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                                  nullptr),
                  ERROR_SUCCESS);
        RegSetValueExW(key, valueName, 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }

    std::wstring name_;
    HKEY root_ = nullptr;
    TempFolder folder_;
};

TEST_F(SysInfoProgramInRegistry, ThePathValueFirstThenTheProgramInTheSharedToolsFolder)
{
    EXPECT_EQ(SysInfoProgramPath(root_), L"");

    const std::wstring folder = folder_.Path().wstring();
    Set(L"SOFTWARE\\Microsoft\\Shared Tools Location", L"MSINFO", folder);
    EXPECT_EQ(SysInfoProgramPath(root_), L"") << "no MSINFO32.EXE in that folder";
    WriteText(folder_ / "MSINFO32.EXE", "");
    EXPECT_EQ(SysInfoProgramPath(root_), folder + L"\\MSINFO32.EXE");

    Set(L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", L"PATH", L"%SystemRoot%\\system32\\msinfo32.exe",
        REG_EXPAND_SZ);
    const std::wstring path = SysInfoProgramPath(root_);
    EXPECT_EQ(path.find(L'%'), std::wstring::npos);
    EXPECT_TRUE(path.ends_with(L"\\system32\\msinfo32.exe"));
    // A number is no path: the folder's program is taken instead.
    Set(L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", L"PATH", L"1", REG_DWORD);
    EXPECT_EQ(SysInfoProgramPath(root_), folder + L"\\MSINFO32.EXE");
}

} // namespace
} // namespace tessarin::test
