// The host's warning indication follows the monitor as a whole: on when any
// watched item enters warning, off when none is left, told only when that
// changes (each "on" restarts the host's tray timer). A notice that found no
// host callback registered yet is tried again at the next Update.
#pragma once

#include <functional>

namespace monitor {

class CWarningSignal {
public:
    // notify(1 or 0) tells the host; false when nobody heard it.
    explicit CWarningSignal(std::function<bool(int)> notify) : notify_(std::move(notify)) {}

    void Update(bool anyWarning)
    {
        if (anyWarning != told_ && notify_ && notify_(anyWarning ? 1 : 0)) {
            told_ = anyWarning;
        }
    }
    // What the host was last told.
    bool Active() const { return told_; }

private:
    std::function<bool(int)> notify_;
    bool told_ = false;
};

}  // namespace monitor
