// Writes BMP files for the engine's tests and benchmark: the test skins'
// bitmaps are generated, not stored, so each test states the pixels it
// relies on.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <unistd.h>
#include <string>
#include <vector>

#include "Bitmap.h"

namespace skintest {

inline void Put16(std::vector<std::uint8_t>& b, std::uint32_t v) {
    b.push_back(v & 0xFF);
    b.push_back((v >> 8) & 0xFF);
}
inline void Put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

// A BMP file of the pixels: 24-bit, or 8-bit with a palette of the colours
// used (at most 256); bottom-up unless topDown.
inline std::vector<std::uint8_t> EncodeBmp(const CBitmapPixels& p, int bits = 24, bool topDown = false) {
    std::vector<SkinRgb> palette;
    std::vector<std::uint8_t> index(p.pixels.size());
    if (bits == 8) {
        for (std::size_t i = 0; i < p.pixels.size(); ++i) {
            std::size_t k = 0;
            while (k < palette.size() && !(palette[k] == p.pixels[i])) ++k;
            if (k == palette.size()) palette.push_back(p.pixels[i]);
            index[i] = static_cast<std::uint8_t>(k);
        }
    }
    const std::size_t stride = ((static_cast<std::size_t>(p.width) * bits + 31) / 32) * 4;
    const std::uint32_t offset = 14 + 40 + static_cast<std::uint32_t>(palette.size()) * 4;
    std::vector<std::uint8_t> b;
    b.push_back('B');
    b.push_back('M');
    Put32(b, offset + static_cast<std::uint32_t>(stride * p.height));
    Put32(b, 0);
    Put32(b, offset);
    Put32(b, 40);
    Put32(b, static_cast<std::uint32_t>(p.width));
    Put32(b, static_cast<std::uint32_t>(topDown ? -p.height : p.height));
    Put16(b, 1);
    Put16(b, static_cast<std::uint32_t>(bits));
    Put32(b, 0);
    Put32(b, static_cast<std::uint32_t>(stride * p.height));
    Put32(b, 2835);
    Put32(b, 2835);
    Put32(b, static_cast<std::uint32_t>(palette.size()));
    Put32(b, 0);
    for (const SkinRgb& c : palette) {
        b.push_back(c.blue);
        b.push_back(c.green);
        b.push_back(c.red);
        b.push_back(0);
    }
    for (int row = 0; row < p.height; ++row) {
        const int y = topDown ? row : p.height - 1 - row;
        std::size_t written = 0;
        for (int x = 0; x < p.width; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * p.width + x;
            if (bits == 8) {
                b.push_back(index[i]);
                written += 1;
            } else {
                b.push_back(p.pixels[i].blue);
                b.push_back(p.pixels[i].green);
                b.push_back(p.pixels[i].red);
                written += 3;
            }
        }
        for (; written < stride; ++written) b.push_back(0);
    }
    return b;
}

// Pixels from a function of (x, y).
inline CBitmapPixels Paint(int width, int height, const std::function<SkinRgb(int, int)>& colour) {
    CBitmapPixels p;
    p.width = width;
    p.height = height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) p.pixels.push_back(colour(x, y));
    return p;
}

// Rows of '.' (white) and '#' (black), top row first.
inline CBitmapPixels FromRows(const std::vector<std::string>& rows) {
    return Paint(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), [&](int x, int y) {
        return rows[y][x] == '.' ? kSkinWhite : SkinRgb{0, 0, 0};
    });
}

inline void WriteBmp(const std::filesystem::path& path, const CBitmapPixels& p, int bits = 24) {
    std::filesystem::create_directories(path.parent_path());
    const auto bytes = EncodeBmp(p, bits);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

inline CBitmapPixels Solid(int width, int height, SkinRgb colour) {
    return Paint(width, height, [&](int, int) { return colour; });
}

// An ellipse of black on white filling the box: a window outline.
inline CBitmapPixels Ellipse(int width, int height) {
    return Paint(width, height, [&](int x, int y) {
        const double dx = (x + 0.5 - width / 2.0) / (width / 2.0);
        const double dy = (y + 0.5 - height / 2.0) / (height / 2.0);
        return dx * dx + dy * dy <= 1.0 ? SkinRgb{0, 0, 0} : kSkinWhite;
    });
}

// A fresh, empty folder under the system's temporary folder.
inline std::filesystem::path FreshFolder(const std::string& name) {
    const auto folder = std::filesystem::temp_directory_path() / (name + "-" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

}  // namespace skintest
