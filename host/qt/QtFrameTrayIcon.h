// A minimal tray icon port on QSystemTrayIcon for the frame (the settings
// widgets bring a fuller one): icons by resource or file path, the popup
// menu at the cursor, and the icon's clicks handed to the tray logic.
#pragma once

#include <QObject>
#include <QSystemTrayIcon>
#include <functional>

#include "SystemTray.h"
#include "TrayPorts.h"

class CQtFrameTrayIcon : public QObject, public ITrayIconPort {
    Q_OBJECT
public:
    CQtFrameTrayIcon();

    // The chosen menu command and the icon's mouse events.
    std::function<void(int command)> onCommand;
    std::function<void(CSystemTray::Mouse mouse)> onMouse;

    bool Add(const TrayIcon& icon, const std::string& tooltip) override;
    bool Modify(const TrayIcon& icon) override;
    bool Remove() override;
    void PopupMenu(const std::vector<TrayMenuEntry>& entries) override;

    bool Visible() const { return icon_.isVisible(); }

private:
    QSystemTrayIcon icon_;
};
