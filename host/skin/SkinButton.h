// CSkinButton: the behaviour of a skinned bitmap button (push, check or
// radio), independent of how it is drawn. Its widget reports events; the
// button keeps the state and tells the widget what to draw.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ButtonLook.h"
#include "SkinButtonWidget.h"
#include "TaskPoster.h"

class CSkinButton;

// The radio buttons made from one GROUP element: checking one unchecks the
// others of the group, and only those.
class CButtonGroup {
public:
    void Add(const std::shared_ptr<CSkinButton>& button) { members_.push_back(button); }
    const std::vector<std::weak_ptr<CSkinButton>>& Members() const { return members_; }

private:
    std::vector<std::weak_ptr<CSkinButton>> members_;
};

enum class DrawMode { Copy = 0, Stretch = 1, Tile = 2 };

class CSkinButton : public std::enable_shared_from_this<CSkinButton> {
public:
    explicit CSkinButton(ButtonBehaviour behaviour, ITaskPoster* poster = nullptr);
    virtual ~CSkinButton();
    CSkinButton(const CSkinButton&) = delete;
    CSkinButton& operator=(const CSkinButton&) = delete;

    // The widget is owned by the button from here on.
    void AttachWidget(std::unique_ptr<ISkinButtonWidget> widget);
    ISkinButtonWidget* Widget() const { return widget_.get(); }
    void JoinGroup(std::shared_ptr<CButtonGroup> group);

    // Images by slot (empty: none). A missing disabled image reuses the
    // normal one; a mask cuts the button to its black pixels and, in Copy
    // mode, gives the button the mask's size.
    void SetSkin(const std::string& normal, const std::string& down, const std::string& over,
                 const std::string& disabled, const std::string& focus, const std::string& mask,
                 int drawMode, bool border, int focusMargin);
    void SetToolTipText(const std::string& text);

    // Events from the widget.
    void OnPointerMove(bool overButton);
    void OnPointerLeave();
    void OnLeftDown();  // a double-click is another left button down
    void OnLeftUp(bool overButton);
    void OnKeyDown(int key);
    void OnKeyUp(int key);
    void OnFocusLost();
    void OnFocusGained();

    // The set-check request: a push button stays unchecked; a radio button
    // checked with true unchecks the other members of its group (posted).
    void SetCheck(bool state);
    bool GetCheck() const { return checked_; }
    void OnUncheckRequest();

    ButtonDrawPlan Plan() const;
    DrawMode Mode() const { return drawMode_; }
    int FocusMargin() const { return focusMargin_; }
    ButtonBehaviour Behaviour() const { return behaviour_; }
    bool Hovering() const { return hovering_; }
    bool PressedByMouse() const { return pressedByMouse_; }
    bool PressedLook() const { return pushed_; }
    const ImagePresence& Present() const { return present_; }
    const std::optional<std::vector<SkinRect>>& Outline() const { return outline_; }

    static constexpr int kSpaceKey = 0x20;

protected:
    // The control's own click: the pointer went up over a pushed button, or
    // Space went up. Runs from the event loop (posted), never inside the
    // widget's event handler, so the click may recompose the whole window.
    virtual void OnClicked() {}

private:
    void Repaint();
    void PostClick();
    void ToggleByUser();

    ButtonBehaviour behaviour_;
    ITaskPoster* poster_;
    std::unique_ptr<ISkinButtonWidget> widget_;
    std::shared_ptr<CButtonGroup> group_;
    bool checked_ = false;
    bool hovering_ = false;
    bool pressedByMouse_ = false;
    bool capture_ = false;
    bool pushed_ = false;  // the pressed look
    bool keyPushed_ = false;
    bool border_ = false;
    int focusMargin_ = 0;
    DrawMode drawMode_ = DrawMode::Stretch;
    ImagePresence present_{};
    std::optional<std::vector<SkinRect>> outline_;
};
