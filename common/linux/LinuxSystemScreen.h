// The screen as the kernel sees it, for programs without a window system
// connection: the preferred mode of the first connected DRM output
// (class/drm/card*-*/modes, in name order), else the first framebuffer's
// size (class/graphics/fb0/virtual_size); bits per pixel from the
// framebuffer (class/graphics/fb0/bits_per_pixel). The host installs a
// screen that asks the window system instead.
#pragma once

#include "ScreenInfo.h"

#include <string>
#include <string_view>

class CLinuxSystemScreen : public IScreenInfo {
public:
    // root stands for /sys.
    explicit CLinuxSystemScreen(std::string root = "/sys");

    bool Resolution(int& width, int& height) override;
    bool BitsPerPixel(int& bits) override;
    std::string Describe() override;

private:
    std::string root_;
};

// "1920x1080" (a DRM mode line, maybe with a suffix such as "i") or
// "1920,1080" (a framebuffer size); false for anything else.
bool ParseScreenSize(std::string_view text, char separator, int& width, int& height);
