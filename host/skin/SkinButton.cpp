#include "SkinButton.h"

#include <algorithm>

#include "Bitmap.h"
#include "Region.h"

CSkinButton::CSkinButton(ButtonBehaviour behaviour, ITaskPoster* poster)
    : behaviour_(behaviour), poster_(poster) {}

CSkinButton::~CSkinButton() = default;

void CSkinButton::AttachWidget(std::unique_ptr<ISkinButtonWidget> widget) { widget_ = std::move(widget); }

void CSkinButton::JoinGroup(std::shared_ptr<CButtonGroup> group) {
    group_ = std::move(group);
    group_->Add(shared_from_this());
}

void CSkinButton::Repaint() {
    if (widget_) widget_->Repaint();
}

void CSkinButton::SetSkin(const std::string& normal, const std::string& down, const std::string& over,
                          const std::string& disabled, const std::string& focus,
                          const std::string& mask, int drawMode, bool border, int focusMargin) {
    ImagePaths paths;
    paths[static_cast<std::size_t>(ImageSlot::Normal)] = normal;
    paths[static_cast<std::size_t>(ImageSlot::Down)] = down;
    paths[static_cast<std::size_t>(ImageSlot::Over)] = over;
    paths[static_cast<std::size_t>(ImageSlot::Focus)] = focus;
    paths[static_cast<std::size_t>(ImageSlot::Disabled)] = disabled.empty() ? normal : disabled;
    paths[static_cast<std::size_t>(ImageSlot::Mask)] = mask;
    present_ = widget_ ? widget_->LoadImages(paths) : ImagePresence{};

    drawMode_ = static_cast<DrawMode>(std::clamp(drawMode, 0, 2));
    border_ = border;
    focusMargin_ = std::max(focusMargin, 0);

    if (mask.empty()) return;
    // Masks load from what faces load from: a bitmap the decoder here reads
    // (bounded against lying headers), otherwise the picture the widget read.
    std::optional<CBitmapPixels> bitmap = LoadBmpFile(mask);
    if (!bitmap && widget_) bitmap = widget_->MaskPixels();
    if (!bitmap) return;
    outline_ = RegionFromBitmap(&*bitmap, kSkinWhite);
    if (outline_ && widget_) widget_->SetShape(*outline_);
    if (drawMode_ == DrawMode::Copy && widget_) widget_->Resize(bitmap->width, bitmap->height);
}

void CSkinButton::SetToolTipText(const std::string& text) {
    if (widget_) widget_->SetToolTip(text);
}

void CSkinButton::OnPointerMove(bool overButton) {
    if (pressedByMouse_ && capture_) {
        if (pushed_ != overButton) {
            pushed_ = overButton;
            Repaint();
        }
    } else if (!hovering_ && overButton) {
        hovering_ = true;
        Repaint();
    }
}

void CSkinButton::OnPointerLeave() {
    hovering_ = false;
    Repaint();
}

void CSkinButton::OnLeftDown() {
    hovering_ = false;
    capture_ = true;
    pushed_ = true;
    pressedByMouse_ = true;
    Repaint();
}

void CSkinButton::ToggleByUser() {
    if (behaviour_ == ButtonBehaviour::Check) SetCheck(!checked_);
    else if (behaviour_ == ButtonBehaviour::Radio) SetCheck(true);
}

void CSkinButton::OnLeftUp(bool overButton) {
    if (overButton) ToggleByUser();
    pressedByMouse_ = false;
    if (!capture_) return;
    capture_ = false;
    const bool wasPushed = pushed_;
    pushed_ = false;
    Repaint();
    if (wasPushed && overButton) PostClick();
}

void CSkinButton::OnKeyDown(int key) {
    if (key != kSpaceKey) return;
    ToggleByUser();
    if (!keyPushed_) {
        keyPushed_ = true;
        pushed_ = true;
        Repaint();
    }
}

void CSkinButton::OnKeyUp(int key) {
    if (key != kSpaceKey || !keyPushed_) return;
    keyPushed_ = false;
    pushed_ = false;
    Repaint();
    PostClick();
}

void CSkinButton::OnFocusLost() {
    capture_ = false;
    pressedByMouse_ = false;
    keyPushed_ = false;
    pushed_ = false;
    Repaint();
}

void CSkinButton::OnFocusGained() { Repaint(); }

void CSkinButton::SetCheck(bool state) {
    checked_ = state && behaviour_ != ButtonBehaviour::Push;
    if (checked_ && behaviour_ == ButtonBehaviour::Radio && group_) {
        for (const auto& member : group_->Members()) {
            std::shared_ptr<CSkinButton> other = member.lock();
            if (!other || other.get() == this) continue;
            std::weak_ptr<CSkinButton> target = other;
            auto uncheck = [target] {
                if (auto b = target.lock()) b->OnUncheckRequest();
            };
            if (poster_) poster_->Post(uncheck);
            else uncheck();
        }
    }
    Repaint();
}

void CSkinButton::OnUncheckRequest() {
    if (!checked_) return;
    checked_ = false;
    Repaint();
}

void CSkinButton::PostClick() {
    if (!poster_) {
        OnClicked();
        return;
    }
    // The button may be destroyed before the task runs (a recomposition);
    // then the click is dropped.
    std::weak_ptr<CSkinButton> self = weak_from_this();
    poster_->Post([self] {
        if (auto button = self.lock()) button->OnClicked();
    });
}

ButtonDrawPlan CSkinButton::Plan() const {
    ButtonLookInput in;
    in.behaviour = behaviour_;
    in.checked = checked_;
    in.selected = pushed_;
    in.disabled = widget_ && !widget_->IsEnabled();
    in.focused = widget_ && widget_->HasFocus();
    in.hovering = hovering_;
    in.border = border_;
    in.focusMargin = focusMargin_;
    in.present = present_;
    return PlanButtonDrawing(in);
}
