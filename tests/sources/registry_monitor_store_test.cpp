// The monitor walk over the real registry (under wine in CI): each test
// builds a DISPLAY tree of its own under HKCU and points the store at it,
// with the value types, sizes and names Windows writes, and some it should
// not.
#include "edid_parser.h"
#include "fake_drm_tree.h"
#include "monitor_load.h"
#include "monitor_walk.h"
#include "registry_monitor_store.h"

#include <gtest/gtest.h>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace tessarin {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;

const fs::path kData = TESSARIN_TEST_DATA;
const std::string kError(kValueError);

std::wstring Wide(const std::string& text)
{
    return fs::path(std::u8string(text.begin(), text.end())).wstring();
}

class RegistryStore : public ::testing::Test {
protected:
    RegistryStore()
        : key_("Software\\Tessarin tests\\" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" +
               test::UniqueSuffix())
        , display_("HKCU\\" + key_ + "\\DISPLAY\\")
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, Wide(key_).c_str());
    }
    ~RegistryStore() override
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, Wide(key_).c_str());
        // Fails, as it should, while another test still has its tree there.
        RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Tessarin tests");
    }

    // Creates `relative` under the test's DISPLAY key and sets a value in
    // it; `type` REG_NONE creates the key only.
    void Set(const std::string& relative, const std::string& name = "", DWORD type = REG_NONE,
             const void* data = nullptr, std::size_t size = 0)
    {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, Wide(key_ + "\\DISPLAY\\" + relative).c_str(), 0, nullptr, 0,
                                  KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        if (type != REG_NONE) {
            EXPECT_EQ(RegSetValueExW(key, Wide(name).c_str(), 0, type, static_cast<const BYTE*>(data),
                                     static_cast<DWORD>(size)),
                      ERROR_SUCCESS);
        }
        RegCloseKey(key);
    }
    void SetString(const std::string& relative, const std::string& name, const std::string& value)
    {
        const std::wstring wide = Wide(value);
        Set(relative, name, REG_SZ, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
    }
    void SetMultiString(const std::string& relative, const std::string& name, const std::vector<std::string>& values)
    {
        std::wstring joined;
        for (const std::string& value : values)
            joined += Wide(value) + L'\0';
        joined += L'\0';
        Set(relative, name, REG_MULTI_SZ, joined.data(), joined.size() * sizeof(wchar_t));
    }
    void SetBinary(const std::string& relative, const std::string& name, const std::vector<std::uint8_t>& bytes)
    {
        Set(relative, name, REG_BINARY, bytes.data(), bytes.size());
    }

    // An instance as Windows enumerates a monitor: its values, Device
    // Parameters with the EDID (none when empty), Control while active.
    void AddMonitor(const std::string& model, const std::string& instance, const std::vector<std::string>& ids,
                    const std::string& description, const std::string& maker, bool active,
                    const std::vector<std::uint8_t>& edid)
    {
        const std::string key = model + "\\" + instance;
        SetMultiString(key, "HardwareID", ids);
        SetString(key, "DeviceDesc", description);
        SetString(key, "Mfg", maker);
        SetString(key, "Class", "Monitor");
        Set(key + "\\Device Parameters");
        if (!edid.empty())
            SetBinary(key + "\\Device Parameters", "EDID", edid);
        if (active)
            Set(key + "\\Control");
    }

    // Two models, three monitors: a 256-byte EDID on the active one, a
    // 128-byte one, one instance without an EDID value; beside them a
    // device that is no monitor and a model key without instances.
    void FillTree()
    {
        const std::string generic = "@monitor.inf,%generic.monitor%;Generic PnP Monitor";
        const std::string standard = "@monitor.inf,%generic%;(Standard monitor types)";
        AddMonitor("GSM7045", "5&2b5c6d0e&0&UID4352", {"MONITOR\\GSM7045", "*PNP09FF"}, generic, standard, true, lg_);
        AddMonitor("GSM7045", "5&2b5c6d0e&0&UID4353", {"MONITOR\\GSM7045"}, generic, standard, false, {});
        AddMonitor("ACRD149", "4&1a&0&UID0", {"monitor\\ACRD149"}, "Acer GN246HL", "Acer", false, acer_);
        SetMultiString("NVD0000\\1", "HardwareID", {"PCI\\VEN_10DE&DEV_1C82"});
        Set("EMPTY01");
    }

    const std::string key_;
    const std::string display_;
    const std::vector<std::uint8_t> lg_ = ReadBytes(kData / "GSM-7045A2DA2452.bin");   // 256 bytes
    const std::vector<std::uint8_t> acer_ = ReadBytes(kData / "ACR-D14980399AEF.bin"); // 128 bytes
};

