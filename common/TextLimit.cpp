#include "TextLimit.h"

namespace {

bool IsContinuationByte(unsigned char c) { return (c & 0xC0) == 0x80; }

// Length of the sequence a lead byte announces; 1 for anything else.
std::size_t SequenceLength(unsigned char lead)
{
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 1;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

std::string CutToByteLimit(std::string_view text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes)
        return std::string(text);
    std::size_t cut = maxBytes;
    // Walk back to the lead byte of the character the cut falls into; drop
    // that character when it does not fit whole.
    std::size_t lead = cut;
    while (lead > 0 && cut - lead < 3 && IsContinuationByte(static_cast<unsigned char>(text[lead])))
        --lead;
    if (lead < cut && !IsContinuationByte(static_cast<unsigned char>(text[lead])) &&
        lead + SequenceLength(static_cast<unsigned char>(text[lead])) > cut)
        cut = lead;
    return std::string(text.substr(0, cut));
}

std::string TrimBlanks(std::string_view text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return std::string(text.substr(begin, end - begin));
}
