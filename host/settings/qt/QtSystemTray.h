// The tray icon on QSystemTrayIcon, and a top-level QWidget that hides into it.
#pragma once

#include "SystemTray.h"

#include <QObject>
#include <QSystemTrayIcon>
#include <QTimer>

class QMenu;
class QWidget;

class CQtTrayIcon : public QObject, public ITrayIconPort {
    Q_OBJECT
public:
    explicit CQtTrayIcon(QObject* parent = nullptr);
    ~CQtTrayIcon() override;

    // The tray logic that receives the icon's notifications, and where menu
    // commands go; the tray watch starts with it.
    void Attach(CSystemTray* tray, int iconId, ITrayTarget* target);

    bool Add(const TrayIcon& icon, const std::string& tooltip) override;
    bool Modify(const TrayIcon& icon) override;
    bool Remove() override;
    void PopupMenu(const std::vector<TrayMenuEntry>& entries) override;
    bool TrayUsable() override;
    bool SingleActivation() override { return statusNotifier_; }

    // The menu as it would pop up now (for a look at it).
    QMenu* BuildMenu(const std::vector<TrayMenuEntry>& entries, QWidget* parent = nullptr);

    static QIcon IconOf(const TrayIcon& icon);

private:
    void WatchTray();

    QSystemTrayIcon icon_;
    // Whether Qt shows icon_ as a D-Bus StatusNotifierItem (asked when icon_
    // is made, as Qt asks it) rather than in an XEmbed tray.
    bool statusNotifier_ = false;
    QTimer trayWatch_;
    bool trayWasAvailable_ = false;
    CSystemTray* tray_ = nullptr;
    ITrayTarget* target_ = nullptr;
    int iconId_ = 0;
    QMenu* menu_ = nullptr;
};

class CQtTrayWindow : public ITrayWindow {
public:
    explicit CQtTrayWindow(QWidget* window) : window_(window) {}
    void HideFromTaskbar() override;
    void ShowAndActivate() override;
    void Iconify() override;

private:
    QWidget* window_;
};

// Makes the settings' icons (":/icons/130.png", 135, 136) available; call once
// after the QApplication exists.
void InitSettingsResources();
