// A clock shared by every process of the machine that never runs backwards
// while the machine runs; the simulated chip's time base.
#pragma once

#include <cstdint>

namespace hwmon {

class IMonotonicClock {
public:
    virtual ~IMonotonicClock() = default;
    virtual std::int64_t NowNanoseconds() const = 0;
};

}  // namespace hwmon
