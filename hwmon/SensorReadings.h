// Live values of the sensor-table inputs at chip level (no board divider), for
// inspection: volts at the pin, degrees Celsius, revolutions per minute.
#pragma once

#include "hwmon/SensorTable.h"

namespace hwmon {

int ReadVoltage(CChipAccessor& chip, const SensorRecord& input, double& volts);
// The input's raw byte, for the board's scaling (ScaleVoltage): a negative
// input's formula works on the byte, not on the volts at the pin.
int ReadRawVoltage(CChipAccessor& chip, const SensorRecord& input, std::uint8_t& raw);
int ReadTemperature(CChipAccessor& chip, const SensorRecord& input, double& celsius);
// A count of 0 or 255 means the fan stands or turns too slowly to measure: 0 rpm.
int ReadFanSpeed(CChipAccessor& chip, const SensorRecord& input, int& rpm);

}  // namespace hwmon
