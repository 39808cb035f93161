#include "SystemTray.h"

#include <cmath>

namespace {

struct MenuRow {
    const char* text;
    int command;
};

// Menu 129, popup "PopUp".
constexpr MenuRow kPopupMenu[] = {
    {"Maximize", CSystemTray::ID_MAXIMIZE},
    {"Minimize", CSystemTray::ID_MINIMIZE},
    {nullptr, 0},
    {"About", CSystemTray::ID_ABOUT},
    {"Exit", CSystemTray::ID_EXIT},
};
constexpr int kPopupRows = static_cast<int>(sizeof kPopupMenu / sizeof kPopupMenu[0]);

}  // namespace

TrayIcon TrayIconResource(int id) { return ":/icons/" + std::to_string(id) + ".png"; }

CSystemTray::CSystemTray(ITrayIconPort& icon, ITimerPort& timers, IClock& clock)
    : port_(icon), timers_(timers), clock_(clock) {}

CSystemTray::~CSystemTray() {
    if (animationTimer_ != 0) timers_.Stop(animationTimer_);
    DeleteIcon();
}

bool CSystemTray::Install(ITrayTarget* target, const std::string& tooltip, const TrayIcon& icon,
                          int iconId, bool hidden) {
    enabled_ = true;
    target_ = target;
    iconId_ = iconId;
    icon_ = icon;
    tooltip_ = tooltip.substr(0, kTooltipBytes);
    if (hidden) {
        hidden_ = true;
        removed_ = true;
        return true;
    }
    const bool added = port_.Add(icon_, tooltip_);
    hidden_ = removed_ = showPending_ = !added;
    return added;
}

bool CSystemTray::ChangeIcon(const TrayIcon& icon) {
    if (!enabled_) return false;
    icon_ = icon;
    return hidden_ ? true : port_.Modify(icon_);
}

bool CSystemTray::DeleteIcon() {
    showPending_ = false;
    if (!enabled_ || removed_) return true;
    if (port_.Remove()) hidden_ = removed_ = true;
    return removed_;
}

void CSystemTray::OnTrayCreated() {
    // An icon whose first add failed is added now, and again whenever a tray
    // comes back; one that went in at once is the tray's to keep.
    if (!enabled_ || !showPending_) return;
    if (port_.Add(icon_, tooltip_)) hidden_ = removed_ = false;
}

bool CSystemTray::IconInUsableTray() { return enabled_ && !hidden_ && port_.TrayUsable(); }

bool CSystemTray::LoadAnimationIcons(int first, int last) {
    icons_.clear();
    if (last < first) return false;
    for (int id = first; id <= last; ++id) icons_.push_back(TrayIconResource(id));
    return true;
}

bool CSystemTray::StartAnimation(int periodMs, int durationSeconds) {
    // Ending the running one first restores its saved icon, so the icon saved
    // here is the one shown before any animation.
    EndAnimation();
    frame_ = 0;
    animationStart_ = clock_.NowSeconds();
    animationDuration_ = durationSeconds;
    savedIcon_ = icon_;
    if (!timers_.Start(kAnimationTimerId, periodMs, *this)) {
        savedIcon_.clear();
        return false;
    }
    animationTimer_ = kAnimationTimerId;
    return true;
}

void CSystemTray::NextAnimationFrame() {
    if (icons_.empty()) return;
    frame_ = (frame_ + 1) % icons_.size();
    ChangeIcon(icons_[frame_]);
}

void CSystemTray::EndAnimation() {
    if (animationTimer_ == 0) return;
    timers_.Stop(animationTimer_);
    animationTimer_ = 0;
    ChangeIcon(savedIcon_);
    savedIcon_.clear();
}

void CSystemTray::OnTimer(int timerId) {
    if (timerId != kAnimationTimerId || animationTimer_ == 0) return;
    const double elapsed = std::round(clock_.NowSeconds() - animationStart_);
    if (animationDuration_ > 0 && animationDuration_ < elapsed) {
        EndAnimation();
    } else {
        NextAnimationFrame();
    }
}

bool CSystemTray::SetDefaultMenuItem(int item, bool byPosition) {
    defaultItem_ = item;
    defaultByPosition_ = byPosition;
    return true;
}

std::vector<TrayMenuEntry> CSystemTray::MenuEntries() const {
    std::vector<TrayMenuEntry> entries;
    for (int row = 0; row < kPopupRows; ++row) {
        const MenuRow& r = kPopupMenu[row];
        const bool isDefault = r.text != nullptr &&
                               (defaultByPosition_ ? row == defaultItem_ : r.command == defaultItem_);
        entries.push_back({r.text, r.command, isDefault});
    }
    return entries;
}

int CSystemTray::DefaultCommand() const {
    if (!defaultByPosition_) return defaultItem_;
    if (defaultItem_ < 0 || defaultItem_ >= kPopupRows) return 0;
    return kPopupMenu[defaultItem_].command;
}

int CSystemTray::OnIconNotify(int iconId, Mouse mouse) {
    if (iconId != iconId_ || target_ == nullptr) return 0;
    switch (mouse) {
    case Mouse::RightButtonUp:
        target_->BringToForeground();
        port_.PopupMenu(MenuEntries());
        return 1;
    case Mouse::LeftClick:
        // A tray that never sends a double click gets the double click's
        // toggle from a single one; elsewhere a click is the first half of
        // a double click and does nothing on its own.
        if (!port_.SingleActivation()) return 1;
        [[fallthrough]];
    case Mouse::LeftDoubleClick: {
        const int command = DefaultCommand();
        if (command == 0) return 0;
        target_->BringToForeground();
        target_->SendCommand(command);
        return 1;
    }
    case Mouse::Other:
        break;
    }
    return 1;
}

void CAppTray::OnPowerEvent(int event) {
    if (target_ == nullptr) return;
    if (event == kSuspend) target_->PowerNotification(kSuspend, 1);
    if (event == kResume) target_->PowerNotification(kResume, 2);
}

void CAppTray::MinimizeToTray(ITrayWindow& window) {
    if (IconInUsableTray()) {
        HideToTray(window);
        place_ = WindowPlace::InTray;
        hiddenWindow_ = &window;
    } else {
        window.Iconify();
        place_ = WindowPlace::OnTaskbar;
    }
    SetDefaultMenuItem(ID_MAXIMIZE, false);
}

void CAppTray::RestoreWindow(ITrayWindow& window) {
    RestoreFromTray(window);
    NoteRestored();
}

void CAppTray::NoteIconified() {
    place_ = WindowPlace::OnTaskbar;
    SetDefaultMenuItem(ID_MAXIMIZE, false);
}

void CAppTray::NoteRestored() {
    place_ = WindowPlace::Shown;
    hiddenWindow_ = nullptr;
    SetDefaultMenuItem(ID_MINIMIZE, false);
}

void CAppTray::OnTrayLost() {
    if (place_ != WindowPlace::InTray || hiddenWindow_ == nullptr) return;
    hiddenWindow_->Iconify();
    hiddenWindow_ = nullptr;
    place_ = WindowPlace::OnTaskbar;
}
