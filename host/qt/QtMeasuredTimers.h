// Window timers that also time each tick's work (from the timer firing to
// the end of its handler, whose page calls wait for the page's answers), for
// the figures the test-only dump reports, and keep each timer's period. Adds nothing to what a tick does.
#pragma once

#include <chrono>
#include <map>

#include "QtTimers.h"

class CQtMeasuredTimers : public ITimers {
public:
    explicit CQtMeasuredTimers(QObject* owner) : inner_(owner) {}

    void Start(int id, int periodMs, std::function<void()> onTick) override {
        periodMs_[id] = periodMs;
        ++starts_[id];
        inner_.Start(id, periodMs, [this, id, onTick = std::move(onTick)] {
            const auto begin = std::chrono::steady_clock::now();
            if (onTick) onTick();
            lastTickMs_[id] = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count();
        });
    }
    void Stop(int id) override { inner_.Stop(id); }
    bool IsRunning(int id) const override { return inner_.IsRunning(id); }

    // Milliseconds of the last completed tick of id; -1 before the first.
    double LastTickMs(int id) const {
        const auto found = lastTickMs_.find(id);
        return found == lastTickMs_.end() ? -1 : found->second;
    }

    // The period id was last started with and how often it was started: a
    // restart with a new interval shows in both.
    int PeriodMs(int id) const {
        const auto found = periodMs_.find(id);
        return found == periodMs_.end() ? 0 : found->second;
    }
    int Starts(int id) const {
        const auto found = starts_.find(id);
        return found == starts_.end() ? 0 : found->second;
    }

private:
    CQtTimers inner_;
    std::map<int, double> lastTickMs_;
    std::map<int, int> periodMs_;
    std::map<int, int> starts_;
};
