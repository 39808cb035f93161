#include "QtFrameTrayIcon.h"

#include <QCursor>
#include <QIcon>
#include <QMenu>

CQtFrameTrayIcon::CQtFrameTrayIcon() {
    connect(&icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (!onMouse) return;
        if (reason == QSystemTrayIcon::Context) onMouse(CSystemTray::Mouse::RightButtonUp);
        else if (reason == QSystemTrayIcon::DoubleClick) onMouse(CSystemTray::Mouse::LeftDoubleClick);
        else onMouse(CSystemTray::Mouse::Other);
    });
}

bool CQtFrameTrayIcon::Add(const TrayIcon& icon, const std::string& tooltip) {
    icon_.setIcon(QIcon(QString::fromStdString(icon)));
    icon_.setToolTip(QString::fromStdString(tooltip));
    if (!QSystemTrayIcon::isSystemTrayAvailable()) return false;
    icon_.show();
    return true;
}

bool CQtFrameTrayIcon::Modify(const TrayIcon& icon) {
    icon_.setIcon(QIcon(QString::fromStdString(icon)));
    return icon_.isVisible();
}

bool CQtFrameTrayIcon::Remove() {
    const bool was = icon_.isVisible();
    icon_.hide();
    return was;
}

void CQtFrameTrayIcon::PopupMenu(const std::vector<TrayMenuEntry>& entries) {
    QMenu menu;
    for (const TrayMenuEntry& entry : entries) {
        if (entry.text == nullptr) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(QString::fromUtf8(entry.text));
        action->setData(entry.command);
        if (entry.isDefault) {
            QFont bold = action->font();
            bold.setBold(true);
            action->setFont(bold);
        }
    }
    QAction* chosen = menu.exec(QCursor::pos());
    if (chosen && onCommand) onCommand(chosen->data().toInt());
}
