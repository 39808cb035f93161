// Whether the chip behind the ports is one this layer can drive: the vendor
// register answers 0xA3 or 0x5C (by bit 7 of the bank-select register) and the
// chip id is one of the EHF/EHG or DHG family.
#pragma once

#include <cstdint>
#include <string>

#include "hwmon/ChipAccessor.h"

namespace hwmon {

struct ChipIdentity {
    std::uint8_t bankSelect = 0;
    std::uint8_t vendorId = 0;
    std::uint8_t chipId = 0;
    bool vendorMatches = false;
    std::string model;  // empty for an unknown chip id
    bool Recognised() const { return vendorMatches && !model.empty(); }
};

// Port result of the reads; identity is filled only when they succeeded.
int IdentifyChip(CChipAccessor& chip, ChipIdentity& identity);

std::string DescribeIdentity(const ChipIdentity& identity);

}  // namespace hwmon
