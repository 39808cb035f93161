// What a refused backend leaves behind: every call fails, so nothing reaches a
// chip that was not safely opened.
#pragma once

#include "hwmon/PortIo.h"

namespace hwmon {

class CRefusingPort : public IPortIo {
public:
    int OutPortB(int, int) override { return 0; }
    int InPortB(int, std::uint8_t*) override { return 0; }
};

}  // namespace hwmon
