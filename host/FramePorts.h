// Ports of the main frame: its top-level window, its dialogs and the
// factory of the plug-in view's window. The skin engine's ports (page,
// composed window, timers, message box) and the framework's (loader,
// instance block) are used as they are.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "MainWindowSnap.h"
#include "TrayPorts.h"

class CSettingDialog;
class CSkinSetting;
class CTransDialog;
class ISkinWindow;
class IScriptPage;
class ITimers;

// The main window as the frame's rules need it (beyond composing into it).
class IFrameWindow : public ITrayWindow {
public:
    // The window system's id of the window, for other processes (the
    // instance block). It may change when the window is re-created.
    virtual std::uint64_t WindowId() = 0;
    // The window handle plug-ins are given ("INITIAL_PLUGIN"): the toolkit's
    // widget, carried in a pointer-sized value and the same for the
    // process's whole life.
    virtual std::intptr_t PluginWindowHandle() = 0;
    virtual WorkArea PrimaryWorkArea() = 0;
    // Every screen's work area, the primary screen's first.
    virtual std::vector<WorkArea> ScreenWorkAreas() = 0;
    virtual FrameRect Geometry() = 0;
    virtual void MoveTo(int x, int y) = 0;
    // Keeps the rectangle; shows the window again only when show is set.
    virtual void SetTopmost(bool topmost, bool show) = 0;
    virtual void ShowWindow() = 0;
    // On screen: neither hidden nor iconified.
    virtual bool IsVisible() = 0;
    virtual void Activate() = 0;
    virtual void RedrawNow() = 0;
    virtual void SetIcon(const std::string& iconPath) = 0;
    // The caption of the frame's message boxes.
    virtual void SetApplicationName(const std::string& name) = 0;
    // Hands the pointer to the system's move; the adapter reports the end
    // with CHtmlVesselDlg::OnDragEnd. False when the system has no such move
    // (the drag then ends at once).
    virtual bool StartSystemMove() = 0;
    // Blocks the UI thread (the view's reload waits for its page to settle).
    virtual void Wait(int milliseconds) = 0;
    // Ends the event loop with the exit code; nothing of the frame runs after.
    virtual void EndProcess(int exitCode) = 0;
};

// The dialogs the frame runs. Each returns once the dialog is closed.
class IFrameDialogs {
public:
    virtual ~IFrameDialogs() = default;
    // CSettingDialog::IDOK or IDCANCEL.
    virtual int RunSettings(CSettingDialog& dialog) = 0;
    // True when the dialog ended with OK (the level is in the dialog).
    virtual bool RunTransparency(CTransDialog& dialog) = 0;
    virtual void ShowSkinSelection(CSkinSetting& selection) = 0;
    virtual void ShowAbout() = 0;
    // The skin selection dialog's folder browser.
    virtual std::string BrowseForFolder(const std::string& title) = 0;
    // Asks every modal dialog run above to end as its close box would end
    // it. Nothing is torn down here: each run returns (and gives its pages
    // back) once its own event loop has control again.
    virtual void EndModalRuns() = 0;
};

// The plug-in view's child window.
class IViewWindow {
public:
    virtual ~IViewWindow() = default;
    // Starts loading page resource 105; its completion reaches
    // CPlugInView::OnDocumentComplete.
    virtual void LoadPage() = 0;
    virtual void ShowView() = 0;
    virtual void HideView() = 0;
    // Visible on screen: false while the main window is in the tray.
    virtual bool IsVisible() = 0;
    // Shown inside the main window, whether that is on screen or not: the
    // view is visible again when the main window is.
    virtual bool IsShown() = 0;
    virtual ISkinWindow& SkinWindow() = 0;
    virtual IScriptPage& Page() = 0;
    virtual ITimers& Timers() = 0;
};

class IViewWindowFactory {
public:
    virtual ~IViewWindowFactory() = default;
    // A hidden child of the main window.
    virtual std::unique_ptr<IViewWindow> CreateViewWindow() = 0;
};
