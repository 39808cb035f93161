// The mode protocol and every row of the event callback, with the real
// mode-control and automatic-mode recording plug-ins calling back into the
// host through the callback they were given.
#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include "DlLoader.h"
#include "HostEventCallback.h"
#include "OperatingModes.h"
#include "PluginCalls.h"
#include "PluginLoader.h"
#include "RecordingMessageBox.h"
#include "RecordingModePorts.h"
#include "host_test_support.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class OperatingModesTest : public HostFrameworkTest {
protected:
    void SetUp() override {
        HostFrameworkTest::SetUp();
        ports_.sink = [this](const std::string& event) { Note(event); };
        SetHostEventTarget(&modes_);
    }
    void TearDown() override {
        loader_.UnloadAll(plugins_);
        SetHostEventTarget(nullptr);
        HostFrameworkTest::TearDown();
    }
    void Load(const std::vector<std::string>& identifiers) {
        std::vector<std::string> paths;
        for (const std::string& id : identifiers) paths.push_back(RecordingPluginPath(id));
        ListPlugins(paths);
        loader_.LoadAll(plugins_, {0, &modes_.CurrentMode, HostPluginEventCallback});
        ClearJournal();
        ports_.events.clear();
    }
    // A plug-in sends an event from inside a host call, as a real one does.
    void Emit(const std::string& id, const std::string& event, int value) {
        ASSERT_TRUE(plugin_calls::SendThroughTemporaryExtend(plugins_.FindByName(id), ("EMIT_" + event).c_str(),
                                                             value, 0));
    }
    // Host requests and plug-in commands in one order, without the lookups.
    std::vector<std::string> Timeline() const {
        std::vector<std::string> lines;
        for (const std::string& line : Journal()) {
            if (line.starts_with("HOST ")) lines.push_back(line.substr(5));
            else if (line.find(" SendCommand ") != std::string::npos && line.find(" EMIT_") == std::string::npos)
                lines.push_back(line);
        }
        return lines;
    }

    CDlLoader dl_;
    CSonameVersionReader versions_;
    CRecordingMessageBox messages_;
    CPluginLoader loader_{dl_, versions_, messages_, &hives_};
    CLoadedPlugins plugins_;
    CRecordingModePorts ports_;
    COperatingModes modes_{plugins_, ports_.Ports()};
};

TEST_F(OperatingModesTest, ModeButtonsChangeTheModeThenTheScriptThenThePluginThenTheView) {
    Load({"VARNOCCTRL_PLUGIN"});
    EXPECT_TRUE(modes_.OnModeCommand(1019));
    EXPECT_EQ(modes_.CurrentMode, 3);
    EXPECT_THAT(Timeline(), ElementsAre("script BeginChangeMode 3 ", "VARNOCCTRL_PLUGIN SendCommand CHANGE_MODE 3 0",
                                        "view 3"));
    EXPECT_FALSE(modes_.OnModeCommand(1015));
    EXPECT_FALSE(modes_.OnModeCommand(1023));
    EXPECT_TRUE(modes_.OnModeCommand(1016));
    EXPECT_TRUE(modes_.OnModeCommand(1022));
    EXPECT_EQ(modes_.CurrentMode, 6);
}

TEST_F(OperatingModesTest, DialogChangeMakesOnlyTheNextModeStepATest) {
    Load({"VARNOCCTRL_PLUGIN", "ZETA_PLUGIN"});
    Emit("ZETA_PLUGIN", "DLG_CHANGED", 1);
    EXPECT_TRUE(modes_.DlgChanged);
    modes_.ChangeMode(2);
    modes_.ChangeMode(5);
    EXPECT_THAT(Timeline(), ElementsAre("apply on", "script BeginChangeMode 2 ",
                                        "VARNOCCTRL_PLUGIN SendCommand TEST_MODE 0 0", "view 2",
                                        "script BeginChangeMode 5 ",
                                        "VARNOCCTRL_PLUGIN SendCommand CHANGE_MODE 5 0", "view 5"));
    EXPECT_FALSE(modes_.DlgChanged);
}

