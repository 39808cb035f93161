// The firmware's legacy DMI table, as found in the copied BIOS area
// (physical 0xF0000-0xFFFFF): an entry point "_DMI_" on a 16-byte boundary
// names the table's address and the number of structures; each structure is
// a formatted part followed by its numbered strings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

struct LegacyDmiFacts {
    std::string boardProduct;  // type 2, string at offset 5
    std::string biosVendor;    // type 0, string at offset 4
    std::string biosDate;      // type 0, string at offset 8, as stored
};

// Physical address of the area's first byte.
constexpr std::uint32_t kLegacyBiosAreaBase = 0xF0000;
// Strings live in 128-byte slots: longer ones keep their first 127 bytes.
constexpr std::size_t kLegacyDmiStringSlot = 128;

// False when the area holds no entry point. Every read stays inside area: a
// table that lies outside it, a count past its end, structures or strings
// cut off by its end all end the walk, keeping what was read before.
bool ScanLegacyDmiArea(std::span<const std::uint8_t> area, LegacyDmiFacts& facts);

// "MBModel", "BIOSProvider" or "BIOSDate" from the area; false (out
// untouched) when no entry point is found. Another key gives "".
bool ScanLegacyDmi(std::span<const std::uint8_t> area, const std::string& key, std::string& out);
