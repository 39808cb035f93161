// The tray's timer port on QTimer.
#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <map>

#include "TimerPort.h"

class CQtTimerPort : public ITimerPort {
public:
    ~CQtTimerPort() override;
    bool Start(int timerId, int periodMs, ITimerSink& sink) override;
    void Stop(int timerId) override;

private:
    std::map<int, QPointer<QTimer>> timers_;
};
