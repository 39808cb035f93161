#include "HtmlVesselDlg.h"

#include <filesystem>
#include <system_error>

#include "ClickNote.h"
#include "HostEventCallback.h"
#include "PluginCalls.h"
#include "RegistryAccess.h"
#include "RegistryHives.h"
#include "ScriptPage.h"
#include "SkinDefinition.h"
#include "SkinValues.h"

namespace {

CRegistryAccess UserRegistry(IRegistryHives* hives) {
    CRegistryAccess registry = hives != nullptr ? CRegistryAccess(*hives) : CRegistryAccess();
    registry.SetRootKey(HKEY_CURRENT_USER);
    return registry;
}

std::string ReadUserString(IRegistryHives* hives, const char* name) {
    std::string text;
    UserRegistry(hives).QueryString(kHostKey, name, text);
    return text;
}

bool ReadUserDword(IRegistryHives* hives, const char* name, int32_t& value) {
    uint32_t raw = 0;
    if (!UserRegistry(hives).QueryDword(kHostKey, name, &raw)) return false;
    value = static_cast<int32_t>(raw);
    return true;
}

std::vector<WorkArea> ScreensOf(IFrameWindow& window) {
    std::vector<WorkArea> screens = window.ScreenWorkAreas();
    if (screens.empty()) screens.push_back(window.PrimaryWorkArea());
    return screens;
}

// The skin's plug-in view INI; a "\" in PLUGIN_DIALOG "SRC" is a separator.
std::string PluginIniPathOf(const std::string& skinFolder, const std::string& definitionPath) {
    return JoinSkinFile(skinFolder, CSkinDefinition::GetPluginViewSource(definitionPath));
}

// What the user is told when a skin change is refused.
std::string SkinRefusal(SkinCheck check, const std::string& fileName) {
    const char* reason = "";
    switch (check) {
    case SkinCheck::Missing: reason = "the file does not exist"; break;
    case SkinCheck::NotADefinition: reason = "the file is not a skin definition"; break;
    case SkinCheck::NoStylesheet: reason = "it names no XSL stylesheet"; break;
    case SkinCheck::Usable: break;
    }
    return "The skin \"" + fileName + "\" cannot be used: " + reason + ". The current skin stays.";
}

bool FileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

}  // namespace

CHtmlVesselDlg::CHtmlVesselDlg(FrameServices services)
    : services_(std::move(services)),
      messages_(services_.messages),
      target_(services_.skinWindow, [this] { return PagesReady && modes_.WindowShown; }),
      engine_(messages_),
      documentPage_(services_.page, engine_),
      loader_(services_.loader, services_.versions, messages_, services_.hives),
      modes_(plugins_, ModePorts{*this, *this, *this, *this, *this}),
      tray_(services_.trayIcon, services_.trayTimers, services_.clock),
      intervalLoader_(services_.hives),
      settings_(*this, services_.hives),
      skinSetting_(*this, skinLister_, *this, services_.programFolder, services_.hives),
      exit_(*this, services_.hives),
      skinFolder_(services_.programFolder + "Skin/") {}

CHtmlVesselDlg::~CHtmlVesselDlg() {
    // A frame that ends without SaveAndExit (a second instance, a failed
    // skin) still gives its plug-ins back; after SaveAndExit nothing is left.
    loader_.UnloadAll(plugins_);
    SetHostEventTarget(nullptr);
}

void CHtmlVesselDlg::OnInitDialog() {
    services_.page.SetDocumentCompleteHandler([this] { OnMainPageComplete(); });
    services_.page.SetBeforeNavigateHandler([this](const std::string& address) { return OnBeforeNavigate(address); });
    trans_.LoadStoredAlpha(services_.hives);
    // Until a skin names the application, its boxes ("Initial skin fail",
    // "Base Interface Not Found") carry the program's own name.
    services_.window.SetApplicationName(services_.applicationName);
}

void CHtmlVesselDlg::End(int exitCode) {
    if (ended_) return;
    ended_ = true;
    services_.timers.Stop(kMainTimer);
    services_.timers.Stop(kWarningTimer);
    if (view_) view_->SetActive(false);
    services_.window.EndProcess(exitCode);
}

