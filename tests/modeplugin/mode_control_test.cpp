// Modes and the power profiles daemon in both directions, on the daemon's
// double and a hand-moved clock: what each mode asks for on this machine,
// which mode the host is told, when "EXTERNAL_MODE_CHANGE" goes out, and
// what a missing, vanishing, refusing or chattering daemon leaves behind.
#include <gtest/gtest.h>

#include "modeplugin/ModeControl.h"
#include "modeplugin/doubles/FakePowerProfiles.h"
#include "plugin_api/kit/doubles/ManualTime.h"

namespace modes {
namespace {

class ModeControlTest : public ::testing::Test {
protected:
    // The host as the plug-in sees it: each report makes it read the mode.
    void Reported()
    {
        ++reports;
        if (const auto mode = control.CurrentMode()) {
            control.HostShows(*mode);
        }
    }
    void Settle() { clock.Advance(CModeControl::kReportDelayMs); }

    CFakePowerProfiles daemon;
    pluginkit::CManualClock clock;
    pluginkit::CManualTimer timer{clock};
    UserProfiles user;
    int reports = 0;
    CModeControl control{daemon, timer, user, [this] { Reported(); }};
};

TEST_F(ModeControlTest, EachModeAsksForItsProfileAndFallsBackWhereTheMachineHasNone)
{
    daemon.Appear(kPowerSaver);
    UserProfiles chosen;
    chosen.profiles = {kPerformance, kPowerSaver, "custom"};
    control.SetUserProfiles(chosen);
    EXPECT_EQ(control.ProfileOf(0), kPowerSaver);  // what was active when we first heard the daemon
    EXPECT_EQ(control.ProfileOf(1), kPerformance);
    EXPECT_EQ(control.ProfileOf(2), kBalanced);
    EXPECT_EQ(control.ProfileOf(3), kPowerSaver);
    EXPECT_EQ(control.ProfileOf(4), kPerformance);
    EXPECT_EQ(control.ProfileOf(6), kBalanced);  // "custom" is not offered here

    daemon.Appear(kBalanced, {kPowerSaver, kBalanced});
    EXPECT_EQ(control.ProfileOf(1), kBalanced);
    EXPECT_EQ(control.ProfileOf(4), kBalanced);
    // balanced now is Normal's, Turbo's and User1's: it shows as Normal.
    EXPECT_EQ(control.CurrentMode(), 2);
    ASSERT_TRUE(control.ChangeMode(1));
    EXPECT_EQ(control.CurrentMode(), 1);  // the last chosen while it still matches
}

TEST_F(ModeControlTest, AChoiceBecomesARequestAndItsEchoIsNotReportedBack)
{
    daemon.Appear();
    Settle();
    EXPECT_EQ(reports, 1);  // the first reading: Normal, where the host had nothing
    ASSERT_TRUE(control.ChangeMode(3));
    EXPECT_EQ(daemon.requests, std::vector<std::string>{kPowerSaver});
    Settle();
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(control.CurrentMode(), 3);

    // Choosing the mode in force asks for nothing.
    ASSERT_TRUE(control.ChangeMode(3));
    EXPECT_EQ(daemon.requests.size(), 1u);
}

TEST_F(ModeControlTest, AChangeElsewhereIsReportedOnceAndEndsTheChosenMode)
{
    daemon.Appear();
    ASSERT_TRUE(control.ChangeMode(4));  // User 1: balanced, already active
    Settle();
    reports = 0;

    // A storm: a hundred changes before the event loop runs the report.
    for (int i = 0; i < 100; ++i) {
        daemon.SetActive(i % 2 ? kPowerSaver : kPerformance);
    }
    Settle();
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(control.CurrentMode(), 3);
    // Back to balanced: the user mode no longer holds; balanced is Normal.
    daemon.SetActive(kBalanced);
    Settle();
    EXPECT_EQ(control.CurrentMode(), 2);
    EXPECT_EQ(reports, 2);
    // A storm that ends where it started reports nothing.
    daemon.SetActive(kPerformance);
    daemon.SetActive(kBalanced);
    Settle();
    EXPECT_EQ(reports, 2);
}

TEST_F(ModeControlTest, AProfileNoModeKnowsShowsAsDefault)
{
    daemon.Appear(kBalanced, {kBalanced, "eco-max"});
    daemon.SetActive("eco-max");
    Settle();
    EXPECT_EQ(control.CurrentMode(), 0);
}

TEST_F(ModeControlTest, WithoutADaemonTheChosenModeIsKeptAndAppliedWhenOneAppears)
{
    EXPECT_EQ(control.CurrentMode(), std::nullopt);  // the host keeps its own
    ASSERT_TRUE(control.ChangeMode(1));
    EXPECT_EQ(control.CurrentMode(), 1);
    EXPECT_TRUE(daemon.requests.empty());

    daemon.answerAtOnce = false;
    daemon.Appear(kPowerSaver);
    EXPECT_EQ(daemon.requests, std::vector<std::string>{kPerformance});
    EXPECT_EQ(control.CurrentMode(), 1);  // on its way
    EXPECT_EQ(control.ProfileOf(0), kPowerSaver);
    daemon.SetActive(kPerformance);
    Settle();
    EXPECT_EQ(reports, 0);
}

TEST_F(ModeControlTest, ADaemonThatVanishesAndReturnsChangedIsFollowed)
{
    daemon.Appear();
    ASSERT_TRUE(control.ChangeMode(3));
    Settle();
    reports = 0;
    daemon.Vanish();
    Settle();
    EXPECT_EQ(control.CurrentMode(), 3);
    EXPECT_EQ(reports, 0);
    daemon.Appear(kPerformance);
    Settle();
    EXPECT_EQ(control.CurrentMode(), 1);
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(daemon.requests.size(), 1u);  // nothing re-applied behind the user's back
}

TEST_F(ModeControlTest, ARefusedOrOvertakenRequestLeavesTheTruth)
{
    daemon.Appear();
    daemon.answerAtOnce = false;
    ASSERT_TRUE(control.ChangeMode(3));
    ASSERT_TRUE(control.ChangeMode(2));  // balanced is active, but power-saver is on its way
    EXPECT_EQ(daemon.requests, (std::vector<std::string>{kPowerSaver, kBalanced}));
    daemon.Refuse(kPowerSaver, "too late");  // an overtaken request's failure changes nothing
    EXPECT_TRUE(control.LastFailure().empty());

    ASSERT_TRUE(control.ChangeMode(1));
    daemon.Refuse(kPerformance, "Not authorized");
    Settle();
    EXPECT_EQ(control.LastFailure(), "Not authorized");
    EXPECT_EQ(control.CurrentMode(), 2);  // the face goes back to what holds
}

TEST_F(ModeControlTest, AModeOutsideTheSevenChangesNothingAndMakesTheHostAskAgain)
{
    daemon.Appear();
    Settle();
    reports = 0;
    EXPECT_FALSE(control.ChangeMode(7));
    EXPECT_FALSE(control.ChangeMode(-1));
    EXPECT_FALSE(control.ChangeMode(1LL << 40));
    Settle();
    EXPECT_EQ(reports, 1);
    EXPECT_TRUE(daemon.requests.empty());
    EXPECT_EQ(control.CurrentMode(), 2);
}

TEST_F(ModeControlTest, NewUserProfilesAndATestStepReapplyTheModeInForce)
{
    daemon.Appear();
    ASSERT_TRUE(control.ChangeMode(5));  // User 2: balanced, nothing to ask
    EXPECT_TRUE(daemon.requests.empty());
    UserProfiles changed;
    changed.profiles[1] = kPowerSaver;
    control.SetUserProfiles(changed);
    EXPECT_EQ(daemon.requests, std::vector<std::string>{kPowerSaver});
    EXPECT_EQ(control.CurrentMode(), 5);

    daemon.SetActive(kPerformance);  // elsewhere: User 2 ends
    control.Reapply();               // "TEST_MODE" applies what shows now
    EXPECT_EQ(daemon.requests.size(), 1u);
    EXPECT_EQ(control.CurrentMode(), 1);
}

}  // namespace
}  // namespace modes
