// Ports: what the automatic mode reads, each a few times a minute. Both
// answer at once; nullopt means "no reading now".
#pragma once

#include <optional>
#include <string>

#include "autoplugin/CpuLoad.h"

namespace autopace {

class ILoadSource {
public:
    virtual ~ILoadSource() = default;
    virtual std::optional<CpuTimes> Read() = 0;
    // Where the counters come from (/proc/stat, or a test's file).
    virtual void SetPath(const std::string& path) = 0;
};

class ITemperatureSource {
public:
    virtual ~ITemperatureSource() = default;
    // The hottest temperature the chip reports, in degrees Celsius.
    virtual std::optional<double> Hottest() = 0;
};

}  // namespace autopace