TEST_F(OperatingModesTest, DialogChangeWithOtherValuesOnlyEnablesApply) {
    Load({"VARNOCCTRL_PLUGIN", "ZETA_PLUGIN"});
    Emit("ZETA_PLUGIN", "DLG_CHANGED", 0);
    Emit("ZETA_PLUGIN", "DLG_CHANGED", 7);
    EXPECT_FALSE(modes_.DlgChanged);
    modes_.ApplyModeAfterSettings();
    EXPECT_THAT(Timeline(), ElementsAre("apply on", "apply on", "VARNOCCTRL_PLUGIN SendCommand CHANGE_MODE 0 0"));
}

TEST_F(OperatingModesTest, ApplyAfterSettingsTestsAfterADialogChangeWithoutScriptOrView) {
    Load({"VARNOCCTRL_PLUGIN", "ZETA_PLUGIN"});
    modes_.CurrentMode = 4;
    Emit("ZETA_PLUGIN", "DLG_CHANGED", 1);
    modes_.ApplyModeAfterSettings();
    modes_.ApplyModeAfterSettings();
    EXPECT_THAT(Timeline(), ElementsAre("apply on", "VARNOCCTRL_PLUGIN SendCommand TEST_MODE 0 0",
                                        "VARNOCCTRL_PLUGIN SendCommand CHANGE_MODE 4 0"));
}

TEST_F(OperatingModesTest, AutoPaceChoiceRunsTheFullChangeOnlyForModesAndOnlyFromAutoPace) {
    Load({"VARNOCCTRL_PLUGIN", "VARNAUTOPACE_PLUGIN", "ZETA_PLUGIN"});
    Emit("VARNAUTOPACE_PLUGIN", "CHANGE_MODE_AUTOPACE", 7);
    Emit("VARNAUTOPACE_PLUGIN", "CHANGE_MODE_AUTOPACE", -1);
    Emit("ZETA_PLUGIN", "CHANGE_MODE_AUTOPACE", 2);
    EXPECT_THAT(Timeline(), IsEmpty());
    Emit("VARNAUTOPACE_PLUGIN", "CHANGE_MODE_AUTOPACE", 3);
    EXPECT_EQ(modes_.CurrentMode, 3);
    EXPECT_THAT(Timeline(), ElementsAre("script BeginChangeMode 3 ", "VARNOCCTRL_PLUGIN SendCommand CHANGE_MODE 3 0",
                                        "view 3"));
}

TEST_F(OperatingModesTest, HardwareWarningStartsTheAnimationOnceAndTimerTwoWhileInTheTray) {
    Load({"VARNEQ_PLUGIN", "ZETA_PLUGIN"});
    modes_.WindowShown = true;
    Emit("VARNEQ_PLUGIN", "HARDWARE_WARNING", 1);
    EXPECT_TRUE(modes_.WarningActive);
    modes_.WindowShown = false;
    Emit("VARNEQ_PLUGIN", "HARDWARE_WARNING", 1);
    Emit("VARNEQ_PLUGIN", "HARDWARE_WARNING", 1);
    EXPECT_THAT(ports_.events, ElementsAre("tray start", "timer2 start 2000", "timer2 start 2000"));
    ports_.events.clear();
    Emit("VARNEQ_PLUGIN", "HARDWARE_WARNING", 2);
    Emit("ZETA_PLUGIN", "HARDWARE_WARNING", 0);
    EXPECT_THAT(ports_.events, IsEmpty()) << "other values and other senders are ignored";
    Emit("VARNEQ_PLUGIN", "HARDWARE_WARNING", 0);
    EXPECT_FALSE(modes_.WarningActive);
    EXPECT_THAT(ports_.events, ElementsAre("tray end", "timer2 stop"));
    Emit("VARNEQ_PLUGIN", "HARDWARE_WARNING", 1);
    EXPECT_THAT(ports_.events, ElementsAre("tray end", "timer2 stop", "tray start", "timer2 start 2000"));
}

