#include "SystemTray.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

using ::testing::ElementsAre;

namespace {

class FakeTrayIcon : public ITrayIconPort {
public:
    bool Add(const TrayIcon& icon, const std::string& tip) override {
        ++adds;
        if (!trayPresent) return false;
        shown = icon;
        tooltip = tip;
        inTray = true;
        return true;
    }
    bool Modify(const TrayIcon& icon) override {
        history.push_back(icon);
        shown = icon;
        return inTray;
    }
    bool Remove() override {
        inTray = false;
        return true;
    }
    void PopupMenu(const std::vector<TrayMenuEntry>& e) override { popups.push_back(e); }
    bool TrayUsable() override { return trayPresent && inTray; }
    bool SingleActivation() override { return singleActivation; }

    bool trayPresent = true;
    bool singleActivation = false;
    bool inTray = false;
    int adds = 0;
    TrayIcon shown;
    std::string tooltip;
    std::vector<TrayIcon> history;
    std::vector<std::vector<TrayMenuEntry>> popups;
};

// A timer wheel stepped by the test, and the clock it advances.
class SteppedTimers : public ITimerPort, public IClock {
public:
    bool Start(int id, int periodMs, ITimerSink& sink) override {
        timers[id] = {periodMs, now + periodMs / 1000.0, &sink};
        return true;
    }
    void Stop(int id) override { timers.erase(id); }
    double NowSeconds() override { return now; }
    void Advance(double seconds) {
        const double end = now + seconds;
        while (!timers.empty()) {
            auto next = timers.begin();
            for (auto it = timers.begin(); it != timers.end(); ++it)
                if (it->second.due < next->second.due) next = it;
            if (next->second.due > end + 1e-9) break;
            now = next->second.due;
            next->second.due += next->second.period / 1000.0;
            next->second.sink->OnTimer(next->first);
        }
        now = end;
    }

