// A temperature input the system fan's thermal cruise may follow, as the
// board file lists it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "board/ProfileReader.h"

namespace zefan {

struct ReferenceTemperatureSource {
    std::string name;     // shown in the page's reference temperature list
    std::string pinName;  // sensor-table name
    int selector = 0;     // the chip's value for this input (hwmon/ReferenceTemperature.h)
};

// "SYSTIN" 0, "CPUTIN" 1, "AUXTIN" 2, compared without regard to case;
// anything else 0.
int SelectorForPin(std::string_view pinName);

// The board file's items of type 2, except those whose pin is exactly
// "AUXTIN". Fails with no source when the file has no item count.
bool ReadTemperatureSources(const board::IProfileReader& ini, const std::string& path,
                            std::vector<ReferenceTemperatureSource>& sources);

}  // namespace zefan
