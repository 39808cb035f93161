// Writes the bitmaps of the host's test skin into a skin folder: the main
// window's background and outline, the plug-in view's, the icon and the
// button images with their labels in a small block font. Run at build time,
// so no binary image is kept in the repository.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

struct Rgb {
    std::uint8_t r, g, b;
};

struct Image {
    int width;
    int height;
    std::vector<Rgb> pixels;
    Image(int w, int h, Rgb fill) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill) {}
    void Set(int x, int y, Rgb c) {
        if (x >= 0 && y >= 0 && x < width && y < height) pixels[static_cast<std::size_t>(y) * width + x] = c;
    }
    void Fill(int x0, int y0, int w, int h, Rgb c) {
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + w; ++x) Set(x, y, c);
    }
};

void Put(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

bool WriteBmp(const std::filesystem::path& path, const Image& image) {
    const std::uint32_t stride = (static_cast<std::uint32_t>(image.width) * 3 + 3) & ~3u;
    const std::uint32_t size = stride * static_cast<std::uint32_t>(image.height);
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put(out, 54 + size, 4);
    Put(out, 0, 4);
    Put(out, 54, 4);
    Put(out, 40, 4);
    Put(out, static_cast<std::uint32_t>(image.width), 4);
    Put(out, static_cast<std::uint32_t>(image.height), 4);
    Put(out, 1, 2);
    Put(out, 24, 2);
    Put(out, 0, 4);
    Put(out, size, 4);
    Put(out, 2835, 4);
    Put(out, 2835, 4);
    Put(out, 0, 4);
    Put(out, 0, 4);
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const Rgb& c = image.pixels[static_cast<std::size_t>(y) * image.width + x];
            out.push_back(c.b);
            out.push_back(c.g);
            out.push_back(c.r);
        }
        for (std::uint32_t pad = static_cast<std::uint32_t>(image.width) * 3; pad < stride; ++pad) out.push_back(0);
    }
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}

// 3x5 glyphs, rows top to bottom.
const std::map<char, const char*> kGlyphs = {
    {'A', "010101111101101"}, {'C', "011100100100011"}, {'E', "111100110100111"}, {'F', "111100110100100"},
    {'H', "101101111101101"}, {'I', "111010010010111"}, {'L', "100100100100111"}, {'M', "101111111101101"},
    {'N', "110101101101101"}, {'O', "010101101101010"}, {'P', "110101110100100"}, {'R', "110101110101101"},
    {'S', "011100010001110"}, {'T', "111010010010010"}, {'U', "101101101101111"}, {'V', "101101101101010"},
    {'X', "101101010101101"}, {' ', "000000000000000"},
};

void Label(Image& image, const std::string& text, Rgb colour) {
    const int scale = 2;
    const int width = static_cast<int>(text.size()) * 4 * scale - scale;
    int x = (image.width - width) / 2;
    const int y = (image.height - 5 * scale) / 2;
    for (char ch : text) {
        const auto glyph = kGlyphs.find(ch);
        if (glyph != kGlyphs.end())
            for (int row = 0; row < 5; ++row)
                for (int col = 0; col < 3; ++col)
                    if (glyph->second[row * 3 + col] == '1') image.Fill(x + col * scale, y + row * scale, scale, scale, colour);
        x += 4 * scale;
    }
}

Image Button(int w, int h, Rgb face, const std::string& text) {
    Image image(w, h, face);
    const Rgb edge{static_cast<std::uint8_t>(face.r / 2), static_cast<std::uint8_t>(face.g / 2),
                   static_cast<std::uint8_t>(face.b / 2)};
    image.Fill(0, 0, w, 1, edge);
    image.Fill(0, h - 1, w, 1, edge);
    image.Fill(0, 0, 1, h, edge);
    image.Fill(w - 1, 0, 1, h, edge);
    Label(image, text, {255, 255, 255});
    return image;
}

bool WriteButton(const std::filesystem::path& folder, const std::string& name, int w, int h, Rgb face,
                 const std::string& text) {
    const Rgb down{static_cast<std::uint8_t>(face.r * 3 / 5), static_cast<std::uint8_t>(face.g * 3 / 5),
                   static_cast<std::uint8_t>(face.b * 3 / 5)};
    const Rgb over{static_cast<std::uint8_t>(std::min(255, face.r + 40)), static_cast<std::uint8_t>(std::min(255, face.g + 40)),
                   static_cast<std::uint8_t>(std::min(255, face.b + 40))};
    return WriteBmp(folder / (name + ".bmp"), Button(w, h, face, text)) &&
           WriteBmp(folder / (name + "_d.bmp"), Button(w, h, down, text)) &&
           WriteBmp(folder / (name + "_o.bmp"), Button(w, h, over, text));
}

// Black inside, white outside a rectangle with rounded corners.
Image Outline(int w, int h, int radius) {
    Image image(w, h, {0, 0, 0});
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int cx = x < radius ? radius : (x >= w - radius ? w - radius - 1 : x);
            const int cy = y < radius ? radius : (y >= h - radius ? h - radius - 1 : y);
            if ((x - cx) * (x - cx) + (y - cy) * (y - cy) > radius * radius) image.Set(x, y, {255, 255, 255});
        }
    return image;
}

Image Background(int w, int h, int strip) {
    Image image(w, h, {0, 0, 0});
    for (int y = 0; y < h; ++y) {
        const Rgb row = y < strip ? Rgb{24, 40, 72}
                                  : Rgb{static_cast<std::uint8_t>(30 + y / 12), static_cast<std::uint8_t>(52 + y / 8),
                                        static_cast<std::uint8_t>(96 + y / 6)};
        image.Fill(0, y, w, 1, row);
    }
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <skin folder>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    const std::filesystem::path view = folder / "ZEFAN";
    std::error_code error;
    std::filesystem::create_directories(view, error);
    Image icon(32, 32, {24, 40, 72});
    icon.Fill(6, 6, 20, 20, {90, 160, 255});
    Label(icon, "V", {255, 255, 255});
    const bool ok =
        WriteBmp(folder / "back.bmp", Background(480, 320, 24)) && WriteBmp(folder / "rgn.bmp", Outline(480, 320, 10)) &&
        WriteBmp(folder / "icon.bmp", icon) && WriteButton(folder, "min", 34, 18, {70, 90, 130}, "MIN") &&
        WriteButton(folder, "close", 34, 18, {170, 50, 50}, "X") &&
        WriteButton(folder, "fan", 90, 22, {40, 120, 90}, "FANS") &&
        WriteButton(folder, "top", 90, 22, {90, 90, 140}, "TOP") &&
        WriteButton(folder, "trans", 90, 22, {90, 90, 140}, "ALPHA") &&
        WriteButton(folder, "setup", 70, 22, {90, 90, 140}, "SETUP") &&
        WriteButton(folder, "nav", 80, 22, {140, 100, 40}, "NAV") &&
        WriteBmp(view / "view_back.bmp", Background(460, 170, 0)) && WriteBmp(view / "view_rgn.bmp", Outline(460, 170, 6)) &&
        WriteButton(view, "stop", 70, 20, {150, 80, 40}, "STOP") &&
        WriteButton(view, "start", 70, 20, {40, 120, 90}, "START") &&
        WriteButton(view, "vclose", 70, 20, {170, 50, 50}, "CLOSE");
    if (!ok) std::fprintf(stderr, "cannot write the skin bitmaps into %s\n", argv[1]);
    return ok ? 0 : 1;
}
