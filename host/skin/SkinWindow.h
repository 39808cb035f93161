// Port: the window a skin is composed into (the main window or the plug-in
// view). It also creates the button widgets as its children and carries the
// click notes to its owner.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Region.h"
#include "SkinButtonWidget.h"
#include "TaskPoster.h"

class CSkinButton;
class CClickNote;

class ISkinWindow : public ITaskPoster {
public:
    virtual void Hide() = 0;
    virtual void Show() = 0;
    virtual void SetTitle(const std::string& title) = 0;
    // Removes the caption and cuts the window to the rectangles (an empty
    // list leaves nothing of the window visible).
    virtual void ApplyOutline(const std::vector<SkinRect>& rects) = 0;
    // Moves the window and brings it to the top of its siblings; a size is
    // given only when the outline bitmap said one.
    virtual void Move(int x, int y, std::optional<std::pair<int, int>> size) = 0;
    // Draws the bitmap file unscaled at (0, 0); false when it cannot.
    virtual bool PaintBackground(const std::string& path) = 0;
    // Alpha 0..255 for the whole window; false when the system cannot.
    virtual bool SupportsOpacity() const = 0;
    virtual void SetOpacity(int alpha) = 0;
    // A focus-out followed by a focus-in, posted.
    virtual void PostFocusRefresh() = 0;

    // A child widget above the page for the button, with this control id.
    virtual std::unique_ptr<ISkinButtonWidget> CreateButtonWidget(CSkinButton& button, int controlId) = 0;
    // Posts "NORMAL_SKIN_CLICK" with the note to the owner, who takes it over
    // (see TakeLiveClickNote). A note that cannot be delivered stays listed.
    virtual void PostSkinClick(CClickNote* note) = 0;
};
