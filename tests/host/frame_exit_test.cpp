// SaveAndExit from each path and what it stores; the commands that change the
// window (TOP, transparency), the settings and skin-change sequences, the
// About list.
#include "ClickNote.h"
#include "frame_test_support.h"
#include "settings/SettingsDoubles.h"

namespace {

class FrameExitTest : public FrameTest {
protected:
    int Click(const std::string& id) { return Frame().OnSkinClick(new CClickNote(id)); }
};

TEST_F(FrameExitTest, CloseStoresWindowAndModeThenEndsWithZero) {
    ListPlugins({"ZETA_PLUGIN", "VARNOCCTRL_PLUGIN"});
    Started();
    Frame().OnPositionChanged(120, 80);
    Frame().OnCommand(kFirstModeCommand + 3);
    Click("TOP");
    ClearJournal();
    Click("CLOSE");
    EXPECT_EQ(window_.exitCode, 0);
    EXPECT_EQ(UserDword("PosX"), 120);
    EXPECT_EQ(UserDword("PosY"), 80);
    EXPECT_EQ(UserString("TOP"), "TRUE");
    EXPECT_EQ(UserDword("TRANS"), 255);
    EXPECT_EQ(UserDword("Mode"), 3);
    EXPECT_EQ(UserString("AutoPace"), "FALSE");
    EXPECT_EQ(UserString("InitialSkin"), kDefaultSkinFile);
    EXPECT_FALSE(trayIcon_.shown);
    EXPECT_FALSE(timers_.IsRunning(kMainTimer));
    EXPECT_EQ(JournalCount("ZETA_PLUGIN", "unload"), 1);
    EXPECT_EQ(LiveClickNoteCount(), 0u);
}

TEST_F(FrameExitTest, TrayExitAndSessionEndStoreTheSameAsClose) {
    for (int path = 0; path < 3; ++path) {
        frame_.reset();
        machine_.blocks.clear();
        hives_.currentUserFile.SetText(std::nullopt);
        Started();
        Frame().OnPositionChanged(40 + path, 50);
        if (path == 0) Click("CLOSE");
        else if (path == 1) Frame().OnCommand(CSystemTray::ID_EXIT);
        else Frame().OnSessionEnd();
        EXPECT_EQ(UserDword("PosX"), 40 + path) << path;
        EXPECT_EQ(UserString("TOP"), "FALSE") << path;
        EXPECT_EQ(UserDword("Mode"), 0) << path;
        EXPECT_EQ(window_.exitCode, 0) << path;
    }
}

TEST_F(FrameExitTest, ExitRequestedAgainDuringExitChangesNothing) {
    ListPlugins({"ZETA_PLUGIN"});
    Started();
    Click("CLOSE");
    Frame().OnSessionEnd();
    Frame().OnTimer(kMainTimer);
    EXPECT_EQ(JournalCount("ZETA_PLUGIN", "unload"), 1);
    EXPECT_EQ(log_.Count("end 0"), 1);
}

// Each request arrives in a nested event loop while plug-in code is below it
// on the stack; the libraries must stay until that code has returned.
TEST_F(FrameExitTest, ExitAskedForWhilePluginCodeRunsWaitsForItAndStoresEverything) {
    WriteSkinFile("PlugIn.ini", "[ZETA_PLUGIN]\nIcon=icon.bmp\nName=Zeta\n");
    ListPlugins({"ZETA_PLUGIN", "VARNOCCTRL_PLUGIN"});
    const std::vector<std::function<void()>> requests{
        [this] { Frame().OnSessionEnd(); },
        [this] { Frame().OnCommand(CSystemTray::ID_EXIT); },
        [this] { Click("CLOSE"); },
    };
    for (std::size_t path = 0; path < requests.size(); ++path) {
        frame_.reset();
        machine_.blocks.clear();
        hives_.currentUserFile.SetText(std::nullopt);
        dialogs_.modalEnds = 0;
        window_.exitCode = -1;
        Started();
        Frame().OnPositionChanged(30, 40);
        Frame().OnCommand(kFirstModeCommand + 2);
        ClearJournal();
        // SIGTERM (or Exit, or CLOSE) while the settings dialog shows the
        // plug-in's page: the dialog is asked to end, its run gives the page
        // back, then the exit runs.
        bool unloadedEarly = true;
        dialogs_.duringSettings = [&](CSettingDialog& dialog) {
            FakeSettingView view(dialog);
            dialog.OnInitDialog(view);
            requests[path]();
            unloadedEarly = JournalCount("ZETA_PLUGIN", "unload") > 0;
            if (unloadedEarly) return;  // OnCancel would run unmapped code
            dialog.OnDestroy();
        };
        Click("SETUP");
        dialogs_.duringSettings = nullptr;
        ASSERT_FALSE(unloadedEarly) << path;
        EXPECT_EQ(dialogs_.modalEnds, 1) << path;
        const std::vector<std::string> journal = JournalOf("ZETA_PLUGIN");
        const auto cancel = std::find(journal.begin(), journal.end(), "OnCancel");
        EXPECT_LT(cancel, std::find(journal.begin(), journal.end(), "unload")) << path;
        EXPECT_EQ(window_.exitCode, 0) << path;
        EXPECT_EQ(UserDword("PosX"), 30) << path;
        EXPECT_EQ(UserDword("Mode"), 2) << path;
        EXPECT_EQ(UserString("TOP"), "FALSE") << path;
    }
}

TEST_F(FrameExitTest, ExitDuringAPluginEventRunsWhenThePluginHasReturned) {
    ListPlugins({"ZETA_PLUGIN", "VARNAUTOPACE_PLUGIN"});
    // The automatic-mode plug-in's choice runs a mode change whose page call
    // waits in a nested loop; SIGTERM arrives there, with the plug-in still
    // inside the callback: from its own code, or from a navigation command.
    for (int path = 0; path < 2; ++path) {
        frame_.reset();
        machine_.blocks.clear();
        window_.exitCode = -1;
        Started();
        int unloadsDuringCall = -1;
        page_.Define("BeginChangeMode", [&](const std::vector<std::string>&) {
            if (unloadsDuringCall < 0) {
                Frame().OnSessionEnd();
                unloadsDuringCall = JournalCount("VARNAUTOPACE_PLUGIN", "unload");
            }
            return ScriptOutcome{};
        });
        ClearJournal();
        if (path == 0) {
            HostPluginEventCallback("VARNAUTOPACE_PLUGIN", "CHANGE_MODE_AUTOPACE", 0, 3, 0);
        } else {
            page_.SetVariable("currentMode", ScriptNumber(3));  // the page shows the new mode
            page_.Navigate("file:///velmar/VARNAUTOPACE_PLUGIN:EMIT_CHANGE_MODE_AUTOPACE:3:0");
            skinWindow_.RunPosted();
        }
        EXPECT_EQ(unloadsDuringCall, 0) << path;
        EXPECT_EQ(JournalCount("VARNAUTOPACE_PLUGIN", "unload"), 1) << path;
        EXPECT_EQ(window_.exitCode, 0) << path;
        EXPECT_EQ(UserDword("Mode"), 3) << path;
        page_.Define("BeginChangeMode");
    }
}

TEST_F(FrameExitTest, TopPressedTwiceReturnsToTheEarlierState) {
    Started();
    Click("TOP");
    EXPECT_TRUE(Frame().Topmost);
    EXPECT_TRUE(window_.topmost);
    Click("TOP");
    EXPECT_FALSE(Frame().Topmost);
    EXPECT_FALSE(window_.topmost);
    Click("CLOSE");
    EXPECT_EQ(UserString("TOP"), "FALSE");
}

TEST_F(FrameExitTest, TransparencyAppliesOnlyAfterOkAndIsStored) {
    Started();
    Click("TRANSPARENTDLG");
    EXPECT_EQ(skinWindow_.opacity, 255);
    dialogs_.transparencyOk = true;
    dialogs_.transparencyLevel = 180;
    Click("TRANSPARENTDLG");
    EXPECT_EQ(skinWindow_.opacity, 180);
    Click("CLOSE");
    EXPECT_EQ(UserDword("TRANS"), 180);
}

TEST_F(FrameExitTest, CancelledTransparencyIsNeitherAppliedNorStoredNorShownAgain) {
    SetUserDword("TRANS", 180);
    Started();
    dialogs_.transparencyLevel = 120;
    Click("TRANSPARENTDLG");
    EXPECT_EQ(skinWindow_.opacity, 180);
    EXPECT_EQ(Frame().Transparency().GetAlpha(), 180);  // the slider opens where the window is
    // SIGTERM while the slider stands at a level not yet chosen with OK.
    dialogs_.duringTransparency = [this] { Frame().OnSessionEnd(); };
    Click("TRANSPARENTDLG");
    EXPECT_EQ(window_.exitCode, 0);
    EXPECT_EQ(UserDword("TRANS"), 180);
}

TEST_F(FrameExitTest, StoredTransparencyIsTheWindowsOpacityAtStart) {
    SetUserDword("TRANS", 150);
    Started();
    EXPECT_EQ(skinWindow_.opacity, 150);
}

TEST_F(FrameExitTest, SettingsOkAppliesThePendingModeStepAndRestartsTimers) {
    ListPlugins({"VARNOCCTRL_PLUGIN"});
    Started();
    Frame().Modes().CurrentMode = 4;
    Frame().Modes().OnDialogChanged(1);
    timers_.Stop(kMainTimer);
    ClearJournal();
    dialogs_.settingsResult = CSettingDialog::IDOK;
    Click("SETUP");
    EXPECT_EQ(JournalCount("VARNOCCTRL_PLUGIN", "SendCommand TEST_MODE 0 0"), 1);
    EXPECT_FALSE(Frame().Modes().DlgChanged);
    EXPECT_TRUE(timers_.IsRunning(kMainTimer));
    // Cancel: nothing applied, timers left as they are.
    timers_.Stop(kMainTimer);
    ClearJournal();
    dialogs_.settingsResult = CSettingDialog::IDCANCEL;
    Click("SETUP");
    EXPECT_TRUE(JournalOf("VARNOCCTRL_PLUGIN").empty());
    EXPECT_FALSE(timers_.IsRunning(kMainTimer));
}

TEST_F(FrameExitTest, AboutListsEveryLibraryTheLoaderListedInLoadOrder) {
    // A library without a base interface is not among the plug-ins, yet the
    // About list still shows it.
    Configure("OMEGA_PLUGIN", "NO_BASE", "1");
    ListPlugins({"ZETA_PLUGIN", "OMEGA_PLUGIN"});
    Started();
    ASSERT_EQ(Frame().Plugins().Plugins().size(), 1u);
    const std::vector<AboutEntry> entries = Frame().AboutEntries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].fileName, "libZETA_PLUGIN.so");
    EXPECT_EQ(entries[1].fileName, "libOMEGA_PLUGIN.so");
    EXPECT_EQ(entries[1].versionText, "0,0,0,0");
}

