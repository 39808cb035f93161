// A temperature input the system fan's thermal cruise may follow, as the
// board file lists it.
#pragma once

#include <string>
#include <string_view>

namespace zefan {

struct ReferenceTemperatureSource {
    std::string name;     // shown in the page's reference temperature list
    std::string pinName;  // sensor-table name
    int selector = 0;     // the chip's value for this input (hwmon/ReferenceTemperature.h)
};

// "SYSTIN" 0, "CPUTIN" 1, "AUXTIN" 2, compared without regard to case;
// anything else 0.
int SelectorForPin(std::string_view pinName);

}  // namespace zefan
