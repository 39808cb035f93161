// The monitor's board items: every type the monitor watches, numbers that
// default instead of ending the list, and the file's order.
#include <gtest/gtest.h>

#include "board/MonitorItems.h"
#include "board/doubles/MemoryProfileReader.h"

namespace board {
namespace {

const std::string kPath = "/boards/Monitor.ini";

TEST(ReadMonitorItemsTest, VoltagesTemperaturesAndFansWithDefaultsForMissingNumbers)
{
    CMemoryProfileReader ini;
    ini.Add(kPath,
            "[GLOBAL]\nTotal_Item_Count=5\n"
            "[ITEM1]\nItemType=1\nName=-12V\nPinName=VIN3\nNegative=1\nEnable=0\nBeepEnable=1\n"
            "ShutDownEnable=1\nHiLimit=-10800\nLoLimit=-13200\nFactor=0\n"
            "[ITEM2]\nItemType=2\nName=CPU Temperature\nPinName=CPUTIN\n"
            "[ITEM3]\nItemType=7\nName=Something else\n"
            "[ITEM4]\nItemType=3\nName=CPU FAN\nPinName=CPUFANIN0\nHiLimit=5000000\n"
            "[ITEM5]\nItemType=2\n");
    int count = 0;
    std::vector<MonitorItemRecord> items;
    ASSERT_TRUE(ReadMonitorItems(ini, kPath, count, items));
    EXPECT_EQ(count, 5);
    ASSERT_EQ(items.size(), 4u);

    const MonitorItemRecord& volts = items[0];
    EXPECT_TRUE(volts.negative);
    EXPECT_FALSE(volts.enable);
    EXPECT_TRUE(volts.beepEnable);
    EXPECT_DOUBLE_EQ(*volts.hiLimit, -10.8);  // a negative limit is a limit, not a missing key
    EXPECT_DOUBLE_EQ(*volts.loLimit, -13.2);
    EXPECT_DOUBLE_EQ(volts.factor, 0.0);  // kept for the monitor to refuse

    // A temperature with only its name and pin is watched with the chip's
    // limits, and does not end the list.
    const MonitorItemRecord& cpu = items[1];
    EXPECT_TRUE(cpu.enable);
    EXPECT_FALSE(cpu.beepEnable);
    EXPECT_FALSE(cpu.hiLimit.has_value());
    EXPECT_DOUBLE_EQ(cpu.factor, 1.0);

    EXPECT_EQ(items[2].itemNo, 4);
    EXPECT_DOUBLE_EQ(*items[2].hiLimit, 5000.0);
    EXPECT_FALSE(items[2].loLimit.has_value());
    EXPECT_EQ(items[3].name, "Error");
}

}  // namespace
}  // namespace board
