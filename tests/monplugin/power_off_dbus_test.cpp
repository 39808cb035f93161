// The power-off adapter against python3-dbusmock's logind on a private
// system bus (never the machine's own): it calls PowerOff(false) without
// waiting, and a refusal comes back to the listener.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>

#include "SystemBusMock.h"
#include "monplugin/qt/QtPowerOff.h"

namespace monitor {
namespace {

using velmar_e2e::CPrivateBus;

constexpr const char* kLogind = "org.freedesktop.login1";
constexpr const char* kPath = "/org/freedesktop/login1";

struct Refusals : IPowerOffListener {
    void OnPowerOffRefused(const std::string& reason) override { reasons.push_back(reason); }
    std::vector<std::string> reasons;
};

template <class Check>
bool Until(Check check)
{
    return CPrivateBus::WaitUntil([&] {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return check();
    }, std::chrono::seconds(10));
}

TEST(PowerOffDbusTest, AsksLogindToPowerOffAndHearsARefusal)
{
    CPrivateBus bus;
    ASSERT_TRUE(bus.Start());
    ASSERT_GT(bus.StartMock({"--template", "logind"}, kLogind), 0);
    const QString address = QString::fromStdString(bus.Address());
    CQtPowerOff powerOff([&] { return QDBusConnection::connectToBus(address, "private-system"); });
    Refusals refusals;
    powerOff.SetListener(&refusals);

    powerOff.Request();
    const auto calls = [&] {
        return bus.Call(kLogind, kPath, "org.freedesktop.DBus.Mock.GetCalls", "");
    };
    EXPECT_TRUE(Until([&] { return calls().find("'PowerOff', [<false>]") != std::string::npos; })) << calls();

    bus.Call(kLogind, kPath, "org.freedesktop.DBus.Mock.AddMethod",
             "org.freedesktop.login1.Manager PowerOff b '' "
             "\"raise dbus.exceptions.DBusException('Not while you watch', "
             "name='org.freedesktop.DBus.Error.AccessDenied')\"");
    powerOff.Request();
    EXPECT_TRUE(Until([&] { return !refusals.reasons.empty(); }));
    EXPECT_EQ(refusals.reasons, std::vector<std::string>{"Not while you watch"});
    powerOff.SetListener(nullptr);
    QDBusConnection::disconnectFromBus("private-system");
}

}  // namespace
}  // namespace monitor

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
