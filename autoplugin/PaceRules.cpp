#include "autoplugin/PaceRules.h"

namespace autopace {

namespace {

// Both readings (those there are) at or below the limits.
bool AtMost(const PaceReading& reading, int load, int temperature)
{
    return (!reading.load || *reading.load <= load) && (!reading.temperature || *reading.temperature <= temperature);
}

// Either reading (of those there are) above the limits.
bool Above(const PaceReading& reading, int load, int temperature)
{
    return (reading.load && *reading.load > load) || (reading.temperature && *reading.temperature > temperature);
}

}  // namespace

bool TooHot(const PaceReading& reading, const PaceSettings& settings)
{
    return reading.temperature && *reading.temperature >= settings.turboTemp;
}

int PaceTarget(int current, const PaceReading& reading, const PaceSettings& s)
{
    if (!reading.load && !reading.temperature) {
        return kNormal;
    }
    if (TooHot(reading, s) || (reading.load && *reading.load >= s.turboLoad)) {
        return kTurbo;
    }
    if (current == kTurbo && Above(reading, s.turboLoad - s.loadHysteresis, s.turboTemp - s.tempHysteresis)) {
        return kTurbo;
    }
    if (current == kQuiet && AtMost(reading, s.quietLoad + s.loadHysteresis, s.quietTemp + s.tempHysteresis)) {
        return kQuiet;
    }
    return AtMost(reading, s.quietLoad, s.quietTemp) ? kQuiet : kNormal;
}

}  // namespace autopace
