// The hottest of the chip's temperature inputs, read through the chip layer
// (hwmon) under a claim on its ports, as every program of the suite does.
#pragma once

#include "autoplugin/PaceSources.h"
#include "hwmon/PortIo.h"

namespace autopace {

// An input without a sensor reads as -128 or 127 (or another value no
// board reaches); those are not temperatures.
inline constexpr double kLowestReading = -40.0;
inline constexpr double kHighestReading = 125.0;

class CChipTemperature : public ITemperatureSource {
public:
    explicit CChipTemperature(hwmon::IPortIo& port) : port_(port) {}
    std::optional<double> Hottest() override;

private:
    hwmon::IPortIo& port_;
};

}  // namespace autopace
