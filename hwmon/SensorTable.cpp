#include "hwmon/SensorTable.h"

#include <array>

#include "hwmon/ChipResult.h"

namespace hwmon {
namespace {

constexpr std::array<SensorRecord, 18> kSensors = {{
    {"VCORE", 0x20, 0, SensorClass::Voltage},
    {"VIN0", 0x21, 0, SensorClass::Voltage},
    {"VAVCC", 0x22, 0, SensorClass::Voltage},
    {"V3VCC", 0x23, 0, SensorClass::Voltage},
    {"VIN1", 0x24, 0, SensorClass::Voltage},
    {"VIN2", 0x25, 0, SensorClass::Voltage},
    {"VIN3", 0x26, 0, SensorClass::Voltage},
    {"VSB", 0x50, 5, SensorClass::Voltage},
    {"VBAT", 0x51, 5, SensorClass::Voltage},
    {"VIN4", 0x52, 5, SensorClass::Voltage},
    {"CPUTIN", 0x50, 1, SensorClass::Temperature},
    {"AUXTIN", 0x50, 2, SensorClass::Temperature},
    {"SYSTIN", 0x27, 0, SensorClass::Temperature},
    {"SYSFANIN", 0x28, 0, SensorClass::Fan},
    {"CPUFANIN0", 0x29, 0, SensorClass::Fan},
    {"AUXFANIN0", 0x2A, 0, SensorClass::Fan},
    {"CPUFANIN1", 0x3F, 0, SensorClass::Fan},
    {"AUXFANIN1", 0x53, 5, SensorClass::Fan},
}};

struct BitSource {
    std::uint8_t reg;
    std::uint8_t bit;
};

// Per fan input: where its divisor exponent bits (2, 1, 0) live in bank 0, and
// its count-limit register.
struct FanInputRegisters {
    std::uint8_t code;
    BitSource divisorBits[3];
    std::uint8_t limitBank;
    std::uint8_t limitRegister;
};

constexpr std::array<FanInputRegisters, 5> kFanInputs = {{
    {0x28, {{0x5D, 5}, {0x47, 5}, {0x47, 4}}, 0, 0x3B},
    {0x29, {{0x5D, 6}, {0x47, 7}, {0x47, 6}}, 0, 0x3C},
    {0x2A, {{0x5D, 7}, {0x4B, 7}, {0x4B, 6}}, 0, 0x3D},
    {0x3F, {{0x4C, 7}, {0x59, 1}, {0x59, 0}}, 0, 0x3E},
    {0x53, {{0x59, 7}, {0x59, 3}, {0x59, 2}}, 5, 0x5C},
}};

struct BeepBit {
    std::uint8_t code;
    std::uint8_t bank;
    std::uint8_t byte;
    std::uint8_t bit;
};

constexpr std::array<BeepBit, 18> kBeepBits = {{
    {0x20, 0, 0, 0}, {0x21, 0, 0, 1}, {0x22, 0, 0, 2}, {0x23, 0, 0, 3},
    {0x27, 0, 0, 4}, {0x50, 1, 0, 5}, {0x28, 0, 0, 6}, {0x29, 0, 0, 7},
    {0x24, 0, 1, 0}, {0x25, 0, 1, 1}, {0x26, 0, 1, 2}, {0x2A, 0, 1, 3},
    {0x50, 2, 1, 5}, {0x50, 5, 2, 0}, {0x51, 5, 2, 1}, {0x52, 5, 2, 3},
    {0x3F, 0, 3, 4}, {0x53, 5, 3, 5},
}};

const FanInputRegisters* FindFanInput(int code)
{
    for (const auto& fan : kFanInputs) {
        if (fan.code == code) {
            return &fan;
        }
    }
    return nullptr;
}

}  // namespace

std::span<const SensorRecord> SensorTable() { return kSensors; }

int LookUpSensor(std::string_view name, std::uint8_t& code, std::uint8_t& bank)
{
    for (const auto& record : kSensors) {
        if (record.name == name) {
            code = record.code;
            bank = record.bank;
            return 1;
        }
    }
    return kPinNotInTable;
}

double ScaleVoltage(std::uint8_t raw, double factor, bool negative)
{
    if (negative) {
        return ((raw * 16) * 0.001 - 2.9) * 36.0 / 7.0 / factor;
    }
    return raw * 0.008 / factor;
}

int ReadVoltageLimits(CChipAccessor& chip, int code, double factor, bool negative,
                      double& high, double& low)
{
    int bank = 0;
    int highRegister = 0;
    int lowRegister = 0;
    if (code >= 0x20 && code <= 0x26) {
        highRegister = 2 * code - 21;
        lowRegister = 2 * code - 20;
    } else if (code >= 0x50 && code <= 0x52) {
        bank = 5;
        highRegister = 2 * (code - 38);
        lowRegister = 2 * code - 75;
    } else {
        return kNotVoltageInput;
    }
    // A zero divider would turn every limit into an infinity; refuse it before
    // touching the chip.
    if (factor == 0.0) {
        return kNotApplicable;
    }
    int result = chip.SelectBank(bank);
    if (result < 1) {
        return result;
    }
    std::uint8_t rawHigh = 0;
    std::uint8_t rawLow = 0;
    if ((result = chip.ReadRegister(static_cast<std::uint8_t>(highRegister), rawHigh)) < 1) {
        return result;
    }
    if ((result = chip.ReadRegister(static_cast<std::uint8_t>(lowRegister), rawLow)) < 1) {
        return result;
    }
    high = ScaleVoltage(rawHigh, factor, negative);
    low = ScaleVoltage(rawLow, factor, negative);
    return result;
}

int ReadTemperatureLimits(CChipAccessor& chip, int code, int bank, double& high, double& low)
{
    // Code 0x50 is a temperature only in banks 1 and 2; elsewhere it is a
    // voltage, whose limit registers must not be read as degrees.
    const bool systin = code == 0x27 && bank == 0;
    const bool banked = code == 0x50 && (bank == 1 || bank == 2);
    if (!systin && !banked) {
        return kNotTemperatureInput;
    }
    int result = chip.SelectBank(bank);
    if (result < 1) {
        return result;
    }
    if (systin) {
        std::uint8_t rawHigh = 0;
        std::uint8_t rawLow = 0;
        if ((result = chip.ReadRegister(0x39, rawHigh)) < 1 ||
            (result = chip.ReadRegister(0x3A, rawLow)) < 1) {
            return result;
        }
        high = rawHigh;
        low = rawLow;
        return result;
    }
    std::uint8_t raw[4] = {0, 0, 0, 0};
    const std::uint8_t order[4] = {0x55, 0x56, 0x53, 0x54};
    for (int i = 0; i < 4; ++i) {
        if ((result = chip.ReadRegister(order[i], raw[i])) < 1) {
            return result;
        }
    }
    high = raw[0] + (raw[1] != 0 ? 0.5 : 0.0);
    low = raw[2] + (raw[3] != 0 ? 0.5 : 0.0);
    return result;
}

int ReadFanDivisorExponent(CChipAccessor& chip, int code, int& exponent)
{
    const FanInputRegisters* fan = FindFanInput(code);
    if (fan == nullptr) {
        return kNotFanInput;
    }
    int result = chip.SelectBank(0);
    if (result < 1) {
        return result;
    }
    // Each distinct register is read once, in the order of the bits.
    std::uint8_t values[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        const int earlier = i > 0 && fan->divisorBits[i - 1].reg == fan->divisorBits[i].reg ? i - 1 : -1;
        if (earlier >= 0) {
            values[i] = values[earlier];
        } else if ((result = chip.ReadRegister(fan->divisorBits[i].reg, values[i])) < 1) {
            return result;
        }
    }
    exponent = 0;
    for (int i = 0; i < 3; ++i) {
        const int bit = (values[i] >> fan->divisorBits[i].bit) & 1;
        exponent |= bit << (2 - i);
    }
    return result;
}

int ReadFanLimit(CChipAccessor& chip, int code, int& rpm)
{
    const FanInputRegisters* fan = FindFanInput(code);
    if (fan == nullptr) {
        return kNotFanInput;
    }
    int exponent = 0;
    int result = ReadFanDivisorExponent(chip, code, exponent);
    if (result < 1) {
        return result;
    }
    if (fan->limitBank != 0 && (result = chip.SelectBank(fan->limitBank)) < 1) {
        return result;
    }
    std::uint8_t count = 0;
    if ((result = chip.ReadRegister(fan->limitRegister, count)) < 1) {
        return result;
    }
    if (count == 0) {
        return kNotApplicable;
    }
    rpm = 1350000 / (1 << exponent) / count;
    return result;
}

int ReadBeepEnables(CChipAccessor& chip, BeepEnables& beep)
{
    BeepEnables read;
    int result = chip.SelectBank(0);
    if (result < 1 || (result = chip.ReadRegister(0x56, read.bytes[0])) < 1 ||
        (result = chip.ReadRegister(0x57, read.bytes[1])) < 1 ||
        (result = chip.ReadRegister(kBankSelectRegister, read.bytes[3])) < 1 ||
        (result = chip.SelectBank(4)) < 1 ||
        (result = chip.ReadRegister(0x53, read.bytes[2])) < 1) {
        return result;
    }
    beep = read;
    return result;
}

int WriteBeepEnables(CChipAccessor& chip, const BeepEnables& beep)
{
    int result = chip.SelectBank(0);
    if (result < 1 || (result = chip.WriteRegister(0x56, beep.bytes[0])) < 1 ||
        (result = chip.WriteRegister(0x57, beep.bytes[1])) < 1) {
        return result;
    }
    // Only the two fan beep bits of the bank-select register come from the
    // caller; the bank in bits 2-0 stays; the other setting bits are dropped.
    std::uint8_t current = 0;
    if ((result = chip.ReadRegister(kBankSelectRegister, current)) < 1) {
        return result;
    }
    const auto merged = static_cast<std::uint8_t>((beep.bytes[3] & 0x30) | (current & 0x07));
    if ((result = chip.WriteRegister(kBankSelectRegister, merged)) < 1 ||
        (result = chip.SelectBank(4)) < 1) {
        return result;
    }
    return chip.WriteRegister(0x53, beep.bytes[2]);
}

std::optional<BeepBitPosition> BeepBitOf(int code, int bank)
{
    for (const auto& entry : kBeepBits) {
        if (entry.code == code && entry.bank == bank) {
            return BeepBitPosition{entry.byte, entry.bit};
        }
    }
    return std::nullopt;
}

int ClearBeepEnable(CChipAccessor& chip, int code, int bank)
{
    const std::optional<BeepBitPosition> found = BeepBitOf(code, bank);
    if (!found) {
        return kNotApplicable;
    }
    BeepEnables beep;
    const int result = ReadBeepEnables(chip, beep);
    if (result < 1) {
        return result;
    }
    beep.bytes[found->byte] = static_cast<std::uint8_t>(beep.bytes[found->byte] & ~(1u << found->bit));
    return WriteBeepEnables(chip, beep);
}

}  // namespace hwmon
