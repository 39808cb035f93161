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
    // An honest 8192 x 4096 one-bit file: 4 MB that would decode to 100 MB.
    std::vector<std::uint8_t> big(14 + 40 + 8 + 1024u * 4096u, 0);
    std::copy(good.begin(), good.begin() + 54, big.begin());
    big[10] = 62;  // the pixels follow the two palette entries
    big[18] = 0x00; big[19] = 0x20; big[20] = 0; big[21] = 0;  // width 8192
    big[22] = 0x00; big[23] = 0x10; big[24] = 0; big[25] = 0;  // height 4096
    big[28] = 1;  // one bit per pixel
    big[46] = 0;  // the whole palette
    EXPECT_FALSE(DecodeBmp(big));
    big[19] = 0x10;  // width 4096: within the limit
    EXPECT_TRUE(DecodeBmp(big));
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
