// The automatic mode's page: its thresholds, hysteresis and timing in the
// host's unit, and whether it is on and what it reads. Edits stay on the
// page until the host's OK or Apply commits them.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "autoplugin/PaceSettings.h"

namespace autopace {

class CAutoPacer;

class IPacePageView {
public:
    virtual ~IPacePageView() = default;
    virtual void ShowStatus(const std::string& text) = 0;
    // Field index of kPaceFields: its label, unit, range and value as shown.
    virtual void ShowField(int index, const std::string& label, const std::string& unit, int low, int high,
                           int value) = 0;

    // For a page whose window is gone.
    class Ignoring;
};

class IPacePageView::Ignoring : public IPacePageView {
public:
    void ShowStatus(const std::string&) override {}
    void ShowField(int, const std::string&, const std::string&, int, int, int) override {}
};

class CPacePage {
public:
    // changed runs on every edit ("DLG_CHANGED" to the host).
    CPacePage(const CAutoPacer& pacer, bool celsiusUnit, std::function<void()> changed);

    void Fill(IPacePageView& view);
    // The pacer read or started or stopped while the page is open.
    void Refresh();
    // From the view: field index now shows value (in the shown unit).
    void SetValue(int index, int value);
    // The edited settings in degrees Celsius, normalised.
    PaceSettings Edited() const;

private:
    const CAutoPacer& pacer_;
    bool celsius_;
    std::function<void()> changed_;
    std::array<int, kPaceFields.size()> shown_{};
    IPacePageView* view_ = nullptr;
};

}  // namespace autopace
