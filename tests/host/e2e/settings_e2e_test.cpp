// The settings dialogs in the real Velmar under Xvfb: the bundled skin and
// ZEFAN on the simulated chip in a private registry. The program is read
// through its test-only dump (its "[dialog.<name>]" sections give each
// visible dialog's controls with their centres on screen) and driven with
// xdotool, as a user would.
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include "VelmarProcess.h"

namespace {

using namespace std::chrono_literals;
using State = std::map<std::string, std::string>;

constexpr const char* kSettingsKey = "'HKCU\\SOFTWARE\\VARN\\TamloIII'";

using velmar_e2e::Shell;

std::string Varnreg(const std::string& arguments) { return velmar_e2e::Varnreg(VELMAR_APP_DIR, arguments); }

class SettingsE2E : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const velmar_e2e::Profile profile = velmar_e2e::PrepareProfile("velmar-settings-e2e", VELMAR_APP_DIR);
        ASSERT_FALSE(profile.folder.empty());
        profile_ = profile.folder;
        app_ = profile.app;
        std::filesystem::copy(std::string(VELMAR_APP_DIR) + "/Skin", app_ + "/Skin",
                              std::filesystem::copy_options::recursive);
        velmar_e2e::RegisterZefanOnSimulatedBoard(VELMAR_APP_DIR, app_);
        Varnreg(std::string("set ") + kSettingsKey + " Interval --string 2");
        Varnreg(std::string("set ") + kSettingsKey + " Temperature --string 0");
        ASSERT_EQ(Varnreg("get 'HKLM\\SOFTWARE\\VARN\\APM' ZEFAN"), app_ + "/ZEFAN.so");
        artifacts_ = std::string(VELMAR_TEST_BIN_DIR) + "/../artifacts";
        std::filesystem::create_directories(artifacts_);
    }
    static void TearDownTestSuite() {
        std::error_code ignored;
        std::filesystem::remove_all(profile_, ignored);
    }

    void SetUp() override {
        for (const auto& entry : std::filesystem::directory_iterator(profile_ + "/run"))
            std::filesystem::remove_all(entry.path());
        pid_ = velmar_e2e::LaunchVelmar(app_, profile_);
        for (int i = 0; i < 400 && std::filesystem::is_empty(profile_ + "/run"); ++i) std::this_thread::sleep_for(50ms);
        state_ = DumpWhen([](State& v) { return v["pagesReady"] == "1" && v["windowVisible"] == "1"; });
        ASSERT_EQ(state_["windowVisible"], "1") << "the window never became visible";
        ASSERT_EQ(std::sscanf(state_["windowPos"].c_str(), "%d,%d", &x_, &y_), 2);
    }
    void TearDown() override {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        EXPECT_EQ(WaitExit(30s), 0) << velmar_e2e::LogTail(profile_);
    }

    int WaitExit(std::chrono::milliseconds limit) { return velmar_e2e::WaitExitOrKill(pid_, limit); }
    State Dump() {
        return velmar_e2e::RequestDump(pid_, profile_);
    }
    template <class Check>
    State DumpWhen(Check check, int tries = 40) {
        return velmar_e2e::DumpWhen(pid_, profile_, check, tries);
    }
    // Clicks the centre a dump gave for a control ("x,y,...").
    static void ClickCentre(const std::string& centre) {
        int cx = 0, cy = 0;
        ASSERT_EQ(std::sscanf(centre.c_str(), "%d,%d", &cx, &cy), 2) << "no such control";
        Shell("xdotool mousemove " + std::to_string(cx) + " " + std::to_string(cy) + " click 1");
    }
    void ClickSkin(int dx, int dy) {
        Shell("xdotool mousemove " + std::to_string(x_ + dx) + " " + std::to_string(y_ + dy) + " click 1");
    }
    // The bundled skin's SETUP button (298,9 24x24); the dialog is open when
    // its page list is dumped.
    State OpenSettings() {
        ClickSkin(310, 21);
        return DumpWhen([](State& v) { return v.count("dialog.SettingDialog.list.PageList") > 0; });
    }
    // Shows the general page and raises the interval by one with the arrow key.
    State ChangeIntervalAndUnit(State state, const char* unit) {
        ClickCentre(state["dialog.SettingDialog.item.General"]);
        state = DumpWhen([](State& v) { return v.count("dialog.SettingDialog.spin.GeneralPage") > 0; });
        ClickCentre(state["dialog.SettingDialog.spin.GeneralPage"]);
        Shell("xdotool key Up");
        ClickCentre(state[std::string("dialog.SettingDialog.button.") + unit]);
        return DumpWhen([](State& v) { return v["dialog.SettingDialog.button.Apply"].ends_with(",1,0"); });
    }
    static std::string UserString(const std::string& name) {
        return Varnreg(std::string("get ") + kSettingsKey + " " + name);
    }
    void SaveArtifact(const std::string& dialog, const std::string& name) {
        std::error_code error;
        std::filesystem::copy_file(profile_ + "/dump.txt." + dialog + ".png", artifacts_ + "/" + name,
                                   std::filesystem::copy_options::overwrite_existing, error);
        EXPECT_FALSE(error) << "no picture of " << dialog;
    }

    static std::string profile_;
    static std::string app_;
    static std::string artifacts_;
    pid_t pid_ = -1;
    State state_;
    int x_ = 0;
    int y_ = 0;
};

