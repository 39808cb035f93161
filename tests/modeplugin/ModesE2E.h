// The real Velmar under Xvfb with the bundled skins, the mode-control and
// automatic-mode plug-ins, and python3-dbusmock's power-profiles daemon on
// a private system bus: what the modes end-to-end tests share.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "SystemBusMock.h"
#include "VelmarProcess.h"

namespace modes_e2e {

using namespace std::chrono_literals;
using State = velmar_e2e::DumpValues;

inline constexpr const char* kHadess = "net.hadess.PowerProfiles";
inline constexpr const char* kHadessPath = "/net/hadess/PowerProfiles";
inline constexpr const char* kHostKey = "'HKCU\\SOFTWARE\\VARN\\TamloIII'";
inline constexpr const char* kAutoPaceKey = "'HKCU\\Software\\VARN\\AutoPace'";

// KavoIII's keys: left edge and top in KavoIII.xml, all 50x22 but Auto.
inline constexpr int kModeKeyLeft[] = {12, 66, 120, 174, 228, 282, 336};
inline constexpr int kModeKeyTop = 50;

class ModesE2E : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        const velmar_e2e::Profile profile = velmar_e2e::PrepareProfile("velmar-modes-e2e", VELMAR_APP_DIR);
        ASSERT_FALSE(profile.folder.empty());
        profile_ = profile.folder;
        app_ = profile.app;
        for (const char* plugin : {"VARNOCCTRL.so", "VARNAUTOPACE.so"})
            std::filesystem::copy(std::string(VELMAR_APP_DIR) + "/" + plugin, app_ + "/" + plugin);
        std::filesystem::copy(std::string(VELMAR_APP_DIR) + "/Skin", app_ + "/Skin",
                              std::filesystem::copy_options::recursive);
        // Mode control first: its page is the settings dialog's first.
        Varnreg("set 'HKLM\\SOFTWARE\\VARN\\APM' OCCTRL --string " + app_ + "/VARNOCCTRL.so");
        Varnreg("set 'HKLM\\SOFTWARE\\VARN\\APM' AUTOPACE --string " + app_ + "/VARNAUTOPACE.so");
        Varnreg("set 'HKLM\\SOFTWARE\\VARN\\VARNIO' Backend --string simulated");
        Varnreg(std::string("set ") + kHostKey + " Interval --string 1");
        bus_ = new velmar_e2e::CPrivateBus;
        ASSERT_TRUE(bus_->Start());
        // For Velmar only: every program started from here inherits it,
        // and the test's own bus tools name the bus explicitly.
        setenv("DBUS_SYSTEM_BUS_ADDRESS", bus_->Address().c_str(), 1);
    }
    static void TearDownTestSuite()
    {
        delete bus_;
        bus_ = nullptr;
        std::error_code ignored;
        std::filesystem::remove_all(profile_, ignored);
    }
    void TearDown() override
    {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            velmar_e2e::WaitExitOrKill(pid_, 30s);
        }
        if (daemon_ > 0) bus_->StopMock(daemon_, kHadess);
    }

    static std::string Varnreg(const std::string& arguments) { return velmar_e2e::Varnreg(VELMAR_APP_DIR, arguments); }

    void StartDaemon(const std::string& active = "balanced")
    {
        daemon_ = bus_->StartMock({"--template", "power_profiles_daemon", "--parameters",
                                   "{\"ActiveProfile\": \"" + active + "\"}"},
                                  kHadess);
        ASSERT_GT(daemon_, 0) << "python3-dbusmock did not start";
    }
    void StopDaemon() { bus_->StopMock(daemon_, kHadess); }
    std::string ActiveProfile()
    {
        const std::string reply = bus_->Send(std::string(kHadessPath) +
                                                 " org.freedesktop.DBus.Properties.Get string:" + kHadess +
                                                 " string:ActiveProfile",
                                             kHadess);
        const std::size_t open = reply.find('"');
        const std::size_t close = reply.rfind('"');
        return open == std::string::npos || close == open ? "" : reply.substr(open + 1, close - open - 1);
    }
    void SetFromOutside(const std::string& profile)
    {
        bus_->Send(std::string(kHadessPath) + " org.freedesktop.DBus.Properties.Set string:" + kHadess +
                       " string:ActiveProfile variant:string:" + profile,
                   kHadess);
    }
    bool ProfileBecomes(const std::string& profile)
    {
        return velmar_e2e::CPrivateBus::WaitUntil([&] { return ActiveProfile() == profile; }, 20s);
    }

    // Starts the program and waits for its window.
    void Start()
    {
        for (const auto& entry : std::filesystem::directory_iterator(profile_ + "/run"))
            std::filesystem::remove_all(entry.path());
        pid_ = velmar_e2e::LaunchVelmar(app_, profile_);
        // The instance lock in the runtime folder: from then on the program
        // has its dump handler (SIGUSR1 would end it before).
        velmar_e2e::CPrivateBus::WaitUntil([&] { return !std::filesystem::is_empty(profile_ + "/run"); }, 20s);
        const State state = DumpWhen([](State& v) { return v["pagesReady"] == "1" && v["windowVisible"] == "1"; }, 80);
        ASSERT_EQ(state.count("windowPos"), 1u) << velmar_e2e::LogTail(profile_);
        ASSERT_EQ(std::sscanf(state.at("windowPos").c_str(), "%d,%d", &x_, &y_), 2);
    }
    // Dumps until check holds (about 20 s at most); the last dump either way.
    template <class Check>
    State DumpWhen(Check check, int tries = 60)
    {
        return velmar_e2e::DumpWhen(pid_, profile_, check, tries);
    }
    // The face shows mode n: the host holds it and the page's script too.
    static bool Shows(State& v, int mode)
    {
        return v["mode"] == std::to_string(mode) && v["main.state"].find("mode:" + std::to_string(mode) + ";") !=
                                                         std::string::npos;
    }
    void Click(int dx, int dy)
    {
        velmar_e2e::Shell("xdotool mousemove " + std::to_string(x_ + dx) + " " + std::to_string(y_ + dy) +
                          " click 1");
    }
    void ClickModeKey(int mode) { Click(kModeKeyLeft[mode] + 25, kModeKeyTop + 11); }
    // A dialog's control at the screen centre the dump gives ("x,y,...").
    static void ClickCentre(const std::string& place)
    {
        int x = 0, y = 0;
        if (std::sscanf(place.c_str(), "%d,%d", &x, &y) == 2)
            velmar_e2e::Shell("xdotool mousemove " + std::to_string(x) + " " + std::to_string(y) + " click 1");
    }
    // The value of the first dump key ending in suffix (dialogs are named
    // by their object names).
    static std::string Ending(const State& state, const std::string& suffix)
    {
        for (const auto& [key, value] : state)
            if (key.ends_with(suffix)) return value;
        return {};
    }
    // Ends the program as the session does (SaveAndExit, whatever the skin).
    int Close()
    {
        kill(pid_, SIGTERM);
        return velmar_e2e::WaitExitOrKill(pid_, 30s);
    }
    // The picture of the last dump (the window, or a dialog by its object
    // name) as <build>/artifacts/name.
    void SaveArtifact(const std::string& name, const std::string& dialog = "")
    {
        const std::string artifacts = std::string(VELMAR_APP_DIR) + "/../artifacts";
        std::filesystem::create_directories(artifacts);
        std::error_code ignored;
        std::filesystem::copy_file(profile_ + "/dump.txt" + (dialog.empty() ? "" : "." + dialog) + ".png",
                                   artifacts + "/" + name, std::filesystem::copy_options::overwrite_existing, ignored);
    }
    static std::string UserValue(const std::string& key, const std::string& name)
    {
        return Varnreg("get " + key + " " + name);
    }

    static inline std::string profile_;
    static inline std::string app_;
    static inline velmar_e2e::CPrivateBus* bus_ = nullptr;
    pid_t pid_ = -1;
    pid_t daemon_ = -1;
    int x_ = 0;
    int y_ = 0;
};

}  // namespace modes_e2e
