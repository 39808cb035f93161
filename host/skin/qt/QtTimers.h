// Window timers on QTimer, one per id.
#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <map>

#include "Timers.h"

class CQtTimers : public ITimers {
public:
    explicit CQtTimers(QObject* owner) : owner_(owner) {}
    ~CQtTimers() override;
    void Start(int id, int periodMs, std::function<void()> onTick) override;
    void Stop(int id) override;
    bool IsRunning(int id) const override;

private:
    QObject* owner_;
    std::map<int, QPointer<QTimer>> timers_;
};
