#include "autoplugin/PaceTexts.h"

#include <array>
#include <cmath>

#include "autoplugin/AutoPacer.h"
#include "plugin_api/kit/DataDocument.h"
#include "plugin_api/kit/TemperatureUnits.h"

namespace autopace {

namespace {

std::string ModeName(int mode)
{
    static constexpr std::array<const char*, 4> kNames = {"", "Turbo", "Normal", "Quiet"};
    return mode >= kTurbo && mode <= kQuiet ? kNames[mode] : "";
}

std::string Percent(int value)
{
    return std::to_string(value) + " %";
}

std::string Reading(const PaceReading& reading, bool celsiusUnit)
{
    const std::string load = reading.load ? "load " + Percent(*reading.load) : "no load reading";
    const std::string heat =
        reading.temperature ? "hottest " + ShownTemperature(*reading.temperature, celsiusUnit) : "no temperature";
    return load + ", " + heat;
}

}  // namespace

std::string ShownTemperature(double celsius, bool celsiusUnit, bool width)
{
    const int whole = static_cast<int>(std::lround(celsius));
    if (celsiusUnit) {
        return std::to_string(whole) + " \u00B0C";
    }
    return std::to_string(width ? pluginkit::ToleranceCelsiusToFahrenheit(whole)
                                : pluginkit::TargetCelsiusToFahrenheit(whole)) +
           " \u00B0F";
}

std::string AutoTip(const CAutoPacer& pacer, bool celsiusUnit)
{
    const PaceSettings& s = pacer.Settings();
    std::string tip = "Auto: Turbo from " + Percent(s.turboLoad) + " load or " +
                      ShownTemperature(s.turboTemp, celsiusUnit) + ", Quiet up to " + Percent(s.quietLoad) +
                      " and " + ShownTemperature(s.quietTemp, celsiusUnit) + ", Normal between; at least " +
                      std::to_string(s.dwellSeconds) + " s in a mode";
    if (pacer.Running() && pacer.Choice() >= 0) {
        tip += ". Now " + ModeName(pacer.Choice()) + " (" + Reading(pacer.LastReading(), celsiusUnit) + ")";
    } else if (!pacer.Running()) {
        tip += ". Off";
    }
    return tip;
}

std::string PaceStatus(const CAutoPacer& pacer, bool celsiusUnit)
{
    if (!pacer.Running()) {
        return "Automatic mode is off; the Auto key on the face switches it on.";
    }
    if (pacer.Choice() < 0) {
        return "Automatic mode is on; the first reading comes in " + std::to_string(pacer.Settings().periodSeconds) +
               " s.";
    }
    std::string status = "Automatic mode is on: " + ModeName(pacer.Choice()) + " (" +
                         Reading(pacer.LastReading(), celsiusUnit) + ").";
    const PaceReading& reading = pacer.LastReading();
    if (!pacer.LoadReadable()) {
        status += " The processor load cannot be read from " + pluginkit::InertText(pacer.Settings().loadSource) + ".";
    }
    if (!reading.load && !reading.temperature) {
        status += " Without readings Normal is kept.";
    } else if (!reading.temperature) {
        status += " The chip reports no temperature: the load decides alone.";
    } else if (!reading.load) {
        status += " The temperature decides alone.";
    }
    return status;
}

std::string PaceDocument(const CAutoPacer& pacer, bool celsiusUnit)
{
    const PaceReading& reading = pacer.LastReading();
    const bool read = pacer.Running() && pacer.Readings() > 0;
    pluginkit::CDataDocument document;
    document.AddItem("AUTOPACE", "VARNAUTOPACE",
                     {{"STATE", pacer.Running() ? "on" : "off"},
                      {"MODE", pacer.Running() ? ModeName(pacer.Choice()) : ""},
                      {"LOAD", read && reading.load ? Percent(*reading.load) : ""},
                      {"TEMP", read && reading.temperature ? ShownTemperature(*reading.temperature, celsiusUnit) : ""},
                      {"STATUS", PaceStatus(pacer, celsiusUnit)}});
    document.AddItem("TIP", "AUTO", {{"TEXT", AutoTip(pacer, celsiusUnit)}});
    return document.Text();
}

}  // namespace autopace
