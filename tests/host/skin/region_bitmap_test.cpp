// Bitmap decoding and the outline rectangles of window and button masks.
#include <gtest/gtest.h>

#include "Bitmap.h"
#include "Region.h"
#include "Transparency.h"
#include "skin_test_bitmaps.h"

using skintest::EncodeBmp;
using skintest::FromRows;

namespace {

std::vector<SkinRect> Rects(const std::vector<std::string>& rows) {
    const CBitmapPixels p = FromRows(rows);
    return *RegionFromBitmap(&p, kSkinWhite);
}

// A BMP file: the 40-byte header, then what follows it (palette or colour
// masks), then the pixel data.
std::vector<std::uint8_t> BmpFile(int width, int height, int bits, std::uint32_t compression,
                                  const std::vector<std::uint8_t>& afterHeader, const std::vector<std::uint8_t>& data,
                                  std::uint32_t paletteEntries = 0) {
    std::vector<std::uint8_t> b{'B', 'M'};
    const auto offset = static_cast<std::uint32_t>(14 + 40 + afterHeader.size());
    skintest::Put32(b, offset + static_cast<std::uint32_t>(data.size()));
    skintest::Put32(b, 0);
    skintest::Put32(b, offset);
    skintest::Put32(b, 40);
    skintest::Put32(b, static_cast<std::uint32_t>(width));
    skintest::Put32(b, static_cast<std::uint32_t>(height));
    skintest::Put16(b, 1);
    skintest::Put16(b, static_cast<std::uint32_t>(bits));
    skintest::Put32(b, compression);
    skintest::Put32(b, static_cast<std::uint32_t>(data.size()));
    skintest::Put32(b, 2835);
    skintest::Put32(b, 2835);
    skintest::Put32(b, paletteEntries);
    skintest::Put32(b, 0);
    b.insert(b.end(), afterHeader.begin(), afterHeader.end());
    b.insert(b.end(), data.begin(), data.end());
    return b;
}

std::vector<std::uint8_t> Palette(const std::vector<SkinRgb>& colours) {
    std::vector<std::uint8_t> b;
    for (const SkinRgb& c : colours) b.insert(b.end(), {c.blue, c.green, c.red, 0});
    return b;
}

const SkinRgb kBlack{0, 0, 0};
const SkinRgb kRed{255, 0, 0};
const SkinRgb kGreen{0, 255, 0};
const SkinRgb kBlue{0, 0, 255};

}  // namespace

TEST(BmpDecode, ReadsTwentyFourAndEightBitRowsInBothOrders) {
    const CBitmapPixels original = skintest::Paint(5, 3, [](int x, int y) {
        return SkinRgb{static_cast<std::uint8_t>(x * 50), static_cast<std::uint8_t>(y * 100), 7};
    });
    for (int bits : {24, 8}) {
        for (bool topDown : {false, true}) {
            const auto decoded = DecodeBmp(EncodeBmp(original, bits, topDown));
            ASSERT_TRUE(decoded) << bits << " " << topDown;
            EXPECT_EQ(decoded->width, 5);
            EXPECT_EQ(decoded->height, 3);
            EXPECT_EQ(decoded->pixels, original.pixels) << bits << " bits, top-down " << topDown;
        }
    }
}

TEST(BmpDecode, ReadsOneBitMasksWithTheirPalette) {
    // 3x2, palette 0 = black, 1 = white; rows bottom-up, padded to 4 bytes.
    std::vector<std::uint8_t> b{'B', 'M'};
    skintest::Put32(b, 0);
    skintest::Put32(b, 0);
    skintest::Put32(b, 14 + 40 + 8);
    skintest::Put32(b, 40);
    skintest::Put32(b, 3);
    skintest::Put32(b, 2);
    skintest::Put16(b, 1);
    skintest::Put16(b, 1);
    for (int i = 0; i < 6; ++i) skintest::Put32(b, 0);
    for (std::uint8_t v : {0, 0, 0, 0, 255, 255, 255, 0}) b.push_back(v);
    for (std::uint8_t v : {0b01000000, 0, 0, 0, 0b10100000, 0, 0, 0}) b.push_back(v);  // bottom, top
    const auto decoded = DecodeBmp(b);
    ASSERT_TRUE(decoded);
    const SkinRgb black{0, 0, 0};
    EXPECT_EQ(decoded->pixels, (std::vector<SkinRgb>{kSkinWhite, black, kSkinWhite, black, kSkinWhite, black}));
}

