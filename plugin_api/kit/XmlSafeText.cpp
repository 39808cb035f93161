#include "plugin_api/kit/XmlSafeText.h"

#include <cstdint>

namespace pluginkit {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

bool IsXmlChar(std::uint32_t c)
{
    if (c < 0x20) {
        return c == 0x09 || c == 0x0A || c == 0x0D;
    }
    return c != 0xFFFE && c != 0xFFFF && (c < 0xD800 || c > 0xDFFF) && c <= 0x10FFFF;
}

// Length of the well-formed UTF-8 sequence at text[i] and its code point;
// 0 when the bytes there are not one.
std::size_t DecodeUtf8(std::string_view text, std::size_t i, std::uint32_t& c)
{
    const auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(text[k]); };
    const std::uint8_t lead = byte(i);
    std::size_t length = 0;
    std::uint32_t min = 0;
    if (lead < 0x80) {
        c = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, c = lead & 0x1F, min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, c = lead & 0x0F, min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, c = lead & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (i + length > text.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            return 0;
        }
        c = (c << 6) | (byte(i + k) & 0x3F);
    }
    // Overlong forms would smuggle a character past the checks.
    return c < min ? 0 : length;
}

}  // namespace

std::string XmlSafeText(std::string_view text)
{
    std::string safe;
    safe.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        std::uint32_t c = 0;
        const std::size_t length = DecodeUtf8(text, i, c);
        if (length == 0) {
            safe += kReplacement;
            ++i;
        } else {
            if (IsXmlChar(c)) {
                safe.append(text.substr(i, length));
            } else {
                safe += kReplacement;
            }
            i += length;
        }
    }
    return safe;
}

}  // namespace pluginkit
