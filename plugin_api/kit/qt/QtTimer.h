// ITimer on a QTimer: it fires from the event loop of the thread that made
// it, the host's user-interface thread.
#pragma once

#include <QTimer>

#include "plugin_api/kit/Timer.h"

namespace pluginkit {

class CQtTimer : public ITimer {
public:
    CQtTimer();
    void Start(int intervalMs, bool repeat, std::function<void()> fire) override;
    void Stop() override;
    bool Active() const override;

private:
    QTimer timer_;
    std::function<void()> fire_;
};

}  // namespace pluginkit
