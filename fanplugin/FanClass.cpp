#include "fanplugin/FanClass.h"

namespace zefan {
namespace {

// A fan named neither "CPU" nor "SYS" gets the span of both kinds, so its
// configured values stay reachable and a commit never programs 0 C.
constexpr FanClassRanges kRanges[] = {
    {FanClass::Cpu, 40, 70, 3, 15, 60, 100, 30, 60},
    {FanClass::System, 30, 50, 3, 15, 70, 100, 50, 70},
    {FanClass::Other, 30, 70, 3, 15, 60, 100, 30, 70},
};

}  // namespace

FanClass ClassifyFan(const std::string& name)
{
    if (name.find("SYS") != std::string::npos) {
        return FanClass::System;
    }
    if (name.find("CPU") != std::string::npos) {
        return FanClass::Cpu;
    }
    return FanClass::Other;
}

const FanClassRanges& RangesOf(FanClass fanClass)
{
    for (const FanClassRanges& ranges : kRanges) {
        if (ranges.fanClass == fanClass) {
            return ranges;
        }
    }
    return kRanges[2];
}

}  // namespace zefan
