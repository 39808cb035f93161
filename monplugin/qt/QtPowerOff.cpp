#include "monplugin/qt/QtPowerOff.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace monitor {

CQtPowerOff::CQtPowerOff(BusFactory bus, QObject* parent) : QObject(parent), bus_(std::move(bus)) {}

void CQtPowerOff::Request()
{
    QDBusConnection bus = bus_();
    if (!bus.isConnected()) {
        Refused(QStringLiteral("the system bus cannot be reached"));
        return;
    }
    QDBusMessage message =
        QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
                                       QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PowerOff"));
    message << false;
    auto* call = new QDBusPendingCallWatcher(bus.asyncCall(message, kCallTimeoutMs), this);
    connect(call, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* done) {
        done->deleteLater();
        const QDBusPendingReply<> reply = *done;
        if (reply.isError()) {
            Refused(reply.error().message().isEmpty() ? reply.error().name() : reply.error().message());
        }
    });
}

void CQtPowerOff::Refused(const QString& reason)
{
    if (listener_ != nullptr) {
        listener_->OnPowerOffRefused(reason.toStdString());
    }
}

}  // namespace monitor
