// The monitor walk over a registry-like store held in memory: which keys are
// monitors, the list entries, the index contract between the list and the
// read, and the EDID's size.
#include "fake_monitor_store.h"
#include "monitor_walk.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using test::FakeMonitorStore;

const std::string kDisplay = FakeMonitorStore::kDisplay;

std::vector<std::uint8_t> Edid(std::size_t size, std::uint8_t fill)
{
    std::vector<std::uint8_t> edid(size, fill);
    edid[0] = 0;
    return edid;
}

std::size_t Characters(const std::string& utf8)
{
    return static_cast<std::size_t>(
        std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

TEST(MonitorWalk, AMonitorIsAnInstanceWithAMonitorHardwareIdInAnyCase)
{
    FakeMonitorStore store;
    store.AddInstance("DEL4097", "1", {"MONITOR\\DEL4097", "*PNP09FF"}, "Dell", "Dell Inc.", false);
    store.AddInstance("Default_Monitor", "1", {"*PNP09FF", "PCI\\VEN_10DE"}, "Generic", "(Standard)", false);
    store.AddInstance("SAM0F9C", "2", {"monitor\\SAM0F9C"}, "Samsung", "Samsung", false);
    store.AddInstance("GSM5B7F", "3", {"*PNP09FF", "MoNiToR\\GSM5B7F"}, "LG", "LG", false);
    store.AddInstance("XYZ0001", "4", {"XMONITOR\\XYZ0001", "a|||monitor\\b"}, "Other", "Other", false);
    FakeMonitorStore::Key& unreadable = store.AddInstance("ABC0001", "5", {}, "No IDs", "?", false);
    unreadable.multiStrings.clear();

    EXPECT_EQ(GetDisplayInstanceKeys(store),
              (std::vector<std::string>{kDisplay + "DEL4097\\1", kDisplay + "Default_Monitor\\1",
                                        kDisplay + "SAM0F9C\\2", kDisplay + "GSM5B7F\\3", kDisplay + "XYZ0001\\4",
                                        kDisplay + "ABC0001\\5"}));
    EXPECT_EQ(GetMonitorKeys(store, GetDisplayInstanceKeys(store)),
              (std::vector<std::string>{kDisplay + "DEL4097\\1", kDisplay + "SAM0F9C\\2", kDisplay + "GSM5B7F\\3"}));
}

TEST(MonitorWalk, EntriesReadDescriptionManufacturerAndTheActiveFlag)
{
    FakeMonitorStore store;
    store.AddInstance("DEL4097", "1", {"MONITOR\\DEL4097"}, "Dell U2415", "Dell Inc.", true);
    store.AddInstance("DEL4097", "2", {"MONITOR\\DEL4097"}, "Dell U2415", "Dell Inc.", false);
    store.AddSubkey(kDisplay + "DEL4097\\2", "LogConf");
    FakeMonitorStore::Key& broken = store.AddInstance("SAM0F9C", "1", {"MONITOR\\SAM0F9C"}, "", "", false);
    broken.strings.erase("DeviceDesc");
    // A subkey named like the active marker in another case counts, another
    // of its length (Windows's LogConf) does not; a key without any subkey is
    // inactive.
    store.AddInstance("GSM5B7F", "1", {"MONITOR\\GSM5B7F"}, "LG", "LG", false);
    store.AddSubkey(kDisplay + "GSM5B7F\\1", "CONTROL");
    store.AddSubkey(kDisplay, "ACR02F9");
    store.AddSubkey(kDisplay + "ACR02F9", "1");
    store.At(kDisplay + "ACR02F9\\1").multiStrings["HardwareID"] = {"MONITOR\\ACR02F9"};
    store.At(kDisplay + "ACR02F9\\1").strings = {{"DeviceDesc", "Acer"}, {"Mfg", "Acer"}};

    const std::vector<std::string> list = BuildDisplayList(store, false);
    EXPECT_EQ(list, (std::vector<std::string>{"Dell U2415 ; Dell Inc. | -1", "Dell U2415 ; Dell Inc. | 0",
                                              "~{{<ERROR>}}~ ;  | 0", "LG ; LG | -1", "Acer ; Acer | 0"}));
    EXPECT_EQ(ExtractName(list[0]), "Dell U2415 ; Dell Inc. ");
    EXPECT_EQ(FirstActiveEntry(list), 0);
}

TEST(MonitorWalk, ThreeMonitorsUnderTwoModelsAreReadByTheirListIndex)
{
    FakeMonitorStore store;
    store.AddInstance("DEL4097", "5&1", {"MONITOR\\DEL4097"}, "First", "Dell", false, Edid(256, 1));
    store.AddInstance("DEL4097", "5&2", {"MONITOR\\DEL4097"}, "Second", "Dell", true, Edid(256, 2));
    // Not a monitor: it takes no index.
    store.AddInstance("NVD0000", "1", {"PCI\\VEN_10DE"}, "Card", "NVIDIA", true, Edid(256, 9));
    store.AddInstance("SAM0F9C", "1", {"MONITOR\\SAM0F9C"}, "Third", "Samsung", false, Edid(256, 3));

    const std::vector<std::string> list = BuildDisplayList(store, false);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(ExtractName(list[2]), "Third ; Samsung ");
    EXPECT_EQ(FirstActiveEntry(list), 1);
    for (std::int16_t index = 0; index < 3; ++index)
        EXPECT_EQ(GetMonitorEDID(store, index), Edid(256, static_cast<std::uint8_t>(index + 1)));
    EXPECT_TRUE(GetMonitorEDID(store, 3).empty());
    EXPECT_TRUE(GetMonitorEDID(store, -1).empty());
}

TEST(MonitorWalk, TheEDIDIsBroughtTo256Bytes)
{
    FakeMonitorStore store;
    store.AddInstance("A", "128", {"MONITOR\\A"}, "a", "a", false, Edid(128, 0xAB));
    store.AddInstance("A", "512", {"MONITOR\\A"}, "b", "b", false, Edid(512, 0xCD));
    store.AddInstance("A", "none", {"MONITOR\\A"}, "c", "c", false);
    store.AddInstance("A", "empty", {"MONITOR\\A"}, "d", "d", false);
    store.At(kDisplay + "A\\empty\\Device Parameters").binaries["EDID"] = {};

    std::vector<std::uint8_t> expected = Edid(128, 0xAB);
    expected.resize(256, 0);
    EXPECT_EQ(GetMonitorEDID(store, 0), expected);
    EXPECT_EQ(GetMonitorEDID(store, 1), Edid(256, 0xCD));
    EXPECT_TRUE(GetMonitorEDID(store, 2).empty());
    // An empty value is no EDID: 256 zero bytes would be reported as one.
    EXPECT_TRUE(GetMonitorEDID(store, 3).empty());
}

TEST(MonitorWalk, NoMonitorGivesAnEmptyListAndNothingToRead)
{
    FakeMonitorStore empty;
    EXPECT_EQ(GetDisplayInstanceKeys(empty), std::vector<std::string>{"{ERROR}"});
    EXPECT_EQ(GetMonitorKeys(empty, GetDisplayInstanceKeys(empty)), std::vector<std::string>{"{ERROR}"});
    EXPECT_TRUE(BuildDisplayList(empty, false).empty());
    EXPECT_TRUE(BuildDisplayList(empty, true).empty());
    EXPECT_TRUE(GetMonitorEDID(empty, 0).empty());

    FakeMonitorStore others;
    others.AddSubkey(kDisplay, "NoInstances");
    others.AddInstance("NVD0000", "1", {"PCI\\VEN_10DE"}, "Card", "NVIDIA", true, Edid(256, 9));
    EXPECT_EQ(GetDisplayInstanceKeys(others), std::vector<std::string>{kDisplay + "NVD0000\\1"});
    EXPECT_TRUE(BuildDisplayList(others, false).empty());
    EXPECT_TRUE(GetMonitorEDID(others, 0).empty());
}

TEST(MonitorWalk, LongNamesAreCutSoTheBarStaysWithinAByteAndCharactersStayWhole)
{
    FakeMonitorStore store;
    store.AddInstance("A", "1", {"MONITOR\\A"}, std::string(300, 'x'), "Maker", true);
    std::string accented;
    for (int i = 0; i < 300; ++i)
        accented += "\xC3\xA9";
    store.AddInstance("A", "2", {"MONITOR\\A"}, "Short", accented, false);
    store.AddInstance("A", "3", {"MONITOR\\A"}, std::string(249, 'y'), "M", false);

    const std::vector<std::string> list = BuildDisplayList(store, false);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(ExtractName(list[0]), std::string(253, 'x') + " ");
    EXPECT_TRUE(list[0].ends_with(" | -1"));
    const std::string name = ExtractName(list[1]);
    EXPECT_EQ(Characters(name), 254u);
    EXPECT_TRUE(name.ends_with("\xC3\xA9 "));
    EXPECT_TRUE(list[1].ends_with(" | 0"));
    // 249 + " ; M " is exactly 254: kept whole.
    EXPECT_EQ(ExtractName(list[2]), std::string(249, 'y') + " ; M ");
}

TEST(MonitorWalk, ABarOrALineBreakInsideAValueCannotPassForTheSeparator)
{
    FakeMonitorStore store;
    store.AddInstance("A", "1", {"MONITOR\\A"}, "Left|Right", "Two\nLines", false);
    store.AddInstance("A", "2", {"MONITOR\\A"}, "Plain", "Maker", true);

    const std::vector<std::string> list = BuildDisplayList(store, false);
    EXPECT_EQ(ExtractName(list[0]), "Left\xC2\xA6Right ; Two Lines ");
    EXPECT_TRUE(list[0].ends_with(" | 0"));
    EXPECT_EQ(FirstActiveEntry(list), 1);
}

TEST(MonitorWalk, Windows7EntriesAreTheModelCodes)
{
    FakeMonitorStore store;
    store.AddInstance("DEL4097", "1", {"MONITOR\\DEL4097", "*PNP09FF"}, "Dell", "Dell", false);
    store.AddInstance("SAM0F9C", "1", {"MONITOR\\SAM\\0F9C"}, "Samsung", "Samsung", false);
    store.AddInstance("GSM5B7F", "1", {"*PNP09FF", "monitor\\GSM5B7F"}, "LG", "LG", true);

    const std::vector<std::string> list = BuildDisplayList(store, true);
    EXPECT_EQ(list, (std::vector<std::string>{"DEL4097", "SAM\\0F9C", "*PNP09FF"}));
    EXPECT_EQ(FirstActiveEntry(list), 0);
}

TEST(MonitorWalk, AnEntryWithoutABarIsShownWholeAndReadFromItsStart)
{
    const std::vector<std::string> noBar = {" 0 no bar", "no bar"};
    EXPECT_EQ(FirstActiveEntry(noBar), 1);
    EXPECT_EQ(FirstActiveEntry({}), -1);
    EXPECT_EQ(ExtractName("no bar at all"), "no bar at all");
}

} // namespace
} // namespace tessarin
