// Suspend and resume reach the plug-ins while the machine is still awake.
// The session's power manager announces a sleep and then goes to sleep at
// once unless someone holds a delay lock; the host holds one whenever it is
// not sleeping, gives it back once the plug-ins have had "suspend", and
// takes it again on resume for the next sleep.
#pragma once

#include <functional>

// Port: the power manager's delay lock.
class ISleepDelayLock {
public:
    virtual ~ISleepDelayLock() = default;
    // Asks for the lock; it may be granted later. Asking while holding it
    // keeps the one held.
    virtual void Take() = 0;
    // Gives it back, or drops a request still waiting for its answer.
    virtual void Release() = 0;
};

class CSuspendNotifier {
public:
    static constexpr int kSuspend = 4;
    static constexpr int kResume = 7;

    // deliver(event, data): the power notification of the main window
    // (suspend 4 with data 1, resume 7 with data 2).
    CSuspendNotifier(ISleepDelayLock& lock, std::function<void(int event, int data)> deliver)
        : lock_(lock), deliver_(std::move(deliver)) {}

    void Start() { lock_.Take(); }
    // The announcement: true before sleeping, false after waking.
    void OnPrepareForSleep(bool sleeping);

private:
    ISleepDelayLock& lock_;
    std::function<void(int, int)> deliver_;
};
