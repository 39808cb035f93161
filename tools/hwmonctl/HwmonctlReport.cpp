#include "HwmonctlReport.h"

#include <cstdio>

#include "hwmon/ChipAccessor.h"
#include "hwmon/ChipIdentity.h"
#include "hwmon/DutyPercent.h"
#include "hwmon/FanOutputRegisters.h"
#include "hwmon/PortClaim.h"
#include "hwmon/ReferenceTemperature.h"
#include "hwmon/SensorReadings.h"
#include "hwmon/SensorTable.h"

using namespace hwmon;

namespace {

constexpr const char* kModeNames[] = {"manual", "cruise", "mode 2", "mode 3"};
constexpr const char* kSelectorNames[] = {"SYSTIN", "CPUTIN", "AUXTIN"};

void Append(std::string& text, const char* format, auto... args)
{
    char line[256];
    std::snprintf(line, sizeof line, format, args...);
    text += line;
}

bool Failed(std::string& text, const char* what, std::string_view name, int result)
{
    Append(text, "%s of %.*s failed: result %d\n", what, static_cast<int>(name.size()), name.data(), result);
    return false;
}

bool PrintSensor(CChipAccessor& chip, const SensorRecord& sensor, std::string& text)
{
    const int nameWidth = static_cast<int>(sensor.name.size());
    const char* name = sensor.name.data();
    int result = 0;
    switch (sensor.sensorClass) {
    case SensorClass::Voltage: {
        double volts = 0, high = 0, low = 0;
        if ((result = ReadVoltage(chip, sensor, volts)) < 1) {
            return Failed(text, "reading", sensor.name, result);
        }
        if ((result = ReadVoltageLimits(chip, sensor.code, 1.0, false, high, low)) < 1) {
            return Failed(text, "limits", sensor.name, result);
        }
        Append(text, "  %-10.*s voltage      %8.3f V    high %7.3f  low %7.3f\n", nameWidth, name, volts, high, low);
        return true;
    }
    case SensorClass::Temperature: {
        double celsius = 0, high = 0, low = 0;
        if ((result = ReadTemperature(chip, sensor, celsius)) < 1) {
            return Failed(text, "reading", sensor.name, result);
        }
        if ((result = ReadTemperatureLimits(chip, sensor.code, sensor.bank, high, low)) < 1) {
            return Failed(text, "limits", sensor.name, result);
        }
        Append(text, "  %-10.*s temperature  %8.1f C    high %7.1f  low %7.1f\n", nameWidth, name, celsius, high, low);
        return true;
    }
    case SensorClass::Fan: {
        int rpm = 0, limit = 0;
        if ((result = ReadFanSpeed(chip, sensor, rpm)) < 1) {
            return Failed(text, "reading", sensor.name, result);
        }
        result = ReadFanLimit(chip, sensor.code, limit);
        if (result < 0) {
            return Failed(text, "limit", sensor.name, result);
        }
        if (result == 0) {
            Append(text, "  %-10.*s fan          %8d rpm  limit none\n", nameWidth, name, rpm);
        } else {
            Append(text, "  %-10.*s fan          %8d rpm  limit %d rpm\n", nameWidth, name, rpm, limit);
        }
        return true;
    }
    }
    return false;
}

}  // namespace

bool PrintChipReport(IPortIo& port, std::string& text)
{
    // One claim for the whole report, so it is one moment of the chip.
    CPortClaim claim(port);
    CChipAccessor chip(port);
    ChipIdentity identity;
    int result = IdentifyChip(chip, identity);
    if (result < 1) {
        return Failed(text, "identification", "the chip", result);
    }
    text += "chip: " + DescribeIdentity(identity) + "\n";
    int selector = -1;
    result = ReadReferenceTemperatureSelector(port, selector);
    if (result < 0) {
        return Failed(text, "reference temperature", "the chip", result);
    }
    if (result == 0) {
        text += "reference temperature: not known for this chip id\n";
    } else if (selector >= 0 && selector < 3) {
        Append(text, "reference temperature: %s (selector %d)\n", kSelectorNames[selector], selector);
    } else {
        Append(text, "reference temperature: selector %d\n", selector);
    }

    text += "sensors:\n";
    for (const auto& sensor : SensorTable()) {
        if (!PrintSensor(chip, sensor, text)) {
            return false;
        }
    }
    text += "fan outputs:\n";
    text += "  name       mode     duty  target  tolerance  start  stop  output-mode  enable-bit\n";
    for (const auto& output : FanOutputs()) {
        FanOutputSettings settings;
        if ((result = ReadFanOutputSettings(chip, output.code, settings)) < 1) {
            return Failed(text, "settings", output.name, result);
        }
        Append(text, "  %-10.*s %-8s %3d%%  %3d C   %2d C       %3d%%   %3d%%  %d            %d\n",
               static_cast<int>(output.name.size()), output.name.data(), kModeNames[settings.mode],
               DutyValueToPercent(settings.duty), settings.targetCelsius, settings.toleranceCelsius,
               DutyValueToPercent(settings.startValue), DutyValueToPercent(settings.stopValue),
               settings.outputModeBit ? 1 : 0, settings.enableBit ? 1 : 0);
    }
    Append(text, "  %-10s no controllable output\n", "AUXFANIN1");
    return true;
}

bool WatchLine(IPortIo& port, int second, std::string& text)
{
    CPortClaim claim(port);
    CChipAccessor chip(port);
    Append(text, "%4ds", second);
    int result = 0;
    for (const auto& sensor : SensorTable()) {
        if (sensor.sensorClass != SensorClass::Temperature) {
            continue;
        }
        double celsius = 0;
        if ((result = ReadTemperature(chip, sensor, celsius)) < 1) {
            return Failed(text, "\nreading", sensor.name, result);
        }
        Append(text, "  %.*s %5.1fC", static_cast<int>(sensor.name.size()), sensor.name.data(), celsius);
    }
    for (const auto& output : FanOutputs()) {
        std::uint8_t duty = 0;
        std::uint8_t code = 0, bank = 0;
        LookUpSensor(output.name, code, bank);
        int rpm = 0;
        if ((result = ReadFanDuty(chip, output.code, duty)) < 1 ||
            (result = ReadFanSpeed(chip, SensorRecord{output.name, code, bank, SensorClass::Fan}, rpm)) < 1) {
            return Failed(text, "\nreading", output.name, result);
        }
        Append(text, " | %.*s %3d%% %4drpm", static_cast<int>(output.name.size()), output.name.data(),
               DutyValueToPercent(duty), rpm);
    }
    text += "\n";
    return true;
}
