// The board file and the stored settings: every default and stop rule, the
// file name, and that what the plug-in saves is what it reads back.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "RegistryAccess.h"
#include "RegistryHives.h"
#include "ZefanTestDoubles.h"
#include "fanplugin/BoardConfiguration.h"
#include "hwmon/varnio/SimulatedChip.h"

namespace zefan::test {
namespace {

using hwmon::FanItemRecord;

const std::string kPath = "/boards/Test.ini";

// One complete fan section; the keys in `without` are left out.
std::string FanSection(int n, const std::string& name, const std::string& pin,
                       const std::vector<std::string>& without = {})
{
    const std::vector<std::pair<std::string, std::string>> keys = {
        {"ItemType", "3"},        {"Name", name},          {"PinName", pin},
        {"Negative", "0"},        {"Enable", "5"},         {"BeepEnable", "0"},
        {"ShutDownEnable", "1"},  {"HiBound", "5000000"},  {"LoBound", "0"},
        {"HiLimit", "1500"},      {"LoLimit", "250"},      {"Factor", "1000"},
        {"CpuNo", "2"},           {"SmartFanSupport", "1"}, {"SmartFanEnable", "1"},
        {"TargetTemp", "55"},     {"ToleranceTemp", "3"},  {"StartCtrl", "60"},
        {"StopCtrl", "30"},       {"FanOutputMode", "2"},  {"FanCtrlPin", pin},
    };
    std::string text = "[ITEM" + std::to_string(n) + "]\n";
    for (const auto& [key, value] : keys) {
        if (std::find(without.begin(), without.end(), key) == without.end()) {
            text += key + "=" + value + "\n";
        }
    }
    return text;
}

std::string Board(int count, const std::string& sections)
{
    return "[GLOBAL]\nTotal_Item_Count=" + std::to_string(count) + "\n" + sections;
}

TEST(ConfigurationFilePathTest, FolderModelAndExtensionWithSlashesReplaced)
{
    CMemoryMachineInfo machine;
    machine.facts = {{"Path", "X:\\Data\\"}, {"MBModel", "AB/CD"}};
    EXPECT_EQ(ConfigurationFilePath(machine), "X:\\Data\\AB_CD.ini");

    machine.facts = {{"Path", "/opt/velmar/"}, {"MBModel", "P5/B//Pro"}};
    EXPECT_EQ(ConfigurationFilePath(machine), "/opt/velmar/P5_B__Pro.ini");
}

TEST(ReadFanItemsTest, ReadsEveryFieldOfAFanWithItsScaling)
{
    CMemoryProfileReader ini;
    ini.Add(kPath, Board(2, "[ITEM1]\nItemType=2\nName=CPU Temp\nPinName=CPUTIN\n" +
                                FanSection(2, "CPU FAN", "CPUFANIN0")));
    int count = 0;
    std::vector<FanItemRecord> items;
    ASSERT_TRUE(ReadFanItems(ini, kPath, count, items));
    EXPECT_EQ(count, 2);
    ASSERT_EQ(items.size(), 1u);
    const FanItemRecord& fan = items[0];
    EXPECT_EQ(fan.itemNo, 2);
    EXPECT_EQ(fan.itemType, 3);
    EXPECT_EQ(fan.name, "CPU FAN");
    EXPECT_EQ(fan.pinName, "CPUFANIN0");
    EXPECT_EQ(fan.fanCtrlPin, "CPUFANIN0");
    EXPECT_FALSE(fan.negative);
    EXPECT_TRUE(fan.enable);  // any non-zero value
    EXPECT_FALSE(fan.beepEnable);
    EXPECT_TRUE(fan.shutDownEnable);
    EXPECT_DOUBLE_EQ(fan.hiLimit, 1.5);
    EXPECT_DOUBLE_EQ(fan.loLimit, 0.25);
    EXPECT_DOUBLE_EQ(fan.hiBound, 5000.0);
    EXPECT_DOUBLE_EQ(fan.factor, 1.0);
    EXPECT_EQ(fan.cpuNo, 2);
    EXPECT_TRUE(fan.smartFanSupport);
    EXPECT_TRUE(fan.smartFanEnable);
    EXPECT_EQ(fan.targetTemp, 55);
    EXPECT_EQ(fan.toleranceTemp, 3);
    EXPECT_EQ(fan.startCtrl, 60);
    EXPECT_EQ(fan.stopCtrl, 30);
    EXPECT_EQ(fan.fanOutputMode, 2);
}

TEST(ReadFanItemsTest, MissingStringsReadAsErrorAndLongOnesAreCut)
{
    CMemoryProfileReader ini;
    const std::string longName(600, 'N');
    ini.Add(kPath, Board(2, FanSection(1, longName, "SYSFANIN") +
                                FanSection(2, "x", "CPUFANIN0", {"Name", "PinName", "FanCtrlPin"})));
    int count = 0;
    std::vector<FanItemRecord> items;
    ASSERT_TRUE(ReadFanItems(ini, kPath, count, items));
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].name, std::string(kBoardStringMaxChars, 'N'));
    EXPECT_EQ(items[1].name, "Error");
    EXPECT_EQ(items[1].pinName, "Error");
    EXPECT_EQ(items[1].fanCtrlPin, "Error");
}

