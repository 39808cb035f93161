// The seven modes on the real Velmar (Xvfb, bundled skins) with the
// mode-control plug-in and python3-dbusmock's power-profiles daemon on a
// private system bus: a mode key sets the profile, a profile set elsewhere
// shows on the face (EXTERNAL_MODE_CHANGE, GETCURR_MODE), the keys' tips
// say what each mode does, a daemon that vanishes is said on the face, in
// About and on the page and is followed again when it returns, and the
// stored mode is restored at start through the plug-in.
#include "ModesE2E.h"

namespace modes_e2e {
namespace {

TEST_F(ModesE2E, KeysSetTheProfileAndTheFaceFollowsTheSystem)
{
    StartDaemon();
    Start();
    // The first reading of the daemon reaches the face: balanced is Normal.
    State state = DumpWhen([](State& v) { return Shows(v, 2) && v["main.MODE+VARNOCCTRL+PROFILE"] == "balanced"; });
    ASSERT_TRUE(Shows(state, 2)) << state["main.state"] << "\n" << velmar_e2e::LogTail(profile_);
    state = DumpWhen([](State& v) { return v["tips.MODE_QUIET"] == "Quiet: power-saver profile"; });
    EXPECT_EQ(state["tips.MODE_QUIET"], "Quiet: power-saver profile");
    EXPECT_EQ(state["tips.MODE_TURBO"], "Turbo: performance profile");
    EXPECT_EQ(state["tips.MODE_DEFAULT"], "Default: balanced profile, the profile active when Velmar started");
    EXPECT_EQ(state["tips.MODE_USER1"], "User 1: balanced profile, chosen in Settings");

    ClickModeKey(3);
    EXPECT_TRUE(ProfileBecomes("power-saver")) << ActiveProfile();
    state = DumpWhen([](State& v) { return Shows(v, 3); });
    EXPECT_TRUE(Shows(state, 3));

    SetFromOutside("performance");
    state = DumpWhen([](State& v) { return Shows(v, 1) && v["main.MODE+VARNOCCTRL+PROFILE"] == "performance"; });
    EXPECT_TRUE(Shows(state, 1)) << state["mode"] << " " << state["main.state"];
    EXPECT_EQ(state["main.MODE+VARNOCCTRL+PROFILE"], "performance");
    SaveArtifact("modes_face_turbo.png");

    // A profile none of the modes asks for shows as Default, by its name.
    SetFromOutside("eco-max");
    state = DumpWhen([](State& v) { return Shows(v, 0) && v["main.MODE+VARNOCCTRL+PROFILE"] == "eco-max"; });
    EXPECT_TRUE(Shows(state, 0)) << state["mode"];

    ClickModeKey(2);
    EXPECT_TRUE(ProfileBecomes("balanced"));
    EXPECT_EQ(Close(), 0) << velmar_e2e::LogTail(profile_);
    EXPECT_EQ(UserValue(kHostKey, "Mode"), "2");
}

TEST_F(ModesE2E, WithoutTheDaemonTheFaceAboutAndPageSaySoAndItIsFollowedWhenItComes)
{
    Start();
    State state = DumpWhen([](State& v) { return v["main.MODE+VARNOCCTRL+PROFILE"] == "not connected"; });
    EXPECT_EQ(state["main.MODE+VARNOCCTRL+PROFILE"], "not connected");
    EXPECT_EQ(state["tips.MODE_TURBO"], "Turbo: performance profile (modes not connected to the system)");
    ClickModeKey(3);  // the protocol goes on: the face shows the mode chosen
    state = DumpWhen([](State& v) { return Shows(v, 3); });
    EXPECT_TRUE(Shows(state, 3));

    // About, from the tray menu's entry.
    std::ofstream(profile_ + "/dump.txt.command") << 32774;  // CSystemTray::ID_ABOUT
    state = DumpWhen([](State& v) { return v.count("dialog.AboutDlg.tree.PluginList") == 1; });
    EXPECT_NE(state["dialog.AboutDlg.tree.PluginList"].find("VARNOCCTRL.so 0,0,0,0 modes not connected to the system"),
              std::string::npos)
        << state["dialog.AboutDlg.tree.PluginList"];
    SaveArtifact("modes_about.png", "AboutDlg");
    ClickCentre(state["dialog.AboutDlg.button.Close"]);
    DumpWhen([](State& v) { return v.count("dialog.AboutDlg.tree.PluginList") == 0; });

    // The daemon comes (with power-saver, as Quiet asks): the choice made
    // while it was away holds, and the settings page says it is connected.
    StartDaemon("power-saver");
    state = DumpWhen([](State& v) { return v["main.MODE+VARNOCCTRL+PROFILE"] == "power-saver"; });
    EXPECT_EQ(state["main.MODE+VARNOCCTRL+PROFILE"], "power-saver");
    EXPECT_TRUE(Shows(state, 3));
    Click(298 + 12, 9 + 12);  // SETUP
    state = DumpWhen([](State& v) { return Ending(v, ".label.ModeStatus").find("power-saver is active") != std::string::npos; });
    const std::string status = Ending(state, ".label.ModeStatus");
    SaveArtifact("modes_page.png", "SettingDialog");
    EXPECT_NE(status.find("Modes follow the system's power profiles (net.hadess.PowerProfiles)"), std::string::npos)
        << status;
    ClickCentre(Ending(state, ".button.Cancel"));
    DumpWhen([](State& v) { return Ending(v, ".label.ModeStatus").empty(); });

    // It vanishes and comes back with another profile: the face follows.
    StopDaemon();
    state = DumpWhen([](State& v) { return v["main.MODE+VARNOCCTRL+PROFILE"] == "not connected"; });
    EXPECT_EQ(state["main.MODE+VARNOCCTRL+PROFILE"], "not connected");
    StartDaemon("performance");
    state = DumpWhen([](State& v) { return Shows(v, 1); });
    EXPECT_TRUE(Shows(state, 1)) << state["mode"];
}

TEST_F(ModesE2E, TheStoredModeIsRestoredAtStartThroughThePluginOnSlateToo)
{
    StartDaemon();
    Varnreg(std::string("set ") + kHostKey + " ChangeAtStart --string TRUE");
    Varnreg(std::string("set ") + kHostKey + " AutoPace --string FALSE");
    Varnreg(std::string("set ") + kHostKey + " Mode --dword 3");
    Varnreg(std::string("set ") + kHostKey + " InitialSkin --string Slate.xml");
    Start();
    EXPECT_TRUE(ProfileBecomes("power-saver")) << ActiveProfile();
    State state = DumpWhen([](State& v) { return Shows(v, 3) && v["tips.MODE_QUIET"] == "Quiet: power-saver profile"; });
    EXPECT_TRUE(Shows(state, 3)) << state["main.state"];
    EXPECT_EQ(state["windowSize"], "240,368");  // Slate
    SaveArtifact("modes_face_slate.png");
    EXPECT_EQ(state["tips.MODE_QUIET"], "Quiet: power-saver profile");
    EXPECT_EQ(Close(), 0);

    // A stored number no mode has is not sent: the system's profile shows.
    Varnreg(std::string("set ") + kHostKey + " Mode --dword 9");
    SetFromOutside("performance");
    Start();
    state = DumpWhen([](State& v) { return Shows(v, 1); });
    EXPECT_TRUE(Shows(state, 1)) << state["mode"];
    EXPECT_EQ(ActiveProfile(), "performance");
    EXPECT_EQ(Close(), 0);
    Varnreg(std::string("delete ") + kHostKey + " ChangeAtStart");
    Varnreg(std::string("set ") + kHostKey + " InitialSkin --string KavoIII.xml");
}

}  // namespace
}  // namespace modes_e2e