TEST_F(FrameExitTest, AboutShowsWhatALoadedPluginSaysOfItselfOnItsOwnRow) {
    Configure("OMEGA_PLUGIN", "NO_BASE", "1");
    Configure("ZETA_PLUGIN", "DATA", "<VARN_PLUGIN><ABOUT>modes not connected</ABOUT></VARN_PLUGIN>");
    ListPlugins({"OMEGA_PLUGIN", "ZETA_PLUGIN"});
    Started();
    const std::vector<AboutEntry> entries = Frame().AboutEntries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].state, "");
    EXPECT_EQ(entries[1].state, "modes not connected");
}

TEST_F(FrameExitTest, SkinFileCommandRecomposesAndTellsThePageItsState) {
    ListPlugins({"VARNOCCTRL_PLUGIN"});
    std::filesystem::copy_file(programFolder_ + "Skin/KavoIII.xml", programFolder_ + "Skin/Blue.xml");
    Started();
    page_.calls.clear();
    EXPECT_EQ(Click("Blue.xml"), kClickHandled);
    EXPECT_EQ(Frame().SkinFile(), "Blue.xml");
    std::vector<std::string> names;
    for (const auto& call : page_.calls) names.push_back(call.name);
    const std::vector<std::string> expected{"RestoreInitial", "SetAutoPace", "BeginChangeMode", "OnInitial"};
    std::vector<std::string> relevant;
    for (const std::string& name : names)
        if (std::find(expected.begin(), expected.end(), name) != expected.end()) relevant.push_back(name);
    EXPECT_EQ(relevant, expected);
    // The main page stays live after the change, also for a skin that shows
    // a plug-in view.
    EXPECT_TRUE(timers_.IsRunning(kMainTimer));
    page_.calls.clear();
    timers_.Tick(kMainTimer);
    bool processEnd = false;
    for (const auto& call : page_.calls) processEnd = processEnd || call.name == "ProcessEnd";
    EXPECT_TRUE(processEnd) << "a tick after the change refreshes the main page";
    Click("CLOSE");
    EXPECT_EQ(UserString("InitialSkin"), "Blue.xml");
}

