#include "QtPowerEvents.h"

#include <QDBusConnection>

CQtPowerEvents::CQtPowerEvents(std::function<void(int, int)> onPower) : onPower_(std::move(onPower)) {
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) return;
    connected_ = bus.connect("org.freedesktop.login1", "/org/freedesktop/login1", "org.freedesktop.login1.Manager",
                             "PrepareForSleep", this, SLOT(OnPrepareForSleep(bool)));
}

void CQtPowerEvents::OnPrepareForSleep(bool sleeping) {
    if (onPower_) onPower_(sleeping ? 4 : 7, sleeping ? 1 : 2);
}
