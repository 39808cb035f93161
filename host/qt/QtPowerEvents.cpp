#include "QtPowerEvents.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {
const char* const kLogin = "org.freedesktop.login1";
const char* const kLoginPath = "/org/freedesktop/login1";
const char* const kLoginManager = "org.freedesktop.login1.Manager";
}  // namespace

CQtPowerEvents::CQtPowerEvents(std::function<void(int, int)> onPower) : notifier_(*this, std::move(onPower)) {
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) return;
    connected_ = bus.connect(kLogin, kLoginPath, kLoginManager, "PrepareForSleep", this, SLOT(OnPrepareForSleep(bool)));
    if (connected_) notifier_.Start();
}

void CQtPowerEvents::OnPrepareForSleep(bool sleeping) { notifier_.OnPrepareForSleep(sleeping); }

void CQtPowerEvents::Take() {
    if (lock_.isValid()) return;
    QDBusMessage call = QDBusMessage::createMethodCall(kLogin, kLoginPath, kLoginManager, "Inhibit");
    call << QString("sleep") << QString("Velmar") << QString("Plug-ins store their state before the machine sleeps")
         << QString("delay");
    // Asked without waiting: a slow or missing logind must not hold up the
    // window.
    const int request = ++request_;
    auto* watcher = new QDBusPendingCallWatcher(QDBusConnection::systemBus().asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, request](QDBusPendingCallWatcher* done) {
        const QDBusPendingReply<QDBusUnixFileDescriptor> reply = *done;
        done->deleteLater();
        if (request == request_ && !reply.isError()) lock_ = reply.value();
    });
}

void CQtPowerEvents::Release() {
    ++request_;
    // The last copy of the descriptor closes it, which ends the lock.
    lock_ = QDBusUnixFileDescriptor();
}