// Skins made on the original platform keep their masks and outlines run-
// length encoded; rows go bottom-up.
TEST(BmpDecode, ReadsRunLengthEncodedPicturesOfEightAndFourBits) {
    const std::vector<std::uint8_t> rle8{
        4, 1, 0, 0,                // bottom row: four of index 1, end of line
        0, 3, 0, 2, 1, 0, 1, 0,    // three as they are (padded), one of index 0
        0, 0,                      // end of line
        0, 2, 2, 0, 2, 2, 0, 1};   // top row: move right 2, two of index 2, end
    const auto eight = DecodeBmp(BmpFile(4, 3, 8, 1, Palette({kSkinWhite, kBlack, kRed}), rle8, 3));
    ASSERT_TRUE(eight);
    EXPECT_EQ(eight->pixels, (std::vector<SkinRgb>{kSkinWhite, kSkinWhite, kRed, kRed,                 // skipped: index 0
                                                   kSkinWhite, kRed, kBlack, kSkinWhite, kBlack, kBlack, kBlack,
                                                   kBlack}));
    const std::vector<std::uint8_t> rle4{
        5, 0x12, 0, 0,                 // bottom row: 1 2 1 2 1
        0, 3, 0x12, 0x30, 2, 0x04,     // top row: 1 2 3 as they are, then 0 4
        0, 1};
    const auto four = DecodeBmp(BmpFile(5, 2, 4, 2, Palette({kSkinWhite, kBlack, kRed, kGreen, kBlue}), rle4, 5));
    ASSERT_TRUE(four);
    EXPECT_EQ(four->pixels, (std::vector<SkinRgb>{kBlack, kRed, kGreen, kSkinWhite, kBlue, kBlack, kRed, kBlack, kRed,
                                                  kBlack}));
}

// Headers and streams that lie: every read stays inside the file and every
// write inside the picture.
TEST(BmpDecode, RunLengthStreamsThatLieAreCutOrRefused) {
    const auto palette = Palette({kSkinWhite, kBlack});
    auto decode = [&](std::vector<std::uint8_t> data, int width = 2, int height = 2) {
        return DecodeBmp(BmpFile(width, height, 8, 1, palette, data, 2));
    };
    EXPECT_FALSE(decode({0, 5, 1, 1})) << "as-they-are run longer than the data";
    EXPECT_FALSE(decode({0, 2, 3})) << "move without its two bytes";
    const auto longRun = decode({255, 1, 0, 0, 0, 200, 1, 1});  // past the row end, then far past the data
    EXPECT_FALSE(longRun);
    const auto cut = decode({255, 1, 0, 2, 0, 255, 7, 1});  // past the row end, then above the last row
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->pixels, (std::vector<SkinRgb>{kSkinWhite, kSkinWhite, kBlack, kBlack}));
    const auto unended = decode({1, 1});  // no end mark: what was drawn stands
    ASSERT_TRUE(unended);
    EXPECT_EQ(unended->pixels, (std::vector<SkinRgb>{kSkinWhite, kSkinWhite, kBlack, kSkinWhite}));
    const auto pastPalette = decode({2, 9, 0, 1});  // index 9 of a 2-entry palette
    ASSERT_TRUE(pastPalette);
    EXPECT_EQ(pastPalette->pixels[2], kBlack);
    auto topDown = BmpFile(2, 2, 8, 1, palette, {0, 1}, 2);
    topDown[22] = 0xFE; topDown[23] = 0xFF; topDown[24] = 0xFF; topDown[25] = 0xFF;  // height -2
    EXPECT_FALSE(DecodeBmp(topDown));
    EXPECT_FALSE(DecodeBmp(BmpFile(2, 2, 8, 2, palette, {0, 1}, 2))) << "RLE4 on 8 bits";
    EXPECT_FALSE(DecodeBmp(BmpFile(2, 2, 24, 1, {}, {0, 1}))) << "RLE8 on 24 bits";
}

TEST(BmpDecode, ReadsSixteenBitPicturesWithAndWithoutColourMasks) {
    auto pixels = [](std::initializer_list<std::uint16_t> values) {
        std::vector<std::uint8_t> b;
        for (std::uint16_t v : values) skintest::Put16(b, v);
        return b;
    };
    auto masks = [](std::uint32_t r, std::uint32_t g, std::uint32_t b) {
        std::vector<std::uint8_t> out;
        skintest::Put32(out, r);
        skintest::Put32(out, g);
        skintest::Put32(out, b);
        return out;
    };
    // 5-6-5 with BI_BITFIELDS: white stays exactly white (the outline's
    // transparent colour); one row of 2 pixels padded to 4 bytes.
    const auto rgb565 = DecodeBmp(BmpFile(2, 1, 16, 3, masks(0xF800, 0x07E0, 0x001F), pixels({0xFFFF, 0xF800})));
    ASSERT_TRUE(rgb565);
    EXPECT_EQ(rgb565->pixels, (std::vector<SkinRgb>{kSkinWhite, kRed}));
    const auto green565 = DecodeBmp(BmpFile(1, 1, 16, 3, masks(0xF800, 0x07E0, 0x001F), pixels({0x0400, 0})));
    ASSERT_TRUE(green565);
    EXPECT_EQ(green565->pixels[0], (SkinRgb{0, 130, 0}));  // 32 of 63
    const auto plain = DecodeBmp(BmpFile(2, 1, 16, 0, {}, pixels({0x7FFF, 0x03E0})));  // 5-5-5 without masks
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->pixels, (std::vector<SkinRgb>{kSkinWhite, kGreen}));
    EXPECT_FALSE(DecodeBmp(BmpFile(1, 1, 16, 3, masks(0xF00F, 0x07E0, 0x001F), pixels({0, 0}))))
        << "a colour of bits that are not adjacent";
    EXPECT_FALSE(DecodeBmp(BmpFile(1, 1, 16, 3, {}, {}))) << "masks promised, file ends";
    EXPECT_FALSE(DecodeBmp(BmpFile(2, 1, 16, 0, {}, pixels({0x7FFF})))) << "rows shorter than they say";
}

