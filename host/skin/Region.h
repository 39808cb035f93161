// The outline of a skinned window or button: the pixels of a bitmap that are
// not the transparent colour, as a list of one-row rectangles.
#pragma once

#include <optional>
#include <vector>

#include "Bitmap.h"

// Right and bottom edges are exclusive.
struct SkinRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const SkinRect&, const SkinRect&) = default;
};

// One rectangle per run of non-transparent pixels, rows from the bottom row
// up, runs left to right within a row; the region is their union in this
// order. No bitmap gives nothing; a bitmap that is all transparent gives an
// empty list, which is a valid (empty) region.
std::optional<std::vector<SkinRect>> RegionFromBitmap(const CBitmapPixels* bitmap,
                                                      SkinRgb transparent);