void CHtmlVesselDlg::OnMainPageComplete() {
    if (ended_) return;
    if (SkipNextComplete) {
        SkipNextComplete = false;
        return;
    }
    // A page that completes again after start-up (a skin script reloading it)
    // lost its face; recompose it instead of starting the program over, which
    // would end it without storing anything.
    if (firstCompletionDone_) {
        RecomposeAfterReload();
        return;
    }
    if (sequenceRunning_) return;
    sequenceRunning_ = true;
    {
        const CPluginsInUse inUse(*this);
        RunFirstCompletion();
    }
    sequenceRunning_ = false;
    if (ended_) return;
    firstCompletionDone_ = true;
    // The view's page may have completed while a script call of the sequence
    // waited; its part runs now, with the plug-ins loaded.
    if (viewCompletePending_) {
        viewCompletePending_ = false;
        OnViewPageComplete();
    }
}

void CHtmlVesselDlg::RunFirstCompletion() {
    IFrameWindow& window = services_.window;
    if (ApplySingleInstanceRule(services_.instance, services_.applicationName, window.WindowId()) ==
        InstanceDecision::SecondInstance) {
        End(0);
        return;
    }

    IPluginViewOwner& owner = *this;
    view_.reset(new CPlugInView(owner, services_.viewFactory.CreateViewWindow(), messages_));
    view_->LoadPage();

    const std::string initialSkin = skinSetting_.ReadInitialSkin();
    if (!initialSkin.empty()) skinFile_ = initialSkin;
    if (!FileExists(SkinDefinitionPath())) skinFile_ = kDefaultSkinFile;

    int32_t x = posX_;
    int32_t y = posY_;
    ReadUserDword(services_.hives, "PosX", x);
    ReadUserDword(services_.hives, "PosY", y);
    const SnapPosition start = StoredStartPosition(x, y, ScreensOf(window));
    posX_ = start.x;
    posY_ = start.y;
    engine_.SetPosition(start.x, start.y);

    if (!ComposeMainPage()) {
        messages_.Show(kInitialSkinFail);
        End(0);
        return;
    }
    PlaceOnScreens(start);
    // The window opens at the opacity it had when it was closed.
    if (trans_.AppliedAlpha() < CTransDialog::kMaxAlpha) engine_.SetTransparency(trans_.AppliedAlpha());

    SetHostEventTarget(this);
    // Plug-ins get the widget, not the window system's id: the id changes
    // whenever the window is re-created (a topmost change does that).
    loader_.LoadAll(plugins_, PluginLoadContext{static_cast<VARN_VALUE>(window.PluginWindowHandle()),
                                                &modes_.CurrentMode, &HostPluginEventCallback});

    ReadPluginViewSettings();

    applicationName_ = engine_.ApplicationName();
    window.SetApplicationName(applicationName_.empty() ? services_.applicationName : applicationName_);
    tray_.Install(this, applicationName_, engine_.IconPath(), CSystemTray::kMenuId, false);
    tray_.SetDefaultMenuItem(CSystemTray::ID_MINIMIZE, false);
    window.SetIcon(engine_.IconPath());

    skinTimer_ = engine_.TimerFlag();
    engine_.CallScript("OnInitial", "", "");

    updateIntervalMs_ = intervalLoader_.LoadInterval() * 1000;
    RefreshShared();
    services_.timers.Stop(kMainTimer);
    StartMainTimerIfAllowed();

    tray_.LoadAnimationIcons(135, 136);
    modes_.WindowShown = true;

    Topmost = ReadUserString(services_.hives, "TOP") == "TRUE";
    window.SetTopmost(Topmost, PagesReady);
    engine_.SetButtonCheck("TOP", Topmost);

    StartModeSettings start_mode;
    start_mode.changeAtStart = ReadUserString(services_.hives, "ChangeAtStart");
    start_mode.autoPace = ReadUserString(services_.hives, "AutoPace");
    start_mode.hasMode = ReadUserDword(services_.hives, "Mode", start_mode.mode);
    modes_.RestoreAtStart(start_mode);

    if (intervalLoader_.LoadMinimize()) MinimizeToTray();
}

