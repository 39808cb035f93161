// The simulated W83627EHF: protocol, register file, fault injection and the
// thermal model that makes thermal cruise visible.
#include <gtest/gtest.h>

#include "TestDoubles.h"
#include "hwmon/ChipAccessor.h"
#include "hwmon/FanController.h"
#include "hwmon/varnio/SimulatedChip.h"
#include "hwmon/varnio/ThermalModel.h"

namespace hwmon::test {
namespace {

using Fault = CSimulatedChip::Fault;
constexpr std::int64_t kTicksPerSecond = 10;

std::uint8_t Read(CSimulatedChip& chip, int index)
{
    std::uint8_t value = 0;
    chip.OutPortB(kIndexPort, index);
    chip.InPortB(kDataPort, &value);
    return value;
}

void Write(CSimulatedChip& chip, int index, int value)
{
    chip.OutPortB(kIndexPort, index);
    chip.OutPortB(kDataPort, value);
}

TEST(SimulatedChipTest, DataAccessUsesTheLastIndexAndTheSelectedBank)
{
    CSimulatedChip chip;
    Write(chip, 0x4E, 0x85);
    Write(chip, 0x55, 0x11);
    EXPECT_EQ(chip.Register(5, 0x55), 0x11);
    EXPECT_NE(chip.Register(0, 0x55), 0x11);
    std::uint8_t index = 0;
    EXPECT_EQ(chip.InPortB(kIndexPort, &index), 1);
    EXPECT_EQ(index, 0x55);
    // 0x4E is one register seen from every bank.
    EXPECT_EQ(Read(chip, 0x4E), 0x85);
    Write(chip, 0x4E, 0x07);  // bank 7 does not exist
    EXPECT_EQ(Read(chip, 0x10), 0xFF);
    Write(chip, 0x10, 0x33);
    Write(chip, 0x4E, 0x00);
    EXPECT_EQ(Read(chip, 0x4F), 0xA3);
}

TEST(SimulatedChipTest, ReadOnlyRegistersIgnoreWrites)
{
    CSimulatedChip chip(0xC1);
    Write(chip, 0x58, 0x00);
    Write(chip, 0x29, 0x00);
    EXPECT_EQ(Read(chip, 0x58), 0xC1);
    EXPECT_NE(Read(chip, 0x29), 0x00);
    Write(chip, 0x4F, 0x00);
    EXPECT_EQ(Read(chip, 0x4F), 0x5C);
}

TEST(SimulatedChipTest, OtherPortsAreRefused)
{
    CSimulatedChip chip;
    const SimulatedChipState before = chip.State();
    std::uint8_t value = 0x42;
    for (const int port : {0x294, 0x297, 0x80, 0x2E, -1, 0x10295}) {
        EXPECT_EQ(chip.OutPortB(port, 0x4E), 0) << port;
        EXPECT_EQ(chip.InPortB(port, &value), 0) << port;
    }
    EXPECT_EQ(value, 0x42);
    EXPECT_EQ(chip.InPortB(kDataPort, nullptr), 0);
    EXPECT_TRUE(chip.State() == before);
}

TEST(SimulatedChipTest, FaultHitsExactlyTheNthAccessOfItsKind)
{
    CSimulatedChip chip;
    chip.FailNth(Fault::DataWrite, 3);
    EXPECT_EQ(chip.OutPortB(kIndexPort, 0x05), 1);  // index writes do not count
    EXPECT_EQ(chip.OutPortB(kDataPort, 1), 1);
    EXPECT_EQ(chip.OutPortB(kDataPort, 2), 1);
    EXPECT_EQ(chip.OutPortB(kDataPort, 3), 0);
    EXPECT_EQ(chip.Register(0, 0x05), 2);
    EXPECT_EQ(chip.OutPortB(kDataPort, 4), 1);  // one-shot
    EXPECT_EQ(chip.Register(0, 0x05), 4);

    chip.FailNth(Fault::DataRead, 1);
    std::uint8_t value = 0x99;
    EXPECT_EQ(chip.InPortB(kDataPort, &value), 0);
    EXPECT_EQ(value, 0x99);
    chip.FailNth(Fault::IndexWrite, 1);
    EXPECT_EQ(chip.OutPortB(kIndexPort, 0x06), 0);
    EXPECT_EQ(chip.State().index, 0x05);
}

class ThermalCruiseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        chip.SetRegister(0, 0x0B, 100);  // CPUFANIN0 start value
        chip.SetRegister(0, 0x09, 60);   // stop value
        chip.SetRegister(0, 0x07, 0x20);  // tolerance 2
        chip.SetRegister(0, 0x61, 0);    // the second CPU fan stands
    }
    void Enter(int target)
    {
        chip.SetRegister(0, 0x06, static_cast<std::uint8_t>(target));
        Write(chip, 0x04, 0x10);  // CPUFANIN0 mode 1
    }
    int Duty() const { return chip.Register(0, 0x03); }
    void SetCpuTemperature(double celsius)
    {
        chip.MutableState().microCelsius[kCputin] = static_cast<std::int64_t>(celsius * 1e6);
    }

