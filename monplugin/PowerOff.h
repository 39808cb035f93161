// Ports of the power-off on an item that stays too hot: the system's
// orderly power-off (logind, qt/QtPowerOff.h) and the notice that tells the
// user it is coming (qt/QtShutdownNotice.h). Neither ever waits: the
// request's refusal arrives later through the listener.
#pragma once

#include <string>

namespace monitor {

class IPowerOffListener {
public:
    virtual ~IPowerOffListener() = default;
    // The system would not power off (reason: its or the bus's words).
    virtual void OnPowerOffRefused(const std::string& reason) = 0;
};

class IPowerOff {
public:
    virtual ~IPowerOff() = default;
    virtual void SetListener(IPowerOffListener* listener) = 0;
    // Asks for the power-off and returns at once.
    virtual void Request() = 0;
};

class IShutdownNotice {
public:
    virtual ~IShutdownNotice() = default;
    // Shows the notice with text, or updates the one shown.
    virtual void Show(const std::string& text) = 0;
    // Closes it; nothing when none is shown.
    virtual void Close() = 0;
};

}  // namespace monitor