TEST(ReadFanItemsTest, AMissingNumberEndsTheListBeforeThatItem)
{
    CMemoryProfileReader ini;
    ini.Add(kPath, Board(4, FanSection(1, "CPU FAN", "CPUFANIN0") + FanSection(2, "SYS FAN", "SYSFANIN", {"StopCtrl"}) +
                                FanSection(3, "AUX FAN", "AUXFANIN0")));
    int count = 0;
    std::vector<FanItemRecord> items;
    EXPECT_FALSE(ReadFanItems(ini, kPath, count, items));
    EXPECT_EQ(count, 4);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].name, "CPU FAN");
}

TEST(ReadFanItemsTest, NoFileOrNoCountGivesNothing)
{
    CMemoryProfileReader ini;
    int count = 0;
    std::vector<FanItemRecord> items{FanItem(1, "old", "SYSFANIN")};
    EXPECT_FALSE(ReadFanItems(ini, kPath, count, items));
    EXPECT_EQ(count, -1);
    EXPECT_TRUE(items.empty());

    ini.Add(kPath, "[GLOBAL]\n" + FanSection(1, "CPU FAN", "CPUFANIN0"));
    EXPECT_FALSE(ReadFanItems(ini, kPath, count, items));
    EXPECT_TRUE(items.empty());
}

TEST(ReadFanItemsTest, AnAbsurdCountDoesNotStallTheStart)
{
    CMemoryProfileReader ini;
    ini.Add(kPath, Board(2000000000, FanSection(1, "CPU FAN", "CPUFANIN0")));
    int count = 0;
    std::vector<FanItemRecord> items;
    EXPECT_TRUE(ReadFanItems(ini, kPath, count, items));
    EXPECT_EQ(count, 2000000000);
    EXPECT_EQ(items.size(), 1u);
    // One count, then one type per section up to the bound, and the fan's keys.
    EXPECT_LT(ini.lookups, kMaxBoardItems + 40);
}

TEST(ReadTemperatureSourcesTest, SelectorsByPinAndTheAuxiliaryInputLeftOut)
{
    CMemoryProfileReader ini;
    ini.Add(kPath, Board(6, "[ITEM1]\nItemType=2\nName=System\nPinName=SYSTIN\n"
                            "[ITEM2]\nItemType=2\nName=CPU\nPinName=cputin\n"
                            "[ITEM3]\nItemType=2\nName=Aux exact\nPinName=AUXTIN\n"
                            "[ITEM4]\nItemType=2\nName=Aux lower\nPinName=auxtin\n"
                            "[ITEM5]\nItemType=2\nPinName=VCORE\n" +
                                FanSection(6, "CPU FAN", "CPUFANIN0")));
    std::vector<ReferenceTemperatureSource> sources;
    ASSERT_TRUE(ReadTemperatureSources(ini, kPath, sources));
    ASSERT_EQ(sources.size(), 4u);
    EXPECT_EQ(sources[0].name, "System");
    EXPECT_EQ(sources[0].selector, 0);
    EXPECT_EQ(sources[1].selector, 1);
    EXPECT_EQ(sources[2].name, "Aux lower");
    EXPECT_EQ(sources[2].selector, 2);
    EXPECT_EQ(sources[3].name, "Error");  // no name
    EXPECT_EQ(sources[3].selector, 0);    // a pin that is no reference input

    CMemoryProfileReader empty;
    EXPECT_FALSE(ReadTemperatureSources(empty, kPath, sources));
    EXPECT_TRUE(sources.empty());
}

// ---- Stored settings.

class StoredItemsTest : public ::testing::Test {
protected:
    CRegistryAccess User()
    {
        CRegistryAccess registry(hives, CRegistryAccess::Edition::Plugin);
        registry.SetRootKey(HKEY_CURRENT_USER);
        return registry;
    }

    // A complete item as the hardware-monitor software stores it.
    void StoreFan(int n, int target, const std::vector<std::string>& without = {})
    {
        CRegistryAccess registry = User();
        const std::string key = StoredItemKey(n);
        const auto dword = [&](const char* name, std::uint32_t value) {
            if (std::find(without.begin(), without.end(), name) == without.end()) {
                registry.SetDword(key, name, value);
            }
        };
        const auto text = [&](const char* name, const std::string& value) {
            if (std::find(without.begin(), without.end(), name) == without.end()) {
                registry.SetString(key, name, value);
            }
        };
        text("Name", "FAN " + std::to_string(n));
        text("PinName", "CPUFANIN0");
        dword("ItemNo", n);
        dword("ItemType", 3);
        dword("Enable", 1);
        dword("BeepEnable", 0);
        dword("ShutDownEnable", 0);
        dword("HiLimit", 2500);
        dword("LoLimit", 0);
        dword("SmartFanSupport", 1);
        dword("SmartFanEnable", 1);
        dword("TargetTemp", target);
        dword("ToleranceTemp", 4);
        dword("StartCtrl", 80);
        dword("StopCtrl", 40);
        text("FanCtrlPin", "CPUFANIN0");
    }