    CSimulatedChip chip;
};

TEST_F(ThermalCruiseTest, EnteringCruiseStartsAtTheStartValue)
{
    EXPECT_EQ(Duty(), 0xFF);
    Enter(50);
    EXPECT_EQ(Duty(), 100);
    Write(chip, 0x04, 0x10);  // already in mode 1: nothing restarts
    chip.SetRegister(0, 0x03, 120);
    Write(chip, 0x04, 0x11);
    EXPECT_EQ(Duty(), 120);
}

TEST_F(ThermalCruiseTest, HotSourceStepsUpToFullOutput)
{
    SetCpuTemperature(90);
    Enter(40);
    chip.Advance(1);
    EXPECT_EQ(Duty(), 101);
    chip.Advance(9);
    EXPECT_EQ(Duty(), 110);
    chip.Advance(150);  // the processor is still above 42 degrees
    EXPECT_EQ(Duty(), 255);
}

TEST_F(ThermalCruiseTest, CoolSourceStepsDownToTheStopValue)
{
    SetCpuTemperature(30);
    Enter(70);
    chip.Advance(10);
    EXPECT_EQ(Duty(), 90);
    chip.Advance(100);
    EXPECT_EQ(Duty(), 60);
}

TEST_F(ThermalCruiseTest, InsideTheToleranceTheDutyHolds)
{
    SetCpuTemperature(51.5);
    Enter(50);
    chip.Advance(1);
    EXPECT_EQ(Duty(), 100);
}

TEST_F(ThermalCruiseTest, ManualOutputsAreLeftAlone)
{
    SetCpuTemperature(90);
    chip.SetRegister(0, 0x03, 77);
    chip.Advance(100);
    EXPECT_EQ(Duty(), 77);
}

TEST_F(ThermalCruiseTest, SystemFanFollowsTheReferenceSelector)
{
    chip.SetRegister(0, 0x05, 50);
    chip.SetRegister(0, 0x0A, 100);
    chip.SetRegister(0, 0x08, 0);
    chip.MutableState().microCelsius[kSystin] = 30'000'000;
    chip.MutableState().microCelsius[kCputin] = 90'000'000;
    chip.SetRegister(0, 0x4A, 0x40);  // CPUTIN
    Write(chip, 0x04, 0x04);          // SYSFANIN mode 1
    chip.Advance(5);
    EXPECT_EQ(chip.Register(0, 0x01), 105);
    chip.SetRegister(0, 0x4A, 0x00);  // SYSTIN
    chip.Advance(5);
    EXPECT_EQ(chip.Register(0, 0x01), 100);
}

TEST(ThermalModelTest, LoadHeatsAndFansCool)
{
    CSimulatedChip idle;
    idle.Advance(50 * kTicksPerSecond);  // light load
    const int idleTemperature = idle.Register(1, 0x50);
    idle.Advance(60 * kTicksPerSecond);  // into the heavy minute
    const int loadedTemperature = idle.Register(1, 0x50);
    EXPECT_GT(loadedTemperature, idleTemperature + 10);

    CSimulatedChip quiet;
    quiet.SetRegister(0, 0x03, 0);
    quiet.SetRegister(0, 0x61, 0);
    quiet.Advance(110 * kTicksPerSecond);
    EXPECT_GT(quiet.Register(1, 0x50), loadedTemperature + 10);
    EXPECT_GT(LoadAt(70 * kTicksPerSecond), LoadAt(10 * kTicksPerSecond));
}

