// The real Velmar under Xvfb: the test skin, the real ZEFAN on the simulated
// chip and recording plug-ins, all in a private registry and runtime folder.
// The running program is read through its test-only state dump (SIGUSR1 with
// VELMAR_TEST_CONTROL) and driven with xdotool clicks on its skin buttons.
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "RegistryAccess.h"
#include "RegistryHives.h"
#include "VelmarProcess.h"

namespace {

using namespace std::chrono_literals;

const std::string kBuiltApp = VELMAR_APP_DIR;

using velmar_e2e::Shell;

class VelmarE2E : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const velmar_e2e::Profile profile = velmar_e2e::PrepareProfile("velmar-e2e", kBuiltApp);
        ASSERT_FALSE(profile.folder.empty());
        profile_ = profile.folder;
        app_ = profile.app;
        // The host test skin, whatever skins the build bundles.
        std::filesystem::copy(std::string(VELMAR_TEST_DATA_DIR) + "/hostskin", app_ + "/Skin",
                              std::filesystem::copy_options::recursive);
        ASSERT_EQ(std::system((std::string(VELMAR_SKIN_BITMAPS_TOOL) + " " + app_ + "/Skin").c_str()), 0);
        CRegistryAccess machine;
        machine.SetRootKey(HKEY_LOCAL_MACHINE);
        machine.SetString("SOFTWARE\\VARN\\VARNIO", "Backend", "simulated");
        machine.SetString("SOFTWARE\\VARN\\SystemInfo", "MBModel", "SimulatedBoard");
        machine.SetString("SOFTWARE\\VARN\\APM", "ZEFAN", app_ + "/ZEFAN.so");
        const std::string plugins = std::string(VELMAR_TEST_BIN_DIR) + "/plugins/";
        if (std::filesystem::exists(plugins + "libZETA_PLUGIN.so"))
            machine.SetString("SOFTWARE\\VARN\\APM", "ZETA", plugins + "libZETA_PLUGIN.so");
        if (std::filesystem::exists(plugins + "libVARNOCCTRL_PLUGIN.so"))
            machine.SetString("SOFTWARE\\VARN\\APM", "OCCTRL", plugins + "libVARNOCCTRL_PLUGIN.so");
        // A plug-in given the main window with "INITIAL_PLUGIN" looks at
        // what it got as the widget the plug-in ABI promises.
        machine.SetString("SOFTWARE\\VARN\\APM", "CLOCK", plugins + "libKAVOCLOCK_PLUGIN.so");
        setenv("VELMAR_REC_KAVOCLOCK_PLUGIN_CHECK_WINDOW", "1", 1);
        // The main page renders the fan document every second.
        CRegistryAccess user;
        user.SetRootKey(HKEY_CURRENT_USER);
        user.SetString("SOFTWARE\\VARN\\TamloIII", "Interval", "1");
    }

    // ready: wait until the program is up far enough to answer a dump (no
    // other instance may run then: its block is cleared away first).
    static pid_t Start(bool ready = true) {
        if (ready)
            for (const auto& entry : std::filesystem::directory_iterator(profile_ + "/run"))
                std::filesystem::remove_all(entry.path());
        const pid_t pid = velmar_e2e::LaunchVelmar(app_, profile_);
        // The instance block appears at the page's first completion, long
        // after the program catches the dump signal.
        for (int i = 0; ready && i < 400 && std::filesystem::is_empty(profile_ + "/run"); ++i) std::this_thread::sleep_for(50ms);
        return pid;
    }
    static int WaitExit(pid_t pid, std::chrono::milliseconds limit) { return velmar_e2e::WaitExit(pid, limit); }
    static std::map<std::string, std::string> Dump(pid_t pid) {
        return velmar_e2e::RequestDump(pid, profile_);
    }
    // Waits until the dump satisfies the check.
    template <class Check>
    static std::map<std::string, std::string> DumpWhen(pid_t pid, Check check, int tries = 40) {
        return velmar_e2e::DumpWhen(pid, profile_, check, tries);
    }
    static void ClickAt(int x, int y) {
        Shell("xdotool mousemove " + std::to_string(x) + " " + std::to_string(y) + " click 1");
    }
    static std::string UserString(const std::string& name) {
        CRegistryAccess user;
        user.SetRootKey(HKEY_CURRENT_USER);
        std::string text = "<missing>";
        user.QueryString("SOFTWARE\\VARN\\TamloIII", name, text);
        return text;
    }
    static long UserDword(const std::string& name) {
        CRegistryAccess user;
        user.SetRootKey(HKEY_CURRENT_USER);
        std::uint32_t value = 0;
        if (!user.QueryDword("SOFTWARE\\VARN\\TamloIII", name, &value)) return -1;
        return static_cast<long>(value);
    }
    static std::string Journal() {
        std::ifstream in(profile_ + "/journal");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    static void TearDownTestSuite() {
        std::error_code ignored;
        std::filesystem::remove_all(profile_, ignored);
    }

    static std::string profile_;
    static std::string app_;
};

std::string VelmarE2E::profile_;
std::string VelmarE2E::app_;

