#include "plugin_api/kit/qt/QtTimer.h"

namespace pluginkit {

CQtTimer::CQtTimer()
{
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        // A copy: fire may start the timer again with another function.
        const std::function<void()> fire = fire_;
        if (fire) {
            fire();
        }
    });
}

void CQtTimer::Start(int intervalMs, bool repeat, std::function<void()> fire)
{
    fire_ = std::move(fire);
    timer_.setSingleShot(!repeat);
    timer_.start(intervalMs);
}

void CQtTimer::Stop()
{
    timer_.stop();
}

bool CQtTimer::Active() const
{
    return timer_.isActive();
}

}  // namespace pluginkit