TEST(ThermalModelTest, FanCountsFollowDuty)
{
    CSimulatedChip chip;
    chip.SetRegister(0, 0x03, 255);
    chip.Advance(1);
    const int fullCount = chip.Register(0, 0x29);
    chip.SetRegister(0, 0x03, 64);
    chip.Advance(1);
    const int slowCount = chip.Register(0, 0x29);
    EXPECT_GT(slowCount, fullCount);  // a slower fan takes longer per turn
    chip.SetRegister(0, 0x03, 0);
    chip.Advance(1);
    EXPECT_EQ(chip.Register(0, 0x29), 0xFF);
    // The fan without an output turns at its own speed.
    EXPECT_NE(chip.Register(5, 0x53), 0xFF);
}

TEST(ThermalModelTest, CruiseProgrammedThroughTheControllerRuns)
{
    CSimulatedChip chip;
    CFakeProcessorCount processors(1);
    FanItemRecord item;
    item.itemType = 3;
    item.pinName = item.fanCtrlPin = "AUXFANIN0";
    item.fanOutputMode = 2;
    CFanController fan(item, chip, processors);
    ASSERT_TRUE(fan.SetTargetTemp(20));
    ASSERT_TRUE(fan.SetTolerance(1));
    ASSERT_TRUE(fan.SetStartCtrl(30));
    ASSERT_TRUE(fan.SetStopCtrl(20));
    ASSERT_TRUE(fan.SetEnable(true));
    EXPECT_EQ(fan.GetCurrentDuty(), 30);
    chip.Advance(5 * kTicksPerSecond);
    EXPECT_GT(fan.GetCurrentDuty(), 30);
}

// The knob the demo and the monitor's tests use: a failed cooler takes the
// processor past its 80 °C limit within seconds whatever the fans and the
// load do, and a working one brings it back under the 75 °C hysteresis.
TEST(ThermalModelTest, AFailedCoolerOverheatsTheProcessorUntilItWorksAgain)
{
    CSimulatedChip chip;
    chip.Advance(30 * kTicksPerSecond);  // light load, fans at full output
    ASSERT_LT(chip.Register(1, 0x50), 60);
    const int systemBefore = chip.Register(0, 0x27);
    chip.MutableState().overheat = true;
    chip.Advance(6 * kTicksPerSecond);
    EXPECT_GT(chip.Register(1, 0x50), 80);
    EXPECT_EQ(chip.Register(0, 0x27), systemBefore);  // only the processor's input heats
    chip.Advance(60 * kTicksPerSecond);
    EXPECT_LE(chip.Register(1, 0x50), 95);

    chip.MutableState().overheat = false;
    chip.Advance(25 * kTicksPerSecond);
    EXPECT_LT(chip.Register(1, 0x50), 75);
}

TEST(SimulatedChipStateTest, EncodingRoundTripsAndGarbleIsRejected)
{
    CSimulatedChip chip;
    chip.Advance(1234);
    chip.MutableState().index = 0x63;
    chip.MutableState().clockNs = 987654321;
    const std::string text = EncodeState(chip.State());
    SimulatedChipState decoded;
    ASSERT_TRUE(DecodeState(text, decoded));
    EXPECT_TRUE(decoded == chip.State());
    // A state file written before the overheat knob existed has no line for
    // it and reads with the cooler working; an overheating chip stays one.
    EXPECT_EQ(text.find("overheat"), std::string::npos);
    chip.MutableState().overheat = true;
    ASSERT_TRUE(DecodeState(EncodeState(chip.State()), decoded));
    EXPECT_TRUE(decoded.overheat);

    SimulatedChipState untouched = PowerOnState(0xA1);
    const SimulatedChipState reference = untouched;
    for (const std::string& garbled :
         {std::string(), text.substr(0, text.size() / 2), text + "more\n", "X" + text.substr(1),
          std::string(text).replace(text.find("bank3 ") + 6, 2, "zz"),
          std::string(text).insert(text.find("end\n"), "overheat 2\n")}) {
        EXPECT_FALSE(DecodeState(garbled, untouched));
    }
    EXPECT_TRUE(untouched == reference);
}

}  // namespace
}  // namespace hwmon::test
