// Conversions between fan output values (255 = full output) and percent.
#pragma once

#include <cstdint>

namespace hwmon {

// min(p * 256 / 100, 255); -1 for a negative percentage, which would
// otherwise wrap into a large output value.
int PercentToDutyValue(int percent);

// value * 100 / 256, rounded up only when the fraction exceeds one half
// (128 -> 50, 255 -> 100, 1 -> 0).
int DutyValueToPercent(std::uint8_t value);

}  // namespace hwmon
