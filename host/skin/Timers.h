// Port: periodic window timers keyed by the owner's timer ids (1, 2, ...).
// Starting a running id restarts it with the new period.
#pragma once

#include <functional>

class ITimers {
public:
    virtual ~ITimers() = default;
    virtual void Start(int id, int periodMs, std::function<void()> onTick) = 0;
    virtual void Stop(int id) = 0;
    virtual bool IsRunning(int id) const = 0;
};
