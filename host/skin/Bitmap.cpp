#include "Bitmap.h"

#include <algorithm>
#include <bit>
#include <fstream>
#include <iterator>

namespace {

constexpr std::uint32_t kRgbCompression = 0;
constexpr std::uint32_t kRle8Compression = 1;
constexpr std::uint32_t kRle4Compression = 2;
constexpr std::uint32_t kBitfieldsCompression = 3;
constexpr std::size_t kFileHeaderSize = 14;
// The colour masks of BI_BITFIELDS follow the 40-byte header, where the
// larger headers keep them too.
constexpr std::size_t kMasksAt = kFileHeaderSize + 40;
// Files larger than this are no skin bitmap; refusing them bounds memory.
constexpr std::size_t kMaxFileBytes = 256u * 1024u * 1024u;

std::uint32_t U16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8);
}
std::uint32_t U32(std::span<const std::uint8_t> b, std::size_t at) {
    return U16(b, at) | (U16(b, at + 2) << 16);
}

// One colour of a 16- or 32-bit pixel: its bits and how far up to 255 they go.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint32_t max = 0;  // 0: the pixel has no such colour (it reads 0)

    std::uint8_t Of(std::uint32_t pixel) const {
        if (max == 0) return 0;
        return static_cast<std::uint8_t>((((pixel & mask) >> shift) * 255u + max / 2) / max);
    }
};

// Only runs of adjacent bits make a colour.
std::optional<Channel> ChannelOf(std::uint32_t mask) {
    if (mask == 0) return Channel{};
    const int shift = std::countr_zero(mask);
    const std::uint32_t max = mask >> shift;
    if ((max & (max + 1)) != 0) return std::nullopt;
    return Channel{mask, shift, max};
}

struct PixelMasks {
    Channel red, green, blue;
};

std::optional<PixelMasks> MasksOf(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    const auto r = ChannelOf(red), g = ChannelOf(green), b = ChannelOf(blue);
    if (!r || !g || !b) return std::nullopt;
    return PixelMasks{*r, *g, *b};
}

// Palette indices of a run-length encoded picture, rows top first. Every
// read is checked against the data and every write against the picture:
// runs past a row's end are cut, moves past the last row end the picture,
// and pixels the stream never reaches keep index 0. A stream that claims
// more bytes than it has gives nothing; one that stops without its end mark
// keeps what it drew.
std::optional<std::vector<std::uint8_t>> DecodeRle(std::span<const std::uint8_t> data, unsigned bits, int width,
                                                   int height) {
    std::vector<std::uint8_t> indices(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    int x = 0;
    int y = 0;  // from the bottom row
    auto put = [&](unsigned index) {
        if (x >= width) return;
        indices[static_cast<std::size_t>(height - 1 - y) * static_cast<std::size_t>(width) +
                static_cast<std::size_t>(x)] = static_cast<std::uint8_t>(index);
        ++x;
    };
    // Pixel i of a run of 4-bit pixels packed two to a byte, high nibble first.
    auto nibble = [](std::uint8_t byte, unsigned i) { return i % 2 == 0 ? byte >> 4 : byte & 0x0Fu; };
    std::size_t at = 0;
    while (data.size() - at >= 2 && y < height) {
        const unsigned count = data[at];
        const unsigned value = data[at + 1];
        at += 2;
        if (count > 0) {
            for (unsigned i = 0; i < count && x < width; ++i) put(bits == 8 ? value : nibble(static_cast<std::uint8_t>(value), i));
        } else if (value == 0) {  // end of line
            x = 0;
            ++y;
        } else if (value == 1) {  // end of picture
            break;
        } else if (value == 2) {  // move right and up
            if (data.size() - at < 2) return std::nullopt;
            x = std::min(width, x + data[at]);
            y += data[at + 1];
            at += 2;
        } else {  // value pixels as they are, padded to a 16-bit boundary
            const std::size_t bytes = bits == 8 ? value : (value + 1) / 2;
            if (data.size() - at < bytes) return std::nullopt;
            for (unsigned i = 0; i < value && x < width; ++i)
                put(bits == 8 ? data[at + i] : nibble(data[at + i / 2], i));
            at += std::min(data.size() - at, bytes + bytes % 2);
        }
    }
    return indices;
}

}  // namespace

