// A private D-Bus daemon standing in for the system bus, and
// python3-dbusmock's services on it: tests of D-Bus clients never touch the
// machine's own bus. Programs started by a test find it through
// DBUS_SYSTEM_BUS_ADDRESS (Address()); every process started here ends with
// the object.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "VelmarProcess.h"

namespace velmar_e2e {

class CPrivateBus {
public:
    CPrivateBus() = default;
    CPrivateBus(const CPrivateBus&) = delete;
    CPrivateBus& operator=(const CPrivateBus&) = delete;
    ~CPrivateBus()
    {
        for (pid_t& pid : mocks_) Stop(pid);
        Stop(daemon_);
        std::error_code ignored;
        if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
    }

    // Starts the daemon; false when it would not start.
    bool Start()
    {
        std::string pattern = "/tmp/velmar-bus-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) return false;
        folder_ = pattern;
        const std::string config = folder_ + "/bus.conf";
        std::ofstream(config) << "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\" "
                                 "\"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                                 "<busconfig><type>system</type><listen>unix:path="
                              << folder_ << "/bus</listen><auth>EXTERNAL</auth>"
                              << "<policy context=\"default\"><allow user=\"*\"/><allow own=\"*\"/>"
                                 "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
                                 "</policy></busconfig>\n";
        daemon_ = Spawn({"dbus-daemon", "--nofork", "--config-file=" + config}, folder_ + "/dbus-daemon.log");
        address_ = "unix:path=" + folder_ + "/bus";
        return WaitUntil([&] { return Send("/ org.freedesktop.DBus.GetId", "org.freedesktop.DBus").find("string") !=
                                      std::string::npos; });
    }

    const std::string& Address() const { return address_; }

    // python3-dbusmock as a system service on this bus (arguments after
    // "--system"), waiting until name is owned; the mock's pid, -1 on failure.
    pid_t StartMock(const std::vector<std::string>& arguments, const std::string& name)
    {
        std::vector<std::string> command = {"/usr/bin/python3", "-m", "dbusmock", "--system"};
        command.insert(command.end(), arguments.begin(), arguments.end());
        pid_t pid = Spawn(command, folder_ + "/dbusmock.log");
        if (!WaitUntil([&] { return HasOwner(name); })) {
            Stop(pid);
            return -1;
        }
        mocks_.push_back(pid);
        return pid;
    }

    // Ends a mock and waits until its name is free.
    void StopMock(pid_t& pid, const std::string& name)
    {
        std::erase(mocks_, pid);
        Stop(pid);
        WaitUntil([&] { return !HasOwner(name); });
    }

    bool HasOwner(const std::string& name)
    {
        return Send("/ org.freedesktop.DBus.NameHasOwner string:" + name, "org.freedesktop.DBus")
                   .find("boolean true") != std::string::npos;
    }

    // dbus-send on this bus: "<path> <interface.member> <arguments...>";
    // its printed reply.
    std::string Send(const std::string& call, const std::string& destination)
    {
        return Shell("dbus-send --bus=" + address_ + " --print-reply --reply-timeout=2000 --dest=" + destination +
                     " " + call + " 2>&1");
    }

    // gdbus call on this bus, arguments in GVariant text.
    std::string Call(const std::string& destination, const std::string& path, const std::string& method,
                     const std::string& arguments)
    {
        return Shell("gdbus call --address " + address_ + " --dest " + destination + " --object-path " + path +
                     " --method " + method + " " + arguments + " 2>&1");
    }

    // Polls check every 50 ms for at most limit.
    template <class Check>
    static bool WaitUntil(Check check, std::chrono::milliseconds limit = std::chrono::seconds(15))
    {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (!check()) {
            if (std::chrono::steady_clock::now() >= end) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return true;
    }

private:
    pid_t Spawn(const std::vector<std::string>& command, const std::string& log)
    {
        std::fflush(stdout);
        const pid_t pid = fork();
        if (pid == 0) {
            setenv("DBUS_SYSTEM_BUS_ADDRESS", address_.c_str(), 1);
            const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
            if (out >= 0) {
                dup2(out, 1);
                dup2(out, 2);
            }
            std::vector<char*> argv;
            for (const std::string& part : command) argv.push_back(const_cast<char*>(part.c_str()));
            argv.push_back(nullptr);
            execvp(argv[0], argv.data());
            _exit(127);
        }
        return pid;
    }

    static void Stop(pid_t& pid)
    {
        if (pid <= 0) return;
        kill(pid, SIGTERM);
        if (WaitExit(pid, std::chrono::seconds(5)) == -1) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        pid = -1;
    }

    std::string folder_;
    std::string address_;
    pid_t daemon_ = -1;
    std::vector<pid_t> mocks_;
};

}  // namespace velmar_e2e
