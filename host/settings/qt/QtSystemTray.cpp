#include "QtSystemTray.h"

#include <QAction>
#include <QCursor>
#include <QFont>
#include <QMenu>
#include <QWidget>

void InitSettingsResources() { Q_INIT_RESOURCE(settings_icons); }

namespace {

// How often the tray's presence is checked: a tray that comes back (a
// restarted panel) takes the icon again.
constexpr int kTrayWatchMs = 2000;

}  // namespace

CQtTrayIcon::CQtTrayIcon(QObject* parent) : QObject(parent) {
    connect(&icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (tray_ == nullptr) return;
        CSystemTray::Mouse mouse = CSystemTray::Mouse::Other;
        if (reason == QSystemTrayIcon::Context) mouse = CSystemTray::Mouse::RightButtonUp;
        if (reason == QSystemTrayIcon::DoubleClick) mouse = CSystemTray::Mouse::LeftDoubleClick;
        tray_->OnIconNotify(iconId_, mouse);
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
    trayWasAvailable_ = available;
}

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

void CQtTrayWindow::ShowAndActivate() {
    window_->showNormal();
    window_->raise();
    window_->activateWindow();
}
