// The real Velmar under Xvfb with the skins it ships (KavoIII.xml, Slate.xml),
// the real ZEFAN on the simulated chip and the recording mode-control plug-in
// VARNOCCTRL_PLUGIN, all registered with varnreg in a private registry. The
// program is read through its test-only dump (SIGUSR1 with
// VELMAR_TEST_CONTROL), the chip through hwmonctl, and the skin buttons are
// clicked with xdotool at the window's position plus the button's offset in
// the skin file.
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>
#include "VelmarProcess.h"

namespace {

using namespace std::chrono_literals;
using State = std::map<std::string, std::string>;

constexpr const char* kSettingsKey = "'HKCU\\SOFTWARE\\VARN\\TamloIII'";
// ZEFAN_FAN_<n> in board order of SimulatedBoard.ini.
const std::vector<std::string> kFanOutputs = {"CPUFANIN0", "SYSFANIN", "AUXFANIN0", "CPUFANIN1"};

using velmar_e2e::Shell;

std::string Varnreg(const std::string& arguments) { return velmar_e2e::Varnreg(VELMAR_APP_DIR, arguments); }

// The duty of each fan output as hwmonctl reads it from the chip ("45%").
std::map<std::string, std::string> ChipDuties() {
    std::map<std::string, std::string> duties;
    std::istringstream report(Shell(std::string(VELMAR_HWMONCTL) + " 2>/dev/null"));
    bool outputs = false;
    for (std::string line; std::getline(report, line);) {
        if (line.starts_with("fan outputs:")) {
            outputs = true;
            continue;
        }
        if (!outputs) continue;
        std::istringstream fields(line);
        std::string name, mode, duty;
        if (fields >> name >> mode >> duty && duty.ends_with("%")) duties[name] = duty;
    }
    return duties;
}

class BundledSkinE2E : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const velmar_e2e::Profile profile = velmar_e2e::PrepareProfile("velmar-bundled-e2e", VELMAR_APP_DIR);
        ASSERT_FALSE(profile.folder.empty());
        profile_ = profile.folder;
        app_ = profile.app;
        std::filesystem::copy(std::string(VELMAR_APP_DIR) + "/Skin", app_ + "/Skin",
                              std::filesystem::copy_options::recursive);
        ASSERT_TRUE(std::filesystem::exists(app_ + "/Skin/KavoIII.xml"));
        ASSERT_TRUE(std::filesystem::exists(app_ + "/Skin/Slate.xml"));
        const std::string occtrl = std::string(VELMAR_TEST_BIN_DIR) + "/plugins/libVARNOCCTRL_PLUGIN.so";
        ASSERT_TRUE(std::filesystem::exists(occtrl));
        velmar_e2e::RegisterZefanOnSimulatedBoard(VELMAR_APP_DIR, app_);
        Varnreg("set 'HKLM\\SOFTWARE\\VARN\\APM' OCCTRL --string " + occtrl);
        Varnreg(std::string("set ") + kSettingsKey + " Interval --string 1");
        ASSERT_EQ(Varnreg("get 'HKLM\\SOFTWARE\\VARN\\APM' OCCTRL"), occtrl);
    }
    static void TearDownTestSuite() {
        std::error_code ignored;
        std::filesystem::remove_all(profile_, ignored);
    }
    void TearDown() override {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        WaitExit(30s);
    }

    // Starts the program and waits for its window.
    void Start() {
        for (const auto& entry : std::filesystem::directory_iterator(profile_ + "/run"))
            std::filesystem::remove_all(entry.path());
        pid_ = velmar_e2e::LaunchVelmar(app_, profile_);
        for (int i = 0; i < 400 && std::filesystem::is_empty(profile_ + "/run"); ++i) std::this_thread::sleep_for(50ms);
        state_ = DumpWhen([](State& v) { return v["pagesReady"] == "1" && v["windowVisible"] == "1"; });
        ASSERT_EQ(state_["windowVisible"], "1") << "the window never became visible";
        ASSERT_EQ(std::sscanf(state_["windowPos"].c_str(), "%d,%d", &x_, &y_), 2);
    }
    int WaitExit(std::chrono::milliseconds limit) { return velmar_e2e::WaitExitOrKill(pid_, limit); }
    State Dump() {
        return velmar_e2e::RequestDump(pid_, profile_);
    }
    template <class Check>
    State DumpWhen(Check check, int tries = 40) {
        return velmar_e2e::DumpWhen(pid_, profile_, check, tries);
    }
    void ClickSkin(int dx, int dy) {
        Shell("xdotool mousemove " + std::to_string(x_ + dx) + " " + std::to_string(y_ + dy) + " click 1");
    }
    static std::string Journal() {
        std::ifstream in(profile_ + "/journal");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    static std::string UserString(const std::string& name) {
        return Varnreg(std::string("get ") + kSettingsKey + " " + name);
    }
    // Every fan tile of the page shows the duty the chip has. Thermal cruise
    // moves a duty by one step (0.4 %) every 100 ms, and the page is up to a
    // tick behind the chip read after the dump, so the duties are first
    // compared within 6 %; with "apart" (the chip still as ZEFAN programmed
    // it at start) some fans' duties must also lie further apart than that,
    // so that a swapped binding shows. Then the outputs are switched to
    // manual behind the program's back: they go to full output and hold it,
    // and the page has to show exactly that.
    State WaitForChipDuties(const std::string& page, bool apart) {
        std::map<std::string, std::string> chip;
        const auto duty = [](const std::string& text) { return text.ends_with("%") ? std::atoi(text.c_str()) : -100; };
        const auto item = [&](std::size_t n) {
            return page + ".FAN+ZEFAN_FAN_" + std::to_string(n) + "+PWM_DUTYCYCLE";
        };
        const auto agree = [&](State& v, int within) {
            chip = ChipDuties();
            for (std::size_t n = 0; n < kFanOutputs.size(); ++n)
                if (std::abs(duty(v[item(n)]) - duty(chip[kFanOutputs[n]])) > within) return false;
            return true;
        };
        const auto distinct = [&] {
            if (!apart) return true;
            for (std::size_t a = 0; a < kFanOutputs.size(); ++a)
                for (std::size_t b = a + 1; b < kFanOutputs.size(); ++b)
                    if (std::abs(duty(chip[kFanOutputs[a]]) - duty(chip[kFanOutputs[b]])) > 6) return true;
            return false;
        };
        // The verdict is the last check's: reading the chip again would see
        // it a cruise step further than the page that was compared.
        bool agreed = false;
        State state = DumpWhen([&](State& v) { return agreed = agree(v, 6) && distinct(); }, 60);
        EXPECT_TRUE(agreed) << Describe(state, chip, item);
        for (const auto& output : kFanOutputs) {
            const std::string manual = std::string(VELMAR_HWMONCTL) + " --output " + output + " --disable >/dev/null";
            EXPECT_EQ(std::system(manual.c_str()), 0) << output;
        }
        state = DumpWhen([&](State& v) { return agreed = agree(v, 0); });
        EXPECT_TRUE(agreed) << Describe(state, chip, item);
        EXPECT_EQ(chip[kFanOutputs[0]], "100%");
        return state;
    }
    template <class Item>
    static std::string Describe(State& state, std::map<std::string, std::string>& chip, Item item) {
        std::string text = "page / chip:";
        for (std::size_t n = 0; n < kFanOutputs.size(); ++n)
            text += " " + kFanOutputs[n] + " " + state[item(n)] + " / " + chip[kFanOutputs[n]];
        return text + " (page " + state["main.state"] + ", timer 1 " + state["timer1"] + " every " +
               state["timer1Period"] + " ms, started " + state["timer1Starts"] + " times, last tick " +
               state["tick1Ms"] + " ms)\n" +
               velmar_e2e::LogTail(profile_);
    }

    static std::string profile_;
    static std::string app_;
    pid_t pid_ = -1;
    State state_;
    int x_ = 0;
    int y_ = 0;
};

