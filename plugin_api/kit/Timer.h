// Time as plug-ins see it: a timer that calls back on the host's thread, and
// a monotonic clock. The Qt adapter is qt/QtTimer.h; tests drive
// doubles/ManualTime.h, so rules about time run without waiting.
#pragma once

#include <cstdint>
#include <functional>

namespace pluginkit {

class ITimer {
public:
    virtual ~ITimer() = default;
    // Replaces any earlier start. fire runs on the host's thread, from its
    // event loop, every intervalMs (repeat) or once.
    virtual void Start(int intervalMs, bool repeat, std::function<void()> fire) = 0;
    virtual void Stop() = 0;
    virtual bool Active() const = 0;
};

class IClock {
public:
    virtual ~IClock() = default;
    // Milliseconds from an arbitrary start; never goes back.
    virtual std::int64_t NowMs() const = 0;
};

// The process's steady clock.
class CSteadyClock : public IClock {
public:
    std::int64_t NowMs() const override;
};

}  // namespace pluginkit
