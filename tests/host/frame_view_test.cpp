// Selecting a plug-in view from a skin button, the view's own commands and
// timer, and navigation commands from the page.
#include "ClickNote.h"
#include "frame_test_support.h"

namespace {

class FrameViewTest : public FrameTest {
protected:
    int Click(const std::string& id) { return Frame().OnSkinClick(new CClickNote(id)); }
    int ViewClick(const std::string& id) { return Frame().View()->OnSkinClick(new CClickNote(id)); }
};

TEST_F(FrameViewTest, SkinButtonShowsTheInitialPluginsViewThatWasLoadedHidden) {
    ListPlugins({"ZETA_PLUGIN"});
    ViewSkinFor("ZETA_PLUGIN", 1, 0);
    Started();
    ASSERT_FALSE(ViewWindow().shown);
    ClearJournal();
    EXPECT_EQ(Click("ZETA_PLUGIN"), kClickHandled);
    EXPECT_TRUE(ViewWindow().shown);
    // The view's fetch with the current mode, then a fresh document for the view.
    EXPECT_EQ(JournalOf("ZETA_PLUGIN").size() >= 2, true);
    EXPECT_EQ(JournalCount("ZETA_PLUGIN", "GetData 0"), 2);
    EXPECT_TRUE(timers_.IsRunning(kMainTimer));
    // Pressed again while shown: only the timers restart.
    ClearJournal();
    EXPECT_EQ(Click("ZETA_PLUGIN"), kClickHandled);
    EXPECT_EQ(JournalCount("ZETA_PLUGIN", "GetData 0"), 0);
    EXPECT_TRUE(ViewWindow().shown);
}

TEST_F(FrameViewTest, SelectingAPluginComposesItsViewSkinWithTheTrimmedDocument) {
    ListPlugins({"ZETA_PLUGIN", "OMEGA_PLUGIN"});
    ViewSkinFor("ZETA_PLUGIN", 1, 0);
    WriteSkinFile("PlugIn.ini", "[OMEGA_PLUGIN]\nxml=ZEFAN\\ZefanView.xml\nUpdate=1\n");
    Configure("OMEGA_PLUGIN", "DATA",
              "<VARN_PLUGIN><FAN><ITEM NAME=\"F\"><CAPTION>Omega fan</CAPTION></ITEM></FAN></VARN_PLUGIN>junk");
    Started();
    EXPECT_EQ(Click("OMEGA_PLUGIN"), kClickHandled);
    EXPECT_EQ(Frame().ViewPluginName(), "OMEGA_PLUGIN");
    EXPECT_EQ(Frame().View()->Engine().SkinFolder(), programFolder_ + "Skin/ZEFAN/");
    EXPECT_NE(ViewWindow().page.body.find("Omega fan"), std::string::npos);
    EXPECT_EQ(ViewWindow().page.body.find("junk"), std::string::npos);
    EXPECT_TRUE(ViewWindow().shown);
    EXPECT_EQ(Frame().Plugins().ViewPluginBase(), Frame().Plugins().FindByName("OMEGA_PLUGIN"));
}

TEST_F(FrameViewTest, BackslashInTheViewIniSourceIsASeparator) {
    ListPlugins({"ZETA_PLUGIN"});
    WriteSkinFile("KavoIII.xml", "<VARNSKINDEFINE><SKIN><APPLICATION NAME=\"Velmar\" TIMER=\"TRUE\"/>"
                                 "<XSL SRC=\"main.xsl\"/><PLUGIN_DIALOG SRC=\"views\\PlugIn.ini\" "
                                 "INIT=\"ZETA_PLUGIN\" SHOW=\"TRUE\"/></SKIN></VARNSKINDEFINE>");
    std::filesystem::create_directories(programFolder_ + "Skin/views");
    WriteSkinFile("views/PlugIn.ini", "[ZETA_PLUGIN]\nxml=ZEFAN\\ZefanView.xml\nUpdate=1\nshare=1\n");
    Started();
    EXPECT_EQ(Frame().CurrentPluginIniPath(), programFolder_ + "Skin/views/PlugIn.ini");
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_EQ(Click("ZETA_PLUGIN"), kClickHandled);
    EXPECT_TRUE(ViewWindow().shown);
}

TEST_F(FrameViewTest, ViewSkinMissingFromTheIniFailsWithTimersStopped) {
    ListPlugins({"ZETA_PLUGIN", "OMEGA_PLUGIN"});
    ViewSkinFor("ZETA_PLUGIN", 1, 0);
    Started();
    EXPECT_EQ(Click("OMEGA_PLUGIN"), kClickFailed);
    EXPECT_EQ(messages_.shown.back(), kGetXmlSkinFileFailed);
    EXPECT_FALSE(timers_.IsRunning(kMainTimer));
    EXPECT_FALSE(ViewWindow().shown);
    EXPECT_FALSE(Frame().View()->Active());
    EXPECT_EQ(LiveClickNoteCount(), 0u);
}

TEST_F(FrameViewTest, UnknownIdentifierOnlyRestartsTheTimers) {
    ListPlugins({"ZETA_PLUGIN"});
    Started();
    timers_.Stop(kMainTimer);
    EXPECT_EQ(Click("NOBODY_PLUGIN"), kClickHandled);
    EXPECT_TRUE(timers_.IsRunning(kMainTimer));
    EXPECT_EQ(Frame().ViewPluginName(), "");
}

TEST_F(FrameViewTest, ParameterThatIsNoLiveNoteIsRefused) {
    Started();
    int notANote = 0;
    EXPECT_EQ(Frame().OnSkinClick(&notANote), kClickNotANote);
    // A note delivered twice: the second time it is already destroyed.
    void* note = new CClickNote("NOBODY_PLUGIN");
    EXPECT_EQ(Frame().OnSkinClick(note), kClickHandled);
    EXPECT_EQ(Frame().OnSkinClick(note), kClickNotANote);
    EXPECT_FALSE(Frame().Ended());
    EXPECT_EQ(Frame().View()->OnSkinClick(&notANote), kClickNotANote);
}

TEST_F(FrameViewTest, ViewButtonsCloseItAndStopOrStartOnlyItsOwnTimer) {
    ListPlugins({"ZETA_PLUGIN"});
    ViewSkinFor("ZETA_PLUGIN", 1, 0);
    Started();
    Click("ZETA_PLUGIN");
    ASSERT_TRUE(ViewWindow().timers.IsRunning(kViewTimerId));
    EXPECT_EQ(ViewClick("STOPTIMER"), 1);
    EXPECT_FALSE(ViewWindow().timers.IsRunning(kViewTimerId));
    EXPECT_TRUE(timers_.IsRunning(kMainTimer));
    EXPECT_EQ(ViewClick("STARTTIMER"), 1);
    EXPECT_EQ(ViewWindow().timers.Period(kViewTimerId), Frame().UpdateIntervalMs());
    EXPECT_EQ(ViewClick("ANYTHING"), 1);
    EXPECT_TRUE(ViewWindow().shown);
    EXPECT_EQ(ViewClick("CLOSE"), 1);
    EXPECT_FALSE(ViewWindow().shown);
    EXPECT_EQ(LiveClickNoteCount(), 0u);
}

TEST_F(FrameViewTest, ViewTimerRefreshesOnlyWhenUpdateIsOneAndActive) {
    ListPlugins({"ZETA_PLUGIN"});
    ViewSkinFor("ZETA_PLUGIN", 1, 0);
    Started();
    Click("ZETA_PLUGIN");
    ViewWindow().page.ids = {"ZETA+CALLS+COUNT"};
    ClearJournal();
    ViewWindow().timers.Tick(kViewTimerId);
    EXPECT_EQ(JournalCount("ZETA_PLUGIN", "GetData 0"), 1);
    EXPECT_FALSE(ViewWindow().page.elementHtml["ZETA+CALLS+COUNT"].empty());
    Frame().View()->SetActive(false);
    ViewWindow().timers.Tick(kViewTimerId);
    EXPECT_EQ(JournalCount("ZETA_PLUGIN", "GetData 0"), 1);
}

TEST_F(FrameViewTest, ViewWithUpdateZeroTicksWithoutChangingAnything) {
    ListPlugins({"ZETA_PLUGIN"});
    ViewSkinFor("ZETA_PLUGIN", 0, 0);
    Started();
    Click("ZETA_PLUGIN");
    ClearJournal();
    EXPECT_TRUE(ViewWindow().timers.Tick(kViewTimerId));
    EXPECT_TRUE(JournalOf("ZETA_PLUGIN").empty());
}

TEST_F(FrameViewTest, NavigationCommandReachesEveryMatchingPluginAndKeepsThePage) {
    ListPlugins({"VARNOCCTRL_PLUGIN", "ZETA_PLUGIN", "VARNOCCTRL_PLUGIN", "VARNAUTOPACE_PLUGIN"});
    Started();
    page_.SetVariable("currentMode", ScriptNumber(2));
    page_.SetVariable("autopace", std::string("true"));
    ClearJournal();
    EXPECT_TRUE(page_.Navigate("file:///app/x/VARNOCCTRL_PLUGIN:CHANGE_MODE:2:0"));
    // Nothing reaches a plug-in or the page while the page waits for the answer.
    EXPECT_TRUE(JournalOf("VARNOCCTRL_PLUGIN").empty());
    skinWindow_.RunPosted();
    EXPECT_EQ(JournalCount("VARNOCCTRL_PLUGIN", "SendCommand CHANGE_MODE 2 0"), 2);
    for (const std::string& line : JournalOf("ZETA_PLUGIN")) EXPECT_FALSE(line.starts_with("SendCommand")) << line;
    EXPECT_EQ(Frame().Modes().CurrentMode, 2);
    EXPECT_TRUE(Frame().Modes().AutoPaceOn);
    EXPECT_EQ(JournalCount("VARNAUTOPACE_PLUGIN", "SendCommand START_AUTOPACE 0 0"), 1);
    page_.SetVariable("autopace", std::string("TRUE"));
    EXPECT_TRUE(page_.Navigate("x/NOBODY:X"));
    skinWindow_.RunPosted();
    EXPECT_FALSE(Frame().Modes().AutoPaceOn);
    EXPECT_EQ(JournalCount("VARNAUTOPACE_PLUGIN", "SendCommand STOP_AUTOPACE 0 0"), 1);
}

TEST_F(FrameViewTest, NavigationBeforeTheViewPageCompletesIsForwardedButNotCancelled) {
    ListPlugins({"ZETA_PLUGIN"});
    Started(false);
    EXPECT_FALSE(page_.Navigate("x/ZETA_PLUGIN:HELLO:7:8"));
    skinWindow_.RunPosted();
    EXPECT_EQ(JournalCount("ZETA_PLUGIN", "SendCommand HELLO 7 8"), 1);
    EXPECT_FALSE(Frame().SkipNextComplete);
}

TEST_F(FrameViewTest, InitialViewWithoutIniSectionIsReportedAndComposedFromTheFolder) {
    ListPlugins({"ZETA_PLUGIN"});
    ViewSkinFor("ZETA_PLUGIN", 1, 0);
    WriteSkinFile("PlugIn.ini", "[OTHER_PLUGIN]\nxml=ZEFAN\\ZefanView.xml\n");
    Started();
    EXPECT_EQ(messages_.shown, std::vector<std::string>{kIniSectionError});
    EXPECT_EQ(Frame().View()->Engine().DefinitionPath(), programFolder_ + "Skin/");
    EXPECT_EQ(Frame().ViewPluginName(), "ZETA_PLUGIN");
    EXPECT_FALSE(Frame().View()->UpdateEnabled());
}

// The hidden view is loaded again at every tick, each load meeting the same
// missing section.
TEST_F(FrameViewTest, MissingIniSectionIsShownOnceWhileItLasts) {
    ListPlugins({"ZETA_PLUGIN"});
    ViewSkinFor("ZETA_PLUGIN", 1, 0);
    WriteSkinFile("PlugIn.ini", "[OTHER_PLUGIN]\nxml=ZEFAN\\ZefanView.xml\n");
    Started();
    auto tick = [this] {
        timers_.Tick(kMainTimer);
        timers_.Tick(kViewReloadTimer);
    };
    for (int i = 0; i < 3; ++i) tick();
    EXPECT_EQ(messages_.shown.size(), 1u);
    WriteSkinFile("PlugIn.ini", "[ZETA_PLUGIN]\nxml=ZEFAN\\ZefanView.xml\n");
    tick();
    WriteSkinFile("PlugIn.ini", "[OTHER_PLUGIN]\nxml=ZEFAN\\ZefanView.xml\n");
    tick();
    EXPECT_EQ(messages_.shown, (std::vector<std::string>{kIniSectionError, kIniSectionError}));
}

TEST_F(FrameViewTest, ViewSkinPathWithTwoSubFoldersComposesFromTheInnerFolder) {
    ListPlugins({"ZETA_PLUGIN"});
    ViewSkinFor("ZETA_PLUGIN", 1, 0);
    std::filesystem::create_directories(programFolder_ + "Skin/A/B");
    std::filesystem::copy_file(programFolder_ + "Skin/ZEFAN/ZefanView.xml", programFolder_ + "Skin/A/B/View.xml");
    std::filesystem::copy_file(programFolder_ + "Skin/ZEFAN/zefan.xsl", programFolder_ + "Skin/A/B/zefan.xsl");
    WriteSkinFile("PlugIn.ini", "[ZETA_PLUGIN]\nxml=A\\B\\View.xml\nUpdate=1\n");
    Started();
    EXPECT_EQ(Frame().View()->Engine().SkinFolder(), programFolder_ + "Skin/A/B/");
    EXPECT_EQ(Frame().View()->Engine().DefinitionPath(), programFolder_ + "Skin/A/B/View.xml");
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(FrameViewTest, WarningInTheInitialViewsDocumentStartsTheTrayAnimation) {
    ListPlugins({"ZETA_PLUGIN"});
    ViewSkinFor("ZETA_PLUGIN", 1, 0);
    Configure("ZETA_PLUGIN", "DATA",
              "<VARN_PLUGIN><FAN><ITEM NAME=\"F\"><AVAILABILITY>4</AVAILABILITY></ITEM></FAN></VARN_PLUGIN>");
    Started();
    EXPECT_TRUE(Frame().Modes().WarningActive);
    EXPECT_TRUE(Frame().Tray().Animating());

    // Each tick reloads the hidden view; restarting the animation there put
    // the skin's icon back every interval, and with a 1 s interval frame 135
    // was never seen.
    Frame().Tray().OnTimer(CSystemTray::kAnimationTimerId);
    const TrayIcon frame = trayIcon_.icon;
    ASSERT_EQ(frame, ":/icons/136.png");
    const int reloads = JournalCount("ZETA_PLUGIN", "GetData 0");
    timers_.Tick(kMainTimer);
    timers_.Tick(kViewReloadTimer);
    EXPECT_GT(JournalCount("ZETA_PLUGIN", "GetData 0"), reloads) << "the hidden view was reloaded";
    EXPECT_EQ(trayIcon_.icon, frame);
    Frame().Tray().OnTimer(CSystemTray::kAnimationTimerId);
    EXPECT_EQ(trayIcon_.icon, ":/icons/135.png");
}

// Nobody sees a hidden view's page, so its reload only takes the document
// (and its warnings) and leaves the page alone; the page is composed from a
// fresh document when it can be seen again.
TEST_F(FrameViewTest, AHiddenViewIsComposedWhenItCanBeSeenAgainNotAtEveryTick) {
    const auto document = [](const std::string& caption, const std::string& availability) {
        return "<VARN_PLUGIN><FAN><ITEM NAME=\"F\"><CAPTION>" + caption + "</CAPTION><AVAILABILITY>" + availability +
               "</AVAILABILITY></ITEM></FAN></VARN_PLUGIN>";
    };
    const auto tick = [this](int timer) {
        timers_.Tick(timer);
        timers_.Tick(kViewReloadTimer);
    };
    const auto shows = [this](const std::string& caption) {
        return ViewWindow().page.body.find(caption) != std::string::npos;
    };
    ListPlugins({"ZETA_PLUGIN"});
    ViewSkinFor("ZETA_PLUGIN", 1, 0);
    Configure("ZETA_PLUGIN", "DATA", document("First", "3"));
    Started();
    ASSERT_TRUE(shows("First"));
    ASSERT_FALSE(ViewWindow().shown);

    // The skin's initial view, loaded hidden: its warnings count at once.
    Configure("ZETA_PLUGIN", "DATA", document("Second", "4"));
    for (int i = 0; i < 3; ++i) tick(kMainTimer);
    EXPECT_FALSE(shows("Second")) << "a page nobody sees was composed";
    EXPECT_TRUE(Frame().Modes().WarningActive);
    EXPECT_TRUE(Frame().Tray().Animating());
    ASSERT_EQ(Click("ZETA_PLUGIN"), kClickHandled);
    EXPECT_TRUE(shows("Second"));

    // In the tray (the warning keeps timer 2 going), then back.
    Frame().OnCommand(CSystemTray::ID_MINIMIZE);
    ASSERT_FALSE(ViewWindow().IsVisible());
    Configure("ZETA_PLUGIN", "DATA", document("Third", "4"));
    tick(kWarningTimer);
    EXPECT_FALSE(shows("Third"));
    Frame().OnCommand(CSystemTray::ID_MAXIMIZE);
    EXPECT_TRUE(ViewWindow().IsVisible());
    EXPECT_TRUE(shows("Third"));

    // A view that was closed stays as it is: a skin button composes it anew.
    ASSERT_EQ(ViewClick("CLOSE"), 1);
    Configure("ZETA_PLUGIN", "DATA", document("Fourth", "4"));
    tick(kMainTimer);
    Frame().OnCommand(CSystemTray::ID_MINIMIZE);
    Frame().OnCommand(CSystemTray::ID_MAXIMIZE);
    EXPECT_FALSE(shows("Fourth"));
}

}  // namespace
