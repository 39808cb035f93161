#include "FakePlugin.h"
#include "SettingDialog.h"
#include "SettingsDoubles.h"
#include "SettingsTestEnvironment.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

constexpr const char* kIni =
    "[FAN_PLUGIN]\nIcon=fan.ico\nName=Fan\n"
    "[CLOCK_PLUGIN]\nIcon=icons\\clock.ico\nName=Clock\n"  // written on the original platform
    "[NOICON_PLUGIN]\nName=No icon\n"
    "[NONAME_PLUGIN]\nIcon=noname.ico\n";

class SettingDialogTest : public SettingsTest {
protected:
    void SetUp() override {
        SettingsTest::SetUp();
        frame.iniPath = WriteFile("plugin.ini", kIni);
        dialog.GeneralPage().SetExecutablePath("/opt/velmar/Velmar");
    }
    bool Open() {
        const bool ok = dialog.OnInitDialog(view);
        log.clear();
        return ok;
    }

    std::vector<std::string> log;
    FakeFrame frame{log};
    CSettingDialog dialog{frame, &hives};
    FakeSettingView view{dialog};
    FakePlugin fan{"FAN_PLUGIN", log};
    FakePlugin clock{"CLOCK_PLUGIN", log};
};

TEST_F(SettingDialogTest, WithoutPluginPagesOnlyGeneralIsListedAndShown) {
    FakePlugin info{"INFO_PLUGIN", log, /*offersDialog=*/false};
    frame.plugins = {info.Base()};
    ASSERT_TRUE(Open());
    EXPECT_THAT(view.items, ElementsAre("General"));
    EXPECT_TRUE(view.generalShown);
    EXPECT_EQ(view.caption, "General Setting");
    EXPECT_EQ(info.References(), 1);
    EXPECT_TRUE(view.general.intervalShown);
}

TEST_F(SettingDialogTest, SkinWithoutUpdateTimerHidesTheIntervalControls) {
    frame.skinTimer = false;
    ASSERT_TRUE(Open());
    EXPECT_FALSE(view.general.intervalShown);
}

TEST_F(SettingDialogTest, OpeningCreatesEveryPageThenShowsTheFirstWithParentThenUnit) {
    StoreSetting("Temperature", "1");
    frame.plugins = {fan.Base(), clock.Base()};
    ASSERT_TRUE(dialog.OnInitDialog(view));
    EXPECT_THAT(log, ElementsAre("FAN_PLUGIN CreatePage", "CLOCK_PLUGIN CreatePage",
                                 "FAN_PLUGIN CreatePage", "FAN_PLUGIN SET_PARENT window 0",
                                 "FAN_PLUGIN SET_TEMPERATURE_DISP 1 0"));
    EXPECT_THAT(view.items, ElementsAre("Fan", "Clock", "General"));
    EXPECT_THAT(view.icons, ElementsAre("/skin/fan.ico", "/skin/icons/clock.ico", "application"));
    EXPECT_EQ(view.caption, "Fan");
    EXPECT_EQ(view.shownPage, fan.PageWindow());
    EXPECT_FALSE(view.generalShown);
    EXPECT_FALSE(view.applyEnabled);
    // Each listed page holds one reference until OK or Cancel.
    EXPECT_EQ(fan.References(), 2);
    EXPECT_EQ(clock.References(), 2);
}

TEST_F(SettingDialogTest, SwitchingPagesSendsOnlySetParentAndTheGeneralItemShowsGeneral) {
    frame.plugins = {fan.Base(), clock.Base()};
    ASSERT_TRUE(Open());
    dialog.OnItemChangedPageList(1);
    dialog.OnItemChangedPageList(1);
    EXPECT_THAT(log, ElementsAre("CLOCK_PLUGIN CreatePage", "CLOCK_PLUGIN SET_PARENT window 0",
                                 "CLOCK_PLUGIN CreatePage", "CLOCK_PLUGIN SET_PARENT window 0"));
    EXPECT_EQ(view.shownPage, clock.PageWindow());
    EXPECT_EQ(view.caption, "Clock");

    dialog.OnItemChangedPageList(2);
    EXPECT_EQ(view.shownPage, nullptr);
    EXPECT_TRUE(view.generalShown);
    EXPECT_EQ(view.caption, "General Setting");
    dialog.OnItemChangedPageList(-1);  // selection cleared: nothing changes
    EXPECT_EQ(view.caption, "General Setting");
}

