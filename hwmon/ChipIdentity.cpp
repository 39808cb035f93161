#include "hwmon/ChipIdentity.h"

#include <cstdio>

namespace hwmon {
namespace {

struct KnownChip {
    std::uint8_t chipId;
    const char* model;
};

constexpr KnownChip kKnownChips[] = {
    {0x88, "W83627EHF"},
    {0xA1, "W83627EHF/EHG"},
    {0xC1, "W83627DHG"},
};

// The vendor register shows the high byte of the vendor id when bit 7 of the
// bank-select register is set, the low byte when it is clear.
constexpr std::uint8_t kVendorHigh = 0x5C;
constexpr std::uint8_t kVendorLow = 0xA3;

}  // namespace

int IdentifyChip(CChipAccessor& chip, ChipIdentity& identity)
{
    ChipIdentity found;
    int result = chip.SelectBank(0);
    if (result < 1 || (result = chip.ReadRegister(kBankSelectRegister, found.bankSelect)) < 1 ||
        (result = chip.ReadRegister(kVendorIdRegister, found.vendorId)) < 1 ||
        (result = chip.ReadRegister(kChipIdRegister, found.chipId)) < 1) {
        return result;
    }
    const std::uint8_t expected = (found.bankSelect & 0x80) != 0 ? kVendorHigh : kVendorLow;
    found.vendorMatches = found.vendorId == expected;
    for (const auto& known : kKnownChips) {
        if (known.chipId == found.chipId) {
            found.model = known.model;
        }
    }
    identity = found;
    return result;
}

std::string DescribeIdentity(const ChipIdentity& identity)
{
    char text[160];
    std::snprintf(text, sizeof text, "%s (chip id 0x%02X, vendor register 0x%02X%s)",
                  identity.Recognised() ? identity.model.c_str() : "no W83627EHF-family chip",
                  identity.chipId, identity.vendorId,
                  identity.vendorMatches ? "" : ", unexpected");
    return text;
}

}  // namespace hwmon
