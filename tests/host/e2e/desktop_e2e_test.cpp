// The real Velmar on the desktops users have: a window manager with an XEmbed
// tray and without any tray, a StatusNotifierItem tray, logind's suspend on
// a private system bus, and a Wayland compositor with and without XWayland.
// Each test starts what it needs (DesktopSession.h, PrivateBus.h) and reads
// Velmar through its state dump; the tray icon is found and clicked where
// the tray shows it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <regex>
#include <string>

#include "DesktopSession.h"
#include "PrivateBus.h"
#include "TrayFrames.h"
#include "VelmarProcess.h"

namespace {

using namespace std::chrono_literals;
using velmar_e2e::DumpValues;
using velmar_e2e::ScreenRect;
using velmar_e2e::TrayFrame;
using velmar_e2e::FrameIn;
using velmar_e2e::WaitFor;

const std::string kBuiltApp = VELMAR_APP_DIR;
const std::string kEqPlugin = std::string(VELMAR_TEST_BIN_DIR) + "/plugins/libVARNEQ_PLUGIN.so";
// The test skin's MIN button (404,3 34x18), from the window's corner.
constexpr int kMinX = 421;
constexpr int kMinY = 12;

class DesktopE2E : public ::testing::Test {
protected:
    void SetUp() override {
        const velmar_e2e::Profile profile = velmar_e2e::PrepareProfile("velmar-desktop", kBuiltApp);
        ASSERT_FALSE(profile.folder.empty());
        profile_ = profile.folder;
        std::filesystem::copy(std::string(VELMAR_TEST_DATA_DIR) + "/hostskin", profile.app + "/Skin",
                              std::filesystem::copy_options::recursive);
        ASSERT_EQ(std::system((std::string(VELMAR_SKIN_BITMAPS_TOOL) + " " + profile.app + "/Skin").c_str()), 0);
        app_ = profile.app;
        // The hardware monitor's identifier, so its events count; the first
        // plug-in loaded, so it hears suspend and resume.
        Registry("set 'HKLM\\SOFTWARE\\VARN\\APM' EQ --string " + kEqPlugin);
        SetUser("Interval", "1");
    }

    void TearDown() override {
        if (pid_ > 0) velmar_e2e::WaitExitOrKill(pid_, 0ms);
        desktop_.reset();
        std::error_code ignored;
        std::filesystem::remove_all(profile_, ignored);
    }

    void StartDesktop(velmar_e2e::DesktopOptions options) {
        desktop_ = std::make_unique<velmar_e2e::DesktopSession>();
        ASSERT_TRUE(desktop_->Start(profile_, options)) << desktop_->Problem();
        desktop_->Export();
    }

    // Velmar started; returns its state once check accepts it.
    template <class Check>
    DumpValues StartVelmar(Check check) {
        const std::string run = profile_ + "/run";
        for (const auto& entry : std::filesystem::directory_iterator(run)) std::filesystem::remove_all(entry.path());
        pid_ = velmar_e2e::LaunchVelmar(app_, profile_);
        // The dump's signal is caught once the program runs; its instance
        // block appears later still, at the page's first completion.
        int ended = -1;
        WaitFor([&] { return !std::filesystem::is_empty(run) || (ended = velmar_e2e::WaitExit(pid_, 0ms)) != -1; }, 60s);
        if (ended != -1) pid_ = -1;  // already reaped: never signal that id again
        return DumpWhen(check);
    }
    // Nothing is signalled without a running Velmar (kill(-1) would reach every process).
    template <class Check>
    DumpValues DumpWhen(Check check) {
        return pid_ > 0 ? velmar_e2e::DumpWhen(pid_, profile_, check, 60) : DumpValues{};
    }
    // A command for the test hook, run after the next dump.
    void Command(const std::string& text) {
        std::ofstream(profile_ + "/dump.txt.command") << text;
        if (pid_ > 0) velmar_e2e::RequestDump(pid_, profile_);
    }
    int EndWith(int signal) {
        if (pid_ <= 0) return -1;
        kill(pid_, signal);
        return velmar_e2e::WaitExitOrKill(pid_, 30s);
    }
    void ClickWindowAt(const DumpValues& state, int dx, int dy) {
        int x = 0, y = 0;
        std::sscanf(state.at("windowPos").c_str(), "%d,%d", &x, &y);
        desktop_->X("xdotool mousemove " + std::to_string(x + dx) + " " + std::to_string(y + dy) + " click 1");
    }
    // varnreg on this test's hives (each test has a profile of its own).
    std::string Registry(const std::string& arguments) const {
        return velmar_e2e::Varnreg(kBuiltApp, "--registry-dir " + profile_ + " " + arguments);
    }
    void SetUser(const std::string& name, const std::string& text) const {
        Registry("set 'HKCU\\SOFTWARE\\VARN\\TamloIII' " + name + " --string " + text);
    }
    std::string Journal() const { return velmar_e2e::ReadFile(profile_ + "/journal"); }
    std::string Log() const { return velmar_e2e::LogTail(profile_); }

