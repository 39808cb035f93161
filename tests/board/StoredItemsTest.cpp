// The "HWM" key: what the fan plug-in stores is what it reads back, fan
// subkeys are told from the others, and values another program stored stay.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "RegistryAccess.h"
#include "RegistryHives.h"
#include "board/StoredItems.h"
#include "board/doubles/FanItems.h"
#include "hwmon/varnio/SimulatedChip.h"

namespace board {
namespace {

using hwmon::FanItemRecord;

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

TEST_F(StoredItemsTest, TheMonitorsIdentityIsReadOverTheCallersAndItsSettingsSavedAlone)
{
    StoreFan(3, 55, {"HiLimit", "ShutDownEnable"});
    StoredIdentity identity;
    identity.hiLimit = 7.5;
    identity.shutDownEnable = true;
    EXPECT_FALSE(ReadStoredIdentity(hives, 3, identity));  // two values missing
    EXPECT_EQ(identity.name, "FAN 3");
    EXPECT_EQ(identity.pinName, "CPUFANIN0");
    EXPECT_EQ(identity.itemType, 3);
    EXPECT_DOUBLE_EQ(identity.hiLimit, 7.5);  // not stored: the caller's stays
    EXPECT_TRUE(identity.shutDownEnable);

    identity.name = "renamed";
    identity.enable = false;
    identity.loLimit = -12.5;
    ASSERT_TRUE(SaveMonitorSettings(hives, identity));
    StoredIdentity back;
    EXPECT_TRUE(ReadStoredIdentity(hives, 3, back));
    EXPECT_EQ(back.name, "FAN 3");  // the name is no setting
    EXPECT_FALSE(back.enable);
    EXPECT_DOUBLE_EQ(back.loLimit, -12.5);  // two's complement both ways
    EXPECT_DOUBLE_EQ(back.hiLimit, 7.5);
    std::uint32_t target = 0;
    ASSERT_TRUE(User().QueryDword(StoredItemKey(3), "TargetTemp", &target));
    EXPECT_EQ(target, 55u);  // the fan plug-in's values stay
}

TEST_F(StoredItemsTest, TheFanPluginStoresTheBoardsLimitsNotTheChipsCountLimit)
{
    hwmon::CSimulatedChip chip;  // count limit 200: 843 rpm
    CFixedProcessorCount processors{1};
    hwmon::FanItemRecord item = FanItem(2, "CPU FAN", "CPUFANIN0");
    item.hiLimit = 5000.0;
    hwmon::CFanController cpu(item, chip, processors);
    ASSERT_GE(cpu.ReadLimits(), 1);
    ASSERT_DOUBLE_EQ(cpu.GetHighLimit(), 843.0);
    hwmon::CFanController* shown[] = {&cpu};
    ASSERT_TRUE(SaveSmartFanSettings(hives, shown));
    StoredIdentity identity;
    ASSERT_TRUE(ReadStoredIdentity(hives, 2, identity));
    EXPECT_DOUBLE_EQ(identity.hiLimit, 5000.0);  // a running fan is no warning
    EXPECT_DOUBLE_EQ(identity.loLimit, 0.0);
}

}  // namespace
}  // namespace board
