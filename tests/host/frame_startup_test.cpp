// The main frame's start-up: the first-completion sequence in its order, the
// single-instance rule, the fatal skin failure, stored position and skin,
// staying hidden until the view's page completes, and a page completing again.
#include "frame_test_support.h"

namespace {

class FrameStartupTest : public FrameTest {};

TEST_F(FrameStartupTest, FirstCompletionRunsItsStepsInOrder) {
    ListPlugins({"ZETA_PLUGIN", "VARNOCCTRL_PLUGIN"});
    SetUserString("TOP", "TRUE");
    // What is in place when the page's "OnInitial" runs tells the order of
    // the steps around it.
    std::string atInitial;
    page_.Define("OnInitial", [&](const std::vector<std::string>&) {
        atInitial = "plugins=" + std::to_string(Frame().Plugins().Plugins().size()) +
                    " tray=" + (trayIcon_.shown ? "1" : "0") + " timer1=" + (timers_.IsRunning(1) ? "1" : "0") +
                    " topmost=" + (window_.topmost ? "1" : "0");
        return ScriptOutcome{};
    });
    Started(false);

    EXPECT_EQ(atInitial, "plugins=2 tray=1 timer1=0 topmost=0");
    const int viewCreated = log_.IndexOf("view created");
    const int composed = log_.IndexOf("body");
    const int trayAdded = log_.IndexOf("tray add");
    const int initial = log_.IndexOf("call OnInitial");
    const int topmost = log_.IndexOf("window topmost 1");
    const int beginMode = log_.IndexOf("call BeginChangeMode");
    ASSERT_GE(viewCreated, 0);
    EXPECT_LT(viewCreated, composed);
    EXPECT_LT(composed, trayAdded);
    EXPECT_LT(trayAdded, initial);
    EXPECT_LT(initial, topmost);
    // The mode-control plug-in is loaded: the page is told the mode last.
    EXPECT_LT(topmost, beginMode);
    EXPECT_TRUE(timers_.IsRunning(kMainTimer));
    EXPECT_EQ(timers_.Period(kMainTimer), CGeneralSettingDlg::kIntervalDefault * 1000);
    EXPECT_TRUE(machine_.blocks.count("CInstanceChecker_MMF_Velmar"));
    EXPECT_EQ(window_.applicationName, "Velmar");
    EXPECT_EQ(trayIcon_.tooltip, "Velmar");
    EXPECT_EQ(ViewWindow().pageLoads, 1);
}

TEST_F(FrameStartupTest, SecondInstanceEndsAtOnceWithoutWindowOrPlugins) {
    ListPlugins({"ZETA_PLUGIN"});
    CMemoryInstanceBlock first(machine_, 2);
    ASSERT_TRUE(first.Create("CInstanceChecker_MMF_Velmar", 77));
    Started();
    EXPECT_EQ(window_.exitCode, 0);
    EXPECT_TRUE(Frame().Ended());
    EXPECT_EQ(viewFactory_.created, 0);
    EXPECT_EQ(log_.IndexOf("body"), -1);
    EXPECT_TRUE(JournalOf("ZETA_PLUGIN").empty());
    EXPECT_FALSE(window_.visible);
    EXPECT_EQ(UserDword("PosX"), -1);
    // The first instance's block is untouched.
    EXPECT_EQ(machine_.blocks.at("CInstanceChecker_MMF_Velmar").windowId, 77u);
}

TEST_F(FrameStartupTest, SkinThatCannotBeComposedIsFatalAndStoresNothing) {
    ListPlugins({"ZETA_PLUGIN"});
    SetUserDword("PosX", 111);
    SetUserDword("Mode", 4);
    SetUserDword("TRANS", 200);
    SetUserString("TOP", "TRUE");
    std::filesystem::remove(programFolder_ + "Skin/KavoIII.xml");
    // SIGTERM while the message is open: the exit waits for the sequence,
    // which has ended the program by then.
    std::string caption;
    messages_.onShow = [&](const std::string&) {
        caption = window_.applicationName;
        Frame().OnSessionEnd();
    };
    Started();
    EXPECT_EQ(messages_.shown, std::vector<std::string>{kInitialSkinFail});
    EXPECT_EQ(caption, "Velmar");  // the program's name: no skin has named it yet
    EXPECT_EQ(window_.exitCode, 0);
    EXPECT_EQ(log_.Count("end 0"), 1);
    EXPECT_TRUE(JournalOf("ZETA_PLUGIN").empty());
    EXPECT_EQ(UserDword("PosX"), 111);
    EXPECT_EQ(UserDword("Mode"), 4);
    EXPECT_EQ(UserDword("TRANS"), 200);
    EXPECT_EQ(UserString("TOP"), "TRUE");
    EXPECT_EQ(UserString("InitialSkin"), "<missing>");
    EXPECT_FALSE(trayIcon_.shown);
}

TEST_F(FrameStartupTest, PluginsGetTheWidgetAsWindowHandleAndMessagesAreCaptioned) {
    Configure("KAVOCLOCK_PLUGIN", "INITIAL", "1");
    Configure("OMEGA_PLUGIN", "NO_BASE", "1");
    ListPlugins({"KAVOCLOCK_PLUGIN", "OMEGA_PLUGIN"});
    std::string caption = "<none>";
    messages_.onShow = [&](const std::string&) { caption = window_.applicationName; };
    Started();
    EXPECT_EQ(JournalCount("KAVOCLOCK_PLUGIN", "SendCommand INITIAL_PLUGIN " + std::to_string(window_.widget) + " 0"),
              1);
    EXPECT_EQ(messages_.shown, std::vector<std::string>{kBaseInterfaceNotFound});
    EXPECT_EQ(caption, "Velmar");
}

TEST_F(FrameStartupTest, StoredPositionBeyondTheWorkAreaStartsAtZeroPerAxis) {
    SetUserDword("PosX", 2000);
    SetUserDword("PosY", 300);
    window_.workArea = {0, 0, 1280, 994};
    Started();
    EXPECT_EQ(skinWindow_.x, 0);
    EXPECT_EQ(skinWindow_.y, 300);
    EXPECT_EQ(Frame().PositionX(), 0);
    EXPECT_EQ(Frame().PositionY(), 300);
}

// A monitor left of the primary one was unplugged: the window used to open
// off every screen, where no one could reach it.
TEST_F(FrameStartupTest, StoredPositionOffEveryScreenOpensOnTheNearestOne) {
    SetUserDword("PosX", static_cast<std::uint32_t>(-1500));
    SetUserDword("PosY", 300);
    Started();
    EXPECT_EQ(Frame().PositionX(), 0);
    EXPECT_EQ(Frame().PositionY(), 300);
    EXPECT_EQ(window_.geometry.x, 0);
    EXPECT_FALSE(Frame().Ended());

    // Still plugged in, the monitor keeps the window.
    frame_.reset();
    machine_.blocks.clear();
    window_.screens = {window_.workArea, {-1920, 0, 0, 1080}};
    Started();
    EXPECT_EQ(Frame().PositionX(), -1500);
    EXPECT_EQ(skinWindow_.x, -1500);
}

TEST_F(FrameStartupTest, StoredInitialSkinIsUsedOnlyWhenItExists) {
    std::filesystem::copy_file(programFolder_ + "Skin/KavoIII.xml", programFolder_ + "Skin/Other.xml");
    SetUserString("InitialSkin", "Other.xml");
    EXPECT_EQ(Started().SkinFile(), "Other.xml");
    frame_.reset();
    machine_.blocks.clear();
    SetUserString("InitialSkin", "Gone.xml");
    EXPECT_EQ(Started().SkinFile(), kDefaultSkinFile);
}

TEST_F(FrameStartupTest, WindowStaysHiddenUntilTheViewPageCompletes) {
    ListPlugins({"ZETA_PLUGIN"});
    Started(false);
    EXPECT_FALSE(Frame().PagesReady);
    EXPECT_FALSE(window_.visible);
    // Composition asked to show the window; the request was held back.
    EXPECT_EQ(log_.Count("show"), 0);
    ViewWindow().page.CompleteDocument();
    EXPECT_TRUE(Frame().PagesReady);
    EXPECT_TRUE(window_.visible);
    EXPECT_LT(log_.IndexOf("window redraw"), log_.IndexOf("window show"));
}

TEST_F(FrameStartupTest, ViewPageCompletingDuringTheSequenceWaitsForItsEnd) {
    ListPlugins({"ZETA_PLUGIN"});
    // The view's page completes while a script call of the sequence waits.
    page_.Define("OnInitial", [&](const std::vector<std::string>&) {
        ViewWindow().page.CompleteDocument();
        EXPECT_FALSE(Frame().PagesReady);
        return ScriptOutcome{};
    });
    Started(false);
    EXPECT_TRUE(Frame().PagesReady);
    EXPECT_TRUE(window_.visible);
    // The initial view was reloaded with the plug-ins already loaded.
    EXPECT_EQ(Frame().ViewPluginName(), "");
}

TEST_F(FrameStartupTest, InitialViewPluginIsLoadedHiddenWhenItsPageCompletes) {
    ListPlugins({"ZETA_PLUGIN"});
    ViewSkinFor("ZETA_PLUGIN", 1, 0);
    Started();
    EXPECT_EQ(Frame().ViewPluginName(), "ZETA_PLUGIN");
    EXPECT_EQ(window_.waitedMs, 0) << "the window shows without a pause";
    EXPECT_FALSE(ViewWindow().shown);
    EXPECT_EQ(ViewWindow().window.x, 10);
    EXPECT_EQ(ViewWindow().window.y, 140);
    EXPECT_TRUE(Frame().View()->UpdateEnabled());
    EXPECT_EQ(JournalCount("ZETA_PLUGIN", "GetData 0"), 1);
}

TEST_F(FrameStartupTest, PageCompletingAgainRecomposesInsteadOfEndingTheProgram) {
    ListPlugins({"ZETA_PLUGIN"});
    Started();
    const int composedBefore = log_.Count("body");
    page_.CompleteDocument();  // a skin script reloaded the page
    EXPECT_FALSE(Frame().Ended());
    EXPECT_EQ(window_.exitCode, -1);
    EXPECT_EQ(log_.Count("body"), composedBefore + 1);
    EXPECT_EQ(viewFactory_.created, 1);
    EXPECT_EQ(JournalCount("ZETA_PLUGIN", "GetObject IVARNPlugin"), 1);
    EXPECT_EQ(PageCalls("OnInitial"), 2);
    EXPECT_TRUE(timers_.IsRunning(kMainTimer));
}

TEST_F(FrameStartupTest, CompletionAfterACancelledNavigationIsIgnored) {
    ListPlugins({"ZETA_PLUGIN"});
    Started();
    EXPECT_TRUE(page_.Navigate("file:///app/velmar/ZETA_PLUGIN:HELLO:1:2"));
    EXPECT_TRUE(Frame().SkipNextComplete);
    const int composedBefore = log_.Count("body");
    page_.CompleteDocument();
    EXPECT_FALSE(Frame().SkipNextComplete);
    EXPECT_EQ(log_.Count("body"), composedBefore);
}

TEST_F(FrameStartupTest, MinimisedAtStartStaysInTheTrayWhenTheViewCompletes) {
    SetUserString("Min", "TRUE");
    Started();
    EXPECT_TRUE(Frame().PagesReady);
    EXPECT_FALSE(window_.visible);
    EXPECT_FALSE(Frame().Modes().WindowShown);
    EXPECT_FALSE(timers_.IsRunning(kMainTimer));
    EXPECT_EQ(Frame().Tray().DefaultMenuItem(), CSystemTray::ID_MAXIMIZE);
}

TEST_F(FrameStartupTest, MinimisedAtStartWithoutATrayIsIconifiedOnceThePagesAreReady) {
    trayIcon_.trayPresent = false;
    SetUserString("Min", "TRUE");
    Started(false);
    EXPECT_EQ(log_.Count("window iconify"), 0) << "not on screen before its pages are ready";
    ViewWindow().page.CompleteDocument();
    EXPECT_TRUE(window_.iconified);
    EXPECT_EQ(log_.Count("window show"), 0);
    EXPECT_FALSE(timers_.IsRunning(kMainTimer));
    Frame().OnCommand(CSystemTray::ID_MAXIMIZE);
    EXPECT_TRUE(window_.visible);
    EXPECT_TRUE(Frame().Modes().WindowShown);
}

TEST_F(FrameStartupTest, StoredModeIsRestoredWhenAskedTo) {
    ListPlugins({"VARNOCCTRL_PLUGIN"});
    SetUserString("ChangeAtStart", "TRUE");
    SetUserString("AutoPace", "FALSE");
    SetUserDword("Mode", 5);
    Started();
    EXPECT_EQ(Frame().Modes().CurrentMode, 5);
    EXPECT_EQ(JournalCount("VARNOCCTRL_PLUGIN", "SendCommand CHANGE_MODE 5 0"), 1);
}

}  // namespace
