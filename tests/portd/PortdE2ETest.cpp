// End to end: velmar-portd runs as root in the foreground on a temporary
// socket with the simulated chip and serves the group 4242 (the test's
// "velmar"). The user nobody in that group programs fans through hwmonctl
// and through the real Velmar with ZEFAN under Xvfb; a user outside it is
// refused and told why, in hwmonctl, at Velmar's start and in About. Bad
// clients and a removed socket leave the service and the others alone, and
// a resume after the chip's reset brings the programmed fans back.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>

#include "../host/e2e/VelmarProcess.h"
#include "hwmon/linux/ServicePort.h"
#include "hwmon/varnio/SimulatedChipState.h"
#include "hwmon/varnio/ThermalModel.h"
#include "portd/PortProtocol.h"

namespace {

using namespace std::chrono_literals;
using velmar_e2e::DumpValues;
using velmar_e2e::RunAs;
using velmar_e2e::Shell;
namespace fs = std::filesystem;

constexpr gid_t kVelmarGid = 4242;
// nobody has an entry in the user database, which the private bus's
// authentication needs; its group here is the test's "velmar".
const RunAs kMember{65534, kVelmarGid, {kVelmarGid}};
const RunAs kOutsider{4244, 4244, {}};

struct ToolRun {
    int exitCode = -1;
    std::string output;
};

ToolRun Command(const std::string& command)
{
    ToolRun run;
    if (FILE* pipe = ::popen((command + " 2>&1").c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
            run.output.append(buffer, n);
        }
        const int status = ::pclose(pipe);
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    return run;
}

int Connect(const std::string& path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// The configuration registers: everything but the readings and identity the
// chip drives itself and the duty that thermal cruise moves.
std::vector<int> Settings(const hwmon::SimulatedChipState& state)
{
    std::vector<int> values;
    for (int bank = 0; bank < hwmon::kSimulatedBanks; ++bank) {
        for (int index = 0; index < 256; ++index) {
            const bool duty = bank == 0 && (index == 0x01 || index == 0x03 || index == 0x11 || index == 0x61);
            if (!duty && !hwmon::IsReadOnlyRegister(bank, static_cast<std::uint8_t>(index))) {
                values.push_back(state.banks[bank][index]);
            }
        }
    }
    return values;
}

class PortdE2E : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/portd-e2e-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        folder_ = pattern;
        fs::permissions(folder_, fs::perms(0755));
        socket_ = folder_ + "/portd.sock";
        app_ = folder_ + "/app";
        fs::create_directories(app_);
        for (const char* file : {"Velmar", "ZEFAN.so", "libvarnio.so", "libvarnio_backend.so", "libvelmar_registry.so",
                                 "SimulatedBoard.ini", "hwmonctl", "varnreg"}) {
            fs::copy(std::string(VELMAR_APP_DIR) + "/" + file, app_ + "/" + file);
        }
        fs::copy(std::string(VELMAR_APP_DIR) + "/Skin", app_ + "/Skin", fs::copy_options::recursive);
        for (const RunAs& user : {kMember, kOutsider}) {
            MakeHome(user);
        }
        ASSERT_NO_FATAL_FAILURE(StartService());
        const ToolRun report = Hwmonctl(kMember, "");
        ASSERT_EQ(report.exitCode, 0) << report.output;
    }

    void TearDown() override
    {
        for (pid_t* pid : {&velmar_, &mock_, &service_}) {
            if (*pid > 0) {
                ::kill(*pid, SIGKILL);
                ::waitpid(*pid, nullptr, 0);
            }
        }
        if (bus_ > 0) {
            ::kill(bus_, SIGKILL);
        }
        if (!HasFailure()) {
            std::error_code ignored;
            fs::remove_all(folder_, ignored);
        } else {
            std::printf("portd e2e left %s for a look\n", folder_.c_str());
        }
    }

    std::string Home(const RunAs& user) const { return folder_ + "/home-" + std::to_string(user.uid); }

    // A home, a runtime folder, a registry with the machine-wide settings
    // (the service's socket, ZEFAN, the simulated board) and the X
    // authority, all the user's own.
    void MakeHome(const RunAs& user)
    {
        const std::string home = Home(user);
        fs::create_directories(home + "/run");
        fs::create_directories(home + "/reg");
        fs::permissions(home + "/run", fs::perms(0700));
        const std::string reg = "VELMAR_REGISTRY_DIR=" + home + "/reg " + app_ + "/varnreg ";
        Shell(reg + "set 'HKLM\\SOFTWARE\\VARN\\VARNIO' Socket --string " + socket_);
        Shell(reg + "set 'HKLM\\SOFTWARE\\VARN\\APM' ZEFAN --string " + app_ + "/ZEFAN.so");
        Shell(reg + "set 'HKLM\\SOFTWARE\\VARN\\SystemInfo' MBModel --string SimulatedBoard");
        if (const char* xauthority = std::getenv("XAUTHORITY")) {
            fs::copy_file(xauthority, home + "/Xauthority");
        }
        Shell("chown -R " + std::to_string(user.uid) + ":" + std::to_string(user.gid) + " " + home);
    }

    // The user's environment for a program started as them.
    std::string Environment(const RunAs& user) const
    {
        const std::string home = Home(user);
        return "PATH=/usr/bin:/bin HOME=" + home + " XDG_RUNTIME_DIR=" + home + "/run XDG_CONFIG_HOME=" + home + "/config" +
               " XDG_CACHE_HOME=" + home + "/cache XDG_DATA_HOME=" + home + "/data VELMAR_REGISTRY_DIR=" + home +
               "/reg VELMAR_TEST_CONTROL=" + home + "/dump.txt XAUTHORITY=" + home + "/Xauthority" +
               (bus_ > 0 && user.uid == kMember.uid ? " DBUS_SYSTEM_BUS_ADDRESS=" + bus_address_ : "");
    }
    std::string As(const RunAs& user, const std::string& command) const
    {
        std::string groups;
        for (const gid_t group : user.groups) {
            groups += (groups.empty() ? "" : ",") + std::to_string(group);
        }
        return "setpriv --reuid=" + std::to_string(user.uid) + " --regid=" + std::to_string(user.gid) +
               (groups.empty() ? " --clear-groups" : " --groups=" + groups) + " /usr/bin/env " + Environment(user) + " " +
               command;
    }
    ToolRun Hwmonctl(const RunAs& user, const std::string& args) const
    {
        return Command(As(user, app_ + "/hwmonctl " + args));
    }

    void StartService()
    {
        service_ = ::fork();
        if (service_ == 0) {
            std::freopen((folder_ + "/portd.log").c_str(), "a", stderr);
            // A dead holder must be noticed by its connection closing: a lease
            // this long would outlast hwmonctl's patience.
            ::execl((std::string(VELMAR_APP_DIR) + "/velmar-portd").c_str(), "velmar-portd", "--socket",
                    socket_.c_str(), "--backend", "simulated", "--state-file", (folder_ + "/chip.state").c_str(),
                    "--group", std::to_string(kVelmarGid).c_str(), "--claim-timeout", "5000",
                    static_cast<char*>(nullptr));
            ::_exit(127);
        }
        for (int i = 0; i < 200; ++i) {
            if (const int fd = Connect(socket_); fd >= 0) {
                ::close(fd);
                return;
            }
            std::this_thread::sleep_for(25ms);
        }
        FAIL() << "velmar-portd did not listen on " << socket_;
    }
    bool ServiceAlive() const { return ::waitpid(service_, nullptr, WNOHANG) == 0; }

    hwmon::SimulatedChipState Chip() const
    {
        std::ifstream in(folder_ + "/chip.state");
        std::stringstream text;
        text << in.rdbuf();
        hwmon::SimulatedChipState state;
        EXPECT_TRUE(hwmon::DecodeState(text.str(), state)) << "no chip state yet";
        return state;
    }
    std::uint8_t Register(std::uint8_t index) const { return Chip().banks[0][index]; }
    bool CpuFanCruises(int target) const
    {
        const auto state = Chip();
        return state.banks[0][0x06] == target && ((state.banks[0][0x04] >> 4) & 3) == 1;
    }
    template <class Condition>
    static bool WaitFor(Condition condition, std::chrono::milliseconds limit = 15s)
    {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (!condition()) {
            if (std::chrono::steady_clock::now() > end) {
                return false;
            }
            std::this_thread::sleep_for(100ms);
        }
        return true;
    }

    // The logind of a private system bus, which only the member's programs
    // see (the bus and the mock run as the member: the bus authenticates by
    // user, and it is theirs).
    void StartPrivateLogind()
    {
        const std::string run = Home(kMember) + "/run";
        bus_address_ = "unix:path=" + run + "/system_bus";
        std::ofstream(folder_ + "/bus.conf")
            << "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\" "
               "\"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n<busconfig><type>session</type>"
               "<listen>" << bus_address_ << "</listen><policy context=\"default\">"
               "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/><allow own=\"*\"/>"
               "</policy></busconfig>\n";
        const ToolRun bus = Command(As(kMember, "dbus-daemon --config-file=" + folder_ +
                                               "/bus.conf --fork --print-pid=1"));
        bus_ = std::atoi(bus.output.c_str());
        ASSERT_GT(bus_, 0) << bus.output;
        mock_ = ::fork();
        if (mock_ == 0) {
            std::freopen((folder_ + "/logind.log").c_str(), "a", stderr);
            std::freopen((folder_ + "/logind.log").c_str(), "a", stdout);
            const std::string command = As(kMember, "/usr/bin/python3 -m dbusmock --system --template logind");
            ::execl("/bin/sh", "sh", "-c", ("exec " + command).c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ASSERT_TRUE(WaitFor([this] {
            return Command(As(kMember, "dbus-send --system --print-reply --dest=org.freedesktop.login1 "
                                       "/org/freedesktop/login1 org.freedesktop.DBus.Peer.Ping")).exitCode == 0;
        })) << "the private logind did not come up";
    }
    void PrepareForSleep(bool sleeping)
    {
        const std::string emit = "/usr/bin/python3 -c \"import dbus; dbus.bus.BusConnection('" + bus_address_ +
                                 "').get_object('org.freedesktop.login1', '/org/freedesktop/login1').EmitSignal("
                                 "'org.freedesktop.login1.Manager', 'PrepareForSleep', 'b', [" +
                                 (sleeping ? "True" : "False") +
                                 "], dbus_interface='org.freedesktop.DBus.Mock')\"";
        ASSERT_EQ(Command(As(kMember, emit)).exitCode, 0);
    }

    void LaunchVelmar(const RunAs& user)
    {
        std::vector<std::string> environment;
        std::istringstream variables(Environment(user));
        for (std::string variable; variables >> variable;) {
            environment.push_back(variable);
        }
        velmar_ = velmar_e2e::LaunchVelmarAs(app_, Home(user), user, environment);
    }
    // Velmar holds its single-instance lock in the runtime folder from its
    // first page on; before that a dump request would end it.
    bool WaitForInstance(const RunAs& user)
    {
        return WaitFor([&] {
            for (const auto& entry : fs::directory_iterator(Home(user) + "/run")) {
                if (entry.path().filename().string().starts_with("CInstanceChecker")) {
                    return true;
                }
            }
            return false;
        }, 60s);
    }
    DumpValues DumpWhen(const RunAs& user, std::function<bool(DumpValues&)> check)
    {
        return velmar_e2e::DumpWhen(velmar_, Home(user), check);
    }
    // About, opened as the tray menu's entry does, and its second line.
    std::string AboutLine(const RunAs& user)
    {
        std::ofstream(Home(user) + "/dump.txt.command") << "32774";
        velmar_e2e::RequestDump(velmar_, Home(user));  // takes the command
        DumpValues state = DumpWhen(user, [](DumpValues& v) { return v.count("dialog.AboutDlg.label.BackendLine"); });
        const std::string line = state["dialog.AboutDlg.label.BackendLine"];
        int x = 0, y = 0;
        if (std::sscanf(state["dialog.AboutDlg.button.Close"].c_str(), "%d,%d", &x, &y) == 2) {
            Shell("xdotool mousemove " + std::to_string(x) + " " + std::to_string(y) + " click 1");
        }
        DumpWhen(user, [](DumpValues& v) { return v.count("dialog.AboutDlg.title") == 0; });
        return line;
    }
    void EndVelmar(const RunAs& user)
    {
        ::kill(velmar_, SIGTERM);
        EXPECT_EQ(velmar_e2e::WaitExitOrKill(velmar_, 30s), 0) << velmar_e2e::LogTail(Home(user));
    }

    std::string folder_, socket_, app_, bus_address_;
    pid_t service_ = -1, velmar_ = -1, mock_ = -1, bus_ = -1;
};

TEST_F(PortdE2E, HwmonctlServesTheGroupRefusesOthersAndOutlivesBadClients)
{
    ToolRun run = Hwmonctl(kMember, "--output CPUFANIN0 --target 41 --tolerance 2 --start 40 --stop 20 --enable");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(CpuFanCruises(41));
    run = Hwmonctl(kMember, "--check");
    EXPECT_NE(run.output.find("backend now    service: simulated W83627EHF id 0xA1, fans not real"),
              std::string::npos) << run.output;
    EXPECT_NE(run.output.find("port service   running at " + socket_), std::string::npos) << run.output;

    const std::string refusal = "service: refused, user (uid 4244) is neither root nor in the group with id 4242";
    run = Hwmonctl(kOutsider, "--output CPUFANIN0 --target 70 --enable");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.output.find(refusal), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("usermod -aG velmar"), std::string::npos) << run.output;
    EXPECT_NE(Hwmonctl(kOutsider, "--check").output.find("backend now    " + refusal), std::string::npos);
    EXPECT_TRUE(CpuFanCruises(41));

    // A client killed while it holds the claim: its claim goes with it.
    const pid_t holder = ::fork();
    if (holder == 0) {
        hwmon::CServicePort client(socket_);
        if (client.ClaimChip(1s) == hwmon::IClaimLock::Outcome::Held) {
            ::raise(SIGKILL);
        }
        ::_exit(1);
    }
    int status = 0;
    ::waitpid(holder, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the holder did not get the claim";
    run = Hwmonctl(kMember, "--output CPUFANIN0 --target 42");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(CpuFanCruises(42));

    // Garbage, a huge length, half a frame left open, other ports, and a
    // few thousand random frames that never write the chip's own ports.
    const hwmon::SimulatedChipState before = Chip();
    const int half = Connect(socket_);
    ::send(half, "\x01\x03\x03", 3, MSG_NOSIGNAL);
    std::mt19937 random(13);
    std::uniform_int_distribution<int> byte(0, 255);
    int fd = -1;
    for (int i = 0; i < 3000; ++i) {
        if (fd < 0) {
            fd = Connect(socket_);
            ASSERT_GE(fd, 0) << "the service stopped listening";
        }
        std::vector<std::uint8_t> frame;
        portd::Request request;
        switch (i % 5) {
        case 0:
            frame = {static_cast<std::uint8_t>(byte(random)), 3, 0xFF, 0xFF};
            break;
        case 1:
            request.op = portd::Op::Out;
            request.port = static_cast<std::uint16_t>(i % 2 ? 0x80 : 0x2E);
            request.value = static_cast<std::uint8_t>(byte(random));
            frame = portd::EncodeRequest(request);
            break;
        case 2:
            request.op = portd::Op::In;
            request.port = static_cast<std::uint16_t>(0x290 + byte(random) % 16);
            frame = portd::EncodeRequest(request);
            break;
        case 3:
            request.op = static_cast<portd::Op>(byte(random) % 2 ? 4 : 5);
            request.patienceMs = static_cast<std::uint16_t>(byte(random));
            frame = portd::EncodeRequest(request);
            break;
        default:
            frame.resize(static_cast<std::size_t>(1 + byte(random) % 9));
            for (auto& b : frame) {
                b = static_cast<std::uint8_t>(byte(random));
            }
            frame[0] = 1;
            break;
        }
        ::send(fd, frame.data(), frame.size(), MSG_NOSIGNAL);
        if (byte(random) < 16 || frame[0] != 1 || i % 5 == 0) {
            ::close(fd);  // hangs up, often in the middle of its answer
            fd = -1;
        }
    }
    ::close(fd);
    run = Hwmonctl(kMember, "");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(Settings(Chip()), Settings(before));
    EXPECT_TRUE(ServiceAlive());

    // The socket removed under a connected client: it carries on.
    FILE* watch = ::popen(As(kMember, app_ + "/hwmonctl --watch --seconds 3 2>&1").c_str(), "r");
    char line[512];
    ASSERT_NE(std::fgets(line, sizeof line, watch), nullptr);  // the backend report: connected
    fs::remove(socket_);
    std::string rest;
    while (std::fgets(line, sizeof line, watch) != nullptr) {
        rest += line;
    }
    EXPECT_EQ(::pclose(watch), 0) << rest;
    EXPECT_NE(rest.find("   2s"), std::string::npos) << rest;
    EXPECT_TRUE(ServiceAlive());
    ::close(half);
}

TEST_F(PortdE2E, VelmarWithZefanProgramsAsTheMemberAndRestoresTheFansAfterResume)
{
    ASSERT_NO_FATAL_FAILURE(StartPrivateLogind());
    const std::uint8_t powerOnTarget = Register(0x06);
    ASSERT_NE(powerOnTarget, 60);
    LaunchVelmar(kMember);
    ASSERT_TRUE(WaitForInstance(kMember)) << velmar_e2e::LogTail(Home(kMember));
    DumpValues state = DumpWhen(kMember, [](DumpValues& v) { return v["pagesReady"] == "1"; });
    ASSERT_EQ(state["pagesReady"], "1") << velmar_e2e::LogTail(Home(kMember));
    // The simulated board's CPU FAN: thermal cruise at 60 C.
    EXPECT_TRUE(WaitFor([this] { return CpuFanCruises(60); }));
    EXPECT_EQ(AboutLine(kMember), "service: simulated W83627EHF id 0xA1, fans not real");

    // The firmware resets the chip on resume; ZEFAN programs it again.
    ToolRun run = Hwmonctl(kMember, "--simulate-reset");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(Register(0x06), powerOnTarget);
    PrepareForSleep(true);
    PrepareForSleep(false);
    EXPECT_TRUE(WaitFor([this] { return CpuFanCruises(60); })) << velmar_e2e::LogTail(Home(kMember));

    // The service stops: About and hwmonctl --check say so.
    ::kill(service_, SIGKILL);
    ::waitpid(service_, nullptr, 0);
    service_ = -1;
    EXPECT_EQ(AboutLine(kMember), "service: not running");
    run = Hwmonctl(kMember, "--check");
    EXPECT_NE(run.output.find("backend now    service: not running"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("sudo systemctl restart velmar-portd.socket"), std::string::npos) << run.output;
    EndVelmar(kMember);
}

TEST_F(PortdE2E, AnOutsidersVelmarIsToldOnceAndTouchesNothing)
{
    const hwmon::SimulatedChipState before = Chip();
    LaunchVelmar(kOutsider);
    const std::string told = "The fan chip cannot be reached (service: refused, user (uid 4244) is neither root "
                             "nor in the group with id 4242)";
    ASSERT_TRUE(WaitFor([&] { return velmar_e2e::LogTail(Home(kOutsider)).find(told) != std::string::npos; }))
        << velmar_e2e::LogTail(Home(kOutsider));
    // The message box comes before the window; OK lets the start go on.
    std::string box = Shell("timeout 20 xdotool search --sync --onlyvisible --name '^Velmar$' | head -1");
    while (!box.empty() && box.back() == '\n') {
        box.pop_back();
    }
    ASSERT_FALSE(box.empty()) << "no message box";
    Shell("xdotool windowfocus --sync " + box + " && xdotool key Return");
    ASSERT_TRUE(WaitForInstance(kOutsider)) << velmar_e2e::LogTail(Home(kOutsider));
    DumpValues state = DumpWhen(kOutsider, [](DumpValues& v) { return v["pagesReady"] == "1"; });
    ASSERT_EQ(state["pagesReady"], "1") << velmar_e2e::LogTail(Home(kOutsider));
    EXPECT_EQ(AboutLine(kOutsider),
              "service: refused, user (uid 4244) is neither root nor in the group with id 4242");
    EXPECT_EQ(Settings(Chip()), Settings(before));
    EndVelmar(kOutsider);
}

}  // namespace
