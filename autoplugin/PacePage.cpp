#include "autoplugin/PacePage.h"

#include <algorithm>

#include "autoplugin/AutoPacer.h"
#include "autoplugin/PaceTexts.h"
#include "plugin_api/kit/TemperatureUnits.h"

namespace autopace {

namespace {

// Stored (Celsius) to shown and back, by unit.
int Shown(PaceUnit unit, int value, bool celsius)
{
    if (celsius) {
        return value;
    }
    switch (unit) {
    case PaceUnit::TemperaturePoint: return pluginkit::TargetCelsiusToFahrenheit(value);
    case PaceUnit::TemperatureWidth: return pluginkit::ToleranceCelsiusToFahrenheit(value);
    default: return value;
    }
}

int Stored(PaceUnit unit, int value, bool celsius)
{
    if (celsius) {
        return value;
    }
    switch (unit) {
    case PaceUnit::TemperaturePoint: return pluginkit::TargetFahrenheitToCelsius(value);
    case PaceUnit::TemperatureWidth: return pluginkit::ToleranceFahrenheitToCelsius(value);
    default: return value;
    }
}

std::string UnitText(PaceUnit unit, bool celsius)
{
    switch (unit) {
    case PaceUnit::Percent: return "%";
    case PaceUnit::Seconds: return "s";
    default: return celsius ? "\u00B0C" : "\u00B0F";
    }
}

}  // namespace

CPacePage::CPacePage(const CAutoPacer& pacer, bool celsiusUnit, std::function<void()> changed)
    : pacer_(pacer), celsius_(celsiusUnit), changed_(std::move(changed))
{
    for (std::size_t i = 0; i < kPaceFields.size(); ++i) {
        shown_[i] = Shown(kPaceFields[i].unit, pacer.Settings().*kPaceFields[i].member, celsius_);
    }
}

void CPacePage::Fill(IPacePageView& view)
{
    view_ = &view;
    for (std::size_t i = 0; i < kPaceFields.size(); ++i) {
        const PaceField& field = kPaceFields[i];
        view.ShowField(static_cast<int>(i), field.label, UnitText(field.unit, celsius_),
                       Shown(field.unit, field.low, celsius_), Shown(field.unit, field.high, celsius_), shown_[i]);
    }
    Refresh();
}

void CPacePage::Refresh()
{
    if (view_ != nullptr) {
        view_->ShowStatus(PaceStatus(pacer_, celsius_));
    }
}

void CPacePage::SetValue(int index, int value)
{
    if (index < 0 || index >= static_cast<int>(kPaceFields.size()) || shown_[index] == value) {
        return;
    }
    shown_[index] = value;
    if (changed_) {
        changed_();
    }
}

PaceSettings CPacePage::Edited() const
{
    PaceSettings settings = pacer_.Settings();
    for (std::size_t i = 0; i < kPaceFields.size(); ++i) {
        settings.*kPaceFields[i].member = Stored(kPaceFields[i].unit, shown_[i], celsius_);
    }
    return Normalised(settings);
}

}  // namespace autopace
