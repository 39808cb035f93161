// CHtmlVesselDlg: the host's main frame. It owns every long-lived host object
// (its skin engine, the plug-in view, the loaded plug-ins, the tray icon, the
// dialogs, the operating modes) and runs the start-up sequence at the first
// completion of its page, its timers, the skin commands and SaveAndExit.
//
// Everything runs on the UI thread, yet page script calls wait in a nested
// event loop where timers, clicks and plug-in events can arrive: each handler
// reads the members afresh, and the few that must not nest say so.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "AboutDlg.h"
#include "DataDocumentRenderer.h"
#include "FrameDocumentPage.h"
#include "FrameGatedSkinWindow.h"
#include "FramePorts.h"
#include "GeneralSettingDlg.h"
#include "HostEventCallback.h"
#include "InstanceChecker.h"
#include "LoadedPlugins.h"
#include "OperatingModes.h"
#include "PlugInView.h"
#include "PluginDocuments.h"
#include "PluginLoader.h"
#include "PluginViewIni.h"
#include "SaveAndExit.h"
#include "ScreenPlacement.h"
#include "SettingDialog.h"
#include "SharedDataRefresh.h"
#include "SkinCommandDispatch.h"
#include "SkinEngine.h"
#include "SkinSetting.h"
#include "SystemTray.h"
#include "Timers.h"
#include "TransDialog.h"

class IRegistryHives;

inline constexpr const char* kDefaultSkinFile = "KavoIII.xml";
inline constexpr const char* kFrameDocument = "<VARN_FRAME></VARN_FRAME>";
inline constexpr const char* kInitialSkinFail = "Initial skin fail";
inline constexpr const char* kGetXmlSkinFileFailed = "Get XML Skin file failed";
inline constexpr const char* kIniSectionError = "Ini Section Error";

inline constexpr int kMainTimer = 1;
inline constexpr int kWarningTimer = 2;
inline constexpr int kCommandRenderShared = 1023;
inline constexpr int kTrayCallbackMessage = 32778;
inline constexpr int kViewReloadWaitMs = 600;
// Fires once, kViewReloadWaitMs after a tick that found the view hidden.
inline constexpr int kViewReloadTimer = 3;
inline constexpr int kWarningAnimationMs = 888;

// Everything the frame works through.
struct FrameServices {
    IFrameWindow& window;
    ISkinWindow& skinWindow;  // the composition target of the main window
    IScriptPage& page;        // page 104
    ITimers& timers;          // the main window's timers 1 and 2
    IMessageBox& messages;    // owned by the main window, captioned with the application name
    IInstanceBlock& instance;
    IDynamicLoader& loader;
    ILibraryVersionReader& versions;
    ITrayIconPort& trayIcon;
    ITimerPort& trayTimers;
    IClock& clock;
    IFrameDialogs& dialogs;
    IViewWindowFactory& viewFactory;
    IRegistryHives* hives = nullptr;  // null: the process's hives
    std::string programFolder;        // ends in "/"
    std::string applicationName = "Velmar";
};