TEST_F(OperatingModesTest, ExternalChangeAsksTheModeAndRedrawsWithoutSendingItBack) {
    Configure("VARNOCCTRL_PLUGIN", "MODE", "2");
    Load({"VARNOCCTRL_PLUGIN", "ZETA_PLUGIN"});
    EXPECT_EQ(modes_.CurrentMode, 2);
    Configure("VARNOCCTRL_PLUGIN", "ON_CHANGE_MODE", "EXTERNAL_MODE_CHANGE:0");
    Emit("ZETA_PLUGIN", "EXTERNAL_MODE_CHANGE", 0);
    EXPECT_THAT(Timeline(), IsEmpty()) << "only the mode-control plug-in reports modes";
    Emit("VARNOCCTRL_PLUGIN", "EXTERNAL_MODE_CHANGE", 9);
    EXPECT_THAT(Timeline(), ElementsAre("VARNOCCTRL_PLUGIN SendCommand GETCURR_MODE ptr 0",
                                        "script BeginChangeMode 2 ", "view 2"));
}

TEST_F(OperatingModesTest, ChangeReportedFromInsideChangeModeRunsToCompletionInside) {
    Load({"VARNOCCTRL_PLUGIN"});
    // The plug-in applies mode 4 and, while still inside the call, reports
    // that the mode changed.
    Configure("VARNOCCTRL_PLUGIN", "ON_CHANGE_MODE", "EXTERNAL_MODE_CHANGE:0");
    modes_.ChangeMode(4);
    EXPECT_THAT(Timeline(), ElementsAre("script BeginChangeMode 4 ", "VARNOCCTRL_PLUGIN SendCommand CHANGE_MODE 4 0",
                                        "VARNOCCTRL_PLUGIN SendCommand GETCURR_MODE ptr 0",
                                        "script BeginChangeMode 4 ", "view 4", "view 4"));
    EXPECT_EQ(modes_.CurrentMode, 4);
}

TEST_F(OperatingModesTest, AutoPaceChoosingWhileBeingStartedNestsAFullModeChange) {
    Load({"VARNOCCTRL_PLUGIN", "VARNAUTOPACE_PLUGIN"});
    Configure("VARNAUTOPACE_PLUGIN", "ON_START_AUTOPACE", "CHANGE_MODE_AUTOPACE:1");
    modes_.SetAutoPaceFromPage("true");
    EXPECT_TRUE(modes_.AutoPaceOn);
    EXPECT_EQ(modes_.CurrentMode, 1);
    EXPECT_THAT(Timeline(), ElementsAre("VARNAUTOPACE_PLUGIN SendCommand START_AUTOPACE 0 0",
                                        "script BeginChangeMode 1 ", "VARNOCCTRL_PLUGIN SendCommand CHANGE_MODE 1 0",
                                        "view 1"));
    ClearJournal();
    modes_.SetAutoPaceFromPage("TRUE");
    EXPECT_FALSE(modes_.AutoPaceOn) << "only the exact text \"true\" switches it on";
    EXPECT_THAT(Timeline(), ElementsAre("VARNAUTOPACE_PLUGIN SendCommand STOP_AUTOPACE 0 0"));
}

TEST_F(OperatingModesTest, WithoutModePluginsChangesStillReachPageAndView) {
    Load({});
    modes_.ChangeMode(5);
    modes_.SetAutoPaceFromPage("true");
    modes_.RestoreAtStart({"TRUE", "TRUE", true, 2});
    EXPECT_EQ(modes_.CurrentMode, 5);
    EXPECT_TRUE(modes_.AutoPaceOn);
    EXPECT_THAT(ports_.events, ElementsAre("script BeginChangeMode 5 ", "view 5"))
        << "AutoPace at start needs the automatic-mode plug-in; the display needs mode control";
}

TEST_F(OperatingModesTest, StartRestoresTheStoredModeWhenAsked) {
    Configure("VARNOCCTRL_PLUGIN", "MODE", "1");
    Load({"VARNOCCTRL_PLUGIN", "VARNAUTOPACE_PLUGIN"});
    modes_.RestoreAtStart({"TRUE", "FALSE", true, 5});
    EXPECT_EQ(modes_.CurrentMode, 5);
    EXPECT_FALSE(modes_.AutoPaceOn);
    EXPECT_THAT(Timeline(), ElementsAre("VARNOCCTRL_PLUGIN SendCommand CHANGE_MODE 5 0", "script BeginChangeMode 5 "));
}

