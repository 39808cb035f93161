#include "QtSystemTray.h"

#include <QAction>
#include <QCursor>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QFont>
#include <QMenu>
#include <QWidget>

void InitSettingsResources() { Q_INIT_RESOURCE(settings_icons); }

namespace {

// How often the tray's presence is checked: a tray that comes back (a
// restarted panel) takes the icon again.
constexpr int kTrayWatchMs = 2000;

// Qt puts its tray icons on the D-Bus StatusNotifierItem protocol when, as
// the first one is made, a StatusNotifierWatcher on the session bus says a
// host (the panel showing the items) is registered; otherwise it docks them
// in an XEmbed tray. The same question at the same moment tells which one
// this icon went to. Qt keeps its first answer for the process's life.
bool StatusNotifierHostRegistered() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return false;
    QDBusInterface watcher("org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher",
                           "org.kde.StatusNotifierWatcher", bus);
    return watcher.isValid() && watcher.property("IsStatusNotifierHostRegistered").toBool();
}

CSystemTray::Mouse MouseOf(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
    case QSystemTrayIcon::Context: return CSystemTray::Mouse::RightButtonUp;
    case QSystemTrayIcon::DoubleClick: return CSystemTray::Mouse::LeftDoubleClick;
    case QSystemTrayIcon::Trigger: return CSystemTray::Mouse::LeftClick;
    default: return CSystemTray::Mouse::Other;
    }
}

}  // namespace

CQtTrayIcon::CQtTrayIcon(QObject* parent) : QObject(parent), statusNotifier_(StatusNotifierHostRegistered()) {
    connect(&icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (tray_ != nullptr) tray_->OnIconNotify(iconId_, MouseOf(reason));
    });
    connect(&trayWatch_, &QTimer::timeout, this, &CQtTrayIcon::WatchTray);
}

CQtTrayIcon::~CQtTrayIcon() { delete menu_; }

void CQtTrayIcon::Attach(CSystemTray* tray, int iconId, ITrayTarget* target) {
    tray_ = tray;
    iconId_ = iconId;
    target_ = target;
    trayWasAvailable_ = QSystemTrayIcon::isSystemTrayAvailable();
    trayWatch_.start(kTrayWatchMs);
}

void CQtTrayIcon::WatchTray() {
    const bool available = QSystemTrayIcon::isSystemTrayAvailable();
    if (available && !trayWasAvailable_ && tray_ != nullptr) tray_->OnTrayCreated();
    if (!available && trayWasAvailable_ && tray_ != nullptr) tray_->OnTrayLost();
    trayWasAvailable_ = available;
}

bool CQtTrayIcon::TrayUsable() { return QSystemTrayIcon::isSystemTrayAvailable() && icon_.isVisible(); }

QIcon CQtTrayIcon::IconOf(const TrayIcon& icon) { return QIcon(QString::fromStdString(icon)); }

bool CQtTrayIcon::Add(const TrayIcon& icon, const std::string& tooltip) {
    if (!QSystemTrayIcon::isSystemTrayAvailable()) return false;
    icon_.setIcon(IconOf(icon));
    icon_.setToolTip(QString::fromStdString(tooltip));
    icon_.show();
    return icon_.isVisible();
}

bool CQtTrayIcon::Modify(const TrayIcon& icon) {
    icon_.setIcon(IconOf(icon));
    return true;
}

bool CQtTrayIcon::Remove() {
    icon_.hide();
    return true;
}

QMenu* CQtTrayIcon::BuildMenu(const std::vector<TrayMenuEntry>& entries, QWidget* parent) {
    auto* menu = new QMenu(parent);
    menu->setObjectName("TrayMenu");
    for (const TrayMenuEntry& entry : entries) {
        if (entry.text == nullptr) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(QString::fromUtf8(entry.text));
        if (entry.isDefault) {
            QFont bold = action->font();
            bold.setBold(true);
            action->setFont(bold);
        }
        const int command = entry.command;
        connect(action, &QAction::triggered, this, [this, command] {
            if (target_) target_->SendCommand(command);
        });
    }
    return menu;
}

void CQtTrayIcon::PopupMenu(const std::vector<TrayMenuEntry>& entries) {
    delete menu_;
    menu_ = BuildMenu(entries);
    menu_->popup(QCursor::pos());
}

void CQtTrayWindow::HideFromTaskbar() { window_->hide(); }

void CQtTrayWindow::Iconify() { window_->showMinimized(); }

void CQtTrayWindow::ShowAndActivate() {
    window_->showNormal();
    window_->raise();
    window_->activateWindow();
}
