// Fan classes and their ranges; every value of every range goes through the
// page in both units and must come back unchanged.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "fanplugin/FanClass.h"
#include "plugin_api/kit/TemperatureUnits.h"
#include "page_test_support.h"

namespace zefan::test {
namespace {

using pluginkit::TargetCelsiusToFahrenheit;
using pluginkit::ToleranceCelsiusToFahrenheit;

constexpr std::uint8_t kCpuTargetReg = 0x06;
constexpr std::uint8_t kToleranceReg = 0x07;  // CPUFANIN0 in bits 7-4

TEST(FanClassTest, NameDecidesTheClass)
{
    EXPECT_EQ(ClassifyFan("CPU FAN"), FanClass::Cpu);
    EXPECT_EQ(ClassifyFan("SYS FAN"), FanClass::System);
    EXPECT_EQ(ClassifyFan("CPU SYS FAN"), FanClass::System);
    EXPECT_EQ(ClassifyFan("cpu fan"), FanClass::Other);
    EXPECT_EQ(ClassifyFan("AUX FAN"), FanClass::Other);
}

// Shows a fan with the given target and tolerance and commits it untouched.
struct Committed {
    int shownTarget;
    int shownTolerance;
    int targetRegister;
    int toleranceRegister;
};

Committed CommitUntouched(const std::string& name, int target, int tolerance, bool celsius)
{
    CPageRig rig;
    rig.celsius = celsius;
    hwmon::FanItemRecord item = PageFanItem(1, name, "CPUFANIN0");
    item.targetTemp = target;
    item.toleranceTemp = tolerance;
    rig.AddFan(item);
    CFanPageModel& page = rig.Fill();
    const int shownTarget = std::stoi(rig.view.Text(FanPageValue::Target));
    const int shownTolerance = std::stoi(rig.view.Text(FanPageValue::Tolerance));
    EXPECT_TRUE(page.Commit());
    return {shownTarget, shownTolerance, rig.Reg(kCpuTargetReg), rig.Reg(kToleranceReg) >> 4};
}

TEST(FanPageUnitsTest, EveryValueOfEveryRangeSurvivesAnUnchangedCommit)
{
    for (const char* name : {"CPU FAN", "SYS FAN", "AUX FAN"}) {
        const FanClassRanges& ranges = RangesOf(ClassifyFan(name));
        for (bool celsius : {true, false}) {
            SCOPED_TRACE(std::string(name) + (celsius ? " C" : " F"));
            for (int target = ranges.targetLowCelsius; target <= ranges.targetHighCelsius; ++target) {
                const Committed result = CommitUntouched(name, target, 3, celsius);
                EXPECT_EQ(result.shownTarget, celsius ? target : TargetCelsiusToFahrenheit(target));
                EXPECT_EQ(result.targetRegister, target);
            }
            for (int tolerance = ranges.toleranceLowCelsius; tolerance <= ranges.toleranceHighCelsius;
                 ++tolerance) {
                const Committed result = CommitUntouched(name, 50, tolerance, celsius);
                EXPECT_EQ(result.shownTolerance,
                          celsius ? tolerance : ToleranceCelsiusToFahrenheit(tolerance));
                EXPECT_EQ(result.toleranceRegister, tolerance);
            }
        }
    }
}

TEST(FanPageUnitsTest, FahrenheitRangesAndLabels)
{
    CPageRig rig;
    rig.celsius = false;
    rig.AddFan(PageFanItem(1, "CPU FAN", "CPUFANIN0"));
    rig.AddFan(PageFanItem(2, "SYS FAN", "SYSFANIN"));
    CFanPageModel& page = rig.Fill();
    EXPECT_EQ(rig.view.unitLabel, "F");
    EXPECT_EQ(rig.view.Text(FanPageValue::Target), "131");
    EXPECT_EQ(rig.view.Spin(FanPageValue::Target).low, 104);
    EXPECT_EQ(rig.view.Spin(FanPageValue::Target).high, 158);
    EXPECT_EQ(rig.view.Spin(FanPageValue::Tolerance).low, 5);
    EXPECT_EQ(rig.view.Spin(FanPageValue::Tolerance).high, 27);
    EXPECT_EQ(rig.view.Text(FanPageValue::Start), "70%");  // percentages have no unit
    page.OnFanSelected(1);
    EXPECT_EQ(rig.view.Spin(FanPageValue::Target).low, 86);
    EXPECT_EQ(rig.view.Spin(FanPageValue::Target).high, 122);
}

TEST(FanPageUnitsTest, EverySteppedFahrenheitValueCommitsItsNearestCelsius)
{
    CPageRig rig;
    rig.celsius = false;
    hwmon::FanItemRecord item = PageFanItem(1, "CPU FAN", "CPUFANIN0");
    item.targetTemp = 40;
    item.toleranceTemp = 3;
    rig.AddFan(item);
    CFanPageModel& page = rig.Fill();
    for (int shown = 104; shown <= 158; ++shown) {
        ASSERT_EQ(page.ShownValue(FanPageValue::Target), shown);
        ASSERT_TRUE(page.Commit());
        const int nearest = static_cast<int>(std::lround((shown - 32) / 1.8));
        EXPECT_EQ(rig.Reg(kCpuTargetReg), nearest) << shown << " F";
        page.OnSpin(FanPageValue::Target, +1);
    }
    EXPECT_EQ(page.ShownValue(FanPageValue::Target), 158);  // the top stays the top
}

}  // namespace
}  // namespace zefan::test
