// The host's icon in the notification area: adding, changing and removing it,
// its menu and default command, re-adding it when a tray appears again, and
// the warning animation.
#pragma once

#include "TimerPort.h"
#include "TrayPorts.h"

#include <string>
#include <vector>

class CSystemTray : public ITimerSink {
public:
    static constexpr int kMenuId = 129;
    static constexpr int ID_MAXIMIZE = 32771;
    static constexpr int ID_MINIMIZE = 32772;
    static constexpr int ID_EXIT = 32773;
    static constexpr int ID_ABOUT = 32774;
    static constexpr int kAnimationTimerId = 4567;
    static constexpr std::size_t kTooltipBytes = 127;

    // LeftClick: one activation, which a tray without double clicks sends
    // for a click (an XEmbed tray sends it before each double click too).
    enum class Mouse { RightButtonUp, LeftDoubleClick, LeftClick, Other };

    CSystemTray(ITrayIconPort& icon, ITimerPort& timers, IClock& clock);
    ~CSystemTray() override;

    bool Install(ITrayTarget* target, const std::string& tooltip, const TrayIcon& icon, int iconId,
                 bool hidden);
    bool ChangeIcon(const TrayIcon& icon);
    bool DeleteIcon();
    // Whatever the platform announces as "a tray is there again".
    void OnTrayCreated();
    // The tray went away (its panel ended or crashed).
    virtual void OnTrayLost() {}
    // The icon is in a tray the user can see: hiding a window there is safe.
    bool IconInUsableTray();

    bool LoadAnimationIcons(int first, int last);
    void SetAnimationIcons(std::vector<TrayIcon> icons) { icons_ = std::move(icons); }
    bool StartAnimation(int periodMs, int durationSeconds);
    void NextAnimationFrame();
    void EndAnimation();
    bool Animating() const { return animationTimer_ != 0; }
    void OnTimer(int timerId) override;

    bool SetDefaultMenuItem(int item, bool byPosition);
    int DefaultMenuItem() const { return defaultItem_; }
    bool DefaultByPosition() const { return defaultByPosition_; }
    // The menu as shown, with the default entry marked.
    std::vector<TrayMenuEntry> MenuEntries() const;
    // The command of the default entry; 0 when there is none.
    int DefaultCommand() const;
    int OnIconNotify(int iconId, Mouse mouse);

    // Free of any tray state: hides a window into the tray and back.
    static void HideToTray(ITrayWindow& window) { window.HideFromTaskbar(); }
    static void RestoreFromTray(ITrayWindow& window) { window.ShowAndActivate(); }

    const TrayIcon& CurrentIcon() const { return icon_; }
    const std::string& Tooltip() const { return tooltip_; }
    bool Hidden() const { return hidden_; }
    bool Removed() const { return removed_; }
    bool ShowPending() const { return showPending_; }

protected:
    ITrayTarget* target_ = nullptr;

private:
    ITrayIconPort& port_;
    ITimerPort& timers_;
    IClock& clock_;
    bool enabled_ = false;
    bool hidden_ = true;
    bool removed_ = true;
    bool showPending_ = false;
    int iconId_ = 0;
    TrayIcon icon_;
    std::string tooltip_;
    std::vector<TrayIcon> icons_;
    int animationTimer_ = 0;
    std::size_t frame_ = 0;
    double animationStart_ = 0;
    int animationDuration_ = 0;
    TrayIcon savedIcon_;
    int defaultItem_ = 0;
    bool defaultByPosition_ = true;
};

// The main frame's tray: also forwards power notifications to the main window,
// and decides where a minimised window goes.
class CAppTray : public CSystemTray {
public:
    using CSystemTray::CSystemTray;
    static constexpr int kSuspend = 4;
    static constexpr int kResume = 7;

    enum class WindowPlace { Shown, InTray, OnTaskbar };

    void OnPowerEvent(int event);
    // Into the tray when the icon is in a usable tray; otherwise iconified
    // onto the taskbar or dock, so the window is never out of the user's
    // reach. Either way "Maximize" becomes the double click's command and
    // restoring makes it "Minimize", so a double click toggles.
    void MinimizeToTray(ITrayWindow& window);
    void RestoreWindow(ITrayWindow& window);
    // The window system iconified the window, or gave it back, by itself
    // (the taskbar's own button): the menu's default follows.
    void NoteIconified();
    void NoteRestored();
    // A window hidden into a tray that goes away is iconified instead.
    void OnTrayLost() override;
    WindowPlace Place() const { return place_; }

private:
    WindowPlace place_ = WindowPlace::Shown;
    ITrayWindow* hiddenWindow_ = nullptr;
};

// The icon of a resource id in the host's resources.
TrayIcon TrayIconResource(int id);
