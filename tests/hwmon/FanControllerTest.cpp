// Smart-fan programming: field rules, refusals, stop-at-first-failure and the
// second-processor rule, checked on the port traffic and the register file.
#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "TestDoubles.h"
#include "hwmon/ChipResult.h"
#include "hwmon/DutyPercent.h"
#include "hwmon/FanController.h"
#include "hwmon/FanOutputRegisters.h"
#include "hwmon/varnio/SimulatedChip.h"

namespace hwmon::test {
namespace {

using Fault = CSimulatedChip::Fault;

FanItemRecord FanItem(const std::string& pin, int outputMode = 1, std::uint8_t cpuNo = 1)
{
    FanItemRecord item;
    item.itemNo = 3;
    item.itemType = 3;
    item.name = "CPU Fan";
    item.pinName = item.fanCtrlPin = pin;
    item.cpuNo = cpuNo;
    item.enable = item.beepEnable = true;
    item.factor = 1.0;
    item.smartFanSupport = true;
    item.smartFanEnable = true;
    item.targetTemp = 50;
    item.toleranceTemp = 3;
    item.startCtrl = 60;
    item.stopCtrl = 30;
    item.fanOutputMode = outputMode;
    return item;
}

class FanControllerTest : public ::testing::Test {
protected:
    // Whatever a test did, nothing went to a port other than the chip's two,
    // and nothing reached the chip outside a claim.
    void TearDown() override
    {
        EXPECT_TRUE(port.OnlyChipPorts());
        EXPECT_EQ(port.unclaimedOps, 0);
        EXPECT_EQ(port.claimDepth, 0);
    }

