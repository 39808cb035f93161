// The system's orderly power-off through logind over QtDBus:
// org.freedesktop.login1.Manager.PowerOff(false), asynchronously (non-
// interactive: nobody may be there to answer a password prompt). The bus is
// reached only when a power-off is asked for, so a monitor that never needs
// one never talks to the system bus; by default it is the one
// DBUS_SYSTEM_BUS_ADDRESS names, when set.
#pragma once

#include <QDBusConnection>
#include <QObject>

#include <functional>

#include "monplugin/PowerOff.h"

namespace monitor {

class CQtPowerOff : public QObject, public IPowerOff {
    Q_OBJECT
public:
    using BusFactory = std::function<QDBusConnection()>;
    explicit CQtPowerOff(BusFactory bus = [] { return QDBusConnection::systemBus(); }, QObject* parent = nullptr);

    void SetListener(IPowerOffListener* listener) override { listener_ = listener; }
    void Request() override;

    // logind answers at once; a polkit prompt it cannot show is a refusal.
    static constexpr int kCallTimeoutMs = 25000;

private:
    void Refused(const QString& reason);

    BusFactory bus_;
    IPowerOffListener* listener_ = nullptr;
};

}  // namespace monitor
