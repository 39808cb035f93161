// CLOCK_BOOTTIME: shared by all processes and still counting through suspend,
// so the simulated board keeps cooling while the machine sleeps.
#pragma once

#include "hwmon/varnio/MonotonicClock.h"

namespace hwmon {

class CBootClock : public IMonotonicClock {
public:
    std::int64_t NowNanoseconds() const override;
};

}  // namespace hwmon
