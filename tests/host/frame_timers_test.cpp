// Timers 1 and 2 of the main window with their start and stop rules, the
// update tick, dragging, the tray and power events.
#include "frame_test_support.h"

namespace {

class FrameTimersTest : public FrameTest {
protected:
    // The test skin's INI lets ZETA share its document with the main page.
    void ShareZeta() {
        ViewSkinFor("OMEGA_PLUGIN", 0, 0);
        WriteSkinFile("PlugIn.ini", "[ZETA_PLUGIN]\nxml=ZEFAN\\ZefanView.xml\nUpdate=0\nshare=1\n");
        page_.ids = {"ZETA+CALLS+COUNT", "plain", "ZETA+CALLS+MODE"};
    }
};

TEST_F(FrameTimersTest, UpdateTickRefreshesSharedDataThenCallsProcessEnd) {
    ListPlugins({"ZETA_PLUGIN"});
    ShareZeta();
    Started();
    EXPECT_EQ(page_.elementHtml["ZETA+CALLS+COUNT"], "1");  // the refresh at start
    log_.lines.clear();
    ASSERT_TRUE(timers_.Tick(kMainTimer));
    EXPECT_EQ(page_.elementHtml["ZETA+CALLS+COUNT"], "2");
    EXPECT_EQ(page_.elementHtml.count("plain"), 0u);
    const int warning = log_.IndexOf("call VARNEQ_WARNING [] [FALSE]");
    const int processEnd = log_.IndexOf("call ProcessEnd");
    ASSERT_GE(warning, 0);
    EXPECT_LT(warning, processEnd);
}

TEST_F(FrameTimersTest, SkinWithoutTimerNeverStartsTimerOne) {
    ViewSkinFor("ZETA_PLUGIN", 1, 0, "true");
    Started();
    EXPECT_FALSE(Frame().SkinTimer());
    EXPECT_FALSE(timers_.IsRunning(kMainTimer));
    Frame().RestartTimers();
    EXPECT_FALSE(timers_.IsRunning(kMainTimer));
    EXPECT_FALSE(PageCalled("ProcessEnd"));
}

TEST_F(FrameTimersTest, StoredIntervalSetsBothPeriods) {
    SetUserString("Interval", "5");
    Started();
    EXPECT_EQ(timers_.Period(kMainTimer), 5000);
    Frame().RestartTimers();
    EXPECT_EQ(Frame().View()->Interval(), 5000);
    EXPECT_EQ(ViewWindow().timers.Period(kViewTimerId), 5000);
    EXPECT_TRUE(Frame().View()->Active());
}

TEST_F(FrameTimersTest, DragStopsTheTimerAndItsEndSnapsAndRestartsIt) {
    Started();
    window_.geometry = {10, 500, 480, 320};
    Frame().OnMouseDown("FAN+ZEFAN_FAN_0+CAPTION");
    EXPECT_FALSE(Frame().Dragging());
    Frame().OnMouseDown("MOVEAREA");
    EXPECT_TRUE(Frame().Dragging());
    EXPECT_FALSE(timers_.IsRunning(kMainTimer));
    EXPECT_FALSE(Frame().View()->Active());
    Frame().OnDragEnd();
    EXPECT_EQ(window_.geometry.x, 0);
    EXPECT_EQ(window_.geometry.y, 500);
    EXPECT_TRUE(timers_.IsRunning(kMainTimer));
    EXPECT_TRUE(Frame().View()->Active());
    EXPECT_GT(skinWindow_.focusRefreshes, 0);
}

TEST_F(FrameTimersTest, DragFromTheBodyWithoutASystemMoveEndsAtOnce) {
    Started();
    window_.systemMove = false;
    Frame().OnMouseDown("CHtmlVesselDlg");
    EXPECT_FALSE(Frame().Dragging());
    EXPECT_TRUE(timers_.IsRunning(kMainTimer));
}

TEST_F(FrameTimersTest, MinimiseWithAWarningStartsTimerTwoAndRestoreStopsIt) {
    Started();
    Frame().Modes().OnHardwareWarning(1);
    EXPECT_FALSE(timers_.IsRunning(kWarningTimer));  // the window is shown
    Frame().OnCommand(CSystemTray::ID_MINIMIZE);
    EXPECT_FALSE(window_.visible);
    EXPECT_FALSE(timers_.IsRunning(kMainTimer));
    EXPECT_TRUE(timers_.IsRunning(kWarningTimer));
    EXPECT_EQ(timers_.Period(kWarningTimer), Frame().UpdateIntervalMs());
    EXPECT_EQ(Frame().Tray().DefaultMenuItem(), CSystemTray::ID_MAXIMIZE);
    Frame().OnCommand(CSystemTray::ID_MAXIMIZE);
    EXPECT_TRUE(window_.visible);
    EXPECT_FALSE(timers_.IsRunning(kWarningTimer));
    EXPECT_TRUE(timers_.IsRunning(kMainTimer));
    EXPECT_EQ(Frame().Tray().DefaultMenuItem(), CSystemTray::ID_MINIMIZE);
}

TEST_F(FrameTimersTest, MinimiseWithoutWarningStartsNoTimerAndRestoreOfAShownWindowDoesNothing) {
    Started();
    Frame().OnCommand(CSystemTray::ID_MAXIMIZE);
    EXPECT_EQ(log_.Count("window from tray"), 0);
    Frame().OnCommand(CSystemTray::ID_MINIMIZE);
    EXPECT_FALSE(timers_.IsRunning(kWarningTimer));
    EXPECT_FALSE(Frame().Modes().WindowShown);
}

// Stock GNOME has no tray: MIN used to hide the window into nothing, and a
// second start ended at once, so only killing the program was left.
TEST_F(FrameTimersTest, WithoutATrayMinimiseIconifiesUnderTheSameTimerRules) {
    trayIcon_.trayPresent = false;
    Started();
    Frame().Modes().OnHardwareWarning(1);
    Frame().OnCommand(CSystemTray::ID_MINIMIZE);
    EXPECT_TRUE(window_.iconified);
    EXPECT_EQ(log_.Count("window to tray"), 0);
    EXPECT_FALSE(Frame().Modes().WindowShown);
    EXPECT_FALSE(timers_.IsRunning(kMainTimer));
    EXPECT_TRUE(timers_.IsRunning(kWarningTimer));
    EXPECT_EQ(Frame().Tray().DefaultMenuItem(), CSystemTray::ID_MAXIMIZE);
    // The taskbar gives the window back: the restore's rules follow.
    window_.iconified = false;
    window_.visible = true;
    Frame().OnWindowIconified(false);
    EXPECT_TRUE(Frame().Modes().WindowShown);
    EXPECT_TRUE(timers_.IsRunning(kMainTimer));
    EXPECT_FALSE(timers_.IsRunning(kWarningTimer));
    EXPECT_EQ(Frame().Tray().DefaultMenuItem(), CSystemTray::ID_MINIMIZE);
    // Iconified by the window system itself: the minimise's rules.
    window_.iconified = true;
    window_.visible = false;
    Frame().OnWindowIconified(true);
    EXPECT_FALSE(Frame().Modes().WindowShown);
    EXPECT_FALSE(timers_.IsRunning(kMainTimer));
    EXPECT_TRUE(timers_.IsRunning(kWarningTimer));
    Frame().OnCommand(CSystemTray::ID_MAXIMIZE);
    EXPECT_TRUE(window_.visible);
    EXPECT_FALSE(window_.iconified);
    EXPECT_TRUE(timers_.IsRunning(kMainTimer));
}

TEST_F(FrameTimersTest, HiddenViewIsReloadedAfterEveryTickOfEitherTimerWithoutBlocking) {
    ListPlugins({"ZETA_PLUGIN"});
    ViewSkinFor("ZETA_PLUGIN", 1, 0);
    Started();
    ASSERT_EQ(Frame().ViewPluginName(), "ZETA_PLUGIN");
    const int waits = window_.waitedMs;
    ClearJournal();
    timers_.Tick(kMainTimer);
    EXPECT_EQ(window_.waitedMs, waits) << "a tick must not block the window";
    EXPECT_EQ(timers_.Period(kViewReloadTimer), kViewReloadWaitMs);
    EXPECT_EQ(JournalCount("ZETA_PLUGIN", "GetData 0"), 0) << "the reload waits for its timer";
    timers_.Tick(kMainTimer);  // a second tick before the reload schedules nothing more
    EXPECT_TRUE(timers_.Tick(kViewReloadTimer));
    EXPECT_FALSE(timers_.IsRunning(kViewReloadTimer)) << "the reload timer fires once";
    EXPECT_EQ(JournalCount("ZETA_PLUGIN", "GetData 0"), 1);

    Frame().Modes().OnHardwareWarning(1);
    Frame().OnCommand(CSystemTray::ID_MINIMIZE);
    timers_.Tick(kWarningTimer);
    EXPECT_TRUE(timers_.Tick(kViewReloadTimer));
    EXPECT_EQ(JournalCount("ZETA_PLUGIN", "GetData 0"), 2);
    EXPECT_EQ(window_.waitedMs, waits);
}

TEST_F(FrameTimersTest, TickArrivingInsideAScriptCallOfATickIsDropped) {
    Started();
    int nested = 0;
    page_.Define("ProcessEnd", [&](const std::vector<std::string>&) {
        if (nested++ == 0) timers_.Tick(kMainTimer);
        return ScriptOutcome{};
    });
    timers_.Tick(kMainTimer);
    EXPECT_EQ(nested, 1);
}

// SIGTERM and the session's end arrive inside the nested event loop of a
// script call. Ending there unloaded the plug-ins whose documents the tick
// was rendering, and the tick then released an interface of an unloaded
// library: Velmar died of SIGSEGV instead of ending with 0.
TEST_F(FrameTimersTest, ExitAskedForInsideATicksRenderingWaitsForTheTick) {
    ListPlugins({"ZETA_PLUGIN", "OMEGA_PLUGIN"});
    ShareZeta();
    WriteSkinFile("PlugIn.ini", "[ZETA_PLUGIN]\nxml=ZEFAN\\ZefanView.xml\nUpdate=0\nshare=1\n"
                                "[OMEGA_PLUGIN]\nxml=ZEFAN\\ZefanView.xml\nUpdate=0\nshare=1\n");
    Started();
    int unloadedInside = -1;
    page_.Define("VARNEQ_WARNING", [&](const std::vector<std::string>&) {
        if (unloadedInside < 0) {
            Frame().OnSessionEnd();
            unloadedInside = JournalCount("ZETA_PLUGIN", "unload") + JournalCount("OMEGA_PLUGIN", "unload");
        }
        return ScriptOutcome{};
    });
    ClearJournal();
    timers_.Tick(kMainTimer);
    EXPECT_EQ(unloadedInside, 0);
    EXPECT_EQ(window_.exitCode, 0);
    EXPECT_EQ(JournalCount("ZETA_PLUGIN", "unload"), 1);
    EXPECT_EQ(JournalCount("OMEGA_PLUGIN", "unload"), 1);
    EXPECT_EQ(log_.Count("call ProcessEnd"), 0);  // the tick ends with the program
    EXPECT_EQ(UserDword("Mode"), 0);
}

// A plug-in that must re-program the chip after resume may stand anywhere in
// the load order, so every plug-in hears suspend and resume.
TEST_F(FrameTimersTest, PowerEventsGoToEveryPlugin) {
    ListPlugins({"ZETA_PLUGIN", "OMEGA_PLUGIN"});
    Started();
    EXPECT_FALSE(Frame().OnPowerEvent(4, 1));
    EXPECT_TRUE(Frame().OnPowerEvent(7, 2));
    EXPECT_FALSE(Frame().OnPowerEvent(7, 1));
    EXPECT_FALSE(Frame().OnPowerEvent(10, 2));
    for (const char* plugin : {"ZETA_PLUGIN", "OMEGA_PLUGIN"}) {
        EXPECT_EQ(JournalCount(plugin, "SendCommand SUSPEND_EVENT 4 0"), 1) << plugin;
        EXPECT_EQ(JournalCount(plugin, "SendCommand SUSPEND_EVENT 7 0"), 2) << plugin;
        EXPECT_EQ(JournalCount(plugin, "SendCommand SUSPEND_EVENT 10 0"), 0) << plugin;
    }
}

TEST_F(FrameTimersTest, PowerEventWithoutPluginsSendsNothing) {
    Started();
    EXPECT_TRUE(Frame().OnPowerEvent(7, 2));
    EXPECT_TRUE(Frame().Plugins().Plugins().empty());
}

}  // namespace
