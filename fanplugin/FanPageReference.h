// A temperature input the system fan's thermal cruise can follow, as the
// page lists it: shown name, sensor pin and the chip's selector value.
#pragma once

#include <string>

namespace zefan {

struct FanPageReference {
    std::string name;
    std::string pinName;
    int selector = 0;  // 0 "SYSTIN", 1 "CPUTIN", 2 "AUXTIN"
};

}  // namespace zefan
