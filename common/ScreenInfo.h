// The primary screen's current mode. The host installs one that asks the
// window system; without a display the Linux default reads the kernel's
// view of the first connected output.
#pragma once

#include <string>

class IScreenInfo {
public:
    virtual ~IScreenInfo() = default;
    virtual bool Resolution(int& width, int& height) = 0;
    virtual bool BitsPerPixel(int& bits) = 0;
    // Where the answers come from, for the report tool; may be "".
    virtual std::string Describe() { return {}; }
};