std::string SettingsE2E::profile_;
std::string SettingsE2E::app_;
std::string SettingsE2E::artifacts_;

TEST_F(SettingsE2E, ApplyStoresIntervalAndUnitAndRestartsTheMainTimerCancelStoresNothing) {
    EXPECT_EQ(state_["timer1Period"], "2000");
    const int startsBefore = std::stoi(state_["timer1Starts"]);

    State state = OpenSettings();
    const std::string pages = state["dialog.SettingDialog.list.PageList"];
    ASSERT_FALSE(pages.empty()) << "the settings dialog did not open";
    EXPECT_NE(pages.find("Fan Control"), std::string::npos) << pages;  // ZEFAN's page, named by the view INI
    EXPECT_TRUE(pages.ends_with("|General")) << pages;
    EXPECT_EQ(state["dialog.SettingDialog.current.PageList"], "Fan Control");  // the first page is shown

    state = ChangeIntervalAndUnit(state, "Fahrenheit");
    ASSERT_TRUE(state["dialog.SettingDialog.button.Apply"].ends_with(",1,0")) << "Apply stayed disabled";
    EXPECT_EQ(UserString("Interval"), "2");  // nothing is stored before Apply
    SaveArtifact("SettingDialog", "settings_dialog.png");
    ClickCentre(state["dialog.SettingDialog.button.Apply"]);
    state = DumpWhen([](State& v) { return v["timer1Period"] == "3000"; });
    EXPECT_EQ(UserString("Interval"), "3");
    EXPECT_EQ(UserString("Temperature"), "1");
    EXPECT_EQ(state["timer1Period"], "3000");
    EXPECT_GT(std::stoi(state["timer1Starts"]), startsBefore);
    EXPECT_EQ(state["timer1"], "1");

    // Back to Celsius and one more second, then Cancel: nothing is stored and
    // the timer keeps its period.
    state = ChangeIntervalAndUnit(state, "Celsius");
    ClickCentre(state["dialog.SettingDialog.button.Cancel"]);
    state = DumpWhen([](State& v) { return v.count("dialog.SettingDialog.title") == 0; });
    EXPECT_EQ(state.count("dialog.SettingDialog.title"), 0u) << "Cancel did not close the dialog";
    EXPECT_EQ(UserString("Interval"), "3");
    EXPECT_EQ(UserString("Temperature"), "1");
    EXPECT_EQ(state["timer1Period"], "3000");
}

