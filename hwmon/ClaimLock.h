// The lock behind a claim on the chip's ports (IPortIo::Claim): a file that
// every program of this system locks, or the port service's claim table.
#pragma once

#include <chrono>

namespace hwmon {

class IClaimLock {
public:
    enum class Outcome {
        Held,         // ours until Release
        Busy,         // another holder kept it for the whole wait
        Unavailable,  // there is nothing to lock (no file, no service)
    };

    virtual ~IClaimLock() = default;
    virtual Outcome Acquire(std::chrono::milliseconds patience) = 0;
    virtual void Release() = 0;
};

}  // namespace hwmon