TEST_F(RegistryStore, ListsTheMonitorsModelByModelAsTheRegistryEnumeratesThem)
{
    FillTree();
    const RegistryMonitorStore store(display_);

    EXPECT_EQ(GetDisplayInstanceKeys(store),
              (std::vector<std::string>{display_ + "ACRD149\\4&1a&0&UID0", display_ + "GSM7045\\5&2b5c6d0e&0&UID4352",
                                        display_ + "GSM7045\\5&2b5c6d0e&0&UID4353", display_ + "NVD0000\\1"}));
    EXPECT_EQ(BuildDisplayList(store, false),
              (std::vector<std::string>{"Acer GN246HL ; Acer | 0",
                                        "Generic PnP Monitor ; (Standard monitor types) | -1",
                                        "Generic PnP Monitor ; (Standard monitor types) | 0"}));
    EXPECT_EQ(BuildDisplayList(store, true), (std::vector<std::string>{"ACRD149", "GSM7045", "GSM7045"}));
    EXPECT_EQ(FirstActiveEntry(BuildDisplayList(store, false)), 1);
}

TEST_F(RegistryStore, AnIndexReadsTheMonitorAtThatPlaceOfTheList)
{
    FillTree();
    const RegistryMonitorStore store(display_);
    std::vector<std::uint8_t> acer256 = acer_;
    acer256.resize(256, 0);

    ASSERT_EQ(lg_.size(), 256u);
    ASSERT_EQ(acer_.size(), 128u);
    EXPECT_EQ(GetMonitorEDID(store, 0), acer256);
    EXPECT_EQ(GetMonitorEDID(store, 1), lg_);
    EXPECT_TRUE(GetMonitorEDID(store, 2).empty()); // Device Parameters without EDID
    EXPECT_TRUE(GetMonitorEDID(store, 3).empty());

    // The registry is read afresh: a monitor added since the list was made
    // moves the others, and the index reads what is there now.
    AddMonitor("AAA0001", "1", {"MONITOR\\AAA0001"}, "First", "A", false, lg_);
    EXPECT_EQ(GetMonitorEDID(store, 0), lg_);
    EXPECT_EQ(GetMonitorEDID(store, 1), acer256);

    // The load behind the read command, and its "data.vxr".
    const fs::path folder = fs::temp_directory_path() / ("tessarin-registry-" + test::UniqueSuffix());
    std::vector<std::uint8_t> current;
    CEDIDParser parser;
    const std::vector<fs::path> folders = {folder};
    ASSERT_TRUE(LoadRegistryEDID(store, 1, current, parser, folders));
    EXPECT_EQ(current, acer256);
    EXPECT_EQ(ReadBytes(folder / "data.vxr").size(), 260u);
    fs::remove_all(folder);
}

