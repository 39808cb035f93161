#include "hwmon/SensorReadings.h"

#include "hwmon/ChipResult.h"

namespace hwmon {
namespace {

constexpr std::uint8_t kHalfDegreeRegister = 0x51;  // banks 1 and 2, bit 7

}  // namespace

int ReadRawVoltage(CChipAccessor& chip, const SensorRecord& input, std::uint8_t& raw)
{
    if (input.sensorClass != SensorClass::Voltage) {
        return kNotVoltageInput;
    }
    const int result = chip.SelectBank(input.bank);
    return result < 1 ? result : chip.ReadRegister(input.code, raw);
}

int ReadVoltage(CChipAccessor& chip, const SensorRecord& input, double& volts)
{
    std::uint8_t raw = 0;
    const int result = ReadRawVoltage(chip, input, raw);
    if (result >= 1) {
        volts = ScaleVoltage(raw, 1.0, false);
    }
    return result;
}

int ReadTemperature(CChipAccessor& chip, const SensorRecord& input, double& celsius)
{
    if (input.sensorClass != SensorClass::Temperature) {
        return kNotTemperatureInput;
    }
    std::uint8_t whole = 0;
    std::uint8_t half = 0;
    int result = chip.SelectBank(input.bank);
    if (result < 1 || (result = chip.ReadRegister(input.code, whole)) < 1) {
        return result;
    }
    if (input.bank != 0 && (result = chip.ReadRegister(kHalfDegreeRegister, half)) < 1) {
        return result;
    }
    celsius = static_cast<std::int8_t>(whole) + ((half & 0x80) != 0 ? 0.5 : 0.0);
    return result;
}

int ReadFanSpeed(CChipAccessor& chip, const SensorRecord& input, int& rpm)
{
    if (input.sensorClass != SensorClass::Fan) {
        return kNotFanInput;
    }
    int exponent = 0;
    int result = ReadFanDivisorExponent(chip, input.code, exponent);
    if (result < 1) {
        return result;
    }
    std::uint8_t count = 0;
    if ((input.bank != 0 && (result = chip.SelectBank(input.bank)) < 1) ||
        (result = chip.ReadRegister(input.code, count)) < 1) {
        return result;
    }
    rpm = count == 0 || count == 0xFF ? 0 : 1350000 / (1 << exponent) / count;
    return result;
}

}  // namespace hwmon
