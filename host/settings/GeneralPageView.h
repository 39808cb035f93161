// The general settings page's controls as its logic sees them.
#pragma once

class IGeneralPageView {
public:
    virtual ~IGeneralPageView() = default;
    // The interval up-down: range, position, and its buddy's text follow it.
    virtual void SetIntervalRange(int lowest, int highest) = 0;
    virtual void SetIntervalPosition(int seconds) = 0;
    virtual int IntervalPosition() = 0;
    virtual void ShowIntervalControls(bool show) = 0;
    virtual void SetFahrenheit(bool fahrenheit) = 0;  // checks one of the two radio buttons
    virtual void SetAutoStartChecked(bool checked) = 0;
    virtual void SetMinimizeChecked(bool checked) = 0;
    virtual void SetChangeAtStartChecked(bool checked) = 0;
};

// The settings dialog as seen from its general page.
class IGeneralPageParent {
public:
    virtual ~IGeneralPageParent() = default;
    virtual void EnableApply(bool enable) = 0;
    // The unit the dialog sends to plug-ins: 0 Celsius, 1 Fahrenheit.
    virtual int& TemperatureUnit() = 0;
};