    CMemoryRegistryHives hives;
};

TEST_F(StoredItemsTest, NoKeyFailsAndAnEmptyCountSucceeds)
{
    std::vector<FanItemRecord> items;
    EXPECT_FALSE(ReadStoredFanItems(hives, 3, items));
    User().SetDword(kStoredItemsKey, "Probe", 1);
    EXPECT_TRUE(ReadStoredFanItems(hives, 0, items));
    EXPECT_TRUE(ReadStoredFanItems(hives, -1, items));
    EXPECT_TRUE(items.empty());
}

TEST_F(StoredItemsTest, ReadsFanSubkeysAndPassesOverOthers)
{
    StoreFan(1, 50);
    User().SetDword(StoredItemKey(2), "ItemType", 1);  // a voltage of the monitor software
    User().SetDword(StoredItemKey(3), "TargetTemp", 60);  // no type: never stored by a monitor
    StoreFan(4, 45);
    StoreFan(5, 70);  // beyond the board's count

    std::vector<FanItemRecord> items;
    ASSERT_TRUE(ReadStoredFanItems(hives, 4, items));
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].itemNo, 1);
    EXPECT_EQ(items[0].name, "FAN 1");
    EXPECT_EQ(items[0].targetTemp, 50);
    EXPECT_EQ(items[0].toleranceTemp, 4);
    EXPECT_EQ(items[0].startCtrl, 80);
    EXPECT_EQ(items[0].stopCtrl, 40);
    EXPECT_DOUBLE_EQ(items[0].hiLimit, 2.5);
    EXPECT_TRUE(items[0].smartFanEnable);
    EXPECT_EQ(items[0].fanCtrlPin, "CPUFANIN0");
    EXPECT_EQ(items[1].itemNo, 4);
    EXPECT_EQ(items[1].targetTemp, 45);
}

TEST_F(StoredItemsTest, AFanMissingAValueEndsTheReading)
{
    StoreFan(1, 50);
    StoreFan(2, 45, {"StopCtrl"});
    StoreFan(3, 40);
    std::vector<FanItemRecord> items;
    EXPECT_FALSE(ReadStoredFanItems(hives, 3, items));
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].itemNo, 1);
}

TEST_F(StoredItemsTest, SavingCreatesSubkeysAndReadsBackWhatWasSaved)
{
    hwmon::CSimulatedChip chip;
    CFixedProcessorCount processors{1};
    hwmon::CFanController cpu(FanItem(2, "CPU FAN", "CPUFANIN0"), chip, processors);
    hwmon::CFanController sys(FanItem(5, "SYS FAN", "SYSFANIN"), chip, processors);
    ASSERT_TRUE(sys.SetTargetTemp(42));
    ASSERT_TRUE(sys.SetEnable(false));
    hwmon::CFanController* shown[] = {&cpu, &sys};

    ASSERT_TRUE(SaveSmartFanSettings(hives, shown));
    CRegistryAccess registry = User();
    std::uint32_t value = 0;
    ASSERT_TRUE(registry.QueryDword(StoredItemKey(5), "TargetTemp", &value));
    EXPECT_EQ(value, 42u);
    ASSERT_TRUE(registry.QueryDword(StoredItemKey(5), "SmartFanEnable", &value));
    EXPECT_EQ(value, 0u);
    std::string pin;
    ASSERT_TRUE(registry.QueryString(StoredItemKey(2), "FanCtrlPin", pin));
    EXPECT_EQ(pin, "CPUFANIN0");

    // Without the hardware-monitor software nobody else writes the item's
    // identity, and the settings must still come back at the next start.
    std::vector<FanItemRecord> items;
    ASSERT_TRUE(ReadStoredFanItems(hives, 5, items));
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].itemNo, 2);
    EXPECT_EQ(items[0].name, "CPU FAN");
    EXPECT_EQ(items[0].targetTemp, 50);
    EXPECT_EQ(items[1].itemNo, 5);
    EXPECT_EQ(items[1].targetTemp, 42);
    EXPECT_FALSE(items[1].smartFanEnable);
}

TEST_F(StoredItemsTest, SavingKeepsTheMonitorSoftwaresOwnValues)
{
    StoreFan(2, 65);
    hwmon::CSimulatedChip chip;
    CFixedProcessorCount processors{1};
    hwmon::CFanController cpu(FanItem(2, "CPU FAN", "CPUFANIN0"), chip, processors);
    hwmon::CFanController* shown[] = {&cpu};
    ASSERT_TRUE(SaveSmartFanSettings(hives, shown));

    std::vector<FanItemRecord> items;
    ASSERT_TRUE(ReadStoredFanItems(hives, 2, items));
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].name, "FAN 2");          // the monitor's name stays
    EXPECT_DOUBLE_EQ(items[0].hiLimit, 2.5);    // and its limit
    EXPECT_EQ(items[0].targetTemp, 50);         // the smart-fan values are the plug-in's
    EXPECT_EQ(items[0].startCtrl, 60);
}

}  // namespace
}  // namespace zefan::test
