// The chip-wide choice of the temperature input the system fan's thermal
// cruise follows (register 0x4A of bank 0); its field width depends on the
// chip id.
#pragma once

#include "hwmon/PortIo.h"

namespace hwmon {

inline constexpr int kSelectorSystin = 0;
inline constexpr int kSelectorCputin = 1;
inline constexpr int kSelectorAuxtin = 2;

inline constexpr int kChipIdEhf = 0xA1;
inline constexpr int kChipIdDhg = 0xC1;

// 1 with selector set; 0 when the chip id is neither 0xA1 nor 0xC1 (selector
// left alone); a port error's code otherwise.
int ReadReferenceTemperatureSelector(IPortIo& port, int& selector);

// False, with nothing written, for an unknown chip id or a selector that does
// not fit the chip's field.
bool WriteReferenceTemperatureSelector(IPortIo& port, int selector);

}  // namespace hwmon