std::optional<CBitmapPixels> DecodeBmp(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kFileHeaderSize + 40 || bytes[0] != 'B' || bytes[1] != 'M')
        return std::nullopt;
    const std::size_t dataOffset = U32(bytes, 10);
    const std::size_t infoSize = U32(bytes, 14);
    if (infoSize < 40 || kFileHeaderSize + infoSize > bytes.size()) return std::nullopt;

    const auto width = static_cast<std::int32_t>(U32(bytes, 18));
    const auto rawHeight = static_cast<std::int32_t>(U32(bytes, 22));
    const std::uint32_t bitsPerPixel = U16(bytes, 28);
    const std::uint32_t compression = U32(bytes, 30);
    const std::uint32_t imageSize = U32(bytes, 34);
    std::uint32_t paletteCount = U32(bytes, 46);

    if (width <= 0 || rawHeight == 0 || rawHeight == INT32_MIN) return std::nullopt;
    const bool topDown = rawHeight < 0;
    const int height = topDown ? -rawHeight : rawHeight;
    if (width > kMaxBitmapSide || height > kMaxBitmapSide) return std::nullopt;
    if (dataOffset > bytes.size()) return std::nullopt;

    const bool rle = compression == kRle8Compression || compression == kRle4Compression;
    // Run-length pictures are stored bottom-up only, 8 bits for RLE8 and 4
    // for RLE4.
    if (rle && (topDown || bitsPerPixel != (compression == kRle8Compression ? 8u : 4u))) return std::nullopt;
    if (!rle && compression != kRgbCompression && compression != kBitfieldsCompression) return std::nullopt;
    if (compression == kBitfieldsCompression && bitsPerPixel != 16 && bitsPerPixel != 32) return std::nullopt;
    if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 16 && bitsPerPixel != 24 &&
        bitsPerPixel != 32)
        return std::nullopt;

    std::vector<SkinRgb> palette;
    if (bitsPerPixel <= 8) {
        const std::uint32_t maxEntries = 1u << bitsPerPixel;
        if (paletteCount == 0 || paletteCount > maxEntries) paletteCount = maxEntries;
        const std::size_t paletteAt = kFileHeaderSize + infoSize;
        if (paletteAt + paletteCount * 4u > bytes.size()) return std::nullopt;
        for (std::uint32_t i = 0; i < paletteCount; ++i) {
            const std::size_t at = paletteAt + i * 4u;
            palette.push_back(SkinRgb{bytes[at + 2], bytes[at + 1], bytes[at]});
        }
    }
    // An index past a short palette reads as black, as the platform draws it.
    auto colour = [&palette](unsigned index) { return index < palette.size() ? palette[index] : SkinRgb{}; };

    std::optional<PixelMasks> masks;
    if (compression == kBitfieldsCompression) {
        if (bytes.size() < kMasksAt + 12) return std::nullopt;
        masks = MasksOf(U32(bytes, kMasksAt), U32(bytes, kMasksAt + 4), U32(bytes, kMasksAt + 8));
        if (!masks) return std::nullopt;
    } else if (bitsPerPixel == 16) {
        masks = MasksOf(0x7C00, 0x03E0, 0x001F);  // 5-5-5, the layout without masks
    }

    CBitmapPixels out;
    out.width = width;
    out.height = height;
    out.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));

    if (rle) {
        std::span<const std::uint8_t> data = bytes.subspan(dataOffset);
        if (imageSize != 0 && imageSize < data.size()) data = data.first(imageSize);
        const auto indices = DecodeRle(data, bitsPerPixel, width, height);
        if (!indices) return std::nullopt;
        std::transform(indices->begin(), indices->end(), out.pixels.begin(), colour);
        return out;
    }

    const std::size_t stride = ((static_cast<std::size_t>(width) * bitsPerPixel + 31) / 32) * 4;
    if (stride * static_cast<std::size_t>(height) > bytes.size() - dataOffset) return std::nullopt;
    for (int row = 0; row < height; ++row) {
        const int fileRow = topDown ? row : height - 1 - row;
        const std::uint8_t* line = bytes.data() + dataOffset + stride * static_cast<std::size_t>(fileRow);
        SkinRgb* target = out.pixels.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(width);
        for (int x = 0; x < width; ++x) {
            if (masks) {
                const std::uint8_t* p = line + static_cast<std::size_t>(x) * (bitsPerPixel / 8);
                std::uint32_t pixel = static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8);
                if (bitsPerPixel == 32)
                    pixel |= (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
                target[x] = SkinRgb{masks->red.Of(pixel), masks->green.Of(pixel), masks->blue.Of(pixel)};
                continue;
            }
            if (bitsPerPixel >= 24) {
                const std::uint8_t* p = line + static_cast<std::size_t>(x) * (bitsPerPixel / 8);
                target[x] = SkinRgb{p[2], p[1], p[0]};
                continue;
            }
            const std::size_t bit = static_cast<std::size_t>(x) * bitsPerPixel;
            const unsigned shift = 8 - bitsPerPixel - static_cast<unsigned>(bit % 8);
            target[x] = colour((line[bit / 8] >> shift) & ((1u << bitsPerPixel) - 1));
        }
    }
    return out;
}

std::optional<CBitmapPixels> LoadBmpFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    in.seekg(0, std::ios::end);
    const auto size = in.tellg();
    if (size <= 0 || static_cast<std::size_t>(size) > kMaxFileBytes) return std::nullopt;
    in.seekg(0, std::ios::beg);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (!in.read(reinterpret_cast<char*>(bytes.data()), size)) return std::nullopt;
    return DecodeBmp(bytes);
}
