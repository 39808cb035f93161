// Automatic mode selection at work: between "START_AUTOPACE" and
// "STOP_AUTOPACE" it reads the load and the temperature every period and
// chooses Quiet, Normal or Turbo by the rules (PaceRules.h). The first
// choice is made at the first reading; after that a mode is kept at least
// the dwell time, unless the temperature alone calls for Turbo.
#pragma once

#include <functional>
#include <string>

#include "autoplugin/PaceRules.h"
#include "autoplugin/PaceSettings.h"
#include "autoplugin/PaceSources.h"
#include "plugin_api/kit/Timer.h"

namespace autopace {

struct PacerPorts {
    ILoadSource& load;
    ITemperatureSource& temperature;
    pluginkit::ITimer& timer;
    const pluginkit::IClock& clock;
};

class CAutoPacer {
public:
    // choose sends "CHANGE_MODE_AUTOPACE" with the mode.
    CAutoPacer(const PacerPorts& ports, PaceSettings settings, std::function<void(int)> choose);
    ~CAutoPacer();
    CAutoPacer(const CAutoPacer&) = delete;
    CAutoPacer& operator=(const CAutoPacer&) = delete;

    // Starting while running changes nothing: the host sends
    // "START_AUTOPACE" again after every page command while the page says
    // automatic mode is on, and the dwell time must not start over.
    void Start();
    void Stop();
    // Applies from the next reading; a new period restarts the timer.
    void SetSettings(const PaceSettings& settings);

    bool Running() const { return running_; }
    const PaceSettings& Settings() const { return settings_; }
    // The mode last chosen since Start; -1 before the first choice.
    int Choice() const { return choice_; }
    const PaceReading& LastReading() const { return reading_; }
    // Readings taken since Start, and whether the load could be read at all.
    int Readings() const { return readings_; }
    bool LoadReadable() const { return loadReadable_; }

    // One period: read, decide, maybe choose.
    void Tick();
    // Called after every reading and every start or stop (the page follows).
    void SetObserver(std::function<void()> observer) { observer_ = std::move(observer); }

private:
    void StartTimer();
    void Choose(int mode);
    void Observe();

    PacerPorts ports_;
    PaceSettings settings_;
    std::function<void(int)> choose_;
    std::function<void()> observer_;
    bool running_ = false;
    std::optional<CpuTimes> lastTimes_;
    PaceReading reading_;
    int choice_ = -1;
    std::int64_t chosenAt_ = 0;
    int readings_ = 0;
    bool loadReadable_ = true;
};

}  // namespace autopace
