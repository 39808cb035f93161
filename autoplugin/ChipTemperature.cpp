#include "autoplugin/ChipTemperature.h"

#include "hwmon/ChipAccessor.h"
#include "hwmon/PortClaim.h"
#include "hwmon/SensorReadings.h"
#include "hwmon/SensorTable.h"

namespace autopace {

std::optional<double> CChipTemperature::Hottest()
{
    // One claim for all inputs: they share the bank register.
    const hwmon::CPortClaim claim(port_);
    hwmon::CChipAccessor chip(port_);
    std::optional<double> hottest;
    for (const hwmon::SensorRecord& input : hwmon::SensorTable()) {
        double celsius = 0;
        if (input.sensorClass != hwmon::SensorClass::Temperature || hwmon::ReadTemperature(chip, input, celsius) < 1 ||
            celsius < kLowestReading || celsius > kHighestReading) {
            continue;
        }
        if (!hottest || celsius > *hottest) {
            hottest = celsius;
        }
    }
    return hottest;
}

}  // namespace autopace
