// Pixels of a decoded bitmap file, the input of the outline and mask rules.
// Decoding is a pure function over the file's bytes so the rules can be
// tested without a display and a hostile file can only fail to decode.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

struct SkinRgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const SkinRgb&, const SkinRgb&) = default;
};

inline constexpr SkinRgb kSkinWhite{255, 255, 255};

struct CBitmapPixels {
    int width = 0;
    int height = 0;
    std::vector<SkinRgb> pixels;  // row-major, top row first

    const SkinRgb& At(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};

// Windows device-independent bitmap files: 1, 4, 8, 16, 24 and 32 bits per
// pixel, uncompressed (bottom-up or top-down rows), RLE8 and RLE4 (bottom-up),
// and 16 or 32 bits with colour masks (BI_BITFIELDS: 5-6-5, 5-5-5, ...); 16
// bits without masks are 5-5-5. Anything else, a truncated file, or a picture
// above kMaxBitmapSide on a side gives nothing.
inline constexpr int kMaxBitmapSide = 16384;
std::optional<CBitmapPixels> DecodeBmp(std::span<const std::uint8_t> bytes);
std::optional<CBitmapPixels> LoadBmpFile(const std::string& path);