// The composed window has its size now: one that would open off every
// screen (its monitor unplugged) comes onto the nearest one, still hidden.
void CHtmlVesselDlg::PlaceOnScreens(SnapPosition start) {
    const FrameRect size = services_.window.Geometry();
    const SnapPosition placed =
        PlaceOnNearestScreen({start.x, start.y, size.width, size.height}, ScreensOf(services_.window));
    if (placed == start) return;
    services_.window.MoveTo(placed.x, placed.y);
    posX_ = placed.x;
    posY_ = placed.y;
    engine_.SetPosition(placed.x, placed.y);
}

void CHtmlVesselDlg::RecomposeAfterReload() {
    ComposeMainPage();
    engine_.SetButtonCheck("TOP", Topmost);
    engine_.CallScript("SetAutoPace", modes_.AutoPaceOn ? "true" : "false", "");
    engine_.CallScript("BeginChangeMode", std::to_string(modes_.CurrentMode), "");
    engine_.CallScript("OnInitial", "", "");
    engine_.SetButtonCheck(viewPluginName_, true);
    RefreshShared();
}

void CHtmlVesselDlg::ReadPluginViewSettings() {
    int x = 0;
    int y = 0;
    ShowsPluginView = CSkinDefinition::GetPluginViewPlacement(SkinDefinitionPath(), x, y);
    ini_.SetPath(PluginIniPathOf(skinFolder_, SkinDefinitionPath()));
}

void CHtmlVesselDlg::StartMainTimerIfAllowed() {
    if (updateIntervalMs_ != 0 && skinTimer_)
        services_.timers.Start(kMainTimer, updateIntervalMs_, [this] { OnTimer(kMainTimer); });
}

void CHtmlVesselDlg::RestartTimers() {
    if (ended_) return;
    updateIntervalMs_ = intervalLoader_.LoadInterval() * 1000;
    services_.timers.Stop(kMainTimer);
    StartMainTimerIfAllowed();
    if (view_) {
        view_->SetInterval(updateIntervalMs_);
        view_->SetActive(true);
    }
}

void CHtmlVesselDlg::RefreshShared() {
    const CPluginsInUse inUse(*this);
    // Every share plug-in's rendering reaches the page in one script that
    // nothing waits for, sent while the plug-ins are still in use.
    const CScriptBatch batch(engine_.Bridge());
    const SharedRefreshState state{modes_.CurrentMode, viewPluginName_, ShowsPluginView};
    RefreshSharedData(plugins_, ini_, state, documents_, *this);
}

void CHtmlVesselDlg::RenderSharedData() {
    renderer_.Render(documents_.SharedData, documentPage_, modes_.WarningActive);
}

void CHtmlVesselDlg::OnTimer(int id) {
    if (ended_) return;
    // A tick that arrives while a script call of the previous one waits is
    // dropped: nesting the refresh would only repeat it.
    if (ticking_) return;
    ticking_ = true;
    if (id == kMainTimer) {
        RefreshShared();
        // Nothing waits for its answer: the call follows the tick's writes.
        if (!ended_) engine_.QueueScript("ProcessEnd", "", "");
    }
    if (ShowsPluginView && view_ && !view_->IsVisible()) ScheduleViewReload();
    ticking_ = false;
}

void CHtmlVesselDlg::OnCommand(int command) {
    if (ended_) return;
    {
        const CPluginsInUse inUse(*this);
        if (modes_.OnModeCommand(command)) return;
    }
    switch (command) {
    case kCommandRenderShared: RenderSharedData(); break;
    case CSystemTray::ID_MAXIMIZE: RestoreFromTray(); break;
    case CSystemTray::ID_MINIMIZE: MinimizeToTray(); break;
    case CSystemTray::ID_EXIT: SaveAndExit(); break;
    case CSystemTray::ID_ABOUT: services_.dialogs.ShowAbout(); break;
    default: break;
    }
}

void CHtmlVesselDlg::EnterMinimised() {
    if (modes_.WarningActive) Start(updateIntervalMs_);
    services_.timers.Stop(kMainTimer);
    if (view_) view_->SetActive(false);
    // Before the window moves: moving it reports its new state back.
    modes_.WindowShown = false;
}

void CHtmlVesselDlg::LeaveMinimised() {
    Stop();
    ComposeViewIfPending();
    RestartTimers();
    modes_.WindowShown = true;
}

