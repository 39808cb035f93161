// The chip's inputs by pin name, the classes their codes form, their limit
// registers with the board's scaling, and the beep enables.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "hwmon/ChipAccessor.h"

namespace hwmon {

enum class SensorClass { Voltage, Temperature, Fan };

struct SensorRecord {
    std::string_view name;  // at most 31 characters
    std::uint8_t code;      // address of the input's value register in its bank
    std::uint8_t bank;
    SensorClass sensorClass;
};

// The board INI's item types.
inline constexpr int kItemTypeVoltage = 1;
inline constexpr int kItemTypeTemperature = 2;
inline constexpr int kItemTypeFan = 3;

std::span<const SensorRecord> SensorTable();

// Exact, case-sensitive match of the first record; -300 leaves code and bank
// unset.
int LookUpSensor(std::string_view name, std::uint8_t& code, std::uint8_t& bank);

// factor is the board's divider (the INI's "Factor" already scaled by 0.001).
int ReadVoltageLimits(CChipAccessor& chip, int code, double factor, bool negative,
                      double& high, double& low);
int ReadTemperatureLimits(CChipAccessor& chip, int code, int bank, double& high, double& low);
// Both limits of a fan item take this one value; a zero count limit gives 0.
int ReadFanLimit(CChipAccessor& chip, int code, int& rpm);

// Byte 0 = 0x56, byte 1 = 0x57 (bank 0), byte 2 = 0x53 (bank 4), byte 3 = 0x4E.
struct BeepEnables {
    std::uint8_t bytes[4] = {0, 0, 0, 0};
};
int ReadBeepEnables(CChipAccessor& chip, BeepEnables& beep);
int WriteBeepEnables(CChipAccessor& chip, const BeepEnables& beep);
// Where an input's beep enable lives in BeepEnables; none for a code and
// bank that are no input of the table.
struct BeepBitPosition {
    int byte;
    int bit;
};
std::optional<BeepBitPosition> BeepBitOf(int code, int bank);
// Read, clear the input's bit, write back; an input without a beep bit gives 0
// and touches nothing.
int ClearBeepEnable(CChipAccessor& chip, int code, int bank);

// Raw byte to volts for a board input.
double ScaleVoltage(std::uint8_t raw, double factor, bool negative);

// Shared with the live readings: the fan's divisor exponent (0-7) from its
// three scattered bits in bank 0.
int ReadFanDivisorExponent(CChipAccessor& chip, int code, int& exponent);

}  // namespace hwmon
