// Port: the on-screen widget of one skinned button, a child of the composed
// window above its page. The widget draws what CSkinButton::Plan says and
// feeds pointer, key and focus events back to it.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "Bitmap.h"
#include "ButtonLook.h"
#include "Region.h"

using ImagePaths = std::array<std::string, kImageSlotCount>;

class ISkinButtonWidget {
public:
    virtual ~ISkinButtonWidget() = default;
    // Position and size in the owner's client area; shows the widget and
    // puts it above its siblings.
    virtual void Place(int x, int y, int width, int height) = 0;
    virtual void Resize(int width, int height) = 0;
    // Loads the images (empty path: none); tells which ones loaded.
    virtual ImagePresence LoadImages(const ImagePaths& paths) = 0;
    // The pixels of the mask image LoadImages loaded, read the way the faces
    // are (any format they may have); nothing when it loaded none.
    virtual std::optional<CBitmapPixels> MaskPixels() const = 0;
    // Cuts the widget to the rectangles, for drawing and for clicks.
    virtual void SetShape(const std::vector<SkinRect>& rects) = 0;
    virtual void SetToolTip(const std::string& text) = 0;
    virtual void Repaint() = 0;
    virtual bool HasFocus() const = 0;
    virtual bool IsEnabled() const = 0;
};