class RecordingSkinSettingView : public ISkinSettingView {
public:
    void SetFolderText(const std::string&) override {}
    void ClearList() override {}
    void AppendListItem(const std::string&) override {}
    void SelectListItem(int) override {}
};

// From a skin button or from the skin selection (whose folder comes with the
// choice): a skin that cannot be composed is refused before anything of the
// current one is torn down, and the user is told why.
TEST_F(FrameExitTest, SkinThatCannotBeComposedIsRefusedAndTheCurrentSkinStays) {
    ListPlugins({"ZETA_PLUGIN"});
    WriteSkinFile("Broken.xml", "<VARNSKINDEFINE><SKIN NAME=\"Broken\">");
    const std::string other = folder_ + "/other";
    std::filesystem::create_directories(other);
    std::ofstream(other + "/NoXsl.xml") << "<VARNSKINDEFINE><SKIN NAME=\"No stylesheet\"/></VARNSKINDEFINE>";
    Started();
    const std::size_t buttons = Frame().Engine().Buttons().size();
    ASSERT_GT(buttons, 0u);
    ASSERT_TRUE(window_.visible);
    const int hides = log_.Count("hide");
    page_.calls.clear();

    EXPECT_EQ(Click("Missing.xml"), kClickHandled);
    EXPECT_EQ(messages_.shown.back(), "The skin \"Missing.xml\" cannot be used: the file does not exist. "
                                      "The current skin stays.");
    Click("Broken.xml");
    EXPECT_NE(messages_.shown.back().find("not a skin definition"), std::string::npos);
    dialogs_.browsed = other;
    RecordingSkinSettingView view;
    Frame().SkinSelection().OnInitDialog(view);
    Frame().SkinSelection().OnBrowse();
    Frame().SkinSelection().OnSelectionChanged("No stylesheet");
    EXPECT_NE(messages_.shown.back().find("names no XSL stylesheet"), std::string::npos);

    EXPECT_EQ(messages_.shown.size(), 3u);
    EXPECT_FALSE(Frame().Ended());
    EXPECT_EQ(Frame().SkinFile(), kDefaultSkinFile);
    EXPECT_EQ(Frame().CurrentSkinFolder(), programFolder_ + "Skin/");
    EXPECT_EQ(Frame().Engine().Buttons().size(), buttons);
    EXPECT_EQ(log_.Count("hide"), hides) << "the window was never hidden";
    EXPECT_TRUE(window_.visible);
    EXPECT_FALSE(PageCalled("RestoreInitial"));
    Click("CLOSE");
    EXPECT_EQ(UserString("InitialSkin"), kDefaultSkinFile);
    EXPECT_EQ(UserDword("PosX"), 0);
}

TEST_F(FrameExitTest, MinAndTrayCommandsAndAbout) {
    Started();
    Click("MIN");
    EXPECT_FALSE(window_.visible);
    EXPECT_FALSE(Frame().View()->Active());
    Frame().OnCommand(CSystemTray::ID_ABOUT);
    EXPECT_GE(log_.IndexOf("dialog about"), 0);
    Click("CHANGESKIN");
    EXPECT_GE(log_.IndexOf("dialog skin selection"), 0);
}

}  // namespace
