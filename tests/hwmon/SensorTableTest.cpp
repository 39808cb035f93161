// Sensor look-up, limit registers with their scaling, and the beep enables.
#include <gtest/gtest.h>

#include "TestDoubles.h"
#include "hwmon/ChipResult.h"
#include "hwmon/SensorReadings.h"
#include "hwmon/SensorTable.h"
#include "hwmon/varnio/SimulatedChip.h"

namespace hwmon::test {
namespace {

using Fault = CSimulatedChip::Fault;

class SensorTableTest : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_TRUE(port.OnlyChipPorts()); }

    CSimulatedChip chip;
    CRecordingPort port{chip};
    CChipAccessor accessor{port};
};

TEST(SensorLookUpTest, NamesAreExactAndCaseSensitive)
{
    std::uint8_t code = 0x11, bank = 0x22;
    EXPECT_EQ(LookUpSensor("cpufanin0", code, bank), kPinNotInTable);
    EXPECT_EQ(code, 0x11);
    EXPECT_EQ(bank, 0x22);
    EXPECT_EQ(LookUpSensor("CPUFANIN0", code, bank), 1);
    EXPECT_EQ(code, 0x29);
    EXPECT_EQ(bank, 0);
    EXPECT_EQ(LookUpSensor("AUXTIN", code, bank), 1);
    EXPECT_EQ(code, 0x50);
    EXPECT_EQ(bank, 2);
    EXPECT_EQ(LookUpSensor("VSB", code, bank), 1);
    EXPECT_EQ(bank, 5);
    EXPECT_EQ(LookUpSensor("", code, bank), kPinNotInTable);
    EXPECT_EQ(SensorTable().size(), 18u);
}

TEST(VoltageScaleTest, NormalAndNegativeInputs)
{
    EXPECT_NEAR(ScaleVoltage(150, 1.0, false), 1.2, 1e-9);
    EXPECT_NEAR(ScaleVoltage(150, 1.0, true), -2.5714, 1e-4);
    EXPECT_NEAR(ScaleVoltage(150, 0.5, false), 2.4, 1e-9);
}

TEST_F(SensorTableTest, VoltageLimitRegistersOfBothBanks)
{
    struct Case {
        int code, bank, high, low;
    } cases[] = {{0x20, 0, 0x2B, 0x2C}, {0x26, 0, 0x37, 0x38}, {0x50, 5, 0x54, 0x55}, {0x52, 5, 0x58, 0x59}};
    for (const auto& c : cases) {
        chip.SetRegister(c.bank, static_cast<std::uint8_t>(c.high), 150);
        chip.SetRegister(c.bank, static_cast<std::uint8_t>(c.low), 100);
        double high = 0, low = 0;
        EXPECT_EQ(ReadVoltageLimits(accessor, c.code, 1.0, false, high, low), 1) << c.code;
        EXPECT_NEAR(high, 1.2, 1e-9) << c.code;
        EXPECT_NEAR(low, 0.8, 1e-9) << c.code;
        EXPECT_EQ(chip.Register(0, 0x4E) & 7, c.bank);
    }
}

TEST_F(SensorTableTest, VoltageLimitRefusals)
{
    double high = 7, low = 7;
    port.Clear();
    EXPECT_EQ(ReadVoltageLimits(accessor, 0x27, 1.0, false, high, low), kNotVoltageInput);
    EXPECT_EQ(ReadVoltageLimits(accessor, 0x53, 1.0, false, high, low), kNotVoltageInput);
    EXPECT_EQ(ReadVoltageLimits(accessor, 0x20, 0.0, false, high, low), kNotApplicable);
    EXPECT_TRUE(port.ops.empty());
    chip.FailNth(Fault::DataRead, 2);  // the second read is the low limit
    EXPECT_EQ(ReadVoltageLimits(accessor, 0x20, 1.0, false, high, low), kDataReadFailed);
    EXPECT_EQ(high, 7);
    EXPECT_EQ(low, 7);
}