void CHtmlVesselDlg::MinimizeToTray() {
    EnterMinimised();
    // A window not shown yet ("Min" at start) goes where it belongs when it
    // would be shown: iconifying it now would put it on screen before its
    // pages are ready.
    if (PagesReady) tray_.MinimizeToTray(services_.window);
    else tray_.SetDefaultMenuItem(CSystemTray::ID_MAXIMIZE, false);
}

void CHtmlVesselDlg::RestoreFromTray() {
    if (services_.window.IsVisible()) return;
    LeaveMinimised();
    tray_.RestoreWindow(services_.window);
}

void CHtmlVesselDlg::OnWindowIconified(bool iconified) {
    if (ended_ || !PagesReady) return;
    if (iconified && modes_.WindowShown) {
        EnterMinimised();
        tray_.NoteIconified();
    } else if (!iconified && !modes_.WindowShown && tray_.Place() == CAppTray::WindowPlace::OnTaskbar) {
        LeaveMinimised();
        tray_.NoteRestored();
    }
}

bool CHtmlVesselDlg::OnPowerEvent(int event, int data) {
    if (event != CAppTray::kSuspend && event != CAppTray::kResume) return false;
    // Every plug-in hears it, in load order, not only the first: a plug-in
    // that programs the chip must re-program it after the firmware reset it
    // on resume, wherever it stands in the list, and plug-ins ignore
    // commands they do not know.
    const CPluginsInUse inUse(*this);
    const std::vector<IVARNPlugin*> plugins = plugins_.Plugins();
    for (IVARNPlugin* plugin : plugins)
        plugin_calls::SendThroughTemporaryExtend(plugin, VARN_CMD_SUSPEND_EVENT, event, 0);
    return event == CAppTray::kResume && data == 2;
}

void CHtmlVesselDlg::OnMouseDown(const std::string& elementId) {
    if (ended_ || dragging_ || (elementId != "CHtmlVesselDlg" && elementId != "MOVEAREA")) return;
    dragging_ = true;
    services_.timers.Stop(kMainTimer);
    if (view_) view_->SetActive(false);
    if (!services_.window.StartSystemMove()) OnDragEnd();
}

void CHtmlVesselDlg::OnDragEnd() {
    if (!dragging_) return;
    dragging_ = false;
    const FrameRect rect = services_.window.Geometry();
    const SnapPosition snapped = SnapToWorkArea(rect, services_.window.PrimaryWorkArea());
    if (snapped.x != rect.x || snapped.y != rect.y) services_.window.MoveTo(snapped.x, snapped.y);
    RestartTimers();
    engine_.RefreshFocus();
    engine_.SetPosition(snapped.x, snapped.y);
}

void CHtmlVesselDlg::OnPositionChanged(int x, int y) {
    posX_ = x;
    posY_ = y;
}

void CHtmlVesselDlg::SaveAndExit() {
    if (ended_) return;
    if (pluginsInUse_ > 0) {
        // The settings dialog would otherwise hold the exit until the user
        // closes it; ending it lets the uses unwind.
        if (!exitDeferred_) {
            exitDeferred_ = true;
            services_.dialogs.EndModalRuns();
        }
        return;
    }
    exit_.Run();
}

int32_t CHtmlVesselDlg::OnPluginEvent(const char* sender, const char* event, int32_t value) {
    if (ended_) return 0;
    const CPluginsInUse inUse(*this);
    return modes_.OnPluginEvent(sender, event, value);
}

CHtmlVesselDlg::CPluginsInUse::~CPluginsInUse() {
    if (--frame_.pluginsInUse_ > 0 || !frame_.exitDeferred_) return;
    frame_.exitDeferred_ = false;
    frame_.SaveAndExit();
}

// --- skin commands -------------------------------------------------------

int CHtmlVesselDlg::OnSkinClick(void* note) {
    std::unique_ptr<CClickNote> click = TakeLiveClickNote(note);
    if (!click) return kClickNotANote;
    if (ended_) return kClickHandled;
    return DispatchSkinCommand(click->Id(), *this);
}

