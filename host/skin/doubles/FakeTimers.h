#pragma once

#include <map>

#include "Timers.h"

// Timers that tick only when the test says so.
class CFakeTimers : public ITimers {
public:
    void Start(int id, int periodMs, std::function<void()> onTick) override {
        running[id] = {periodMs, std::move(onTick)};
    }
    void Stop(int id) override { running.erase(id); }
    bool IsRunning(int id) const override { return running.count(id) > 0; }
    // false when the timer is not running.
    bool Tick(int id) {
        const auto it = running.find(id);
        if (it == running.end()) return false;
        auto onTick = it->second.onTick;  // the tick may stop or restart it
        if (onTick) onTick();
        return true;
    }
    int Period(int id) const {
        const auto it = running.find(id);
        return it == running.end() ? 0 : it->second.periodMs;
    }

    struct Running {
        int periodMs = 0;
        std::function<void()> onTick;
    };
    std::map<int, Running> running;
};
