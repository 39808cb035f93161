// Suspend and resume from logind on the system bus. PrepareForSleep(true)
// is suspend (event 4, data 1), PrepareForSleep(false) resume (event 7,
// data 2). logind suspends at once after announcing it unless a program
// holds a "delay" inhibitor lock, so one is held while the machine is awake
// and given back once the plug-ins have been told (CSuspendNotifier).
#pragma once

#include <QDBusUnixFileDescriptor>
#include <QObject>
#include <functional>

#include "SuspendNotifier.h"

class CQtPowerEvents : public QObject, private ISleepDelayLock {
    Q_OBJECT
public:
    explicit CQtPowerEvents(std::function<void(int event, int data)> onPower);
    // False when there is no system bus (nothing arrives then).
    bool Connected() const { return connected_; }
    // logind granted the delay lock and it is held now.
    bool SleepLockHeld() const { return lock_.isValid(); }

private slots:
    void OnPrepareForSleep(bool sleeping);

private:
    void Take() override;
    void Release() override;

    CSuspendNotifier notifier_;
    bool connected_ = false;
    QDBusUnixFileDescriptor lock_;
    // Counts requests, so the answer to one given up meanwhile is dropped.
    int request_ = 0;
};