    CSimulatedChip chip;
    CRecordingPort port{chip};
    CFakeProcessorCount twoProcessors{2};
};

TEST(DutyPercentTest, Conversions)
{
    EXPECT_EQ(PercentToDutyValue(30), 76);
    EXPECT_EQ(PercentToDutyValue(55), 0x8C);
    EXPECT_EQ(PercentToDutyValue(60), 153);
    EXPECT_EQ(PercentToDutyValue(100), 255);
    EXPECT_EQ(PercentToDutyValue(0), 0);
    EXPECT_EQ(PercentToDutyValue(-1), -1);
    EXPECT_EQ(DutyValueToPercent(128), 50);
    EXPECT_EQ(DutyValueToPercent(255), 100);
    EXPECT_EQ(DutyValueToPercent(1), 0);
    EXPECT_EQ(DutyValueToPercent(2), 1);  // 0.78 rounds up
    EXPECT_EQ(DutyValueToPercent(0), 0);
}

// A bank switch by another program between this operation's bank selection
// and its register accesses would send them elsewhere, so each operation
// holds one claim from its first access to its last.
TEST_F(FanControllerTest, EveryOperationIsOneClaim)
{
    CFakeProcessorCount oneProcessor{1};
    CFanController second(FanItem("CPUFANIN1", 1, 2), port, oneProcessor);
    EXPECT_EQ(port.outerClaims, 2);  // the accessor's bank 0, then the beep enable
    CFanController fan(FanItem("CPUFANIN0"), port, twoProcessors);
    const std::pair<const char*, std::function<void()>> operations[] = {
        {"enable", [&] { fan.SetEnable(true); }},
        {"disable", [&] { fan.SetEnable(false); }},
        {"target", [&] { fan.SetTargetTemp(48); }},
        {"tolerance", [&] { fan.SetTolerance(4); }},
        {"start", [&] { fan.SetStartCtrl(55); }},
        {"stop", [&] { fan.SetStopCtrl(25); }},
        {"duty", [&] { fan.GetCurrentDuty(); }},
        {"settings", [&] { fan.ProgramSettings(FanItem("CPUFANIN0")); }},
        {"working record", [&] { fan.ProgramWorkingRecord(); }},
        {"limits", [&] { fan.ReadLimits(); }},
        {"second processor's settings", [&] { second.ProgramSettings(FanItem("CPUFANIN1", 1, 2)); }},
    };
    for (const auto& [name, operation] : operations) {
        port.Clear();
        operation();
        EXPECT_FALSE(port.ops.empty()) << name;
        EXPECT_EQ(port.outerClaims, 1) << name;
        EXPECT_EQ(port.claimDepth, 0) << name;
    }
}

TEST_F(FanControllerTest, EnablingCpuFanSetsModeOutputModeAndEnableBit)
{
    chip.SetRegister(0, 0x04, 0x00);
    chip.SetRegister(0, 0x12, 0x00);
    CFanController fan(FanItem("CPUFANIN0", 1), port, twoProcessors);
    EXPECT_TRUE(fan.SetEnable(true));
    EXPECT_EQ(chip.Register(0, 0x04), 0x12);
    EXPECT_EQ(chip.Register(0, 0x12), 0x10);
    EXPECT_TRUE(fan.GetSmartFanEnable());
    EXPECT_TRUE(port.OnlyChipPorts());
}

TEST_F(FanControllerTest, EachOutputHasItsOwnFields)
{
    const struct {
        const char* pin;
        int modeReg, modeAfter, enableAfter;
    } outputs[] = {{"SYSFANIN", 0x04, 0x05, 0x20}, {"AUXFANIN0", 0x12, 0x0B, 0x0B}, {"CPUFANIN1", 0x62, 0x50, 0x40}};
    for (const auto& output : outputs) {
        chip.SetRegister(0, 0x04, 0x00);
        chip.SetRegister(0, 0x12, 0x00);
        chip.SetRegister(0, 0x62, 0x00);
        CFanController fan(FanItem(output.pin, 1), port, twoProcessors);
        EXPECT_TRUE(fan.SetEnable(true)) << output.pin;
        EXPECT_EQ(chip.Register(0, static_cast<std::uint8_t>(output.modeReg)), output.modeAfter) << output.pin;
        EXPECT_EQ(chip.Register(0, 0x12), output.enableAfter) << output.pin;
    }
}

TEST_F(FanControllerTest, DisablingWritesManualModeThenFullDuty)
{
    chip.SetRegister(0, 0x04, 0x12);
    chip.SetRegister(0, 0x03, 0x40);
    CFanController fan(FanItem("CPUFANIN0", 2), port, twoProcessors);
    port.Clear();
    EXPECT_TRUE(fan.SetEnable(false));
    EXPECT_EQ(chip.Register(0, 0x04), 0x02);  // mode 0, output-mode bit kept
    EXPECT_EQ(chip.Register(0, 0x03), 0xFF);
    const std::vector<int> indexes = port.Indexes();
    const auto mode = std::find(indexes.begin(), indexes.end(), 0x04);
    const auto duty = std::find(indexes.begin(), indexes.end(), 0x03);
    ASSERT_NE(duty, indexes.end());
    EXPECT_LT(mode, duty);
    EXPECT_FALSE(fan.GetSmartFanEnable());
}

TEST_F(FanControllerTest, ToleranceTouchesOnlyItsOwnNibble)
{
    chip.SetRegister(0, 0x07, 0xA3);
    CFanController sys(FanItem("SYSFANIN"), port, twoProcessors);
    EXPECT_TRUE(sys.SetTolerance(5));
    EXPECT_EQ(chip.Register(0, 0x07), 0xA5);
    chip.SetRegister(0, 0x07, 0xA3);
    CFanController cpu(FanItem("CPUFANIN0"), port, twoProcessors);
    EXPECT_TRUE(cpu.SetTolerance(5));
    EXPECT_EQ(chip.Register(0, 0x07), 0x53);

    // The second CPU fan keeps its tolerance beside its mode bits in 0x62.
    chip.SetRegister(0, 0x07, 0xA3);
    chip.SetRegister(0, 0x62, 0x52);
    CFanController cpu2(FanItem("CPUFANIN1"), port, twoProcessors);
    EXPECT_TRUE(cpu2.SetTolerance(9));
    EXPECT_EQ(chip.Register(0, 0x62), 0x59);
    EXPECT_EQ(chip.Register(0, 0x07), 0xA3);
    EXPECT_EQ(cpu2.GetToleranceTemp(), 9);
}

TEST_F(FanControllerTest, StartAndStopAreWrittenAsOutputValues)
{
    CFanController fan(FanItem("AUXFANIN0"), port, twoProcessors);
    EXPECT_TRUE(fan.SetStartCtrl(100));
    EXPECT_EQ(chip.Register(0, 0x16), 0xFF);
    EXPECT_TRUE(fan.SetStartCtrl(55));
    EXPECT_EQ(chip.Register(0, 0x16), 0x8C);
    EXPECT_TRUE(fan.SetStopCtrl(30));
    EXPECT_EQ(chip.Register(0, 0x15), 76);
    EXPECT_EQ(fan.GetStartCtrl(), 55);
    EXPECT_EQ(fan.GetWorkingRecord().stopCtrl, 30);
    EXPECT_TRUE(fan.SetTargetTemp(127));
    EXPECT_EQ(chip.Register(0, 0x13), 127);
}

TEST_F(FanControllerTest, OutOfRangeValuesAreRefusedAndWriteNothing)
{
    CFanController fan(FanItem("CPUFANIN0"), port, twoProcessors);
    ASSERT_TRUE(fan.SetTargetTemp(50));
    ASSERT_TRUE(fan.SetTolerance(3));
    ASSERT_TRUE(fan.SetStartCtrl(60));
    port.Clear();
    EXPECT_FALSE(fan.SetTargetTemp(128));
    EXPECT_FALSE(fan.SetTargetTemp(-256));  // bit 7 clear, still no temperature
    EXPECT_FALSE(fan.SetTolerance(16));
    EXPECT_FALSE(fan.SetTolerance(-1));
    EXPECT_FALSE(fan.SetStartCtrl(-10));
    EXPECT_EQ(fan.LastResult(), kNotApplicable);
    EXPECT_TRUE(port.ops.empty());
    EXPECT_EQ(fan.GetTargetTemp(), 50);
    EXPECT_EQ(fan.GetWorkingRecord().targetTemp, 50);
    EXPECT_EQ(fan.GetToleranceTemp(), 3);
    EXPECT_EQ(fan.GetStartCtrl(), 60);

    CChipAccessor accessor(port);
    port.Clear();
    EXPECT_EQ(WriteFanMode(accessor, 0x29, 4), kNotApplicable);
    EXPECT_EQ(WriteFanOutputMode(accessor, 0x29, 3), kNotApplicable);
    EXPECT_EQ(WriteFanDuty(accessor, 0x29, 256), kNotApplicable);
    EXPECT_TRUE(port.ops.empty());
    EXPECT_EQ(WriteFanMode(accessor, 0x29, 3), 1);  // up to 3 is accepted
}

TEST_F(FanControllerTest, EnableWithRefusedOutputModeStopsBeforeTheEnableBit)
{
    chip.SetRegister(0, 0x04, 0x00);
    chip.SetRegister(0, 0x12, 0x00);
    FanItemRecord item = FanItem("CPUFANIN0", 7);
    item.smartFanEnable = false;
    CFanController fan(item, port, twoProcessors);
    EXPECT_FALSE(fan.SetEnable(true));
    EXPECT_EQ(fan.LastResult(), kNotApplicable);
    EXPECT_EQ(chip.Register(0, 0x04), 0x10);  // the mode step had succeeded
    EXPECT_EQ(chip.Register(0, 0x12), 0x00);
    EXPECT_FALSE(fan.GetSmartFanEnable());
}

TEST_F(FanControllerTest, OutputModeKeepStillRewritesTheRegister)
{
    CChipAccessor accessor(port);
    chip.SetRegister(0, 0x04, 0x02);
    port.Clear();
    EXPECT_EQ(WriteFanOutputMode(accessor, 0x29, 2), 1);
    EXPECT_EQ(port.DataWritesTo(0x04), std::vector<int>{0x02});
    EXPECT_EQ(WriteFanOutputMode(accessor, 0x29, 0), 1);
    EXPECT_EQ(chip.Register(0, 0x04), 0x00);
}

TEST_F(FanControllerTest, UncontrolledAndUnknownOutputs)
{
    CFanController aux1(FanItem("AUXFANIN1"), port, twoProcessors);
    port.Clear();
    EXPECT_FALSE(aux1.SetEnable(true));
    EXPECT_EQ(aux1.LastResult(), kNotApplicable);
    EXPECT_FALSE(aux1.SetTargetTemp(40));
    EXPECT_FALSE(aux1.SetTolerance(2));
    EXPECT_FALSE(aux1.SetStartCtrl(50));
    EXPECT_FALSE(aux1.SetStopCtrl(20));
    EXPECT_EQ(aux1.GetCurrentDuty(), -1);
    EXPECT_EQ(aux1.LastResult(), kNotApplicable);
    EXPECT_TRUE(port.ops.empty());

    CFanController voltage(FanItem("VCORE"), port, twoProcessors);
    EXPECT_FALSE(voltage.SetTargetTemp(40));
    EXPECT_EQ(voltage.LastResult(), kNotFanInput);

    // An unknown pin leaves the codes 0, so operations fail with -101.
    CFanController unknown(FanItem("NOSUCHPIN"), port, twoProcessors);
    EXPECT_EQ(unknown.GetInputCode(), 0);
    EXPECT_EQ(unknown.GetOutputCode(), 0);
    EXPECT_FALSE(unknown.SetEnable(false));
    EXPECT_EQ(unknown.LastResult(), kNotFanInput);
}

TEST_F(FanControllerTest, CurrentDutyReadsBack)
{
    CFanController fan(FanItem("CPUFANIN1"), port, twoProcessors);
    chip.SetRegister(0, 0x61, 128);
    EXPECT_EQ(fan.GetCurrentDuty(), 50);
    chip.SetRegister(0, 0x61, 255);
    EXPECT_EQ(fan.GetCurrentDuty(), 100);
    chip.FailNth(Fault::DataRead, 2);  // after the bank-select read
    EXPECT_EQ(fan.GetCurrentDuty(), -1);
    EXPECT_EQ(fan.LastResult(), kDataReadFailed);
}

TEST_F(FanControllerTest, ProgrammingStopsAtTheFirstFailureAndKeepsEarlierWrites)
{
    CFanController fan(FanItem("SYSFANIN"), port, twoProcessors);
    FanItemRecord settings = FanItem("SYSFANIN");
    settings.targetTemp = 40;
    settings.toleranceTemp = 4;
    settings.startCtrl = 100;
    // Enable: 3 read-modify-writes with a bank select each (6 data writes);
    // target: bank select + write (2); tolerance: bank select + the field.
    chip.FailNth(Fault::DataWrite, 10);
    EXPECT_FALSE(fan.ProgramSettings(settings));
    EXPECT_EQ(fan.LastResult(), kPortWriteFailed);
    EXPECT_EQ(chip.Register(0, 0x05), 40);
    EXPECT_EQ(chip.Register(0, 0x07) & 0x0F, 0x02);  // tolerance not written
    EXPECT_NE(chip.Register(0, 0x0A), 0xFF);           // nor the start value
    EXPECT_TRUE(fan.GetSmartFanEnable());
    EXPECT_EQ(fan.GetTargetTemp(), 40);
    EXPECT_EQ(fan.GetToleranceTemp(), 3);  // remembered only what succeeded
    EXPECT_EQ(fan.GetWorkingRecord().toleranceTemp, 3);

    EXPECT_TRUE(fan.ProgramSettings(settings));
    EXPECT_EQ(chip.Register(0, 0x07) & 0x0F, 4);
    EXPECT_EQ(chip.Register(0, 0x0A), 0xFF);
    EXPECT_EQ(chip.Register(0, 0x08), 76);
}

TEST_F(FanControllerTest, WorkingRecordIsProgrammedAsEdited)
{
    CFanController fan(FanItem("CPUFANIN0"), port, twoProcessors);
    fan.WorkingRecord().smartFanEnable = false;
    fan.WorkingRecord().targetTemp = 65;
    fan.WorkingRecord().stopCtrl = 0;
    EXPECT_TRUE(fan.ProgramWorkingRecord());
    EXPECT_EQ(chip.Register(0, 0x06), 65);
    EXPECT_EQ(chip.Register(0, 0x09), 0);
    EXPECT_EQ(chip.Register(0, 0x03), 0xFF);
    EXPECT_EQ((chip.Register(0, 0x04) >> 4) & 3, 0);
    EXPECT_FALSE(fan.GetSmartFanEnable());
    EXPECT_EQ(fan.GetTargetTemp(), 65);
}

TEST_F(FanControllerTest, SecondProcessorFanOnSingleProcessorMachine)
{
    CFakeProcessorCount oneProcessor{1};
    chip.SetRegister(0, 0x4E, 0x80 | 0x10);  // CPUFANIN1 beep on
    chip.SetRegister(0, 0x04, 0x00);
    FanItemRecord item = FanItem("CPUFANIN1", 1, 2);
    CFanController fan(item, port, oneProcessor);
    EXPECT_FALSE(fan.IsMultiProcessor());
    EXPECT_EQ(chip.Register(0, 0x4E) & 0x10, 0);
    EXPECT_FALSE(fan.GetItemEnable());
    EXPECT_FALSE(fan.GetBeepEnable());
    EXPECT_FALSE(fan.GetWorkingRecord().enable);
    EXPECT_FALSE(fan.GetWorkingRecord().beepEnable);

    chip.SetRegister(0, 0x61, 0x40);
    EXPECT_TRUE(fan.ProgramSettings(item));
    EXPECT_FALSE(fan.GetSmartFanSupport());
    EXPECT_FALSE(fan.GetWorkingRecord().smartFanSupport);
    EXPECT_EQ(chip.Register(0, 0x61), 0xFF);
    EXPECT_EQ((chip.Register(0, 0x62) >> 4) & 3, 0);
    EXPECT_NE(chip.Register(0, 0x63), item.targetTemp);  // not programmed

    // With a second processor the item is programmed like any other.
    CFanController dual(item, port, twoProcessors);
    EXPECT_TRUE(dual.IsMultiProcessor());
    EXPECT_TRUE(dual.ProgramSettings(item));
    EXPECT_EQ(chip.Register(0, 0x63), item.targetTemp);
    EXPECT_TRUE(dual.GetSmartFanSupport());
}

TEST_F(FanControllerTest, LimitsByItemType)
{
    FanItemRecord fanItem = FanItem("CPUFANIN0");
    chip.SetRegister(0, 0x3C, 0x96);
    CFanController fan(fanItem, port, twoProcessors);
    EXPECT_EQ(fan.ReadLimits(), 1);
    EXPECT_DOUBLE_EQ(fan.GetHighLimit(), 1125);
    EXPECT_DOUBLE_EQ(fan.GetLowLimit(), 1125);

    FanItemRecord voltage = FanItem("VCORE");
    voltage.itemType = 1;
    voltage.factor = 0.5;
    chip.SetRegister(0, 0x2B, 150);
    chip.SetRegister(0, 0x2C, 100);
    CFanController volts(voltage, port, twoProcessors);
    EXPECT_EQ(volts.ReadLimits(), 1);
    EXPECT_NEAR(volts.GetHighLimit(), 2.4, 1e-9);
    EXPECT_NEAR(volts.GetLowLimit(), 1.6, 1e-9);

    FanItemRecord temperature = FanItem("AUXTIN");
    temperature.itemType = 2;
    chip.SetRegister(2, 0x55, 70);
    chip.SetRegister(2, 0x53, 65);
    CFanController temp(temperature, port, twoProcessors);
    EXPECT_EQ(temp.ReadLimits(), 1);
    EXPECT_DOUBLE_EQ(temp.GetHighLimit(), 70);
    EXPECT_DOUBLE_EQ(temp.GetLowLimit(), 65);

    FanItemRecord other = FanItem("CPUFANIN0");
    other.itemType = 9;
    CFanController unknownType(other, port, twoProcessors);
    EXPECT_LT(unknownType.ReadLimits(), 1);
    EXPECT_DOUBLE_EQ(unknownType.GetHighLimit(), 0);
}

}  // namespace
}  // namespace hwmon::test