// OK with ZEFAN's page stores the fans' values and the general page's in one
// batch: the user's hive is replaced once, not once per value.
TEST_F(SettingsE2E, OkWithZefansPageReplacesTheUserHiveOnce) {
    State state = OpenSettings();
    ASSERT_EQ(state["dialog.SettingDialog.current.PageList"], "Fan Control") << "ZEFAN's page is not shown";
    Varnreg("delete 'HKCU\\SOFTWARE\\VARN\\HWM\\7' TargetTemp");
    Varnreg(std::string("delete ") + kSettingsKey + " Min");
    const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ASSERT_GE(inotify_add_watch(watch, profile_.c_str(), IN_MOVED_TO), 0);
    ClickCentre(state["dialog.SettingDialog.button.OK"]);
    state = DumpWhen([](State& v) { return v.count("dialog.SettingDialog.title") == 0; });
    EXPECT_EQ(state.count("dialog.SettingDialog.title"), 0u) << "OK did not close the dialog";
    int replaced = 0;
    alignas(inotify_event) char events[4096];
    for (ssize_t n; (n = read(watch, events, sizeof events)) > 0;)
        for (char* p = events; p < events + n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(p);
            if (event->len > 0 && std::string(event->name) == "HKEY_CURRENT_USER.reg") ++replaced;
            p += sizeof(inotify_event) + event->len;
        }
    close(watch);
    EXPECT_EQ(replaced, 1);
    EXPECT_NE(Varnreg("get 'HKCU\\SOFTWARE\\VARN\\HWM\\7' TargetTemp"), "");
    EXPECT_EQ(UserString("Min"), "FALSE");
}

// SIGTERM (a log-out, a shutdown) while ZEFAN's page is open in the settings
// dialog: the library must stay until the dialog has given the page back.
TEST_F(SettingsE2E, SigtermWithZefansPageOpenStoresTheSettingsAndEndsWithZero) {
    State state = OpenSettings();
    ASSERT_EQ(state["dialog.SettingDialog.current.PageList"], "Fan Control") << "ZEFAN's page is not shown";
    for (const char* name : {"PosX", "PosY", "TOP", "TRANS", "Mode", "AutoPace"})
        Varnreg(std::string("delete ") + kSettingsKey + " " + name);
    ASSERT_EQ(UserString("PosX"), "");
    kill(pid_, SIGTERM);
    EXPECT_EQ(WaitExit(30s), 0) << velmar_e2e::LogTail(profile_);
    EXPECT_EQ(UserString("PosX"), std::to_string(x_));
    EXPECT_EQ(UserString("PosY"), std::to_string(y_));
    EXPECT_EQ(UserString("TOP"), "FALSE");
    EXPECT_EQ(UserString("TRANS"), "255");
    EXPECT_EQ(UserString("Mode"), "0");
    EXPECT_EQ(UserString("AutoPace"), "FALSE");
}

TEST_F(SettingsE2E, TrayMenuAboutListsZefanAndTheSimulatedChip) {
    // There is no tray under Xvfb: the hook stands in for the right click on
    // the icon, and the menu it pops up is the real one.
    {
        std::ofstream command(profile_ + "/dump.txt.command");
        command << "tray-menu";
    }
    Dump();  // takes the command; the menu pops up once the dump is written
    State state = DumpWhen([](State& v) { return v.count("dialog.TrayMenu.action.About") > 0; });
    ASSERT_EQ(state.count("dialog.TrayMenu.action.About"), 1u) << "the tray menu did not pop up";
    for (const char* item : {"Maximize", "Minimize", "Exit"})
        EXPECT_EQ(state.count(std::string("dialog.TrayMenu.action.") + item), 1u) << item;
    // The window is shown: "Minimize" is the default, marked bold.
    EXPECT_TRUE(state["dialog.TrayMenu.action.Minimize"].ends_with(",1"));
    EXPECT_TRUE(state["dialog.TrayMenu.action.About"].ends_with(",0"));
    SaveArtifact("TrayMenu", "tray_menu.png");
    ClickCentre(state["dialog.TrayMenu.action.About"]);

    state = DumpWhen([](State& v) { return v.count("dialog.AboutDlg.title") > 0; });
    ASSERT_EQ(state["dialog.AboutDlg.title"], "About");
    EXPECT_EQ(state["dialog.AboutDlg.label.VersionLine"], "EXE Version 3.1.0.1");
    EXPECT_NE(state["dialog.AboutDlg.label.BackendLine"].find("simulated"), std::string::npos)
        << state["dialog.AboutDlg.label.BackendLine"];
    EXPECT_NE(state["dialog.AboutDlg.tree.PluginList"].find("ZEFAN.so"), std::string::npos)
        << state["dialog.AboutDlg.tree.PluginList"];
    SaveArtifact("AboutDlg", "about_dialog.png");
    ClickCentre(state["dialog.AboutDlg.button.Close"]);
    state = DumpWhen([](State& v) { return v.count("dialog.AboutDlg.title") == 0; });
    EXPECT_EQ(state.count("dialog.AboutDlg.title"), 0u);
}

