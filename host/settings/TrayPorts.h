// The notification-area icon, its menu, and the window that hides into it.
#pragma once

#include <string>
#include <vector>

// An icon by name: a resource path (":/icons/135.png") or a file path.
using TrayIcon = std::string;

struct TrayMenuEntry {
    const char* text;  // null: a separator
    int command;
    bool isDefault;    // drawn bold
};

class ITrayIconPort {
public:
    virtual ~ITrayIconPort() = default;
    // False when no tray is there to take the icon.
    virtual bool Add(const TrayIcon& icon, const std::string& tooltip) = 0;
    virtual bool Modify(const TrayIcon& icon) = 0;
    virtual bool Remove() = 0;
    // Shows the menu at the cursor; a chosen entry's command reaches the
    // target through ITrayTarget::SendCommand.
    virtual void PopupMenu(const std::vector<TrayMenuEntry>& entries) = 0;
    // A tray is there now and shows the icon: only then does a window hidden
    // into it leave the user a way back (stock GNOME has no tray at all).
    virtual bool TrayUsable() = 0;
    // The tray reports a click as one activation and never as a double click
    // (the D-Bus StatusNotifierItem trays); an XEmbed tray reports both.
    virtual bool SingleActivation() = 0;
};

// The window that receives the tray's commands (the main window).
class ITrayTarget {
public:
    virtual ~ITrayTarget() = default;
    virtual void BringToForeground() = 0;
    virtual void SendCommand(int command) = 0;
    // Power notification: event 4 suspend (data 1), 7 resumed (data 2).
    virtual void PowerNotification(int event, int data) = 0;
};

// A top-level window as hiding it into the tray needs it.
class ITrayWindow {
public:
    virtual ~ITrayWindow() = default;
    virtual void HideFromTaskbar() = 0;      // hidden, no taskbar button
    virtual void ShowAndActivate() = 0;      // shown (iconified or hidden before), redrawn, in front
    virtual void Iconify() = 0;              // a normal minimised window the taskbar or dock gives back
};
