// Result codes of every chip operation: positive = success, 0 = the operation
// does not apply (nothing was written), negative = error. Callers treat
// anything below 1 as failure.
#pragma once

namespace hwmon {

inline constexpr int kNotApplicable = 0;
inline constexpr int kDataReadFailed = -8;
inline constexpr int kPortWriteFailed = -9;
inline constexpr int kNotVoltageInput = -100;
inline constexpr int kNotFanInput = -101;
inline constexpr int kNotTemperatureInput = -102;
inline constexpr int kPinNotInTable = -300;

inline constexpr bool Succeeded(int result) { return result >= 1; }

}  // namespace hwmon
