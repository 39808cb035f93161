// A D-Bus of the test's own and services mocked on it with python3-dbusmock
// (Debian's, run by /usr/bin/python3). The machine's own buses are never
// used: a test points DBUS_SESSION_BUS_ADDRESS or DBUS_SYSTEM_BUS_ADDRESS at
// a PrivateBus instead.
//
//   PrivateBus bus;            bus.Start(folder + "/system-bus");
//   DbusMock logind;           logind.Start(bus, "system", {"--template", "logind"},
//                                           "org.freedesktop.login1", folder + "/logind.log");
//   Gdbus(bus.Address(), "--dest org.freedesktop.login1 --object-path /org/freedesktop/login1 "
//                        "--method org.freedesktop.login1.Manager.ListInhibitors");
#pragma once

#include <string>
#include <vector>

#include "ChildProcess.h"
#include "VelmarProcess.h"

namespace velmar_e2e {

// "gdbus call --address <address> <arguments>": its answer, or its error.
inline std::string Gdbus(const std::string& address, const std::string& arguments) {
    return Shell("gdbus call --timeout 10 --address '" + address + "' " + arguments + " 2>&1");
}

class PrivateBus {
public:
    // socketPath: the bus's socket (its folder must exist).
    bool Start(const std::string& socketPath) {
        address_ = "unix:path=" + socketPath;
        if (!daemon_.Start({"dbus-daemon", "--session", "--nofork", "--nopidfile", "--address=" + address_},
                           socketPath + ".log"))
            return false;
        return WaitFor([this] { return Gdbus(address_, kListNames).starts_with("(["); }, std::chrono::seconds(10));
    }
    const std::string& Address() const { return address_; }
    bool HasName(const std::string& name) const {
        return Gdbus(address_, kListNames).find("'" + name + "'") != std::string::npos;
    }

private:
    static constexpr const char* kListNames =
        "--dest org.freedesktop.DBus --object-path /org/freedesktop/DBus --method org.freedesktop.DBus.ListNames";
    ChildProcess daemon_;
    std::string address_;
};

class DbusMock {
public:
    // kind: "system" or "session", the bus the mock believes it is on.
    // arguments: dbusmock's own (a template, or name, path and interface).
    // Ready once busName is owned on the bus.
    bool Start(const PrivateBus& bus, const std::string& kind, const std::vector<std::string>& arguments,
               const std::string& busName, const std::string& log) {
        std::vector<std::string> argv{"/usr/bin/python3", "-m", "dbusmock", "--" + kind};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        const std::string variable = kind == "system" ? "DBUS_SYSTEM_BUS_ADDRESS" : "DBUS_SESSION_BUS_ADDRESS";
        if (!mock_.Start(argv, log, {{variable, bus.Address()}})) return false;
        return WaitFor([&] { return bus.HasName(busName); }, std::chrono::seconds(15));
    }
    // What the mock printed: one line per call it received.
    std::string Calls() const { return mock_.Log(); }

private:
    ChildProcess mock_;
};

}  // namespace velmar_e2e
