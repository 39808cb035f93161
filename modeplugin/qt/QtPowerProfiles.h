// The power profiles daemon over QtDBus on the system bus (the bus that
// DBUS_SYSTEM_BUS_ADDRESS names, when set). Newer systems name it
// org.freedesktop.UPower.PowerProfiles, Debian 12 net.hadess.PowerProfiles;
// both carry the same properties, and the newer name wins where a daemon
// offers both. Nothing here blocks: the properties are read with one
// asynchronous GetAll when a name gains an owner, kept up to date from
// PropertiesChanged, and a profile is set with an asynchronous Set.
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

#include <array>

#include "modeplugin/PowerProfiles.h"

class QDBusPendingCallWatcher;
class QDBusServiceWatcher;

namespace modes {

class CQtPowerProfiles : public QObject, public IPowerProfiles {
    Q_OBJECT
public:
    explicit CQtPowerProfiles(QDBusConnection bus = QDBusConnection::systemBus(), QObject* parent = nullptr);
    ~CQtPowerProfiles() override;

    void SetListener(IPowerProfilesListener* listener) override { listener_ = listener; }
    const ProfilesSnapshot& Snapshot() const override { return snapshot_; }
    void RequestProfile(const std::string& profile) override;

    // How long an asynchronous call may take before it counts as failed.
    static constexpr int kCallTimeoutMs = 5000;

private slots:
    void OnOwnerChanged(const QString& service, const QString& oldOwner, const QString& newOwner);
    void OnPropertiesChanged(const QString& interface, const QVariantMap& changed, const QStringList& invalidated);

private:
    // One name a daemon may hold; index 0 is preferred.
    struct Candidate {
        bool present = false;  // answered GetAll and still owns its name
        QVariantMap properties;
        unsigned probe = 0;    // the GetAll whose answer counts
    };

    void Probe(int index);
    void OnProbeAnswered(int index, unsigned probe, QDBusPendingCallWatcher* call);
    int IndexOf(const QString& service) const;
    void Publish();

    QDBusConnection bus_;
    QDBusServiceWatcher* watcher_;
    std::array<Candidate, 2> candidates_;
    unsigned probes_ = 0;
    ProfilesSnapshot snapshot_;
    IPowerProfilesListener* listener_ = nullptr;
};

}  // namespace modes
