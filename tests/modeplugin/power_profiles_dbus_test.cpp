// The QtDBus adapter against python3-dbusmock's power-profiles daemon on a
// private system bus: it finds whichever name is there (the newer one when
// both are), follows changes made elsewhere, sets profiles, and comes
// through a daemon that vanishes and returns, a profile name nobody knows
// and a storm of changes with the state the daemon ends in.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>

#include <chrono>
#include <thread>

#include "SystemBusMock.h"
#include "modeplugin/qt/QtPowerProfiles.h"

namespace modes {
namespace {

using velmar_e2e::CPrivateBus;

constexpr const char* kHadess = "net.hadess.PowerProfiles";
constexpr const char* kUpower = "org.freedesktop.UPower.PowerProfiles";

struct Recorder : IPowerProfilesListener {
    void OnProfilesChanged() override { ++changes; }
    void OnProfileRequestFailed(const std::string& profile, const std::string& reason) override
    {
        failures.push_back(profile + ": " + reason);
    }
    int changes = 0;
    std::vector<std::string> failures;
};

// Runs the event loop until check holds, at most ten seconds.
template <class Check>
bool Until(Check check)
{
    return CPrivateBus::WaitUntil([&] {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return check();
    }, std::chrono::seconds(10));
}

class PowerProfilesDbusTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(bus.Start());
        connection = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(QString::fromStdString(bus.Address()), "private-system"));
        ASSERT_TRUE(connection->isConnected());
    }
    void TearDown() override
    {
        profiles.reset();
        connection.reset();
        QDBusConnection::disconnectFromBus("private-system");
    }
    void Attach()
    {
        profiles = std::make_unique<CQtPowerProfiles>(*connection);
        profiles->SetListener(&recorder);
    }
    pid_t StartHadess() { return bus.StartMock({"--template", "power_profiles_daemon"}, kHadess); }
    void SetFromOutside(const char* service, const char* path, const std::string& profile)
    {
        bus.Send(std::string(path) + " org.freedesktop.DBus.Properties.Set string:" + service +
                     " string:ActiveProfile variant:string:" + profile,
                 service);
    }
    const ProfilesSnapshot& Now() const { return profiles->Snapshot(); }

    CPrivateBus bus;
    std::unique_ptr<QDBusConnection> connection;
    std::unique_ptr<CQtPowerProfiles> profiles;
    Recorder recorder;
};

TEST_F(PowerProfilesDbusTest, FollowsAndSetsTheDaemonThroughItsComingsAndGoings)
{
    Attach();
    // The probes' errors come back within a few milliseconds; nothing else
    // can arrive from an empty bus.
    for (int i = 0; i < 15; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_FALSE(Now().connected);
    profiles->RequestProfile("performance");  // ...and a request says so at once
    EXPECT_EQ(recorder.failures, std::vector<std::string>{"performance: no power profiles daemon"});

    pid_t mock = StartHadess();
    ASSERT_GT(mock, 0);
    ASSERT_TRUE(Until([&] { return Now().connected; }));
    EXPECT_EQ(Now().service, kHadess);
    EXPECT_EQ(Now().active, "balanced");
    EXPECT_EQ(Now().offered, (std::vector<std::string>{"power-saver", "balanced", "performance"}));

    profiles->RequestProfile("power-saver");
    EXPECT_TRUE(Until([&] { return Now().active == "power-saver"; }));
    SetFromOutside(kHadess, "/net/hadess/PowerProfiles", "performance");
    EXPECT_TRUE(Until([&] { return Now().active == "performance"; }));
    SetFromOutside(kHadess, "/net/hadess/PowerProfiles", "turbo-deluxe");
    EXPECT_TRUE(Until([&] { return Now().active == "turbo-deluxe"; }));

    bus.StopMock(mock, kHadess);
    EXPECT_TRUE(Until([&] { return !Now().connected; }));
    EXPECT_TRUE(Now().active.empty());
    mock = StartHadess();
    EXPECT_TRUE(Until([&] { return Now().connected && Now().active == "balanced"; }));
    EXPECT_EQ(recorder.failures.size(), 1u);
}

TEST_F(PowerProfilesDbusTest, TheNewerNameWinsAndTheOlderServesWhenItGoes)
{
    pid_t hadess = StartHadess();
    ASSERT_GT(hadess, 0);
    pid_t upower = bus.StartMock({kUpower, "/org/freedesktop/UPower/PowerProfiles", kUpower}, kUpower);
    ASSERT_GT(upower, 0);
    bus.Call(kUpower, "/org/freedesktop/UPower/PowerProfiles", "org.freedesktop.DBus.Mock.AddProperties",
             std::string("'") + kUpower +
                 "' \"{'ActiveProfile': <'power-saver'>, 'PerformanceDegraded': <'lap-detected'>, "
                 "'Profiles': <[{'Profile': <'power-saver'>}, {'Profile': <'balanced'>}]>}\"");
    Attach();
    ASSERT_TRUE(Until([&] { return Now().service == kUpower && Now().active == "power-saver"; }));
    EXPECT_EQ(Now().offered, (std::vector<std::string>{"power-saver", "balanced"}));
    EXPECT_EQ(Now().degraded, "lap-detected");
    profiles->RequestProfile("balanced");
    EXPECT_TRUE(Until([&] { return Now().active == "balanced"; }));

    bus.StopMock(upower, kUpower);
    EXPECT_TRUE(Until([&] { return Now().service == kHadess; }));
    EXPECT_TRUE(Now().connected);
}

TEST_F(PowerProfilesDbusTest, AStormOfChangesEndsInTheDaemonsLastState)
{
    ASSERT_GT(StartHadess(), 0);
    Attach();
    ASSERT_TRUE(Until([&] { return Now().connected; }));
    // Two hundred changes in one go from another client.
    const std::string storm =
        "/usr/bin/python3 -c \"import dbus\n"
        "b = dbus.bus.BusConnection('" + bus.Address() + "')\n"
        "o = b.get_object('net.hadess.PowerProfiles', '/net/hadess/PowerProfiles')\n"
        "names = ['power-saver', 'performance', 'balanced']\n"
        "for i in range(200): o.Set('net.hadess.PowerProfiles', 'ActiveProfile', names[i % 3], "
        "dbus_interface='org.freedesktop.DBus.Properties')\n"
        "o.Set('net.hadess.PowerProfiles', 'ActiveProfile', 'power-saver', "
        "dbus_interface='org.freedesktop.DBus.Properties')\"";
    ASSERT_EQ(std::system(storm.c_str()), 0);
    EXPECT_TRUE(Until([&] { return recorder.changes > 150 && Now().active == "power-saver"; }))
        << recorder.changes << " changes, ends at " << Now().active;
}

}  // namespace
}  // namespace modes

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
