#include "QtTimerPort.h"

CQtTimerPort::~CQtTimerPort() {
    for (auto& [id, timer] : timers_) delete timer.data();
}

bool CQtTimerPort::Start(int timerId, int periodMs, ITimerSink& sink) {
    Stop(timerId);
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timerId, &sink] { sink.OnTimer(timerId); });
    timer->start(periodMs);
    timers_[timerId] = timer;
    return true;
}

void CQtTimerPort::Stop(int timerId) {
    const auto found = timers_.find(timerId);
    if (found == timers_.end()) return;
    if (found->second) found->second->deleteLater();
    if (found->second) found->second->stop();
    timers_.erase(found);
}
