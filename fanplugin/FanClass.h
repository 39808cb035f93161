// What kind of fan a list entry is, told by its name, and the value ranges
// the page offers for each kind.
#pragma once

#include <string>

namespace zefan {

enum class FanClass { Cpu, System, Other };

struct FanClassRanges {
    FanClass fanClass;
    int targetLowCelsius;
    int targetHighCelsius;
    int toleranceLowCelsius;
    int toleranceHighCelsius;
    int startLowPercent;
    int startHighPercent;
    int stopLowPercent;
    int stopHighPercent;
};

// "SYS" in the name makes a system fan, otherwise "CPU" a CPU fan
// (case-sensitive); any other name is FanClass::Other.
FanClass ClassifyFan(const std::string& name);

const FanClassRanges& RangesOf(FanClass fanClass);

}  // namespace zefan
