#include "QtTimers.h"

CQtTimers::~CQtTimers() {
    for (auto& [id, timer] : timers_) delete timer.data();
}

void CQtTimers::Start(int id, int periodMs, std::function<void()> onTick) {
    Stop(id);
    auto* timer = new QTimer(owner_);
    QObject::connect(timer, &QTimer::timeout, timer, [onTick = std::move(onTick)] {
        if (onTick) onTick();
    });
    timer->start(periodMs);
    timers_[id] = timer;
}

void CQtTimers::Stop(int id) {
    const auto it = timers_.find(id);
    if (it == timers_.end()) return;
    // A tick may stop its own timer: let the current signal finish first.
    if (it->second) {
        it->second->stop();
        it->second->deleteLater();
    }
    timers_.erase(it);
}

bool CQtTimers::IsRunning(int id) const { return timers_.count(id) > 0; }
