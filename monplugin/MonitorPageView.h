// What the monitor's settings page shows; the Qt page implements it, tests
// record it. Values are in the shown unit (temperatures in the host's).
#pragma once

#include <string>

namespace monitor {

struct PageRow {
    std::string caption;
    std::string unit;  // "V", "rpm", "°C" or "°F"
    int decimals = 0;  // 3 for volts
    double minimum = 0.0;  // what a limit can be set to
    double maximum = 0.0;
    bool enabled = true;
    double high = 0.0;
    double low = 0.0;
    bool lowClears = false;  // a temperature: its low limit is where the warning clears
    bool beepAvailable = false;
    bool beep = false;
    bool powerOff = false;
    std::string problem;  // why the item cannot be watched as it is, or ""
};

class IMonitorPageView {
public:
    virtual ~IMonitorPageView() = default;
    // How the limits are used, above the rows.
    virtual void ShowExplanation(const std::string& text) = 0;
    virtual void ShowRow(int index, const PageRow& row) = 0;
    // Below the rows: why the edits cannot be stored (problem), or how the
    // last commit went; "" clears it.
    virtual void ShowMessage(const std::string& text, bool problem) = 0;

    // For a page whose window is gone.
    class Ignoring;
};

class IMonitorPageView::Ignoring : public IMonitorPageView {
public:
    void ShowExplanation(const std::string&) override {}
    void ShowRow(int, const PageRow&) override {}
    void ShowMessage(const std::string&, bool) override {}
};

}  // namespace monitor
