#include "TextLimit.h"

namespace {

// Length of the UTF-8 sequence starting at text[i]; 1 for a byte that does
// not start a well-formed sequence.
std::size_t SequenceLength(const std::string& text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 1;
    if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    else if (lead >= 0xE0)
        length = lead <= 0xEF ? 3 : 1;
    else if (lead >= 0xC2)
        length = 2;
    if (i + length > text.size()) return 1;
    for (std::size_t k = 1; k < length; ++k) {
        if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return 1;
    }
    return length;
}

}  // namespace

bool CutToCharacters(std::string& text, std::size_t maxChars) {
    if (text.size() <= maxChars) return false;  // bytes bound characters
    std::size_t i = 0;
    for (std::size_t chars = 0; i < text.size() && chars < maxChars; ++chars)
        i += SequenceLength(text, i);
    if (i >= text.size()) return false;
    text.resize(i);
    return true;
}