class CHtmlVesselDlg : private ISkinCommandTarget,
                       private IExitFrame,
                       private ISettingsFrame,
                       private ISkinOwner,
                       private ITrayTarget,
                       private ISharedDataRenderer,
                       private IModePage,
                       private IModeView,
                       private IWarningTray,
                       private IWarningTimer,
                       private ISettingsApply,
                       private IPluginViewOwner,
                       private IFolderBrowser,
                       private IPluginEventTarget {
public:
    explicit CHtmlVesselDlg(FrameServices services);
    ~CHtmlVesselDlg() override;
    CHtmlVesselDlg(const CHtmlVesselDlg&) = delete;
    CHtmlVesselDlg& operator=(const CHtmlVesselDlg&) = delete;

    // Dialog initialisation: the page's handlers are set; the adapter then
    // loads page 104.
    void OnInitDialog();

    // Events from the adapters.
    void OnMainPageComplete();
    bool OnBeforeNavigate(const std::string& address);  // true cancels
    int OnSkinClick(void* note);                         // "NORMAL_SKIN_CLICK"
    void OnCommand(int command);
    void OnTimer(int id);
    // Power notification: event 4 suspend, 7 resume. True when the event is
    // answered here (a resume with data 2) and the default handling must not run.
    bool OnPowerEvent(int event, int data);
    // Mouse-down on a page element; starts a drag for the body and "MOVEAREA".
    void OnMouseDown(const std::string& elementId);
    void OnDragEnd();
    void OnPositionChanged(int x, int y);
    // The window system iconified the window or gave it back by itself (its
    // taskbar button): the rules of MIN and of a restore, the window left
    // where the window system put it.
    void OnWindowIconified(bool iconified);
    // The session ends (commit-data request, SIGTERM): SaveAndExit.
    void OnSessionEnd() { SaveAndExit(); }
    void SaveAndExit();
    // The skin selection dialog's choice (its folder is already set).
    void ChangeSkinFromDialog(const std::string& fileName);

    // State, for the adapters and tests.
    bool PagesReady = false;
    bool ShowsPluginView = false;
    bool SkinTimer() override { return skinTimer_; }
    bool Topmost = false;
    bool SkipNextComplete = false;
    int UpdateIntervalMs() override { return updateIntervalMs_; }
    const std::string& ViewPluginName() const { return viewPluginName_; }
    const std::string& SkinFile() const { return skinFile_; }
    const std::string& CurrentSkinFolder() const { return skinFolder_; }
    const std::string& ApplicationName() const { return applicationName_; }
    std::string CurrentPluginIniPath() const { return ini_.Path(); }
    int PositionX() const { return posX_; }
    int PositionY() const { return posY_; }
    bool Ended() const { return ended_; }
    bool Dragging() const { return dragging_; }

    COperatingModes& Modes() { return modes_; }
    CLoadedPlugins& Plugins() { return plugins_; }
    PluginDocuments& Documents() { return documents_; }
    CSkinEngine& Engine() { return engine_; }
    CPlugInView* View() { return view_.get(); }
    CAppTray& Tray() { return tray_; }
    // Where the tray icon's menu commands go.
    ITrayTarget& TrayTarget() { return *this; }
    CSettingDialog& Settings() { return settings_; }
    CTransDialog& Transparency() { return trans_; }
    CSkinSetting& SkinSelection() { return skinSetting_; }
    // The About dialog's list: every library the loader listed, in load order.
    std::vector<AboutEntry> AboutEntries() const;

    void RestartTimers();
    void MinimizeToTray();
    void RestoreFromTray();
    void ReloadInitialView();
    // compose false: everything of the reload but composing the page (the
    // document's warning scan included), which then waits until the view
    // can be seen again (ComposeViewIfPending).
    void LoadInitialView(bool compose = true);
    void ScheduleViewReload();
    void ComposeViewIfPending();
    void RenderSharedData() override;
    void RefreshShared();

private:
    void RunFirstCompletion();
    void PlaceOnScreens(SnapPosition start);
    // The rules every way of minimising and restoring shares: timers 1 and
    // 2, the plug-in view's activity, WindowShown.
    void EnterMinimised();
    void LeaveMinimised();
    void RecomposeAfterReload();
    void RunNavigationCommand(const std::string& address, bool afterStart);
    void End(int exitCode);
    void StartMainTimerIfAllowed();
    void ReadPluginViewSettings();
    // Checks the new skin first: one that cannot be composed is refused
    // (the user is told why) and the current skin stays as it is.
    void ChangeSkin(const std::string& folder, const std::string& fileName, bool fromDialog);
    bool ComposeMainPage();
    std::string SkinDefinitionPath() const { return skinFolder_ + skinFile_; }

    // ISkinCommandTarget
    void RunSettings() override;
    void CloseProgram() override { SaveAndExit(); }
    void ShowSkinSelection() override;
    void ToggleTopmost() override;
    void RunTransparency() override;
    void ChangeSkinFromCommand(const std::string& fileName) override { ChangeSkin(skinFolder_, fileName, false); }
    void MinimizeFromSkin() override;
    int SelectPluginView(const std::string& identifier) override;

    // IExitFrame
    void StoreInitialSkin() override;
    void StopMainTimer() override { services_.timers.Stop(kMainTimer); }
    void DeactivatePluginView() override;
    ExitWindowState WindowState() override;
    void UnloadPlugins() override { loader_.UnloadAll(plugins_); }
    ExitModeState ModeState() override { return {modes_.CurrentMode, modes_.AutoPaceOn}; }
    void DeleteTrayIcon() override { tray_.DeleteIcon(); }
    void EndProcess(int exitCode) override { End(exitCode); }

    // ISettingsFrame
    std::vector<IVARNPlugin*> LoadedPlugins() override { return plugins_.Plugins(); }
    std::string PluginIniPath() override { return ini_.Path(); }
    std::string SkinFolder() override { return skinFolder_; }
    void ReloadIntervalAndRestartTimer() override { RestartTimers(); }
    void ApplyPendingModeStep() override { modes_.ApplyModeAfterSettings(); }

    // ISkinOwner
    std::string GetSkinName(const std::string& definitionPath) override;
    std::string DefinitionPath() override { return SkinDefinitionPath(); }
    // The folder is taken over by the change that follows, once the skin in
    // it has been found usable.
    void SetSkinFolder(const std::string& folder) override { chosenSkinFolder_ = folder; }
    void ChangeSkin(const std::string& fileName) override { ChangeSkinFromDialog(fileName); }

    // ITrayTarget
    void BringToForeground() override { services_.window.Activate(); }
    void SendCommand(int command) override { OnCommand(command); }
    void PowerNotification(int event, int data) override { OnPowerEvent(event, data); }

    // IModePage, IModeView
    void CallScript(const std::string& name, const std::string& a, const std::string& b) override {
        engine_.CallScript(name, a, b);
    }
    void ShowViewDocument(int mode) override;

    // IWarningTray, IWarningTimer, ISettingsApply
    void StartAnimation() override { tray_.StartAnimation(kWarningAnimationMs, -1); }
    void EndAnimation() override;
    void Start(int periodMs) override;
    void Stop() override { services_.timers.Stop(kWarningTimer); }
    void EnableApply(bool enable) override { settings_.EnableApply(enable); }

    // IPluginViewOwner
    bool SkinShowsView() override { return ShowsPluginView; }
    bool ViewPluginUpdates() override { return ini_.UpdatesView(viewPluginName_); }
    std::string FetchViewDocument(int mode) override;
    void OnViewPageComplete() override;

    // IFolderBrowser
    std::string BrowseForFolder(const std::string& title) override {
        return services_.dialogs.BrowseForFolder(title);
    }

    // IPluginEventTarget: a plug-in's event runs the mode rules, which call
    // into page scripts (a nested event loop) while the plug-in that sent it
    // waits for the callback to return.
    int32_t OnPluginEvent(const char* sender, const char* event, int32_t value) override;

    FrameServices services_;
    // Every box of the frame, its engines and its loader: one at a time.
    CFailureMessages messages_;
    CFrameGatedSkinWindow target_;
    CSkinEngine engine_;
    CFrameDocumentPage documentPage_;
    CDataDocumentRenderer renderer_{DocumentPageKind::MainPage};
    CLoadedPlugins plugins_;
    CPluginLoader loader_;
    PluginDocuments documents_;
    CPluginViewIni ini_;
    COperatingModes modes_;
    CAppTray tray_;
    CTransDialog trans_;
    CGeneralSettingDlg intervalLoader_;
    CSettingDialog settings_;
    CSkinFolderLister skinLister_;
    CSkinSetting skinSetting_;
    CSaveAndExit exit_;
    std::unique_ptr<CPlugInView> view_;

    std::string skinFolder_;
    std::string chosenSkinFolder_;  // the skin selection's folder, until a change takes it
    std::string skinFile_ = kDefaultSkinFile;
    std::string viewPluginName_;
    std::string applicationName_;
    bool skinTimer_ = false;
    int updateIntervalMs_ = 0;
    int posX_ = 0;
    int posY_ = 0;
    bool firstCompletionDone_ = false;
    bool sequenceRunning_ = false;
    bool viewCompletePending_ = false;
    bool viewComposePending_ = false;  // the hidden view's page is older than its last reload
    bool ended_ = false;
    bool dragging_ = false;
    bool ticking_ = false;

    // Plug-in code may be on the stack below any nested event loop: a script
    // call waits in one, so do the settings dialog (the plug-ins' pages are
    // their code) and a plug-in's own dialogs. SIGTERM, the session's end,
    // the tray's Exit or "CLOSE" can arrive there. Every path that calls a
    // plug-in holds this guard; an exit asked for meanwhile ends the modal
    // dialogs and runs when the outermost use returns, so no library is
    // unloaded under its own code.
    class CPluginsInUse {
    public:
        explicit CPluginsInUse(CHtmlVesselDlg& frame) : frame_(frame) { ++frame_.pluginsInUse_; }
        ~CPluginsInUse();
        CPluginsInUse(const CPluginsInUse&) = delete;
        CPluginsInUse& operator=(const CPluginsInUse&) = delete;

    private:
        CHtmlVesselDlg& frame_;
    };
    int pluginsInUse_ = 0;
    bool exitDeferred_ = false;
};