std::vector<AboutEntry> CHtmlVesselDlg::AboutEntries() const {
    std::vector<AboutEntry> entries;
    for (const PluginEntry& entry : plugins_.Entries()) entries.push_back({entry.fileName, entry.version});
    const std::vector<IVARNPlugin*> loaded = plugins_.Plugins();
    for (std::size_t i = 0; i < loaded.size(); ++i) {
        const std::size_t entry = plugins_.EntryOf(i);
        if (entry < entries.size()) entries[entry].state = FetchAboutState(loaded[i]);
    }
    return entries;
}

void CHtmlVesselDlg::RunSettings() {
    // The plug-ins' pages live in the dialog: their code runs whenever the
    // dialog's event loop does.
    const CPluginsInUse inUse(*this);
    settings_.DoModal([this] { return services_.dialogs.RunSettings(settings_); });
    if (ended_ || exitDeferred_) return;
    ShowViewDocument(modes_.CurrentMode);
}

void CHtmlVesselDlg::ShowSkinSelection() { services_.dialogs.ShowSkinSelection(skinSetting_); }

void CHtmlVesselDlg::ToggleTopmost() {
    services_.window.SetTopmost(!Topmost, PagesReady && modes_.WindowShown);
    Topmost = !Topmost;
}

void CHtmlVesselDlg::RunTransparency() {
    if (trans_.DoModal([this] { return services_.dialogs.RunTransparency(trans_); }))
        engine_.SetTransparency(trans_.GetAlpha());
}

void CHtmlVesselDlg::MinimizeFromSkin() {
    if (view_) view_->SetActive(false);
    MinimizeToTray();
}

void CHtmlVesselDlg::ChangeSkinFromDialog(const std::string& fileName) {
    const std::string folder = chosenSkinFolder_.empty() ? skinFolder_ : chosenSkinFolder_;
    chosenSkinFolder_.clear();
    ChangeSkin(folder, fileName, true);
}

bool CHtmlVesselDlg::ComposeMainPage() {
    engine_.SetSkinFile(skinFile_);
    return engine_.LoadSkin(skinFolder_, &target_, &services_.page, kFrameDocument, true);
}

void CHtmlVesselDlg::ChangeSkin(const std::string& folder, const std::string& fileName, bool fromDialog) {
    // A composition waits on the page; a change asked for meanwhile is dropped.
    if (ended_ || engine_.Composing()) return;
    // Composing tears the current face down first, so a skin that cannot be
    // composed is refused before: it used to leave a hidden window without
    // buttons, or end the program without storing anything.
    const SkinCheck check = CSkinEngine::CheckSkin(folder, fileName, kFrameDocument);
    if (check != SkinCheck::Usable) {
        messages_.Show(SkinRefusal(check, fileName));
        return;
    }
    const std::string previousFolder = skinFolder_;
    const std::string previousFile = skinFile_;
    engine_.CallScript("RestoreInitial", "", "");
    skinFolder_ = folder;
    skinFile_ = fileName;
    if (!ComposeMainPage()) {
        // Changed on disk since the check: the previous skin is put back.
        skinFolder_ = previousFolder;
        skinFile_ = previousFile;
        engine_.CallScript("RestoreInitial", "", "");
        ComposeMainPage();
        messages_.Show(SkinRefusal(SkinCheck::Missing, fileName));
    }
    ReadPluginViewSettings();
    // Timer 1 runs on after the change even when the new skin shows a plug-in
    // view: it is what refreshes the main page and reloads the hidden view,
    // and stopping it left the page without values until a plug-in button
    // was pressed.
    if (ShowsPluginView) ReloadInitialView();
    StartMainTimerIfAllowed();
    const std::string autoPace = modes_.AutoPaceOn ? "true" : "false";
    const std::string mode = std::to_string(modes_.CurrentMode);
    engine_.SetButtonCheck("TOP", Topmost);
    if (fromDialog) {
        engine_.CallScript("SetAutoPace", autoPace, "");
        engine_.SetButtonCheck(viewPluginName_, true);
        engine_.CallScript("BeginChangeMode", mode, "");
        engine_.CallScript("OnInitial", "", "");
    } else {
        engine_.CallScript("SetAutoPace", autoPace, "");
        engine_.CallScript("BeginChangeMode", mode, "");
        engine_.CallScript("OnInitial", "", "");
        engine_.SetButtonCheck(viewPluginName_, true);
    }
}

