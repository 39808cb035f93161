#include "monplugin/Sampler.h"

#include "hwmon/ChipAccessor.h"
#include "hwmon/PortClaim.h"
#include "hwmon/SensorReadings.h"

namespace monitor {

namespace {

// Whether the item can be read at all: the limits' state does not matter
// for the value.
bool Readable(const MonitorItem& item)
{
    return item.input && (item.itemClass != ItemClass::Voltage || item.factor != 0.0);
}

Reading ReadItem(hwmon::CChipAccessor& chip, const MonitorItem& item)
{
    Reading reading;
    if (!Readable(item)) {
        return reading;
    }
    int result = 0;
    switch (item.itemClass) {
    case ItemClass::Voltage: {
        std::uint8_t raw = 0;
        result = hwmon::ReadRawVoltage(chip, *item.input, raw);
        reading.value = hwmon::ScaleVoltage(raw, item.factor, item.negative);
        break;
    }
    case ItemClass::Temperature:
        result = hwmon::ReadTemperature(chip, *item.input, reading.value);
        break;
    case ItemClass::Fan: {
        int rpm = 0;
        result = hwmon::ReadFanSpeed(chip, *item.input, rpm);
        reading.value = rpm;
        break;
    }
    }
    if (result < 1) {
        reading.outcome = Reading::Outcome::ChipError;
        reading.value = 0.0;
        return reading;
    }
    reading.outcome = Reading::Outcome::Read;
    if (item.itemClass == ItemClass::Temperature &&
        (reading.value < kLowestTemperature || reading.value > kHighestTemperature)) {
        reading.outcome = Reading::Outcome::NoSensor;
        reading.raw = reading.value;
        reading.value = 0.0;
    }
    return reading;
}

}  // namespace

std::vector<Reading> CSampler::Read(const std::vector<MonitorItem>& items)
{
    std::vector<Reading> readings;
    readings.reserve(items.size());
    const hwmon::CPortClaim claim(port_);
    hwmon::CChipAccessor chip(port_);
    for (const MonitorItem& item : items) {
        readings.push_back(ReadItem(chip, item));
    }
    // Back to bank 0, where every program of the suite (and the firmware)
    // expects the chip: a scan then leaves the chip as it found it, and a
    // simulated chip has nothing to write back.
    chip.SelectBank(0);
    return readings;
}

bool ChipLost(const std::vector<Reading>& readings)
{
    bool tried = false;
    for (const Reading& reading : readings) {
        if (reading.outcome == Reading::Outcome::NotRead) {
            continue;
        }
        if (reading.outcome != Reading::Outcome::ChipError) {
            return false;
        }
        tried = true;
    }
    return tried;
}

}  // namespace monitor
