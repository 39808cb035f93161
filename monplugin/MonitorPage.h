// The monitor's settings page: per item whether it is watched, its high and
// low limit (temperatures in the host's unit, stored in Celsius), its beep
// on the chip where the input has one, and the power-off. Edits stay on the
// page until the host's OK or Apply; a low limit edited above its high limit
// is refused on the page at once and keeps the commit from storing anything.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "monplugin/MonitorItem.h"
#include "monplugin/MonitorPageView.h"

namespace monitor {

// What the page changes of an item; limits in volts, degrees Celsius, rpm.
struct ItemSettings {
    bool enable = true;
    bool beepEnable = false;
    bool shutDownEnable = false;
    double hiLimit = 0.0;
    double loLimit = 0.0;
};

ItemSettings SettingsOf(const MonitorItem& item);

class CMonitorPage {
public:
    // changed runs on every edit ("DLG_CHANGED" to the host).
    CMonitorPage(const std::vector<MonitorItem>& items, bool celsiusUnit, std::function<void()> changed);

    void Fill(IMonitorPageView& view);

    // From the view, by row (the item's index); values in the shown unit.
    void SetEnabled(int row, bool on);
    void SetHigh(int row, double shown);
    void SetLow(int row, double shown);
    void SetBeep(int row, bool on);
    void SetPowerOff(int row, bool on);

    // Why the edits cannot be stored; "" when they can.
    std::string Refusal() const;
    const std::vector<ItemSettings>& Edited() const { return edited_; }
    // How the commit went, below the rows.
    void ShowMessage(const std::string& text, bool problem);

private:
    bool Valid(int row) const;
    void AfterEdit();
    double Shown(int row, double limit) const;
    double Stored(int row, double shown) const;

    std::vector<MonitorItem> items_;
    bool celsius_;
    std::function<void()> changed_;
    std::vector<ItemSettings> edited_;
    IMonitorPageView* view_ = nullptr;
};

}  // namespace monitor
