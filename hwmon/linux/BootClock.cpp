#include "hwmon/linux/BootClock.h"

#include <ctime>

namespace hwmon {

std::int64_t CBootClock::NowNanoseconds() const
{
    timespec now{};
    ::clock_gettime(CLOCK_BOOTTIME, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

}  // namespace hwmon
