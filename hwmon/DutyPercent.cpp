#include "hwmon/DutyPercent.h"

#include <algorithm>

namespace hwmon {

int PercentToDutyValue(int percent)
{
    if (percent < 0) {
        return -1;
    }
    return std::min(percent * 256 / 100, 255);
}

int DutyValueToPercent(std::uint8_t value)
{
    // Exact in integers: the fraction is remainder / 256.
    const int scaled = value * 100;
    return scaled / 256 + (scaled % 256 > 128 ? 1 : 0);
}

}  // namespace hwmon
