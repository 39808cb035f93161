// Timers of the settings logic (tray animation, tray re-add), each a QTimer
// keyed by its id. Named apart from the skin engine's timer adapter so one
// program can link both.
#pragma once

#include "TimerPort.h"

#include <QObject>
#include <QTimer>

#include <map>
#include <memory>

class CQtSettingsTimers : public QObject, public ITimerPort {
    Q_OBJECT
public:
    explicit CQtSettingsTimers(QObject* parent = nullptr) : QObject(parent) {}

    bool Start(int timerId, int periodMs, ITimerSink& sink) override {
        if (periodMs <= 0) return false;
        auto& timer = timers_[timerId];
        if (!timer) timer = std::make_unique<QTimer>();
        timer->disconnect();
        ITimerSink* target = &sink;
        connect(timer.get(), &QTimer::timeout, this, [target, timerId] { target->OnTimer(timerId); });
        timer->start(periodMs);
        return true;
    }
    void Stop(int timerId) override {
        const auto it = timers_.find(timerId);
        if (it != timers_.end()) it->second->stop();
    }

private:
    std::map<int, std::unique_ptr<QTimer>> timers_;
};