TEST_F(SensorTableTest, TemperatureLimits)
{
    chip.SetRegister(1, 0x55, 60);
    chip.SetRegister(1, 0x56, 0x80);
    chip.SetRegister(1, 0x53, 55);
    chip.SetRegister(1, 0x54, 0x00);
    double high = 0, low = 0;
    port.Clear();
    EXPECT_EQ(ReadTemperatureLimits(accessor, 0x50, 1, high, low), 1);
    EXPECT_DOUBLE_EQ(high, 60.5);
    EXPECT_DOUBLE_EQ(low, 55.0);
    const std::vector<int> order = {0x4E, 0x4E, 0x55, 0x56, 0x53, 0x54};
    EXPECT_EQ(port.Indexes(), order);

    chip.SetRegister(0, 0x39, 200);  // unsigned bytes
    chip.SetRegister(0, 0x3A, 70);
    EXPECT_EQ(ReadTemperatureLimits(accessor, 0x27, 0, high, low), 1);
    EXPECT_DOUBLE_EQ(high, 200.0);
    EXPECT_DOUBLE_EQ(low, 70.0);
}

TEST_F(SensorTableTest, TemperatureLimitRefusals)
{
    double high = 0, low = 0;
    port.Clear();
    EXPECT_EQ(ReadTemperatureLimits(accessor, 0x28, 0, high, low), kNotTemperatureInput);
    // 0x50 of bank 5 is the standby voltage, not a temperature.
    EXPECT_EQ(ReadTemperatureLimits(accessor, 0x50, 5, high, low), kNotTemperatureInput);
    EXPECT_EQ(ReadTemperatureLimits(accessor, 0x27, 1, high, low), kNotTemperatureInput);
    EXPECT_TRUE(port.ops.empty());
}

TEST_F(SensorTableTest, FanLimitFromDivisorAndCountLimit)
{
    // Exponent 3 for SYSFANIN: 0x5D bit 5 clear, 0x47 bits 5 and 4 set.
    chip.SetRegister(0, 0x5D, 0x00);
    chip.SetRegister(0, 0x47, 0x30);
    chip.SetRegister(0, 0x3B, 0x96);
    int rpm = 0;
    EXPECT_EQ(ReadFanLimit(accessor, 0x28, rpm), 1);
    EXPECT_EQ(rpm, 1125);
    // Exponent 7 for AUXFANIN1 (0x59 bits 7, 3, 2) with its limit in bank 5.
    chip.SetRegister(0, 0x59, 0x8C);
    chip.SetRegister(5, 0x5C, 10);
    EXPECT_EQ(ReadFanLimit(accessor, 0x53, rpm), 1);
    EXPECT_EQ(rpm, 1350000 / 128 / 10);
}

TEST_F(SensorTableTest, EachFanHasItsOwnCountLimitRegister)
{
    const struct {
        int code, bank, reg;
    } fans[] = {{0x28, 0, 0x3B}, {0x29, 0, 0x3C}, {0x2A, 0, 0x3D}, {0x3F, 0, 0x3E}, {0x53, 5, 0x5C}};
    for (const auto& fan : fans) {
        for (const auto& other : fans) {
            chip.SetRegister(other.bank, static_cast<std::uint8_t>(other.reg), other.code == fan.code ? 1 : 0);
        }
        int rpm = 0;
        EXPECT_EQ(ReadFanLimit(accessor, fan.code, rpm), 1) << fan.code;
        EXPECT_EQ(rpm, 1350000 / 8) << fan.code;  // power-on divisor 8, count 1
    }
}

TEST_F(SensorTableTest, FanLimitRefusals)
{
    int rpm = 42;
    chip.SetRegister(0, 0x3E, 0);
    EXPECT_EQ(ReadFanLimit(accessor, 0x3F, rpm), kNotApplicable);
    EXPECT_EQ(ReadFanLimit(accessor, 0x27, rpm), kNotFanInput);
    chip.FailNth(Fault::IndexWrite, 1);
    EXPECT_EQ(ReadFanLimit(accessor, 0x29, rpm), kPortWriteFailed);
    EXPECT_EQ(rpm, 42);
}

TEST_F(SensorTableTest, ClearingCputinBeepDropsTheOtherBankSelectBits)
{
    chip.SetRegister(0, 0x4E, 0xF8);
    chip.SetRegister(0, 0x56, 0xFF);
    chip.SetRegister(0, 0x57, 0x2F);
    chip.SetRegister(4, 0x53, 0x0B);
    port.Clear();
    EXPECT_EQ(ClearBeepEnable(accessor, 0x50, 1), 1);
    EXPECT_EQ(chip.Register(0, 0x56), 0xDF);
    EXPECT_EQ(chip.Register(0, 0x57), 0x2F);
    EXPECT_EQ(chip.Register(4, 0x53), 0x0B);
    const std::vector<int> bankSelects = port.DataWritesTo(0x4E);
    ASSERT_GE(bankSelects.size(), 2u);
    EXPECT_NE(std::find(bankSelects.begin(), bankSelects.end(), 0x30), bankSelects.end());
}