int CHtmlVesselDlg::SelectPluginView(const std::string& identifier) {
    const CPluginsInUse inUse(*this);
    services_.timers.Stop(kMainTimer);
    if (view_) view_->SetActive(false);
    // A copy: plug-in calls below may call back into the host.
    const std::vector<IVARNPlugin*> loaded = plugins_.Plugins();
    for (IVARNPlugin* plugin : loaded) {
        if (plugin_calls::Name(plugin) != identifier) continue;
        // The plug-in already shown: nothing changes. One that is the view
        // plug-in but hidden (the skin's initial view is loaded hidden) is
        // shown, or its button could never bring the view up.
        if (plugin == plugins_.ViewPluginBase() && view_ && view_->IsVisible()) break;
        viewPluginName_ = identifier;
        plugins_.SelectViewPluginInfo(plugin);
        ::FetchViewDocument(plugins_, documents_, modes_.CurrentMode);
        std::string document = identifier == VARN_PLUGIN_EQ
                                   ? documents_.LastViewData
                                   : plugin_calls::GetData(plugins_.ViewPluginInfo(), kDocumentBufferSize,
                                                           modes_.CurrentMode)
                                         .text;
        document = TrimAfterDocumentEnd(document);
        if (view_) view_->Hide();
        services_.window.RedrawNow();
        ini_.SetPath(PluginIniPathOf(skinFolder_, SkinDefinitionPath()));
        const std::string viewSkin = ini_.ViewSkin(identifier);
        if (viewSkin.empty()) {
            messages_.Show(kGetXmlSkinFileFailed);
            return kClickFailed;
        }
        if (view_) {
            view_->LoadContent(skinFolder_, viewSkin, document);
            view_->Show();
        }
        plugins_.SetViewPluginBase(plugin);
        break;
    }
    RestartTimers();
    return kClickHandled;
}

// --- navigation commands -------------------------------------------------

bool CHtmlVesselDlg::OnBeforeNavigate(const std::string& address) {
    if (ended_) return true;
    // The page waits for this answer, so nothing may call into it now (a
    // script call would wait for a page that waits for us): the command runs
    // as a posted task, after the answer. Whether to cancel depends only on
    // PagesReady, so the answer is known at once.
    const bool cancel = PagesReady;
    if (cancel) SkipNextComplete = true;
    services_.skinWindow.Post([this, address, cancel] { RunNavigationCommand(address, cancel); });
    return cancel;
}

void CHtmlVesselDlg::RunNavigationCommand(const std::string& address, bool afterStart) {
    if (ended_) return;
    const CPluginsInUse inUse(*this);
    const NavigationCommand command = ParseNavigationCommand(address);
    const std::vector<IVARNPlugin*> loaded = plugins_.Plugins();
    for (IVARNPlugin* plugin : loaded)
        if (plugin_calls::Name(plugin) == command.identifier)
            plugin_calls::SendThroughTemporaryExtend(plugin, command.command.c_str(), command.value1,
                                                     command.value2);
    // The page's own first navigation passes untouched.
    if (!afterStart) return;
    int mode = modes_.CurrentMode;
    engine_.GetVariableInt("currentMode", mode);
    modes_.CurrentMode = mode;
    std::string autopace;
    engine_.GetVariableText("autopace", autopace);
    modes_.SetAutoPaceFromPage(autopace);
    ShowViewDocument(modes_.CurrentMode);
}

// --- plug-in view --------------------------------------------------------

std::string CHtmlVesselDlg::FetchViewDocument(int mode) {
    const CPluginsInUse inUse(*this);
    return ::FetchViewDocument(plugins_, documents_, mode);
}

void CHtmlVesselDlg::ShowViewDocument(int mode) {
    const std::string document = FetchViewDocument(mode);
    if (view_) view_->Render(document);
}

// When a page completes, nothing is left to wait for: its completion is the
// event the reload's pause stood in for, and the window, which shows right
// after, would wait 600 ms on a frozen thread (most of a start-up).
void CHtmlVesselDlg::ReloadInitialView() {
    if (ended_ || !view_) return;
    LoadInitialView();
}

