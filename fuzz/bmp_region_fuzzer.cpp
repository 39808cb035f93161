// Bitmap files from a skin folder and the outlines made from them: a file
// either decodes into exactly width x height pixels or is refused, and the
// outline covers exactly the pixels that are not white, each once.
#include <span>

#include "Bitmap.h"
#include "FuzzSupport.h"
#include "Region.h"

using fuzz::Expect;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<CBitmapPixels> bitmap = DecodeBmp(std::span<const std::uint8_t>(data, size));
    if (!bitmap) return 0;
    Expect(bitmap->width > 0 && bitmap->height > 0 && bitmap->width <= kMaxBitmapSide &&
               bitmap->height <= kMaxBitmapSide,
           "a decoded bitmap has a sensible size");
    Expect(bitmap->pixels.size() == static_cast<std::size_t>(bitmap->width) * static_cast<std::size_t>(bitmap->height),
           "a decoded bitmap has every pixel");

    const auto region = RegionFromBitmap(&*bitmap, kSkinWhite);
    Expect(region.has_value(), "a bitmap gives a region");
    std::size_t covered = 0;
    int lastTop = bitmap->height;
    int lastRight = -1;
    for (const SkinRect& rect : *region) {
        Expect(rect.left >= 0 && rect.left < rect.right && rect.right <= bitmap->width && rect.top >= 0 &&
                   rect.bottom == rect.top + 1 && rect.top < bitmap->height,
               "a run is a non-empty piece of one row inside the bitmap");
        Expect(rect.top < lastTop || (rect.top == lastTop && rect.left > lastRight),
               "runs go from the bottom row up, left to right, without overlap");
        lastTop = rect.top;
        lastRight = rect.right;
        covered += static_cast<std::size_t>(rect.right - rect.left);
    }
    std::size_t solid = 0;
    for (const SkinRgb& pixel : bitmap->pixels) solid += !(pixel == kSkinWhite);
    Expect(covered == solid, "the outline covers exactly the pixels that are not white");
    return 0;
}