TEST_F(RegistryStore, ValuesOfAnotherTypeOrShapeReadAsMissing)
{
    // DeviceDesc a number, HardwareID a plain string, EDID a string.
    const DWORD number = 7;
    AddMonitor("TYP0001", "1", {"MONITOR\\TYP0001"}, "x", "Maker", false, {});
    Set("TYP0001\\1", "DeviceDesc", REG_DWORD, &number, sizeof number);
    SetString("TYP0001\\1\\Device Parameters", "EDID", "00FFFFFFFFFFFF00");
    SetString("TYP0002\\1", "HardwareID", "MONITOR\\TYP0002");
    // A text stored without its terminating zero, and a list without the
    // empty string that ends it; a description outside ASCII.
    AddMonitor("TYP0003", "1", {}, "", "", true, std::vector<std::uint8_t>(300, 0x5A));
    const std::wstring unterminated = L"\u00C9cran 24\u2033";
    Set("TYP0003\\1", "DeviceDesc", REG_SZ, unterminated.data(), unterminated.size() * sizeof(wchar_t));
    const std::wstring ids = std::wstring(L"MONITOR\\TYP0003") + L'\0' + L"*PNP09FF";
    Set("TYP0003\\1", "HardwareID", REG_MULTI_SZ, ids.data(), ids.size() * sizeof(wchar_t));
    const RegistryMonitorStore store(display_);

    EXPECT_EQ(BuildDisplayList(store, false),
              (std::vector<std::string>{kError + " ; Maker | 0", "\xC3\x89" "cran 24\xE2\x80\xB3 ;  | -1"}));
    EXPECT_TRUE(GetMonitorEDID(store, 0).empty());
    EXPECT_EQ(GetMonitorEDID(store, 1), std::vector<std::uint8_t>(256, 0x5A)); // cut after byte 255
    EXPECT_EQ(store.ReadMultiString(display_ + "TYP0003\\1", "HardwareID"),
              (std::vector<std::string>{"MONITOR\\TYP0003", "*PNP09FF"}));
}

TEST_F(RegistryStore, PathsOutsideAnyHiveOrTreeFindNothing)
{
    FillTree();
    EXPECT_EQ(GetRegistryRoot("HKLM\\"), 0x80000002u);
    for (const char* path : {"HKEY_CURRENT_USER\\x", "hkcu\\x", "HKLM", "", "\\HKLM\\x"})
        EXPECT_EQ(GetRegistryRoot(path), std::nullopt) << path;

    // The same tree under a prefix that names no hive, and a tree that is
    // not there: no list, no EDID, no pseudo entry to pick.
    const std::string unknownHive = "HKXX" + display_.substr(4);
    for (const std::string& display : {unknownHive, display_ + "NOSUCH\\"}) {
        const RegistryMonitorStore store(display);
        EXPECT_EQ(GetDisplayInstanceKeys(store), std::vector<std::string>{std::string(kNoKeys)}) << display;
        EXPECT_TRUE(BuildDisplayList(store, false).empty());
        EXPECT_TRUE(GetMonitorEDID(store, 0).empty());
    }
    // A key name that is not UTF-8 names nothing.
    const RegistryMonitorStore store(display_);
    EXPECT_TRUE(store.EnumKeys(display_ + "\xFF").empty());
    EXPECT_EQ(store.ReadString(display_ + "ACRD149\\4&1a&0&UID0", "Mfg\xFF"), std::nullopt);
}

TEST(ShownDeviceText, TheInstallersTextStandsForTheReferenceBeforeIt)
{
    EXPECT_EQ(ShownDeviceText("@monitor.inf,%generic.monitor%;Generic PnP Monitor"), "Generic PnP Monitor");
    EXPECT_EQ(ShownDeviceText("@monitor.inf,%mfg%;Dell; Inc."), "Dell; Inc.");
    EXPECT_EQ(ShownDeviceText("Dell U2415; rev. A"), "Dell U2415; rev. A");
    EXPECT_EQ(ShownDeviceText("@%SystemRoot%\\system32\\display.dll,-4"), "@%SystemRoot%\\system32\\display.dll,-4");
}

} // namespace
} // namespace tessarin