    struct Timer {
        int period;
        double due;
        ITimerSink* sink;
    };
    std::map<int, Timer> timers;
    double now = 100.0;
};

class FakeTarget : public ITrayTarget, public ITrayWindow {
public:
    void BringToForeground() override { ++foreground; }
    void SendCommand(int c) override { commands.push_back(c); }
    void PowerNotification(int e, int d) override { power.push_back(e * 10 + d); }
    void HideFromTaskbar() override { visible = false; }
    void ShowAndActivate() override {
        visible = true;
        iconified = false;
    }
    void Iconify() override {
        visible = false;
        iconified = true;
    }
    int foreground = 0;
    bool visible = true;
    bool iconified = false;
    std::vector<int> commands, power;
};

class SystemTrayTest : public ::testing::Test {
protected:
    void Install() {
        ASSERT_TRUE(tray.Install(&target, "Velmar", "skin.png", CSystemTray::kMenuId, false));
        tray.SetDefaultMenuItem(CSystemTray::ID_MINIMIZE, false);
        tray.LoadAnimationIcons(135, 136);
    }
    FakeTrayIcon icon;
    SteppedTimers timers;
    FakeTarget target;
    CAppTray tray{icon, timers, timers};
};

TEST_F(SystemTrayTest, DoubleClickSendsTheDefaultWhichTogglesWithHidingAndRestoring) {
    Install();
    EXPECT_EQ(tray.OnIconNotify(129, CSystemTray::Mouse::LeftDoubleClick), 1);
    tray.MinimizeToTray(target);
    EXPECT_FALSE(target.visible);
    tray.OnIconNotify(129, CSystemTray::Mouse::LeftDoubleClick);
    tray.RestoreWindow(target);
    EXPECT_TRUE(target.visible);
    tray.OnIconNotify(129, CSystemTray::Mouse::LeftDoubleClick);
    EXPECT_THAT(target.commands, ElementsAre(32772, 32771, 32772));
    EXPECT_EQ(target.foreground, 3);
}

// A StatusNotifierItem tray sends one activation per click and no double
// click; an XEmbed tray sends an activation before each double click, which
// must not toggle the window twice.
TEST_F(SystemTrayTest, SingleClickTogglesOnlyInATrayWithoutDoubleClicks) {
    Install();
    EXPECT_EQ(tray.OnIconNotify(129, CSystemTray::Mouse::LeftClick), 1);
    EXPECT_TRUE(target.commands.empty());
    icon.singleActivation = true;
    tray.OnIconNotify(129, CSystemTray::Mouse::LeftClick);
    tray.MinimizeToTray(target);
    tray.OnIconNotify(129, CSystemTray::Mouse::LeftClick);
    EXPECT_THAT(target.commands, ElementsAre(32772, 32771));
    EXPECT_EQ(tray.OnIconNotify(130, CSystemTray::Mouse::LeftClick), 0);
}

// Without a tray that shows the icon, "minimise to the tray" used to hide the
// window where nothing could bring it back.
TEST_F(SystemTrayTest, MinimiseGoesToTheTrayOnlyWhenTheIconIsInAUsableTray) {
    icon.trayPresent = false;
    EXPECT_FALSE(tray.Install(&target, "Velmar", "skin.png", 129, false));
    tray.MinimizeToTray(target);
    EXPECT_TRUE(target.iconified);
    EXPECT_EQ(tray.Place(), CAppTray::WindowPlace::OnTaskbar);
    EXPECT_EQ(tray.DefaultMenuItem(), CSystemTray::ID_MAXIMIZE);
    tray.RestoreWindow(target);
    EXPECT_TRUE(target.visible);
    EXPECT_FALSE(target.iconified);
    EXPECT_EQ(tray.DefaultMenuItem(), CSystemTray::ID_MINIMIZE);

    // A tray that appears later takes the icon, and the window with it.
    icon.trayPresent = true;
    tray.OnTrayCreated();
    tray.MinimizeToTray(target);
    EXPECT_FALSE(target.visible);
    EXPECT_FALSE(target.iconified);
    EXPECT_EQ(tray.Place(), CAppTray::WindowPlace::InTray);

    // The tray going away with the window in it leaves the window iconified.
    icon.trayPresent = false;
    tray.OnTrayLost();
    EXPECT_TRUE(target.iconified);
    EXPECT_EQ(tray.Place(), CAppTray::WindowPlace::OnTaskbar);
    tray.OnTrayLost();
    tray.RestoreWindow(target);
    tray.OnTrayLost();
    EXPECT_TRUE(target.visible) << "a shown window stays shown";
}

TEST_F(SystemTrayTest, DefaultByPositionNamesTheEntryAtThatRow) {
    Install();
    tray.SetDefaultMenuItem(3, true);
    EXPECT_EQ(tray.DefaultCommand(), CSystemTray::ID_ABOUT);
    tray.SetDefaultMenuItem(2, true);  // the separator has no command
    EXPECT_EQ(tray.OnIconNotify(129, CSystemTray::Mouse::LeftDoubleClick), 0);
    EXPECT_TRUE(target.commands.empty());
}

TEST_F(SystemTrayTest, RightClickShowsMenuWithTheDefaultMarkedAndOtherIconsAreNotOurs) {
    Install();
    EXPECT_EQ(tray.OnIconNotify(129, CSystemTray::Mouse::RightButtonUp), 1);
    ASSERT_EQ(icon.popups.size(), 1u);
    std::vector<std::string> rows;
    for (const TrayMenuEntry& e : icon.popups[0])
        rows.push_back(e.text ? std::string(e.text) + (e.isDefault ? "*" : "") : "-");
    EXPECT_THAT(rows, ElementsAre("Maximize", "Minimize*", "-", "About", "Exit"));
    EXPECT_EQ(icon.popups[0][3].command, 32774);
    EXPECT_EQ(icon.popups[0][4].command, 32773);
    EXPECT_EQ(tray.OnIconNotify(130, CSystemTray::Mouse::RightButtonUp), 0);
    EXPECT_EQ(tray.OnIconNotify(129, CSystemTray::Mouse::Other), 1);
    EXPECT_EQ(icon.popups.size(), 1u);
}

TEST_F(SystemTrayTest, FailedAddIsRetriedWheneverATrayAppearsSuccessfulAddIsNot) {
    icon.trayPresent = false;
    EXPECT_FALSE(tray.Install(&target, "Velmar", "skin.png", 129, false));
    EXPECT_TRUE(tray.ShowPending());
    EXPECT_TRUE(tray.Hidden());
    icon.trayPresent = true;
    tray.OnTrayCreated();
    EXPECT_TRUE(icon.inTray);
    EXPECT_FALSE(tray.Hidden());
    tray.OnTrayCreated();
    EXPECT_EQ(icon.adds, 3);

    FakeTrayIcon other;
    CSystemTray once{other, timers, timers};
    ASSERT_TRUE(once.Install(&target, "Velmar", "skin.png", 129, false));
    once.OnTrayCreated();
    EXPECT_EQ(other.adds, 1);
    EXPECT_TRUE(once.DeleteIcon());
    EXPECT_FALSE(other.inTray);
}

TEST_F(SystemTrayTest, TooltipKeepsAtMost127Bytes) {
    tray.Install(&target, std::string(200, 'x'), "skin.png", 129, false);
    EXPECT_EQ(icon.tooltip.size(), 127u);
}

TEST_F(SystemTrayTest, EndlessAnimationAlternatesFramesUntilEndedAndRestoresTheIcon) {
    Install();
    tray.ChangeIcon("before.png");
    icon.history.clear();
    ASSERT_TRUE(tray.StartAnimation(888, -1));
    timers.Advance(0.888 * 4 + 0.1);
    EXPECT_THAT(icon.history, ElementsAre(":/icons/136.png", ":/icons/135.png", ":/icons/136.png",
                                          ":/icons/135.png"));
    timers.Advance(600);
    EXPECT_TRUE(tray.Animating());
    tray.EndAnimation();
    EXPECT_FALSE(tray.Animating());
    EXPECT_EQ(icon.shown, "before.png");
    EXPECT_TRUE(timers.timers.empty());
}

TEST_F(SystemTrayTest, AnimationWithDurationEndsByItselfAfterAboutThatLong) {
    Install();
    tray.StartAnimation(500, 3);
    timers.Advance(3.0);
    EXPECT_TRUE(tray.Animating());
    timers.Advance(0.5);
    EXPECT_FALSE(tray.Animating());
    EXPECT_EQ(icon.shown, "skin.png");
    EXPECT_EQ(icon.history.size(), 7u);  // six frames, then the restored icon
}

TEST_F(SystemTrayTest, RestartedAnimationRestoresTheIconShownBeforeTheFirst) {
    Install();
    tray.StartAnimation(888, -1);
    timers.Advance(0.9);
    tray.StartAnimation(888, -1);
    timers.Advance(0.9);
    EXPECT_EQ(icon.shown, ":/icons/136.png");
    tray.EndAnimation();
    EXPECT_EQ(icon.shown, "skin.png");
}

TEST_F(SystemTrayTest, AnimationWithoutFramesShowsNothingNew) {
    Install();
    EXPECT_FALSE(tray.LoadAnimationIcons(136, 135));
    tray.StartAnimation(888, -1);
    timers.Advance(5);
    EXPECT_TRUE(icon.history.empty());
}

TEST_F(SystemTrayTest, OnlySuspendAndResumeAreForwarded) {
    Install();
    tray.OnPowerEvent(4);
    tray.OnPowerEvent(5);
    tray.OnPowerEvent(7);
    EXPECT_THAT(target.power, ElementsAre(41, 72));
}

}  // namespace
