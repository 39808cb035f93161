#include "modeplugin/qt/QtPowerProfiles.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>

namespace modes {

namespace {

struct DaemonName {
    const char* service;
    const char* path;
    const char* interface;
};

constexpr std::array<DaemonName, 2> kNames = {{
    {"org.freedesktop.UPower.PowerProfiles", "/org/freedesktop/UPower/PowerProfiles",
     "org.freedesktop.UPower.PowerProfiles"},
    {"net.hadess.PowerProfiles", "/net/hadess/PowerProfiles", "net.hadess.PowerProfiles"},
}};

constexpr const char* kPropertiesInterface = "org.freedesktop.DBus.Properties";

// "Profiles" is an array of dictionaries, each naming its profile.
std::vector<std::string> ProfileNames(const QVariant& value)
{
    std::vector<std::string> names;
    if (!value.canConvert<QDBusArgument>()) {
        return names;
    }
    const QDBusArgument argument = value.value<QDBusArgument>();
    if (argument.currentType() != QDBusArgument::ArrayType) {
        return names;
    }
    argument.beginArray();
    while (!argument.atEnd()) {
        QVariantMap entry;
        argument >> entry;
        const QString name = entry.value("Profile").toString();
        if (!name.isEmpty()) {
            names.push_back(name.toStdString());
        }
    }
    argument.endArray();
    return names;
}

}  // namespace

CQtPowerProfiles::CQtPowerProfiles(QDBusConnection bus, QObject* parent)
    : QObject(parent), bus_(std::move(bus)), watcher_(new QDBusServiceWatcher(this))
{
    watcher_->setConnection(bus_);
    watcher_->setWatchMode(QDBusServiceWatcher::WatchForOwnerChange);
    for (const DaemonName& name : kNames) {
        watcher_->addWatchedService(name.service);
        // Only signals from the name's current owner arrive here.
        bus_.connect(name.service, name.path, kPropertiesInterface, "PropertiesChanged", this,
                     SLOT(OnPropertiesChanged(QString, QVariantMap, QStringList)));
    }
    connect(watcher_, &QDBusServiceWatcher::serviceOwnerChanged, this, &CQtPowerProfiles::OnOwnerChanged);
    for (int index = 0; index < static_cast<int>(kNames.size()); ++index) {
        Probe(index);
    }
}

CQtPowerProfiles::~CQtPowerProfiles()
{
    for (const DaemonName& name : kNames) {
        bus_.disconnect(name.service, name.path, kPropertiesInterface, "PropertiesChanged", this,
                        SLOT(OnPropertiesChanged(QString, QVariantMap, QStringList)));
    }
}

int CQtPowerProfiles::IndexOf(const QString& service) const
{
    for (int index = 0; index < static_cast<int>(kNames.size()); ++index) {
        if (service == QLatin1String(kNames[index].service)) {
            return index;
        }
    }
    return -1;
}

void CQtPowerProfiles::Probe(int index)
{
    if (!bus_.isConnected()) {
        return;
    }
    const DaemonName& name = kNames[index];
    QDBusMessage message = QDBusMessage::createMethodCall(name.service, name.path, kPropertiesInterface, "GetAll");
    message << QString::fromLatin1(name.interface);
    const unsigned probe = candidates_[index].probe = ++probes_;
    auto* call = new QDBusPendingCallWatcher(bus_.asyncCall(message, kCallTimeoutMs), this);
    connect(call, &QDBusPendingCallWatcher::finished, this,
            [this, index, probe](QDBusPendingCallWatcher* done) { OnProbeAnswered(index, probe, done); });
}

void CQtPowerProfiles::OnProbeAnswered(int index, unsigned probe, QDBusPendingCallWatcher* call)
{
    call->deleteLater();
    Candidate& candidate = candidates_[index];
    if (probe != candidate.probe) {
        return;  // the name changed hands since; a newer probe counts
    }
    const QDBusPendingReply<QVariantMap> reply = *call;
    candidate.present = !reply.isError();
    candidate.properties = reply.isError() ? QVariantMap() : reply.value();
    Publish();
}

void CQtPowerProfiles::OnOwnerChanged(const QString& service, const QString&, const QString& newOwner)
{
    const int index = IndexOf(service);
    if (index < 0) {
        return;
    }
    Candidate& candidate = candidates_[index];
    candidate.present = false;
    candidate.properties.clear();
    ++candidate.probe;  // an answer still on its way is from the old owner
    if (!newOwner.isEmpty()) {
        Probe(index);
    }
    Publish();
}

void CQtPowerProfiles::OnPropertiesChanged(const QString& interface, const QVariantMap& changed,
                                           const QStringList& invalidated)
{
    // The signal does not say which name it came through; its interface
    // does.
    for (int index = 0; index < static_cast<int>(kNames.size()); ++index) {
        Candidate& candidate = candidates_[index];
        if (interface != QLatin1String(kNames[index].interface) || !candidate.present) {
            continue;
        }
        for (auto it = changed.begin(); it != changed.end(); ++it) {
            candidate.properties.insert(it.key(), it.value());
        }
        for (const QString& name : invalidated) {
            candidate.properties.remove(name);
        }
        // An invalidated property has to be read again.
        if (!invalidated.isEmpty()) {
            Probe(index);
        }
    }
    Publish();
}

void CQtPowerProfiles::Publish()
{
    ProfilesSnapshot next;
    for (int index = 0; index < static_cast<int>(kNames.size()); ++index) {
        const Candidate& candidate = candidates_[index];
        if (!candidate.present) {
            continue;
        }
        next.connected = true;
        next.service = kNames[index].service;
        next.active = candidate.properties.value("ActiveProfile").toString().toStdString();
        next.offered = ProfileNames(candidate.properties.value("Profiles"));
        next.degraded = candidate.properties.value("PerformanceDegraded").toString().toStdString();
        break;
    }
    if (next == snapshot_) {
        return;
    }
    snapshot_ = std::move(next);
    if (listener_ != nullptr) {
        listener_->OnProfilesChanged();
    }
}

void CQtPowerProfiles::RequestProfile(const std::string& profile)
{
    const int index = IndexOf(QString::fromStdString(snapshot_.service));
    if (!snapshot_.connected || index < 0) {
        if (listener_ != nullptr) {
            listener_->OnProfileRequestFailed(profile, "no power profiles daemon");
        }
        return;
    }
    const DaemonName& name = kNames[index];
    QDBusMessage message = QDBusMessage::createMethodCall(name.service, name.path, kPropertiesInterface, "Set");
    message << QString::fromLatin1(name.interface) << QStringLiteral("ActiveProfile")
            << QVariant::fromValue(QDBusVariant(QString::fromStdString(profile)));
    auto* call = new QDBusPendingCallWatcher(bus_.asyncCall(message, kCallTimeoutMs), this);
    connect(call, &QDBusPendingCallWatcher::finished, this, [this, profile](QDBusPendingCallWatcher* done) {
        done->deleteLater();
        const QDBusPendingReply<> reply = *done;
        if (reply.isError() && listener_ != nullptr) {
            listener_->OnProfileRequestFailed(profile, reply.error().message().toStdString());
        }
    });
}

}  // namespace modes