TEST_F(SettingsE2E, TransparencyChosenWithOkIsKeptAtExit) {
    ClickSkin(250, 21);  // TRANSPARENTDLG (238,9 24x24)
    State state = DumpWhen([](State& v) { return v.count("dialog.TransDialog.slider.TransparencySlider") > 0; });
    ASSERT_EQ(state["dialog.TransDialog.title"], "Transparent Setting");
    EXPECT_TRUE(state["dialog.TransDialog.slider.TransparencySlider"].ends_with(",255"));
    EXPECT_EQ(state["dialog.TransDialog.label.Percent"], "100%");
    // Home moves the slider to its lowest level.
    ClickCentre(state["dialog.TransDialog.slider.TransparencySlider"]);
    Shell("xdotool key Home");
    state = DumpWhen([](State& v) { return v["dialog.TransDialog.label.Percent"] == "40%"; });
    EXPECT_TRUE(state["dialog.TransDialog.slider.TransparencySlider"].ends_with(",103"));
    EXPECT_EQ(state["dialog.TransDialog.label.Percent"], "40%");
    ClickCentre(state["dialog.TransDialog.button.OK"]);
    state = DumpWhen([](State& v) { return v.count("dialog.TransDialog.title") == 0; });
    EXPECT_EQ(state.count("dialog.TransDialog.title"), 0u);
    kill(pid_, SIGTERM);
    EXPECT_EQ(WaitExit(30s), 0) << velmar_e2e::LogTail(profile_);
    EXPECT_EQ(Varnreg(std::string("get ") + kSettingsKey + " TRANS"), "103");
    Varnreg(std::string("set ") + kSettingsKey + " TRANS --dword 255");
}

TEST_F(SettingsE2E, SkinSelectionListsTheBundledSkinsAndCloseOnlyHidesIt) {
    ClickSkin(280, 21);  // CHANGESKIN (268,9 24x24)
    State state = DumpWhen([](State& v) { return v.count("dialog.SkinSetting.list.SkinList") > 0; });
    const std::string skins = state["dialog.SkinSetting.list.SkinList"];
    EXPECT_NE(skins.find("Kavo III"), std::string::npos) << skins;
    EXPECT_NE(skins.find("Slate (compact)"), std::string::npos) << skins;
    EXPECT_EQ(state["dialog.SkinSetting.current.SkinList"], "Kavo III");
    ClickCentre(state["dialog.SkinSetting.button.Close"]);
    state = DumpWhen([](State& v) { return v.count("dialog.SkinSetting.title") == 0; });
    EXPECT_EQ(state.count("dialog.SkinSetting.title"), 0u);
    // Opened again, the same dialog shows the same list.
    ClickSkin(280, 21);
    state = DumpWhen([](State& v) { return v.count("dialog.SkinSetting.list.SkinList") > 0; });
    EXPECT_EQ(state["dialog.SkinSetting.list.SkinList"], skins);
}

}  // namespace
