// The host's choice of temperature unit, which the page reads when it is
// created: the current user's "Temperature" value under
// "Software\\VARN\\TamloIII" holds "1" for Fahrenheit.
#pragma once

class CRegistryAccess;

namespace zefan {

inline constexpr const char* kHostSettingsKey = "Software\\VARN\\TamloIII";
inline constexpr const char* kTemperatureUnitValue = "Temperature";

// True (Celsius) unless the value reads "1"; a missing value means Celsius.
// Sets the access object's root to the current user's hive.
bool ReadPageCelsiusFlag(CRegistryAccess& registry);

}  // namespace zefan
