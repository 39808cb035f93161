// "ShutDownEnable" on hand-moved time: 30 seconds above the high limit ask
// for one power-off, after a notice the user sees counting down; coming back
// below closes it and starts the count afresh.
#include "MonitorFixture.h"

namespace monitor::test {
namespace {

TEST_F(MonitorFixture, ThirtySecondsAboveTheLimitAskOnceForAPowerOffAfterANotice)
{
    Load();
    SetCputin(88);
    Tick();
    ASSERT_TRUE(notice->open);
    EXPECT_EQ(notice->text,
              "CPU Temperature is 88 \u00B0C, above its limit of 80 \u00B0C.\nVelmar powers the computer off in 30 s "
              "unless it comes back below the limit. Save your work.");
    EXPECT_EQ(Item("TEMPERATURE", "CPUTIN")["NOTE"], "power-off in 30 s");
    EXPECT_EQ(Item("TEMPERATURE", "CPUTIN_10")["NOTE"], "");  // its own power-off is off

    clock.Advance(28000);
    EXPECT_EQ(powerOff->requests, 0);
    EXPECT_NE(notice->text.find("in 2 s"), std::string::npos);
    clock.Advance(2000);
    EXPECT_EQ(powerOff->requests, 1);
    EXPECT_EQ(Item("TEMPERATURE", "CPUTIN")["NOTE"], "power-off requested");
    powerOff->Refuse("Interactive authentication required.");
    EXPECT_NE(notice->text.find("The system refused to power off: Interactive authentication required."),
              std::string::npos);
    clock.Advance(20000);
    EXPECT_EQ(powerOff->requests, 1);  // once, not at every sample

    SetCputin(79);  // below the limit: still in warning, but no power-off
    Tick();
    EXPECT_FALSE(notice->open);
    EXPECT_EQ(Item("TEMPERATURE", "CPUTIN")["STATE"], "high");
    SetCputin(85);
    clock.Advance(28000);
    EXPECT_EQ(powerOff->requests, 1);
    EXPECT_TRUE(notice->open);
}

TEST_F(MonitorFixture, AnUnreadableChipIsNoReasonToPowerOff)
{
    Load();
    SetCputin(88);
    Tick();
    port.gone = true;
    clock.Advance(40000);
    EXPECT_EQ(powerOff->requests, 0);
    EXPECT_FALSE(notice->open);
}

}  // namespace
}  // namespace monitor::test
