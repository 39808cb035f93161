#include "Region.h"

std::optional<std::vector<SkinRect>> RegionFromBitmap(const CBitmapPixels* bitmap,
                                                      SkinRgb transparent) {
    if (bitmap == nullptr) return std::nullopt;
    std::vector<SkinRect> rects;
    rects.reserve(40);
    for (int y = bitmap->height - 1; y >= 0; --y) {
        int x = 0;
        while (x < bitmap->width) {
            while (x < bitmap->width && bitmap->At(x, y) == transparent) ++x;
            if (x == bitmap->width) break;
            const int start = x;
            while (x < bitmap->width && !(bitmap->At(x, y) == transparent)) ++x;
            rects.push_back(SkinRect{start, y, x, y + 1});
        }
    }
    return rects;
}