TEST_F(SettingDialogTest, OkCommitsEveryPageStoresGeneralThenModeStepBeforeTimer) {
    frame.plugins = {fan.Base(), clock.Base()};
    const int result = dialog.DoModal([&] {
        dialog.OnInitDialog(view);
        log.clear();
        view.general.position = 5;
        dialog.GeneralPage().OnFahrenheitClicked();
        dialog.OnOK();
        return view.result;
    });
    EXPECT_EQ(result, CSettingDialog::IDOK);
    EXPECT_THAT(log, ElementsAre("FAN_PLUGIN OnOK", "FAN_PLUGIN SET_TEMPERATURE_DISP 1 0",
                                 "FAN_PLUGIN RESET_PARENT 0 0", "CLOCK_PLUGIN OnOK",
                                 "CLOCK_PLUGIN SET_TEMPERATURE_DISP 1 0", "CLOCK_PLUGIN RESET_PARENT 0 0",
                                 "frame ModeStep", "frame ReloadInterval"));
    EXPECT_EQ(Setting("Interval"), "5");
    EXPECT_EQ(Setting("Temperature"), "1");
    EXPECT_EQ(Setting("Min"), "FALSE");
    EXPECT_EQ(fan.References(), 1);
    EXPECT_EQ(clock.References(), 1);
}

TEST_F(SettingDialogTest, CancelSendsOnlyResetParentAndStoresNothing) {
    frame.plugins = {fan.Base(), clock.Base()};
    const int result = dialog.DoModal([&] {
        dialog.OnInitDialog(view);
        log.clear();
        dialog.GeneralPage().OnMinimizeClicked();
        dialog.GeneralPage().OnFahrenheitClicked();
        dialog.OnCancel();
        return view.result;
    });
    EXPECT_EQ(result, CSettingDialog::IDCANCEL);
    EXPECT_THAT(log, ElementsAre("FAN_PLUGIN OnCancel", "FAN_PLUGIN RESET_PARENT 0 0",
                                 "CLOCK_PLUGIN OnCancel", "CLOCK_PLUGIN RESET_PARENT 0 0"));
    EXPECT_EQ(Setting("Min"), "<absent>");
    EXPECT_EQ(Setting("Temperature"), "<absent>");
    EXPECT_EQ(Setting("Interval"), "<absent>");
    EXPECT_EQ(fan.References(), 1);
    EXPECT_EQ(clock.References(), 1);
}

TEST_F(SettingDialogTest, ApplySendsTheNewUnitStoresThenRestartsTimerBeforeModeStepAndDisablesApply) {
    frame.plugins = {fan.Base()};
    ASSERT_TRUE(Open());
    dialog.GeneralPage().OnFahrenheitClicked();
    EXPECT_TRUE(view.applyEnabled);
    dialog.OnApplyClicked();
    EXPECT_THAT(log, ElementsAre("FAN_PLUGIN OnApply", "FAN_PLUGIN SET_TEMPERATURE_DISP 1 0",
                                 "frame ReloadInterval", "frame ModeStep"));
    EXPECT_EQ(Setting("Temperature"), "1");
    EXPECT_FALSE(view.applyEnabled);
    EXPECT_EQ(fan.References(), 2);  // the page stays open
    dialog.EnableApply(true);
    EXPECT_TRUE(view.applyEnabled);
}

// Apply, a failed Apply, then OK, with a page that stores a fan's seven
// values as ZEFAN's does: through the process's hives, as a plug-in library
// does, reading back what it has just stored. Each commit rewrites the user
// hive once; one that cannot be written is shown, stores nothing and leaves
// Apply enabled.
TEST_F(SettingDialogTest, OkAndApplyRewriteTheUserHiveOnceAndShowWhenTheyCannot) {
    std::uint32_t pass = 0;
    fan.commit = [&] {
        CRegistryAccess registry(CRegistryAccess::Edition::Plugin);
        registry.SetRootKey(HKEY_CURRENT_USER);
        ++pass;
        for (const char* name : {"SmartFanSupport", "SmartFanEnable", "TargetTemp", "ToleranceTemp", "StartCtrl",
                                 "StopCtrl", "FanCtrlPin"})
            ASSERT_TRUE(registry.SetInt("SOFTWARE\\VARN\\HWM\\7", name, static_cast<int>(pass)));
        std::string back;
        ASSERT_TRUE(registry.QueryString("SOFTWARE\\VARN\\HWM\\7", "TargetTemp", back));
        EXPECT_EQ(back, std::to_string(pass));
    };
    frame.plugins = {fan.Base(), clock.Base()};
    ASSERT_TRUE(Open());
    dialog.GeneralPage().OnFahrenheitClicked();
    const int before = hives.currentUserFile.ReplaceCount();
    dialog.OnApplyClicked();
    EXPECT_EQ(hives.currentUserFile.ReplaceCount(), before + 1);
    EXPECT_EQ(Setting("Temperature"), "1");
    EXPECT_THAT(view.messages, IsEmpty());

    dialog.EnableApply(true);  // the page changed again
    hives.currentUserFile.failReplace = true;
    dialog.OnApplyClicked();
    hives.currentUserFile.failReplace = false;
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_TRUE(view.messages[0].starts_with("The settings could not be stored: cannot write HKEY_CURRENT_USER"))
        << view.messages[0];
    EXPECT_TRUE(view.applyEnabled);
    EXPECT_EQ(UserValue("SOFTWARE\\VARN\\HWM\\7", "TargetTemp"), "1");

    dialog.OnOK();
    EXPECT_EQ(view.result, CSettingDialog::IDOK);
    EXPECT_EQ(hives.currentUserFile.ReplaceCount(), before + 2);
    EXPECT_EQ(UserValue("SOFTWARE\\VARN\\HWM\\7", "StopCtrl"), "3");
    EXPECT_EQ(hives.localMachineFile.ReplaceCount(), 0);
}

