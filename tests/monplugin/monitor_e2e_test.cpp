// The hardware monitor end to end: the real Velmar with the bundled KavoIII
// skin, ZEFAN and VARNEQ on the simulated chip, under openbox with trayer.
// The simulated processor's cooler fails (hwmonctl --simulate-overheat on):
// the face marks the CPU temperature and shows its warning, the tray icon
// animates through both warning frames where the user looks; the cooler
// works again and all of it stops.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "DesktopSession.h"
#include "TrayFrames.h"
#include "VelmarProcess.h"

namespace {

using namespace std::chrono_literals;
using velmar_e2e::DumpValues;
using velmar_e2e::FrameIn;
using velmar_e2e::TrayFrame;
using velmar_e2e::WaitFor;

const std::string kBuiltApp = VELMAR_APP_DIR;
// KavoIII's Monitor key (172,226 76x24), from the window's corner.
constexpr int kMonitorKeyX = 172 + 38;
constexpr int kMonitorKeyY = 226 + 12;
constexpr const char* kCpuDisplay = "TEMPERATURE+CPUTIN+DISPLAY";

class MonitorE2E : public ::testing::Test {
protected:
    void SetUp() override {
        const velmar_e2e::Profile profile = velmar_e2e::PrepareProfile("velmar-monitor-e2e", kBuiltApp);
        ASSERT_FALSE(profile.folder.empty());
        profile_ = profile.folder;
        app_ = profile.app;
        std::filesystem::copy(kBuiltApp + "/VARNEQ.so", app_ + "/VARNEQ.so");
        std::filesystem::copy(kBuiltApp + "/Skin", app_ + "/Skin", std::filesystem::copy_options::recursive);
        velmar_e2e::RegisterZefanOnSimulatedBoard(kBuiltApp, app_);
        Varnreg("set 'HKLM\\SOFTWARE\\VARN\\APM' VARNEQ --string " + app_ + "/VARNEQ.so");
        Varnreg("set 'HKCU\\SOFTWARE\\VARN\\TamloIII' Interval --string 1");
    }
    void TearDown() override {
        Hwmonctl("--simulate-overheat off");
        if (pid_ > 0) velmar_e2e::WaitExitOrKill(pid_, 0ms);
        desktop_.reset();
        std::error_code ignored;
        std::filesystem::remove_all(profile_, ignored);
    }

    std::string Varnreg(const std::string& arguments) const { return velmar_e2e::Varnreg(kBuiltApp, arguments); }
    // On the chip Velmar uses: the profile's registry names it.
    std::string Hwmonctl(const std::string& arguments) const {
        return velmar_e2e::Shell(kBuiltApp + "/hwmonctl " + arguments + " 2>&1");
    }
    template <class Check>
    DumpValues DumpWhen(Check check, int tries = 100) {
        return velmar_e2e::DumpWhen(pid_, profile_, check, tries);
    }
    // Both warning frames seen in the tray within limit.
    bool TrayShowsBothFrames(const velmar_e2e::ScreenRect& icon, std::chrono::milliseconds limit) {
        bool red = false, amber = false;
        WaitFor(
            [&] {
                const TrayFrame frame = FrameIn(desktop_->Grab(icon));
                red = red || frame == TrayFrame::Red135;
                amber = amber || frame == TrayFrame::Amber136;
                return red && amber;
            },
            limit);
        return red && amber;
    }

    std::string profile_;
    std::string app_;
    pid_t pid_ = -1;
    std::unique_ptr<velmar_e2e::DesktopSession> desktop_;
};

bool Has(const DumpValues& state, const std::string& key, const std::string& text) {
    const auto found = state.find(key);
    return found != state.end() && found->second.find(text) != std::string::npos;
}

TEST_F(MonitorE2E, AnOverheatingProcessorIsMarkedOnTheFaceAndAnimatesTheTrayUntilItCools) {
    desktop_ = std::make_unique<velmar_e2e::DesktopSession>();
    ASSERT_TRUE(desktop_->Start(profile_, {.windowManager = true, .tray = true})) << desktop_->Problem();
    desktop_->Export();
    const std::string run = profile_ + "/run";
    for (const auto& entry : std::filesystem::directory_iterator(run)) std::filesystem::remove_all(entry.path());
    pid_ = velmar_e2e::LaunchVelmar(app_, profile_);
    // The dump's signal is caught once the program runs; its instance block
    // appears later still, at the page's first completion.
    WaitFor([&] { return !std::filesystem::is_empty(run); }, 60s);
    DumpValues state = DumpWhen([](DumpValues& v) {
        return v["windowVisible"] == "1" && v["trayUsable"] == "1" && Has(v, std::string("main.") + kCpuDisplay, "°C");
    });
    ASSERT_TRUE(Has(state, std::string("main.") + kCpuDisplay, "°C")) << velmar_e2e::LogTail(profile_);
    EXPECT_TRUE(Has(state, "main.state", "warning:false")) << state["main.state"];
    const std::optional<velmar_e2e::ScreenRect> icon = desktop_->DockedIcon("Velmar", 10s);
    ASSERT_TRUE(icon);
    EXPECT_EQ(FrameIn(desktop_->Grab(*icon)), TrayFrame::Other);

    // The monitor's view in the plug-in view, its readings bound.
    int x = 0, y = 0;
    ASSERT_EQ(std::sscanf(state["windowPos"].c_str(), "%d,%d", &x, &y), 2);
    desktop_->X("xdotool mousemove " + std::to_string(x + kMonitorKeyX) + " " + std::to_string(y + kMonitorKeyY) +
                " click 1");
    state = DumpWhen([](DumpValues& v) {
        return v["viewVisible"] == "1" && Has(v, std::string("view.") + kCpuDisplay, "°C");
    });
    EXPECT_EQ(state["viewVisible"], "1");
    EXPECT_TRUE(Has(state, std::string("view.") + kCpuDisplay, "°C"));

    ASSERT_NE(Hwmonctl("--simulate-overheat on").find("cooler has failed"), std::string::npos);
    state = DumpWhen([](DumpValues& v) { return Has(v, "main.state", "warning:true") && !Has(v, "main.state", "alarms:0"); });
    EXPECT_TRUE(Has(state, "main.state", "warning:true")) << state["main.state"];
    EXPECT_FALSE(Has(state, "main.state", "alarms:0")) << "the CPU temperature is not marked: " << state["main.state"];
    EXPECT_TRUE(TrayShowsBothFrames(*icon, 8s)) << "the warning's frames never both showed in the tray";

    ASSERT_NE(Hwmonctl("--simulate-overheat off").find("works again"), std::string::npos);
    state = DumpWhen([](DumpValues& v) { return Has(v, "main.state", "warning:false") && Has(v, "main.state", "alarms:0"); });
    EXPECT_TRUE(Has(state, "main.state", "warning:false")) << state["main.state"];
    EXPECT_TRUE(Has(state, "main.state", "alarms:0")) << state["main.state"];
    EXPECT_TRUE(WaitFor([&] { return FrameIn(desktop_->Grab(*icon)) == TrayFrame::Other; }, 5s));

    kill(pid_, SIGTERM);
    EXPECT_EQ(velmar_e2e::WaitExitOrKill(pid_, 30s), 0);
}

}  // namespace