std::string BundledSkinE2E::profile_;
std::string BundledSkinE2E::app_;

TEST_F(BundledSkinE2E, KavoShowsTheChipsDutiesTheFanViewAndSendsTheModeKeyToModeControl) {
    Start();
    ASSERT_EQ(state_["windowVisible"], "1");

    // The four tiles bound by id show ZEFAN's captions and the chip's duties.
    State state = DumpWhen([](State& v) { return v["main.FAN+ZEFAN_FAN_3+CAPTION"] == "CPU FAN 2"; });
    EXPECT_EQ(state["main.FAN+ZEFAN_FAN_0+CAPTION"], "CPU FAN");
    EXPECT_EQ(state["main.FAN+ZEFAN_FAN_1+CAPTION"], "SYS FAN");
    EXPECT_EQ(state["main.FAN+ZEFAN_FAN_2+CAPTION"], "SYS FAN 2");
    EXPECT_EQ(state["main.FAN+ZEFAN_FAN_3+CAPTION"], "CPU FAN 2");
    WaitForChipDuties("main", true);

    // "Fan view" (ZEFAN_PLUGIN, 12,226 84x24) shows ZEFAN's view.
    ClickSkin(12 + 42, 226 + 12);
    state = DumpWhen([](State& v) {
        return v["viewVisible"] == "1" && v["view.FAN+ZEFAN_FAN_0+CAPTION"] == "CPU FAN";
    });
    EXPECT_EQ(state["viewPlugin"], "ZEFAN_PLUGIN");
    EXPECT_EQ(state["viewVisible"], "1");
    EXPECT_EQ(state["view.FAN+ZEFAN_FAN_0+CAPTION"], "CPU FAN");

    // The mode key "Quiet" (174,50 50x22) reaches the mode-control plug-in as
    // a navigation command, and the page keeps its state.
    const std::size_t before = Journal().size();
    ClickSkin(174 + 25, 50 + 11);
    const std::string expected = "VARNOCCTRL_PLUGIN SendCommand CHANGE_MODE 3 0";
    for (int i = 0; i < 40 && Journal().find(expected, before) == std::string::npos; ++i)
        std::this_thread::sleep_for(250ms);
    EXPECT_NE(Journal().find(expected, before), std::string::npos) << Journal().substr(before);
    state = DumpWhen([](State& v) { return v["mode"] == "3" && v["main.state"].find("mode:3") != std::string::npos; });
    EXPECT_EQ(state["mode"], "3");
    EXPECT_NE(state["main.state"].find("mode:3"), std::string::npos) << state["main.state"];
    EXPECT_EQ(state["main.FAN+ZEFAN_FAN_0+CAPTION"], "CPU FAN");

    // TOP (208,9) toggles topmost; CLOSE (358,9) stores it and ends with 0.
    const bool topBefore = state["topmost"] == "1";
    ClickSkin(208 + 12, 9 + 12);
    state = DumpWhen([&](State& v) { return v["topmost"] == (topBefore ? "0" : "1"); });
    EXPECT_EQ(state["topmost"], topBefore ? "0" : "1");
    ClickSkin(358 + 12, 9 + 12);
    EXPECT_EQ(WaitExit(30s), 0) << velmar_e2e::LogTail(profile_);
    EXPECT_EQ(UserString("TOP"), topBefore ? "FALSE" : "TRUE");
    EXPECT_EQ(UserString("PosX"), std::to_string(x_));
    EXPECT_EQ(UserString("Mode"), "3");
}