// On a timer tick the reload's wait runs on a one-shot timer: blocking the
// thread there would freeze the window for 600 ms of every interval while
// the view is hidden, which is most of the time.
//
// A page nobody sees is not composed again: the reload takes the initial
// plug-in and its document (so its warnings are scanned at every tick) and
// leaves the page as it is until the view can be seen again, when it is
// composed from a fresh document. Composing it each interval was about half
// of an idle Velmar's processor time.
void CHtmlVesselDlg::ScheduleViewReload() {
    if (services_.timers.IsRunning(kViewReloadTimer)) return;
    services_.timers.Start(kViewReloadTimer, kViewReloadWaitMs, [this] {
        services_.timers.Stop(kViewReloadTimer);
        if (ended_ || !ShowsPluginView || !view_ || view_->IsVisible()) return;
        LoadInitialView(false);
    });
}

// Before the window (and with it a view that was shown) comes back on screen.
void CHtmlVesselDlg::ComposeViewIfPending() {
    if (!viewComposePending_ || !view_ || !view_->IsShown()) return;
    LoadInitialView();
}

void CHtmlVesselDlg::LoadInitialView(bool compose) {
    if (ended_ || !view_) return;
    const CPluginsInUse inUse(*this);
    const std::string initial = CSkinDefinition::GetPluginViewInit(SkinDefinitionPath());
    const std::vector<IVARNPlugin*> loaded = plugins_.Plugins();
    for (IVARNPlugin* plugin : loaded) {
        if (plugin_calls::Name(plugin) != initial) continue;
        viewPluginName_ = initial;
        plugins_.ReleaseViewPluginInfo();
        ini_.SetPath(PluginIniPathOf(skinFolder_, SkinDefinitionPath()));
        const std::string viewSkin = ini_.ViewSkin(initial);
        // Met again at every tick while the view stays hidden: shown once.
        messages_.Reflect(viewSkin.empty(), kIniSectionError);
        plugins_.SelectViewPluginInfo(plugin);
        const std::string document = plugin_calls::GetData(plugins_.ViewPluginInfo(), kDocumentBufferSize, 0).text;
        if (DocumentHasWarning(document)) modes_.WarningActive = true;
        // A running animation goes on: restarting it on every reload of the
        // hidden view put the skin's icon back each interval, and the
        // warning's frames were hardly seen.
        if (modes_.WarningActive && !tray_.Animating()) StartAnimation();
        viewComposePending_ = !compose;
        if (compose) {
            view_->LoadContent(skinFolder_, viewSkin, document);
            view_->CallScript("OnInitial");
        }
        plugins_.SetViewPluginBase(plugin);
        break;
    }
}

void CHtmlVesselDlg::OnViewPageComplete() {
    if (ended_) return;
    if (!firstCompletionDone_) {
        viewCompletePending_ = true;
        return;
    }
    if (ShowsPluginView) ReloadInitialView();
    PagesReady = true;
    services_.window.RedrawNow();
    // A window minimised at start stays in the tray, or on the taskbar
    // where there is no tray.
    if (modes_.WindowShown) services_.window.ShowWindow();
    else if (tray_.Place() == CAppTray::WindowPlace::Shown) tray_.MinimizeToTray(services_.window);
}

// --- exit, settings, skin selection, tray --------------------------------

void CHtmlVesselDlg::StoreInitialSkin() { skinSetting_.SaveInitialSkin(skinFile_); }

void CHtmlVesselDlg::DeactivatePluginView() {
    if (view_) view_->SetActive(false);
}

ExitWindowState CHtmlVesselDlg::WindowState() {
    return {posX_, posY_, Topmost, static_cast<uint32_t>(trans_.AppliedAlpha())};
}

std::string CHtmlVesselDlg::GetSkinName(const std::string& definitionPath) {
    return CSkinDefinition::GetSkinName(definitionPath);
}

void CHtmlVesselDlg::EndAnimation() {
    tray_.EndAnimation();
    tray_.ChangeIcon(engine_.IconPath());
}

void CHtmlVesselDlg::Start(int periodMs) {
    services_.timers.Start(kWarningTimer, periodMs, [this] { OnTimer(kWarningTimer); });
}
