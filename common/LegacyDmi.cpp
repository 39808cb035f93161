#include "LegacyDmi.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr std::size_t kParagraph = 16;
constexpr std::size_t kMaxParagraphs = 4096;
constexpr std::size_t kEntryPointSize = 15;
constexpr std::size_t kTableAddressOffset = 8;
constexpr std::size_t kStructureCountOffset = 12;

std::uint32_t ReadU32(std::span<const std::uint8_t> b, std::size_t at)
{
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

std::uint16_t ReadU16(std::span<const std::uint8_t> b, std::size_t at)
{
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

bool FindEntryPoint(std::span<const std::uint8_t> area, std::size_t& at)
{
    for (std::size_t p = 0; p < kMaxParagraphs; ++p) {
        std::size_t offset = p * kParagraph;
        if (offset + kEntryPointSize > area.size()) return false;
        if (std::memcmp(area.data() + offset, "_DMI_", 5) == 0) {
            at = offset;
            return true;
        }
    }
    return false;
}

// Reads the string set starting at pos into slots (1-based numbers) and
// returns the position after it; area.size() when it runs off the end.
std::size_t ReadStrings(std::span<const std::uint8_t> area, std::size_t pos, std::vector<std::string>& slots)
{
    slots.clear();
    const std::size_t setStart = pos;
    while (pos < area.size()) {
        const auto* begin = area.data() + pos;
        const auto* end = std::find(begin, area.data() + area.size(), std::uint8_t{0});
        std::size_t length = static_cast<std::size_t>(end - begin);
        if (end == area.data() + area.size()) return area.size();  // unterminated: the walk ends
        pos += length + 1;
        if (length == 0) {
            // A structure without strings ends with two NULs, not one.
            if (pos == setStart + 1 && pos < area.size() && area[pos] == 0) ++pos;
            return pos;
        }
        std::size_t kept = std::min(length, kLegacyDmiStringSlot - 1);
        slots.emplace_back(reinterpret_cast<const char*>(begin), kept);
    }
    return pos;
}

std::string StringAt(std::span<const std::uint8_t> formatted, std::size_t fieldOffset,
                     const std::vector<std::string>& slots)
{
    if (fieldOffset >= formatted.size()) return {};
    std::uint8_t number = formatted[fieldOffset];
    if (number == 0 || number > slots.size()) return {};
    return slots[number - 1];
}

}  // namespace

bool ScanLegacyDmiArea(std::span<const std::uint8_t> area, LegacyDmiFacts& facts)
{
    std::size_t entry = 0;
    if (!FindEntryPoint(area, entry)) return false;
    facts = {};
    std::uint32_t address = ReadU32(area, entry + kTableAddressOffset);
    std::uint16_t count = ReadU16(area, entry + kStructureCountOffset);
    if (address < kLegacyBiosAreaBase) return true;
    std::size_t pos = address - kLegacyBiosAreaBase;

    std::vector<std::string> slots;
    for (std::uint16_t i = 0; i < count; ++i) {
        if (pos + 2 > area.size()) break;
        std::uint8_t type = area[pos];
        std::uint8_t length = area[pos + 1];
        // The formatted part holds at least its own header.
        if (length < 2 || pos + length > area.size()) break;
        std::span<const std::uint8_t> formatted = area.subspan(pos, length);
        std::size_t next = ReadStrings(area, pos + length, slots);
        if (type == 0) {
            facts.biosVendor = StringAt(formatted, 4, slots);
            facts.biosDate = StringAt(formatted, 8, slots);
        } else if (type == 2) {
            facts.boardProduct = StringAt(formatted, 5, slots);
        }
        pos = next;
    }
    return true;
}

bool ScanLegacyDmi(std::span<const std::uint8_t> area, const std::string& key, std::string& out)
{
    LegacyDmiFacts facts;
    if (!ScanLegacyDmiArea(area, facts)) return false;
    if (key == "MBModel")
        out = facts.boardProduct;
    else if (key == "BIOSProvider")
        out = facts.biosVendor;
    else if (key == "BIOSDate")
        out = facts.biosDate;
    else
        out.clear();
    return true;
}
