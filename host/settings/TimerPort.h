// Timers and the clock behind animations, so tests can step them.
#pragma once

class ITimerSink {
public:
    virtual ~ITimerSink() = default;
    virtual void OnTimer(int timerId) = 0;
};

class ITimerPort {
public:
    virtual ~ITimerPort() = default;
    // Starts (or restarts) a periodic timer that calls sink.OnTimer(timerId).
    virtual bool Start(int timerId, int periodMs, ITimerSink& sink) = 0;
    virtual void Stop(int timerId) = 0;
};

class IClock {
public:
    virtual ~IClock() = default;
    virtual double NowSeconds() = 0;  // monotonic
};

#include <chrono>

// The process's monotonic clock.
class CSteadyClock : public IClock {
public:
    double NowSeconds() override {
        return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
    }
};