TEST(BmpDecode, RefusesDamagedAndOversizedFiles) {
    const auto good = EncodeBmp(skintest::Solid(4, 4, kSkinWhite));
    auto truncated = good;
    truncated.resize(good.size() - 5);
    EXPECT_FALSE(DecodeBmp(truncated));
    auto notBmp = good;
    notBmp[0] = 'X';
    EXPECT_FALSE(DecodeBmp(notBmp));
    auto huge = good;
    huge[18] = 0xFF; huge[19] = 0xFF; huge[20] = 0xFF; huge[21] = 0x00;  // width 16M
    EXPECT_FALSE(DecodeBmp(huge));
    auto compressed = good;
    compressed[30] = 1;  // RLE8
    EXPECT_FALSE(DecodeBmp(compressed));
    auto badOffset = good;
    badOffset[10] = 0xF0; badOffset[11] = 0xFF;
    EXPECT_FALSE(DecodeBmp(badOffset));
    EXPECT_FALSE(DecodeBmp({}));
    EXPECT_FALSE(LoadBmpFile("/nonexistent/rgn.bmp"));
}

TEST(RegionFromBitmap, GivesOneRectanglePerRunFromTheBottomRowUp) {
    EXPECT_EQ(Rects({".#."}), (std::vector<SkinRect>{{1, 0, 2, 1}}));
    EXPECT_EQ(Rects({".#"}), (std::vector<SkinRect>{{1, 0, 2, 1}}));
    EXPECT_EQ(Rects({"#"}), (std::vector<SkinRect>{{0, 0, 1, 1}}));
    EXPECT_EQ(Rects({"##..###."}), (std::vector<SkinRect>{{0, 0, 2, 1}, {4, 0, 7, 1}}));
    EXPECT_EQ(Rects({"#..",
                     ".##"}),
              (std::vector<SkinRect>{{1, 1, 3, 2}, {0, 0, 1, 1}}));
}

TEST(RegionFromBitmap, AllWhiteIsEmptyAllBlackIsOneRectanglePerRowAndNoBitmapIsNothing) {
    EXPECT_TRUE(Rects({"...", "..."}).empty());
    EXPECT_EQ(Rects({"###", "###", "###"}),
              (std::vector<SkinRect>{{0, 2, 3, 3}, {0, 1, 3, 2}, {0, 0, 3, 1}}));
    EXPECT_FALSE(RegionFromBitmap(nullptr, kSkinWhite));
}

TEST(RegionFromBitmap, OnlyExactWhiteIsTransparent) {
    const CBitmapPixels p = skintest::Paint(3, 1, [](int x, int) {
        return x == 1 ? SkinRgb{255, 255, 254} : kSkinWhite;
    });
    EXPECT_EQ(*RegionFromBitmap(&p, kSkinWhite), (std::vector<SkinRect>{{1, 0, 2, 1}}));
}

TEST(Transparency, LayeringComesOnAtFirstUseAndGoesOffOnlyAtFullOpacity) {
    TransparencyStep s = NextTransparency(false, 128);
    EXPECT_TRUE(s.layered);
    s = NextTransparency(s.layered, 255);
    EXPECT_FALSE(s.layered);
    EXPECT_EQ(s.alpha, 255);
    s = NextTransparency(NextTransparency(false, 128).layered, 64);
    EXPECT_TRUE(s.layered);
    EXPECT_EQ(s.alpha, 64);
    s = NextTransparency(false, 255);  // first call of all switches layering on
    EXPECT_TRUE(s.layered);
    EXPECT_EQ(NextTransparency(true, 400).alpha, 255);
    EXPECT_EQ(NextTransparency(true, -3).alpha, 0);
}