TEST_F(BundledSkinE2E, SlateAsInitialSkinShowsTheFansAndItsButtonSwitchesBackToKavo) {
    Varnreg(std::string("set ") + kSettingsKey + " InitialSkin --string Slate.xml");
    Start();
    ASSERT_EQ(state_["windowVisible"], "1");
    State state = DumpWhen([](State& v) { return v["main.FAN+ZEFAN_FAN_1+CAPTION"] == "SYS FAN"; });
    EXPECT_EQ(state["main.FAN+ZEFAN_FAN_0+CAPTION"], "CPU FAN");
    EXPECT_EQ(state["main.FAN+ZEFAN_FAN_1+CAPTION"], "SYS FAN");
    WaitForChipDuties("main", true);

    // The button "KavoIII.xml" (108,330 24x24) changes the skin back: the
    // window takes KavoIII's size, and its "Fan view" button then shows the
    // view with the main page's tiles following the chip again.
    EXPECT_EQ(state["windowSize"], "240,368");
    ClickSkin(108 + 12, 330 + 12);
    state = DumpWhen([](State& v) { return v["windowSize"] == "400,362"; });
    ASSERT_EQ(state["windowSize"], "400,362") << "the skin did not change back";
    ASSERT_EQ(std::sscanf(state["windowPos"].c_str(), "%d,%d", &x_, &y_), 2);
    std::this_thread::sleep_for(1s);  // the new face settles before the click
    ClickSkin(12 + 42, 226 + 12);
    state = DumpWhen([](State& v) {
        return v["viewVisible"] == "1" && v["main.FAN+ZEFAN_FAN_3+CAPTION"] == "CPU FAN 2";
    });
    EXPECT_EQ(state["viewVisible"], "1");
    EXPECT_EQ(state["main.FAN+ZEFAN_FAN_3+CAPTION"], "CPU FAN 2");
    WaitForChipDuties("main", false);
    kill(pid_, SIGTERM);
    EXPECT_EQ(WaitExit(30s), 0) << velmar_e2e::LogTail(profile_);
    EXPECT_EQ(UserString("InitialSkin"), "KavoIII.xml");
}

}  // namespace
