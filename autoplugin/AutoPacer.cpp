#include "autoplugin/AutoPacer.h"

namespace autopace {

CAutoPacer::CAutoPacer(const PacerPorts& ports, PaceSettings settings, std::function<void(int)> choose)
    : ports_(ports), settings_(Normalised(std::move(settings))), choose_(std::move(choose))
{
    ports_.load.SetPath(settings_.loadSource);
}

CAutoPacer::~CAutoPacer()
{
    ports_.timer.Stop();
}

void CAutoPacer::Start()
{
    if (running_) {
        return;
    }
    running_ = true;
    choice_ = -1;
    readings_ = 0;
    reading_ = {};
    // Load is a difference of two readings: the first one is taken now.
    lastTimes_ = ports_.load.Read();
    loadReadable_ = lastTimes_.has_value();
    StartTimer();
    Observe();
}

void CAutoPacer::Stop()
{
    if (!running_) {
        return;
    }
    running_ = false;
    ports_.timer.Stop();
    Observe();
}

void CAutoPacer::SetSettings(const PaceSettings& settings)
{
    const PaceSettings normal = Normalised(settings);
    const bool newPeriod = normal.periodSeconds != settings_.periodSeconds;
    if (normal.loadSource != settings_.loadSource) {
        ports_.load.SetPath(normal.loadSource);
        lastTimes_.reset();
    }
    settings_ = normal;
    if (running_ && newPeriod) {
        StartTimer();
    }
    Observe();
}

void CAutoPacer::StartTimer()
{
    ports_.timer.Start(settings_.periodSeconds * 1000, true, [this] { Tick(); });
}

void CAutoPacer::Tick()
{
    if (!running_) {
        return;
    }
    const std::optional<CpuTimes> times = ports_.load.Read();
    reading_.load = times && lastTimes_ ? LoadPercent(*lastTimes_, *times) : std::nullopt;
    loadReadable_ = times.has_value();
    lastTimes_ = times;
    reading_.temperature = ports_.temperature.Hottest();
    ++readings_;

    const int target = PaceTarget(choice_ < 0 ? kNormal : choice_, reading_, settings_);
    if (choice_ < 0) {
        Choose(target);
    } else if (target != choice_) {
        const bool dwelt = ports_.clock.NowMs() - chosenAt_ >= settings_.dwellSeconds * 1000LL;
        if (dwelt || (target == kTurbo && TooHot(reading_, settings_))) {
            Choose(target);
        }
    }
    Observe();
}

void CAutoPacer::Choose(int mode)
{
    choice_ = mode;
    chosenAt_ = ports_.clock.NowMs();
    if (choose_) {
        choose_(mode);
    }
}

void CAutoPacer::Observe()
{
    if (observer_) {
        observer_();
    }
}

}  // namespace autopace
