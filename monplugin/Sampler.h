// One reading of every item from the chip, all under one claim: the inputs
// share the bank register, and another program switching it between two of
// our reads would hand us another input's value.
#pragma once

#include <optional>
#include <vector>

#include "hwmon/PortIo.h"
#include "monplugin/MonitorItem.h"

namespace monitor {

// A temperature input without a sensor reads -128 or 127, or another value
// no board reaches.
inline constexpr double kLowestTemperature = -40.0;
inline constexpr double kHighestTemperature = 125.0;

struct Reading {
    enum class Outcome {
        Read,       // value holds the reading
        NotRead,    // the item cannot be read (ConfigurationProblem)
        ChipError,  // the chip did not answer
        NoSensor,   // a temperature outside what a sensor gives; raw holds it
    };
    Outcome outcome = Outcome::NotRead;
    double value = 0.0;  // volts (the board's scaling), degrees Celsius, rpm
    double raw = 0.0;
};

class CSampler {
public:
    explicit CSampler(hwmon::IPortIo& port) : port_(port) {}
    std::vector<Reading> Read(const std::vector<MonitorItem>& items);

private:
    hwmon::IPortIo& port_;
};

// True when there was something to read and the chip answered none of it:
// the chip (or the way to it) is gone, not one register.
bool ChipLost(const std::vector<Reading>& readings);

}  // namespace monitor
