// A clock that moves only when told, and timers that fire when that clock
// passes their time: rules about time are tested without waiting.
#pragma once

#include <functional>
#include <vector>

#include "plugin_api/kit/Timer.h"

namespace pluginkit {

class CManualTimer;

class CManualClock : public IClock {
public:
    std::int64_t NowMs() const override { return now_; }
    // Moves time on by ms, firing due timers in order of their due time.
    void Advance(std::int64_t ms);

    void Attach(CManualTimer* timer) { timers_.push_back(timer); }
    void Detach(CManualTimer* timer) { std::erase(timers_, timer); }

private:
    std::int64_t now_ = 1000000;
    std::vector<CManualTimer*> timers_;
};

class CManualTimer : public ITimer {
public:
    explicit CManualTimer(CManualClock& clock) : clock_(clock) { clock_.Attach(this); }
    ~CManualTimer() override { clock_.Detach(this); }

    void Start(int intervalMs, bool repeat, std::function<void()> fire) override
    {
        interval_ = intervalMs;
        repeat_ = repeat;
        fire_ = std::move(fire);
        due_ = clock_.NowMs() + intervalMs;
        ++starts;
    }
    void Stop() override { due_ = -1; }
    bool Active() const override { return due_ >= 0; }

    std::int64_t DueAt() const { return due_; }
    int Interval() const { return interval_; }
    void Fire()
    {
        due_ = repeat_ ? due_ + interval_ : -1;
        const std::function<void()> fire = fire_;
        if (fire) {
            fire();
        }
    }

    int starts = 0;

private:
    CManualClock& clock_;
    std::function<void()> fire_;
    std::int64_t due_ = -1;
    int interval_ = 0;
    bool repeat_ = false;
};

inline void CManualClock::Advance(std::int64_t ms)
{
    const std::int64_t end = now_ + ms;
    for (;;) {
        CManualTimer* next = nullptr;
        for (CManualTimer* timer : timers_) {
            if (timer->DueAt() >= 0 && timer->DueAt() <= end && (next == nullptr || timer->DueAt() < next->DueAt())) {
                next = timer;
            }
        }
        if (next == nullptr) {
            break;
        }
        now_ = next->DueAt();
        next->Fire();
    }
    now_ = end;
}

}  // namespace pluginkit
