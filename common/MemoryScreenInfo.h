// Screen double: a fixed mode, or none.
#pragma once

#include "ScreenInfo.h"

class CMemoryScreenInfo : public IScreenInfo {
public:
    bool Resolution(int& w, int& h) override
    {
        if (!hasResolution) return false;
        w = width;
        h = height;
        return true;
    }
    bool BitsPerPixel(int& bits) override
    {
        if (!hasBitsPerPixel) return false;
        bits = bitsPerPixel;
        return true;
    }

    bool hasResolution = true;
    int width = 1024, height = 768;
    bool hasBitsPerPixel = true;
    int bitsPerPixel = 32;
};
