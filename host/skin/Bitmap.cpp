#include "Bitmap.h"

#include <fstream>
#include <iterator>

namespace {

constexpr std::uint32_t kRgbCompression = 0;
constexpr std::uint32_t kBitfieldsCompression = 3;
constexpr std::size_t kFileHeaderSize = 14;
// Files larger than this are no skin bitmap; refusing them bounds memory.
constexpr std::size_t kMaxFileBytes = 256u * 1024u * 1024u;

std::uint32_t U16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8);
}
std::uint32_t U32(std::span<const std::uint8_t> b, std::size_t at) {
    return U16(b, at) | (U16(b, at + 2) << 16);
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
    std::uint32_t paletteCount = U32(bytes, 46);

    if (width <= 0 || rawHeight == 0 || rawHeight == INT32_MIN) return std::nullopt;
    const bool topDown = rawHeight < 0;
    const int height = topDown ? -rawHeight : rawHeight;
    if (width > kMaxBitmapSide || height > kMaxBitmapSide) return std::nullopt;
    if (static_cast<long long>(width) * height > kMaxBitmapPixels) return std::nullopt;
    // 32-bit files often say BI_BITFIELDS with the standard masks; their
    // bytes lie as in BI_RGB, which is all the outline rule needs.
    const bool plainLayout = compression == kRgbCompression ||
                             (compression == kBitfieldsCompression && bitsPerPixel == 32);
    if (!plainLayout) return std::nullopt;
    if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 24 &&
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

    const std::size_t stride = ((static_cast<std::size_t>(width) * bitsPerPixel + 31) / 32) * 4;
    if (dataOffset > bytes.size() || stride * static_cast<std::size_t>(height) > bytes.size() - dataOffset)
        return std::nullopt;

    CBitmapPixels out;
    out.width = width;
    out.height = height;
    out.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int row = 0; row < height; ++row) {
        const int fileRow = topDown ? row : height - 1 - row;
        const std::uint8_t* line = bytes.data() + dataOffset + stride * static_cast<std::size_t>(fileRow);
        SkinRgb* target = out.pixels.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(width);
        for (int x = 0; x < width; ++x) {
            if (bitsPerPixel >= 24) {
                const std::uint8_t* p = line + static_cast<std::size_t>(x) * (bitsPerPixel / 8);
                target[x] = SkinRgb{p[2], p[1], p[0]};
                continue;
            }
            const std::size_t bit = static_cast<std::size_t>(x) * bitsPerPixel;
            const unsigned shift = 8 - bitsPerPixel - static_cast<unsigned>(bit % 8);
            const unsigned index = (line[bit / 8] >> shift) & ((1u << bitsPerPixel) - 1);
            // An index past a short palette reads as black, as the platform draws it.
            target[x] = index < palette.size() ? palette[index] : SkinRgb{};
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
