// The host's choice of temperature unit for a plug-in's page: the current
// user's "Temperature" value under "Software\\VARN\\TamloIII" holds "1" for
// Fahrenheit. The host also sends it with "SET_TEMPERATURE_DISP".
#pragma once

class CRegistryAccess;
class IRegistryHives;

namespace pluginkit {

inline constexpr const char* kHostSettingsKey = "Software\\VARN\\TamloIII";
inline constexpr const char* kTemperatureUnitValue = "Temperature";

// True (Celsius) unless the value reads "1"; a missing value means Celsius.
// Sets the access object's root to the current user's hive.
bool ReadPageCelsiusFlag(CRegistryAccess& registry);

// The unit a page opens in: the stored choice decides when there is one, the
// last command (lastCommandCelsius) otherwise, so a host that only sends the
// command still gets its unit.
bool PageShowsCelsius(IRegistryHives& hives, bool lastCommandCelsius);

}  // namespace pluginkit
