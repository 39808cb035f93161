// The warning rules with hysteresis: a reading sitting on a limit, or
// wobbling a step around it, never switches the warning on and off.
#include <gtest/gtest.h>

#include <vector>

#include "monplugin/Judge.h"

namespace monitor {
namespace {

MonitorItem ItemOf(ItemClass itemClass, double low, double high, double factor = 1.0)
{
    MonitorItem item;
    item.itemClass = itemClass;
    item.input = hwmon::SensorTable()[itemClass == ItemClass::Temperature ? 10 : itemClass == ItemClass::Fan ? 14 : 0];
    item.factor = factor;
    item.loLimit = low;
    item.hiLimit = high;
    return item;
}

// The states a run of readings goes through.
std::vector<ItemState> StatesOf(const MonitorItem& item, const std::vector<double>& values)
{
    std::vector<ItemState> states;
    ItemState state = ItemState::Unavailable;
    for (const double value : values) {
        state = JudgeValue(item, value, state);
        states.push_back(state);
    }
    return states;
}

constexpr ItemState O = ItemState::Ok, H = ItemState::High, L = ItemState::Low;

TEST(JudgeTest, ATemperatureWarnsAboveItsLimitAndClearsAtItsLowLimit)
{
    const MonitorItem cpu = ItemOf(ItemClass::Temperature, 75, 80);
    EXPECT_EQ(StatesOf(cpu, {80, 80.5, 80, 79.5, 76, 75, 80}), (std::vector<ItemState>{O, H, H, H, H, O, O}));
    // A low limit on (or above) the high one still needs two degrees.
    const MonitorItem flat = ItemOf(ItemClass::Temperature, 80, 80);
    EXPECT_EQ(StatesOf(flat, {81, 80, 79, 78}), (std::vector<ItemState>{H, H, H, O}));
    EXPECT_EQ(StatesOf(cpu, {-10}), std::vector<ItemState>{O});  // no "too cold"
}

TEST(JudgeTest, AVoltageClearsTwoPercentOrTwoStepsInside)
{
    const MonitorItem core = ItemOf(ItemClass::Voltage, 1.215, 1.485);
    // 2 % of 1.485 V is 29.7 mV, more than two 8 mV steps.
    EXPECT_EQ(StatesOf(core, {1.485, 1.488, 1.480, 1.456, 1.455, 1.212, 1.220, 1.240, 1.239}),
              (std::vector<ItemState>{O, H, H, H, O, L, L, O, O}));
    // A divider of 0.1 makes one step 80 mV: the margin follows it.
    const MonitorItem divided = ItemOf(ItemClass::Voltage, 5.0, 6.0, 0.1);
    EXPECT_NEAR(ClearMargin(divided, 6.0), 0.16, 1e-9);
    // A window narrower than two margins clears at its middle.
    const MonitorItem narrow = ItemOf(ItemClass::Voltage, 3.30, 3.32);
    EXPECT_NEAR(ClearMargin(narrow, 3.32), 0.01, 1e-9);
    EXPECT_EQ(StatesOf(narrow, {3.33, 3.305, 3.29, 3.315}), (std::vector<ItemState>{H, O, L, O}));
}

TEST(JudgeTest, AFanClearsFivePercentAndAtLeastFiftyRpmInsideAndALowLimitOfZeroNeverWarns)
{
    const MonitorItem cpu = ItemOf(ItemClass::Fan, 600, 5000);
    EXPECT_EQ(StatesOf(cpu, {600, 599, 640, 650, 0, 5001, 4760, 4750}),
              (std::vector<ItemState>{O, L, L, O, L, H, H, O}));
    const MonitorItem any = ItemOf(ItemClass::Fan, 0, 5000);
    EXPECT_EQ(StatesOf(any, {0, 0}), (std::vector<ItemState>{O, O}));
}

TEST(JudgeTest, BrokenSettingsAreMarkedEvenWhereNotWatched)
{
    MonitorItem item = ItemOf(ItemClass::Voltage, 1.0, 2.0);
    const Reading high{Reading::Outcome::Read, 5.0, 0.0};
    item.enable = false;
    EXPECT_EQ(Judge(item, high, ItemState::High).state, ItemState::Unwatched);
    item.input.reset();
    item.pinName = "CPUTIN";
    EXPECT_EQ(Judge(item, high, ItemState::Ok).note, "pin CPUTIN is not a voltage input of the chip");
}

}  // namespace
}  // namespace monitor