TEST_F(VelmarE2E, RunsWithTheSkinAndZefanAndStoresItsStateOnClose) {
    const auto started = std::chrono::steady_clock::now();
    const pid_t pid = Start();
    auto state = DumpWhen(pid, [](auto& v) { return v["pagesReady"] == "1" && v["windowVisible"] == "1"; });
    ASSERT_EQ(state["pagesReady"], "1") << "the window never became visible";
    std::printf("[ figure ] start-up to window shown: %lld ms (upper bound, polled)\n",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                           std::chrono::steady_clock::now() - started).count()));

    // Values bound by element id in the main page follow the fan document.
    state = DumpWhen(pid, [](auto& v) { return v["main.FAN+ZEFAN_FAN_0+CAPTION"] == "CPU FAN"; });
    EXPECT_EQ(state["main.FAN+ZEFAN_FAN_0+CAPTION"], "CPU FAN");
    // The skin shows that caption twice, under one id: both are written.
    EXPECT_NE(state["main.state"].find(";captions:CPU FAN|CPU FAN"), std::string::npos) << state["main.state"];
    EXPECT_NE(state["main.FAN+ZEFAN_FAN_0+PWM_DUTYCYCLE"].find('%'), std::string::npos);
    EXPECT_EQ(state["main.FAN+ZEFAN_FAN_1+CAPTION"], "SYS FAN");
    EXPECT_EQ(state["viewPlugin"], "ZEFAN_PLUGIN");
    EXPECT_EQ(state["viewVisible"], "0");
    EXPECT_NE(Journal().find("KAVOCLOCK_PLUGIN window CQtVesselWindow window=1 native=1"), std::string::npos)
        << Journal();

    // A second start ends with 0 at once, the first runs on.
    const auto second = std::chrono::steady_clock::now();
    const pid_t other = Start(false);
    EXPECT_EQ(WaitExit(other, 30s), 0);
    std::printf("[ figure ] second start ended after %lld ms\n",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                           std::chrono::steady_clock::now() - second).count()));
    EXPECT_EQ(WaitExit(pid, 0ms), -1);

    // The skin button ZEFAN_PLUGIN (10,32 90x22) selects the view; it
    // refreshes on its own timer.
    int x = 0, y = 0;
    std::sscanf(state["windowPos"].c_str(), "%d,%d", &x, &y);
    ClickAt(x + 50, y + 43);
    state = DumpWhen(pid, [](auto& v) { return v["viewVisible"] == "1"; });
    EXPECT_EQ(state["viewVisible"], "1");
    EXPECT_EQ(state["view.FAN+ZEFAN_FAN_0+CAPTION"], "CPU FAN");
    EXPECT_EQ(state["view.FAN+ZEFAN_FAN_0+STATUSINFO"], "3");
    state = DumpWhen(pid, [](auto& v) { return v["view.state"].find("refreshes:2") != std::string::npos; });
    EXPECT_NE(state["view.state"].find("refreshes:2"), std::string::npos) << state["view.state"];
    EXPECT_NE(state["view.state"].find("enabled:"), std::string::npos);

    // The script button NAV navigates the page to ZETA_PLUGIN:HELLO:7:8: the
    // plug-in gets the command and the page stays.
    if (Journal().find("ZETA_PLUGIN GetObject") != std::string::npos) {
        ClickAt(x + 430, y + 43);
        for (int i = 0; i < 40 && Journal().find("ZETA_PLUGIN SendCommand HELLO 7 8") == std::string::npos; ++i)
            std::this_thread::sleep_for(250ms);
        EXPECT_NE(Journal().find("ZETA_PLUGIN SendCommand HELLO 7 8"), std::string::npos);
        state = Dump(pid);
        EXPECT_EQ(state["main.FAN+ZEFAN_FAN_0+CAPTION"], "CPU FAN");
        EXPECT_NE(state["main.state"].find("url:file:"), std::string::npos) << state["main.state"];
    }

    // TOP (110,32) toggles topmost; then a screenshot of the running window.
    ClickAt(x + 150, y + 43);
    state = DumpWhen(pid, [](auto& v) { return v["topmost"] == "1"; });
    EXPECT_EQ(state["topmost"], "1");
    const std::string artifacts = std::string(VELMAR_TEST_BIN_DIR) + "/../artifacts";
    std::filesystem::create_directories(artifacts);
    std::filesystem::copy_file(profile_ + "/dump.txt.png", artifacts + "/velmar_e2e.png",
                               std::filesystem::copy_options::overwrite_existing);

    // CLOSE (442,3 34x18) stores the window and the mode and ends with 0.
    ClickAt(x + 459, y + 12);
    EXPECT_EQ(WaitExit(pid, 30s), 0);
    EXPECT_EQ(UserDword("PosX"), x);
    EXPECT_EQ(UserDword("PosY"), y);
    EXPECT_EQ(UserString("TOP"), "TRUE");
    EXPECT_EQ(UserDword("TRANS"), 255);
    EXPECT_NE(UserDword("Mode"), -1);
    EXPECT_EQ(UserString("AutoPace"), "FALSE");
}

TEST_F(VelmarE2E, RestartRestoresPositionAndMode) {
    CRegistryAccess user;
    user.SetRootKey(HKEY_CURRENT_USER);
    user.SetDword("SOFTWARE\\VARN\\TamloIII", "PosX", 200);
    user.SetDword("SOFTWARE\\VARN\\TamloIII", "PosY", 150);
    user.SetDword("SOFTWARE\\VARN\\TamloIII", "Mode", 3);
    user.SetString("SOFTWARE\\VARN\\TamloIII", "ChangeAtStart", "TRUE");
    user.SetString("SOFTWARE\\VARN\\TamloIII", "TOP", "FALSE");
    const pid_t pid = Start();
    auto state = DumpWhen(pid, [](auto& v) { return v["windowVisible"] == "1"; });
    EXPECT_EQ(state["windowPos"], "200,150");
    EXPECT_EQ(state["mode"], "3");
    EXPECT_EQ(state["topmost"], "0");
    kill(pid, SIGTERM);
    EXPECT_EQ(WaitExit(pid, 30s), 0);
    EXPECT_EQ(UserDword("PosX"), 200);
    EXPECT_EQ(UserDword("Mode"), 3);
}

}  // namespace
