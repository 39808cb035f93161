// Which mode the readings call for. Turbo from a high load or a high
// temperature; Quiet when both are low; Normal between. A mode is left only
// when its reading has moved back by the hysteresis, so a load hovering at
// a threshold does not flap between two modes. A reading that is missing
// does not count; with none at all, Normal.
#pragma once

#include <optional>

#include "autoplugin/PaceSettings.h"

namespace autopace {

// The host's mode numbers this plug-in chooses from.
inline constexpr int kTurbo = 1;
inline constexpr int kNormal = 2;
inline constexpr int kQuiet = 3;

struct PaceReading {
    std::optional<int> load;            // % busy
    std::optional<double> temperature;  // C
};

int PaceTarget(int current, const PaceReading& reading, const PaceSettings& settings);

// The temperature alone calls for Turbo: no dwell time holds that back.
bool TooHot(const PaceReading& reading, const PaceSettings& settings);

}  // namespace autopace
