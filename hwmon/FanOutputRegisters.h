// The per-output smart-fan registers of the four controllable fan outputs, all
// in bank 0, and the field writes the fan controller is built from. An output
// is named by the code of the fan input it drives.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "hwmon/ChipAccessor.h"

namespace hwmon {

struct FanOutputLayout {
    std::uint8_t code;
    std::string_view name;
    std::uint8_t dutyRegister;
    std::uint8_t modeRegister;
    std::uint8_t modeShift;  // two-bit field
    std::uint8_t outputModeRegister;
    std::uint8_t outputModeBit;
    std::uint8_t enableBit;  // in register 0x12
    std::uint8_t targetRegister;
    std::uint8_t toleranceRegister;
    std::uint8_t toleranceShift;  // four-bit field
    std::uint8_t stopRegister;
    std::uint8_t startRegister;
};

inline constexpr std::uint8_t kEnableRegister = 0x12;
// The fan input without a controllable output: every operation on it gives 0.
inline constexpr std::uint8_t kUncontrolledFanCode = 0x53;

std::span<const FanOutputLayout> FanOutputs();

// 1 with the layout, 0 for the uncontrolled fan, -101 for any other code.
int FindFanOutput(int code, const FanOutputLayout*& layout);

// Field writes. Values outside a field's range are refused with 0 before any
// port access. Each selects bank 0 first.
int WriteFanMode(CChipAccessor& chip, int code, int mode);              // 0-3
int WriteFanOutputMode(CChipAccessor& chip, int code, int outputMode);  // 0 clear, 1 set, 2 keep
int WriteFanEnableBit(CChipAccessor& chip, int code);
int WriteFanDuty(CChipAccessor& chip, int code, int value);               // 0-255
int WriteFanTargetTemperature(CChipAccessor& chip, int code, int celsius);  // 0-127
int WriteFanTolerance(CChipAccessor& chip, int code, int celsius);          // 0-15
int WriteFanStartValue(CChipAccessor& chip, int code, int value);           // 0-255
int WriteFanStopValue(CChipAccessor& chip, int code, int value);            // 0-255

int ReadFanDuty(CChipAccessor& chip, int code, std::uint8_t& value);

// Everything an inspection shows of one output.
struct FanOutputSettings {
    int mode = 0;
    bool outputModeBit = false;
    bool enableBit = false;
    std::uint8_t duty = 0;
    int targetCelsius = 0;
    int toleranceCelsius = 0;
    std::uint8_t startValue = 0;
    std::uint8_t stopValue = 0;
};
int ReadFanOutputSettings(CChipAccessor& chip, int code, FanOutputSettings& settings);

}  // namespace hwmon
