// The automatic mode's thresholds, hysteresis and timing, stored per user
// under "Software\\VARN\\AutoPace" as DWORDs (temperatures in whole degrees
// Celsius). One table (kPaceFields) gives each value its name, range and
// unit, for the store and for the page alike.
#pragma once

#include <array>
#include <string>

class IRegistryHives;

namespace autopace {

inline constexpr const char* kPaceSettingsKey = "Software\\VARN\\AutoPace";
// Test-only: a file read instead of /proc/stat (same format).
inline constexpr const char* kLoadSourceValue = "LoadSource";
inline constexpr const char* kProcStat = "/proc/stat";

struct PaceSettings {
    int turboLoad = 70;       // % busy from which Turbo is chosen
    int quietLoad = 20;       // % busy up to which Quiet may be chosen
    int loadHysteresis = 10;  // % points a load must move back before a mode is left
    int turboTemp = 70;       // C from which Turbo is chosen
    int quietTemp = 50;       // C up to which Quiet may be chosen
    int tempHysteresis = 5;   // C a temperature must move back before a mode is left
    int dwellSeconds = 30;    // least time in a mode before another is chosen
    int periodSeconds = 3;    // between two readings
    std::string loadSource = kProcStat;
    bool operator==(const PaceSettings&) const = default;
};

enum class PaceUnit { Percent, TemperaturePoint, TemperatureWidth, Seconds };

struct PaceField {
    int PaceSettings::*member;
    const char* valueName;  // in the store
    const char* label;      // on the page
    PaceUnit unit;
    int low;                // whole degrees Celsius for temperatures
    int high;
};

inline constexpr std::array<PaceField, 8> kPaceFields = {{
    {&PaceSettings::turboLoad, "TurboLoad", "Turbo from load", PaceUnit::Percent, 1, 100},
    {&PaceSettings::quietLoad, "QuietLoad", "Quiet up to load", PaceUnit::Percent, 0, 99},
    {&PaceSettings::loadHysteresis, "LoadHysteresis", "Load hysteresis", PaceUnit::Percent, 0, 50},
    {&PaceSettings::turboTemp, "TurboTemp", "Turbo from", PaceUnit::TemperaturePoint, 1, 120},
    {&PaceSettings::quietTemp, "QuietTemp", "Quiet up to", PaceUnit::TemperaturePoint, 0, 119},
    {&PaceSettings::tempHysteresis, "TempHysteresis", "Temperature hysteresis", PaceUnit::TemperatureWidth, 0, 30},
    {&PaceSettings::dwellSeconds, "Dwell", "Least time in a mode", PaceUnit::Seconds, 0, 3600},
    {&PaceSettings::periodSeconds, "Period", "Reading every", PaceUnit::Seconds, 1, 60},
}};

// Every value within its range, and Quiet's thresholds below Turbo's (a
// Quiet threshold at or above Turbo's is moved just below it).
PaceSettings Normalised(PaceSettings settings);

// Missing or unreadable values take their defaults; the result is
// normalised.
PaceSettings ReadPaceSettings(IRegistryHives& hives);
// Stores the normalised values (the load source is never written: it is set
// by hand, for tests).
bool WritePaceSettings(IRegistryHives& hives, const PaceSettings& settings);

}  // namespace autopace