    std::string profile_;
    std::string app_;
    pid_t pid_ = -1;
    std::unique_ptr<velmar_e2e::DesktopSession> desktop_;
};

// openbox and trayer: the icon docks in the tray, MIN hides the window into
// it, a double click on the icon brings it back, and a hardware warning
// animates the icon through both frames where the user looks.
TEST_F(DesktopE2E, XEmbedTrayTakesTheWindowBackAndForthAndShowsTheWarning) {
    StartDesktop({.windowManager = true, .tray = true});
    DumpValues state = StartVelmar([](auto& v) { return v["windowVisible"] == "1" && v["trayUsable"] == "1"; });
    ASSERT_EQ(state["trayUsable"], "1") << Log();
    EXPECT_EQ(state["traySingleActivation"], "0");
    const std::optional<ScreenRect> icon = desktop_->DockedIcon("Velmar", 10s);
    ASSERT_TRUE(icon) << desktop_->X("xwininfo -root -tree");
    EXPECT_EQ(FrameIn(desktop_->Grab(*icon)), TrayFrame::Other);

    ClickWindowAt(state, kMinX, kMinY);
    state = DumpWhen([](auto& v) { return v["windowPlace"] == "tray" && v["windowVisible"] == "0"; });
    EXPECT_EQ(state["windowPlace"], "tray");
    EXPECT_EQ(state["iconified"], "0");
    EXPECT_EQ(state["timer1"], "0");

    desktop_->X("xdotool mousemove " + std::to_string(icon->CentreX()) + " " + std::to_string(icon->CentreY()) +
                " click --repeat 2 --delay 120 1");
    state = DumpWhen([](auto& v) { return v["windowVisible"] == "1"; });
    EXPECT_EQ(state["windowVisible"], "1");
    EXPECT_EQ(state["windowPlace"], "shown");
    EXPECT_EQ(state["timer1"], "1");

    Command("plugin VARNEQ_PLUGIN EMIT_HARDWARE_WARNING 1 0");
    bool red = false, amber = false;
    WaitFor(
        [&] {
            const TrayFrame frame = FrameIn(desktop_->Grab(*icon));
            red = red || frame == TrayFrame::Red135;
            amber = amber || frame == TrayFrame::Amber136;
            return red && amber;
        },
        8s);
    EXPECT_TRUE(red) << "frame 135 never showed in the tray";
    EXPECT_TRUE(amber) << "frame 136 never showed in the tray";
    Command("plugin VARNEQ_PLUGIN EMIT_HARDWARE_WARNING 0 0");
    EXPECT_TRUE(WaitFor([&] { return FrameIn(desktop_->Grab(*icon)) == TrayFrame::Other; }, 5s));
    EXPECT_EQ(EndWith(SIGTERM), 0);
}

// A desktop without a tray (stock GNOME): MIN leaves an iconified window the
// taskbar gives back; "Min" at start does the same once the window exists.
TEST_F(DesktopE2E, WithoutATrayMinIconifiesAndTheWindowComesBack) {
    StartDesktop({.windowManager = true, .tray = false});
    DumpValues state = StartVelmar([](auto& v) { return v["windowVisible"] == "1" && v["pagesReady"] == "1"; });
    ASSERT_EQ(state["windowVisible"], "1") << Log();
    EXPECT_EQ(state["trayUsable"], "0");
    const std::string id = state["windowId"];

    ClickWindowAt(state, kMinX, kMinY);
    state = DumpWhen([](auto& v) { return v["iconified"] == "1"; });
    EXPECT_EQ(state["windowPlace"], "taskbar");
    EXPECT_EQ(state["timer1"], "0");
    EXPECT_TRUE(WaitFor([&] { return desktop_->WindowState(id) == "Iconic"; }, 5s)) << desktop_->WindowState(id);
    EXPECT_NE(desktop_->X("xprop -id " + id + " _NET_WM_STATE").find("_NET_WM_STATE_HIDDEN"), std::string::npos);

    // What a taskbar does with a click on the window's button.
    desktop_->X("xdotool windowactivate " + id);
    state = DumpWhen([](auto& v) { return v["iconified"] == "0" && v["windowPlace"] == "shown"; });
    EXPECT_EQ(state["windowVisible"], "1");
    EXPECT_EQ(state["timer1"], "1") << "the restore's rules ran";
    EXPECT_EQ(desktop_->WindowState(id), "Normal");
    EXPECT_EQ(EndWith(SIGTERM), 0);

    SetUser("Min", "TRUE");
    state = StartVelmar([](auto& v) { return v["pagesReady"] == "1" && v["iconified"] == "1"; });
    ASSERT_EQ(state["iconified"], "1") << Log();
    EXPECT_TRUE(WaitFor([&] { return desktop_->WindowState(state["windowId"]) == "Iconic"; }, 5s));
    desktop_->X("xdotool windowactivate " + state["windowId"]);
    state = DumpWhen([](auto& v) { return v["windowVisible"] == "1" && v["iconified"] == "0"; });
    EXPECT_EQ(state["windowPlace"], "shown");
    EXPECT_EQ(EndWith(SIGTERM), 0);
}

// A StatusNotifierItem tray (a watcher with a registered host on the session
// bus, as KDE and GNOME's AppIndicator extension have) sends one activation
// per click and no double click: each one toggles the window.
TEST_F(DesktopE2E, StatusNotifierTrayTogglesOnASingleActivation) {
    StartDesktop({.windowManager = true, .tray = false});
    velmar_e2e::DbusMock watcher;
    const velmar_e2e::PrivateBus& bus = desktop_->SessionBus();
    ASSERT_TRUE(watcher.Start(bus, "session",
                              {"org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher", "org.kde.StatusNotifierWatcher"},
                              "org.kde.StatusNotifierWatcher", profile_ + "/watcher.log"));
    const std::string mock = "--dest org.kde.StatusNotifierWatcher --object-path /StatusNotifierWatcher --method "
                             "org.freedesktop.DBus.Mock.";
    velmar_e2e::Gdbus(bus.Address(), mock + "AddProperty org.kde.StatusNotifierWatcher IsStatusNotifierHostRegistered '<true>'");
    velmar_e2e::Gdbus(bus.Address(), mock + "AddMethod org.kde.StatusNotifierWatcher RegisterStatusNotifierItem s '' ''");

    DumpValues state = StartVelmar([](auto& v) { return v["windowVisible"] == "1" && v["trayUsable"] == "1"; });
    ASSERT_EQ(state["trayUsable"], "1") << Log();
    EXPECT_EQ(state["traySingleActivation"], "1");
    std::smatch item;
    const std::regex registered(R"(RegisterStatusNotifierItem "([^"]+)\")");
    std::string calls;
    ASSERT_TRUE(WaitFor([&] { return std::regex_search(calls = watcher.Calls(), item, registered); }, 10s)) << calls;
    const std::string activate = "--dest " + item[1].str() +
                                 " --object-path /StatusNotifierItem --method org.kde.StatusNotifierItem.Activate 0 0";

    velmar_e2e::Gdbus(bus.Address(), activate);
    state = DumpWhen([](auto& v) { return v["windowVisible"] == "0"; });
    EXPECT_EQ(state["windowPlace"], "tray");
    velmar_e2e::Gdbus(bus.Address(), activate);
    state = DumpWhen([](auto& v) { return v["windowVisible"] == "1"; });
    EXPECT_EQ(state["windowPlace"], "shown");
    EXPECT_EQ(EndWith(SIGTERM), 0);
}

// logind on a private system bus: Velmar holds a delay lock, so suspend
// reaches the plug-in before the machine sleeps; the lock goes once it has,
// and comes back on resume. Ctrl+C then ends it with everything stored.
TEST_F(DesktopE2E, SuspendReachesThePluginUnderTheDelayLockAndCtrlCStoresTheState) {
    StartDesktop({.windowManager = false, .tray = false});
    velmar_e2e::PrivateBus system;
    ASSERT_TRUE(system.Start(profile_ + "/system-bus"));
    velmar_e2e::DbusMock logind;
    ASSERT_TRUE(logind.Start(system, "system", {"--template", "logind"}, "org.freedesktop.login1", profile_ + "/logind.log"));
    setenv("DBUS_SYSTEM_BUS_ADDRESS", system.Address().c_str(), 1);
    const std::string login = "--dest org.freedesktop.login1 --object-path /org/freedesktop/login1 --method ";
    const auto inhibitors = [&] {
        return velmar_e2e::Gdbus(system.Address(), login + "org.freedesktop.login1.Manager.ListInhibitors");
    };
    const auto prepareForSleep = [&](bool sleeping) {
        velmar_e2e::Gdbus(system.Address(), login + "org.freedesktop.DBus.Mock.EmitSignal org.freedesktop.login1.Manager "
                                                    "PrepareForSleep b '[<" + (sleeping ? "true" : "false") + ">]'");
    };

    DumpValues state = StartVelmar([](auto& v) { return v["pagesReady"] == "1" && v["sleepLock"] == "1"; });
    ASSERT_EQ(state["sleepLock"], "1") << Log() << inhibitors();
    EXPECT_NE(inhibitors().find("('sleep', 'Velmar', "), std::string::npos) << inhibitors();
    EXPECT_NE(inhibitors().find("'delay'"), std::string::npos);

    prepareForSleep(true);
    EXPECT_TRUE(WaitFor([&] { return Journal().find("VARNEQ_PLUGIN SendCommand SUSPEND_EVENT 4 0") != std::string::npos; }, 10s));
    EXPECT_TRUE(WaitFor([&] { return inhibitors().find("'Velmar'") == std::string::npos; }, 10s))
        << "the lock must go once the plug-in was told: " << inhibitors();

    prepareForSleep(false);
    EXPECT_TRUE(WaitFor([&] { return Journal().find("VARNEQ_PLUGIN SendCommand SUSPEND_EVENT 7 0") != std::string::npos; }, 10s));
    EXPECT_TRUE(WaitFor([&] { return inhibitors().find("'Velmar'") != std::string::npos; }, 10s))
        << "the lock is taken again for the next sleep";

    EXPECT_EQ(EndWith(SIGINT), 0) << Log();
    const std::string x = state["windowPos"].substr(0, state["windowPos"].find(','));
    EXPECT_EQ(Registry("get 'HKCU\\SOFTWARE\\VARN\\TamloIII' PosX"), x) << "Ctrl+C ends through SaveAndExit";
    EXPECT_NE(Journal().find("VARNEQ_PLUGIN unload"), std::string::npos);
}

// weston's headless backend: with XWayland Velmar runs on X11 through it
// (positions, TOP, the outline and opacity work there); with Wayland alone it
// still runs, and About says what the session cannot give.
TEST_F(DesktopE2E, WaylandSessionRunsOnXWaylandAndWaylandAloneSaysWhatItLacks) {
    velmar_e2e::WaylandSession wayland;
    ASSERT_TRUE(wayland.Start(profile_)) << wayland.Log() << velmar_e2e::ReadFile(profile_ + "/weston.log");
    velmar_e2e::PrivateBus bus;
    ASSERT_TRUE(bus.Start(profile_ + "/session-bus"));
    setenv("DBUS_SESSION_BUS_ADDRESS", bus.Address().c_str(), 1);
    setenv("DBUS_SYSTEM_BUS_ADDRESS", bus.Address().c_str(), 1);
    setenv("WAYLAND_DISPLAY", wayland.Socket().c_str(), 1);
    setenv("XDG_SESSION_TYPE", "wayland", 1);
    unsetenv("QT_QPA_PLATFORM");

    setenv("DISPLAY", wayland.XDisplay().c_str(), 1);
    DumpValues state = StartVelmar([](auto& v) { return v["pagesReady"] == "1" && v["windowVisible"] == "1"; });
    ASSERT_EQ(state["windowVisible"], "1") << Log();
    EXPECT_EQ(state["platform"], "xcb");
    EXPECT_EQ(state["sessionLimits"], "");
    EXPECT_EQ(EndWith(SIGTERM), 0);

    unsetenv("DISPLAY");
    state = StartVelmar([](auto& v) { return v["pagesReady"] == "1" && v["windowVisible"] == "1"; });
    ASSERT_EQ(state["windowVisible"], "1") << Log();
    EXPECT_EQ(state["platform"], "wayland");
    EXPECT_NE(state["sessionLimits"].find("positions"), std::string::npos);
    Command(std::to_string(32774));  // the tray menu's About
    state = DumpWhen([](auto& v) { return v.count("dialog.AboutDlg.label.SessionLine") > 0; });
    EXPECT_NE(state["dialog.AboutDlg.label.SessionLine"].find("stay on top"), std::string::npos);
    EXPECT_EQ(EndWith(SIGTERM), 0);
    unsetenv("WAYLAND_DISPLAY");
    unsetenv("XDG_SESSION_TYPE");
}

}  // namespace