TEST_F(SensorTableTest, ClearingBeepBitsOfEachByte)
{
    const struct {
        int code, bank, reg, regBank, bit;
    } inputs[] = {{0x2A, 0, 0x57, 0, 3}, {0x51, 5, 0x53, 4, 1}, {0x52, 5, 0x53, 4, 3}, {0x50, 2, 0x57, 0, 5}};
    for (const auto& input : inputs) {
        chip.SetRegister(0, 0x56, 0xFF);
        chip.SetRegister(0, 0x57, 0xFF);
        chip.SetRegister(4, 0x53, 0xFF);
        EXPECT_EQ(ClearBeepEnable(accessor, input.code, input.bank), 1);
        EXPECT_EQ(chip.Register(input.regBank, static_cast<std::uint8_t>(input.reg)), 0xFF & ~(1 << input.bit))
            << input.code;
    }
    chip.SetRegister(0, 0x4E, 0x30);
    EXPECT_EQ(ClearBeepEnable(accessor, 0x53, 5), 1);  // AUXFANIN1 lives in 0x4E bit 5
    EXPECT_EQ(chip.Register(0, 0x4E) & 0x30, 0x10);
}

TEST_F(SensorTableTest, InputWithoutBeepBitWritesNothing)
{
    port.Clear();
    EXPECT_EQ(ClearBeepEnable(accessor, 0x50, 0), kNotApplicable);
    EXPECT_EQ(ClearBeepEnable(accessor, 0x77, 0), kNotApplicable);
    EXPECT_EQ(port.DataWrites(), 0);
}

TEST_F(SensorTableTest, BeepWriteFailureKeepsEarlierBytes)
{
    BeepEnables beep;
    beep.bytes[0] = 0x12;
    beep.bytes[1] = 0x34;
    beep.bytes[2] = 0x56;
    // Data writes: bank select (1), 0x56 (2), 0x57 (3), 0x4E (4), bank 4 (5), 0x53 (6).
    chip.FailNth(Fault::DataWrite, 6);
    EXPECT_EQ(WriteBeepEnables(accessor, beep), kPortWriteFailed);
    EXPECT_EQ(chip.Register(0, 0x56), 0x12);
    EXPECT_EQ(chip.Register(0, 0x57), 0x34);
    EXPECT_NE(chip.Register(4, 0x53), 0x56);
    EXPECT_EQ(chip.Register(0, 0x4E) & 7, 4);
}

TEST_F(SensorTableTest, LiveReadingsAtChipLevel)
{
    chip.SetRegister(0, 0x20, 150);
    chip.SetRegister(1, 0x50, 45);
    chip.SetRegister(1, 0x51, 0x80);
    chip.SetRegister(0, 0x27, 0xFB);  // -5 degrees
    chip.SetRegister(0, 0x29, 150);
    chip.SetRegister(0, 0x47, 0xC0);  // CPUFANIN0 exponent 3
    double volts = 0, celsius = 0;
    int rpm = 0;
    EXPECT_EQ(ReadVoltage(accessor, SensorTable()[0], volts), 1);
    EXPECT_NEAR(volts, 1.2, 1e-9);
    EXPECT_EQ(ReadTemperature(accessor, SensorTable()[10], celsius), 1);
    EXPECT_DOUBLE_EQ(celsius, 45.5);
    EXPECT_EQ(ReadTemperature(accessor, SensorTable()[12], celsius), 1);
    EXPECT_DOUBLE_EQ(celsius, -5.0);
    EXPECT_EQ(ReadFanSpeed(accessor, SensorTable()[14], rpm), 1);
    EXPECT_EQ(rpm, 1125);
    chip.SetRegister(0, 0x29, 0xFF);
    EXPECT_EQ(ReadFanSpeed(accessor, SensorTable()[14], rpm), 1);
    EXPECT_EQ(rpm, 0);
    EXPECT_EQ(ReadFanSpeed(accessor, SensorTable()[0], rpm), kNotFanInput);
}

}  // namespace
}  // namespace hwmon::test