TEST_F(SettingDialogTest, PageWithoutExtensionIsSkippedWithItsReferenceReturned) {
    FakePlugin mute{"FAN_PLUGIN", log, /*offersDialog=*/true, /*offersExtend=*/false};
    frame.plugins = {mute.Base(), clock.Base()};
    ASSERT_TRUE(Open());
    EXPECT_THAT(view.items, ElementsAre("Clock", "General"));
    EXPECT_EQ(mute.References(), 1);
    EXPECT_FALSE(mute.PageOpen());
}

TEST_F(SettingDialogTest, MissingIconStringWarnsThenStopsAtTheIconAndProtectsStoredSettings) {
    StoreSetting("Interval", "7");
    FakePlugin noIcon{"NOICON_PLUGIN", log};
    frame.plugins = {fan.Base(), noIcon.Base(), clock.Base()};
    EXPECT_FALSE(dialog.OnInitDialog(view));
    EXPECT_THAT(view.messages, ElementsAre("Icon string Error", "Icon file error"));
    EXPECT_THAT(view.items, ElementsAre("Fan"));
    EXPECT_FALSE(view.generalCreated);
    EXPECT_EQ(view.shownPage, nullptr);
    EXPECT_FALSE(view.okEnabled);
    EXPECT_FALSE(view.applyEnabled);
    EXPECT_EQ(noIcon.References(), 1);
    EXPECT_EQ(clock.References(), 1);  // never reached

    log.clear();
    dialog.EnableApply(true);  // a plug-in's "DLG_CHANGED"
    EXPECT_FALSE(view.applyEnabled);
    dialog.OnOK();
    dialog.OnApplyClicked();
    EXPECT_THAT(log, IsEmpty());
    EXPECT_EQ(Setting("Interval"), "7");
    EXPECT_EQ(UserValue(CGeneralSettingDlg::kRunKey, CGeneralSettingDlg::kRunValue), "<absent>");
    EXPECT_EQ(Setting("Min"), "<absent>");

    dialog.OnCancel();  // the pages made so far are closed and give their references back
    EXPECT_THAT(log, ElementsAre("FAN_PLUGIN OnCancel", "FAN_PLUGIN RESET_PARENT 0 0"));
    EXPECT_EQ(fan.References(), 1);
    EXPECT_EQ(view.result, CSettingDialog::IDCANCEL);
}

TEST_F(SettingDialogTest, MissingNameStopsWithNameError) {
    FakePlugin noName{"NONAME_PLUGIN", log};
    frame.plugins = {noName.Base(), fan.Base()};
    EXPECT_FALSE(dialog.OnInitDialog(view));
    EXPECT_THAT(view.messages, ElementsAre("Name Error"));
    EXPECT_THAT(view.items, IsEmpty());
    EXPECT_EQ(noName.References(), 1);
    EXPECT_FALSE(view.okEnabled);
}

TEST_F(SettingDialogTest, UnloadableIconFileStopsWithIconFileError) {
    view.badIcons = {"/skin/icons/clock.ico"};
    frame.plugins = {fan.Base(), clock.Base()};
    EXPECT_FALSE(dialog.OnInitDialog(view));
    EXPECT_THAT(view.messages, ElementsAre("Icon file error"));
    EXPECT_THAT(view.items, ElementsAre("Fan"));
}

TEST_F(SettingDialogTest, EnableApplyIsHarmlessWhileClosedAndEveryOpeningStartsAfresh) {
    dialog.EnableApply(true);
    frame.plugins = {fan.Base()};
    ASSERT_TRUE(Open());
    dialog.OnCancel();
    dialog.OnDestroy();
    dialog.EnableApply(true);
    ASSERT_TRUE(Open());
    EXPECT_THAT(view.items, ElementsAre("Fan", "General"));
    EXPECT_FALSE(view.applyEnabled);
    dialog.OnDestroy();  // closed without OK or Cancel: the page's reference still comes back
    EXPECT_EQ(fan.References(), 1);
}

}  // namespace