TEST_F(OperatingModesTest, StartWithoutChangeAtStartShowsThePluginsMode) {
    Configure("VARNOCCTRL_PLUGIN", "MODE", "3");
    Load({"VARNOCCTRL_PLUGIN"});
    modes_.RestoreAtStart({"", "FALSE", true, 5});
    EXPECT_EQ(modes_.CurrentMode, 3);
    EXPECT_THAT(Timeline(), ElementsAre("script BeginChangeMode 3 "));
    ClearJournal();
    modes_.RestoreAtStart({"TRUE", "", false, 0});
    EXPECT_EQ(modes_.CurrentMode, 0) << "a missing \"Mode\" restores 0";
}

TEST_F(OperatingModesTest, StartWithAutoPaceStartsItAndTellsThePage) {
    Configure("VARNOCCTRL_PLUGIN", "MODE", "2");
    Load({"VARNOCCTRL_PLUGIN", "VARNAUTOPACE_PLUGIN"});
    modes_.RestoreAtStart({"TRUE", "TRUE", true, 6});
    EXPECT_TRUE(modes_.AutoPaceOn);
    EXPECT_EQ(modes_.CurrentMode, 2) << "the stored mode is not used while automatic selection runs";
    EXPECT_THAT(Timeline(), ElementsAre("VARNAUTOPACE_PLUGIN SendCommand START_AUTOPACE 0 0",
                                        "script SetAutoPace true ", "script BeginChangeMode 2 ",
                                        "script BeginChangeMode 2 "));
}

TEST_F(OperatingModesTest, CallbackWithoutTargetOrWithNullTextsChangesNothing) {
    Load({"VARNEQ_PLUGIN"});
    EXPECT_EQ(HostPluginEventCallback(nullptr, "DLG_CHANGED", 0, 1, 0), 0);
    EXPECT_EQ(HostPluginEventCallback("VARNEQ_PLUGIN", nullptr, 0, 1, 0), 0);
    SetHostEventTarget(nullptr);
    EXPECT_EQ(HostPluginEventCallback("VARNEQ_PLUGIN", "HARDWARE_WARNING", 0, 1, 0), 0);
    EXPECT_EQ(HostPluginEventCallback("ZETA_PLUGIN", "DLG_CHANGED", 0, 1, 0), 0);
    EXPECT_FALSE(modes_.WarningActive);
    EXPECT_FALSE(modes_.DlgChanged);
    EXPECT_THAT(ports_.events, IsEmpty());
}

TEST_F(OperatingModesTest, EventNamesAndSendersCompareExactly) {
    Load({"VARNEQ_PLUGIN"});
    EXPECT_EQ(HostPluginEventCallback("varneq_plugin", "HARDWARE_WARNING", 0, 1, 0), 0);
    EXPECT_EQ(HostPluginEventCallback("VARNEQ_PLUGIN", "HARDWARE_WARNING ", 0, 1, 0), 0);
    EXPECT_EQ(HostPluginEventCallback("VARNEQ_PLUGIN", "DLG_CHANGE", 0, 1, 0), 0);
    EXPECT_THAT(ports_.events, IsEmpty());
}

}  // namespace

namespace {

TEST_F(OperatingModesTest, StartSettingsComeFromTheUsersHostKey) {
    StartModeSettings none = ReadStartModeSettings(&hives_);
    EXPECT_EQ(none.changeAtStart, "");
    EXPECT_FALSE(none.hasMode);
    SetUserValue("ChangeAtStart", "TRUE");
    SetUserValue("AutoPace", "FALSE");
    CRegistryAccess user(hives_);
    user.SetRootKey(HKEY_CURRENT_USER);
    user.SetDword("SOFTWARE\\VARN\\TamloIII", "Mode", 5);
    const StartModeSettings stored = ReadStartModeSettings(&hives_);
    EXPECT_EQ(stored.changeAtStart, "TRUE");
    EXPECT_EQ(stored.autoPace, "FALSE");
    EXPECT_TRUE(stored.hasMode);
    EXPECT_EQ(stored.mode, 5);
    // A number no mode has is as good as none: 0, and no mode is restored.
    user.SetDword("SOFTWARE\\VARN\\TamloIII", "Mode", 7);
    EXPECT_FALSE(ReadStartModeSettings(&hives_).hasMode);
    user.SetDword("SOFTWARE\\VARN\\TamloIII", "Mode", 0xFFFFFFFF);
    EXPECT_EQ(ReadStartModeSettings(&hives_).mode, 0);
}

}  // namespace
